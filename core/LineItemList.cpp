#include "core/LineItemList.h"

#include "core/DataModule.h"
#include "core/DocumentError.h"
#include "core/EstimateColumns.h"
#include "core/MoveFile.h"
#include "core/ProgramState.h"
#include "core/RatePlace.h"
#include "core/Recalc.h"
#include "core/SqlRoutines.h"

namespace vek {

namespace {

const QString UnitPriceTag = QStringLiteral("D");
const QString RateTag = QStringLiteral("R");
// The kinds whose amounts make the footer and the parent's sums, as RecalcItemGroup
// sums them: subtotal rows and rows left out ('E') are not among them.
const QStringList FooterKinds = {"P", "L", "C", "N", "D", "R"};

int Order(const Dataset &rows)
{
    return rows.asInteger("ODRF");
}

// The current row of the open level's list, which the line items belong to.
Dataset &ParentRow()
{
    switch (OpenListLevel()) {
    case 0: return dMf->TAlst;
    case 1: return dMf->TBlst;
    default: return dMf->TFlst;
    }
}


void SetAmounts(Dataset &rows, const SubtotalWalkRow &amounts)
{
    rows.setValue("PCST12", amounts.material);
    rows.setValue("LCST12", amounts.labour);
    rows.setValue("SCST12", amounts.expense);
    rows.setValue("CSTTAL", amounts.total);
}

bool SameAmounts(const Dataset &rows, const SubtotalWalkRow &amounts)
{
    return rows.asDouble("PCST12") == amounts.material && rows.asDouble("LCST12") == amounts.labour
           && rows.asDouble("SCST12") == amounts.expense && rows.asDouble("CSTTAL") == amounts.total;
}

} // namespace

LineItemList::LineItemList() : RowList(ShiftItemOrder) {}

Dataset &LineItemList::rows() const
{
    return dMf->TSlst;
}

void LineItemList::Open()
{
    const NodeFilter node = OpenNodeFilter();
    Dataset &ds = rows();
    ds.close();
    ds.setCommandText(QStringLiteral("select * from NDTAIL where ABFS='S' and TAG<>'M'") + node.clauses
                          + QStringLiteral(" Order by ODRF"),
                      node.keys);
    ds.open();
    moveState_ = NoMove;
    RunTempSql(true, QStringLiteral("Delete from DGADEL"));
    CommitWork();
}

void LineItemList::Finish()
{
    PostEdit(rows());
    WorkTransaction command(dMf->SQLConect);
    Dataset &keys = dMf->qDgdel;
    keys.close();
    keys.setCommandText(
        QStringLiteral("select Icd1, Icd2, Icd3 from Dgadel group by Icd1, Icd2, Icd3 order by Icd1, Icd2, Icd3"));
    keys.open();
    for (keys.first(); !keys.eof(); keys.next()) {
        const QVariantList key{keys.value(0), keys.value(1), keys.value(2)};
        RunTempSql(false,
                   QStringLiteral("select Count(*) from NDTAIL where ABFS='S' and TAG='D' and ICD1=? and ICD2=? and ICD3=?"),
                   key);
        const int users = dMf->sQTmp.value(0).toInt();
        dMf->sQTmp.close();
        if (users == 0)
            DeleteDetailRows(key.at(0).toInt(), key.at(1).toInt(), key.at(2).toInt());
    }
    keys.close();
    command.commit();
}

RollupSums LineItemList::RecalcList()
{
    PostEdit(rows());
    Dataset &ds = rows();
    std::vector<SubtotalWalkRow> walk;
    walk.reserve(size_t(ds.recordCount()));
    RollupSums footer;
    QuietWalk quiet(ds);
    RunCommandOnRows(rows(), [&] {
        for (ds.first(); !ds.eof(); ds.next()) {
            const QString tag = ds.asString("TAG");
            if (tag == UnitPriceTag)
                RecalcUnitPriceRow();
            else if (tag == RateTag)
                RecalcRateRowAmounts(ds.asInteger("NORT"));
            walk.push_back({tag, ds.asInteger("ICD1"), ds.asDouble("PCST12"), ds.asDouble("LCST12"),
                            ds.asDouble("SCST12"), ds.asDouble("CSTTAL")});
            if (FooterKinds.contains(tag)) {
                footer.material = AddRounded(footer.material, ds.asDouble("PCST12"));
                footer.labour = AddRounded(footer.labour, ds.asDouble("LCST12"));
                footer.expense = AddRounded(footer.expense, ds.asDouble("SCST12"));
            }
        }
        // The subtotal rows take their sums as the roll-ups of the groups give them.
        SubtotalWalk(walk, WalkTotals::FromParts);
        size_t i = 0;
        for (ds.first(); !ds.eof(); ds.next(), ++i) {
            if (walk[i].tag != SubtotalTag || SameAmounts(ds, walk[i]))
                continue;
            ds.edit();
            SetAmounts(ds, walk[i]);
            ds.post();
        }
    });
    footer_ = {WholeUnits(footer.material), WholeUnits(footer.labour), WholeUnits(footer.expense), {}};
    footer_.total = SumOfParts(footer_);
    return footer_;
}

void LineItemList::RecalcUnitPriceRow()
{
    Dataset &ds = rows();
    RunTempSql(false,
               QStringLiteral("select sum(PCST12),sum(LCST12), sum(SCST12) from NDTAIL where ABFS='X' and ICD1=? and "
                              "ICD2=? and ICD3=?"),
               {ds.value("ICD1"), ds.value("ICD2"), ds.value("ICD3")});
    const Dataset &sums = dMf->sQTmp;
    const double material = double(Currency::truncOf(sums.value(0).toDouble()));
    const double labour = double(Currency::truncOf(sums.value(1).toDouble()));
    const double expense = double(Currency::truncOf(sums.value(2).toDouble()));
    dMf->sQTmp.close();
    ds.edit();
    ds.setValue("PCST11", material);
    ds.setValue("LCST11", labour);
    ds.setValue("SCST11", expense);
    ds.post();
}

void LineItemList::RecalcRateRowAmounts(int n)
{
    if (n >= 1 && n <= 4)
        RefreshItemRateRow(rows());
}

void LineItemList::InsertOrdinaryRow(const QString &name, const QString &spec, const QString &unit, int order)
{
    InsertItemRow(name, spec, unit, QStringLiteral("N"), order);
}

void LineItemList::InsertItemRow(const QString &name, const QString &spec, const QString &unit, const QString &kind,
                                 int order)
{
    const QVariantList keys = OpenNodeKeys();
    InsertEstimateRow(dMf->SQLConect, EstimateRowValues({{"ACODE", keys.at(0)},
                                                         {"BCODE", keys.at(1)},
                                                         {"SCODE", keys.at(2)},
                                                         {"NAME", name},
                                                         {"STAN", spec},
                                                         {"UNIT", unit},
                                                         {"TAG", kind},
                                                         {"ABFS", "S"},
                                                         {"MVE", "F"},
                                                         {"ODRF", order}}));
    CommitWork();
}

void LineItemList::ReleaseDependents(Dataset &row)
{
    const NodeFilter node = OpenNodeFilter();
    const QString tag = row.asString("TAG");
    if (tag == QLatin1String("L")) {
        RunTempSql(true,
                   QStringLiteral("Delete from  NDTAIL where ABFS='S' and TAG='M'") + node.clauses
                       + QStringLiteral(" and NoRT=?"),
                   node.keys + QVariantList{row.value("ICD3")});
        CommitWork();
    } else if (tag == QLatin1String("P")) {
        RunTempSql(true,
                   QStringLiteral("Delete from NDTAIL where ABFS='S' and TAG='M'") + node.clauses
                       + QStringLiteral(" and ICD1=? and ICD2=? and ICD3=?"),
                   node.keys + QVariantList{row.value("ICD1"), row.value("ICD2"), row.value("ICD3")});
        CommitWork();
    } else if (tag == RateTag) {
        const QVariantList keys = OpenNodeKeys();
        UntieRateMembers(RatePlace::Node(keys.at(0).toInt(), keys.at(1).toInt(), keys.at(2).toInt()), row);
    }
}

void LineItemList::CloseOrderGap(int order)
{
    const NodeFilter node = OpenNodeFilter();
    RunTempSql(true,
               QStringLiteral("UpDate NDTAIL Set ODRF=ODRF-1 where ABFS='S' and TAG<>'M'") + node.clauses
                   + QStringLiteral(" and ODRF>?"),
               node.keys + QVariantList{order});
}

void LineItemList::Recompute()
{
    RecalcList();
}

void LineItemList::RenumberOrder()
{
    PostEdit(rows());
    if (isEmpty())
        return;
    Dataset &ds = rows();
    const int order = Order(ds);
    const int odrf = ds.fieldIndex("ODRF");
    const int mark = ds.fieldIndex("MVE");
    const int key = ds.fieldIndex("RID");
    // Only the numbers and marks change: the rows are not posted, so their amounts stay
    // as the table holds them.
    if (!RunCommandOnRows(rows(), [&] {
            for (int row = 0; row < ds.recordCount(); ++row) {
                if (ds.valueOf(row, odrf).toInt() == row + 1 && ds.valueOf(row, mark).toString() == QLatin1String("F"))
                    continue;
                RunTempSql(true, QStringLiteral("update NDTAIL set ODRF=?, MVE='F' where RID=?"),
                           {row + 1, ds.valueOf(row, key)});
            }
            CommitWork();
        }))
        return;
    ds.refresh();
    GotoOrder(rows(), order);
    DataChanged = true;
}

bool LineItemList::ToggleSupplied()
{
    PostEdit(rows());
    Dataset &ds = rows();
    if (isEmpty() || (ds.asString("TAG") != QLatin1String("N") && ds.asString("TAG") != QLatin1String("P")))
        return false;
    ds.edit();
    const double supplied = ds.asDouble("RECV");
    if (supplied != 0) {
        ds.setValue("PCST11", supplied);
        ds.setValue("RECV", 0.0);
    } else {
        ds.setValue("RECV", ds.asDouble("PCST11"));
        ds.setValue("PCST11", 0.0);
    }
    ds.post();
    RecalcList();
    DataChanged = true;
    return true;
}

void LineItemList::EndMoveWithoutMoving()
{
    PostEdit(rows());
    const NodeFilter node = OpenNodeFilter();
    RunCommandOnRows(rows(), [&] {
        RunTempSql(true, QStringLiteral("UpDate NDTAIL Set MVE='F' where ABFS='S'") + node.clauses, node.keys);
        CommitWork();
    });
    rows().refresh();
    moveState_ = NoMove;
}

int LineItemList::Cut()
{
    PostEdit(rows());
    const NodeFilter node = OpenNodeFilter();
    // The block keeps its order: the marked rows go to the file as the list shows them.
    Dataset &marked = dMf->mvDtail;
    marked.close();
    marked.setCommandText(QStringLiteral("select * from NDTAIL where MVE='T' and ABFS='S'") + node.clauses
                              + QStringLiteral(" Order by ODRF"),
                          node.keys);
    marked.open();
    const QList<QVariantList> block = EstimateRowsOf(marked);
    marked.close();
    // The file is complete before any row goes: when it cannot be written nothing is cut.
    WriteMoveFile(block);
    if (!RunCommandOnRows(rows(), [&] {
            RunTempSql(true, QStringLiteral("Delete from NDTAIL where MVE='T' and ABFS='S'") + node.clauses, node.keys);
            CommitWork();
            rows().refresh();
            RenumberOrder();
        }))
        return 0;
    moveState_ = CutWaiting;
    InputKind = int(block.size());
    return int(block.size());
}

QList<QVariantList> LineItemList::ReadMoveBlock() const
{
    const QList<QVariantList> block = ReadMoveFile();
    const QStringList &columns = EstimateColumns();
    const int abfs = int(columns.indexOf("ABFS"));
    const QVariantList keys = OpenNodeKeys();
    for (const QVariantList &row : block) {
        const bool ours = row.at(abfs).toString() == QLatin1String("S") && row.at(0).toInt() == keys.at(0).toInt()
                          && row.at(1).toInt() == keys.at(1).toInt() && row.at(2).toInt() == keys.at(2).toInt();
        if (!ours)
            throw DocumentError(QStringLiteral(" 이동할 자료가 이 내역서의 자료가 아닙니다.\n%1").arg(MoveFilePath()));
    }
    return block;
}

int LineItemList::Paste()
{
    PostEdit(rows());
    const QList<QVariantList> block = ReadMoveBlock();
    // An emptied list numbers the block from 1, as every list.
    const int after = isEmpty() ? 0 : Order(rows()) - 1;
    return PasteBlock(block, after);
}

int LineItemList::PasteBlock(const QList<QVariantList> &block, int after)
{
    const NodeFilter node = OpenNodeFilter();
    const int count = int(block.size());
    const int odrf = int(EstimateColumns().indexOf("ODRF"));
    if (!RunCommandOnRows(rows(), [&] {
            if (count > 0) {
                RunTempSql(true,
                           QStringLiteral("UpDate NDTAIL Set ODRF=ODRF+? where ODRF>? and ABFS='S' and TAG<>'M'")
                               + node.clauses,
                           QVariantList{count, after} + node.keys);
                CommitWork();
            }
            int order = after;
            for (QVariantList row : block) {
                row[odrf] = ++order;
                InsertEstimateRow(dMf->SQLConect, row);
            }
            CommitWork();
        }))
        return 0;
    rows().refresh();
    GotoOrder(rows(), after + std::max(count, 1));
    moveState_ = NoMove;
    RecalcList();
    DataChanged = true;
    return count;
}

void LineItemList::RescueMove()
{
    switch (moveState_) {
    case Marking:
        EndMoveWithoutMoving();
        break;
    case CutWaiting: {
        PostEdit(rows());
        const QList<QVariantList> block = ReadMoveBlock();
        Dataset &ds = rows();
        int last = 0;
        if (!isEmpty()) {
            ds.last();
            last = Order(ds);
        }
        PasteBlock(block, last);
        break;
    }
    case NoMove:
        break;
    }
}

RollupSums LineItemList::CloseList()
{
    const RollupSums footer = RecalcList();
    rows().close();
    StoreGroupSums(ParentRow(), footer);
    // New totals in the parent are a change to save, also after the list was saved.
    DataChanged = true;
    return footer;
}

} // namespace vek
