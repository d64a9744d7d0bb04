#include "core/RecordFile.h"

#include "core/Currency.h"
#include "core/DocumentError.h"
#include "core/EstimateRecord.h"

#include <QFile>

namespace vek {

QByteArray ReadRecordFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DocumentError::CannotRead(path, file.errorString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw DocumentError::CannotRead(path, file.errorString());
    return bytes;
}

RecordFileWriter::RecordFileWriter(const QString &path) : path_(path), file_(path)
{
    if (!file_.open(QIODevice::WriteOnly))
        throw DocumentError::CannotSave(path_, file_.errorString());
}

void RecordFileWriter::write(const QByteArray &record)
{
    if (file_.write(record) != record.size())
        throw DocumentError::CannotSave(path_, file_.errorString());
}

void RecordFileWriter::writeRow(const QVariantList &values)
{
    ++rows_;
    QByteArray record;
    try {
        record = TEstimateRecord::FromRow(values);
    } catch (const NumberError &error) {
        throw DocumentError::CannotSave(
            path_, QStringLiteral("%1번째 행: 저장할 수 없는 크기의 수입니다 (%2)").arg(rows_).arg(error.what()));
    }
    write(record);
}

void RecordFileWriter::commit()
{
    if (!file_.commit())
        throw DocumentError::CannotSave(path_, file_.errorString());
}

} // namespace vek
