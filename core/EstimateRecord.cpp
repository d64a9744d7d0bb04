#include "core/EstimateRecord.h"

#include "core/Cp949Text.h"
#include "core/Currency.h"
#include "core/EstimateColumns.h"

#include <QtEndian>

#include <array>
#include <cstring>
#include <stdexcept>
#include <string>

namespace vek {

namespace {

enum class FieldKind { Integer, Fixed, Text, Flag, NotStored };

struct Field {
    int offset;
    FieldKind kind;
    int capacity = 0; // texts only
};

constexpr Field Integer(int offset) { return {offset, FieldKind::Integer}; }
constexpr Field Fixed(int offset) { return {offset, FieldKind::Fixed}; }
constexpr Field Text(int offset, int capacity) { return {offset, FieldKind::Text, capacity}; }

// The place of each of the 44 columns, in table order. Bytes 186-191, 411-412, 414-415 and
// 444-447 are unused, 402-406 a reserved empty text, 436 and 440 integers written 0.
constexpr std::array<Field, 44> Fields = {{
    Integer(0), Integer(4), Integer(8),                                    // ACODE, BCODE, SCODE
    Text(12, 30), Text(43, 20), Text(64, 4), Text(69, 15), Text(85, 100),  // NAME, STAN, UNIT, ETC, NOADD
    Fixed(192), Fixed(200), Fixed(208), Fixed(216), Fixed(224), Fixed(232), Fixed(240), Fixed(248), // INO .. CSTTAL
    Fixed(256), Fixed(264), Fixed(272), Fixed(280), Fixed(288), Fixed(296),                         // PRT1 .. SRT2
    Fixed(304), Fixed(312), Fixed(320), Fixed(328), Fixed(336), Fixed(344),                         // PRT3 .. SRT4
    Integer(352), Integer(356), Integer(360), Integer(364),                // NORT, ICD1, ICD2, ICD3
    Fixed(368), Fixed(376), Fixed(384),                                    // PCSTA, PCSTB, PCSTC
    Text(392, 4), Text(397, 4),                                            // PAGEA, PAGEB
    Text(407, 1), Text(409, 1),                                            // TAG, ABFS
    {0, FieldKind::NotStored},                                             // MVE
    {413, FieldKind::Flag},                                                // SUB
    Fixed(416), Fixed(424), Integer(432),                                  // RECV, LRTE, ODRF
}};

constexpr int NameField = 3;
constexpr int UnitField = 5;
constexpr int TagField = 37;
constexpr int LevelField = 38;
constexpr int OrderField = 43;

const QString RowLevels = QStringLiteral("ABFSXW");

void PutText(char *record, const Field &field, const QString &text)
{
    const QByteArray bytes = ToCp949(Cp949Left(text, field.capacity));
    record[field.offset] = char(bytes.size());
    std::memcpy(record + field.offset + 1, bytes.constData(), size_t(bytes.size()));
}

void PutInteger(char *record, int offset, qint32 value)
{
    qToLittleEndian<qint32>(value, record + offset);
}

int TextLength(const char *record, const Field &field)
{
    return static_cast<unsigned char>(record[field.offset]);
}

// The bytes of a text field, less a last lead byte whose trail byte was cut off.
QString GetText(const char *record, const Field &field)
{
    const int length = std::min(TextLength(record, field), field.capacity);
    const char *bytes = record + field.offset + 1;
    int whole = 0;
    while (whole < length) {
        const auto byte = static_cast<unsigned char>(bytes[whole]);
        const int width = byte >= 0x81 && byte <= 0xFE ? 2 : 1;
        if (whole + width > length)
            break;
        whole += width;
    }
    return FromCp949(QByteArray(bytes, whole));
}

QString OneLetter(const char *record, int field)
{
    return GetText(record, Fields[size_t(field)]);
}

} // namespace

QByteArray TEstimateRecord::FromRow(const QVariantList &values)
{
    const QStringList &columns = EstimateColumns();
    if (values.size() != columns.size())
        throw std::invalid_argument("an estimate record holds 44 values, not " + std::to_string(values.size()));
    QByteArray record(Size, '\0');
    char *out = record.data();
    for (size_t i = 0; i < Fields.size(); ++i) {
        const Field &field = Fields[i];
        const QVariant &value = values.at(qsizetype(i));
        switch (field.kind) {
        case FieldKind::Integer: PutInteger(out, field.offset, value.toInt()); break;
        case FieldKind::Fixed:
            try {
                qToLittleEndian<qint64>(Currency::fromDouble(value.toDouble()).raw(), out + field.offset);
            } catch (const NumberError &error) {
                throw NumberError(columns.at(qsizetype(i)).toStdString() + ": " + error.what());
            }
            break;
        case FieldKind::Text: PutText(out, field, value.toString()); break;
        case FieldKind::Flag: out[field.offset] = value.toInt() == 1 ? 1 : 0; break;
        case FieldKind::NotStored: break;
        }
    }
    return record;
}

QByteArray TEstimateRecord::Header(const QString &projectName, int rowCount)
{
    QByteArray record(Size, '\0');
    char *out = record.data();
    PutText(out, Fields[NameField], projectName);
    PutText(out, Fields[UnitField], QStringLiteral("V1.7"));
    PutText(out, Fields[TagField], QStringLiteral("G"));
    PutText(out, Fields[LevelField], QStringLiteral("G"));
    PutInteger(out, Fields[OrderField].offset, rowCount);
    return record;
}

TEstimateRecord::Kind TEstimateRecord::Classify(const char *record)
{
    for (const Field &field : Fields)
        if (field.kind == FieldKind::Text && TextLength(record, field) > field.capacity)
            return Kind::Invalid;
    const QString tag = OneLetter(record, TagField);
    const QString level = OneLetter(record, LevelField);
    if (tag == u"G" && level == u"G")
        return Kind::Header;
    if (level.size() == 1 && RowLevels.contains(level))
        return Kind::Row;
    return Kind::Invalid;
}

QVariantList TEstimateRecord::ToRow(const char *record)
{
    QVariantList values;
    values.reserve(qsizetype(Fields.size()));
    for (const Field &field : Fields) {
        switch (field.kind) {
        case FieldKind::Integer: values.append(qFromLittleEndian<qint32>(record + field.offset)); break;
        case FieldKind::Fixed:
            values.append(Currency::fromRaw(qFromLittleEndian<qint64>(record + field.offset)).toDouble());
            break;
        case FieldKind::Text: {
            // An empty field is a NULL column, as a row made in the program leaves it.
            const QString text = GetText(record, field);
            values.append(text.isEmpty() ? QVariant() : QVariant(text));
            break;
        }
        case FieldKind::Flag: values.append(record[field.offset] != 0 ? 1 : 0); break;
        case FieldKind::NotStored: values.append(QStringLiteral("F")); break;
        }
    }
    return values;
}

QString TEstimateRecord::HeaderName(const char *record)
{
    return GetText(record, Fields[NameField]);
}

int TEstimateRecord::HeaderRowCount(const char *record)
{
    return qFromLittleEndian<qint32>(record + Fields[OrderField].offset);
}

} // namespace vek
