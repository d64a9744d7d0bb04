#pragma once

#include <zip.h>

#include <ctime>
#include <string>

namespace vek {

// An archive opened through libzip; dropped unchanged unless Close() wrote it.
class ZipArchive {
public:
    ZipArchive() = default;
    ~ZipArchive();
    ZipArchive(const ZipArchive &) = delete;
    ZipArchive &operator=(const ZipArchive &) = delete;

    // Opens path with libzip's flags; false with error's text ("path: cause") and a
    // ZipEngineError in code.
    bool Open(const std::string &path, int flags, std::string &error, int &code);
    zip_t *get() const { return archive_; }
    zip_int64_t Count() const { return zip_get_num_entries(archive_, 0); }

    // Writes the changes through a temporary file and a rename, so that the archive is
    // never half-written; false with the cause in error. The archive is closed either way.
    bool Close(std::string &error);

    // The UTF-8 name and comment of entry index, '/' between folders in the name.
    std::string EntryName(zip_uint64_t index) const;
    std::string EntryComment(zip_uint64_t index) const;

private:
    bool Utf8Flagged(zip_uint64_t index) const;
    bool FromUnixHost(zip_uint64_t index) const;

    zip_t *archive_ = nullptr;
};

// Entries keep DOS times, which hold even seconds only: a time is later than another when
// it is more than that rounding away.
inline bool LaterThan(time_t a, time_t b)
{
    return a > b + 1;
}

// libzip's text for error.
std::string LibzipErrorText(zip_error_t *error);
std::string LibzipErrorText(int code);

} // namespace vek
