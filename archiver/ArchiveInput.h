#pragma once

#include <QFile>
#include <QStringList>

#include <functional>
#include <memory>

namespace vek {

// Reads an archive held in one file, or in the parts of a set, as one stream: a read that
// runs past the end of a part goes on at the start of the next one. Nothing is read or
// allocated beyond the bytes the parts hold.
class ArchiveInput {
public:
    // Called while part disk (from 0) is missing; returns when it may be looked for
    // again, throws to give up.
    using PartRequest = std::function<void(int disk)>;

    // The archive in file.
    explicit ArchiveInput(const QString &file);
    // The archive in parts, the last one holding its end record.
    ArchiveInput(const QStringList &parts, PartRequest request);
    ~ArchiveInput();
    ArchiveInput(const ArchiveInput &) = delete;
    ArchiveInput &operator=(const ArchiveInput &) = delete;

    int LastDisk() const { return int(parts_.size()) - 1; }
    int Disk() const { return disk_; }
    // The position in the current part.
    quint64 Offset() const;
    // The size of part disk, opening it when needed.
    quint64 PartSize(int disk);
    // Makes reading stop at end in the last part, where its directory ends.
    void SetEnd(quint64 end) { end_ = end; }
    // Moves to offset in part disk; failId when the part does not reach that far.
    void Seek(int disk, quint64 offset, int failId);
    // The next count bytes; EZipMaster failId when the stream ends first.
    QByteArray Read(quint64 count, int failId);

private:
    void Open(int disk);
    // Where the current part ends for reading.
    quint64 Limit() const;

    QStringList parts_;
    PartRequest request_;
    std::unique_ptr<QFile> file_;
    int disk_ = -1;
    quint64 size_ = 0; // of the current part, read when it is opened
    quint64 end_ = ~quint64(0);
};

} // namespace vek
