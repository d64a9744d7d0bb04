#include "archiver/ZipRecords.h"

#include "archiver/ZipMessages.h"

#include <QIODevice>
#include <QtEndian>

#include <algorithm>

namespace vek {
namespace {

constexpr quint16 All16 = 0xFFFF;
constexpr quint32 All32 = 0xFFFFFFFF;
constexpr quint16 Zip64ExtraId = 0x0001;

// count bytes of device from offset; fewer when the device ends first.
QByteArray ReadAt(QIODevice &device, quint64 offset, quint64 count)
{
    const quint64 size = quint64(device.size());
    if (offset > size || !device.seek(qint64(offset)))
        throw EZipMaster(ZipMsg::SeekError);
    count = std::min(count, size - offset);
    QByteArray bytes = device.read(qint64(count));
    if (quint64(bytes.size()) != count)
        throw EZipMaster(ZipMsg::ReadError);
    return bytes;
}

bool HasSignature(const QByteArray &bytes, qsizetype at, quint32 signature)
{
    return at >= 0 && at + 4 <= bytes.size() && Le32(bytes, at) == signature;
}

// The zip64 record that the locator right before the end record at position leads to:
// where the locator says, or, in an archive moved behind a stub, right before the locator.
std::optional<quint64> FindZip64Record(QIODevice &device, quint64 position)
{
    if (position < Zip64LocatorSize)
        return std::nullopt;
    const quint64 locator = position - Zip64LocatorSize;
    const QByteArray bytes = ReadAt(device, locator, Zip64LocatorSize);
    if (!HasSignature(bytes, 0, Zip64LocatorSignature) || bytes.size() < Zip64LocatorSize)
        return std::nullopt;
    const quint64 stated = Le64(bytes, 8);
    for (quint64 candidate : {stated, locator - std::min<quint64>(locator, Zip64EndSize)}) {
        if (candidate > locator || locator - candidate < Zip64EndSize)
            continue;
        if (HasSignature(ReadAt(device, candidate, 4), 0, Zip64EndSignature))
            return candidate;
    }
    return std::nullopt;
}

// The record at position of window (which starts at windowStart in device), with its
// zip64 values; nothing when the directory it describes cannot be where it says.
std::optional<EndOfDirectory> ReadEndRecord(QIODevice &device, const QByteArray &window, quint64 windowStart,
                                            qsizetype at)
{
    EndOfDirectory end;
    end.position = windowStart + quint64(at);
    end.directoryEnd = end.position;
    end.thisDisk = Le16(window, at + 4);
    end.directoryDisk = Le16(window, at + 6);
    end.entriesOnDisk = Le16(window, at + 8);
    end.totalEntries = Le16(window, at + 10);
    end.directorySize = Le32(window, at + 12);
    end.directoryOffset = Le32(window, at + 16);
    end.commentLength = Le16(window, at + 20);
    end.comment = window.mid(at + EndRecordSize, end.commentLength);
    if (const std::optional<quint64> zip64 = FindZip64Record(device, end.position)) {
        const QByteArray record = ReadAt(device, *zip64, Zip64EndSize);
        end.zip64 = true;
        end.directoryEnd = *zip64;
        end.thisDisk = Le32(record, 16);
        end.directoryDisk = Le32(record, 20);
        end.entriesOnDisk = Le64(record, 24);
        end.totalEntries = Le64(record, 32);
        end.directorySize = Le64(record, 40);
        end.directoryOffset = Le64(record, 48);
    }
    if (end.directoryDisk != end.thisDisk)
        return end; // the directory starts on an earlier part
    if (end.directorySize > end.directoryEnd)
        return std::nullopt;
    if ((end.entriesOnDisk > 0 || end.totalEntries > 0) && !HasSignature(ReadAt(device, end.DirectoryStart(), 4), 0, CentralHeaderSignature))
        return std::nullopt;
    return end;
}

} // namespace

quint16 Le16(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 Le32(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint64 Le64(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint64>(bytes.constData() + at);
}

void AppendLe16(QByteArray &bytes, quint16 value)
{
    char raw[2];
    qToLittleEndian(value, raw);
    bytes.append(raw, 2);
}

void AppendLe32(QByteArray &bytes, quint32 value)
{
    char raw[4];
    qToLittleEndian(value, raw);
    bytes.append(raw, 4);
}

ZipDirHeader ParseCentralHeader(const QByteArray &bytes)
{
    ZipDirHeader header;
    header.MadeByVersion = quint8(bytes[4]);
    header.HostSystem = quint8(bytes[5]);
    header.VersionNeeded = Le16(bytes, 6);
    header.Flags = Le16(bytes, 8);
    header.CompressionMethod = Le16(bytes, 10);
    header.ModTime = Le16(bytes, 12);
    header.ModDate = Le16(bytes, 14);
    header.Crc32 = Le32(bytes, 16);
    header.CompressedSize = Le32(bytes, 20);
    header.UncompressedSize = Le32(bytes, 24);
    header.FileNameLength = Le16(bytes, 28);
    header.ExtraFieldLength = Le16(bytes, 30);
    header.FileCommentLength = Le16(bytes, 32);
    header.DiskStart = Le16(bytes, 34);
    header.InternalAttributes = Le16(bytes, 36);
    header.ExternalAttributes = Le32(bytes, 38);
    header.LocalHeaderOffset = Le32(bytes, 42);
    return header;
}

bool MarksZip64(const ZipDirHeader &header)
{
    return header.UncompressedSize == All32 || header.CompressedSize == All32 || header.LocalHeaderOffset == All32
        || header.DiskStart == All16;
}

bool ApplyZip64Extra(ZipDirHeader &header, const QByteArray &extra)
{
    qsizetype at = 0;
    while (at + 4 <= extra.size()) {
        const quint16 id = Le16(extra, at);
        const quint16 length = Le16(extra, at + 2);
        const qsizetype data = at + 4;
        at = data + length;
        if (id != Zip64ExtraId)
            continue;
        const qsizetype end = std::min(at, extra.size());
        qsizetype next = data;
        auto take = [&](auto &field, qsizetype width) {
            if (next + width > end)
                return false;
            field = width == 8 ? Le64(extra, next) : Le32(extra, next);
            next += width;
            return true;
        };
        return (header.UncompressedSize != All32 || take(header.UncompressedSize, 8))
            && (header.CompressedSize != All32 || take(header.CompressedSize, 8))
            && (header.LocalHeaderOffset != All32 || take(header.LocalHeaderOffset, 8))
            && (header.DiskStart != All16 || take(header.DiskStart, 4));
    }
    return !MarksZip64(header);
}

QByteArray CentralRecord::Bytes() const
{
    QByteArray bytes;
    bytes.reserve(CentralHeaderSize + name.size() + extra.size() + comment.size());
    AppendLe32(bytes, CentralHeaderSignature);
    bytes.append(char(header.MadeByVersion));
    bytes.append(char(header.HostSystem));
    AppendLe16(bytes, header.VersionNeeded);
    AppendLe16(bytes, header.Flags);
    AppendLe16(bytes, header.CompressionMethod);
    AppendLe16(bytes, header.ModTime);
    AppendLe16(bytes, header.ModDate);
    AppendLe32(bytes, header.Crc32);
    AppendLe32(bytes, quint32(header.CompressedSize));
    AppendLe32(bytes, quint32(header.UncompressedSize));
    AppendLe16(bytes, quint16(name.size()));
    AppendLe16(bytes, quint16(extra.size()));
    AppendLe16(bytes, quint16(comment.size()));
    AppendLe16(bytes, quint16(header.DiskStart));
    AppendLe16(bytes, header.InternalAttributes);
    AppendLe32(bytes, header.ExternalAttributes);
    AppendLe32(bytes, quint32(header.LocalHeaderOffset));
    return bytes + name + extra + comment;
}

LocalHeader ParseLocalHeader(const QByteArray &bytes)
{
    LocalHeader header;
    header.flags = Le16(bytes, 6);
    header.zip64Sizes = Le32(bytes, 18) == All32 || Le32(bytes, 22) == All32;
    header.nameLength = Le16(bytes, 26);
    header.extraLength = Le16(bytes, 28);
    return header;
}

std::optional<EndOfDirectory> LocateEndOfDirectory(QIODevice &device)
{
    const quint64 size = quint64(device.size());
    if (size < EndRecordSize)
        return std::nullopt;
    const quint64 windowStart = size - std::min<quint64>(size, EndRecordSearchSize);
    const QByteArray window = ReadAt(device, windowStart, size - windowStart);
    static const QByteArray signature("PK\x05\x06", 4);
    std::optional<EndOfDirectory> found;
    quint64 commentEnd = 0; // the furthest comment of the records counted so far
    for (qsizetype at = window.indexOf(signature); at >= 0 && at + EndRecordSize <= window.size();
         at = window.indexOf(signature, at + 1)) {
        std::optional<EndOfDirectory> end = ReadEndRecord(device, window, windowStart, at);
        if (!end)
            continue;
        if (end->position >= commentEnd)
            found = end;
        commentEnd = std::max(commentEnd, end->RecordEnd());
    }
    return found;
}

bool StartsWithSpanMarker(QIODevice &device)
{
    const QByteArray start = ReadAt(device, 0, 8);
    return HasSignature(start, 0, SpanMarker) && HasSignature(start, 4, LocalHeaderSignature);
}

QByteArray EndRecordBytes(quint16 thisDisk, quint16 directoryDisk, quint16 entriesOnDisk, quint16 totalEntries,
                          quint32 directorySize, quint32 directoryOffset, const QByteArray &comment)
{
    QByteArray bytes;
    AppendLe32(bytes, EndRecordSignature);
    AppendLe16(bytes, thisDisk);
    AppendLe16(bytes, directoryDisk);
    AppendLe16(bytes, entriesOnDisk);
    AppendLe16(bytes, totalEntries);
    AppendLe32(bytes, directorySize);
    AppendLe32(bytes, directoryOffset);
    AppendLe16(bytes, quint16(comment.size()));
    return bytes + comment;
}

} // namespace vek
