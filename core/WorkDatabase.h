#pragma once

#include <QString>

namespace vek {

// The working database "Temp/VEKTMP.GDB" in the home folder.
QString WorkDatabasePath();
// The empty template database installed with the program.
QString TemplateDatabasePath();

// Creates the folder "Temp" in the home folder and copies the template database to
// WorkDatabasePath() when that file is missing; an existing working database is never
// overwritten. Throws DatabaseError naming the file when the template is missing or the
// copy cannot be made (for example on a full disk).
void PrepareWorkDatabase();

// Points the embedded engine's lock files at a folder of the user's own runtime folder
// (unless FIREBIRD_LOCK is already set) and creates it; must run before the first
// attachment of the process.
void PrepareFirebirdLock();

} // namespace vek
