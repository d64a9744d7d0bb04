// Times the bulk adjustment of the item dialog against the same rows changed by raw
// prepared statements in one transaction on the same database: the 5,000 line items of
// the big list, and every line item and breakdown row of the generated estimate. The raw
// side computes the same values and amounts with the same arithmetic; after the whole
// estimate both price the unit-price items again with the same routine.

#include "BenchTiming.h"
#include "EstimateGenerator.h"

#include "app/BulkAdjustment.h"
#include "core/DataModule.h"
#include "core/Recalc.h"
#include "core/RowAmounts.h"

#include <QApplication>
#include <QSqlQuery>

#include <cstdio>

using namespace vek;

namespace {

constexpr int Repeats = 5;
const Currency OnePercent = Currency::fromDouble(1);

// Raises PCST11 of every row that sql selects (RID, ABFS, INO, PCST11, LCST11, SCST11,
// RECV) by one percent and stores its amounts by its post rule, in one transaction.
void RawAdjust(QSqlDatabase db, const QString &sql, const QVariantList &params)
{
    Check(db.transaction(), "transaction");
    QSqlQuery rows(db);
    rows.setForwardOnly(true);
    Check(rows.prepare(sql), "prepare select");
    for (int i = 0; i < params.size(); ++i)
        rows.bindValue(i, params.at(i));
    Check(rows.exec(), "select");
    QSqlQuery update(db);
    Check(update.prepare("update NDTAIL set PCST11=?,PCST12=?,LCST12=?,SCST12=?,CSTTAL=? where RID=?"), "prepare");
    while (rows.next()) {
        const bool detail = rows.value(1).toString() == QLatin1String("X");
        const double quantity = rows.value(2).toDouble();
        const double material = AdjustByPercent(Currency::fromDouble(rows.value(3).toDouble()), OnePercent).toDouble();
        const auto truncate = detail ? IntWithMarginTenths : IntWithMargin;
        const double labour = truncate(quantity * rows.value(4).toDouble());
        const double expense = truncate(quantity * rows.value(5).toDouble());
        const bool supplied = rows.value(6).toDouble() != 0;
        const double materialAmount =
            supplied ? 0 : detail ? DetailMaterialAmount(quantity, material) : LineMaterialAmount(quantity, material);
        const QVariantList values = {material, materialAmount, labour, expense,
                                     FixedPointTotal(labour, expense, materialAmount), rows.value(0)};
        for (int i = 0; i < values.size(); ++i)
            update.bindValue(i, values.at(i));
        Check(update.exec(), "update");
    }
    update.finish();
    rows.finish();
    Check(db.commit(), "commit");
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    GeneratedEstimate estimate;
    TdMf &module = estimate.module;
    QSqlDatabase db = estimate.database();

    Dataset &items = estimate.OpenBigList();

    ReportTimes("adjust the material of a 5,000-row list by 1 %", "dialog",
                CompareTimes(
                    Repeats, [&] { Check(AdjustListRows(items, {}, BulkTarget::Material, OnePercent, true), "list"); },
                    [&] {
                        RawAdjust(db,
                                  "select RID, ABFS, INO, PCST11, LCST11, SCST11, RECV from NDTAIL where ABFS='S' "
                                  "and TAG in ('C','L','N','P') and ACODE=? and BCODE=? and SCODE=?",
                                  {1, 1, 1});
                        items.refresh();
                    }));

    QSqlQuery count = module.SQLConect.select("select count(*) from NDTAIL where (ABFS='S' or ABFS='X') and "
                                              "TAG in ('C','L','N','P')");
    count.next();
    std::printf("adjustable rows of the estimate: %d\n", count.value(0).toInt());
    ReportTimes("adjust the material of the whole estimate by 1 %", "dialog",
                CompareTimes(
                    Repeats, [] { Check(AdjustWholeEstimate(BulkTarget::Material, OnePercent), "estimate"); },
                    [&] {
                        RawAdjust(db,
                                  "select RID, ABFS, INO, PCST11, LCST11, SCST11, RECV from NDTAIL where (ABFS='S' "
                                  "or ABFS='X') and TAG in ('C','L','N','P')",
                                  {});
                        RecalcUnitPrices(0, 0);
                    }));
    return 0;
}
