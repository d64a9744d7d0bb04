#include "platform/zipengine/ZipArchive.h"

#include "platform/zipengine/EngineText.h"
#include "platform/zipengine/EntryPath.h"
#include "platform/zipengine/ZipEngine.h"

#include <cstring>

namespace vek {

std::string LibzipErrorText(zip_error_t *error)
{
    return zip_error_strerror(error);
}

std::string LibzipErrorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

ZipArchive::~ZipArchive()
{
    if (archive_)
        zip_discard(archive_);
}

bool ZipArchive::Open(const std::string &path, int flags, std::string &error, int &code)
{
    int libzipError = 0;
    archive_ = zip_open(path.c_str(), flags, &libzipError);
    if (archive_)
        return true;
    error = path + ": " + LibzipErrorText(libzipError);
    const bool damaged = libzipError == ZIP_ER_NOZIP || libzipError == ZIP_ER_INCONS || libzipError == ZIP_ER_MULTIDISK;
    code = damaged ? ZipErrFormat : ZipErrArchive;
    return false;
}

bool ZipArchive::Close(std::string &error)
{
    if (zip_close(archive_) == 0) {
        archive_ = nullptr;
        return true;
    }
    error = LibzipErrorText(zip_get_error(archive_));
    return false;
}

bool ZipArchive::Utf8Flagged(zip_uint64_t index) const
{
    // A strict reading turns every name without the UTF-8 flag into CP437 text; a name
    // that stays as it is was flagged (or is plain ASCII, where the flag changes nothing).
    const char *raw = zip_get_name(archive_, index, ZIP_FL_ENC_RAW);
    const char *strict = zip_get_name(archive_, index, ZIP_FL_ENC_STRICT);
    return raw && strict && std::strcmp(raw, strict) == 0;
}

bool ZipArchive::FromUnixHost(zip_uint64_t index) const
{
    zip_uint8_t host = 0;
    zip_uint32_t attributes = 0;
    return zip_file_get_external_attributes(archive_, index, 0, &host, &attributes) == 0 && host == ZIP_OPSYS_UNIX;
}

std::string ZipArchive::EntryName(zip_uint64_t index) const
{
    const char *raw = zip_get_name(archive_, index, ZIP_FL_ENC_RAW);
    return raw ? WithSlashes(FromArchiveText(raw, Utf8Flagged(index), FromUnixHost(index))) : std::string();
}

std::string ZipArchive::EntryComment(zip_uint64_t index) const
{
    zip_uint32_t length = 0;
    const char *raw = zip_file_get_comment(archive_, index, &length, ZIP_FL_ENC_RAW);
    if (!raw || length == 0)
        return std::string();
    return FromArchiveText(std::string_view(raw, length), Utf8Flagged(index), FromUnixHost(index));
}

} // namespace vek
