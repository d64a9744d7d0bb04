#pragma once

#include <QString>

namespace vek {

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

} // namespace vek
