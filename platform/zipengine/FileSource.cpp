#include "platform/zipengine/FileSource.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vek {
namespace {

// Progress is reported in blocks of about this size, and at the end of each file.
constexpr int64_t ReportBlock = 64 * 1024;

} // namespace

FileSource::~FileSource()
{
    if (file_ >= 0)
        ::close(file_);
    zip_error_fini(&error_);
}

zip_source_t *FileSource::Create(zip_t *archive)
{
    return zip_source_function(archive, &FileSource::Serve, this);
}

zip_int64_t FileSource::Fail(int libzipError, int systemError)
{
    zip_error_set(&error_, libzipError, systemError);
    if (libzipError != ZIP_ER_CANCELLED)
        failure_ = path_ + ": " + (systemError ? std::strerror(systemError) : zip_error_strerror(&error_));
    return -1;
}

void FileSource::Report()
{
    if (unreported_ > 0)
        callback_.Progress(ZipActionProgress, name_, unreported_);
    unreported_ = 0;
}

zip_int64_t FileSource::Read(void *data, zip_uint64_t length)
{
    ssize_t count;
    do
        count = ::read(file_, data, length);
    while (count < 0 && errno == EINTR);
    if (count < 0)
        return Fail(ZIP_ER_READ, errno);
    unreported_ += count;
    if (count == 0 || unreported_ >= ReportBlock)
        Report();
    if (callback_.Cancelled())
        return Fail(ZIP_ER_CANCELLED, 0);
    return count;
}

zip_int64_t FileSource::Serve(void *state, void *data, zip_uint64_t length, zip_source_cmd_t command)
{
    auto &source = *static_cast<FileSource *>(state);
    switch (command) {
    case ZIP_SOURCE_OPEN:
        source.file_ = ::open(source.path_.c_str(), O_RDONLY | O_CLOEXEC);
        if (source.file_ < 0)
            return source.Fail(ZIP_ER_OPEN, errno);
        source.callback_.Progress(ZipActionNewFile, source.name_, source.size_);
        return source.callback_.Cancelled() ? source.Fail(ZIP_ER_CANCELLED, 0) : 0;
    case ZIP_SOURCE_READ:
        return source.Read(data, length);
    case ZIP_SOURCE_CLOSE:
        if (source.file_ >= 0)
            ::close(source.file_);
        source.file_ = -1;
        return 0;
    case ZIP_SOURCE_STAT: {
        auto *stat = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, length, &source.error_);
        if (!stat)
            return -1;
        zip_stat_init(stat);
        stat->size = zip_uint64_t(source.size_);
        stat->mtime = source.modified_;
        stat->valid |= ZIP_STAT_SIZE | ZIP_STAT_MTIME;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&source.error_, data, length);
    case ZIP_SOURCE_FREE:
        return 0;
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                              ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, ZIP_SOURCE_SUPPORTS, -1);
    default:
        zip_error_set(&source.error_, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
}

} // namespace vek
