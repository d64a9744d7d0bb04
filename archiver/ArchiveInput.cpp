#include "archiver/ArchiveInput.h"

#include "archiver/ZipMessages.h"

#include <QFileInfo>

#include <algorithm>

namespace vek {

ArchiveInput::ArchiveInput(const QString &file) : parts_{file}
{
}

ArchiveInput::ArchiveInput(const QStringList &parts, PartRequest request)
    : parts_(parts), request_(std::move(request))
{
}

ArchiveInput::~ArchiveInput() = default;

void ArchiveInput::Open(int disk)
{
    if (disk == disk_)
        return;
    const QString &path = parts_.at(disk);
    while (request_ && !QFileInfo(path).isFile())
        request_(disk);
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw EZipMaster(ZipMsg::CannotOpen);
    size_ = quint64(file->size());
    file_ = std::move(file);
    disk_ = disk;
}

quint64 ArchiveInput::Limit() const
{
    return disk_ == LastDisk() ? std::min(size_, end_) : size_;
}

quint64 ArchiveInput::Offset() const
{
    return file_ ? quint64(file_->pos()) : 0;
}

quint64 ArchiveInput::PartSize(int disk)
{
    Open(disk);
    return size_;
}

void ArchiveInput::Seek(int disk, quint64 offset, int failId)
{
    if (disk < 0 || disk > LastDisk())
        throw EZipMaster(failId);
    Open(disk);
    if (offset > Limit() || !file_->seek(qint64(offset)))
        throw EZipMaster(failId);
}

QByteArray ArchiveInput::Read(quint64 count, int failId)
{
    if (!file_)
        Seek(0, 0, failId);
    QByteArray bytes;
    qsizetype done = 0;
    while (quint64(done) < count) {
        const quint64 left = Limit() - std::min(Limit(), Offset());
        if (left == 0) {
            if (disk_ >= LastDisk())
                throw EZipMaster(failId);
            Seek(disk_ + 1, 0, failId);
            continue;
        }
        // Grows only by what this part holds, whatever count says.
        const qint64 want = qint64(std::min(left, count - quint64(done)));
        bytes.resize(done + want);
        if (file_->read(bytes.data() + done, want) != want)
            throw EZipMaster(ZipMsg::ReadError);
        done += want;
    }
    return bytes;
}

} // namespace vek
