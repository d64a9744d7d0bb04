#include "app/BulkAdjustment.h"

#include "core/DataModule.h"
#include "core/ProgramState.h"
#include "core/Recalc.h"
#include "core/SqlRoutines.h"
#include "core/WaitWindow.h"

#include <QColor>


namespace vek {

namespace {

// The kinds an adjustment of a whole list or of the estimate changes.
bool Adjustable(const QString &tag)
{
    return tag.size() == 1 && QStringLiteral("CLNP").contains(tag.at(0));
}

// Puts the current row into edit with field adjusted by p.
void AdjustCurrentRow(Dataset &rows, const QString &field, Currency p)
{
    rows.edit();
    rows.setValue(field, AdjustByPercent(Currency::fromDouble(rows.asDouble(field)), p).toDouble());
}

// Labour rows of the open node (and the clause more, with its values) rise by p percent,
// untruncated.
void RaiseNodeLabourRows(Currency p, const QString &more, const QVariantList &moreKeys)
{
    const NodeFilter node = OpenNodeFilter();
    RunTempSql(true,
               QStringLiteral("Update NDTAIL Set LCST11=\nLCST11+(LCST11*?/100)\nwhere ABFS='S' and TAG='M'") + more
                   + node.clauses,
               QVariantList{p.toDouble()} + moreKeys + node.keys);
    CommitWork();
}

// The wait window with its gauge while it lives.
class GaugeWindow {
public:
    GaugeWindow()
    {
        ShowWaitGauge(30, QColor(0x00, 0x6B, 0x9F), Qt::white, QStringLiteral("자료를 준비중입니다. 잠시만..."));
    }
    ~GaugeWindow() { HideWaitWindow(); }
    GaugeWindow(const GaugeWindow &) = delete;
    GaugeWindow &operator=(const GaugeWindow &) = delete;
};

// Walks the adjustable line items and breakdown rows of the estimate in TmFst, closed
// however the walk ends.
void AdjustEstimateRows(const QString &field, Currency p)
{
    Dataset &rows = dMf->TmFst;
    rows.close();
    rows.setCommandText(QStringLiteral("select * from NDTAIL where (ABFS='S' or ABFS='X') and "
                                       "(TAG<>'T' and TAG<>'R' and TAG<>'M' and TAG<>'D') Order by ODRF"));
    rows.open();
    struct Closing {
        Dataset &rows;
        ~Closing() { rows.close(); }
    } closing{rows};
    FrozenControls frozen(rows);
    const int count = rows.recordCount();
    int done = 0;
    int shown = 0;
    for (rows.first(); !rows.eof(); rows.next()) {
        if (Adjustable(rows.asString("TAG"))) {
            AdjustCurrentRow(rows, field, p);
            if (rows.asString("ABFS") == QLatin1String("X"))
                StoreBreakdownAmounts(rows);
            else
                StoreLineItemAmounts(rows);
            rows.post();
        }
        const int percent = qRound(100.0 * ++done / count);
        if (percent != shown)
            SetWaitGauge(shown = percent);
    }
    rows.applyUpdates();
}

} // namespace

QString BulkTargetField(BulkTarget target)
{
    static const QString fields[] = {QStringLiteral("PCST11"), QStringLiteral("LCST11"), QStringLiteral("SCST11"),
                                     QStringLiteral("INO")};
    return fields[int(target)];
}

Currency AdjustByPercent(Currency x, Currency p)
{
    // x × p / 100 in whole units is X × P / 10^10 of the raw values, truncated toward zero.
    constexpr __int128 RawPercentScale = __int128(Currency::Scale) * Currency::Scale * 100;
    const __int128 whole = __int128(x.raw()) * p.raw() / RawPercentScale;
    const __int128 result = x.raw() + whole * Currency::Scale;
    if (result > Currency::RawLimit || result < -Currency::RawLimit)
        throw NumberError(QStringLiteral("%1에 %2%를 더한 값이 너무 큽니다").arg(x.toText(), p.toText()).toStdString());
    return Currency::fromRaw(std::int64_t(result));
}

bool AdjustListRows(Dataset &rows, const QList<Bookmark> &selected, BulkTarget target, Currency p, bool lineItems)
{
    if (p.raw() == 0 || !rows.isActive())
        return true;
    const QString field = BulkTargetField(target);
    const bool labourRows = lineItems && target == BulkTarget::Labour;
    FrozenControls frozen(rows);
    const Bookmark remembered = rows.bookmark();
    bool committed = false;
    try {
        WorkTransaction command(dMf->SQLConect);
        if (selected.size() < 2) {
            for (rows.first(); !rows.eof(); rows.next()) {
                if (!Adjustable(rows.asString("TAG")))
                    continue;
                AdjustCurrentRow(rows, field, p);
                rows.post();
            }
            if (labourRows)
                RaiseNodeLabourRows(p, QString(), {});
        } else {
            for (const Bookmark &row : selected) {
                if (!rows.gotoBookmark(row))
                    continue;
                AdjustCurrentRow(rows, field, p);
                if (labourRows && rows.asString("TAG") == QLatin1String("L"))
                    RaiseNodeLabourRows(p, QStringLiteral("\nand NoRT=?"), {rows.value("ICD3")});
                rows.post();
            }
        }
        committed = command.commit();
    } catch (...) {
        // The rows posted before the failure show values the table no longer holds.
        rows.cancel();
        rows.refresh();
        rows.gotoBookmark(remembered);
        throw;
    }
    if (lineItems || !committed)
        rows.refresh();
    rows.gotoBookmark(remembered);
    if (committed)
        DataChanged = true;
    return committed;
}

bool AdjustWholeEstimate(BulkTarget target, Currency p)
{
    if (p.raw() == 0)
        return true;
    GaugeWindow gauge;
    WorkTransaction command(dMf->SQLConect);
    AdjustEstimateRows(BulkTargetField(target), p);
    if (target == BulkTarget::Labour) {
        RunTempSql(true, QStringLiteral("Update nDtail Set LCST11=LCST11+(LCST11*?/100) where TAG='M' and ABFS='S'"),
                   {p.toDouble()});
        CommitWork();
    }
    RecalcUnitPrices(0, 0);
    SetWaitGauge(100);
    HideWaitWindow();
    const bool committed = command.commit();
    if (committed)
        DataChanged = true;
    return committed;
}

} // namespace vek
