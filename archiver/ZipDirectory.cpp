// Reading an archive's central directory: finding the end record, the set of parts an
// archive may be spread over, and the entries.
#include "archiver/ZipMaster.h"

#include "components/ScreenParts.h"
#include "archiver/OpenArchive.h"
#include "archiver/ZipNames.h"

#include <QFileInfo>
#include <QStorageInfo>

#include <limits>

namespace vek {
namespace {

constexpr quint64 SectorSize = 512;

// True when bytes follow the end record's comment in file, other than the zero padding
// (less than a sector) that fills a file up to a whole number of sectors.
bool HasTrailingBytes(QFile &file, const EndOfDirectory &end)
{
    const quint64 size = quint64(file.size());
    if (end.RecordEnd() >= size)
        return false;
    const quint64 cut = size - end.RecordEnd();
    if (cut >= SectorSize || size % SectorSize != 0 || !file.seek(qint64(end.RecordEnd())))
        return true;
    const QByteArray tail = file.read(qint64(cut));
    return quint64(tail.size()) != cut || tail.count('\0') != tail.size();
}

// An entry that names only a folder: nothing follows its last '\' or ':'.
bool IsDirectoryOnly(const QString &name)
{
    return name.isEmpty() || name.endsWith(QLatin1Char('\\')) || name.endsWith(QLatin1Char(':'));
}

ZipDirEntry MakeEntry(const CentralRecord &record)
{
    ZipDirEntry entry;
    static_cast<ZipDirHeader &>(entry) = record.header;
    entry.FileName = ZipNameText(record.name, record.header).replace(QLatin1Char('/'), QLatin1Char('\\'));
    entry.FileComment = ZipNameText(record.comment, record.header);
    entry.Encrypted = record.header.Flags & FlagEncrypted;
    entry.ExtraData = record.extra;
    return entry;
}

// True when part disk of a set ends in the set's end record.
bool IsLastPart(const QString &part, int disk)
{
    QFile file(part);
    if (!file.open(QIODevice::ReadOnly))
        throw EZipMaster(ZipMsg::CannotOpen);
    const std::optional<EndOfDirectory> end = LocateEndOfDirectory(file);
    return end && end->thisDisk == quint32(disk) && end->RecordEnd() == quint64(file.size());
}

} // namespace

qint64 TZipMaster::CheckDrive(const QString &path)
{
    const QStorageInfo drive(path);
    if (!drive.isValid() || !drive.isReady())
        throw EZipMaster(ZipMsg::DriveNotReadable, QLatin1Char(' ') + QFileInfo(path).absolutePath());
    return drive.bytesAvailable();
}

void TZipMaster::ClearDirectory()
{
    entries_.clear();
    zipFileSize_ = 0;
    endRecordOffset_ = 0;
    centralDirOffset_ = 0;
    diskNumber_ = 0;
    zipComment_.clear();
    leadInSize_ = 0;
    dirOnlyCount_ = 0;
    directoryMoved_ = false;
}

void TZipMaster::ReadDirectory()
{
    ClearDirectory();
    if (!zipFileName_.isEmpty()
        && (QFileInfo(zipFileName_).isFile() || PartSet(zipFileName_).HighestPresent() >= 0)) {
        HourGlass hourglass;
        try {
            ReadEntries();
        } catch (...) {
            ReportFailure(std::current_exception(), ZipMsg::DirOtherError);
        }
    }
    if (OnDirUpdate)
        OnDirUpdate(*this);
}

void TZipMaster::ReadEntries()
{
    OpenArchive archive = OpenForReading(zipFileName_);
    zipFileSize_ = archive.size;
    endRecordOffset_ = archive.end.position;
    centralDirOffset_ = archive.directoryStart;
    diskNumber_ = int(archive.end.thisDisk);
    zipComment_ = ArchiveCommentText(archive.end.comment);
    if (archive.directoryDisk == diskNumber_ && archive.directoryStart != archive.end.directoryOffset) {
        directoryMoved_ = true;
        ShowZipMessage(ZipMsg::DirMoved);
    }
    quint64 lowestOffset = std::numeric_limits<quint64>::max();
    ReadCentral(archive, [&](CentralRecord &&record) {
        lowestOffset = std::min(lowestOffset, record.header.LocalHeaderOffset);
        leadInSize_ = lowestOffset;
        ZipDirEntry entry = MakeEntry(record);
        if (IsDirectoryOnly(entry.FileName) && !useDirOnlyEntries_) {
            ++dirOnlyCount_;
            return;
        }
        entries_.push_back(std::move(entry));
        if (OnNewName)
            OnNewName(*this, Count(), entries_.back());
    });
}

std::optional<EndOfDirectory> TZipMaster::FindEndOfDirectory(const QString &file, bool strict)
{
    QFile archive(file);
    if (!archive.open(QIODevice::ReadOnly)) {
        if (strict)
            throw EZipMaster(ZipMsg::CannotOpen);
        ShowZipMessage(ZipMsg::CannotOpenPlain);
        return std::nullopt;
    }
    try {
        const bool firstPart = StartsWithSpanMarker(archive);
        const std::optional<EndOfDirectory> end = LocateEndOfDirectory(archive);
        if (!end) {
            if (strict)
                throw EZipMaster(firstPart ? ZipMsg::FirstDiskOnly : ZipMsg::NoEndRecord);
            return std::nullopt;
        }
        if (HasTrailingBytes(archive, *end))
            ShowZipMessage(ZipMsg::TrailingBytes);
        return end;
    } catch (const EZipMaster &error) {
        if (strict)
            throw;
        ShowExceptMessage(error);
        return std::nullopt;
    }
}

std::optional<PartSet> TZipMaster::SetOf(const QString &name)
{
    if (!QFileInfo(name).isFile()) {
        PartSet set(name);
        return set.HighestPresent() >= 0 ? std::optional<PartSet>(set) : std::nullopt;
    }
    const std::optional<PartSet> set = PartSet::OfPart(name);
    if (!set)
        return std::nullopt;
    QFile first(set->Part(0));
    if (!first.open(QIODevice::ReadOnly) || !StartsWithSpanMarker(first))
        return std::nullopt;
    QFile file(name);
    if (file.open(QIODevice::ReadOnly)) {
        const std::optional<EndOfDirectory> end = LocateEndOfDirectory(file);
        if (end && end->thisDisk == 0)
            return std::nullopt; // a whole archive that is named like a part
    }
    return set;
}

TZipMaster::OpenArchive TZipMaster::OpenForReading(const QString &name)
{
    if (const std::optional<PartSet> set = SetOf(name)) {
        CheckDrive(set->Folder());
        return OpenFile(set->Part(FindLastPart(*set)));
    }
    return OpenFile(name);
}

TZipMaster::OpenArchive TZipMaster::OpenFile(const QString &file)
{
    CheckDrive(file);
    OpenArchive archive;
    archive.end = *FindEndOfDirectory(file, true);
    archive.folder = QFileInfo(file).absolutePath();
    const quint32 lastDisk = archive.end.thisDisk;
    if (lastDisk >= quint32(PartSet::MaxParts) || archive.end.directoryDisk > lastDisk)
        throw EZipMaster(ZipMsg::DirReadError);
    if (lastDisk == 0) {
        archive.input = std::make_unique<ArchiveInput>(file);
    } else {
        const PartSet set(file);
        QStringList parts;
        for (int disk = 0; disk < int(lastDisk); ++disk)
            parts.append(set.Part(disk));
        parts.append(file);
        const QString folder = archive.folder;
        archive.input = std::make_unique<ArchiveInput>(parts, [this, lastDisk, folder](int disk) {
            RequestDisk(disk, int(lastDisk) + 1, disk == int(lastDisk), folder);
        });
    }
    archive.input->SetEnd(archive.end.directoryEnd);
    if (archive.end.directoryDisk == lastDisk) {
        archive.directoryDisk = int(lastDisk);
        archive.directoryStart = archive.end.DirectoryStart();
        archive.size = std::min<quint64>(archive.end.RecordEnd(), quint64(QFileInfo(file).size()));
    } else {
        archive.directoryDisk = int(archive.end.directoryDisk);
        archive.directoryStart = archive.end.directoryOffset;
        archive.size = archive.input->PartSize(archive.directoryDisk);
    }
    return archive;
}

int TZipMaster::FindLastPart(const PartSet &set)
{
    for (int disk = 0; disk < PartSet::MaxParts; ++disk) {
        const QString part = set.Part(disk);
        while (!QFileInfo(part).isFile())
            RequestDisk(disk, 0, set.HighestPresent() < disk, set.Folder());
        if (IsLastPart(part, disk))
            return disk;
    }
    throw EZipMaster(ZipMsg::CentralHeaderShort);
}

void TZipMaster::ReadCentral(OpenArchive &archive, const std::function<void(CentralRecord &&)> &take)
{
    ArchiveInput &input = *archive.input;
    input.Seek(archive.directoryDisk, archive.directoryStart, ZipMsg::DirReadError);
    for (quint64 entry = 0; entry < archive.end.totalEntries; ++entry) {
        const QByteArray fixed = input.Read(CentralHeaderSize, ZipMsg::CentralHeaderShort);
        if (Le32(fixed, 0) != CentralHeaderSignature)
            throw EZipMaster(ZipMsg::CentralSignature);
        CentralRecord record;
        record.header = ParseCentralHeader(fixed);
        record.name = input.Read(record.header.FileNameLength, ZipMsg::CentralNameShort);
        record.extra = input.Read(record.header.ExtraFieldLength, ZipMsg::DirReadError);
        record.comment = input.Read(record.header.FileCommentLength, ZipMsg::CommentShort);
        record.zip64 = MarksZip64(record.header);
        if (record.zip64 && !ApplyZip64Extra(record.header, record.extra))
            throw EZipMaster(ZipMsg::DirReadError);
        // Every entry lies ahead of the directory.
        const quint32 disk = record.header.DiskStart;
        if (disk > quint32(archive.directoryDisk)
            || (disk == quint32(archive.directoryDisk) && record.header.LocalHeaderOffset >= archive.directoryStart))
            throw EZipMaster(ZipMsg::DirReadError);
        take(std::move(record));
    }
}

} // namespace vek
