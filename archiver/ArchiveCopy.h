#pragma once

#include "archiver/ZipRecords.h"

#include <QFile>

#include <functional>
#include <memory>
#include <vector>

namespace vek {

class ArchiveInput;

// Where a copied archive goes: one file, or the parts of a set.
class ArchiveOutput {
public:
    virtual ~ArchiveOutput() = default;
    // Makes room for a record of size bytes that must not be split between two parts.
    virtual void Reserve(quint64 size) = 0;
    // Writes bytes; EZipMaster failId when they cannot be written.
    virtual void Write(const QByteArray &bytes, int failId) = 0;
    // Where the next byte goes: the part and the offset in it.
    virtual int Disk() const = 0;
    virtual quint64 Offset() const = 0;
};

// An archive copied into one file, written straight through so that a full disk shows at
// the write that meets it.
class FileOutput : public ArchiveOutput {
public:
    // Opens path for writing, emptying it; EZipMaster CannotCreate when that fails. With
    // replace, the bytes go to a temporary file beside path that replaces it on Commit().
    explicit FileOutput(const QString &path, bool replace = false);
    void Reserve(quint64) override {}
    void Write(const QByteArray &bytes, int failId) override;
    int Disk() const override { return 0; }
    quint64 Offset() const override { return quint64(file_->pos()); }
    // Puts the file written with replace in place; EZipMaster CannotCreate when that fails.
    void Commit();

private:
    std::unique_ptr<QFileDevice> file_;
};

// The message ids a copy fails with: reading an entry's local header (short, wrong
// signature, short name), and writing an entry, a central header, the end record.
struct CopyIds {
    int localShort;
    int localSignature;
    int localName;
    int entryWrite;
    int centralWrite;
    int endWrite;
};

// What a copy reports while it runs; every member is optional.
struct CopyReport {
    std::function<void(const CentralRecord &)> entry; // before an entry is copied
    std::function<void()> centralDirectory;           // before the central headers
    std::function<void(qint64)> dataWritten;          // after every block of entry data
};

// Entry data moves in chunks of up to CopyChunkSize bytes, so that a large database is
// copied at the speed of a plain file copy, and is reported as written in blocks of at
// most CopyBlockSize bytes.
inline constexpr qint64 CopyChunkSize = 1 << 20;
inline constexpr qint64 CopyBlockSize = 8192;

// Copies the entries that records describe from input to output, then records with the
// disks and offsets the entries got, then an end record with comment. An entry's local
// header must carry its central header's name (EntryNotFound). Throws EZipMaster with the
// ids' numbers, and std::runtime_error naming what the copy makes when that would need
// zip64.
void CopyArchive(ArchiveInput &input, std::vector<CentralRecord> &records, const QByteArray &comment,
                 ArchiveOutput &output, const CopyIds &ids, const QString &what, const CopyReport &report);

// Throws std::runtime_error naming what when the archive needs zip64 records, which what
// (a set of parts, a self-extractor) cannot hold.
void RefuseZip64(const EndOfDirectory &end, const std::vector<CentralRecord> &records, const QString &what);

} // namespace vek
