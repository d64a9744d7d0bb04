#pragma once

#include <QList>
#include <QString>


namespace vek {

class Dataset;
struct Bookmark;

// The few values that every screen shares, for the program's lifetime.

// Mode handed to a dialog by its opener: 1 add (or: the current list), 2 modify (or: the
// whole estimate); while rows of a list are cut for a move, the number of rows cut.
extern int InputKind;
// The document has unsaved changes.
extern bool DataChanged;
// True: a new row goes before the current row ("[삽입]"); false: after the last ("[추가]").
extern bool InsertMode;
// Path of the open document; UntitledFileName while it has none.
extern QString CurrentFileName;

extern const QString UntitledFileName;

// Row kinds without lower rows: no drill-down, no cascade delete, not typed into.
extern const QString NoDrillTags;
bool IsNoDrillTag(const QString &tag);

// What a dialog opened over a list screen needs of that screen, without knowing the
// screen's class: the dataset its grid shows and the rows selected in that grid. The
// line-item screen and the breakdown screen implement it and name themselves in
// SlstFmHook and Sudetaif from their creation until they close; the item dialog's bulk
// adjustment and the rate-row dialog read them.
class ListScreenHook {
public:
    // The rows the screen's grid shows (TSlst on the line-item screen, Tdtail on the
    // breakdown screen).
    virtual Dataset &ShownRows() = 0;
    // The grid's selected rows (its SelectedRows), by bookmark in the order they were
    // selected; empty when none is.
    virtual QList<Bookmark> SelectedRows() const = 0;

protected:
    ~ListScreenHook() = default;
};

// The open line-item screen (the system's SlstFm), or nullptr.
extern ListScreenHook *SlstFmHook;
// The open breakdown screen, or nullptr: while it is set, the bulk adjustment and the
// rate-row dialog work on breakdown rows instead of line items.
extern ListScreenHook *Sudetaif;

} // namespace vek
