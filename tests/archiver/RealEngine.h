#pragma once

#include "archiver/ZipMaster.h"
#include "tests/support/TempHome.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vek {

// A zip component on the real engine in a fresh home folder, with helpers to lay out
// files and look at what came out.
struct RealEngine {
    RealEngine();

    // Writes bytes to the file at the path relative to the home folder, making its folders.
    QString Put(const QString &path, const QByteArray &bytes) const;
    QString Path(const QString &path) const { return home.filePath(path); }
    // Every file and symbolic link below folder (relative to the home folder), by path
    // relative to it, sorted; links marked with " -> " and their target.
    QStringList Files(const QString &folder) const;

    TempHome home;
    TZipMaster zip;
};

// count bytes that compress to about a third, the same for the same seed.
QByteArray SampleBytes(qsizetype count, quint32 seed = 1);

} // namespace vek
