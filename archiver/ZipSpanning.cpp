// Spreading an archive over the numbered parts of a set, and joining a set again.
#include "archiver/ZipMaster.h"

#include "archiver/ArchiveCopy.h"
#include "components/ScreenParts.h"
#include "archiver/OpenArchive.h"
#include "archiver/ZipNames.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace vek {
namespace {

const QString SetOfParts = QStringLiteral("a set of parts");

// A set's copy fails with the id of the record it was copying.
constexpr CopyIds SpanIds{ZipMsg::LocalHeaderShort, ZipMsg::LocalSignature,     ZipMsg::LocalNameShort,
                          ZipMsg::LocalHeaderShort, ZipMsg::CentralHeaderShort, ZipMsg::CentralHeaderShort};

} // namespace

// Writes a copied archive into the parts of a set, one after the other: a part is
// started when the last one is full, a record that must stay whole goes to the next part
// when it does not fit, and the parts the run wrote are removed unless it finishes.
class TZipMaster::PartWriter : public ArchiveOutput {
public:
    PartWriter(TZipMaster &zip, const QString &archive, const QDateTime &date) : zip_(zip), set_(archive), date_(date)
    {
        StartPart(0);
    }

    ~PartWriter() override
    {
        if (finished_)
            return;
        file_.reset();
        for (const QString &part : written_)
            QFile::remove(part);
    }

    void Reserve(quint64 size) override
    {
        if (Room() < size && Offset() > contentStart_)
            NextPart();
        if (Room() < size)
            throw std::runtime_error(QStringLiteral("A record of %1 bytes does not fit in a part of %2 bytes.")
                                         .arg(size)
                                         .arg(capacity_)
                                         .toStdString());
    }

    void Write(const QByteArray &bytes, int failId) override
    {
        qsizetype done = 0;
        while (done < bytes.size()) {
            if (Room() == 0)
                NextPart();
            const qint64 count = qint64(std::min<quint64>(Room(), quint64(bytes.size() - done)));
            if (file_->write(bytes.constData() + done, count) != count)
                throw EZipMaster(failId);
            done += count;
        }
    }

    int Disk() const override { return disk_; }
    quint64 Offset() const override { return quint64(file_->pos()); }

    // The first part begins with the span marker.
    void WriteMarker()
    {
        QByteArray marker;
        AppendLe32(marker, SpanMarker);
        Reserve(quint64(marker.size()));
        Write(marker, ZipMsg::CannotCreate);
        contentStart_ = Offset();
    }

    // Closes the last part; from now on the parts stay.
    void Finish()
    {
        ClosePart();
        finished_ = true;
    }

private:
    quint64 Room() const { return capacity_ - std::min(capacity_, Offset()); }

    void NextPart()
    {
        ClosePart();
        StartPart(disk_ + 1);
        contentStart_ = 0;
    }

    void ClosePart()
    {
        file_->setFileTime(date_, QFileDevice::FileModificationTime);
        file_->close();
    }

    void StartPart(int disk)
    {
        if (disk >= PartSet::MaxParts)
            throw std::runtime_error(
                QStringLiteral("A set holds at most %1 parts.").arg(PartSet::MaxParts).toStdString());
        const QString path = set_.Part(disk);
        bool overwrite = false; // the user let the file in the way be overwritten
        for (;;) {
            const QFileInfo existing(path);
            if (existing.exists() && !overwrite) {
                const bool previousDisk = existing.lastModified() == date_;
                const TZipDiskAction action = zip_.AskOverwrite(disk, path, previousDisk);
                if (action == TZipDiskAction::Cancel)
                    throw EZipMaster(ZipMsg::Aborted);
                if (action == TZipDiskAction::Reject) {
                    zip_.RequestDisk(disk, 0, false, set_.Folder());
                    continue;
                }
                overwrite = true;
            }
            // Overwriting a part frees its bytes.
            qint64 free = CheckDrive(set_.Folder()) + (existing.isFile() ? existing.size() : 0);
            if (disk == 0)
                free -= std::min(free, zip_.keepFreeOnDisk1_);
            if (free < zip_.minFreeVolumeSize_) {
                if (zip_.ReportNoSpace(disk, set_.Folder()))
                    throw EZipMaster(ZipMsg::Aborted);
                zip_.RequestDisk(disk, 0, false, set_.Folder());
                continue;
            }
            capacity_ = quint64(std::max<qint64>(free, 0));
            if (zip_.maxVolumeSize_ > 0)
                capacity_ = std::min(capacity_, quint64(zip_.maxVolumeSize_));
            capacity_ = std::min<quint64>(capacity_, std::numeric_limits<quint32>::max());
            break;
        }
        auto file = std::make_unique<QFile>(path);
        if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
            throw EZipMaster(ZipMsg::CannotCreate);
        file_ = std::move(file);
        written_.append(path);
        disk_ = disk;
    }

    TZipMaster &zip_;
    PartSet set_;
    QDateTime date_;
    std::unique_ptr<QFile> file_;
    QStringList written_;
    int disk_ = 0;
    quint64 capacity_ = 0;
    quint64 contentStart_ = 0; // where the part's records begin
    bool finished_ = false;
};

int TZipMaster::WriteSpanned(const QString &inFileName, const QString &outFileName)
{
    busy_ = true;
    int result = 0;
    {
        HourGlass hourglass;
        try {
            if (!QFileInfo(inFileName).isFile())
                throw EZipMaster(ZipMsg::CannotOpen);
            OpenArchive archive = OpenFile(inFileName);
            std::vector<CentralRecord> records;
            ReadCentral(archive, [&](CentralRecord &&record) { records.push_back(std::move(record)); });
            RefuseZip64(archive.end, records, SetOfParts);
            PartWriter parts(*this, outFileName, QFileInfo(inFileName).lastModified());
            parts.WriteMarker();
            CopyArchive(*archive.input, records, archive.end.comment, parts, SpanIds, SetOfParts, StartCopyReport(records));
            parts.Finish();
        } catch (...) {
            result = ReportFailure(std::current_exception(), ZipMsg::OtherError);
        }
    }
    Progress(ProgressType::EndOfBatch, QString(), 0);
    busy_ = false;
    return result;
}

int TZipMaster::ReadSpanned(const QString &inFileName, QString &outFilePath)
{
    busy_ = true;
    int result = 0;
    {
        HourGlass hourglass;
        try {
            OpenArchive archive = OpenForReading(inFileName);
            std::vector<CentralRecord> records;
            ReadCentral(archive, [&](CentralRecord &&record) { records.push_back(std::move(record)); });
            RefuseZip64(archive.end, records, SetOfParts);
            const QString folder = tempDir_.isEmpty() ? QDir::tempPath() : tempDir_;
            if (!QFileInfo(folder).isDir())
                throw EZipMaster(ZipMsg::TempNameUnusable);
            QTemporaryFile joined(QDir(folder).filePath(QStringLiteral("zipXXXXXX.zip")));
            if (!joined.open())
                throw EZipMaster(ZipMsg::CannotCreate);
            quint64 needed = 0;
            for (int disk = 0; disk <= archive.input->LastDisk(); ++disk)
                needed += archive.input->PartSize(disk);
            if (quint64(CheckDrive(folder)) < needed)
                throw EZipMaster(ZipMsg::NoRoomForJoin);
            FileOutput output(joined.fileName());
            CopyArchive(*archive.input, records, archive.end.comment, output, SpanIds, SetOfParts,
                        StartCopyReport(records));
            joined.setAutoRemove(false);
            outFilePath = joined.fileName();
        } catch (...) {
            result = ReportFailure(std::current_exception(), ZipMsg::OtherError);
        }
    }
    Progress(ProgressType::EndOfBatch, QString(), 0);
    busy_ = false;
    return result;
}

CopyReport TZipMaster::StartCopyReport(const std::vector<CentralRecord> &records)
{
    quint64 totalSize = 0;
    for (const CentralRecord &record : records)
        totalSize += record.header.CompressedSize;
    Progress(ProgressType::TotalFilesToProcess, QString(), qint64(records.size()));
    Progress(ProgressType::TotalSizeToProcess, QString(), qint64(totalSize));
    CopyReport report;
    report.entry = [this](const CentralRecord &record) {
        const QString name = ZipNameText(record.name, record.header);
        Report(QStringLiteral("Copying: ") + name);
        Progress(ProgressType::NewFile, name, qint64(record.header.CompressedSize));
    };
    report.centralDirectory = [this] { Report(QStringLiteral("Central directory")); };
    report.dataWritten = [this](qint64 size) { Progress(ProgressType::ProgressUpdate, QString(), size); };
    return report;
}

} // namespace vek
