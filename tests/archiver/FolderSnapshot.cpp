#include "tests/archiver/FolderSnapshot.h"

#include "tests/support/TestFiles.h"

#include <QDir>

namespace vek {

FolderSnapshot TakeSnapshot(const QString &folder)
{
    FolderSnapshot entries;
    const QDir dir(folder);
    for (const QFileInfo &info : dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        entries.insert(info.fileName(), info.isDir() ? QByteArray("<folder>") : ReadTestFile(info.filePath()));
    return entries;
}

} // namespace vek
