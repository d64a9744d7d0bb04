#include "archiver/ZipStream.h"

#include <algorithm>
#include <cstring>

namespace vek {

TZipStream::TZipStream(QObject *parent) : QIODevice(parent)
{
    open(QIODevice::ReadWrite | QIODevice::Unbuffered);
}

void TZipStream::SetPointer(char *data, qint64 size)
{
    own_.clear();
    outside_ = data;
    outsideSize_ = data ? size : 0;
    seek(0);
}

void TZipStream::SetSize(qint64 size)
{
    if (outside_) {
        own_ = QByteArray(outside_, std::min(size, outsideSize_));
        outside_ = nullptr;
        outsideSize_ = 0;
    }
    own_.resize(size);
    seek(std::min(pos(), size));
}

qint64 TZipStream::readData(char *data, qint64 maxSize)
{
    const qint64 count = std::clamp<qint64>(size() - pos(), 0, maxSize);
    if (count > 0)
        std::memcpy(data, Memory() + pos(), size_t(count));
    return count;
}

qint64 TZipStream::writeData(const char *data, qint64 maxSize)
{
    const qint64 end = pos() + maxSize;
    if (end > size()) {
        if (outside_)
            maxSize = std::max<qint64>(outsideSize_ - pos(), 0);
        else
            own_.resize(end);
    }
    if (maxSize > 0)
        std::memcpy(Memory() + pos(), data, size_t(maxSize));
    return maxSize;
}

} // namespace vek
