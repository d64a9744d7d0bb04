#pragma once

#include <QString>

namespace vek {

class Dataset;

// What the line-item list and the breakdown list do alike to the rows of their place (a
// list of NDTAIL in ODRF order in one of the data module's datasets): new ordinary rows
// placed by the insert/append mode, copies of a row's texts, text appended to a field,
// the delete of a row and the marking that starts a move. Each list gives its dataset, its
// row insert, how it moves rows down to make room and up to close a gap, and its recompute.
class RowList {
public:
    // 0 no move, 1 rows being marked, 2 rows cut to the move file and waiting to be pasted.
    enum MoveState { NoMove = 0, Marking = 1, CutWaiting = 2 };

    // shiftOrder moves the rows of the place with ODRF >= n one place down.
    explicit RowList(void (*shiftOrder)(int)) : shiftOrder_(shiftOrder) {}
    virtual ~RowList() = default;

    virtual Dataset &rows() const = 0;
    bool isEmpty() const;

    // F2: an empty ordinary row before the current row (insert mode; the rows from there
    // on move one place down) or after the last; 1 in an empty list. The new row becomes
    // current; DataChanged.
    void AddRow();
    // Alt+Z: a new ordinary row with the current row's NAME, STAN and UNIT and every number
    // 0, placed as by AddRow. False (nothing added) on an empty list and on a rate row.
    bool CopyRow();
    // Appends text to field of the current row (the special-character pick).
    void AppendToField(const QString &field, const QString &text);
    // Deletes the current row in one command: what belongs to it first (ReleaseDependents),
    // then the row, then the gap in ODRF closed (CloseOrderGap). The row that followed it
    // (or the new last row) becomes current, the list is recomputed (Recompute);
    // DataChanged.
    void DeleteRow();

    MoveState moveState() const { return moveState_; }
    // F9 in state 0: marking begins. False (nothing changes) on an empty list or during a move.
    bool StartMove();
    // State 1: the current row's mark (MVE 'T') on or off, posted at once.
    void ToggleMark();

protected:
    // Inserts one ordinary row ('N') of the place with the texts at order, every number
    // 0, inside the running command.
    virtual void InsertOrdinaryRow(const QString &name, const QString &spec, const QString &unit, int order) = 0;
    // Inside DeleteRow's command, before the current row goes: the rows that go with it,
    // and the rows a rate row covered untied.
    virtual void ReleaseDependents(Dataset &row) = 0;
    // Inside DeleteRow's command: the rows of the place after order move up one place.
    virtual void CloseOrderGap(int order) = 0;
    // After a change of rows: the list's rate rows and footer computed again.
    virtual void Recompute() = 0;

    MoveState moveState_ = NoMove;

private:
    void (*shiftOrder_)(int);
    void InsertNewRow(const QString &name, const QString &spec, const QString &unit);
};

} // namespace vek
