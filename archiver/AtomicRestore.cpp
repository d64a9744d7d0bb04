#include "archiver/AtomicRestore.h"

#include "archiver/ZipMaster.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <vector>

#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vek {
namespace {

// Files locked for the life of the object.
class HeldFiles {
public:
    HeldFiles() = default;
    HeldFiles(const HeldFiles &) = delete;
    HeldFiles &operator=(const HeldFiles &) = delete;
    ~HeldFiles()
    {
        for (const int descriptor : descriptors_)
            ::close(descriptor);
    }

    // False when another open of the file holds a lock on it. A file that cannot be
    // opened is left to the move that replaces it.
    bool Lock(const QString &path)
    {
        const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        if (descriptor < 0)
            return true;
        if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
            ::close(descriptor);
            return false;
        }
        descriptors_.push_back(descriptor);
        return true;
    }

private:
    std::vector<int> descriptors_;
};

// The names the archive's files take in one folder (the engine drops the entries' folders).
QStringList FileNames(const TZipMaster &zip)
{
    QStringList names;
    for (int i = 0; i < zip.Count(); ++i) {
        QString name = zip.DirEntry(i).FileName;
        name = name.mid(std::max(name.lastIndexOf(u'\\'), name.lastIndexOf(u'/')) + 1);
        if (!name.isEmpty() && name != QStringLiteral(".") && name != QStringLiteral(".."))
            names.append(name);
    }
    names.removeDuplicates();
    return names;
}

bool Exists(const QString &path)
{
    return QFileInfo(path).exists() || QFileInfo(path).isSymLink();
}

// Makes the folder's renames last before the caller is told the restore is done.
void SyncFolder(const QString &folder)
{
    const int descriptor = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    ::fsync(descriptor);
    ::close(descriptor);
}

// Moves the new files into target, each old one aside first; undoes it all on a failure.
class FolderSwap {
public:
    FolderSwap(const QDir &target, const QDir &fresh, const QDir &old, const FileMover &move)
        : target_(target), fresh_(fresh), old_(old), move_(move)
    {
    }

    RestoreResult Run(const QStringList &names)
    {
        for (const QString &name : names) {
            const QString path = target_.filePath(name);
            if (Exists(path)) {
                if (!move_(path, old_.filePath(name)))
                    return rollBack(path);
                asides_.append(name);
            }
            if (!move_(fresh_.filePath(name), path))
                return rollBack(path);
            placed_.append(name);
        }
        SyncFolder(target_.path());
        return {RestoreOutcome::Restored, QString()};
    }

private:
    // An old file moving back replaces the new one in its place; a new file without an
    // old one moves out again.
    RestoreResult rollBack(const QString &failed)
    {
        bool back = true;
        for (auto name = asides_.crbegin(); name != asides_.crend(); ++name)
            back = move_(old_.filePath(*name), target_.filePath(*name)) && back;
        for (auto name = placed_.crbegin(); name != placed_.crend(); ++name) {
            if (!asides_.contains(*name))
                back = move_(target_.filePath(*name), fresh_.filePath(*name)) && back;
        }
        SyncFolder(target_.path());
        if (!back)
            return {RestoreOutcome::RollbackFailed, old_.path()};
        return {RestoreOutcome::SwapFailed, failed};
    }

    QDir target_, fresh_, old_;
    const FileMover &move_;
    QStringList asides_; // old files moved aside
    QStringList placed_; // new files moved in
};

} // namespace

bool RenameFile(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

RestoreResult RestoreArchive(TZipMaster &zip, const QString &folder, const FileMover &move)
{
    if (!QDir().mkpath(folder))
        return {RestoreOutcome::FolderUnusable, folder};
    const QDir target(folder);
    const QStringList names = FileNames(zip);
    if (names.isEmpty())
        return {RestoreOutcome::NothingToRestore, zip.ZipFileName()};

    HeldFiles locks;
    for (const QString &name : names) {
        const QString path = target.filePath(name);
        // A folder of that name is no file to replace.
        if (QFileInfo(path).isDir())
            return {RestoreOutcome::SwapFailed, path};
        if (Exists(path) && !locks.Lock(path))
            return {RestoreOutcome::FileHeld, path};
    }

    QTemporaryDir work(target.filePath(QStringLiteral(".KavroZip-XXXXXX")));
    const QDir fresh(work.filePath(QStringLiteral("new"))), old(work.filePath(QStringLiteral("old")));
    if (!work.isValid() || !QDir().mkpath(fresh.path()) || !QDir().mkpath(old.path()))
        return {RestoreOutcome::FolderUnusable, folder};

    zip.SetExtrBaseDir(fresh.path());
    zip.SetExtrOptions(ExtrOverWrite);
    zip.FSpecArgs().clear();
    zip.ExtractFiles();
    if (zip.ErrCode() != 0 || zip.FullErrCode() != 0)
        return {RestoreOutcome::ExtractFailed, QString()};
    for (const QString &name : names) {
        if (!QFileInfo(fresh.filePath(name)).isFile())
            return {RestoreOutcome::EntryMissing, name};
    }

    const RestoreResult result = FolderSwap(target, fresh, old, move).Run(names);
    // The old files stay where they are when they could not all be put back.
    work.setAutoRemove(result.outcome != RestoreOutcome::RollbackFailed);
    return result;
}

} // namespace vek
