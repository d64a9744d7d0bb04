#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <QVariantList>

namespace vek {

// The whole content of the file at path; throws DocumentError when it cannot be read.
QByteArray ReadRecordFile(const QString &path);

// Writes a file of estimate records into a temporary file beside its target, which replaces the
// target only at commit(): a failure on the way, or a writer dropped without commit(),
// leaves the old file as it was and no temporary file behind. Every failure throws
// DocumentError.
class RecordFileWriter {
public:
    explicit RecordFileWriter(const QString &path);
    RecordFileWriter(const RecordFileWriter &) = delete;
    RecordFileWriter &operator=(const RecordFileWriter &) = delete;

    void write(const QByteArray &record);
    // Writes the record of a row of 44 values in table order (TEstimateRecord::FromRow).
    void writeRow(const QVariantList &values);
    void commit();

private:
    QString path_;
    QSaveFile file_;
    int rows_ = 0;
};

} // namespace vek
