#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace vek {

// The fixed fields of a central directory file header, in file order. Sizes, the disk and
// the offset are widened: an entry's zip64 extra field gives the values that its header
// marks with all bits set.
struct ZipDirHeader {
    quint8 MadeByVersion = 0;  // zip version of the program that wrote the entry
    quint8 HostSystem = 0;     // 0 MS-DOS/FAT, 3 Unix, 6 HPFS, 11 NTFS, ...
    quint16 VersionNeeded = 0;
    quint16 Flags = 0;         // bit 0 encrypted, bit 3 data descriptor, bit 11 UTF-8 name
    quint16 CompressionMethod = 0;
    quint16 ModTime = 0;
    quint16 ModDate = 0;
    quint32 Crc32 = 0;
    quint64 CompressedSize = 0;
    quint64 UncompressedSize = 0;
    quint16 FileNameLength = 0;
    quint16 ExtraFieldLength = 0;
    quint16 FileCommentLength = 0;
    quint32 DiskStart = 0;
    quint16 InternalAttributes = 0;
    quint32 ExternalAttributes = 0;
    quint64 LocalHeaderOffset = 0;
};

// One kept entry of an archive's directory.
struct ZipDirEntry : ZipDirHeader {
    QString FileName;     // with '\' between folders
    QString FileComment;  // empty when the header has none
    bool Encrypted = false;
    QByteArray ExtraData; // the extra field's bytes; empty when it has none
};

} // namespace vek
