// Times the recalculation of a 2,000-row line-item list (unit-price items priced from their
// breakdowns, rate rows from the rows of their slot, subtotal rows rewritten, the footer
// summed) against the same sums and updates done with raw prepared statements in one
// transaction, on the generated estimate. Before each run the list's unit-price items, rate
// rows and subtotal rows are made stale, so that both sides write every one of them.

#include "BenchTiming.h"
#include "EstimateGenerator.h"

#include "core/EstimateColumns.h"
#include "core/LineItemList.h"
#include "core/SqlRoutines.h"

#include <QCoreApplication>
#include <QSqlQuery>

#include <array>
#include <cmath>
#include <cstdio>

using namespace vek;

namespace {

constexpr int Repeats = 7;
constexpr int ListRows = 2000;
const QVariantList Node = {1, 1, 5};
const QString NodeClauses = QStringLiteral(" and ACODE=? and BCODE=? and SCODE=?");

// A new small group (1, 1, 5) with 2,000 line items: every 7th a unit-price item over one
// of the generated breakdowns, every 97th a 3 % material rate row over the rows that carry
// its rate (every 3rd), every 50th a subtotal row (every 500th a 합계).
void StoreList(WorkConnection &connection)
{
    InsertEstimateRow(connection, EstimateRowValues({{"ACODE", 1}, {"BCODE", 1}, {"SCODE", 5}, {"NOADD", "벤치 소공종"},
                                                     {"UNIT", "식"}, {"INO", 1}, {"TAG", "F"}, {"ABFS", "F"}, {"ODRF", 5}}));
    for (int i = 1; i <= ListRows; ++i) {
        QHash<QString, QVariant> row{{"ACODE", 1}, {"BCODE", 1}, {"SCODE", 5}, {"NAME", QStringLiteral("항목 %1").arg(i)},
                                     {"ABFS", "S"}, {"ODRF", i}, {"TAG", "N"}};
        if (i % 50 == 0) {
            row.insert("TAG", "T");
            row.insert("ICD1", i % 500 == 0 ? 3 : 1);
        } else if (i % 97 == 0) {
            row.insert("TAG", "R");
            row.insert("NORT", 1);
            row.insert("PRT1", 0.03);
        } else if (i % 7 == 0) {
            const int key = i / 7 % 500 + 1;
            row.insert("TAG", "D");
            row.insert("INO", 1.5 + i % 4);
            row.insert("ICD1", 1 + key / 100);
            row.insert("ICD2", 1 + key / 10 % 10);
            row.insert("ICD3", key);
        } else {
            const double quantity = 1 + i % 13 * 0.25;
            row.insert("INO", quantity);
            row.insert("PCST11", 1000.0 + i);
            row.insert("LCST11", 500.0 + i % 100);
            row.insert("PCST12", std::trunc(quantity * (1000.0 + i)));
            row.insert("LCST12", std::trunc(quantity * (500.0 + i % 100)));
            row.insert("CSTTAL", std::trunc(quantity * (1000.0 + i)) + std::trunc(quantity * (500.0 + i % 100)));
            if (i % 3 == 0)
                row.insert("PRT1", 0.03);
        }
        InsertEstimateRow(connection, EstimateRowValues(row));
    }
    Check(connection.commit(), "store the list");
}

void MakeStale(WorkConnection &connection)
{
    connection.execute("update NDTAIL set PCST11=0, LCST11=0, SCST11=0, PCST12=0, LCST12=0, SCST12=0, CSTTAL=0 "
                       "where ABFS='S' and TAG in ('D','R','T')" + NodeClauses,
                       Node);
    Check(connection.commit(), "make the list stale");
}

QSqlQuery Prepared(QSqlDatabase db, const QString &sql)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    Check(query.prepare(sql), "prepare");
    return query;
}

void Run(QSqlQuery &query, const QVariantList &values)
{
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values.at(i));
    Check(query.exec(), "statement");
}

double Truncated(double v)
{
    return v >= 0 ? std::trunc(v + 0.001) : std::trunc(v - 0.001);
}

// The same walk with prepared statements: the list read once, each unit-price item's
// breakdown summed and the item updated, each rate row's nine sums and the row updated,
// the subtotal rows updated from three fixed-point sums. Returns the footer's material.
std::int64_t RawRecalc(QSqlDatabase db)
{
    Check(db.transaction(), "transaction");
    QSqlQuery list = Prepared(db, "select RID, TAG, ICD1, ICD2, ICD3, NORT, INO, PRT1, LRT1, SRT1, PCST12, LCST12, "
                                  "SCST12 from NDTAIL where ABFS='S' and TAG<>'M'" + NodeClauses + " Order by ODRF");
    QSqlQuery breakdown = Prepared(db, "select sum(PCST12),sum(LCST12), sum(SCST12) from NDTAIL where ABFS='X' and "
                                       "ICD1=? and ICD2=? and ICD3=?");
    QSqlQuery rate = Prepared(db, "select sum(iNO*PCST11*PRT1),sum(iNO*LCST11*PRT1),sum(iNO*SCST11*PRT1),"
                                  "sum(iNO*PCST11*LRT1),sum(iNO*LCST11*LRT1),sum(iNO*SCST11*LRT1),"
                                  "sum(iNO*PCST11*SRT1),sum(iNO*LCST11*SRT1),sum(iNO*SCST11*SRT1) FROM NDTAIL where "
                                  "PRT1=? and LRT1=? and SRT1=? and TAG in ('P','L','C','N','D') and ABFS='S'"
                                  + NodeClauses);
    QSqlQuery priced = Prepared(db, "update NDTAIL set INO=?, PCST11=?, LCST11=?, SCST11=?, PCST12=?, LCST12=?, "
                                    "SCST12=?, CSTTAL=? where RID=?");
    QSqlQuery subtotal = Prepared(db, "update NDTAIL set PCST12=?, LCST12=?, SCST12=?, CSTTAL=? where RID=?");
    Run(list, Node);
    std::array<std::array<std::int64_t, 3>, 3> sets{};
    std::array<std::int64_t, 3> footer{};
    while (list.next()) {
        // A CHAR column comes padded with blanks.
        const QString tag = list.value(1).toString().trimmed();
        double quantity = list.value(6).toDouble();
        std::array<double, 3> amounts{list.value(10).toDouble(), list.value(11).toDouble(), list.value(12).toDouble()};
        if (tag == "T") {
            const int kind = list.value(2).toInt();
            std::array<double, 3> taken{};
            for (int c = 0; c < 3; ++c)
                taken[c] = kind == 3 ? double(sets[2][c] / 10000) : double(sets[kind - 1][c]) / 10000;
            if (kind != 3)
                sets[kind - 1] = {};
            Run(subtotal, {taken[0], taken[1], taken[2], taken[0] + taken[1] + taken[2], list.value(0)});
            continue;
        }
        std::array<double, 3> prices{};
        if (tag == "D") {
            Run(breakdown, {list.value(2), list.value(3), list.value(4)});
            Check(breakdown.next(), "breakdown sums");
            for (int c = 0; c < 3; ++c)
                prices[c] = std::trunc(breakdown.value(c).toDouble());
            for (int c = 0; c < 3; ++c)
                amounts[c] = Truncated(quantity * (c == 0 ? std::nearbyint(prices[c]) : prices[c]));
        } else if (tag == "R") {
            Run(rate, QVariantList{list.value(7), list.value(8), list.value(9)} + Node);
            Check(rate.next(), "rate sums");
            for (int c = 0; c < 3; ++c)
                prices[c] = std::trunc(rate.value(3 * c).toDouble() + rate.value(3 * c + 1).toDouble()
                                       + rate.value(3 * c + 2).toDouble());
            quantity = 1;
            amounts = prices;
        }
        if (tag == "D" || tag == "R")
            Run(priced, {quantity, prices[0], prices[1], prices[2], amounts[0], amounts[1], amounts[2],
                         amounts[0] + amounts[1] + amounts[2], list.value(0)});
        for (auto &set : sets)
            for (int c = 0; c < 3; ++c)
                set[c] += std::llround(amounts[c] * 10000);
        for (int c = 0; c < 3; ++c)
            footer[c] += std::llround(amounts[c] * 10000);
    }
    list.finish();
    Check(db.commit(), "commit");
    return footer[0] / 10000;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    GeneratedEstimate estimate;
    TdMf &module = estimate.module;
    StoreList(module.SQLConect);

    // The open lists of the node (1, 1, 5), as the line-item screen finds them.
    module.TAlst.setCommandText("select * from NDTAIL where ABFS='A' and ACODE=?", {1});
    module.TBlst.setCommandText("select * from NDTAIL where ABFS='B' and ACODE=? and BCODE=?", {1, 1});
    module.TFlst.setCommandText("select * from NDTAIL where ABFS='F' and ACODE=? and BCODE=? and SCODE=?", Node);
    for (Dataset *ds : {&module.TAlst, &module.TBlst, &module.TFlst})
        ds->open();
    LineItemList list;
    list.Open();
    std::printf("line-item list: %d rows\n", list.rows().recordCount());

    std::int64_t ours = 0;
    std::int64_t raw = 0;
    const BenchTimes times = CompareTimes(
        Repeats, [&] { ours = list.RecalcList().material.trunc(); }, [&] { raw = RawRecalc(estimate.database()); },
        [&] {
            MakeStale(module.SQLConect);
            list.rows().refresh();
        });
    Check(ours == raw && ours > 0, "the same footer on both sides");
    ReportTimes("recalculate 2,000 line items", "RecalcList", times);
    return 0;
}
