// Times saving and opening the generated estimate as a document against the same rows
// moved by raw prepared statements and a raw file write or read on the same database: the
// raw side converts only what the file format needs (fixed point, CP949 texts) and checks
// nothing.

#include "BenchTiming.h"
#include "EstimateGenerator.h"

#include "core/EstimateColumns.h"
#include "core/EstimateDocument.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QtEndian>

#include <iconv.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace vek;

namespace {

constexpr int Repeats = 3;
constexpr int RecordSize = 448;

// Where each column sits in the record and how: 'i' integer, 'f' fixed point, 't' text
// of the given capacity, 'b' flag, '-' not stored.
struct Place {
    int offset;
    char kind;
    int capacity;
};
const Place Places[44] = {
    {0, 'i', 0}, {4, 'i', 0}, {8, 'i', 0}, {12, 't', 30}, {43, 't', 20}, {64, 't', 4}, {69, 't', 15},
    {85, 't', 100}, {192, 'f', 0}, {200, 'f', 0}, {208, 'f', 0}, {216, 'f', 0}, {224, 'f', 0}, {232, 'f', 0},
    {240, 'f', 0}, {248, 'f', 0}, {256, 'f', 0}, {264, 'f', 0}, {272, 'f', 0}, {280, 'f', 0}, {288, 'f', 0},
    {296, 'f', 0}, {304, 'f', 0}, {312, 'f', 0}, {320, 'f', 0}, {328, 'f', 0}, {336, 'f', 0}, {344, 'f', 0},
    {352, 'i', 0}, {356, 'i', 0}, {360, 'i', 0}, {364, 'i', 0}, {368, 'f', 0}, {376, 'f', 0}, {384, 'f', 0},
    {392, 't', 4}, {397, 't', 4}, {407, 't', 1}, {409, 't', 1}, {0, '-', 0}, {413, 'b', 0}, {416, 'f', 0},
    {424, 'f', 0}, {432, 'i', 0}};

// One iconv conversion of a whole text, cut at the byte count.
QByteArray Convert(iconv_t cd, const QByteArray &in, size_t limit)
{
    char buffer[512];
    char *inPtr = const_cast<char *>(in.constData());
    size_t inLeft = size_t(in.size());
    char *outPtr = buffer;
    size_t outLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    return QByteArray(buffer, qsizetype(std::min(size_t(outPtr - buffer), limit)));
}

void RawSave(QSqlDatabase db, const QString &path)
{
    iconv_t cd = iconv_open("CP949", "UTF-8");
    std::FILE *file = std::fopen(path.toLocal8Bit().constData(), "wb");
    Check(file != nullptr, "open for writing");
    QSqlQuery query(db);
    query.setForwardOnly(true);
    Check(query.exec("select " + EstimateColumns().join(u',') + " from NDTAIL"), "select");
    char record[RecordSize] = {};
    std::fwrite(record, 1, RecordSize, file); // a header
    while (query.next()) {
        std::memset(record, 0, sizeof record);
        for (int c = 0; c < 44; ++c) {
            const Place &place = Places[c];
            const QVariant value = query.value(c);
            if (place.kind == 'i')
                qToLittleEndian<qint32>(value.toInt(), record + place.offset);
            else if (place.kind == 'f')
                qToLittleEndian<qint64>(qint64(std::nearbyint(value.toDouble() * 10000)), record + place.offset);
            else if (place.kind == 'b')
                record[place.offset] = value.toInt() == 1;
            else if (place.kind == 't') {
                const QByteArray text = Convert(cd, value.toString().toUtf8(), size_t(place.capacity));
                record[place.offset] = char(text.size());
                std::memcpy(record + place.offset + 1, text.constData(), size_t(text.size()));
            }
        }
        std::fwrite(record, 1, RecordSize, file);
    }
    std::fclose(file);
    iconv_close(cd);
}

void RawOpen(QSqlDatabase db, const QString &path)
{
    iconv_t cd = iconv_open("UTF-8", "CP949");
    std::FILE *file = std::fopen(path.toLocal8Bit().constData(), "rb");
    Check(file != nullptr, "open for reading");
    Check(db.transaction(), "transaction");
    QSqlQuery erase(db);
    Check(erase.exec("DELETE from NDTAIL"), "delete");
    QSqlQuery insert(db);
    Check(insert.prepare(EstimateInsertSql), "prepare");
    char record[RecordSize];
    Check(std::fread(record, 1, RecordSize, file) == RecordSize, "read the header");
    while (std::fread(record, 1, RecordSize, file) == RecordSize) {
        for (int c = 0; c < 44; ++c) {
            const Place &place = Places[c];
            QVariant value;
            if (place.kind == 'i')
                value = qFromLittleEndian<qint32>(record + place.offset);
            else if (place.kind == 'f')
                value = double(qFromLittleEndian<qint64>(record + place.offset)) / 10000;
            else if (place.kind == 'b')
                value = record[place.offset] != 0 ? 1 : 0;
            else if (place.kind == 't')
                value = QString::fromUtf8(Convert(
                    cd, QByteArray(record + place.offset + 1, static_cast<unsigned char>(record[place.offset])), 512));
            else
                value = QStringLiteral("F");
            insert.bindValue(c, value);
        }
        Check(insert.exec(), "insert");
    }
    insert.finish();
    Check(db.commit(), "commit");
    std::fclose(file);
    iconv_close(cd);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    GeneratedEstimate estimate;
    QSqlDatabase db = estimate.database();

    const QString document = estimate.filePath("estimate.Vek");
    const QString rawFile = estimate.filePath("raw.Vek");
    const auto save = [&] { WriteEstimateDocument(document, QStringLiteral("벤치마크 공사")); };
    ReportTimes("save the estimate", "document", CompareTimes(Repeats, save, [&] { RawSave(db, rawFile); }));
    const auto open = [&] { ReadEstimateDocument(document); };
    ReportTimes("open the estimate", "document", CompareTimes(Repeats, open, [&] { RawOpen(db, document); }));
    return 0;
}
