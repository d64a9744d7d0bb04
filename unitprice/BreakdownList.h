#pragma once

#include "core/RowList.h"
#include "core/SubtotalWalk.h"

#include <QList>
#include <QString>
#include <QVariantList>

#include <functional>

namespace vek {

class Dataset;
struct RatePlace;

// The key ICD1, ICD2, ICD3 that ties the breakdown rows (ABFS 'X') of one unit-price
// breakdown to the unit-price items (TAG 'D') priced by it.
struct BreakdownKey {
    int i1 = 0;
    int i2 = 0;
    int i3 = 0;

    QVariantList values() const { return {i1, i2, i3}; }
    // The key of the current row of rows (a dataset over NDTAIL).
    static BreakdownKey Of(const Dataset &rows);
    bool operator==(const BreakdownKey &) const = default;
};

// The unit-price breakdown of one key in the data module's dataset Tdtail, in ODRF order:
// what the breakdown screen does to its rows, without a widget. The footer, the rate
// rows' prices, the write-back into the unit-price items, new rows, deletes, renumbering,
// supplied material and the moves through the move file.
//
// Tdtail posts each row at once (read-only views cache their posts instead, and closing
// drops them). Every command first posts a row being edited. Each command that changes
// several rows is one transaction: when it fails the rows are read again, so that they
// show what the table kept, and the failure passes to the caller (DatabaseError,
// NumberError, DocumentError); a commit the engine refuses is reported ("처리실패!!") and
// the command changes nothing. New rows in insert mode shift the rows of the current
// line item's key (ShiftDetailOrder): on an editable breakdown that is the breakdown's key.
class BreakdownList : public RowList {
public:
    BreakdownList();

    Dataset &rows() const override;
    const BreakdownKey &key() const { return key_; }
    // The breakdown as the rate rows' place.
    RatePlace place() const;

    // Tdtail over the rows of key, "select * from NDTAIL where ABFS='X' and  ICD1=..."
    // Order by ODRF. A read-only view keeps its posts (the rate rows' prices) in memory.
    void Open(const BreakdownKey &key, bool readOnly = false);
    // Tdtail closed, posts kept in memory dropped.
    void Close();

    // Every rate row priced from its slot's rows (CalcRateRow), then the footer: material
    // from the amounts shown of the rows without supplied material, labour and expense
    // from theirs, each sum in whole units, truncated toward zero after a nudge of 0.001
    // away from zero; the total from the three unrounded sums alike. The current row stays.
    RollupSums CalcTotals();
    const RollupSums &Footer() const { return footer_; }
    // The current rate row priced from the rows of its slot NORT (RefreshBreakdownRateRow).
    void CalcRateRow();
    // The close: rows recalculated, then the footer written into every unit-price item of
    // the key as its unit prices, its amounts from its own quantity (WriteUnitPrices).
    // Sets DataChanged.
    RollupSums ApplyToItems();

    // Inserts one ordinary row of the key: the texts given, every number 0, ODRF order.
    void InsertBreakdownRow(const QString &name, const QString &basis, int order, const QString &unit);
    // ODRF := 1..n in the rows' order; the current row stays current.
    void RenumberOrder();
    // F3 on a row whose TAG begins with 'N' or 'P': its material unit price is set aside as
    // supplied material (RECV), or given back; then the footer is recalculated. False on
    // other kinds and on an empty breakdown.
    bool ToggleSupplied();

    // The cut in state 1: the marked rows go to the move file in ODRF order, then are
    // deleted and the rest numbered 1..n; state 2, InputKind the number cut. When the file
    // cannot be written or the delete fails nothing is cut and state 1 stays. Returns the
    // number of rows cut.
    int Cut();
    // The paste in state 2: the move file, read and checked whole (every record a row of
    // this breakdown), goes in before the current row (from 1 on an emptied breakdown) in
    // file order, the rows from there on moving down by the number read; the last pasted
    // row becomes current, state 0. Returns the number pasted. A file that cannot be read
    // or is refused changes nothing and throws DocumentError; state 2 stays.
    int Paste();
    // F9 in state 1 or 2, and a close during a move: state 0. In state 1 every mark is
    // cleared; in state 2 the cut rows go back to their old places (by the ODRF each had
    // when it was cut), the others keeping their order.
    void CancelMove();

protected:
    void InsertOrdinaryRow(const QString &name, const QString &spec, const QString &unit, int order) override;
    // Delete (RowList::DeleteRow): a rate row first unties the rows it covered
    // (UntieRateMembers); then the footer is recalculated.
    void ReleaseDependents(Dataset &row) override;
    void CloseOrderGap(int order) override;
    void Recompute() override;

private:
    QList<QVariantList> ReadMoveBlock() const;
    // Shifts the rows after ODRF after by the block's size and inserts the block there.
    void InsertBlock(const QList<QVariantList> &block, int after);

    BreakdownKey key_;
    bool readOnly_ = false;
    RollupSums footer_;
};

} // namespace vek
