#include "core/SubtotalWalk.h"
#include "tests/support/TestRegistry.h"

#include <QTest>

#include <cmath>

using namespace vek;

namespace {

// A list written as words: a number is an ordinary row with that material amount,
// "소계", "계", "합계" are subtotal rows of kind 1, 2, 3, and "T4" one of kind 4.
std::vector<SubtotalWalkRow> ListOf(const QStringList &words)
{
    std::vector<SubtotalWalkRow> rows;
    for (const QString &word : words) {
        const int kind = QStringList{"소계", "계", "합계", "T4"}.indexOf(word) + 1;
        if (kind > 0)
            rows.push_back({"T", kind});
        else
            rows.push_back({"N", 0, word.toDouble()});
    }
    return rows;
}

QList<double> SubtotalMaterials(const std::vector<SubtotalWalkRow> &rows)
{
    QList<double> materials;
    for (const SubtotalWalkRow &row : rows)
        if (row.tag == "T")
            materials.append(row.material);
    return materials;
}

} // namespace

class TestSubtotalWalk : public QObject {
    Q_OBJECT
private slots:
    void subtotalRowsTakeTheirSet_data()
    {
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QList<double>>("subtotals");
        QTest::addColumn<double>("sum");
        QTest::newRow("소계 restarts, 합계 holds all") << QStringList{"100", "200", "소계", "50", "소계", "합계"}
                                                     << QList<double>{300, 50, 350} << 350.0;
        QTest::newRow("계 keeps what a 소계 took") << QStringList{"100", "소계", "50", "계"}
                                                  << QList<double>{100, 150} << 150.0;
        QTest::newRow("소계 keeps decimals, 합계 whole units") << QStringList{"100.6", "0.6", "소계", "합계"}
                                                             << QList<double>{101.2, 101} << 101.2;
        QTest::newRow("계 restarts") << QStringList{"10", "계", "20", "계", "합계"} << QList<double>{10, 20, 30}
                                     << 30.0;
        QTest::newRow("합계 runs on past itself") << QStringList{"10", "합계", "20", "합계"}
                                                   << QList<double>{10, 30} << 30.0;
        QTest::newRow("negative amounts truncate toward zero")
            << QStringList{"-100.6", "합계", "소계"} << QList<double>{-100, -100.6} << -100.6;
        QTest::newRow("subtotal rows add nothing") << QStringList{"5", "소계", "소계", "합계"}
                                                    << QList<double>{5, 0, 5} << 5.0;
        QTest::newRow("empty") << QStringList{} << QList<double>{} << 0.0;
    }
    void subtotalRowsTakeTheirSet()
    {
        QFETCH(QStringList, list);
        QFETCH(QList<double>, subtotals);
        QFETCH(double, sum);
        std::vector<SubtotalWalkRow> rows = ListOf(list);
        const RollupSums sums = SubtotalWalk(rows, WalkTotals::Summed);
        QCOMPARE(SubtotalMaterials(rows), subtotals);
        QCOMPARE(sums.material, Currency::fromDouble(sum));
    }

    void unknownSubtotalKindLeavesTheRow()
    {
        std::vector<SubtotalWalkRow> rows = {{"N", 0, 100, 10, 1, 111}, {"T", 4, 7, 8, 9, 10}, {"T", 0, 1, 2, 3, 4}};
        const RollupSums sums = SubtotalWalk(rows, WalkTotals::Summed);
        QCOMPARE(rows[1].material, 7.0);
        QCOMPARE(rows[1].labour, 8.0);
        QCOMPARE(rows[1].expense, 9.0);
        QCOMPARE(rows[1].total, 10.0);
        QCOMPARE(rows[2].total, 4.0);
        QCOMPARE(sums.material, Currency::fromDouble(100));
    }

    void emptyListGivesZeros()
    {
        std::vector<SubtotalWalkRow> rows;
        for (WalkTotals totals : {WalkTotals::FromParts, WalkTotals::Summed}) {
            const RollupSums sums = SubtotalWalk(rows, totals);
            QVERIFY(rows.empty());
            QCOMPARE(sums.material.raw() | sums.labour.raw() | sums.expense.raw() | sums.total.raw(), 0);
        }
    }

    void columnsAreSummedApart()
    {
        std::vector<SubtotalWalkRow> rows = {{"N", 0, 1, 20, 300, 4000}, {"E", 0, 2, 30, 400, 5000}, {"T", 2}};
        SubtotalWalk(rows, WalkTotals::Summed);
        QCOMPARE(rows[2].material, 3.0);
        QCOMPARE(rows[2].labour, 50.0);
        QCOMPARE(rows[2].expense, 700.0);
        QCOMPARE(rows[2].total, 9000.0);
    }

    // Line items: their totals are not summed; a subtotal row's total is its three
    // amounts added, after 합계 has truncated each of them.
    void itemTotalsComeFromTheParts_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<double>("total");
        QTest::newRow("소계") << 1 << 9.6;
        QTest::newRow("계") << 2 << 9.6;
        QTest::newRow("합계") << 3 << 9.0;
    }
    void itemTotalsComeFromTheParts()
    {
        QFETCH(int, kind);
        QFETCH(double, total);
        std::vector<SubtotalWalkRow> rows = {{"N", 0, 0.6, 1.6, 2.6, 999}, {"N", 0, 0.6, 1.6, 2.6, 999}, {"T", kind}};
        const RollupSums sums = SubtotalWalk(rows, WalkTotals::FromParts);
        QCOMPARE(rows[2].total, total);
        QCOMPARE(sums.total, Currency());
    }

    void groupTotalsAreSummedAndTruncatedApart()
    {
        std::vector<SubtotalWalkRow> rows = {{"A", 0, 0.6, 0.6, 0.6, 1.8}, {"A", 0, 0.6, 0.6, 0.6, 1.8}, {"T", 3}};
        const RollupSums sums = SubtotalWalk(rows, WalkTotals::Summed);
        QCOMPARE(rows[2].material, 1.0);
        QCOMPARE(rows[2].total, 3.0);
        QCOMPARE(sums.total, Currency::fromDouble(3.6));
    }

    // Each amount joins the sum before the one rounding: a half on an odd sum goes up
    // to the even one, where rounding the amount first would drop it.
    void amountJoinsTheSumBeforeRounding_data()
    {
        QTest::addColumn<qint64>("acc");
        QTest::addColumn<double>("column");
        QTest::addColumn<qint64>("sum");
        QTest::newRow("half on odd") << qint64(10001) << 0.00005 << qint64(10002);
        QTest::newRow("half on even") << qint64(10000) << 0.00005 << qint64(10000);
        QTest::newRow("0.29 x 100") << qint64(0) << 0.29 * 100 << qint64(290000);
        QTest::newRow("negative") << qint64(5) << -1.00004 << qint64(-9995);
    }
    void amountJoinsTheSumBeforeRounding()
    {
        QFETCH(qint64, acc);
        QFETCH(double, column);
        QFETCH(qint64, sum);
        QCOMPARE(AddRounded(Currency::fromRaw(acc), column).raw(), sum);
    }

    void sumPastTheRangeThrows()
    {
        QVERIFY_THROWS_EXCEPTION(NumberError, AddRounded(Currency(), 1e300));
        QVERIFY_THROWS_EXCEPTION(NumberError, AddRounded(Currency(), std::nextafter(Currency::Limit, 1e300)));
        QCOMPARE(AddRounded(Currency(), Currency::Limit), Currency::fromDouble(Currency::Limit));
    }

    // A subtotal row's total of parts that each fit but together do not is refused, not
    // wrapped round to a wrong figure; a negative part brings a large sum back in range.
    void aTotalOfPartsPastTheRangeThrows()
    {
        const double half = 500000000000000;
        std::vector<SubtotalWalkRow> over = {{"N", 0, half, half, 0, 0}, {"T", 1}};
        QVERIFY_THROWS_EXCEPTION(NumberError, SubtotalWalk(over, WalkTotals::FromParts));
        std::vector<SubtotalWalkRow> back = {{"N", 0, half, half, -half, 0}, {"T", 1}};
        SubtotalWalk(back, WalkTotals::FromParts);
        QCOMPARE(back[1].total, half);
    }

    // Whole units of large sums are exact: 900000000000001 x 10000 is no double.
    void wholeUnitsAreExact_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<qint64>("raw");
        QTest::newRow("beyond 2^53 raw") << "900000000000001.6" << qint64(9000000000000010000);
        QTest::newRow("largest") << "922337203685477.5807" << qint64(9223372036854770000);
        QTest::newRow("negative") << "-123.9" << qint64(-1230000);
    }
    void wholeUnitsAreExact()
    {
        QFETCH(QString, value);
        QFETCH(qint64, raw);
        QCOMPARE(WholeUnits(Currency::fromText(value)).raw(), raw);
    }
};

VEK_TEST(TestSubtotalWalk)
#include "tst_SubtotalWalk.moc"
