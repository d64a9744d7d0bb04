// Times spreading a backup archive over parts and joining the parts again against the raw
// work of the same size: the same bytes read and written in the same part sizes with
// plain file calls, nothing checked.

#include "BenchTiming.h"

#include "archiver/ZipMaster.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

using namespace vek;

namespace {

constexpr int Repeats = 3;
constexpr qint64 DatabaseSize = 64 << 20; // a large working database
constexpr qint64 PartSize = 10 << 20;
constexpr qint64 RawBlock = 1 << 20;

// Copies the bytes of from into files of at most partSize bytes named by part.
void RawSplit(const QString &from, qint64 partSize, const std::function<QString(int)> &part)
{
    QFile in(from);
    Check(in.open(QIODevice::ReadOnly), "raw split: open");
    for (int disk = 0; !in.atEnd(); ++disk) {
        QFile out(part(disk));
        Check(out.open(QIODevice::WriteOnly | QIODevice::Truncate), "raw split: create");
        for (qint64 left = partSize; left > 0 && !in.atEnd();) {
            const QByteArray block = in.read(std::min(left, RawBlock));
            Check(out.write(block) == block.size(), "raw split: write");
            left -= block.size();
        }
    }
}

// Writes the parts one after the other into to.
void RawJoin(const QStringList &parts, const QString &to)
{
    QFile out(to);
    Check(out.open(QIODevice::WriteOnly | QIODevice::Truncate), "raw join: create");
    for (const QString &part : parts) {
        QFile in(part);
        Check(in.open(QIODevice::ReadOnly), "raw join: open");
        while (!in.atEnd())
            Check(out.write(in.read(RawBlock)) >= 0, "raw join: write");
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QByteArray database(DatabaseSize, '\0');
    QRandomGenerator(25).fillRange(reinterpret_cast<quint32 *>(database.data()), database.size() / 4);
    QFile file(dir.filePath("VEKTMP.GDB"));
    Check(file.open(QIODevice::WriteOnly) && file.write(database) == database.size(), "database");
    file.close();
    QProcess zip;
    zip.setWorkingDirectory(dir.path());
    zip.start("zip", {"-q", "-0", "backup.zip", "VEKTMP.GDB"});
    Check(zip.waitForFinished(120000) && zip.exitCode() == 0, "zip");
    const QString archive = dir.filePath("backup.zip");

    TZipMaster master;
    master.SetUnattended(true);
    master.SetMaxVolumeSize(PartSize);
    master.OnStatusDisk = [](TZipMaster &, int, const QString &, TZipDiskStatus, TZipDiskAction &action) {
        action = TZipDiskAction::Ok; // the parts of the last run are overwritten
    };
    const auto write = [&] { Check(master.WriteSpanned(archive, dir.filePath("BakUp.Zip")) == 0, "write a set"); };
    const auto rawSplit = [&] {
        RawSplit(archive, PartSize, [&](int disk) { return dir.filePath(QStringLiteral("raw%1.part").arg(disk)); });
    };
    ReportTimes("write a set of 10 MB parts", "set", CompareTimes(Repeats, write, rawSplit));

    master.SetTempDir(dir.path());
    const auto join = [&] {
        QString joined;
        Check(master.ReadSpanned(dir.filePath("BakUp.Zip"), joined) == 0, "join a set");
        QFile::remove(joined);
    };
    const QStringList parts = QDir(dir.path()).entryList({"Ba*.Zip"}, QDir::Files, QDir::Name);
    const auto rawJoin = [&] {
        QStringList paths;
        for (const QString &part : parts)
            paths.append(dir.filePath(part));
        RawJoin(paths, dir.filePath("raw-joined.zip"));
    };
    ReportTimes("join a set of 10 MB parts", "set", CompareTimes(Repeats, join, rawJoin));
    return 0;
}
