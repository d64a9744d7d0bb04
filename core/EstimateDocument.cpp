#include "core/EstimateDocument.h"

#include "core/DataModule.h"
#include "core/DatabaseError.h"
#include "core/EstimateColumns.h"
#include "core/EstimateRecord.h"
#include "core/RecordFile.h"
#include "core/SqlRoutines.h"
#include "core/WorkConnection.h"

#include <QScopeGuard>

#include <cmath>

namespace vek {

namespace {

constexpr int RecordSize = TEstimateRecord::Size;

// Tells progress each new whole percent of done / total, rounded to the nearest (ties to even).
class PercentSteps {
public:
    PercentSteps(int total, const DocumentProgress &progress) : total_(total), progress_(progress) {}

    void reach(int done)
    {
        if (!progress_ || total_ <= 0)
            return;
        const int percent = int(std::nearbyint(double(done) * 100 / total_));
        if (percent != last_) {
            last_ = percent;
            progress_(percent);
        }
    }

private:
    int total_;
    const DocumentProgress &progress_;
    int last_ = -1;
};

// True when bytes are a whole document: one header first, the number of rows it announces
// (or 0) following, and nothing but readable rows after it.
bool IsEstimateDocument(const QByteArray &bytes)
{
    if (bytes.isEmpty() || bytes.size() % RecordSize != 0)
        return false;
    const char *data = bytes.constData();
    if (TEstimateRecord::Classify(data) != TEstimateRecord::Kind::Header)
        return false;
    const qsizetype rows = bytes.size() / RecordSize - 1;
    const int announced = TEstimateRecord::HeaderRowCount(data);
    if (announced != 0 && announced != rows)
        return false;
    for (qsizetype i = 1; i <= rows; ++i)
        if (TEstimateRecord::Classify(data + i * RecordSize) != TEstimateRecord::Kind::Row)
            return false;
    return true;
}

} // namespace

QString ReadEstimateDocument(const QString &path)
{
    return ReadEstimateDocument(path, {});
}

QString ReadEstimateDocument(const QString &path, const DocumentProgress &progress)
{
    const QByteArray bytes = ReadRecordFile(path);
    if (!IsEstimateDocument(bytes))
        throw DocumentError::NotADocument(path);
    const char *data = bytes.constData();
    const int rows = int(bytes.size() / RecordSize) - 1;
    const int announced = TEstimateRecord::HeaderRowCount(data);
    PercentSteps steps(announced == 0 ? 100 : announced, progress);

    WorkConnection &connection = dMf->SQLConect;
    try {
        WorkTransaction command(connection);
        RunTempSql(true, QStringLiteral("DELETE from NDTAIL"));
        for (int n = 1; n <= rows; ++n) {
            InsertEstimateRow(connection, TEstimateRecord::ToRow(data + qsizetype(n) * RecordSize));
            steps.reach(n);
        }
        if (!command.commit())
            throw DatabaseError(QStringLiteral("처리실패!!"));
    } catch (const DatabaseError &error) {
        throw DocumentError::CannotRead(path, error.message());
    }
    return TEstimateRecord::HeaderName(data);
}

void WriteEstimateDocument(const QString &path, const QString &projectName)
{
    WriteEstimateDocument(path, projectName, {});
}

void WriteEstimateDocument(const QString &path, const QString &projectName, const DocumentProgress &progress)
{
    Dataset &rows = dMf->TnDtail;
    const auto closeRows = qScopeGuard([&rows] { rows.close(); });
    try {
        rows.open();
        RecordFileWriter file(path);
        file.write(TEstimateRecord::Header(projectName, rows.recordCount()));
        PercentSteps steps(rows.recordCount(), progress);
        int written = 0;
        ForEachEstimateRow(rows, [&](const QVariantList &values) {
            file.writeRow(values);
            steps.reach(++written);
        });
        file.commit();
    } catch (const DatabaseError &error) {
        throw DocumentError::CannotSave(path, error.message());
    }
}

} // namespace vek
