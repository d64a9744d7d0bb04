#include "core/MoveFile.h"

#include "core/EstimateRecord.h"
#include "core/HomeFolder.h"
#include "core/RecordFile.h"

#include <QDir>

namespace vek {

QString MoveFilePath()
{
    return QDir(HomeFolder()).filePath(QStringLiteral("TmPeople.Tmp"));
}

void WriteMoveFile(const QList<QVariantList> &rows)
{
    const QString path = MoveFilePath();
    RecordFileWriter file(path);
    for (const QVariantList &row : rows)
        file.writeRow(row);
    file.commit();
}

QList<QVariantList> ReadMoveFile()
{
    const QString path = MoveFilePath();
    const QByteArray bytes = ReadRecordFile(path);
    if (bytes.size() % TEstimateRecord::Size != 0)
        throw DocumentError::NotADocument(path);
    QList<QVariantList> rows;
    for (qsizetype at = 0; at < bytes.size(); at += TEstimateRecord::Size) {
        const char *record = bytes.constData() + at;
        if (TEstimateRecord::Classify(record) != TEstimateRecord::Kind::Row)
            throw DocumentError::NotADocument(path);
        rows.append(TEstimateRecord::ToRow(record));
    }
    return rows;
}

} // namespace vek
