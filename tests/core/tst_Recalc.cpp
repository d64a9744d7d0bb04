#include "core/Recalc.h"
#include "core/DataModule.h"
#include "core/WaitWindow.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

using namespace vek;

namespace {

struct Row {
    QString name;
    QString abfs;
    QString tag;
    int acode = 0;
    int bcode = 0;
    int scode = 0;
    int odrf = 0;
    QVariantHash more;
};

void Insert(TempDatabase &db, const Row &row)
{
    QVariantHash values = row.more;
    values.insert("NAME", row.name);
    values.insert("ABFS", row.abfs);
    values.insert("TAG", row.tag);
    values.insert("ACODE", row.acode);
    values.insert("BCODE", row.bcode);
    values.insert("SCODE", row.scode);
    values.insert("ODRF", row.odrf);
    db.insertRow(values);
}

// Stored amounts PCST12, LCST12, SCST12, CSTTAL.
QVariantHash Stored(double material, double labour, double expense, double total)
{
    return {{"PCST12", material}, {"LCST12", labour}, {"SCST12", expense}, {"CSTTAL", total}};
}

// A subtotal row of kind (1 소계, 2 계, 3 합계) with amounts that are plainly stale.
QVariantHash Subtotal(int kind)
{
    QVariantHash values = Stored(-1, -1, -1, -1);
    values.insert("ICD1", kind);
    return values;
}

double Column(TempDatabase &db, const QString &name, const QString &column)
{
    return db.scalar(QStringLiteral("select %1 from NDTAIL where NAME=?").arg(column), {name}).toDouble();
}

QList<double> AmountsOf(TempDatabase &db, const QString &name)
{
    QList<double> amounts;
    for (const char *column : {"PCST12", "LCST12", "SCST12", "CSTTAL"})
        amounts.append(Column(db, name, column));
    return amounts;
}

QList<double> PricesOf(TempDatabase &db, const QString &name)
{
    QList<double> prices;
    for (const char *column : {"PCST11", "LCST11", "SCST11"})
        prices.append(Column(db, name, column));
    return prices;
}

QList<double> Whole(const RollupSums &sums)
{
    return {double(sums.material.trunc()), double(sums.labour.trunc()), double(sums.expense.trunc()),
            double(sums.total.trunc())};
}

// A line item of group (A, B, F) with quantity and unit prices and the amounts they give.
QVariantHash Priced(double quantity, double material, double labour, double expense)
{
    QVariantHash values = Stored(quantity * material, quantity * labour, quantity * expense,
                                   quantity * (material + labour + expense));
    values.insert("INO", quantity);
    values.insert("PCST11", material);
    values.insert("LCST11", labour);
    values.insert("SCST11", expense);
    return values;
}

QVariantHash With(QVariantHash values, const QVariantHash &more)
{
    for (auto it = more.begin(); it != more.end(); ++it)
        values.insert(it.key(), it.value());
    return values;
}

enum class GroupRoutine { Section, Top };

// A group row's unit prices and amounts: PCST11, PCST12, LCST11, LCST12, SCST11, SCST12,
// CSTTAL.
QList<double> GroupValuesOf(TempDatabase &db, const QString &name)
{
    QList<double> values;
    for (const char *column : {"PCST11", "PCST12", "LCST11", "LCST12", "SCST11", "SCST12", "CSTTAL"})
        values.append(Column(db, name, column));
    return values;
}

// An estimate with every kind of branch the whole-estimate recalculation meets, all of
// its group rows stale:
//   work item "w1" (quantity 2): line items, a labour row and a unit-price item whose
//     breakdown says 40, 30, 20 where the item still says 1, 1, 1;
//   work item "w2" (quantity 1.5, SUB 1): middle group "b1" (quantity 2) over line items
//     summing 1,202.5 of material; middle group "b2" (quantity 3, SUB 1) over small group
//     "f1" (quantity 2) and a left-out small group; a 소계 middle-group row;
//   a rate row, a 합계 row and a left-out row among the work items.
void InsertWholeEstimate(TempDatabase &db)
{
    const QVariantHash stale = Stored(-7, -7, -7, -21);
    const QVariantHash key{{"ICD1", 7}, {"ICD2", 7}, {"ICD3", 7}};
    Insert(db, {"w1", "A", "A", 1, 0, 0, 1, With(stale, {{"INO", 2}})});
    Insert(db, {"w1 line", "S", "N", 1, 0, 0, 1, Priced(3, 1000, 500, 100)});
    Insert(db, {"w1 labour", "S", "M", 1, 0, 0, 2, Priced(1, 700, 700, 700)});
    Insert(db, {"w1 item", "S", "D", 1, 0, 0, 3, With(Priced(2, 1, 1, 1), key)});
    Insert(db, {"detail", "X", "N", 0, 0, 0, 1, With(Priced(1, 40, 30, 20), key)});

    Insert(db, {"w2", "A", "A", 2, 0, 0, 2, With(stale, {{"INO", 1.5}, {"SUB", 1}})});
    Insert(db, {"b1", "B", "B", 2, 1, 0, 1, With(stale, {{"INO", 2}})});
    Insert(db, {"b1 line", "S", "N", 2, 1, 0, 1, Priced(10, 120.25, 80, 5)});
    Insert(db, {"b2", "B", "B", 2, 2, 0, 2, With(stale, {{"INO", 3}, {"SUB", 1}})});
    Insert(db, {"f1", "F", "F", 2, 2, 1, 1, With(stale, {{"INO", 2}})});
    Insert(db, {"f1 line", "S", "N", 2, 2, 1, 1, Priced(4, 250, 125, 10)});
    Insert(db, {"f2 left out", "F", "E", 2, 2, 2, 2, Stored(999, 999, 999, 2997)});
    Insert(db, {"f2 line", "S", "N", 2, 2, 2, 1, Priced(1, 5000, 0, 0)});
    Insert(db, {"b subtotal", "B", "T", 2, 3, 0, 3, Subtotal(1)});

    Insert(db, {"w rate", "A", "R", 3, 0, 0, 3, Stored(100, 200, 300, 600)});
    Insert(db, {"w grand total", "A", "T", 4, 0, 0, 4, Subtotal(3)});
    Insert(db, {"w left out", "A", "E", 5, 0, 0, 5, Stored(5000, 5000, 5000, 15000)});
}

} // namespace

Q_DECLARE_METATYPE(GroupRoutine)
Q_DECLARE_METATYPE(Row)

class TestRecalc : public QObject {
    Q_OBJECT
private slots:
    void itemGroupSumsLeaveOutSubtotalExcludedAndLabourRows()
    {
        TempDatabase db;
        int odrf = 0;
        for (const char *tag : {"N", "D", "R", "P", "L", "C"})
            Insert(db, {QStringLiteral("kind %1").arg(tag), "S", tag, 1, 2, 3, ++odrf, Stored(100, 20, 3, 123)});
        Insert(db, {"labour", "S", "M", 1, 2, 3, ++odrf, Stored(5000, 5000, 5000, 15000)});
        Insert(db, {"left out", "S", "E", 1, 2, 3, ++odrf, Stored(7000, 7000, 7000, 21000)});
        Insert(db, {"subtotal", "S", "T", 1, 2, 3, ++odrf, With(Subtotal(1), Stored(9000, 9000, 9000, 27000))});
        Insert(db, {"other group", "S", "N", 1, 2, 4, 1, Stored(800, 800, 800, 2400)});
        Insert(db, {"breakdown row", "X", "N", 0, 0, 0, 1, Stored(900, 900, 900, 2700)});

        const RollupSums sums = RecalcItemGroup(1, 2, 3);
        QCOMPARE(Whole(sums), (QList<double>{600, 120, 18, 738}));
    }

    // The walk goes by ODRF, whatever order the rows were stored in; labour rows feed no
    // subtotal, as they do not in the line-item list.
    void itemWalkRewritesSubtotalsInOrder()
    {
        TempDatabase db;
        Insert(db, {"grand total", "S", "T", 1, 0, 0, 6, Subtotal(3)});
        Insert(db, {"sub 2", "S", "T", 1, 0, 0, 5, Subtotal(1)});
        Insert(db, {"third", "S", "N", 1, 0, 0, 4, Stored(50, 5, 0.5, 55.5)});
        Insert(db, {"sub 1", "S", "T", 1, 0, 0, 3, Subtotal(1)});
        Insert(db, {"labour", "S", "M", 1, 0, 0, 2, Stored(30, 30, 30, 90)});
        Insert(db, {"second", "S", "N", 1, 0, 0, 2, Stored(0.6, 0.6, 0.6, 1.8)});
        Insert(db, {"first", "S", "N", 1, 0, 0, 1, Stored(100, 10, 1, 111)});
        Insert(db, {"kind 4", "S", "T", 1, 0, 0, 7, With(Subtotal(4), Stored(7, 8, 9, 10))});
        Insert(db, {"elsewhere", "S", "T", 2, 0, 0, 1, Subtotal(3)});

        const RollupSums sums = RecalcItemGroup(1, 0, 0);

        QCOMPARE(AmountsOf(db, "sub 1"), (QList<double>{100.6, 10.6, 1.6, 112.8}));
        QCOMPARE(AmountsOf(db, "sub 2"), (QList<double>{50, 5, 0.5, 55.5}));
        QCOMPARE(AmountsOf(db, "grand total"), (QList<double>{150, 15, 2, 167}));
        QCOMPARE(AmountsOf(db, "kind 4"), (QList<double>{7, 8, 9, 10}));
        QCOMPARE(AmountsOf(db, "elsewhere"), (QList<double>{-1, -1, -1, -1}));
        QCOMPARE(Whole(sums), (QList<double>{150, 15, 2, 167}));
    }

    // The engine sums in floating point: 0.29 x 100 is 28.999... and must count as 29.
    void itemSumsTruncateThroughFixedPoint()
    {
        TempDatabase db;
        Insert(db, {"line", "S", "N", 1, 0, 0, 1, Priced(0.29, 100, 100, 0)});
        QCOMPARE(Whole(RecalcItemGroup(1, 0, 0)), (QList<double>{29, 29, 0, 58}));
    }

    void emptyListChangesNothing()
    {
        TempDatabase db;
        Insert(db, {"stays", "S", "T", 1, 0, 0, 1, Subtotal(3)});
        Insert(db, {"stays too", "F", "T", 1, 2, 3, 1, Subtotal(3)});
        QCOMPARE(Whole(RecalcItemGroup(5, 0, 0)), (QList<double>{0, 0, 0, 0}));
        QCOMPARE(Whole(RecalcSectionRows(0, 5)), (QList<double>{0, 0, 0, 0}));
        QCOMPARE(Whole(RecalcTopRows(9, 5)), (QList<double>{0, 0, 0, 0}));
        QCOMPARE(AmountsOf(db, "stays"), (QList<double>{-1, -1, -1, -1}));
        QCOMPARE(AmountsOf(db, "stays too"), (QList<double>{-1, -1, -1, -1}));
    }

    void groupListsWalkTheirRows_data()
    {
        QTest::addColumn<GroupRoutine>("routine");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("a");
        QTest::addColumn<QString>("level");
        QTest::newRow("section: middle groups of a work item") << GroupRoutine::Section << 0 << 1 << "B";
        QTest::newRow("section: small groups of a middle group") << GroupRoutine::Section << 2 << 1 << "F";
        QTest::newRow("top: small groups of a middle group") << GroupRoutine::Top << 2 << 1 << "F";
        QTest::newRow("top: work items") << GroupRoutine::Top << 0 << 0 << "A";
    }
    void groupListsWalkTheirRows()
    {
        QFETCH(GroupRoutine, routine);
        QFETCH(int, b);
        QFETCH(int, a);
        QFETCH(QString, level);
        TempDatabase db;
        // The rows of the list carry the keys the list is chosen by; the decoys do not.
        const int acode = level == "A" ? 7 : a;
        const int bcode = level == "F" ? b : 0;
        const auto add = [&](const QString &name, const QString &tag, int odrf, const QVariantHash &values) {
            Insert(db, {name, level, tag, acode, bcode, level == "F" ? odrf : 0, odrf, values});
        };
        add("grand", "T", 5, Subtotal(3));
        add("one", level, 1, Stored(100.6, 10.6, 1.6, 112.8));
        add("sub", "T", 3, Subtotal(1));
        add("two", level, 2, Stored(0.6, 0.6, 0.6, 1.8));
        add("left out", "E", 4, Stored(1000, 1000, 1000, 3000));
        add("rate", "R", 4, Stored(3, 0, 0, 3));
        if (level != "A") {
            Insert(db, {"decoy work item", "A", "A", 1, 0, 0, 1, Stored(500, 500, 500, 1500)});
            // Another work item's middle group, another middle group's small group.
            Insert(db, {"decoy", level, level, level == "B" ? acode + 1 : acode, level == "F" ? bcode + 1 : 0, 1, 1,
                        Stored(500, 500, 500, 1500)});
        }
        Insert(db, {"decoy line", "S", "N", acode, bcode, 1, 1, Stored(500, 500, 500, 1500)});

        const RollupSums sums = routine == GroupRoutine::Section ? RecalcSectionRows(b, a) : RecalcTopRows(b, a);

        QCOMPARE(AmountsOf(db, "sub"), (QList<double>{101.2, 11.2, 2.2, 114.6}));
        QCOMPARE(AmountsOf(db, "grand"), (QList<double>{104, 11, 2, 117}));
        QCOMPARE(Whole(sums), (QList<double>{104, 11, 2, 117}));
    }

    // A breakdown with a supplied-material row and a 1.1 % material rate row in slot 1,
    // used by two unit-price items of one key in different groups.
    void unitPricesReachEveryItemOfTheKey()
    {
        TempDatabase db;
        const QVariantHash key{{"ICD1", 1}, {"ICD2", 2}, {"ICD3", 3}};
        const QVariantHash rate{{"PRT1", 0.011}};
        Insert(db, {"made", "X", "N", 0, 0, 0, 1, With(With(Priced(2, 1000, 500, 100), key), rate)});
        Insert(db, {"supplied", "X", "N", 0, 0, 0, 2,
                    With(With(With(Priced(1, 0, 700, 0), {{"RECV", 3000}, {"PCST12", 3000}}), key), rate)});
        Insert(db, {"not in rate", "X", "N", 0, 0, 0, 3, With(Priced(1, 10, 0, 0), key)});
        Insert(db, {"rate row", "X", "R", 0, 0, 0, 4,
                    With(With(With(Stored(1, 1, 1, 1), key), rate), {{"NORT", 1}, {"INO", 1}})});
        Insert(db, {"other breakdown", "X", "N", 0, 0, 0, 1,
                    With(Priced(1, 99, 99, 99), {{"ICD1", 1}, {"ICD2", 2}, {"ICD3", 4}})});
        Insert(db, {"item here", "S", "D", 1, 0, 0, 1, With(Priced(3, 1, 1, 1), key)});
        Insert(db, {"item there", "S", "D", 2, 1, 0, 1, With(Priced(0.5, 1, 1, 1), key)});

        RecalcUnitPrices(1, 0);

        // Rate row: Int(0.011 x (2 x (1000 + 500 + 100) + 1 x 700)) = Int(42.9).
        QCOMPARE(PricesOf(db, "rate row"), (QList<double>{42, 0, 0}));
        QCOMPARE(AmountsOf(db, "rate row"), (QList<double>{42, 0, 0, 42}));
        // Material 2000 + 10 + 42 (none from the supplied row), labour 1000 + 700, expense 200.
        const QList<double> prices{2052, 1700, 200};
        for (const auto &[name, quantity] : {std::pair{"item here", 3.0}, std::pair{"item there", 0.5}}) {
            QCOMPARE(PricesOf(db, name), prices);
            QCOMPARE(AmountsOf(db, name), (QList<double>{quantity * 2052, quantity * 1700, quantity * 200,
                                                         quantity * 2052 + quantity * 1700 + quantity * 200}));
        }
        QCOMPARE(db.scalar("select count(*) from NDTAIL where PCST11=99").toInt(), 1);
    }

    // Rate rows among the line items: (0, 0) stands for the whole estimate, (A, 0) for a
    // work item with all its groups, (A, B) for one middle group.
    void itemRateRowsOfTheKeysAreRefreshed_data()
    {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<bool>("groupRefreshed");
        QTest::addColumn<bool>("workItemRefreshed");
        QTest::newRow("whole estimate") << 0 << 0 << true << true;
        QTest::newRow("work item with middle groups") << 1 << 0 << true << false;
        QTest::newRow("middle group") << 1 << 2 << true << false;
        QTest::newRow("other middle group") << 1 << 3 << false << false;
        QTest::newRow("work item without groups") << 4 << 0 << false << true;
    }
    void itemRateRowsOfTheKeysAreRefreshed()
    {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(bool, groupRefreshed);
        QFETCH(bool, workItemRefreshed);
        TempDatabase db;
        const QVariantHash stale = With(Stored(1, 1, 1, 3), {{"PCST11", 1}, {"LCST11", 1}, {"SCST11", 1}});
        // In small group (1, 2, 5): 10 x (100 + 50) x 10 % material.
        Insert(db, {"member", "S", "N", 1, 2, 5, 1, With(Priced(10, 100, 50, 0), {{"PRT1", 0.1}})});
        Insert(db, {"group rate", "S", "R", 1, 2, 5, 2, With(stale, {{"PRT1", 0.1}, {"NORT", 1}})});
        // Directly under work item 4: 4 x 25 x 5 % labour in slot 2.
        Insert(db, {"member 2", "S", "N", 4, 0, 0, 1, With(Priced(4, 25, 0, 0), {{"LRT2", 0.05}})});
        Insert(db, {"labour row", "S", "M", 4, 0, 0, 2, With(Priced(4, 25, 0, 0), {{"LRT2", 0.05}})});
        Insert(db, {"work item rate", "S", "R", 4, 0, 0, 3, With(stale, {{"LRT2", 0.05}, {"NORT", 2}})});

        RecalcUnitPrices(a, b);

        const QList<double> unchanged{1, 1, 1, 3};
        QCOMPARE(AmountsOf(db, "group rate"), groupRefreshed ? (QList<double>{150, 0, 0, 150}) : unchanged);
        QCOMPARE(AmountsOf(db, "work item rate"), workItemRefreshed ? (QList<double>{0, 5, 0, 5}) : unchanged);
    }

    // The rate rows of the line items follow the unit-price items they cover, refreshed
    // first in the same run; their sums truncate through fixed point. A rate row without
    // a slot 1-4 has no base and keeps its amounts.
    void itemRateRowsFollowTheNewUnitPrices()
    {
        TempDatabase db;
        const QVariantHash key{{"ICD1", 1}, {"ICD2", 1}, {"ICD3", 1}};
        Insert(db, {"detail", "X", "N", 0, 0, 0, 1, With(Priced(1, 300, 200, 100), key)});
        Insert(db, {"item", "S", "D", 1, 0, 0, 1, With(With(Priced(3, 1, 1, 1), key), {{"PRT1", 0.1}})});
        Insert(db, {"line", "S", "N", 1, 0, 0, 2, With(Priced(100, 1, 0, 0), {{"PRT1", 0.29}})});
        Insert(db, {"item rate", "S", "R", 1, 0, 0, 3, {{"PRT1", 0.1}, {"NORT", 1}}});
        Insert(db, {"line rate", "S", "R", 1, 0, 0, 4, {{"PRT1", 0.29}, {"NORT", 1}}});
        Insert(db, {"no slot", "S", "R", 1, 0, 0, 5, With(Stored(7, 8, 9, 24), {{"PRT1", 0.1}, {"NORT", 5}})});

        RecalcUnitPrices(0, 0);

        QCOMPARE(PricesOf(db, "item"), (QList<double>{300, 200, 100}));
        QCOMPARE(AmountsOf(db, "item rate"), (QList<double>{180, 0, 0, 180}));
        QCOMPARE(AmountsOf(db, "line rate"), (QList<double>{29, 0, 0, 29}));
        QCOMPARE(AmountsOf(db, "no slot"), (QList<double>{7, 8, 9, 24}));
    }

    void wholeEstimateRecalculationPricesEveryGroupRow_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QList<double>>("values");
        // PCST11, PCST12 (x INO), LCST11, LCST12, SCST11, SCST12, CSTTAL (x INO).
        QTest::newRow("work item over line items, refreshed unit-price item, no labour row")
            << "w1" << QList<double>{3080, 6160, 1560, 3120, 340, 680, 9960};
        QTest::newRow("middle group over line items, sums truncated")
            << "b1" << QList<double>{1202, 2404, 800, 1600, 50, 100, 4104};
        QTest::newRow("small group") << "f1" << QList<double>{1000, 2000, 500, 1000, 40, 80, 3080};
        QTest::newRow("middle group over small groups, the left-out one aside")
            << "b2" << QList<double>{2000, 6000, 1000, 3000, 80, 240, 9240};
        QTest::newRow("work item over middle groups and their 소계")
            << "w2" << QList<double>{8404, 12606, 4600, 6900, 340, 510, 20016};
        QTest::newRow("left-out small group untouched") << "f2 left out" << QList<double>{0, 999, 0, 999, 0, 999, 2997};
        QTest::newRow("work-item rate row untouched") << "w rate" << QList<double>{0, 100, 0, 200, 0, 300, 600};
        QTest::newRow("left-out work item untouched")
            << "w left out" << QList<double>{0, 5000, 0, 5000, 0, 5000, 15000};
    }
    void wholeEstimateRecalculationPricesEveryGroupRow()
    {
        QFETCH(QString, row);
        QFETCH(QList<double>, values);
        TempDatabase db;
        InsertWholeEstimate(db);

        const RollupSums totals = RecalcWholeEstimate();

        QCOMPARE(GroupValuesOf(db, row), values);
        QCOMPARE(Whole(totals), (QList<double>{18866, 10220, 1490, 30576}));
        QCOMPARE(AmountsOf(db, "b subtotal"), (QList<double>{8404, 4600, 340, 13344}));
        QCOMPARE(AmountsOf(db, "w grand total"), (QList<double>{18866, 10220, 1490, 30576}));
        QVERIFY(SprSfm.isNull());
        QVERIFY(!db.module().SQLConect.inTransaction());
        QVERIFY(!db.module().TAlst.isActive());
    }

    // A group row's total is its quantity times what its rows' totals add up to: a lump
    // total typed on a rate row and the halves of fractional quantities count, in the
    // cascade as in the close of the screens.
    void aGroupRowsTotalHoldsItsRowsTotals_data()
    {
        QTest::addColumn<QList<Row>>("smallGroups"); // with their line items
        QTest::addColumn<QList<double>>("middle");   // b's seven values
        QTest::addColumn<double>("workItem");        // w's CSTTAL
        QTest::newRow("a lump rate row among the small groups")
            << QList<Row>{{"f1", "F", "F", 1, 1, 1, 1, {{"INO", 1}}},
                          {"f1 line", "S", "N", 1, 1, 1, 1, Priced(1, 100, 0, 0)},
                          {"f2 lump", "F", "R", 1, 1, 2, 2, {{"INO", 1}, {"CSTTAL", 500}}}}
            << QList<double>{100, 200, 0, 0, 0, 0, 1200} << 1200.0;
        QTest::newRow("a small group of quantity 0.5")
            << QList<Row>{{"f1", "F", "F", 1, 1, 1, 1, {{"INO", 0.5}}},
                          {"f1 line", "S", "N", 1, 1, 1, 1, Priced(1, 1001, 1001, 1001)}}
            << QList<double>{500, 1000, 500, 1000, 500, 1000, 3002} << 3002.0;
    }
    void aGroupRowsTotalHoldsItsRowsTotals()
    {
        QFETCH(QList<Row>, smallGroups);
        QFETCH(QList<double>, middle);
        QFETCH(double, workItem);
        TempDatabase db;
        Insert(db, {"w", "A", "A", 1, 0, 0, 1, {{"INO", 1}, {"SUB", 1}}});
        Insert(db, {"b", "B", "B", 1, 1, 0, 1, {{"INO", 2}, {"SUB", 1}}});
        for (const Row &row : smallGroups)
            Insert(db, row);

        RecalcWholeEstimate();

        QCOMPARE(GroupValuesOf(db, "b"), middle);
        QCOMPARE(Column(db, "w", "CSTTAL"), workItem);
    }

    // The group screens price their list with the same routines; what they hand back is
    // what the parent row receives.
    void groupRoutinesReturnTheirListsSums()
    {
        TempDatabase db;
        InsertWholeEstimate(db);
        QCOMPARE(Whole(RecalcSmallGroupRows(2, 2)), (QList<double>{2000, 1000, 80, 3080}));
        QCOMPARE(Whole(RecalcMiddleGroupRows(2)), (QList<double>{8404, 4600, 340, 13344}));
        QCOMPARE(GroupValuesOf(db, "b2"), (QList<double>{2000, 6000, 1000, 3000, 80, 240, 9240}));
        QCOMPARE(GroupValuesOf(db, "w2"), (QList<double>{0, -7, 0, -7, 0, -7, -21}));
    }

    // One transaction for the whole run: a failure in the second work item takes back
    // what the first one and the unit-price refresh wrote, and the wait message goes.
    void wholeEstimateFailureTakesBackTheWholeRun()
    {
        TempDatabase db;
        InsertWholeEstimate(db);
        Insert(db, {"b1 overflow", "S", "N", 2, 1, 0, 2, Stored(1e300, 0, 0, 1e300)});

        QVERIFY_THROWS_EXCEPTION(NumberError, RecalcWholeEstimate());

        QCOMPARE(GroupValuesOf(db, "w1"), (QList<double>{0, -7, 0, -7, 0, -7, -21}));
        QCOMPARE(PricesOf(db, "w1 item"), (QList<double>{1, 1, 1}));
        QVERIFY(!db.module().SQLConect.inTransaction());
        QCOMPARE(db.module().SQLConect.commandDepth(), 0);
        QVERIFY(SprSfm.isNull());
    }

    // One command: when a step fails, what the earlier steps wrote goes too.
    void failureTakesBackTheWholeRun()
    {
        TempDatabase db;
        Insert(db, {"detail 1", "X", "N", 0, 0, 0, 1, With(Priced(1, 10, 10, 10), {{"ICD1", 1}, {"ICD2", 1}, {"ICD3", 1}})});
        Insert(db, {"detail 2", "X", "N", 0, 0, 0, 1,
                    With(Stored(1e300, 0, 0, 1e300), {{"ICD1", 2}, {"ICD2", 2}, {"ICD3", 2}})});
        Insert(db, {"item 1", "S", "D", 1, 0, 0, 1, With(Priced(1, 1, 1, 1), {{"ICD1", 1}, {"ICD2", 1}, {"ICD3", 1}})});
        Insert(db, {"item 2", "S", "D", 1, 0, 0, 2, With(Priced(1, 1, 1, 1), {{"ICD1", 2}, {"ICD2", 2}, {"ICD3", 2}})});

        QVERIFY_THROWS_EXCEPTION(NumberError, RecalcUnitPrices(0, 0));
        QVERIFY(!db.module().SQLConect.inTransaction());
        QCOMPARE(db.module().SQLConect.commandDepth(), 0);
        QCOMPARE(PricesOf(db, "item 1"), (QList<double>{1, 1, 1}));
        QVERIFY(!db.module().mvDtail.isActive());
    }
};

VEK_TEST(TestRecalc)
#include "tst_Recalc.moc"
