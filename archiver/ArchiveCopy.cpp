#include "archiver/ArchiveCopy.h"

#include "archiver/ArchiveInput.h"
#include "archiver/ZipMessages.h"

#include <QSaveFile>

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace vek {
namespace {

constexpr int DataDescriptorSize = 12; // without its signature

std::runtime_error Zip64Needed(const QString &what)
{
    return std::runtime_error(
        QStringLiteral("The archive needs zip64 records, which %1 cannot hold.").arg(what).toStdString());
}

// Copies the entry that record describes, input standing at its local header, and notes
// in record the part and offset the local header goes to.
void CopyEntry(ArchiveInput &input, CentralRecord &record, ArchiveOutput &output, const CopyIds &ids,
               const QString &what, const CopyReport &report)
{
    const QByteArray fixed = input.Read(LocalHeaderSize, ids.localShort);
    if (Le32(fixed, 0) != LocalHeaderSignature)
        throw EZipMaster(ids.localSignature);
    const LocalHeader local = ParseLocalHeader(fixed);
    if (local.zip64Sizes)
        throw Zip64Needed(what);
    const QByteArray name = input.Read(local.nameLength, ids.localName);
    if (name != record.name)
        throw EZipMaster(ZipMsg::EntryNotFound);
    const QByteArray extra = input.Read(local.extraLength, ids.localShort);
    output.Reserve(quint64(fixed.size() + name.size() + extra.size()));
    record.header.DiskStart = quint32(output.Disk());
    record.header.LocalHeaderOffset = output.Offset();
    output.Write(fixed + name + extra, ids.entryWrite);
    for (quint64 left = record.header.CompressedSize; left > 0;) {
        const QByteArray chunk = input.Read(std::min<quint64>(left, CopyChunkSize), ids.localShort);
        output.Write(chunk, ids.entryWrite);
        left -= quint64(chunk.size());
        if (report.dataWritten)
            for (qsizetype at = 0; at < chunk.size(); at += CopyBlockSize)
                report.dataWritten(std::min<qsizetype>(CopyBlockSize, chunk.size() - at));
    }
    if (local.flags & FlagDataDescriptor) {
        QByteArray descriptor = input.Read(DataDescriptorSize, ids.localShort);
        if (Le32(descriptor, 0) == SpanMarker && Le32(descriptor, 4) == record.header.Crc32)
            descriptor += input.Read(4, ids.localShort); // the descriptor has its signature
        output.Write(descriptor, ids.entryWrite);
    }
}

} // namespace

FileOutput::FileOutput(const QString &path, bool replace)
{
    if (replace)
        file_ = std::make_unique<QSaveFile>(path);
    else
        file_ = std::make_unique<QFile>(path);
    if (!file_->open(QIODevice::WriteOnly | QIODevice::Truncate | (replace ? QIODevice::NotOpen : QIODevice::Unbuffered)))
        throw EZipMaster(ZipMsg::CannotCreate);
}

void FileOutput::Write(const QByteArray &bytes, int failId)
{
    if (file_->write(bytes) != bytes.size())
        throw EZipMaster(failId);
}

void FileOutput::Commit()
{
    auto *saved = qobject_cast<QSaveFile *>(file_.get());
    if (saved && !saved->commit())
        throw EZipMaster(ZipMsg::CannotCreate);
}

void CopyArchive(ArchiveInput &input, std::vector<CentralRecord> &records, const QByteArray &comment,
                 ArchiveOutput &output, const CopyIds &ids, const QString &what, const CopyReport &report)
{
    constexpr quint64 Fits32 = std::numeric_limits<quint32>::max();
    constexpr quint64 Fits16 = std::numeric_limits<quint16>::max();
    if (records.size() > Fits16)
        throw Zip64Needed(what);
    for (CentralRecord &record : records) {
        if (report.entry)
            report.entry(record);
        input.Seek(int(record.header.DiskStart), record.header.LocalHeaderOffset, ids.localShort);
        CopyEntry(input, record, output, ids, what, report);
        if (record.header.LocalHeaderOffset > Fits32)
            throw Zip64Needed(what);
    }
    if (report.centralDirectory)
        report.centralDirectory();
    int directoryDisk = -1;
    quint64 directoryOffset = 0;
    quint64 directorySize = 0;
    int lastDisk = -1;
    quint64 entriesOnLastDisk = 0;
    for (const CentralRecord &record : records) {
        const QByteArray bytes = record.Bytes();
        output.Reserve(quint64(bytes.size()));
        if (directoryDisk < 0) {
            directoryDisk = output.Disk();
            directoryOffset = output.Offset();
        }
        if (output.Disk() != lastDisk) {
            lastDisk = output.Disk();
            entriesOnLastDisk = 0;
        }
        ++entriesOnLastDisk;
        output.Write(bytes, ids.centralWrite);
        directorySize += quint64(bytes.size());
    }
    const QByteArray end = EndRecordBytes(0, 0, 0, 0, 0, 0, comment);
    output.Reserve(quint64(end.size()));
    if (directoryDisk < 0) { // no entries: the directory is empty and starts here
        directoryDisk = output.Disk();
        directoryOffset = output.Offset();
    }
    if (directoryOffset > Fits32 || directorySize > Fits32)
        throw Zip64Needed(what);
    const int endDisk = output.Disk();
    output.Write(EndRecordBytes(quint16(endDisk), quint16(directoryDisk),
                                quint16(endDisk == lastDisk ? entriesOnLastDisk : 0), quint16(records.size()),
                                quint32(directorySize), quint32(directoryOffset), comment),
                 ids.endWrite);
}

void RefuseZip64(const EndOfDirectory &end, const std::vector<CentralRecord> &records, const QString &what)
{
    if (end.zip64 || std::any_of(records.begin(), records.end(), [](const CentralRecord &r) { return r.zip64; }))
        throw Zip64Needed(what);
}

} // namespace vek
