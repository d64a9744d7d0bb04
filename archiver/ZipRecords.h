#pragma once

#include "archiver/ZipDirEntry.h"

#include <QByteArray>

#include <optional>

class QIODevice;

namespace vek {

// Signatures, sizes and flags of the published zip format's records.
inline constexpr quint32 LocalHeaderSignature = 0x04034b50;
inline constexpr quint32 CentralHeaderSignature = 0x02014b50;
inline constexpr quint32 EndRecordSignature = 0x06054b50;
inline constexpr quint32 Zip64EndSignature = 0x06064b50;
inline constexpr quint32 Zip64LocatorSignature = 0x07064b50;
// The first four bytes of a set's first part; also the signature of a data descriptor.
inline constexpr quint32 SpanMarker = 0x08074b50;
inline constexpr int LocalHeaderSize = 30;
inline constexpr int CentralHeaderSize = 46;
inline constexpr int EndRecordSize = 22;
inline constexpr int Zip64EndSize = 56;
inline constexpr int Zip64LocatorSize = 20;
// An end record with a comment of the largest length.
inline constexpr int EndRecordSearchSize = EndRecordSize + 65535;
inline constexpr quint16 FlagEncrypted = 0x0001;
inline constexpr quint16 FlagDataDescriptor = 0x0008;
inline constexpr quint16 FlagUtf8 = 0x0800;

quint16 Le16(const QByteArray &bytes, qsizetype at);
quint32 Le32(const QByteArray &bytes, qsizetype at);
quint64 Le64(const QByteArray &bytes, qsizetype at);
void AppendLe16(QByteArray &bytes, quint16 value);
void AppendLe32(QByteArray &bytes, quint32 value);

// A central directory file header with its name, extra field and comment as stored.
struct CentralRecord {
    ZipDirHeader header;
    QByteArray name;
    QByteArray extra;
    QByteArray comment;
    bool zip64 = false; // some value came from the zip64 extra field

    // The 46 header bytes with their signature, then name, extra field and comment. The
    // header's values must fit the plain fields (a record that needs zip64 is refused
    // before it is written).
    QByteArray Bytes() const;
};

// The fields of the 46 bytes of a central header (with its signature) as they stand.
ZipDirHeader ParseCentralHeader(const QByteArray &bytes);
// True when header marks a size, its offset or its disk with all bits set: the value is
// in the zip64 extra field.
bool MarksZip64(const ZipDirHeader &header);
// Takes the values that header marks with all bits set from the zip64 extra field (id 1)
// of extra: uncompressed size, compressed size, offset and disk, only those marked, in
// this order. False when a marked value is missing from the field.
bool ApplyZip64Extra(ZipDirHeader &header, const QByteArray &extra);

// The fields of a local file header that say how far its entry reaches.
struct LocalHeader {
    quint16 flags = 0;
    quint16 nameLength = 0;
    quint16 extraLength = 0;
    bool zip64Sizes = false; // its sizes are marked as held by a zip64 extra field
};
// The fields of the 30 bytes of a local header (with its signature).
LocalHeader ParseLocalHeader(const QByteArray &bytes);

// An end of central directory record, with the values of its zip64 record when it has one.
struct EndOfDirectory {
    quint64 position = 0;     // of the end record in its file
    quint64 directoryEnd = 0; // where the central directory ends: the end or the zip64 record
    quint32 thisDisk = 0;
    quint32 directoryDisk = 0;
    quint64 entriesOnDisk = 0;
    quint64 totalEntries = 0;
    quint64 directorySize = 0;
    quint64 directoryOffset = 0;
    quint16 commentLength = 0; // as the record says
    QByteArray comment;        // the part of it that the file holds
    bool zip64 = false;

    // Where the central directory starts when it starts on the end record's disk: right
    // before its end, whatever the offset field says.
    quint64 DirectoryStart() const { return directoryEnd - directorySize; }
    // The end of the record's comment as the record claims it.
    quint64 RecordEnd() const { return position + EndRecordSize + commentLength; }
};

// The end record of the file that device holds, searched backwards over its last
// EndRecordSearchSize bytes. A hit counts when the directory it describes starts inside
// the file and, holding entries on this disk, starts with a central header signature; a
// hit inside the comment of an earlier such record is comment text. Nothing when there
// is none. Throws EZipMaster SeekError or ReadError when the device fails.
std::optional<EndOfDirectory> LocateEndOfDirectory(QIODevice &device);
// True when the device begins with the span marker and a local header: a set's first part.
bool StartsWithSpanMarker(QIODevice &device);
// The bytes of an end record.
QByteArray EndRecordBytes(quint16 thisDisk, quint16 directoryDisk, quint16 entriesOnDisk, quint16 totalEntries,
                          quint32 directorySize, quint32 directoryOffset, const QByteArray &comment);

} // namespace vek
