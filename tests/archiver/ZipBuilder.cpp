#include "tests/archiver/ZipBuilder.h"

#include <QtEndian>

namespace vek {
namespace {

void Append16(QByteArray &bytes, quint16 value)
{
    bytes.append(2, '\0');
    Put16(bytes, bytes.size() - 2, value);
}

void Append32(QByteArray &bytes, quint32 value)
{
    bytes.append(4, '\0');
    Put32(bytes, bytes.size() - 4, value);
}

void Append64(QByteArray &bytes, quint64 value)
{
    bytes.append(8, '\0');
    Put64(bytes, bytes.size() - 8, value);
}

constexpr quint16 DosTime = 0x6000; // 12:00:00
constexpr quint16 DosDate = 0x5821; // 2024-01-01

} // namespace

void Put16(QByteArray &bytes, qsizetype at, quint16 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

void Put32(QByteArray &bytes, qsizetype at, quint32 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

void Put64(QByteArray &bytes, qsizetype at, quint64 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

quint32 Crc32Of(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFF;
    for (char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

QByteArray MisplacedEntryArchive(qsizetype firstSize, quint32 wrongOffset)
{
    ZipBuilder builder;
    QByteArray bytes = builder.Add("a.bin", QByteArray(firstSize, 'a')).Add("b.bin", "b").Build();
    Put32(bytes, builder.CentralHeader(1) + 42, wrongOffset);
    return bytes;
}

QByteArray Zip64Archive()
{
    return ZipBuilder().Add(TestEntry::Zip64("big.bin", "big", 3)).Zip64End().Build();
}

TestEntry TestEntry::Zip64(const QByteArray &name, const QByteArray &data, quint64 claimedSize)
{
    TestEntry entry(name, data);
    entry.zip64 = true;
    entry.zip64Size = claimedSize;
    return entry;
}

ZipBuilder &ZipBuilder::Add(const TestEntry &entry)
{
    entries_.append(entry);
    return *this;
}

ZipBuilder &ZipBuilder::Add(const QByteArray &name, const QByteArray &data)
{
    return Add(TestEntry(name, data));
}

ZipBuilder &ZipBuilder::Stub(const QByteArray &bytes, bool offsetsMoved)
{
    stub_ = bytes;
    offsetsMoved_ = offsetsMoved;
    return *this;
}

ZipBuilder &ZipBuilder::Comment(const QByteArray &comment)
{
    comment_ = comment;
    return *this;
}

ZipBuilder &ZipBuilder::Zip64End(quint64 totalEntries)
{
    zip64End_ = true;
    zip64Entries_ = totalEntries;
    return *this;
}

QByteArray ZipBuilder::Build()
{
    QByteArray out = stub_;
    const qsizetype shift = offsetsMoved_ ? 0 : stub_.size();
    QList<quint32> offsets;
    for (const TestEntry &entry : entries_) {
        offsets.append(quint32(out.size() - shift));
        Append32(out, 0x04034b50);
        Append16(out, 10);
        Append16(out, entry.flags);
        Append16(out, 0); // stored
        Append16(out, DosTime);
        Append16(out, DosDate);
        Append32(out, Crc32Of(entry.data));
        Append32(out, quint32(entry.data.size()));
        Append32(out, quint32(entry.data.size()));
        Append16(out, quint16(entry.name.size()));
        Append16(out, 0);
        out += entry.name + entry.data;
    }
    centralStart_ = out.size();
    centralHeaders_.clear();
    for (qsizetype i = 0; i < entries_.size(); ++i) {
        const TestEntry &entry = entries_[i];
        QByteArray extra;
        if (entry.zip64) {
            Append16(extra, 1);
            Append16(extra, 24);
            Append64(extra, entry.zip64Size);
            Append64(extra, quint64(entry.data.size()));
            Append64(extra, offsets[i]);
        }
        centralHeaders_.append(out.size());
        Append32(out, 0x02014b50);
        out.append(char(20));
        out.append(char(entry.host));
        Append16(out, 10);
        Append16(out, entry.flags);
        Append16(out, 0);
        Append16(out, DosTime);
        Append16(out, DosDate);
        Append32(out, Crc32Of(entry.data));
        Append32(out, entry.zip64 ? 0xFFFFFFFF : quint32(entry.data.size()));
        Append32(out, entry.zip64 ? 0xFFFFFFFF : quint32(entry.data.size()));
        Append16(out, quint16(entry.name.size()));
        Append16(out, quint16(extra.size()));
        Append16(out, quint16(entry.comment.size()));
        Append16(out, 0);
        Append16(out, 0);
        Append32(out, entry.attributes);
        Append32(out, entry.zip64 ? 0xFFFFFFFF : offsets[i]);
        out += entry.name + extra + entry.comment;
    }
    const quint32 centralSize = quint32(out.size() - centralStart_);
    const quint32 centralOffset = quint32(centralStart_ - shift);
    if (zip64End_) {
        const qsizetype record = out.size();
        Append32(out, 0x06064b50);
        Append64(out, 44);
        Append16(out, 45);
        Append16(out, 45);
        Append32(out, 0);
        Append32(out, 0);
        const quint64 total = zip64Entries_ ? zip64Entries_ : quint64(entries_.size());
        Append64(out, total);
        Append64(out, total);
        Append64(out, centralSize);
        Append64(out, centralOffset);
        Append32(out, 0x07064b50);
        Append32(out, 0);
        Append64(out, quint64(record - shift));
        Append32(out, 1);
    }
    endRecord_ = out.size();
    Append32(out, 0x06054b50);
    Append16(out, 0);
    Append16(out, 0);
    Append16(out, zip64End_ ? 0xFFFF : quint16(entries_.size()));
    Append16(out, zip64End_ ? 0xFFFF : quint16(entries_.size()));
    Append32(out, zip64End_ ? 0xFFFFFFFF : centralSize);
    Append32(out, zip64End_ ? 0xFFFFFFFF : centralOffset);
    Append16(out, quint16(comment_.size()));
    return out + comment_;
}

} // namespace vek
