#include "platform/zipengine/ZipExtractor.h"

#include "platform/zipengine/EngineText.h"
#include "platform/zipengine/EntryPath.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iomanip>
#include <sstream>

namespace vek {
namespace {

constexpr size_t BlockSize = 64 * 1024;

std::string Hex(uint32_t value)
{
    std::ostringstream text;
    text << std::hex << std::setw(8) << std::setfill('0') << value;
    return text.str();
}

bool IsSymbolicLink(zip_t *archive, zip_uint64_t index)
{
    zip_uint8_t host = 0;
    zip_uint32_t attributes = 0;
    return zip_file_get_external_attributes(archive, index, 0, &host, &attributes) == 0 && host == ZIP_OPSYS_UNIX
        && ((attributes >> 16) & S_IFMT) == S_IFLNK;
}

} // namespace

ZipExtractor::ZipExtractor(const UnzipCommand &command, EngineCallback &callback)
    : command_(command), head_(command.Head), callback_(callback)
{
    if (head_.Password && *head_.Password)
        passwords_.emplace_back(head_.Password);
}

int32_t ZipExtractor::Run()
{
    const std::string path = head_.ArchivePath ? head_.ArchivePath : "";
    if (path.empty()) {
        callback_.Message(ZipErrCommand, "No archive named.");
        return 0;
    }
    std::string failure;
    int code = 0;
    int32_t done = 0;
    if (!archive_.Open(path, ZIP_RDONLY, failure, code)) {
        callback_.Message(ZipEngineError(code), failure);
    } else if (command_.IntoMemory == -1) {
        done = ReadIntoMemory(Select());
    } else {
        const std::string folder = head_.ExtractDir ? head_.ExtractDir : "";
        if (!head_.Test && (folder.empty() || folder.front() != '/')) {
            callback_.Message(ZipErrCommand, "No absolute folder to extract into.");
        } else if (!head_.Test && !target_.Open(folder, failure)) {
            callback_.Message(ZipErrWrite, failure);
        } else {
            const std::vector<Job> jobs = Select();
            int64_t total = 0;
            for (const Job &job : jobs)
                total += int64_t(job.stat.size);
            callback_.Progress(ZipActionTotalFiles, {}, int64_t(jobs.size()));
            callback_.Progress(ZipActionTotalSize, {}, total);
            for (const Job &job : jobs) {
                const Outcome outcome = callback_.Cancelled() ? Outcome::Stopped : head_.Test ? Test(job) : Extract(job);
                if (outcome == Outcome::Stopped)
                    break;
                done += outcome == Outcome::Done;
            }
        }
    }
    callback_.Progress(ZipActionEndOfBatch, {}, 0);
    return done;
}

std::vector<ZipExtractor::Job> ZipExtractor::Select()
{
    std::vector<std::string> specs;
    for (int32_t i = 0; i < head_.ItemCount && command_.Items; ++i)
        if (command_.Items[i].FileSpec && *command_.Items[i].FileSpec)
            specs.emplace_back(command_.Items[i].FileSpec);
    std::vector<bool> matched(specs.size(), false);
    std::vector<Job> jobs;
    for (zip_int64_t i = 0; i < archive_.Count(); ++i) {
        Job job{zip_uint64_t(i), archive_.EntryName(zip_uint64_t(i)), {}};
        bool wanted = specs.empty();
        for (size_t s = 0; s < specs.size(); ++s)
            if (SpecMatchesEntry(specs[s], job.name))
                wanted = matched[s] = true;
        if (!wanted)
            continue;
        if (zip_stat_index(archive_.get(), job.index, 0, &job.stat) != 0) {
            Fail(job, ZipErrFormat, UnzipSkipDataError, LibzipErrorText(zip_get_error(archive_.get())));
            continue;
        }
        jobs.push_back(std::move(job));
    }
    for (size_t s = 0; s < specs.size(); ++s)
        if (!matched[s])
            callback_.Message(ZipErrNoMatch, "No entry matches " + specs[s]);
    return jobs;
}

void ZipExtractor::Fail(const Job &job, ZipEngineError error, UnzipSkipType type, const std::string &cause)
{
    callback_.Message(error, job.name + ": " + cause);
    callback_.Send(ZipActionSkipped, error, type, job.name);
}

bool ZipExtractor::Supported(const Job &job)
{
    const bool compression = !(job.stat.valid & ZIP_STAT_COMP_METHOD)
        || zip_compression_method_supported(zip_int32_t(job.stat.comp_method), 0);
    const bool encryption = !(job.stat.valid & ZIP_STAT_ENCRYPTION_METHOD)
        || zip_encryption_method_supported(job.stat.encryption_method, 0);
    if (!compression || !encryption)
        Fail(job, ZipErrUnsupported, UnzipSkipUnsupported,
             !compression ? "compressed by a method this engine lacks" : "encrypted by a method this engine lacks");
    return compression && encryption;
}

ZipExtractor::Outcome ZipExtractor::Extract(const Job &job)
{
    if (IsSymbolicLink(archive_.get(), job.index)) {
        Fail(job, ZipErrLink, UnzipSkipSymbolicLink, "a symbolic link, which is never created");
        return Outcome::Skipped;
    }
    const bool folderEntry = IsFolderEntry(job.name);
    if (folderEntry && !head_.FolderNames)
        return Outcome::Skipped;
    const auto parts = TargetParts(job.name, head_.FolderNames != 0);
    if (!parts) {
        Fail(job, ZipErrUnsafeName, UnzipSkipUnsafeName, "the name leads out of the folder extracted into");
        return Outcome::Skipped;
    }
    std::string failure;
    bool linked = false;
    const std::vector<std::string> folders(parts->begin(), parts->end() - (folderEntry ? 0 : 1));
    const UniqueFd folder = target_.Descend(folders, failure, linked);
    if (!folder) {
        if (linked)
            Fail(job, ZipErrLink, UnzipSkipLinkedFolder, failure);
        else
            Fail(job, ZipErrWrite, UnzipSkipWriteError, failure);
        return Outcome::Skipped;
    }
    if (folderEntry || !Supported(job) || !MayReplace(job, folder.get(), parts->back()))
        return Outcome::Skipped;
    zip_file_t *data = OpenData(job);
    if (!data)
        return callback_.Cancelled() ? Outcome::Stopped : Outcome::Skipped;
    ExtractedFile file(folder.get(), parts->back());
    if (!file.Create(failure)) {
        zip_fclose(data);
        Fail(job, ZipErrWrite, UnzipSkipWriteError, failure);
        return Outcome::Skipped;
    }
    callback_.Progress(ZipActionNewFile, job.name, int64_t(job.stat.size));
    uint32_t found = 0;
    const Read read = Copy(job, data, [&](const char *bytes, size_t size, std::string &cause) {
        return file.Write(bytes, size, cause);
    }, found, failure);
    zip_fclose(data);
    switch (read) {
    case Read::Stopped: return Outcome::Stopped;
    case Read::DataError: Fail(job, ZipErrFormat, UnzipSkipDataError, failure); return Outcome::Skipped;
    case Read::WriteError: Fail(job, ZipErrWrite, UnzipSkipWriteError, failure); return Outcome::Skipped;
    case Read::CrcMismatch:
        if (!KeepDamaged(job, found))
            return Outcome::Skipped;
        break;
    case Read::Whole: break;
    }
    if (!file.Commit(job.stat.mtime, failure)) {
        Fail(job, ZipErrWrite, UnzipSkipWriteError, failure);
        return Outcome::Skipped;
    }
    if (head_.Verbose)
        callback_.Message(ZipErrNone, "Extracted " + job.name);
    return Outcome::Done;
}

bool ZipExtractor::KeepDamaged(const Job &job, uint32_t found)
{
    const std::string cause = "its data does not match its CRC (found " + Hex(found) + ", expected " + Hex(job.stat.crc) + ")";
    const EngineCallback::Answer answer = callback_.Send(ZipActionCrcError, int32_t(found), int32_t(job.stat.crc), job.name);
    if (answer.value1 == 1) {
        callback_.Message(ZipErrCrc, job.name + ": " + cause + "; kept as asked");
        return true;
    }
    Fail(job, ZipErrCrc, UnzipSkipCrcError, cause);
    return false;
}

ZipExtractor::Outcome ZipExtractor::Test(const Job &job)
{
    if (IsFolderEntry(job.name) || !Supported(job))
        return Outcome::Skipped;
    zip_file_t *data = OpenData(job);
    if (!data)
        return callback_.Cancelled() ? Outcome::Stopped : Outcome::Skipped;
    callback_.Progress(ZipActionNewFile, job.name, int64_t(job.stat.size));
    uint32_t found = 0;
    std::string failure;
    const Read read = Copy(job, data, [](const char *, size_t, std::string &) { return true; }, found, failure);
    zip_fclose(data);
    switch (read) {
    case Read::Stopped: return Outcome::Stopped;
    case Read::CrcMismatch:
        Fail(job, ZipErrCrc, UnzipSkipCrcError,
             "its data does not match its CRC (found " + Hex(found) + ", expected " + Hex(job.stat.crc) + ")");
        return Outcome::Skipped;
    case Read::DataError:
    case Read::WriteError: Fail(job, ZipErrFormat, UnzipSkipDataError, failure); return Outcome::Skipped;
    case Read::Whole: break;
    }
    if (head_.Verbose)
        callback_.Message(ZipErrNone, "Tested " + job.name);
    return Outcome::Done;
}

int32_t ZipExtractor::ReadIntoMemory(const std::vector<Job> &jobs)
{
    if (jobs.empty())
        return 0;
    const Job &job = jobs.front();
    const auto capacity = size_t(std::max(command_.BufferSize, 0));
    if (job.stat.size != capacity || (capacity > 0 && !command_.Buffer)) {
        Fail(job, ZipErrMemory, UnzipSkipWriteError,
             "it holds " + std::to_string(job.stat.size) + " bytes, the memory given " + std::to_string(capacity));
        return 0;
    }
    if (!Supported(job))
        return 0;
    zip_file_t *data = OpenData(job);
    if (!data)
        return 0;
    callback_.Progress(ZipActionTotalFiles, {}, 1);
    callback_.Progress(ZipActionTotalSize, {}, int64_t(capacity));
    callback_.Progress(ZipActionNewFile, job.name, int64_t(capacity));
    auto *memory = static_cast<char *>(command_.Buffer);
    size_t filled = 0;
    uint32_t found = 0;
    std::string failure;
    const Read read = Copy(job, data, [&](const char *bytes, size_t size, std::string &cause) {
        if (size > capacity - filled) {
            cause = "it holds more bytes than its size says";
            return false;
        }
        std::memcpy(memory + filled, bytes, size);
        filled += size;
        return true;
    }, found, failure);
    zip_fclose(data);
    switch (read) {
    case Read::Whole: return 1;
    case Read::CrcMismatch: return KeepDamaged(job, found) ? 1 : 0;
    case Read::DataError:
    case Read::WriteError: Fail(job, ZipErrFormat, UnzipSkipDataError, failure); return 0;
    case Read::Stopped: return 0;
    }
    return 0;
}

bool ZipExtractor::MayReplace(const Job &job, int folder, const std::string &name)
{
    struct stat existing;
    if (::fstatat(folder, name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) != 0) {
        if (!head_.Freshen)
            return true;
        Skip(job, UnzipSkipNotPresent);
        return false;
    }
    if (S_ISDIR(existing.st_mode)) {
        Fail(job, ZipErrWrite, UnzipSkipWriteError, "a folder of that name is in the way");
        return false;
    }
    const bool entryNewer = LaterThan(job.stat.mtime, existing.st_mtime);
    if ((head_.Freshen || head_.Update) && !entryNewer) {
        Skip(job, UnzipSkipNotNewer);
        return false;
    }
    if (head_.Overwrite || callback_.Send(ZipActionOverwrite, entryNewer ? 1 : 0, 0, job.name).value2 != 0)
        return true;
    Skip(job, UnzipSkipNoOverwrite);
    return false;
}

zip_file_t *ZipExtractor::OpenData(const Job &job)
{
    zip_t *archive = archive_.get();
    const bool encrypted = (job.stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && job.stat.encryption_method != ZIP_EM_NONE;
    if (!encrypted) {
        zip_file_t *data = zip_fopen_index(archive, job.index, 0);
        if (!data)
            Fail(job, ZipErrFormat, UnzipSkipDataError, LibzipErrorText(zip_get_error(archive)));
        return data;
    }
    // Returns the data when password opens it; nullptr after reporting any other failure.
    bool failed = false;
    const auto tryPassword = [&](const std::string &password) -> zip_file_t * {
        zip_file_t *data = zip_fopen_index_encrypted(archive, job.index, 0, ToArchiveText(password).bytes.c_str());
        const int code = data ? ZIP_ER_OK : zip_error_code_zip(zip_get_error(archive));
        if (!data && code != ZIP_ER_WRONGPASSWD && code != ZIP_ER_NOPASSWD) {
            Fail(job, ZipErrFormat, UnzipSkipDataError, LibzipErrorText(zip_get_error(archive)));
            failed = true;
        }
        return data;
    };
    for (const std::string &password : passwords_) {
        if (zip_file_t *data = tryPassword(password))
            return data;
        if (failed)
            return nullptr;
    }
    for (int32_t left = std::clamp(command_.PasswordReqCount, 0, 15); left > 0;) {
        const EngineCallback::Answer answer = callback_.Send(ZipActionPassword, 0, left, job.name);
        if (callback_.Cancelled())
            return nullptr;
        if (answer.value1 != 1)
            break;
        if (zip_file_t *data = tryPassword(answer.text)) {
            passwords_.push_back(answer.text);
            return data;
        }
        if (failed)
            return nullptr;
        left = answer.value2 - 1;
    }
    Fail(job, ZipErrPassword, UnzipSkipBadPassword, passwords_.empty() ? "no password for it" : "wrong password");
    return nullptr;
}

ZipExtractor::Read ZipExtractor::Copy(const Job &job, zip_file_t *data,
                                      const std::function<bool(const char *, size_t, std::string &)> &write,
                                      uint32_t &found, std::string &failure)
{
    std::vector<char> buffer(BlockSize);
    uLong crc = crc32(0L, Z_NULL, 0);
    int64_t unreported = 0;
    for (;;) {
        const zip_int64_t count = zip_fread(data, buffer.data(), buffer.size());
        if (count < 0) {
            found = uint32_t(crc);
            zip_error_t *error = zip_file_get_error(data);
            if (zip_error_code_zip(error) == ZIP_ER_CRC)
                return Read::CrcMismatch;
            failure = LibzipErrorText(error);
            return Read::DataError;
        }
        if (count == 0)
            break;
        crc = crc32(crc, reinterpret_cast<const Bytef *>(buffer.data()), uInt(count));
        if (!write(buffer.data(), size_t(count), failure))
            return Read::WriteError;
        unreported += count;
        if (unreported >= int64_t(BlockSize)) {
            callback_.Progress(ZipActionProgress, job.name, unreported);
            unreported = 0;
        }
        if (callback_.Cancelled())
            return Read::Stopped;
    }
    if (unreported > 0)
        callback_.Progress(ZipActionProgress, job.name, unreported);
    found = uint32_t(crc);
    if ((job.stat.valid & ZIP_STAT_CRC) && found != job.stat.crc)
        return Read::CrcMismatch;
    return callback_.Cancelled() ? Read::Stopped : Read::Whole;
}

} // namespace vek
