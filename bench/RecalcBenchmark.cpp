// Times the whole-estimate recalculation against the same reads and writes done with raw
// prepared statements in one transaction on the same generated estimate: every unit-price
// item from its breakdown, every rate row of the line items, every small group, middle
// group and work item from the rows below, with their subtotal rows.

#include "BenchTiming.h"
#include "EstimateGenerator.h"
#include "RawStatements.h"

#include "core/Recalc.h"

#include <QApplication>
#include <QStringList>
#include <QSqlQuery>

#include <array>
#include <cstdio>
#include <vector>

using namespace vek;

namespace {

using Row = RawStatements::Row;

// The recalculation written with plain prepared statements: rows read into memory, the
// same sums in fixed point, each changed row written back by its key.
class RawRecalculation : RawStatements {
public:
    explicit RawRecalculation(QSqlDatabase db) : RawStatements(db) {}

    RollupSums run()
    {
        Check(database().transaction(), "transaction");
        refreshUnitPriceItems();
        refreshItemRateRows();
        for (const Row &item : select("select RID,INO,ACODE,SUB from NDTAIL where ABFS='A' and TAG='A' Order by ODRF", {})) {
            const int a = item[2].toInt();
            store(item, item[3].toInt() == 1 ? middleGroups(a) : itemGroup(a, 0, 0));
        }
        const RollupSums totals = groupList("select RID,TAG,ICD1,PCST12,LCST12,SCST12,CSTTAL from NDTAIL where "
                                            "ABFS='A' and TAG<>'E' Order by ODRF",
                                            {});
        clear();
        Check(database().commit(), "commit");
        return totals;
    }

private:
    // The nine rate sums of slot n over the members the clauses pick; the three amounts.
    std::array<double, 3> rateAmounts(int n, const QString &members, const QVariantList &params)
    {
        QStringList sums;
        for (const char *rate : {"PRT", "LRT", "SRT"})
            for (const char *price : {"PCST11", "LCST11", "SCST11"})
                sums.append(QStringLiteral("sum(iNO*%1*%2%3)").arg(QLatin1String(price), QLatin1String(rate)).arg(n));
        const Row s = select(QStringLiteral("select %1 FROM NDTAIL where PRT%2=? and LRT%2=? and SRT%2=?")
                                     .arg(sums.join(u','))
                                     .arg(n)
                                 + members,
                             params)
                          .front();
        std::array<double, 3> amounts;
        for (int k = 0; k < 3; ++k)
            amounts[k] = double(Currency::truncOf(s[3 * k].toDouble() + s[3 * k + 1].toDouble() + s[3 * k + 2].toDouble()));
        return amounts;
    }
    void writeRate(const QVariant &rid, const std::array<double, 3> &a)
    {
        exec("update NDTAIL set PCST11=?,PCST12=?,LCST11=?,LCST12=?,SCST11=?,SCST12=?,CSTTAL=? where RID=?",
             {a[0], a[0], a[1], a[1], a[2], a[2], a[0] + a[1] + a[2], rid});
    }
    static QVariantList slotRates(const Row &row, int first, int n)
    {
        return {row[first + 3 * (n - 1)], row[first + 3 * (n - 1) + 1], row[first + 3 * (n - 1) + 2]};
    }

    void refreshUnitPriceItems()
    {
        const QString rates = "PRT1,LRT1,SRT1,PRT2,LRT2,SRT2,PRT3,LRT3,SRT3,PRT4,LRT4,SRT4";
        for (const Row &key : select("Select ICD1,ICD2,ICD3 from NDTAIL where TAG='D' and ABFS='S' "
                                     "Group by ICD1,ICD2,ICD3 Order by ICD1,ICD2,ICD3",
                                     {})) {
            const QVariantList k{key[0], key[1], key[2]};
            RollupSums sums;
            for (Row row : select("select RID,TAG,NORT,RECV,PCST12,LCST12,SCST12," + rates
                                      + " from NDTAIL where ABFS='X' and ICD1=? and ICD2=? and ICD3=? Order by ODRF",
                                  k)) {
                const int n = row[2].toInt();
                if (row[1].toString() == "R" && n >= 1 && n <= 4) {
                    const auto a = rateAmounts(n, " and TAG<>'R' and ABFS='X' and ICD1=? and ICD2=? and ICD3=?",
                                               slotRates(row, 7, n) + k);
                    writeRate(row[0], a);
                    row[4] = a[0];
                    row[5] = a[1];
                    row[6] = a[2];
                }
                if (row[3].toDouble() == 0)
                    sums.material = AddRounded(sums.material, row[4].toDouble());
                sums.labour = AddRounded(sums.labour, row[5].toDouble());
                sums.expense = AddRounded(sums.expense, row[6].toDouble());
            }
            const double p = double(sums.material.trunc());
            const double l = double(sums.labour.trunc());
            const double s = double(sums.expense.trunc());
            exec("update NDTAIL set PCST11=?,LCST11=?,SCST11=?,PCST12=INO*?,LCST12=INO*?,SCST12=INO*?,"
                 "CSTTAL=INO*?+INO*?+INO*? where TAG='D' and ABFS='S' and ICD1=? and ICD2=? and ICD3=?",
                 QVariantList{p, l, s, p, l, s, p, l, s} + k);
        }
    }

    void refreshItemRateRows()
    {
        for (const Row &row : select("select RID,NORT,ACODE,BCODE,SCODE,PRT1,LRT1,SRT1,PRT2,LRT2,SRT2,PRT3,LRT3,SRT3,"
                                     "PRT4,LRT4,SRT4 from NDTAIL where ABFS='S' and TAG='R' Order by ODRF",
                                     {})) {
            const int n = row[1].toInt();
            if (n < 1 || n > 4)
                continue;
            writeRate(row[0], rateAmounts(n, " and TAG in ('P','L','C','N','D') and ABFS='S' and ACODE=? and BCODE=? and SCODE=?",
                                          slotRates(row, 5, n) + QVariantList{row[2], row[3], row[4]}));
        }
    }

    // Walks rows (RID, TAG, ICD1 and the four amounts) with the subtotal walk and writes
    // the subtotal rows back.
    RollupSums walk(const std::vector<Row> &rows, WalkTotals totals)
    {
        std::vector<SubtotalWalkRow> walked;
        for (const Row &row : rows)
            walked.push_back({row[1].toString(), row[2].toInt(), row[3].toDouble(), row[4].toDouble(),
                              row[5].toDouble(), row[6].toDouble()});
        const RollupSums sums = SubtotalWalk(walked, totals);
        for (size_t i = 0; i < rows.size(); ++i)
            if (walked[i].tag == SubtotalTag)
                exec("update NDTAIL set PCST12=?,LCST12=?,SCST12=?,CSTTAL=? where RID=?",
                     {walked[i].material, walked[i].labour, walked[i].expense, walked[i].total, rows[i][0]});
        return sums;
    }
    RollupSums groupList(const QString &sql, const QVariantList &params)
    {
        const RollupSums sums = walk(select(sql, params), WalkTotals::Summed);
        return {WholeUnits(sums.material), WholeUnits(sums.labour), WholeUnits(sums.expense), WholeUnits(sums.total)};
    }
    RollupSums itemGroup(int a, int b, int f)
    {
        const QVariantList keys{a, b, f};
        walk(select("select RID,TAG,ICD1,PCST12,LCST12,SCST12,CSTTAL from NDTAIL where ABFS='S' and TAG<>'M' and "
                    "ACODE=? and BCODE=? and SCODE=? Order by ODRF",
                    keys),
             WalkTotals::FromParts);
        const Row s = select("select sum(PCST12),sum(LCST12), sum(SCST12) FROM NDTAIL where ABFS='S' and "
                             "TAG in ('P','L','C','N','D','R') and ACODE=? and BCODE=? and SCODE=?",
                             keys)
                          .front();
        RollupSums sums{Currency::fromDouble(double(Currency::truncOf(s[0].toDouble()))),
                        Currency::fromDouble(double(Currency::truncOf(s[1].toDouble()))),
                        Currency::fromDouble(double(Currency::truncOf(s[2].toDouble()))),
                        {}};
        sums.total = sums.material + sums.labour + sums.expense;
        return sums;
    }
    // A group row (RID, INO first) from the sums of its rows.
    void store(const Row &group, const RollupSums &sums)
    {
        const double q = group[1].toDouble();
        const double p = sums.material.toDouble();
        const double l = sums.labour.toDouble();
        const double s = sums.expense.toDouble();
        exec("update NDTAIL set PCST11=?,PCST12=?,LCST11=?,LCST12=?,SCST11=?,SCST12=?,CSTTAL=? where RID=?",
             {p, q * p, l, q * l, s, q * s, q * sums.total.toDouble(), group[0]});
    }
    RollupSums smallGroups(int a, int b)
    {
        for (const Row &group : select("select RID,INO,SCODE from NDTAIL where ABFS='F' and TAG='F' and ACODE=? and "
                                       "BCODE=? Order by ODRF",
                                       {a, b}))
            store(group, itemGroup(a, b, group[2].toInt()));
        return groupList("select RID,TAG,ICD1,PCST12,LCST12,SCST12,CSTTAL from NDTAIL where ABFS='F' and TAG<>'E' "
                         "and ACODE=? and BCODE=? Order by ODRF",
                         {a, b});
    }
    RollupSums middleGroups(int a)
    {
        for (const Row &group :
             select("select RID,INO,BCODE,SUB from NDTAIL where ABFS='B' and TAG='B' and ACODE=? Order by ODRF", {a})) {
            const int b = group[2].toInt();
            store(group, group[3].toInt() == 1 ? smallGroups(a, b) : itemGroup(a, b, 0));
        }
        return groupList("select RID,TAG,ICD1,PCST12,LCST12,SCST12,CSTTAL from NDTAIL where ABFS='B' and TAG<>'E' "
                         "and ACODE=? Order by ODRF",
                         {a});
    }

};

} // namespace

int main(int argc, char **argv)
{
    // The recalculation shows its wait message: a screen it needs, not a real one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    GeneratedEstimate estimate;
    RawRecalculation raw(estimate.database());
    RollupSums ours;
    RollupSums plain;
    ReportTimes("recalculate the whole estimate", "ours",
                CompareTimes(9, [&] { ours = RecalcWholeEstimate(); }, [&] { plain = raw.run(); }));
    Check(ours.total == plain.total && ours.material == plain.material, "the same totals");
    std::printf("total %s\n", qPrintable(ours.total.toText()));
    return 0;
}
