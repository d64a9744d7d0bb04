#pragma once

#include <QString>
#include <QVariantList>

namespace vek {

class Dataset;
struct RollupSums;

// The three lists of group rows: the work items, the middle groups of the current work
// item, the small groups of the current middle group.
enum class GroupLevel { WorkItems, MiddleGroups, SmallGroups };

// What works alike on each list of group rows: opening it, its totals and recalculation,
// the move of a marked row, the renumbering, the delete with the rows below, which row is
// current after each, and the roll-up into the parent row when the list closes. The list
// is the data module's dataset of the level (TAlst, TBlst or TFlst), open in ODRF order
// under the current rows of the lists above. Each command is one transaction; when it
// fails, the list is read again so that it shows what the table kept, and the failure
// passes to the caller.
class GroupList {
public:
    explicit GroupList(GroupLevel level);

    // The level's dataset.
    Dataset &rows() const;
    // The level letter: ABFS of the list's rows and TAG of its ordinary rows.
    QString letter() const;

    // Opens the list: the level's rows under the current work item (TAlst) and, for the
    // small groups, the current middle group (TBlst), in ODRF order.
    void OpenList();
    // Rewrites the list's subtotal rows (RecalcTopRows over the work items,
    // RecalcSectionRows over the middle or small groups) and reads the list again, the
    // same row current. Returns the list's sums in whole units: what its footer shows.
    RollupSums RecalcTotals();
    // Refreshes the unit-price items and the rate rows below the list's parent
    // (RecalcUnitPrices with the work item's key and, for the small groups, the middle
    // group's), then prices every ordinary row of the list (TAG the level letter) from
    // the rows below it; one command, the same row current afterwards. Sets DataChanged
    // when a figure changed.
    void RecalcAmounts();
    // The close of a middle-group or small-group list: the list is closed and its sums
    // (the footer) are written into the parent row, the current row of TAlst or TBlst,
    // as StoreGroupSums writes a group row. Sets DataChanged when a figure changed.
    void CloseList(const RollupSums &sums);

    // Whether the current row has rows below it (rows of other levels under its keys).
    bool HasLowerRows() const;

    // ODRF := 1..n in the shown order and every mark cleared; the same row stays current.
    // Sets DataChanged.
    void RenumberOrder();

    // Marks the current row for a move (MVE 'T').
    void MarkForMove();
    // Clears every mark of the list, leaving move mode without a move, and reads the list
    // again.
    void ClearMoveMarks();
    // Drops the marked row at the current row, the target: the marked row takes the
    // target's ODRF a wherever it stands, every other row from a on moves one number up,
    // so the marked row lands just before the target whether it stood above or below it.
    // Every mark is cleared, the list read again in ODRF order and the moved row made
    // current. Returns whether an ODRF changed; DataChanged is then set.
    bool DropMovedRows();

    // Deletes the current row: a group row (kinds outside NoDrillTags) with every row
    // below it and the breakdown rows that no unit-price item elsewhere uses, then
    // renumbers the list, all as one transaction. The row that followed the deleted one
    // becomes current, or the new last row when it was the last.
    void DeleteCurrentRow();

private:
    // The current row's own keys (ACODE; BCODE from the middle groups; SCODE on the small
    // groups) and the clauses selecting them.
    QVariantList ownKeys() const;
    QString ownKeyClauses(const QString &separator) const;
    // The keys of the list's parents: (), (ACODE) or (ACODE, BCODE) of the current rows of
    // the lists above.
    QVariantList parentKeys() const;
    // The current row of the list above: TAlst for the middle groups, TBlst for the small
    // groups.
    Dataset &parentRows() const;
    // Runs work as one transaction; on failure or a refused commit reads the list again so
    // that it shows what the table kept.
    template <typename Work>
    void RunCommand(Work work);
    void Renumber();

    GroupLevel level_;
};

} // namespace vek
