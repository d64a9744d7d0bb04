#include "unitprice/BreakdownList.h"

#include "core/BreakdownFooter.h"
#include "core/DataModule.h"
#include "core/DocumentError.h"
#include "core/EstimateColumns.h"
#include "core/MoveFile.h"
#include "core/ProgramState.h"
#include "core/RatePlace.h"
#include "core/Recalc.h"
#include "core/SqlRoutines.h"

#include <algorithm>

namespace vek {

namespace {

const QString RateTag = QStringLiteral("R");
const QString KeyClauses = QStringLiteral(" and ICD1=? and ICD2=? and ICD3=?");

int Order(const Dataset &rows)
{
    return rows.asInteger("ODRF");
}

} // namespace

RatePlace BreakdownList::place() const
{
    return RatePlace::Breakdown(key_.i1, key_.i2, key_.i3);
}

BreakdownKey BreakdownKey::Of(const Dataset &rows)
{
    return {rows.asInteger("ICD1"), rows.asInteger("ICD2"), rows.asInteger("ICD3")};
}

BreakdownList::BreakdownList() : RowList(ShiftDetailOrder) {}

Dataset &BreakdownList::rows() const
{
    return dMf->Tdtail;
}

void BreakdownList::Open(const BreakdownKey &key, bool readOnly)
{
    key_ = key;
    readOnly_ = readOnly;
    moveState_ = NoMove;
    footer_ = {};
    Dataset &ds = rows();
    ds.close();
    ds.setCachedUpdates(readOnly);
    ds.setCommandText(QStringLiteral("select * from NDTAIL where ABFS='X' and  ICD1=? and ICD2=? and ICD3=? Order by ODRF"),
                      key.values());
    ds.open();
}

void BreakdownList::Close()
{
    Dataset &ds = rows();
    if (ds.state() == DatasetState::Edit || ds.state() == DatasetState::Insert)
        ds.cancel();
    ds.close();
    ds.setCachedUpdates(false);
}

void BreakdownList::CalcRateRow()
{
    RefreshBreakdownRateRow(rows(), key_.i1, key_.i2, key_.i3);
}

RollupSums BreakdownList::CalcTotals()
{
    PostEdit(rows());
    Dataset &ds = rows();
    BreakdownFooter footer;
    QuietWalk quiet(ds);
    const auto walk = [&] {
        for (ds.first(); !ds.eof(); ds.next()) {
            if (ds.asString("TAG") == RateTag)
                CalcRateRow();
            footer.Add(ds);
        }
    };
    // A read-only view prices its rate rows in memory only: nothing reaches the table.
    if (readOnly_)
        walk();
    else if (!RunCommandOnRows(rows(), walk))
        return footer_;
    footer_ = footer.Values();
    return footer_;
}

RollupSums BreakdownList::ApplyToItems()
{
    const RollupSums footer = CalcTotals();
    RunCommandOnRows(rows(), [&] {
        WriteUnitPrices(key_.i1, key_.i2, key_.i3, footer.material.toDouble(), footer.labour.toDouble(),
                        footer.expense.toDouble());
    });
    DataChanged = true;
    return footer;
}

void BreakdownList::InsertBreakdownRow(const QString &name, const QString &basis, int order, const QString &unit)
{
    InsertEstimateRow(dMf->SQLConect, EstimateRowValues({{"NAME", name},
                                                         {"STAN", basis},
                                                         {"UNIT", unit},
                                                         {"ICD1", key_.i1},
                                                         {"ICD2", key_.i2},
                                                         {"ICD3", key_.i3},
                                                         {"TAG", "N"},
                                                         {"ABFS", "X"},
                                                         {"MVE", "F"},
                                                         {"ODRF", order}}));
    CommitWork();
}

void BreakdownList::ReleaseDependents(Dataset &row)
{
    // A deleted rate row gives the rows it covered their slot back, so that a later rate
    // row of that slot and rate does not take them in unmarked.
    if (row.asString("TAG") == RateTag)
        UntieRateMembers(place(), row);
}

void BreakdownList::CloseOrderGap(int order)
{
    RunTempSql(true, QStringLiteral("UpDate NDTAIL Set ODRF=ODRF-1 where ODRF>? and ABFS='X'") + KeyClauses,
               QVariantList{order} + key_.values());
}

void BreakdownList::Recompute()
{
    CalcTotals();
}

void BreakdownList::RenumberOrder()
{
    PostEdit(rows());
    if (isEmpty())
        return;
    Dataset &ds = rows();
    const int place = ds.recNo();
    const int odrf = ds.fieldIndex("ODRF");
    const int rowKey = ds.fieldIndex("RID");
    // Only the numbers change: the rows are not posted again.
    if (!RunCommandOnRows(rows(), [&] {
            for (int row = 0; row < ds.recordCount(); ++row) {
                if (ds.valueOf(row, odrf).toInt() != row + 1)
                    RunTempSql(true, QStringLiteral("update NDTAIL set ODRF=? where RID=?"),
                               {row + 1, ds.valueOf(row, rowKey)});
            }
            CommitWork();
        }))
        return;
    // The order of the rows stays: so does the current row.
    ds.refresh();
    ds.setRecNo(place);
}

bool BreakdownList::ToggleSupplied()
{
    PostEdit(rows());
    Dataset &ds = rows();
    const QString tag = ds.asString("TAG");
    if (isEmpty() || !(tag.startsWith(QLatin1Char('N')) || tag.startsWith(QLatin1Char('P'))))
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
    DataChanged = true;
    CalcTotals();
    return true;
}

void BreakdownList::InsertOrdinaryRow(const QString &name, const QString &spec, const QString &unit, int order)
{
    InsertBreakdownRow(name, spec, order, unit);
}

int BreakdownList::Cut()
{
    PostEdit(rows());
    if (moveState_ != Marking)
        return 0;
    // The block keeps the breakdown's order, whatever order the engine returns rows in.
    Dataset &marked = dMf->mvDtail;
    marked.close();
    marked.setCommandText(QStringLiteral("select * from NDTAIL where MVE='T' and ABFS='X'") + KeyClauses
                              + QStringLiteral(" Order by ODRF"),
                          key_.values());
    marked.open();
    const QList<QVariantList> block = EstimateRowsOf(marked);
    marked.close();
    if (block.isEmpty())
        return 0;
    // The file is complete before any row goes: when it cannot be written nothing is cut.
    WriteMoveFile(block);
    if (!RunCommandOnRows(rows(), [&] {
            RunTempSql(true, QStringLiteral("Delete from NDTAIL where MVE='T' and ABFS='X'") + KeyClauses,
                       key_.values());
            CommitWork();
            rows().refresh();
            RenumberOrder();
        }))
        return 0;
    moveState_ = CutWaiting;
    InputKind = int(block.size());
    DataChanged = true;
    return int(block.size());
}

QList<QVariantList> BreakdownList::ReadMoveBlock() const
{
    const QList<QVariantList> block = ReadMoveFile();
    const QStringList &columns = EstimateColumns();
    const qsizetype abfs = columns.indexOf("ABFS");
    const qsizetype icd1 = columns.indexOf("ICD1");
    for (const QVariantList &row : block) {
        const BreakdownKey key{row.at(icd1).toInt(), row.at(icd1 + 1).toInt(), row.at(icd1 + 2).toInt()};
        if (row.at(abfs).toString() != QLatin1String("X") || !(key == key_))
            throw DocumentError(QStringLiteral(" 이동할 자료가 이 일위대가의 자료가 아닙니다.\n%1").arg(MoveFilePath()));
    }
    return block;
}

void BreakdownList::InsertBlock(const QList<QVariantList> &block, int after)
{
    const qsizetype odrf = EstimateColumns().indexOf("ODRF");
    RunTempSql(true, QStringLiteral("UpDate NDTAIL Set ODRF=ODRF+? where ODRF>? and ABFS='X'") + KeyClauses,
               QVariantList{int(block.size()), after} + key_.values());
    int order = after;
    for (QVariantList row : block) {
        row[odrf] = ++order;
        InsertEstimateRow(dMf->SQLConect, row);
    }
    CommitWork();
}

int BreakdownList::Paste()
{
    PostEdit(rows());
    if (moveState_ != CutWaiting)
        return 0;
    const QList<QVariantList> block = ReadMoveBlock();
    // An emptied breakdown numbers the block from 1.
    const int after = isEmpty() ? 0 : Order(rows()) - 1;
    if (!RunCommandOnRows(rows(), [&] { InsertBlock(block, after); }))
        return 0;
    rows().refresh();
    GotoOrder(rows(), after + std::max(int(block.size()), 1));
    moveState_ = NoMove;
    DataChanged = true;
    return int(block.size());
}

void BreakdownList::CancelMove()
{
    PostEdit(rows());
    switch (moveState_) {
    case NoMove:
        return;
    case Marking:
        if (!RunCommandOnRows(rows(), [&] {
                RunTempSql(true, QStringLiteral("UpDate NDTAIL Set MVE='F' where ABFS='X'") + KeyClauses, key_.values());
                CommitWork();
            }))
            return;
        break;
    case CutWaiting: {
        // In the order they had, each cut row goes back to the place it held: the rows
        // before it are all there again by then.
        QList<QVariantList> block = ReadMoveBlock();
        const qsizetype odrf = EstimateColumns().indexOf("ODRF");
        std::stable_sort(block.begin(), block.end(),
                         [odrf](const QVariantList &a, const QVariantList &b) { return a.at(odrf).toInt() < b.at(odrf).toInt(); });
        if (!RunCommandOnRows(rows(), [&] {
                for (const QVariantList &row : block)
                    InsertBlock({row}, std::max(row.at(odrf).toInt(), 1) - 1);
            }))
            return;
        DataChanged = true;
        break;
    }
    }
    rows().refresh();
    moveState_ = NoMove;
}

} // namespace vek
