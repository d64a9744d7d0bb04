#include "app/ItemRows.h"
#include "core/GroupList.h"
#include "core/DataModule.h"
#include "core/ProgramState.h"
#include "core/SqlRoutines.h"
#include "tests/support/MessageAnswerer.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestRegistry.h"

#include <QSqlQuery>
#include <QTest>

#include <memory>

using namespace vek;

namespace {

using Keys = QList<int>;

// One group row of the fixture: level letter, keys, ODRF and title.
struct GroupRow {
    QString abfs;
    Keys keys;
    int odrf;
    QString title;
};

// Two parents at each level, so that a shift can be seen to stay with its parent: work
// items 1 and 3; middle groups 1 and 3 of work item 1 and 7 of work item 3; small groups
// 1 and 3 of middle group (1, 1) and 5 of (1, 3).
const QList<GroupRow> Fixture = {
    {"A", {1, 0, 0}, 1, "A1"}, {"A", {3, 0, 0}, 2, "A3"},
    {"B", {1, 1, 0}, 1, "B1"}, {"B", {1, 3, 0}, 2, "B3"}, {"B", {3, 7, 0}, 1, "B7"},
    {"F", {1, 1, 1}, 1, "F1"}, {"F", {1, 1, 3}, 2, "F3"}, {"F", {1, 3, 5}, 1, "F5"},
};

const char *const KeyColumns[] = {"ACODE", "BCODE", "SCODE"};

Dataset &LevelRows(int level)
{
    return GroupList(GroupLevel(level)).rows();
}

QString LevelLetter(int level)
{
    return GroupList(GroupLevel(level)).letter();
}

} // namespace

class TestItemRows : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> db;

    TdMf &m() { return db->module(); }

    void insertGroup(const GroupRow &row, const QVariantHash &more = {})
    {
        QVariantHash values = more;
        for (int i = 0; i < 3; ++i)
            values.insert(KeyColumns[i], row.keys.at(i));
        values.insert("ABFS", row.abfs);
        values.insert("TAG", row.abfs);
        values.insert("ODRF", row.odrf);
        values.insert("NOADD", row.title);
        values.insert("UNIT", "식");
        db->insertRow(values);
    }

    // Opens the lists down to level, each on its first row (work item 1, middle group
    // (1, 1)), the list of level itself on its row with ODRF odrf.
    void openLevel(int level, int odrf = 1)
    {
        m().TAlst.setCommandText("select * from NDTAIL where ABFS='A' Order by ODRF");
        m().TAlst.open();
        if (level >= 1) {
            m().TBlst.setCommandText("select * from NDTAIL where ABFS='B' and ACODE=? Order by ODRF", {1});
            m().TBlst.open();
        }
        if (level == 2) {
            m().TFlst.setCommandText("select * from NDTAIL where ABFS='F' and ACODE=? and BCODE=? Order by ODRF", {1, 1});
            m().TFlst.open();
        }
        Dataset &rows = LevelRows(level);
        for (rows.first(); !rows.eof() && rows.asInteger("ODRF") != odrf; rows.next()) {
        }
    }

    // ODRF of every row of the level letter by title, "A1:1 A3:2".
    QString orders(const QString &abfs)
    {
        QSqlQuery query = m().SQLConect.select(
            "select NOADD, ODRF from NDTAIL where ABFS=? order by ACODE, BCODE, SCODE", {abfs});
        QStringList result;
        while (query.next())
            result.append(query.value(0).toString().trimmed() + ':' + query.value(1).toString());
        return result.join(' ');
    }

    // A column of the row titled title; a text without the blanks of its fixed width.
    QVariant column(const QString &column, const QString &title)
    {
        const QVariant value = db->scalar(QStringLiteral("select %1 from NDTAIL where NOADD=?").arg(column), {title});
        return value.typeId() == QMetaType::QString ? QVariant(value.toString().trimmed()) : value;
    }

private slots:
    void init()
    {
        db = std::make_unique<TempDatabase>();
        for (const GroupRow &row : Fixture)
            insertGroup(row);
        InsertMode = false;
        DataChanged = false;
    }
    void cleanup() { db.reset(); }

    void addsItemRows_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("insert");
        QTest::addColumn<int>("kind");
        QTest::addColumn<Keys>("keys");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<int>("sub");
        QTest::addColumn<QString>("ordersAfter");

        const QString appendA = "A1:1 A3:2 new:3";
        const QString insertA = "A1:1 A3:3 new:2";
        const QString appendB = "B1:1 B3:2 new:3 B7:1";
        const QString insertB = "B1:1 B3:3 new:2 B7:1";
        const QString appendF = "F1:1 F3:2 new:3 F5:1";
        const QString insertF = "F1:1 F3:3 new:2 F5:1";
        for (int kind = 0; kind < 3; ++kind) {
            const QString tagOf[] = {"", "R", "E"};
            const auto tag = [&](const QString &letter) { return kind == 0 ? letter : tagOf[kind]; };
            const int sub = kind == 0 ? 1 : 0;
            const QByteArray k = QByteArray::number(kind);
            QTest::newRow("work item, append, kind " + k) << 0 << false << kind << Keys{4, 0, 0} << tag("A") << sub << appendA;
            QTest::newRow("work item, insert, kind " + k) << 0 << true << kind << Keys{4, 0, 0} << tag("A") << sub << insertA;
            QTest::newRow("middle group, append, kind " + k) << 1 << false << kind << Keys{1, 4, 0} << tag("B") << sub << appendB;
            QTest::newRow("middle group, insert, kind " + k) << 1 << true << kind << Keys{1, 4, 0} << tag("B") << sub << insertB;
            QTest::newRow("small group, append, kind " + k) << 2 << false << kind << Keys{1, 1, 4} << tag("F") << 0 << appendF;
            QTest::newRow("small group, insert, kind " + k) << 2 << true << kind << Keys{1, 1, 4} << tag("F") << 0 << insertF;
        }
    }
    void addsItemRows()
    {
        QFETCH(int, level);
        QFETCH(bool, insert);
        QFETCH(int, kind);
        QFETCH(Keys, keys);
        QFETCH(QString, tag);
        QFETCH(int, sub);
        QFETCH(QString, ordersAfter);

        openLevel(level, 2);
        InsertMode = insert;
        ItemRowFields fields = NewItemRowFields(level);
        fields.kind = ItemKind(kind);
        fields.sub = true; // ticked, and still 0 where the level or the kind has no lower groups
        fields.name = "new";
        fields.remark = "비고";
        fields.quantity = 2;
        fields.material = 1000;
        fields.labour = 500;
        fields.total = UnitPriceSum(1000, 500, 0);
        QVERIFY(AddItemRow(level, fields));

        const QString letter = LevelLetter(level);
        QCOMPARE(orders(letter), ordersAfter);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(column(KeyColumns[i], "new").toInt(), keys.at(i));
        QCOMPARE(column("ABFS", "new").toString(), letter);
        QCOMPARE(column("TAG", "new").toString(), tag);
        QCOMPARE(column("SUB", "new").toInt(), sub);
        QCOMPARE(column("UNIT", "new").toString(), QStringLiteral("식"));
        QCOMPARE(column("NAME", "new").toString(), QString());
        QCOMPARE(column("ETC", "new").toString().trimmed(), QStringLiteral("비고"));
        QCOMPARE(column("MVE", "new").toString(), QStringLiteral("F"));
        const QList<double> figures = {2, 1000, 2000, 500, 1000, 0, 0, 3000};
        const char *const figureColumns[] = {"INO", "PCST11", "PCST12", "LCST11", "LCST12", "SCST11", "SCST12", "CSTTAL"};
        for (int i = 0; i < figures.size(); ++i)
            QCOMPARE(column(figureColumns[i], "new").toDouble(), figures.at(i));
        QVERIFY(DataChanged);
        // The new row is the current row of its list, read again.
        QCOMPARE(LevelRows(level).asString("NOADD").trimmed(), QStringLiteral("new"));
        QCOMPARE(LevelRows(level).recordCount(), 3);
    }

    void aLumpRowStoresItsTotalTimesItsQuantity_data()
    {
        QTest::addColumn<double>("quantity");
        QTest::addColumn<double>("total");
        QTest::addColumn<double>("stored");
        QTest::newRow("one of 5,000") << 1.0 << 5000.0 << 5000.0;
        QTest::newRow("two of 5,000") << 2.0 << 5000.0 << 10000.0;
        QTest::newRow("1.5 of 3,000") << 1.5 << 3000.0 << 4500.0;
    }
    void aLumpRowStoresItsTotalTimesItsQuantity()
    {
        QFETCH(double, quantity);
        QFETCH(double, total);
        QFETCH(double, stored);
        openLevel(0);
        ItemRowFields fields = NewItemRowFields(0);
        fields.name = "lump";
        fields.quantity = quantity;
        fields.total = total;
        QVERIFY(AddItemRow(0, fields));
        QCOMPARE(column("CSTTAL", "lump").toDouble(), stored);
        for (const char *amount : {"PCST12", "LCST12", "SCST12"})
            QCOMPARE(column(amount, "lump").toDouble(), 0.0);
    }

    void theFirstRowOfAnEmptyListIsOneInEitherMode_data()
    {
        QTest::addColumn<bool>("insert");
        QTest::newRow("append") << false;
        QTest::newRow("insert") << true;
    }
    void theFirstRowOfAnEmptyListIsOneInEitherMode()
    {
        QFETCH(bool, insert);
        m().SQLConect.execute("delete from NDTAIL");
        QVERIFY(m().SQLConect.commit());
        openLevel(0);
        InsertMode = insert;
        ItemRowFields fields = NewItemRowFields(0);
        fields.name = "first";
        QVERIFY(AddItemRow(0, fields));
        QCOMPARE(column("ACODE", "first").toInt(), 1);
        QCOMPARE(column("ODRF", "first").toInt(), 1);
    }

    void loadsTheCurrentRow_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QVariantHash>("row");
        QTest::addColumn<QVariantHash>("below"); // a row under it, or none
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("sub");
        QTest::addColumn<bool>("subAllowed");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<double>("total");

        const QVariantHash lump2{{"TAG", "A"}, {"INO", 2}, {"CSTTAL", 10000}};
        const QVariantHash priced{{"TAG", "A"}, {"INO", 2}, {"PCST11", 1000}, {"LCST11", 500}, {"CSTTAL", 3000}};
        const QVariantHash lineItem{{"ABFS", "S"}, {"TAG", "N"}};
        QTest::newRow("priced work item: the prices' sum") << 0 << priced << QVariantHash() << 0 << false << true << false << 1500.0;
        QTest::newRow("lump of two: the unit total") << 0 << lump2 << QVariantHash() << 0 << false << true << false << 5000.0;
        QTest::newRow("lump of three: to four decimals")
            << 0 << QVariantHash{{"TAG", "A"}, {"INO", 3}, {"CSTTAL", 10000}} << QVariantHash() << 0 << false << true
            << false << 3333.3333;
        QTest::newRow("lump without quantity: the amount")
            << 0 << QVariantHash{{"TAG", "A"}, {"INO", 0}, {"CSTTAL", 700}} << QVariantHash() << 0 << false << true
            << false << 700.0;
        QTest::newRow("work item with middle groups") << 0 << QVariantHash{{"TAG", "A"}, {"SUB", 1}}
                                                      << QVariantHash{{"ABFS", "B"}, {"TAG", "B"}} << 0 << true << true
                                                      << true << 0.0;
        QTest::newRow("work item with line items") << 0 << QVariantHash{{"TAG", "A"}} << lineItem << 0 << false << true
                                                   << true << 0.0;
        QTest::newRow("rate row") << 0 << QVariantHash{{"TAG", "R"}, {"SUB", 1}} << QVariantHash() << 1 << false << true
                                  << false << 0.0;
        QTest::newRow("left-out row") << 0 << QVariantHash{{"TAG", "E"}} << QVariantHash() << 2 << false << true << false
                                      << 0.0;
        QTest::newRow("middle group with line items") << 1 << QVariantHash{{"TAG", "B"}} << lineItem << 0 << false
                                                      << true << true << 0.0;
        QTest::newRow("middle group alone") << 1 << QVariantHash{{"TAG", "B"}, {"SUB", 1}} << QVariantHash() << 0 << true
                                            << true << false << 0.0;
        QTest::newRow("small group with line items") << 2 << QVariantHash{{"TAG", "F"}} << lineItem << 0 << false
                                                     << false << true << 0.0;
        QTest::newRow("small group alone") << 2 << QVariantHash{{"TAG", "F"}, {"SUB", 1}} << QVariantHash() << 0 << false
                                           << false << false << 0.0;
    }
    void loadsTheCurrentRow()
    {
        QFETCH(int, level);
        QFETCH(QVariantHash, row);
        QFETCH(QVariantHash, below);
        QFETCH(int, kind);
        QFETCH(bool, sub);
        QFETCH(bool, subAllowed);
        QFETCH(bool, locked);
        QFETCH(double, total);

        // The row loaded is the current row, the second of its list: work item 3, middle
        // group (1, 3), small group (1, 1, 3), each given the row's values and alone
        // under its keys unless the case adds a row below it.
        m().SQLConect.execute("delete from NDTAIL where NOADD in ('B7', 'F5')");
        const Keys keys = level == 0 ? Keys{3, 0, 0} : level == 1 ? Keys{1, 3, 0} : Keys{1, 1, 3};
        QString sql = "UpDate NDTAIL Set NOADD=?, ETC=?";
        QVariantList params{"제목", "비고"};
        for (auto it = row.cbegin(); it != row.cend(); ++it) {
            sql += QStringLiteral(", %1=?").arg(it.key());
            params.append(it.value());
        }
        m().SQLConect.execute(sql + " where ABFS=? and ACODE=? and BCODE=? and SCODE=?",
                              params + QVariantList{LevelLetter(level), keys.at(0), keys.at(1), keys.at(2)});
        QVERIFY(m().SQLConect.commit());
        if (!below.isEmpty()) {
            QVariantHash values = below;
            for (int i = 0; i <= level; ++i)
                values.insert(KeyColumns[i], keys.at(i));
            db->insertRow(values);
        }
        openLevel(level, 2);

        const ItemRowFields fields = LoadItemRow(level);
        QCOMPARE(int(fields.kind), kind);
        QCOMPARE(fields.sub, sub);
        QCOMPARE(fields.subAllowed, subAllowed);
        QCOMPARE(fields.locked, locked);
        QCOMPARE(fields.total, total);
        QCOMPARE(fields.name, QStringLiteral("제목"));
        QCOMPARE(fields.remark, QStringLiteral("비고"));
    }

    void changesTheCurrentRow_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("figuresChanged");
        QTest::addColumn<int>("storedSub");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<int>("sub");
        QTest::addColumn<QList<double>>("figures");

        const QList<double> kept = {1, 0, 0, 0, 0, 0, 0, 777};
        const QList<double> changed = {3, 100, 300, 0, 0, 0, 0, 300};
        QTest::newRow("work item, figures kept") << 0 << false << 1 << false << 0 << kept;
        QTest::newRow("work item, figures changed") << 0 << true << 0 << true << 1 << changed;
        QTest::newRow("middle group") << 1 << true << 0 << true << 1 << changed;
        QTest::newRow("small group keeps its SUB") << 2 << true << 1 << false << 1 << changed;
    }
    void changesTheCurrentRow()
    {
        QFETCH(int, level);
        QFETCH(bool, figuresChanged);
        QFETCH(int, storedSub);
        QFETCH(bool, ticked);
        QFETCH(int, sub);
        QFETCH(QList<double>, figures);

        const QString letter = LevelLetter(level);
        m().SQLConect.execute("UpDate NDTAIL Set CSTTAL=777, INO=1, SUB=? where NOADD=?", {storedSub, letter + "1"});
        QVERIFY(m().SQLConect.commit());
        openLevel(level, 1);
        ItemRowFields fields = LoadItemRow(level);
        fields.name = "바뀐 이름";
        fields.remark = "새 비고";
        fields.sub = ticked;
        fields.quantity = 3;
        fields.material = 100;
        fields.total = 100;
        QVERIFY(ChangeItemRow(level, fields, figuresChanged));

        const char *const figureColumns[] = {"INO", "PCST11", "PCST12", "LCST11", "LCST12", "SCST11", "SCST12", "CSTTAL"};
        for (int i = 0; i < figures.size(); ++i)
            QCOMPARE(column(figureColumns[i], "바뀐 이름").toDouble(), figures.at(i));
        QCOMPARE(column("SUB", "바뀐 이름").toInt(), sub);
        QCOMPARE(column("ETC", "바뀐 이름").toString().trimmed(), QStringLiteral("새 비고"));
        QCOMPARE(column("TAG", "바뀐 이름").toString(), letter);
        QVERIFY(DataChanged);
    }

    void aKindChangeLeavesNoSubLevelFlag()
    {
        m().SQLConect.execute("UpDate NDTAIL Set SUB=1 where NOADD='A1'");
        QVERIFY(m().SQLConect.commit());
        openLevel(0, 1);
        ItemRowFields fields = LoadItemRow(0);
        QVERIFY(fields.sub);
        fields.kind = ItemKind::RateRow;
        QVERIFY(ChangeItemRow(0, fields, false));
        QCOMPARE(column("TAG", "A1").toString(), QStringLiteral("R"));
        QCOMPARE(column("SUB", "A1").toInt(), 0);
    }

    void formatsSumLabels_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("label");
        QTest::newRow("소계") << "소계" << QStringLiteral("   소           계");
        QTest::newRow("계") << "계" << QStringLiteral("           계");
        QTest::newRow("합계") << "합계" << QStringLiteral("   합           계");
    }
    void formatsSumLabels()
    {
        QFETCH(QString, caption);
        QFETCH(QString, label);
        QCOMPARE(FormatSumLabel(caption), label);
    }

    void insertsSubtotalRows_data()
    {
        QTest::addColumn<bool>("lineItems");
        QTest::addColumn<bool>("insert");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("odrf");
        QTest::addColumn<QString>("ordersAfter");

        QTest::newRow("line items, append, 소계") << true << false << 1 << 3 << "";
        QTest::newRow("line items, insert, 계") << true << true << 2 << 2 << "";
        QTest::newRow("middle groups, append, 합계") << false << false << 3 << 3 << "B1:1 B3:2 sum:3 B7:1";
        QTest::newRow("middle groups, insert, 소계") << false << true << 1 << 2 << "B1:1 B3:3 sum:2 B7:1";
    }
    void insertsSubtotalRows()
    {
        QFETCH(bool, lineItems);
        QFETCH(bool, insert);
        QFETCH(int, kind);
        QFETCH(int, odrf);
        QFETCH(QString, ordersAfter);

        // Line items of middle group (1, 1), and one of middle group (1, 3) that stays put.
        for (const auto &[bcode, order, name] : {std::tuple{1, 1, "s1"}, {1, 2, "s2"}, {3, 2, "s3"}})
            db->insertRow({{"ACODE", 1}, {"BCODE", bcode}, {"ABFS", "S"}, {"TAG", "N"}, {"ODRF", order}, {"NAME", name}});
        openLevel(1, 1);
        if (lineItems) {
            m().TSlst.setCommandText(
                "select * from NDTAIL where ABFS='S' and TAG<>'M' and ACODE=? and BCODE=? and SCODE=? Order by ODRF",
                {1, 1, 0});
            m().TSlst.open();
            m().TSlst.last();
        } else {
            m().TBlst.last();
        }
        InsertMode = insert;
        QVERIFY(InsertSubtotalRow(kind, "sum"));

        const QString where = lineItems ? "ABFS='S' and NAME='sum'" : "ABFS='B' and NOADD='sum'";
        QCOMPARE(db->scalar("select ICD1 from NDTAIL where " + where).toInt(), kind);
        QCOMPARE(db->scalar("select TAG from NDTAIL where " + where).toString().trimmed(), QStringLiteral("T"));
        QCOMPARE(db->scalar("select ODRF from NDTAIL where " + where).toInt(), odrf);
        QCOMPARE(db->scalar("select CSTTAL + INO + SUB from NDTAIL where " + where).toDouble(), 0.0);
        if (lineItems) {
            QCOMPARE(db->scalar("select ACODE * 100 + BCODE * 10 + SCODE from NDTAIL where " + where).toInt(), 110);
            QCOMPARE(db->scalar("select ODRF from NDTAIL where NAME='s2'").toInt(), insert ? 3 : 2);
            QCOMPARE(db->scalar("select ODRF from NDTAIL where NAME='s3'").toInt(), 2);
            QCOMPARE(m().TSlst.asString("NAME"), QStringLiteral("sum"));
        } else {
            QCOMPARE(orders("B"), ordersAfter);
            QCOMPARE(db->scalar("select BCODE from NDTAIL where " + where).toInt(), 4);
            QCOMPARE(m().TBlst.asString("NOADD").trimmed(), QStringLiteral("sum"));
        }
        // A subtotal row added after a save must not be lost at quit.
        QVERIFY(DataChanged);
    }

    void aFailedAddLeavesNothing()
    {
        // The insert fails after the new key and the shift: NDTAIL refuses the row.
        m().SQLConect.execute("create exception NO_ROWS 'no new rows'");
        m().SQLConect.execute("create trigger NO_NEW_ROWS for NDTAIL before insert as begin exception NO_ROWS; end");
        QVERIFY(m().SQLConect.commit());
        openLevel(0, 2);
        InsertMode = true;
        ItemRowFields fields = NewItemRowFields(0);
        fields.name = "lost";
        QVERIFY_THROWS_EXCEPTION(std::exception, AddItemRow(0, fields));
        QCOMPARE(orders("A"), QStringLiteral("A1:1 A3:2"));
        QVERIFY(!DataChanged);
        QCOMPARE(m().TAlst.recordCount(), 2);
    }

    void aRefusedCommitIsReportedAndLeavesNothing()
    {
        m().SQLConect.execute("create exception REFUSED 'commit refused'");
        m().SQLConect.execute("create trigger REFUSE_COMMIT on transaction commit as begin "
                              "if (rdb$get_context('USER_SESSION', 'REFUSE') = '1') then exception REFUSED; end");
        QVERIFY(m().SQLConect.commit());
        openLevel(0, 1);
        RunTempSql(false, "select rdb$set_context('USER_SESSION', 'REFUSE', '1') from rdb$database");
        MessageAnswerer answerer;
        ItemRowFields fields = LoadItemRow(0);
        fields.name = "refused";
        QVERIFY(!ChangeItemRow(0, fields, false));
        QCOMPARE(answerer.texts(), QStringList{"처리실패!!"});
        RunTempSql(false, "select rdb$set_context('USER_SESSION', 'REFUSE', '0') from rdb$database");
        m().sQTmp.close();
        QCOMPARE(orders("A"), QStringLiteral("A1:1 A3:2"));
        // The list shows what the table kept.
        QCOMPARE(m().TAlst.asString("NOADD").trimmed(), QStringLiteral("A1"));
        QVERIFY(!DataChanged);
    }
};

VEK_TEST(TestItemRows)
#include "tst_ItemRows.moc"
