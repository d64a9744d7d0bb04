#include "core/RatePlace.h"

#include "core/DataModule.h"
#include "core/ProgramState.h"
#include "core/SqlRoutines.h"

#include <set>

namespace vek {

namespace {

// The first value that the data module's query read for sql.
QVariant QueryValue(const QString &sql, const QVariantList &params)
{
    RunTempSql(false, sql, params);
    const QVariant value = dMf->sQTmp.value(0);
    dMf->sQTmp.close();
    return value;
}

// Whether the rows of the place that condition picks carry no rate in slot n (an empty
// sum counts as 0).
bool SlotSumIsZero(const RatePlace &place, const QString &condition, int n)
{
    const QString sql = QStringLiteral("Select sum(PRT%1+LRT%1+SRT%1) from NDTAIL where ").arg(n) + condition
                        + QStringLiteral(" and ") + place.Where();
    return QueryValue(sql, place.Keys()).toDouble() == 0;
}

// The slot the rule of sums gives: 1 without rate rows, else the first of 2 and 3 that
// carries no rate, else 4.
int SlotBySums(const RatePlace &place)
{
    if (CountRateRows(place) == 0)
        return 1;
    const QString carriers = place.kind == RatePlace::BreakdownRows ? QStringLiteral("TAG<>'R'") : QStringLiteral("TAG='R'");
    for (int n : {2, 3})
        if (SlotSumIsZero(place, carriers, n))
            return n;
    return 4;
}

// The slots that the rate rows of the place name in NORT.
std::set<int> NamedSlots(const RatePlace &place)
{
    std::set<int> named;
    RunTempSql(false, QStringLiteral("Select NORT from NDTAIL where TAG='R' and ") + place.Where(), place.Keys());
    Dataset &rows = dMf->sQTmp;
    for (rows.first(); !rows.eof(); rows.next())
        named.insert(rows.value(0).toInt());
    rows.close();
    return named;
}

} // namespace

QString RatePlace::Where() const
{
    return kind == BreakdownRows ? QStringLiteral("ABFS='X' and ICD1=? and ICD2=? and ICD3=?")
                                 : QStringLiteral("ABFS='S' and ACODE=? and BCODE=? and SCODE=?");
}

Dataset &RatePlace::Rows() const
{
    return kind == BreakdownRows ? dMf->Tdtail : dMf->TSlst;
}

RatePlace CurrentRatePlace()
{
    if (Sudetaif) {
        const Dataset &item = dMf->TSlst;
        return RatePlace::Breakdown(item.asInteger("ICD1"), item.asInteger("ICD2"), item.asInteger("ICD3"));
    }
    const QVariantList node = OpenNodeKeys();
    return RatePlace::Node(node.at(0).toInt(), node.at(1).toInt(), node.at(2).toInt());
}

int CountRateRows(const RatePlace &place)
{
    return QueryValue(QStringLiteral("Select count(*) from NDTAIL where TAG='R' and ") + place.Where(), place.Keys()).toInt();
}

int NextRateSlot(const RatePlace &place)
{
    const int bySums = SlotBySums(place);
    const std::set<int> named = NamedSlots(place);
    if (!named.contains(bySums))
        return bySums;
    for (int n = 1; n <= 4; ++n)
        if (!named.contains(n))
            return n;
    // Four rate rows already: the caller refuses a fifth before it asks.
    return bySums;
}

QStringList RateColumnsOf(int slot)
{
    const QString n = QString::number(slot);
    return {QStringLiteral("PRT") + n, QStringLiteral("LRT") + n, QStringLiteral("SRT") + n};
}

void UntieRateMembers(const RatePlace &place, const Dataset &rateRow)
{
    const int n = rateRow.asInteger("NORT");
    if (n < 1 || n > 4)
        return;
    const QStringList columns = RateColumnsOf(n);
    const QVariantList rates{rateRow.value(columns.at(0)), rateRow.value(columns.at(1)), rateRow.value(columns.at(2))};
    const QString sameRates = QStringLiteral(" and %1=? and %2=? and %3=?").arg(columns.at(0), columns.at(1), columns.at(2));
    const int sharing = QueryValue(QStringLiteral("Select count(*) from NDTAIL where TAG='R' and RID<>? and NORT=? and ")
                                       + place.Where() + sameRates,
                                   QVariantList{rateRow.value("RID"), n} + place.Keys() + rates)
                            .toInt();
    if (sharing > 0)
        return;
    RunTempSql(true,
               QStringLiteral("Update NDTAIL Set %1=0,%2=0,%3=0 where TAG<>'R' and ").arg(columns.at(0), columns.at(1), columns.at(2))
                   + place.Where() + sameRates,
               place.Keys() + rates);
    CommitWork();
}

} // namespace vek
