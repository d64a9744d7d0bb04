#include "core/Currency.h"
#include "core/DataModule.h"
#include "core/DatabaseError.h"
#include "core/GroupList.h"
#include "core/ProgramState.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestRegistry.h"

#include <QSqlQuery>
#include <QTest>

#include <memory>

using namespace vek;

Q_DECLARE_METATYPE(GroupLevel)

namespace {

const QString Letters = QStringLiteral("ABF");

QString LetterOf(GroupLevel level)
{
    return Letters.at(int(level));
}

// The estimate a list lives in: the parents of the list under test (work item 1 and its
// middle group 1), the list's own rows r1.. with ODRF as given, each its own key, and in
// every level a decoy of another parent, marked for a move, that no command of the list
// may touch.
class ListFixture {
public:
    ListFixture(GroupLevel level, const QList<int> &odrfs) : level_(level)
    {
        if (level != GroupLevel::WorkItems)
            db_.insertRow({{"ACODE", 1}, {"ABFS", "A"}, {"TAG", "A"}, {"ODRF", 1}, {"NOADD", "parent A"}});
        if (level == GroupLevel::SmallGroups)
            db_.insertRow({{"ACODE", 1}, {"BCODE", 1}, {"ABFS", "B"}, {"TAG", "B"}, {"ODRF", 1}, {"NOADD", "parent B"}});
        for (int i = 0; i < odrfs.size(); ++i)
            insertOwn(QStringLiteral("r%1").arg(i + 1), i + 1, odrfs.at(i), {});
        // Another parent's row of the same level: another work item's middle group,
        // another middle group's small group (for the work items: a middle group of a
        // work item outside the list's keys).
        const bool items = level == GroupLevel::WorkItems;
        db_.insertRow({{"ABFS", items ? "B" : letter()}, {"TAG", letter()},
                       {"ACODE", items ? 8 : level == GroupLevel::MiddleGroups ? 2 : 1}, {"BCODE", 2},
                       {"SCODE", items ? 0 : 1}, {"ODRF", 3}, {"MVE", "T"}, {"NOADD", "decoy"}});
        openLists();
        DataChanged = false;
    }

    QString letter() const { return LetterOf(level_); }
    TempDatabase &db() { return db_; }
    Dataset &list() { return GroupList(level_).rows(); }

    // A row of the list with own key code (ACODE, BCODE or SCODE by level).
    void insertOwn(const QString &name, int code, int odrf, const QVariantHash &more)
    {
        QVariantHash row{{"ABFS", letter()}, {"TAG", letter()}, {"ODRF", odrf}, {"NOADD", name}, {"ACODE", 1}};
        if (level_ != GroupLevel::WorkItems)
            row["BCODE"] = 1;
        row[level_ == GroupLevel::WorkItems ? "ACODE" : level_ == GroupLevel::MiddleGroups ? "BCODE" : "SCODE"] = code;
        for (auto it = more.begin(); it != more.end(); ++it)
            row[it.key()] = it.value();
        db_.insertRow(row);
    }

    // The keys of the list's row with own code: (ACODE), (ACODE, BCODE) or all three.
    QVariantList keysOf(int code) const
    {
        QVariantList keys{level_ == GroupLevel::WorkItems ? code : 1};
        if (level_ != GroupLevel::WorkItems)
            keys.append(level_ == GroupLevel::MiddleGroups ? code : 1);
        if (level_ == GroupLevel::SmallGroups)
            keys.append(code);
        return keys;
    }
    // Rows below the list's row with own code, every level down to line items, with two
    // unit-price items: breakdown key 1 used only here, key 2 also by a line item of
    // work item 9; and a cost-statement row.
    void insertLowerRows(int code)
    {
        QVariantList keys = keysOf(code);
        const auto at = [](QVariantList keys, const QString &abfs, const QString &tag, const QVariantHash &more) {
            while (keys.size() < 3)
                keys.append(0);
            QVariantHash row{{"ACODE", keys[0]}, {"BCODE", keys[1]}, {"SCODE", keys[2]}, {"ABFS", abfs}, {"TAG", tag},
                             {"ODRF", 1}};
            for (auto it = more.begin(); it != more.end(); ++it)
                row[it.key()] = it.value();
            return row;
        };
        const QVariantHash key1{{"ICD1", 1}, {"ICD2", 1}, {"ICD3", 1}};
        const QVariantHash key2{{"ICD1", 2}, {"ICD2", 2}, {"ICD3", 2}};
        db_.insertRow(at(keys, "S", "N", {}));
        db_.insertRow(at(keys, "S", "D", key1));
        db_.insertRow(at(keys, "S", "M", {}));
        // Down to the small groups' line items.
        while (keys.size() < 3) {
            keys.append(1);
            db_.insertRow(at(keys, keys.size() == 2 ? "B" : "F", keys.size() == 2 ? "B" : "F", {}));
            db_.insertRow(at(keys, "S", "N", {}));
        }
        db_.insertRow(at(keys, "S", "D", key2));
        db_.insertRow(at({9}, "S", "D", key2));
        db_.insertRow(at({}, "X", "N", key1));
        db_.insertRow(at({}, "X", "N", key2));
        db_.insertRow(at({}, "W", "E", {}));
    }
    // Rows under the keys of the list's row with own code, but for rows of the list's own
    // level and breakdown rows.
    int lowerRowCount(int code)
    {
        const QVariantList keys = keysOf(code);
        QString sql = QStringLiteral("select count(*) from NDTAIL where ABFS<>? and ABFS<>'X'");
        const char *columns[] = {"ACODE", "BCODE", "SCODE"};
        for (int i = 0; i < keys.size(); ++i)
            sql += QStringLiteral(" and %1=?").arg(QLatin1String(columns[i]));
        return db_.scalar(sql, QVariantList{letter()} + keys).toInt();
    }
    int count(const QString &where) { return db_.scalar("select count(*) from NDTAIL where " + where).toInt(); }

    // The list's rows as the list shows them, "name:ODRF", '*' after a marked one.
    QStringList shown()
    {
        QStringList rows;
        Dataset &ds = list();
        for (int i = 0; i < ds.recordCount(); ++i)
            rows.append(QStringLiteral("%1:%2%3")
                            .arg(ds.valueOf(i, ds.fieldIndex("NOADD")).toString().trimmed())
                            .arg(ds.valueOf(i, ds.fieldIndex("ODRF")).toInt())
                            .arg(ds.valueOf(i, ds.fieldIndex("MVE")).toString() == "T" ? "*" : ""));
        return rows;
    }
    // The same rows as the table holds them, in ODRF order.
    QStringList stored()
    {
        QStringList rows;
        QSqlQuery query = db_.module().SQLConect.select(
            QStringLiteral("select NOADD, ODRF, MVE from NDTAIL where ABFS=? and NOADD<>'decoy' "
                           "and NOADD not like 'parent%' order by ODRF"),
            {letter()});
        while (query.next())
            rows.append(QStringLiteral("%1:%2%3")
                            .arg(query.value(0).toString().trimmed())
                            .arg(query.value(1).toInt())
                            .arg(query.value(2).toString() == "T" ? "*" : ""));
        return rows;
    }
    QString current() { return list().asString("NOADD").trimmed(); }
    void goTo(const QString &name)
    {
        Dataset &ds = list();
        for (ds.first(); !ds.eof(); ds.next())
            if (ds.asString("NOADD").trimmed() == name)
                return;
        QFAIL(qPrintable("no row " + name));
    }
    bool decoyUntouched()
    {
        return db_.scalar("select count(*) from NDTAIL where NOADD='decoy' and ODRF=3 and MVE='T'").toInt() == 1;
    }

private:
    void openLists()
    {
        TdMf &m = db_.module();
        m.TAlst.setCommandText("select * from NDTAIL where ABFS='A' Order by ODRF");
        m.TAlst.open();
        if (level_ == GroupLevel::WorkItems)
            return;
        m.TBlst.setCommandText("select * from NDTAIL where ABFS='B' and ACODE=? Order by ODRF", {1});
        m.TBlst.open();
        if (level_ == GroupLevel::MiddleGroups)
            return;
        m.TFlst.setCommandText("select * from NDTAIL where ABFS='F' and ACODE=? and BCODE=? Order by ODRF", {1, 1});
        m.TFlst.open();
    }

    TempDatabase db_;
    GroupLevel level_;
};

// One row of the running _data() table for each of the three lists.
template <typename... Values>
void NewRowPerLevel(const QByteArray &name, const Values &...values)
{
    for (GroupLevel level : {GroupLevel::WorkItems, GroupLevel::MiddleGroups, GroupLevel::SmallGroups}) {
        const QByteArray tag = name + " (" + LetterOf(level).toLatin1() + ")";
        ((QTest::newRow(tag.constData()) << level) << ... << values);
    }
}

} // namespace

class TestGroupList : public QObject {
    Q_OBJECT

private slots:
    void init() { DataChanged = false; }

    void aDroppedRowLandsJustBeforeItsTarget_data()
    {
        QTest::addColumn<GroupLevel>("level");
        QTest::addColumn<QList<int>>("odrfs");
        QTest::addColumn<QString>("marked");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("after");
        NewRowPerLevel("row 5 of 7 onto row 2: the number after the moved row's old place stays free",
                       QList<int>{1, 2, 3, 4, 5, 6, 7}, QString("r5"), QString("r2"),
                       QStringList{"r1:1", "r5:2", "r2:3", "r3:4", "r4:5", "r6:7", "r7:8"});
        NewRowPerLevel("row 2 onto row 5: a marked row above its target moves too", QList<int>{1, 2, 3, 4, 5, 6, 7},
                       QString("r2"), QString("r5"), QStringList{"r1:1", "r3:3", "r4:4", "r2:5", "r5:6", "r6:7", "r7:8"});
        NewRowPerLevel("onto the first row", QList<int>{1, 2, 3}, QString("r3"), QString("r1"),
                       QStringList{"r3:1", "r1:2", "r2:3"});
        NewRowPerLevel("the first row onto the last", QList<int>{1, 2, 3}, QString("r1"), QString("r3"),
                       QStringList{"r2:2", "r1:3", "r3:4"});
        NewRowPerLevel("after a gap", QList<int>{1, 2, 4, 7, 8}, QString("r5"), QString("r4"),
                       QStringList{"r1:1", "r2:2", "r3:4", "r5:7", "r4:8"});
    }
    void aDroppedRowLandsJustBeforeItsTarget()
    {
        QFETCH(GroupLevel, level);
        QFETCH(QList<int>, odrfs);
        QFETCH(QString, marked);
        QFETCH(QString, target);
        QFETCH(QStringList, after);
        ListFixture f(level, odrfs);
        GroupList list(level);
        f.goTo(marked);
        list.MarkForMove();
        QVERIFY(f.shown().contains(marked + ":" + QString::number(odrfs.at(marked.mid(1).toInt() - 1)) + "*"));
        QVERIFY(!DataChanged);

        f.goTo(target);
        QVERIFY(list.DropMovedRows());

        QCOMPARE(f.shown(), after);
        QCOMPARE(f.stored(), after);
        QCOMPARE(f.current(), marked);
        QVERIFY(DataChanged);
        QVERIFY(f.decoyUntouched());
    }

    void renumberingClosesTheGapsAndKeepsTheCurrentRow_data()
    {
        QTest::addColumn<GroupLevel>("level");
        QTest::addColumn<QString>("current");
        NewRowPerLevel("first row", QString("r1"));
        NewRowPerLevel("row after a gap", QString("r3"));
        NewRowPerLevel("marked row", QString("r4"));
        NewRowPerLevel("last row", QString("r5"));
    }
    void renumberingClosesTheGapsAndKeepsTheCurrentRow()
    {
        QFETCH(GroupLevel, level);
        QFETCH(QString, current);
        ListFixture f(level, {1, 2, 4, 7, 8});
        GroupList list(level);
        f.goTo("r4");
        list.MarkForMove();
        f.goTo(current);

        list.RenumberOrder();

        const QStringList numbered{"r1:1", "r2:2", "r3:3", "r4:4", "r5:5"};
        QCOMPARE(f.shown(), numbered);
        QCOMPARE(f.stored(), numbered);
        QCOMPARE(f.current(), current);
        QVERIFY(DataChanged);
        QVERIFY(f.decoyUntouched());
    }

    void deletingARowLeavesTheRightRowsAndTheRightRowCurrent_data()
    {
        QTest::addColumn<GroupLevel>("level");
        QTest::addColumn<QList<int>>("odrfs");
        QTest::addColumn<QString>("tag"); // of the deleted row; empty: the level letter
        QTest::addColumn<int>("deleted");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("current");
        const QList<int> five{1, 2, 3, 4, 5};
        const QStringList withoutThird{"r1:1", "r2:2", "r4:3", "r5:4"};
        NewRowPerLevel("group row 3 of 5 with its rows below", five, QString(), 3, withoutThird, QString("r4"));
        NewRowPerLevel("left-out row alone", five, QString("E"), 3, withoutThird, QString("r4"));
        NewRowPerLevel("rate row alone", five, QString("R"), 3, withoutThird, QString("r4"));
        NewRowPerLevel("subtotal row alone", five, QString("T"), 3, withoutThird, QString("r4"));
        NewRowPerLevel("the first row", five, QString(), 1, QStringList{"r2:1", "r3:2", "r4:3", "r5:4"}, QString("r2"));
        NewRowPerLevel("the last row: the new last is current", five, QString(), 5,
                       QStringList{"r1:1", "r2:2", "r3:3", "r4:4"}, QString("r4"));
        NewRowPerLevel("a row after a gap is no last row", QList<int>{1, 2, 4, 7, 8}, QString(), 4,
                       QStringList{"r1:1", "r2:2", "r3:3", "r5:4"}, QString("r5"));
    }
    void deletingARowLeavesTheRightRowsAndTheRightRowCurrent()
    {
        QFETCH(GroupLevel, level);
        QFETCH(QList<int>, odrfs);
        QFETCH(QString, tag);
        QFETCH(int, deleted);
        QFETCH(QStringList, after);
        QFETCH(QString, current);
        ListFixture f(level, odrfs);
        f.insertLowerRows(deleted);
        if (!tag.isEmpty())
            f.db().module().SQLConect.execute("update NDTAIL set TAG=? where NOADD=?", {tag, "r" + QString::number(deleted)});
        QVERIFY(f.db().module().SQLConect.commit());
        f.list().refresh();
        const int lowerBefore = f.lowerRowCount(deleted);
        QVERIFY(lowerBefore > 0);
        f.goTo("r" + QString::number(deleted));

        GroupList(level).DeleteCurrentRow();

        QCOMPARE(f.shown(), after);
        QCOMPARE(f.stored(), after);
        QCOMPARE(f.current(), current);
        QVERIFY(DataChanged);
        const bool cascade = tag.isEmpty();
        QCOMPARE(f.lowerRowCount(deleted), cascade ? 0 : lowerBefore);
        // Breakdown key 1 was used only below the deleted row, key 2 also elsewhere.
        QCOMPARE(f.count("ABFS='X' and ICD1=1"), cascade ? 0 : 1);
        QCOMPARE(f.count("ABFS='X' and ICD1=2"), 1);
        QCOMPARE(f.count("ABFS='W'"), 1);
        QCOMPARE(f.count("ABFS='S' and ACODE=9"), 1);
        QVERIFY(f.decoyUntouched());
        QVERIFY(!f.db().module().SQLConect.inTransaction());
    }

    // The purge, the cascade, the row's own delete and the renumbering are one command:
    // when the table refuses the row's delete, the rows below and the breakdown rows are
    // all still there, and the list shows what the table kept.
    void aRefusedDeleteTakesBackTheWholeCommand_data()
    {
        QTest::addColumn<GroupLevel>("level");
        NewRowPerLevel("row 2 of 3 refused");
    }
    void aRefusedDeleteTakesBackTheWholeCommand()
    {
        QFETCH(GroupLevel, level);
        ListFixture f(level, {1, 2, 4});
        f.insertLowerRows(2);
        WorkConnection &connection = f.db().module().SQLConect;
        connection.execute("CREATE EXCEPTION ROW_KEPT 'this row stays'");
        QVERIFY(connection.commit());
        connection.execute("CREATE TRIGGER KEEP_ROW FOR NDTAIL BEFORE DELETE AS BEGIN "
                           "IF (OLD.NOADD = 'r2') THEN EXCEPTION ROW_KEPT; END");
        QVERIFY(connection.commit());
        const int lowerBefore = f.lowerRowCount(2);
        f.goTo("r2");

        QVERIFY_THROWS_EXCEPTION(DatabaseError, GroupList(level).DeleteCurrentRow());

        QCOMPARE(f.shown(), (QStringList{"r1:1", "r2:2", "r3:4"}));
        QCOMPARE(f.stored(), f.shown());
        QCOMPARE(f.lowerRowCount(2), lowerBefore);
        QCOMPARE(f.count("ABFS='X'"), 2);
        QVERIFY(!DataChanged);
        QVERIFY(!connection.inTransaction());
        QCOMPARE(connection.commandDepth(), 0);
    }

    // The recalculation prices every ordinary row of the list from its line items as one
    // command: a row that cannot be priced (a sum beyond the fixed-point range) takes
    // back what the rows before it got.
    void recalculatingPricesTheListAsOneCommand_data()
    {
        QTest::addColumn<GroupLevel>("level");
        QTest::addColumn<bool>("overflow");
        NewRowPerLevel("priced", false);
        NewRowPerLevel("the second row beyond the range", true);
    }
    void recalculatingPricesTheListAsOneCommand()
    {
        QFETCH(GroupLevel, level);
        QFETCH(bool, overflow);
        ListFixture f(level, {1, 2});
        const auto lineOf = [&f](int code, double material) {
            QVariantList keys = f.keysOf(code);
            while (keys.size() < 3)
                keys.append(0);
            f.db().insertRow({{"ACODE", keys[0]}, {"BCODE", keys[1]}, {"SCODE", keys[2]}, {"ABFS", "S"}, {"TAG", "N"},
                              {"ODRF", 1}, {"INO", 1}, {"PCST11", material}, {"PCST12", material}, {"CSTTAL", material}});
        };
        lineOf(1, 100);
        lineOf(2, overflow ? 1e300 : 50);
        GroupList list(level);
        f.goTo("r2");
        const auto prices = [&f] {
            return f.db().scalar("select PCST11 from NDTAIL where NOADD='r1'").toDouble() * 1000
                   + f.db().scalar("select PCST11 from NDTAIL where NOADD='r2'").toDouble();
        };

        if (overflow) {
            QVERIFY_THROWS_EXCEPTION(NumberError, list.RecalcAmounts());
            QCOMPARE(prices(), 0.0);
            QVERIFY(!DataChanged);
        } else {
            list.RecalcAmounts();
            QCOMPARE(prices(), 100050.0);
            QVERIFY(DataChanged);
            // Again: nothing left to change.
            DataChanged = false;
            list.RecalcAmounts();
            QVERIFY(!DataChanged);
        }
        QCOMPARE(f.current(), QStringLiteral("r2"));
        QCOMPARE(f.list().asDouble("PCST11"), overflow ? 0.0 : 50.0);
        QVERIFY(!f.db().module().SQLConect.inTransaction());
        QVERIFY(f.decoyUntouched());
    }

    void leavingMoveModeClearsTheMarksOfTheListOnly_data()
    {
        QTest::addColumn<GroupLevel>("level");
        NewRowPerLevel("F9 twice");
    }
    void leavingMoveModeClearsTheMarksOfTheListOnly()
    {
        QFETCH(GroupLevel, level);
        ListFixture f(level, {1, 2, 4, 5});
        GroupList list(level);
        f.goTo("r3");
        list.MarkForMove();
        list.ClearMoveMarks();
        QCOMPARE(f.shown(), (QStringList{"r1:1", "r2:2", "r3:4", "r4:5"}));
        QCOMPARE(f.stored(), f.shown());
        QCOMPARE(f.current(), QStringLiteral("r3"));
        QVERIFY(!DataChanged);
        QVERIFY(f.decoyUntouched());
    }
};

VEK_TEST(TestGroupList)
#include "tst_GroupList.moc"
