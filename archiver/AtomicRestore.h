#pragma once

#include <QString>

#include <functional>

namespace vek {

class TZipMaster;

// How a restore ended; only Restored replaced anything.
enum class RestoreOutcome {
    Restored,         // every file of the archive replaced its old one, or was added
    FolderUnusable,   // the target folder (detail) could not be created or written in
    FileHeld,         // a program holds the file detail open (a database attached to it)
    NothingToRestore, // the archive (detail) holds no file
    ExtractFailed,    // the engine reported a failure, which the component has shown
    EntryMissing,     // the engine did not write the entry detail
    SwapFailed,       // the file detail could not be replaced; the old files are back
    RollbackFailed,   // ... and not every old file could be put back: they are in detail
};

struct RestoreResult {
    RestoreOutcome outcome;
    QString detail;
};

// Renames the file from to to, in the same file system; false when that fails.
using FileMover = std::function<bool(const QString &from, const QString &to)>;
bool RenameFile(const QString &from, const QString &to);

// Restores every file of the archive zip holds into folder (created when missing), all or
// nothing, so that a folder of database files is never left half old and half new. Each
// target that exists is locked (a non-blocking exclusive flock: an attached embedded
// Firebird database holds one) and stays locked to the end. The archive is extracted into
// a new temporary folder inside folder; only when the engine reported no failure and
// wrote every file does each old file move aside and the new one take its place, and
// when a move fails every old file goes back. The temporary folder is removed in every
// case but RollbackFailed. zip's directory must have been read.
RestoreResult RestoreArchive(TZipMaster &zip, const QString &folder, const FileMover &move = RenameFile);

} // namespace vek
