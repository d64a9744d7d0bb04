#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantList>

namespace vek {

// The fixed 448-byte little-endian record of estimate documents and of the move file:
// one row of NDTAIL, or the header that opens a document. Integers take 32 bits; money,
// quantities and rates a 64-bit fixed-point value (value x 10000); a text of capacity n a
// length byte and n bytes of CP949. MVE is not stored.
class TEstimateRecord {
public:
    static constexpr int Size = 448;

    enum class Kind { Header, Row, Invalid };

    // The record of a row from its 44 values in table order: numbers rounded to four
    // decimals (ties to even), texts cut to their field on a letter boundary, SUB as the
    // flag SUB = 1, NULL as 0 or an empty text. Throws NumberError, naming the column, for
    // a number beyond the fixed-point range.
    static QByteArray FromRow(const QVariantList &values);
    // The header of a document of rowCount rows: the project name cut to 30 bytes, the
    // format mark "V1.7", TAG and ABFS "G".
    static QByteArray Header(const QString &projectName, int rowCount);

    // A header (TAG and ABFS "G"), a row (ABFS one of A, B, F, S, X, W), or neither; a
    // record with a text length beyond its field is neither.
    static Kind Classify(const char *record);
    // The 44 values in table order of a row record: MVE 'F', SUB 1 for any set flag, an
    // empty text NULL; a text that ends in half a letter reads without that byte.
    static QVariantList ToRow(const char *record);
    static QString HeaderName(const char *record);
    // The number of rows the header announces; 0 when unknown.
    static int HeaderRowCount(const char *record);
};

} // namespace vek
