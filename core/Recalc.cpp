#include "core/Recalc.h"

#include "core/DataModule.h"
#include "core/SqlRoutines.h"
#include "core/WaitWindow.h"

#include <QStringList>

#include <utility>

namespace vek {

namespace {

const QString RateTag = QStringLiteral("R");

// The walks read only the columns they use: the row key, the kind, the subtotal kind and
// the amounts of every row, and of group rows what pricing them needs (most of the
// estimate's rows are line items that a walk only sums). A row's key is enough to write
// it back.
const QString WalkColumns = QStringLiteral("RID,TAG,ICD1,PCST12,LCST12,SCST12,CSTTAL");
const QString GroupColumns = WalkColumns + QStringLiteral(",ABFS,INO,SUB,ACODE,BCODE,SCODE,PCST11,LCST11,SCST11");
const QString RateColumns = GroupColumns
                            + QStringLiteral(",NORT,RECV,PRT1,LRT1,SRT1,PRT2,LRT2,SRT2,PRT3,LRT3,SRT3,PRT4,LRT4,SRT4");

const QString SmallGroupsSql = QStringLiteral("select %1 from NDTAIL where ABFS='F' and TAG<>'E' and ACODE=? and BCODE=? "
                                              "Order by ODRF")
                                   .arg(GroupColumns);
const QString MiddleGroupsSql =
    QStringLiteral("select %1 from NDTAIL where ABFS='B' and TAG<>'E' and ACODE=? Order by ODRF").arg(GroupColumns);

// Opens a scratch dataset on a select for one walk and closes it however the walk ends.
class ScratchCursor {
public:
    ScratchCursor(Dataset &dataset, const QString &sql, const QVariantList &params) : dataset_(dataset)
    {
        dataset_.close();
        dataset_.setCommandText(sql, params);
        dataset_.open();
    }
    ~ScratchCursor() { dataset_.close(); }
    ScratchCursor(const ScratchCursor &) = delete;
    ScratchCursor &operator=(const ScratchCursor &) = delete;

private:
    Dataset &dataset_;
};

// Int of a sum that the engine or a double computed, through the fixed-point value: a
// sum that binary floating point leaves just below a whole unit truncates right.
double IntOfSum(double sum)
{
    return double(Currency::truncOf(sum));
}

Currency WholeOfSum(const QVariant &sum)
{
    return Currency::fromDouble(IntOfSum(sum.toDouble()));
}

// Walks the rows of sql with the subtotal walk, writing each subtotal row back; returns
// the walk's running sums.
RollupSums WalkList(const QString &sql, const QVariantList &params, WalkTotals totals)
{
    Dataset &cursor = dMf->mvDtail;
    ScratchCursor open(cursor, sql, params);
    std::vector<SubtotalWalkRow> rows;
    for (cursor.first(); !cursor.eof(); cursor.next())
        rows.push_back({cursor.asString("TAG"), cursor.asInteger("ICD1"), cursor.asDouble("PCST12"),
                        cursor.asDouble("LCST12"), cursor.asDouble("SCST12"), cursor.asDouble("CSTTAL")});
    const RollupSums sums = SubtotalWalk(rows, totals);
    size_t i = 0;
    for (cursor.first(); !cursor.eof(); cursor.next(), ++i) {
        const SubtotalWalkRow &row = rows[i];
        if (row.tag != SubtotalTag)
            continue;
        cursor.edit();
        cursor.setValue("PCST12", row.material);
        cursor.setValue("LCST12", row.labour);
        cursor.setValue("SCST12", row.expense);
        cursor.setValue("CSTTAL", row.total);
        cursor.post();
    }
    cursor.applyUpdates();
    return sums;
}

RollupSums WalkGroupList(const QString &sql, const QVariantList &params)
{
    WorkTransaction command(dMf->SQLConect);
    const RollupSums sums = WalkList(sql, params, WalkTotals::Summed);
    command.commit();
    return {WholeUnits(sums.material), WholeUnits(sums.labour), WholeUnits(sums.expense), WholeUnits(sums.total)};
}

// The members of a breakdown's rate row: its breakdown's other rows but rate rows.
const QString BreakdownMembers = QStringLiteral(" and TAG<>'R' and ABFS='X' and ICD1=? and ICD2=? and ICD3=?");
// The members of a line-item rate row: the line items of its node of the base kinds.
const QString ItemMembers =
    QStringLiteral(" and TAG in ('P','L','C','N','D') and ABFS='S' and ACODE=? and BCODE=? and SCODE=?");

// Puts the rate row at cursor's current row in edit state priced from the rows its slot
// covers (members: the clauses that pick them, with the values keys): each unit price and
// amount the Int, through the fixed-point value, of the sum of its rate times the members'
// full amounts (quantity x material, labour and expense unit price), the total their sum.
// A row without a slot 1-4 has no base: it stays as it is, and the answer is false.
bool PriceRateRow(Dataset &cursor, const QString &table, const QString &members, const QVariantList &keys)
{
    const int n = cursor.asInteger("NORT");
    if (n < 1 || n > 4)
        return false;
    const RatePrices prices = RateRowPrices(table, cursor, members, keys);
    cursor.edit();
    cursor.setValue("PCST11", prices.material);
    cursor.setValue("PCST12", prices.material);
    cursor.setValue("LCST11", prices.labour);
    cursor.setValue("LCST12", prices.labour);
    cursor.setValue("SCST11", prices.expense);
    cursor.setValue("SCST12", prices.expense);
    cursor.setValue("CSTTAL", prices.material + prices.labour + prices.expense);
    return true;
}

// Walks the breakdown rows of a key, rate rows priced first; returns the sums of their
// amounts, material only from rows without supplied material.
RollupSums SumBreakdown(int i1, int i2, int i3)
{
    const QVariantList key{i1, i2, i3};
    Dataset &rows = dMf->mvDtail;
    ScratchCursor open(rows, QStringLiteral("select %1 from NDTAIL where ABFS='X' and ICD1=? and ICD2=? and ICD3=? Order by ODRF").arg(RateColumns),
                       key);
    RollupSums sums;
    for (rows.first(); !rows.eof(); rows.next()) {
        if (rows.asString("TAG") == RateTag && PriceRateRow(rows, QStringLiteral("NDTAIL"), BreakdownMembers, key))
            rows.post();
        if (rows.asDouble("RECV") == 0)
            sums.material = AddRounded(sums.material, rows.asDouble("PCST12"));
        sums.labour = AddRounded(sums.labour, rows.asDouble("LCST12"));
        sums.expense = AddRounded(sums.expense, rows.asDouble("SCST12"));
    }
    rows.applyUpdates();
    return sums;
}

// Every unit-price item of the estimate, one breakdown key at a time.
void RefreshUnitPriceItems()
{
    Dataset &items = dMf->qDList;
    ScratchCursor open(items, UnitPriceItemsSql, {});
    for (items.first(); !items.eof(); items.next()) {
        const int i1 = items.asInteger("ICD1");
        const int i2 = items.asInteger("ICD2");
        const int i3 = items.asInteger("ICD3");
        const RollupSums sums = SumBreakdown(i1, i2, i3);
        WriteUnitPrices(i1, i2, i3, double(sums.material.trunc()), double(sums.labour.trunc()),
                        double(sums.expense.trunc()));
    }
}

// The rate rows among the line items of work item A and middle group B, a key of 0
// standing for all: the whole-estimate recalculation passes (0, 0), the middle-group
// list (A, 0), and none of their rate rows may keep a stale amount.
void RefreshItemRateRows(int A, int B)
{
    QString sql = QStringLiteral("select %1 from NDTAIL where ABFS='S' and TAG='R'").arg(RateColumns);
    QVariantList keys;
    if (A != 0) {
        sql += QStringLiteral(" and ACODE=?");
        keys.append(A);
        if (B != 0) {
            sql += QStringLiteral(" and BCODE=?");
            keys.append(B);
        }
    }
    Dataset &rows = dMf->mvDtail;
    ScratchCursor open(rows, sql + QStringLiteral(" Order by ODRF"), keys);
    for (rows.first(); !rows.eof(); rows.next())
        RefreshItemRateRow(rows);
    rows.applyUpdates();
}

// Prices every row of kind tag in the list that sql selects, in the scratch dataset
// cursor, and applies the changes.
void PriceScratchRows(Dataset &cursor, const QString &sql, const QVariantList &params, const QString &tag)
{
    ScratchCursor open(cursor, sql, params);
    PriceGroupRows(cursor, tag);
}

} // namespace

QString RateSumsSql(const QString &table, int n)
{
    QStringList sums;
    for (const char *rate : {"PRT", "LRT", "SRT"})
        for (const char *price : {"PCST11", "LCST11", "SCST11"})
            sums.append(QStringLiteral("sum(iNO*%1*%2%3)").arg(QLatin1String(price), QLatin1String(rate)).arg(n));
    return QStringLiteral("select %1 FROM %2 where PRT%3=? and LRT%3=? and SRT%3=?")
        .arg(sums.join(QLatin1Char(',')), table)
        .arg(n);
}

RatePrices RateRowPrices(const QString &table, const Dataset &rateRow, const QString &members, const QVariantList &keys)
{
    const QString slot = QString::number(rateRow.asInteger("NORT"));
    RunTempSql(false, RateSumsSql(table, slot.toInt()) + members,
               QVariantList{rateRow.value("PRT" + slot), rateRow.value("LRT" + slot), rateRow.value("SRT" + slot)}
                   + keys);
    const Dataset &sums = dMf->sQTmp;
    const auto whole = [&sums](int first) {
        return IntOfSum(sums.value(first).toDouble() + sums.value(first + 1).toDouble() + sums.value(first + 2).toDouble());
    };
    const RatePrices prices{whole(0), whole(3), whole(6)};
    dMf->sQTmp.close();
    return prices;
}

void RepriceRateRow(Dataset &rows, const QString &table, const QString &members, const QVariantList &keys)
{
    if (!PriceRateRow(rows, table, members, keys))
        return;
    // One unit of the rate: the amounts are the prices.
    rows.setValue("INO", 1.0);
    rows.post();
}

const QString UnitPriceItemsSql =
    QStringLiteral("Select NAME,STAN,UNIT,ETC, PCST11,LCST11, SCST11,ICD1,ICD2,ICD3 from NDTAIL where  TAG='D' and "
                   "ABFS='S' Group by NAME,STAN,UNIT,ETC, PCST11,LCST11,SCST11,ICD1,ICD2,ICD3 Order by ICD1,ICD2,ICD3");

bool StoreGroupSums(Dataset &rows, const RollupSums &sums)
{
    const double quantity = rows.asDouble("INO");
    const double material = sums.material.toDouble();
    const double labour = sums.labour.toDouble();
    const double expense = sums.expense.toDouble();
    const std::pair<const char *, double> figures[] = {
        {"PCST11", material}, {"PCST12", quantity * material}, {"LCST11", labour},
        {"LCST12", quantity * labour}, {"SCST11", expense}, {"SCST12", quantity * expense},
        {"CSTTAL", quantity * sums.total.toDouble()}};
    bool changed = false;
    rows.edit();
    for (const auto &[field, value] : figures) {
        changed = changed || rows.asDouble(QLatin1String(field)) != value;
        rows.setValue(QLatin1String(field), value);
    }
    rows.post();
    return changed;
}

RollupSums RecalcGroupRow(const Dataset &group)
{
    const QString level = group.asString("ABFS");
    const int A = group.asInteger("ACODE");
    const bool sub = group.asInteger("SUB") == 1;
    if (level == QLatin1String("A"))
        return sub ? RecalcMiddleGroupRows(A) : RecalcItemGroup(A, 0, 0);
    const int B = group.asInteger("BCODE");
    if (level == QLatin1String("B"))
        return sub ? RecalcSmallGroupRows(A, B) : RecalcItemGroup(A, B, 0);
    return RecalcItemGroup(A, B, group.asInteger("SCODE"));
}

bool PriceGroupRows(Dataset &rows, const QString &tag)
{
    bool changed = false;
    for (rows.first(); !rows.eof(); rows.next())
        if (rows.asString("TAG") == tag)
            changed = StoreGroupSums(rows, RecalcGroupRow(rows)) || changed;
    rows.applyUpdates();
    return changed;
}

RollupSums RecalcSmallGroupRows(int A, int B)
{
    WorkTransaction command(dMf->SQLConect);
    PriceScratchRows(dMf->TmFst, SmallGroupsSql, {A, B}, QStringLiteral("F"));
    const RollupSums sums = RecalcTopRows(B, A);
    command.commit();
    return sums;
}

RollupSums RecalcMiddleGroupRows(int A)
{
    WorkTransaction command(dMf->SQLConect);
    PriceScratchRows(dMf->TABFs, MiddleGroupsSql, {A}, QStringLiteral("B"));
    const RollupSums sums = RecalcSectionRows(0, A);
    command.commit();
    return sums;
}

RollupSums RecalcWholeEstimate()
{
    RecalcWaitMessage wait;
    WorkTransaction command(dMf->SQLConect);
    RecalcUnitPrices(0, 0);
    // The work items walk a cursor of their own: the main window's list keeps its rows
    // and its place, and the recalculation runs where no list is open at all.
    Dataset workItems(QStringLiteral("WorkItemWalk"), &dMf->SQLConect);
    workItems.setCachedUpdates(true);
    PriceScratchRows(workItems, QStringLiteral("select %1 from NDTAIL where ABFS='A' Order by ODRF").arg(GroupColumns), {},
                   QStringLiteral("A"));
    const RollupSums sums = RecalcTopRows(0, 0);
    // A refused commit took the run back: the totals are then those the table kept.
    return command.commit() ? sums : RecalcTopRows(0, 0);
}

RollupSums RecalcItemGroup(int A, int B, int F)
{
    const QVariantList keys{A, B, F};
    WorkTransaction command(dMf->SQLConect);
    // Labour rows stay out of the walk as they stay out of the line-item list, so that a
    // subtotal row holds the same amounts whichever of the two last rewrote it.
    WalkList(QStringLiteral("select %1 from NDTAIL where ABFS='S' and TAG<>'M' and ACODE=? and BCODE=? and SCODE=? "
                            "Order by ODRF")
                 .arg(WalkColumns),
             keys, WalkTotals::FromParts);
    RunTempSql(false,
               QStringLiteral("select sum(PCST12),sum(LCST12), sum(SCST12) FROM NDTAIL where ABFS='S' and "
                              "TAG in ('P','L','C','N','D','R') and ACODE=? and BCODE=? and SCODE=?"),
               keys);
    RollupSums sums{WholeOfSum(dMf->sQTmp.value(0)), WholeOfSum(dMf->sQTmp.value(1)), WholeOfSum(dMf->sQTmp.value(2)), {}};
    dMf->sQTmp.close();
    sums.total = SumOfParts(sums);
    command.commit();
    return sums;
}

RollupSums RecalcSectionRows(int B, int A)
{
    if (B != 0)
        return WalkGroupList(SmallGroupsSql, {A, B});
    return WalkGroupList(MiddleGroupsSql, {A});
}

RollupSums RecalcTopRows(int B, int A)
{
    if (A != 0)
        return WalkGroupList(SmallGroupsSql, {A, B});
    return WalkGroupList(QStringLiteral("select %1 from NDTAIL where ABFS='A' and TAG<>'E' Order by ODRF").arg(WalkColumns), {});
}

void RecalcUnitPrices(int A, int B)
{
    WorkTransaction command(dMf->SQLConect);
    RefreshUnitPriceItems();
    RefreshItemRateRows(A, B);
    command.commit();
}

void RefreshItemRateRow(Dataset &rows)
{
    RepriceRateRow(rows, QStringLiteral("NDTAIL"), ItemMembers,
                   {rows.value("ACODE"), rows.value("BCODE"), rows.value("SCODE")});
}

void RefreshBreakdownRateRow(Dataset &rows, int i1, int i2, int i3)
{
    RepriceRateRow(rows, QStringLiteral("NDTAIL"), BreakdownMembers, {i1, i2, i3});
}

void WriteUnitPrices(int i1, int i2, int i3, double material, double labour, double expense)
{
    // The engine reads the old column values on the right of SET, so the amounts take
    // the new prices themselves, not the columns being set.
    RunTempSql(true,
               QStringLiteral("Update NDTAIL Set\nPCST11=?,\nLCST11=?,\nSCST11=?,\nPCST12=INO*?,\nLCST12=INO*?,\n"
                              "SCST12=INO*?,\nCSTTAL=INO*?+INO*?+INO*?\nwhere TAG='D' and ABFS='S'\n"
                              "and ICD1=?\nand ICD2=?\nand ICD3=?"),
               {material, labour, expense, material, labour, expense, material, labour, expense, i1, i2, i3});
    CommitWork();
}

} // namespace vek
