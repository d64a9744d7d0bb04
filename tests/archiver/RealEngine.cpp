#include "tests/archiver/RealEngine.h"

#include "tests/archiver/TestEngines.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace vek {

RealEngine::RealEngine()
{
    zip.SetDLLDirectory(RealEngineFolder());
}

QString RealEngine::Put(const QString &path, const QByteArray &bytes) const
{
    const QString file = home.filePath(path);
    QDir().mkpath(QFileInfo(file).absolutePath());
    WriteTestFile(file, bytes);
    return file;
}

QStringList RealEngine::Files(const QString &folder) const
{
    const QDir base(home.filePath(folder));
    QStringList files;
    QDirIterator it(base.path(), QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        if (info.isDir() && !info.isSymLink())
            continue;
        files.append(base.relativeFilePath(info.filePath())
                     + (info.isSymLink() ? QStringLiteral(" -> ") + info.symLinkTarget() : QString()));
    }
    files.sort();
    return files;
}

QByteArray SampleBytes(qsizetype count, quint32 seed)
{
    QByteArray bytes(count, '\0');
    quint32 state = seed;
    for (qsizetype i = 0; i < count; ++i) {
        state = state * 1103515245u + 12345u;
        bytes[i] = (i % 3 == 0) ? char(state >> 24) : char('a' + i % 7);
    }
    return bytes;
}

} // namespace vek
