#pragma once

#include <QString>
#include <QVariantList>

namespace vek {

class Dataset;

// The three lists of group rows: the work items, the middle groups of the current work
// item, the small groups of the current middle group.
enum class GroupLevel { WorkItems, MiddleGroups, SmallGroups };

// What works alike on each list of group rows: the move of a marked row, the renumbering,
// the delete with the rows below, and which row is current after each. The list is the
// data module's dataset of the level (TAlst, TBlst or TFlst), open in ODRF order. Each
// command is one transaction; when it fails, the list is read again so that it shows what
// the table kept, and the failure passes to the caller.
class GroupList {
public:
    explicit GroupList(GroupLevel level);

    // The level's dataset.
    Dataset &rows() const;
    // The level letter: ABFS of the list's rows and TAG of its ordinary rows.
    QString letter() const;

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
    // Runs work as one transaction on the list; on failure or a refused commit reads the
    // list again.
    template <typename Work>
    void RunCommand(Work work);
    void Renumber();

    GroupLevel level_;
};

} // namespace vek
