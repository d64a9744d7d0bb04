#pragma once

#include <QByteArray>
#include <QList>

namespace vek {

// One stored entry of a built archive.
struct TestEntry {
    TestEntry(const QByteArray &entryName, const QByteArray &entryData, quint8 entryHost = 0, quint16 entryFlags = 0,
              const QByteArray &entryComment = QByteArray())
        : name(entryName), data(entryData), host(entryHost), flags(entryFlags), comment(entryComment)
    {
    }
    // An entry whose central header keeps its sizes and offset in a zip64 extra field,
    // claiming an uncompressed size of claimedSize.
    static TestEntry Zip64(const QByteArray &name, const QByteArray &data, quint64 claimedSize);

    QByteArray name;
    QByteArray data;
    quint8 host = 0;        // 0 MS-DOS, 3 Unix
    quint16 flags = 0;      // bit 11: the name is UTF-8
    QByteArray comment;
    quint32 attributes = 0; // external; a Unix host keeps the file's mode in the high 16 bits
    bool zip64 = false;     // the central header keeps its sizes and offset in a zip64 extra field
    quint64 zip64Size = 0;  // the uncompressed size the zip64 extra field claims
};

// Builds zip archives byte by byte for tests: stored entries with their local headers,
// the central directory, optionally a zip64 end record and locator, and the end record.
// Positions of the parts are known after Build(), so that tests can spoil single fields.
class ZipBuilder {
public:
    ZipBuilder &Add(const TestEntry &entry);
    ZipBuilder &Add(const QByteArray &name, const QByteArray &data);
    // Bytes ahead of the first entry; offsetsMoved: the offsets count them.
    ZipBuilder &Stub(const QByteArray &bytes, bool offsetsMoved);
    ZipBuilder &Comment(const QByteArray &comment);
    // A zip64 end record and locator; totalEntries overrides the number of entries they claim.
    ZipBuilder &Zip64End(quint64 totalEntries = 0);
    QByteArray Build();

    qsizetype CentralStart() const { return centralStart_; }
    qsizetype EndRecord() const { return endRecord_; }
    // Where the central header of entry index starts.
    qsizetype CentralHeader(int index) const { return centralHeaders_.at(index); }

private:
    QList<TestEntry> entries_;
    QByteArray stub_;
    bool offsetsMoved_ = true;
    QByteArray comment_;
    bool zip64End_ = false;
    quint64 zip64Entries_ = 0;
    qsizetype centralStart_ = 0;
    qsizetype endRecord_ = 0;
    QList<qsizetype> centralHeaders_;
};

// Two stored entries, the first of firstSize bytes; the directory puts the second one's
// local header at wrongOffset, inside the first entry's data.
QByteArray MisplacedEntryArchive(qsizetype firstSize, quint32 wrongOffset);
// One small entry written with zip64 records.
QByteArray Zip64Archive();

// Little-endian field writers for spoiling built archives.
void Put16(QByteArray &bytes, qsizetype at, quint16 value);
void Put32(QByteArray &bytes, qsizetype at, quint32 value);
void Put64(QByteArray &bytes, qsizetype at, quint64 value);
quint32 Crc32Of(const QByteArray &bytes);

} // namespace vek
