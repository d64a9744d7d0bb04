#include "core/DataModule.h"
#include "core/DatabaseError.h"
#include "core/ProgramState.h"
#include "core/RowAmounts.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestRegistry.h"

#include <QSqlQuery>
#include <QTest>

#include <memory>

using namespace vek;

namespace {

const QString NodeItems = QStringLiteral(
    "select * from NDTAIL where ABFS='S' and TAG<>'M' and ACODE=? and BCODE=? and SCODE=? Order by ODRF");
const QString Breakdown = QStringLiteral(
    "select * from NDTAIL where ABFS='X' and ICD1=? and ICD2=? and ICD3=? Order by ODRF");

} // namespace

class TestDataModule : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDatabase> db;

    TdMf &m() { return db->module(); }

    // Work item 1 open in TAlst, line items of (1, 0, 0) in TSlst.
    void openWorkItem()
    {
        m().TAlst.setCommandText("select * from NDTAIL where ABFS='A' Order by ODRF");
        m().TAlst.open();
        m().TSlst.setCommandText(NodeItems, {1, 0, 0});
        m().TSlst.open();
    }

    // Stores row as a line item of work item 1 (an ordinary line unless it names its
    // TAG) and opens that work item's list.
    void openWorkItemWith(QVariantHash row)
    {
        row.insert("ACODE", 1);
        row.insert("ABFS", "S");
        if (!row.contains("TAG"))
            row.insert("TAG", "N");
        db->insertRow(row);
        openWorkItem();
    }

    QList<int> orders(const QString &where, const QVariantList &params = {})
    {
        QSqlQuery query = m().SQLConect.select("select ODRF from NDTAIL where " + where + " order by RID", params);
        QList<int> result;
        while (query.next())
            result.append(query.value(0).toInt());
        return result;
    }

    // Three line items a, b, c of work item 1 in ODRF order, open in TSlst.
    void openThreeItems()
    {
        for (int odrf = 1; odrf <= 3; ++odrf)
            db->insertRow({{"ACODE", 1}, {"ABFS", "S"}, {"TAG", "N"}, {"ODRF", odrf}, {"NAME", QString(QChar('a' + odrf - 1))}});
        openWorkItem();
    }

    // The cached rows in their order, each "name:ODRF", and the same read from the table.
    QStringList cachedList()
    {
        Dataset &items = m().TSlst;
        QStringList list;
        for (int recNo = 0; recNo < items.recordCount(); ++recNo)
            list.append(items.displayTextOf(recNo, items.fieldIndex("NAME")) + ':'
                        + items.displayTextOf(recNo, items.fieldIndex("ODRF")));
        return list;
    }
    QStringList tableList()
    {
        QSqlQuery query = m().SQLConect.select("select NAME, ODRF from NDTAIL where ABFS='S' order by ODRF, RID");
        QStringList list;
        while (query.next())
            list.append(query.value(0).toString() + ':' + query.value(1).toString());
        return list;
    }

private slots:
    void init()
    {
        InsertMode = false;
        db = std::make_unique<TempDatabase>();
        db->insertRow({{"ACODE", 1}, {"ABFS", "A"}, {"TAG", "A"}, {"ODRF", 1}});
    }
    void cleanup() { db.reset(); }

    void lineItemFields_data()
    {
        QTest::addColumn<QVariantHash>("row");
        QTest::addColumn<QString>("pcst22");
        QTest::addColumn<double>("lcst22");
        QTest::addColumn<double>("scst22");
        QTest::addColumn<double>("tcst31");
        QTest::addColumn<double>("tcst32");
        QTest::addColumn<QString>("noCal");
        QTest::addColumn<QString>("mark");
        QTest::newRow("quantity -2 x labour 1,000.5")
            << QVariantHash{{"INO", -2}, {"LCST11", 1000.5}, {"SCST11", 10}, {"NOADD", "2 * 3"}}
            << "            0" << -2001.0 << -20.0 << 1010.5 << -2021.0 << "6" << "○";
        QTest::newRow("material 1,000.5 rounds to 1000")
            << QVariantHash{{"INO", 1}, {"PCST11", 1000.5}, {"PCST12", 1000}, {"TAG", "D"}}
            << "        1,000" << 0.0 << 0.0 << 1000.0 << 1000.0 << "" << "●";
        QTest::newRow("0.29 x 100 gives 29")
            << QVariantHash{{"INO", 0.29}, {"PCST11", 100}, {"LCST11", 100}, {"SCST11", 100}, {"MVE", "T"}}
            << "           29" << 29.0 << 29.0 << 300.0 << 58.0 << "" << "☞";
        QTest::newRow("supplied material")
            << QVariantHash{{"INO", 2}, {"PCST11", 300}, {"PCST12", 600}, {"LCST11", 50}, {"RECV", 300}}
            << SuppliedMaterialText << 100.0 << 0.0 << 350.0 << 100.0 << "" << "○";
        QTest::newRow("subtotal row shows its stored amounts")
            << QVariantHash{{"INO", 5}, {"PCST12", 1234}, {"LCST12", 5}, {"SCST12", 6}, {"LCST11", 99}, {"TAG", "T"}}
            << "        1,234" << 5.0 << 6.0 << 99.0 << 1245.0 << "" << "○";
        QTest::newRow("invalid formula")
            << QVariantHash{{"NOADD", "2*(3"}} << "            0" << 0.0 << 0.0 << 0.0 << 0.0 << "???" << "○";
        QTest::newRow("formula value cut to its 10 characters")
            << QVariantHash{{"NOADD", "123456789*1000.5"}} << "            0" << 0.0 << 0.0 << 0.0 << 0.0 << "1235185173" << "○";
        QTest::newRow("negative formula value of 10 characters")
            << QVariantHash{{"NOADD", "1-1234.5678"}} << "            0" << 0.0 << 0.0 << 0.0 << 0.0 << "-1233.5678" << "○";
        QTest::newRow("blank formula")
            << QVariantHash{{"NOADD", "   "}} << "            0" << 0.0 << 0.0 << 0.0 << 0.0 << "" << "○";
    }
    void lineItemFields()
    {
        QFETCH(QVariantHash, row);
        QFETCH(QString, pcst22);
        QFETCH(double, lcst22);
        QFETCH(double, scst22);
        QFETCH(double, tcst31);
        QFETCH(double, tcst32);
        QFETCH(QString, noCal);
        QFETCH(QString, mark);
        openWorkItemWith(row);
        Dataset &items = m().TSlst;
        QCOMPARE(items.recordCount(), 1);
        QCOMPARE(items.asString("PCST22"), pcst22);
        QCOMPARE(items.asDouble("LCST22"), lcst22);
        QCOMPARE(items.asDouble("SCST22"), scst22);
        QCOMPARE(items.asDouble("TCST31"), tcst31);
        QCOMPARE(items.asDouble("TCST32"), tcst32);
        QCOMPARE(items.asString("NoCal"), noCal);
        QCOMPARE(items.asString("rTg"), mark);
    }

    void postStoresTheShownAmounts_data()
    {
        QTest::addColumn<QVariantHash>("row");
        QTest::addColumn<double>("pcst12");
        QTest::addColumn<double>("lcst12");
        QTest::addColumn<double>("scst12");
        QTest::addColumn<double>("csttal");
        QTest::newRow("ordinary") << QVariantHash{{"INO", 0.29}, {"PCST11", 100}, {"LCST11", 100}, {"SCST11", 1000.5}}
                                  << 29.0 << 29.0 << 290.0 << 348.0;
        QTest::newRow("negative quantity") << QVariantHash{{"INO", -2}, {"LCST11", 1000.5}} << 0.0 << -2001.0 << 0.0
                                           << -2001.0;
        QTest::newRow("supplied material") << QVariantHash{{"INO", 2}, {"PCST11", 300}, {"LCST11", 50}, {"RECV", 300}}
                                           << 0.0 << 100.0 << 0.0 << 100.0;
        // Wider than the 13 places of its text: stored whole, not as 0 or cut.
        QTest::newRow("large amount") << QVariantHash{{"INO", 1000}, {"PCST11", 123456789012.0}}
                                      << 123456789012000.0 << 0.0 << 0.0 << 123456789012000.0;
        QTest::newRow("subtotal unchanged")
            << QVariantHash{{"TAG", "T"}, {"INO", 3}, {"PCST11", 7}, {"PCST12", 11}, {"LCST12", 12}, {"SCST12", 13}, {"CSTTAL", 99}}
            << 11.0 << 12.0 << 13.0 << 99.0;
    }
    void postStoresTheShownAmounts()
    {
        QFETCH(QVariantHash, row);
        QFETCH(double, pcst12);
        QFETCH(double, lcst12);
        QFETCH(double, scst12);
        QFETCH(double, csttal);
        openWorkItemWith(row);
        Dataset &items = m().TSlst;
        items.edit();
        items.setValue("NAME", "고친 행");
        items.post();
        QSqlQuery stored = m().SQLConect.select("select PCST12, LCST12, SCST12, CSTTAL, NAME from NDTAIL where ABFS='S'");
        QVERIFY(stored.next());
        QCOMPARE(stored.value(0).toDouble(), pcst12);
        QCOMPARE(stored.value(1).toDouble(), lcst12);
        QCOMPARE(stored.value(2).toDouble(), scst12);
        QCOMPARE(stored.value(3).toDouble(), csttal);
        QCOMPARE(stored.value(4).toString(), QStringLiteral("고친 행"));
    }

    void breakdownRowFields_data()
    {
        QTest::addColumn<QVariantHash>("row");
        QTest::addColumn<QString>("pcst22");
        QTest::addColumn<double>("lcst22");
        QTest::addColumn<double>("tcst32");
        QTest::addColumn<double>("pcst12");
        QTest::newRow("one decimal, cut") << QVariantHash{{"INO", 1.5}, {"PCST11", 10.07}, {"LCST11", 333.33}}
                                          << "        15.1" << 499.9 << 515.0 << 15.1;
        // 1.29495 shows 1.29 to two decimals, so 1.2: rounding to four decimals first
        // would make it 1.2950 and store 1.3.
        QTest::newRow("half past the second decimal") << QVariantHash{{"INO", 0.5}, {"PCST11", 2.5899}}
                                                      << "         1.2" << 0.0 << 1.2 << 1.2;
        QTest::newRow("negative") << QVariantHash{{"INO", -1}, {"PCST11", 2.25}, {"LCST11", 0.29}}
                                  << "        -2.2" << -0.2 << -2.4 << -2.2;
        QTest::newRow("supplied") << QVariantHash{{"INO", 2}, {"PCST11", 5}, {"LCST11", 1.25}, {"RECV", 5}}
                                  << SuppliedMaterialText << 2.5 << 2.5 << 0.0;
        QTest::newRow("large amount") << QVariantHash{{"INO", 3}, {"PCST11", 123456789.89}}
                                      << "370,370,369.6" << 0.0 << 370370369.6 << 370370369.6;
    }
    void breakdownRowFields()
    {
        QFETCH(QVariantHash, row);
        QFETCH(QString, pcst22);
        QFETCH(double, lcst22);
        QFETCH(double, tcst32);
        QFETCH(double, pcst12);
        row.insert("ABFS", "X");
        row.insert("TAG", "N");
        row.insert("ICD1", 4);
        row.insert("ICD2", 5);
        row.insert("ICD3", 6);
        row.insert("ODRF", 3);
        db->insertRow(row);
        Dataset &details = m().Tdtail;
        details.setCommandText(Breakdown, {4, 5, 6});
        details.open();
        QCOMPARE(details.asString("rOdr"), QStringLiteral("3"));
        QCOMPARE(details.asString("PCST22"), pcst22);
        QCOMPARE(details.asDouble("LCST22"), lcst22);
        QCOMPARE(details.asDouble("TCST32"), tcst32);
        details.edit();
        details.post();
        QCOMPARE(db->scalar("select PCST12 from NDTAIL where ABFS='X'").toDouble(), pcst12);
        QCOMPARE(db->scalar("select LCST12 from NDTAIL where ABFS='X'").toDouble(), lcst22);
        QCOMPARE(db->scalar("select CSTTAL from NDTAIL where ABFS='X'").toDouble(), tcst32);
    }

    // Numbers beyond the fixed-point range, as a foreign document may hold them: every
    // list shows them in full, and working out what a row shows never throws.
    void valuesBeyondTheRangeShowInEveryListColumn()
    {
        QVariantHash huge;
        for (const char *column : {"PCST11", "PCST12", "LCST11", "LCST12", "SCST11", "SCST12", "CSTTAL", "RECV",
                                      "PRT1", "LRT4", "PCSTA", "LRTE"})
            huge.insert(column, 1e300);
        const auto row = [&](const QVariantHash &keys, double quantity) {
            QVariantHash values = huge;
            values.insert(keys);
            values.insert("INO", quantity);
            db->insertRow(values);
        };
        row({{"ACODE", 2}, {"ABFS", "A"}, {"TAG", "A"}, {"ODRF", 2}}, 2);
        row({{"ACODE", 1}, {"ABFS", "S"}, {"TAG", "N"}, {"ODRF", 1}, {"RECV", 0}}, 2);
        row({{"ACODE", 1}, {"ABFS", "S"}, {"TAG", "D"}, {"ODRF", 2}, {"RECV", 0}}, 1e300); // products beyond any double
        row({{"ACODE", 1}, {"ABFS", "S"}, {"TAG", "T"}, {"ODRF", 3}, {"ICD1", 1}}, 2);
        row({{"ABFS", "X"}, {"TAG", "N"}, {"ICD1", 4}, {"ICD2", 5}, {"ICD3", 6}, {"ODRF", 1}}, 2);
        row({{"ABFS", "X"}, {"TAG", "N"}, {"ICD1", 4}, {"ICD2", 5}, {"ICD3", 6}, {"ODRF", 2}, {"RECV", 0}}, -2);
        openWorkItem();
        m().Tdtail.setCommandText(Breakdown, {4, 5, 6});
        m().Tdtail.open();
        m().TpSlst.setCommandText("select * from NDTAIL where ABFS='S' Order by ODRF");
        m().TpSlst.open();
        m().qDList.open();

        const QString full = "1" + QString(",000").repeated(100);
        for (Dataset *list : {&m().TAlst, &m().TSlst, &m().Tdtail, &m().TpSlst, &m().qDList}) {
            QVERIFY(list->recordCount() >= 1);
            for (int recNo = 0; recNo < list->recordCount(); ++recNo) {
                for (int field = 0; field < list->fieldCount(); ++field) {
                    const QString name = list->fieldName(field);
                    QString text;
                    try {
                        text = list->displayTextOf(recNo, field);
                    } catch (const std::exception &error) {
                        QFAIL(qPrintable(list->name() + " " + name + ": " + error.what()));
                    }
                    if (huge.contains(name) && !list->displayFormat(name).isEmpty() && list->valueOf(recNo, field) == 1e300)
                        QVERIFY2(text == full, qPrintable(list->name() + " " + name + ": " + text.left(20)));
                }
            }
        }
        QCOMPARE(m().TSlst.asString("PCST22"), "2" + QString(",000").repeated(100));
        QCOMPARE(m().TSlst.displayText("TCST31"), "3" + QString(",000").repeated(100));
        m().TSlst.next();
        QCOMPARE(m().TSlst.asString("PCST22"), QStringLiteral("INF"));
        m().TSlst.next();
        QCOMPARE(m().TSlst.asString("PCST22"), full); // a subtotal row shows its stored amount
        m().Tdtail.last();
        QCOMPARE(m().Tdtail.asString("PCST22"), "-2" + QString(",000").repeated(100));
    }

    // The grids show the digits a person reads, not the binary tail of the product.
    void displayFormatsRoundTheDecimalDigits()
    {
        db->insertRow({{"ABFS", "X"}, {"TAG", "N"}, {"ICD1", 4}, {"ICD2", 5}, {"ICD3", 6}, {"INO", 1},
                       {"PCST11", 16917236612.349998}});
        m().Tdtail.setCommandText(Breakdown, {4, 5, 6});
        m().Tdtail.open();
        QCOMPARE(m().Tdtail.displayText("PCST11"), QStringLiteral("16,917,236,612.3"));
    }

    void displayFormats()
    {
        db->insertRow({{"ACODE", 1}, {"ABFS", "S"}, {"TAG", "N"}, {"INO", 3}, {"LCST11", 1234567.5}});
        openWorkItem();
        QCOMPARE(m().TSlst.displayText("LCST11"), QStringLiteral("1,234,568"));
        QCOMPARE(m().TSlst.displayText("LCST22"), QStringLiteral("3,703,702"));
        QCOMPARE(m().TSlst.displayText("SCST11"), QString()); // "#" shows no digit for 0
        QCOMPARE(m().TAlst.asString("rTg"), QStringLiteral("1"));
    }

    void appendModeNumbersFromTheLastRow()
    {
        openWorkItem();
        Dataset &items = m().TSlst;
        items.insert();
        QCOMPARE(items.asInteger("ODRF"), 1); // 1 in an empty list
        items.setValue("NAME", "첫 행");
        items.post();
        items.insert();
        QCOMPARE(items.asInteger("ODRF"), 2);
        items.post();
        QCOMPARE(orders("ABFS='S'"), (QList<int>{1, 2}));
        QSqlQuery row = m().SQLConect.select("select ACODE, BCODE, SCODE, ABFS, TAG, INO, PRT4, ICD3 from NDTAIL where ABFS='S'");
        QVERIFY(row.next());
        QCOMPARE(row.value(0).toInt(), 1);
        QCOMPARE(row.value(1).toInt(), 0);
        QCOMPARE(row.value(2).toInt(), 0);
        QCOMPARE(row.value(3).toString().trimmed(), QStringLiteral("S"));
        QCOMPARE(row.value(4).toString().trimmed(), QStringLiteral("N"));
        QVERIFY(!row.value(5).isNull() && !row.value(6).isNull() && !row.value(7).isNull());
    }

    void insertModeOnAnEmptyListShiftsNothing()
    {
        db->insertRow({{"ACODE", 2}, {"ABFS", "S"}, {"TAG", "N"}, {"ODRF", 1}});
        InsertMode = true;
        openWorkItem();
        m().TSlst.insert();
        QCOMPARE(m().TSlst.asInteger("ODRF"), 1);
        m().TSlst.post();
        QCOMPARE(orders("ABFS='S' and ACODE=2"), QList<int>{1});
    }

    void insertModeShiftsTheFollowingRowsOfItsNode()
    {
        db->insertRow({{"ACODE", 1}, {"BCODE", 1}, {"ABFS", "B"}, {"TAG", "B"}, {"ODRF", 1}});
        for (int odrf = 1; odrf <= 3; ++odrf)
            db->insertRow({{"ACODE", 1}, {"BCODE", 1}, {"ABFS", "S"}, {"TAG", "N"}, {"ODRF", odrf}});
        db->insertRow({{"ACODE", 1}, {"BCODE", 1}, {"ABFS", "S"}, {"TAG", "M"}, {"ODRF", 2}});  // labour row
        db->insertRow({{"ACODE", 1}, {"BCODE", 2}, {"ABFS", "S"}, {"TAG", "N"}, {"ODRF", 2}});  // other group
        db->insertRow({{"ACODE", 2}, {"BCODE", 1}, {"ABFS", "S"}, {"TAG", "N"}, {"ODRF", 2}});  // other work item
        m().TAlst.open();
        m().TBlst.setCommandText("select * from NDTAIL where ABFS='B' and ACODE=? Order by ODRF", {1});
        m().TBlst.open();
        m().TSlst.setCommandText(NodeItems, {1, 1, 0});
        m().TSlst.open();
        InsertMode = true;
        m().TSlst.setRecNo(1);
        m().TSlst.insert();
        QCOMPARE(m().TSlst.asInteger("ODRF"), 2);
        QCOMPARE(m().TSlst.asInteger("BCODE"), 1);
        m().TSlst.post();
        QCOMPARE(orders("ABFS='S' and TAG<>'M' and ACODE=1 and BCODE=1"), (QList<int>{1, 3, 4, 2}));
        QCOMPARE(orders("TAG='M'"), QList<int>{2});
        QCOMPARE(orders("ABFS='S' and (ACODE=2 or BCODE=2)"), (QList<int>{2, 2}));
    }

    void aCancelledInsertTakesBackItsShift()
    {
        for (int odrf = 1; odrf <= 2; ++odrf)
            db->insertRow({{"ACODE", 1}, {"ABFS", "S"}, {"TAG", "N"}, {"ODRF", odrf}});
        openWorkItem();
        InsertMode = true;
        m().TSlst.insert();
        m().TSlst.cancel();
        QCOMPARE(orders("ABFS='S'"), (QList<int>{1, 2}));
    }

    void appendsWithoutARefreshEachComeLast()
    {
        openThreeItems();
        Dataset &items = m().TSlst;
        items.first();
        for (const char *name : {"w", "x", "y", "z"}) {
            items.insert();
            items.setValue("NAME", name);
            items.post();
        }
        const QStringList expected{"a:1", "b:2", "c:3", "w:4", "x:5", "y:6", "z:7"};
        QCOMPARE(tableList(), expected);
        QCOMPARE(cachedList(), expected);
    }

    void insertsWithoutARefreshEachGoBeforeTheirOwnRow()
    {
        openThreeItems();
        InsertMode = true;
        Dataset &items = m().TSlst;
        items.setRecNo(2); // c
        items.insert();
        items.setValue("NAME", "x");
        items.post();
        QCOMPARE(cachedList(), (QStringList{"a:1", "b:2", "x:3", "c:4"}));
        items.setRecNo(1); // b
        items.insert();
        items.setValue("NAME", "y");
        items.post();
        const QStringList expected{"a:1", "y:2", "b:3", "x:4", "c:5"};
        QCOMPARE(tableList(), expected);
        QCOMPARE(cachedList(), expected);
        // A cancelled insert takes its shift back in the table and in the cache.
        items.setRecNo(0);
        items.insert();
        QCOMPARE(cachedList(), (QStringList{"a:2", "y:3", "b:4", "x:5", "c:6"}));
        items.cancel();
        QCOMPARE(tableList(), expected);
        QCOMPARE(cachedList(), expected);
    }

    // The engine refuses the first post of an inserted row; the retry still makes room.
    void aRefusedInsertRetriedKeepsItsPlace()
    {
        m().SQLConect.execute("CREATE EXCEPTION REFUSED 'refused by the test'");
        QVERIFY(m().SQLConect.commit());
        m().SQLConect.execute("CREATE TRIGGER REFUSE_NAMED FOR NDTAIL BEFORE INSERT AS BEGIN "
                              "IF (NEW.NAME = '거부') THEN EXCEPTION REFUSED; END");
        QVERIFY(m().SQLConect.commit());
        for (int odrf = 1; odrf <= 2; ++odrf)
            db->insertRow({{"ACODE", 1}, {"ABFS", "S"}, {"TAG", "N"}, {"ODRF", odrf}, {"NAME", odrf == 1 ? "first" : "second"}});
        openWorkItem();
        InsertMode = true;
        Dataset &items = m().TSlst;
        items.setRecNo(1);
        items.insert();
        items.setValue("NAME", "거부");
        QVERIFY_THROWS_EXCEPTION(DatabaseError, items.post());
        QCOMPARE(items.state(), DatasetState::Insert);
        items.setValue("NAME", "new");
        items.post();
        const QStringList expected{"first:1", "new:2", "second:3"};
        QCOMPARE(tableList(), expected);
        QCOMPARE(cachedList(), expected);
    }

    void breakdownInsertStaysInsideItsKey()
    {
        db->insertRow({{"ACODE", 1}, {"ABFS", "S"}, {"TAG", "D"}, {"ICD1", 7}, {"ICD2", 8}, {"ICD3", 9}, {"ODRF", 1}});
        for (int odrf = 1; odrf <= 2; ++odrf) {
            db->insertRow({{"ABFS", "X"}, {"TAG", "N"}, {"ICD1", 7}, {"ICD2", 8}, {"ICD3", 9}, {"ODRF", odrf}});
            db->insertRow({{"ABFS", "X"}, {"TAG", "N"}, {"ICD1", 7}, {"ICD2", 8}, {"ICD3", 10}, {"ODRF", odrf}});
        }
        openWorkItem();
        m().Tdtail.setCommandText(Breakdown, {7, 8, 9});
        m().Tdtail.open();
        InsertMode = true;
        m().Tdtail.first();
        m().Tdtail.insert();
        QCOMPARE(m().Tdtail.asInteger("ODRF"), 1);
        QCOMPARE(m().Tdtail.asString("MVE"), QStringLiteral("F"));
        QCOMPARE(m().Tdtail.asInteger("ICD3"), 9);
        QCOMPARE(m().Tdtail.asInteger("ACODE"), 0);
        m().Tdtail.post();
        QCOMPARE(orders("ABFS='X' and ICD3=9"), (QList<int>{2, 3, 1}));
        QCOMPARE(orders("ABFS='X' and ICD3=10"), (QList<int>{1, 2}));
    }

    void deletedUnitPriceItemsAreQueued()
    {
        db->insertRow({{"ACODE", 1}, {"ABFS", "S"}, {"TAG", "D"}, {"ICD1", 7}, {"ICD2", 8}, {"ICD3", 9}, {"ODRF", 1}});
        db->insertRow({{"ACODE", 1}, {"ABFS", "S"}, {"TAG", "N"}, {"ICD1", 1}, {"ICD2", 1}, {"ICD3", 1}, {"ODRF", 2}});
        openWorkItem();
        m().TSlst.deleteRecord();
        m().TSlst.deleteRecord();
        QVERIFY(m().TSlst.isEmpty());
        QCOMPARE(db->scalar("select count(*) from NDTAIL where ABFS='S'").toInt(), 0);
        m().qDgdel.open();
        QCOMPARE(m().qDgdel.recordCount(), 1);
        QCOMPARE(m().qDgdel.value(0).toInt(), 7);
        QCOMPARE(m().qDgdel.value(2).toInt(), 9);
    }

    void exportCursorShowsTheLineAmounts()
    {
        db->insertRow({{"ACODE", 1}, {"ABFS", "S"}, {"TAG", "N"}, {"INO", -2}, {"LCST11", 1000.5}, {"RECV", 7}, {"ODRF", 1}});
        Dataset &rows = m().TpSlst;
        rows.setCommandText("select * from NDTAIL where ABFS='S' Order by ODRF");
        rows.open();
        QCOMPARE(rows.asDouble("LCST22"), -2001.0);
        QCOMPARE(rows.asString("PCST22"), SuppliedMaterialText);
        QCOMPARE(rows.displayText("RECV"), QStringLiteral("7"));
        QCOMPARE(rows.fieldIndex("rTg"), -1);
        QCOMPARE(rows.fieldIndex("NoCal"), -1);
    }

    void unitPriceListTotal()
    {
        db->insertRow({{"ACODE", 1}, {"ABFS", "S"}, {"TAG", "D"}, {"PCST11", 1.5}, {"LCST11", 2}, {"SCST11", 3.25}});
        m().qDList.open();
        QCOMPARE(m().qDList.asDouble("mToTAL"), 6.75);
    }
};

VEK_TEST(TestDataModule)
#include "tst_DataModule.moc"
