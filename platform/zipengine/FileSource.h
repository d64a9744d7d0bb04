#pragma once

#include "platform/zipengine/EngineCallback.h"

#include <zip.h>

#include <cstdint>
#include <ctime>
#include <string>

namespace vek {

// The data of one file to add, read when libzip writes the archive: the callback hears
// of the file when it is opened and of every block read, and its answer can stop the
// writing. A file that cannot be read keeps its cause.
class FileSource {
public:
    FileSource(std::string path, std::string name, int64_t size, time_t modified, EngineCallback &callback)
        : path_(std::move(path)), name_(std::move(name)), size_(size), modified_(modified), callback_(callback)
    {
        zip_error_init(&error_);
    }
    ~FileSource();
    FileSource(const FileSource &) = delete;
    FileSource &operator=(const FileSource &) = delete;

    // A libzip source reading this file; this object must outlive it.
    zip_source_t *Create(zip_t *archive);
    // Why the file could not be read ("path: cause"); empty when it could.
    const std::string &Failure() const { return failure_; }

private:
    static zip_int64_t Serve(void *state, void *data, zip_uint64_t length, zip_source_cmd_t command);
    zip_int64_t Fail(int libzipError, int systemError);
    zip_int64_t Read(void *data, zip_uint64_t length);
    void Report();

    std::string path_;
    std::string name_;
    int64_t size_;
    time_t modified_;
    EngineCallback &callback_;
    zip_error_t error_;
    std::string failure_;
    int file_ = -1;
    int64_t unreported_ = 0;
};

} // namespace vek
