// Times adding a working database to a backup archive and extracting it again through the
// zip component and its engine, against the raw work of the same size: libzip called
// directly with the same compression, nothing reported, asked or checked beyond libzip's
// own.

#include "BenchTiming.h"

#include "archiver/ZipMaster.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <zip.h>

#include <cstdio>

using namespace vek;

namespace {

constexpr int Repeats = 3;
constexpr qint64 DatabaseSize = 64 << 20; // a large working database
constexpr int Level = 9;                   // the backup dialog's compression level

// Database-like bytes: pages of repeated records with changing numbers.
QByteArray DatabaseBytes()
{
    QByteArray bytes;
    bytes.reserve(DatabaseSize);
    for (quint32 row = 0; bytes.size() < DatabaseSize; ++row)
        bytes += QStringLiteral("%1|철근콘크리트 %2|m3|%3|%4\n")
                     .arg(row, 8, 10, QLatin1Char('0'))
                     .arg(row % 97)
                     .arg(row * 7919 % 100000)
                     .arg(row * 104729 % 1000000)
                     .toUtf8();
    bytes.truncate(DatabaseSize);
    return bytes;
}

void RawAdd(const QString &file, const QString &archive)
{
    int error = 0;
    zip_t *zip = zip_open(QFile::encodeName(archive).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    Check(zip != nullptr, "raw add: open");
    zip_source_t *source = zip_source_file(zip, QFile::encodeName(file).constData(), 0, -1);
    Check(source != nullptr, "raw add: source");
    const zip_int64_t index = zip_file_add(zip, "VEKTMP.GDB", source, ZIP_FL_OVERWRITE);
    Check(index >= 0 && zip_set_file_compression(zip, zip_uint64_t(index), ZIP_CM_DEFLATE, Level) == 0, "raw add");
    Check(zip_close(zip) == 0, "raw add: close");
}

void RawExtract(const QString &archive, const QString &file)
{
    int error = 0;
    zip_t *zip = zip_open(QFile::encodeName(archive).constData(), ZIP_RDONLY, &error);
    Check(zip != nullptr, "raw extract: open");
    zip_file_t *entry = zip_fopen_index(zip, 0, 0);
    Check(entry != nullptr, "raw extract: entry");
    FILE *out = std::fopen(QFile::encodeName(file).constData(), "wb");
    Check(out != nullptr, "raw extract: create");
    static char buffer[1 << 16];
    for (zip_int64_t count; (count = zip_fread(entry, buffer, sizeof buffer)) > 0;)
        Check(std::fwrite(buffer, 1, size_t(count), out) == size_t(count), "raw extract: write");
    std::fclose(out);
    zip_fclose(entry);
    zip_discard(zip);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("data");
    QDir(dir.path()).mkpath("out");
    QDir(dir.path()).mkpath("raw");
    QFile file(dir.filePath("data/VEKTMP.GDB"));
    const QByteArray database = DatabaseBytes();
    Check(file.open(QIODevice::WriteOnly) && file.write(database) == database.size(), "database");
    file.close();

    TZipMaster zip;
    zip.SetUnattended(true);
    zip.SetDLLDirectory(QStringLiteral(VEK_ENGINE_DIR));
    zip.SetRootDir(dir.filePath("data"));
    zip.SetAddCompLevel(Level);
    zip.SetExtrOptions(ExtrOverWrite);
    zip.SetExtrBaseDir(dir.filePath("out"));
    const QString archive = dir.filePath("BakUp.Zip");
    const QString rawArchive = dir.filePath("raw.zip");
    // The handles stay loaded, as in a session that backs up more than one file.
    Check(zip.LoadZipLibrary() && zip.LoadUnzipLibrary(), "engine");

    const auto add = [&] {
        QFile::remove(archive);
        zip.SetZipFileName(archive);
        zip.FSpecArgs() = {"VEKTMP.GDB"};
        Check(zip.AddFiles() == 1, "add");
    };
    ReportTimes("add a 64 MB database, level 9", "component", CompareTimes(Repeats, add, [&] {
                    RawAdd(file.fileName(), rawArchive);
                }));

    const auto extract = [&] { Check(zip.ExtractFiles() == 1, "extract"); };
    ReportTimes("extract it again", "component", CompareTimes(Repeats, extract, [&] {
                    RawExtract(rawArchive, dir.filePath("raw/VEKTMP.GDB"));
                }));
    QFile restored(dir.filePath("out/VEKTMP.GDB"));
    Check(restored.open(QIODevice::ReadOnly) && restored.readAll() == database, "the database came back whole");
    return 0;
}
