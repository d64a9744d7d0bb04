#pragma once

#include "core/RowList.h"
#include "core/SubtotalWalk.h"

#include <QString>

#include <functional>

namespace vek {

class Dataset;

// The bill of quantities of one node: the line items (ABFS 'S', labour rows aside) of the
// work item, middle group or small group that OpenListLevel names, in the data module's
// dataset TSlst in ODRF order. What the line-item screen does to its rows, without a
// widget: the recalculation with its subtotal rows and footer, new rows, deletes,
// renumbering, supplied material, the moves through the move file and the roll-up into
// the parent row when the list closes.
//
// Each command that changes rows is one transaction. When it fails, the list is read again
// so that it shows what the table kept, and the failure passes to the caller
// (DatabaseError, NumberError, DocumentError); a commit the engine refuses is reported to
// the user ("처리실패!!") and the command's answer says it did nothing. Commands move
// TSlst's current row where the screen's cursor belongs afterwards; a row being edited is
// posted before a command reads or shifts rows.
class LineItemList : public RowList {
public:
    LineItemList();

    Dataset &rows() const override;

    // TSlst over the open node's list, and DGADEL emptied: the unit-price items deleted
    // from here on are queued there.
    void Open();
    // Posts a row being edited, then deletes the breakdown rows of every unit-price item
    // deleted since Open whose key no unit-price item of the estimate uses any more.
    void Finish();

    // Prices every unit-price item from its breakdown and every rate row from the rows of
    // its slot, in list order, rewrites the subtotal rows (소계 and 계 from the rows since
    // the last of their kind, 합계 the running total in whole units) and returns the footer:
    // the amounts of the kinds P, L, C, N, D and R in whole units, the total their sum, as
    // RecalcItemGroup gives them for the parent row. A row being edited is posted first;
    // ordinary rows are not posted again. The current row stays current.
    RollupSums RecalcList();
    // The footer of the last RecalcList.
    const RollupSums &Footer() const { return footer_; }
    // The current unit-price item's unit prices := Int of the sums of its breakdown rows'
    // amounts; posted, so that its amounts follow.
    void RecalcUnitPriceRow();
    // The current rate row priced from the rows of its slot n (1-4; nothing for other n).
    void RecalcRateRowAmounts(int n);

    // Inserts one line item of the open node: kind and order as given, the texts, every
    // number 0, MVE 'F'.
    void InsertItemRow(const QString &name, const QString &spec, const QString &unit, const QString &kind, int order);
    // ODRF := 1..n in the list's order and every mark cleared; then the row now numbered
    // as the current row was (or the nearest after it) becomes current.
    void RenumberOrder();
    // F3 on a row of kind 'N' or 'P': its material unit price is set aside as supplied
    // material (RECV), or given back; then the list is recalculated. False on other kinds.
    bool ToggleSupplied();

    // F9 in state 1: every mark cleared, state 0.
    void EndMoveWithoutMoving();
    // The cut in state 1: the marked rows are written to the move file in ODRF order, then
    // deleted, the rest numbered 1..n; state 2. Returns the number of rows cut. When the file
    // cannot be written or the delete fails, nothing is cut and state 1 stays.
    int Cut();
    // The paste in state 2: the move file, read and checked whole (every record a line item
    // of this node), goes in before the current row (numbered from 1 on an empty list) in
    // file order; the last pasted row becomes current, state 0, and the list is
    // recalculated. Returns the number of rows pasted. A file that cannot be read or is
    // refused changes nothing and throws DocumentError; state 2 stays.
    int Paste();
    // A close during a move: marks cleared in state 1; in state 2 the cut rows pasted back
    // at the end of the list. Nothing in state 0.
    void RescueMove();

    // The close: the list recalculated and closed, and its footer written into the parent
    // row (the current row of TAlst, TBlst or TFlst by the open level): the footer sums as
    // unit prices, times the parent's quantity INO as amounts. Sets DataChanged. Returns
    // the footer.
    RollupSums CloseList();

protected:
    void InsertOrdinaryRow(const QString &name, const QString &spec, const QString &unit, int order) override;
    // Delete (RowList::DeleteRow): an 'L' or 'P' row takes its labour rows with it, a rate
    // row unties the rows it covered (UntieRateMembers); a deleted unit-price item is
    // queued in DGADEL by the data module. Then the list is recalculated.
    void ReleaseDependents(Dataset &row) override;
    void CloseOrderGap(int order) override;
    void Recompute() override;

private:
    // Inserts block after ODRF after, moving the rows behind it; then the state and place
    // of a finished paste.
    int PasteBlock(const QList<QVariantList> &block, int after);
    // The move file's rows, each checked to be a line item of the open node.
    QList<QVariantList> ReadMoveBlock() const;

    RollupSums footer_;
};

} // namespace vek
