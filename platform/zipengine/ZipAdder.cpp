#include "platform/zipengine/ZipAdder.h"

#include "platform/zipengine/EngineText.h"
#include "platform/zipengine/EntryPath.h"
#include "platform/zipengine/Wildcard.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace vek {
namespace fs = std::filesystem;
namespace {

// Entries are written as the Windows system wrote them, by an MS-DOS host, so that every
// reader takes their names for the code page they are in, CP949, and not for UTF-8 that
// some CP949 names happen to be valid as. Their attributes: archive, and read-only for a
// file nobody may write.
constexpr zip_uint32_t DosArchive = 0x20;
constexpr zip_uint32_t DosReadOnly = 0x01;

zip_uint32_t DosAttributes(const struct stat &status)
{
    return DosArchive | ((status.st_mode & 0222) == 0 ? DosReadOnly : 0);
}

std::string Text(const char *text)
{
    return text ? std::string(text) : std::string();
}

bool IsHidden(const std::string &name)
{
    return !name.empty() && name.front() == '.';
}

// The name of entry file: relative to root when it lies below it, else its absolute path
// without the leading '/'.
std::string RelativeName(const fs::path &file, const fs::path &root)
{
    const fs::path relative = file.lexically_relative(root);
    if (!relative.empty() && *relative.begin() != "..")
        return relative.generic_string();
    return file.relative_path().generic_string();
}

} // namespace

ZipAdder::ZipAdder(const ZipCommand &command, EngineCallback &callback)
    : command_(command), head_(command.Head), callback_(callback), archivePath_(Text(command.Head.ArchivePath))
{
}

void ZipAdder::Error(ZipEngineError error, const std::string &text)
{
    callback_.Message(error, text);
}

int32_t ZipAdder::Run()
{
    if (archivePath_.empty()) {
        Error(ZipErrCommand, "No archive named.");
        return 0;
    }
    struct stat archiveStatus;
    int flags = ZIP_CREATE;
    if (::stat(archivePath_.c_str(), &archiveStatus) == 0) {
        archiveId_.emplace(archiveStatus.st_dev, archiveStatus.st_ino);
        if (S_ISREG(archiveStatus.st_mode) && archiveStatus.st_size == 0)
            flags |= ZIP_TRUNCATE; // an empty file is a new archive
    }
    std::string failure;
    int code = 0;
    if (!archive_.Open(archivePath_, flags, failure, code)) {
        Error(ZipEngineError(code), failure);
        callback_.Progress(ZipActionEndOfBatch, {}, 0);
        return 0;
    }
    for (zip_int64_t i = 0; i < archive_.Count(); ++i)
        entries_.emplace(archive_.EntryName(zip_uint64_t(i)), i);

    for (int32_t i = 0; i < head_.ItemCount && command_.Items && !callback_.Cancelled(); ++i)
        Expand(command_.Items[i]);

    int32_t written = 0;
    if (!callback_.Cancelled() && !planned_.empty()) {
        int64_t total = 0;
        for (const Planned &file : planned_)
            total += file.status.st_size;
        callback_.Progress(ZipActionTotalFiles, {}, int64_t(planned_.size()));
        callback_.Progress(ZipActionTotalSize, {}, total);
        if (!callback_.Cancelled() && Stage()) {
            if (archive_.Close(failure)) {
                written = int32_t(planned_.size());
                AfterClose();
            } else if (!callback_.Cancelled()) {
                const auto unreadable = std::find_if(sources_.begin(), sources_.end(),
                                                     [](const auto &source) { return !source->Failure().empty(); });
                if (unreadable != sources_.end())
                    Error(ZipErrRead, (*unreadable)->Failure() + "; nothing was added to " + archivePath_);
                else
                    Error(ZipErrArchive, archivePath_ + ": " + failure);
            }
        }
    }
    callback_.Progress(ZipActionEndOfBatch, {}, 0);
    return written;
}

void ZipAdder::Expand(const ZipItem &item)
{
    const std::string spec = WithSlashes(Text(item.FileSpec));
    const std::string rootText = Text(item.RootDir);
    if (spec.empty())
        return;
    const fs::path root = fs::path(rootText).lexically_normal();
    if (spec.front() != '/' && !root.is_absolute()) {
        Error(ZipErrCommand, spec + ": no absolute root folder to start from");
        return;
    }
    const fs::path target = (spec.front() == '/' ? fs::path(spec) : root / spec).lexically_normal();
    std::error_code error;
    fs::path folder = target.parent_path();
    std::string pattern = target.filename().string();
    if (pattern.empty() || fs::is_directory(target, error)) {
        folder = target;
        pattern = "*";
    }
    std::vector<fs::path> found;
    if (fs::is_directory(folder, error))
        Walk(folder, pattern, item.Recurse != 0, found);
    const size_t before = planned_.size();
    for (const fs::path &file : found) {
        if (callback_.Cancelled())
            return;
        Plan(item, file, root);
    }
    if (found.empty())
        Error(ZipErrNoMatch, "Nothing matches " + spec + (spec.front() == '/' ? "" : " in " + root.string()));
    else if (planned_.size() == before && head_.Verbose)
        callback_.Message(ZipErrNone, "Nothing to add for " + spec);
}

void ZipAdder::Walk(const fs::path &folder, const std::string &pattern, bool recurse, std::vector<fs::path> &found)
{
    std::error_code error;
    std::vector<fs::path> names;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        names.push_back(it->path());
    if (error) {
        Error(ZipErrRead, folder.string() + ": " + error.message());
        return;
    }
    std::sort(names.begin(), names.end());
    const bool hidden = head_.HiddenFiles != 0;
    for (const fs::path &path : names) {
        const std::string name = path.filename().string();
        if (IsHidden(name) && !hidden)
            continue;
        std::error_code ignored;
        if (fs::is_directory(fs::symlink_status(path, ignored))) { // linked folders are not followed
            if (recurse)
                Walk(path, pattern, recurse, found);
        } else if (fs::is_regular_file(path, ignored) && WildcardMatch(pattern, name)) {
            found.push_back(path);
        }
    }
}

void ZipAdder::Plan(const ZipItem &item, const fs::path &file, const fs::path &root)
{
    Planned planned;
    planned.path = file.string();
    if (::stat(planned.path.c_str(), &planned.status) != 0) {
        Error(ZipErrRead, planned.path + ": " + std::strerror(errno));
        return;
    }
    if (archiveId_ && planned.status.st_dev == archiveId_->first && planned.status.st_ino == archiveId_->second)
        return; // the archive itself
    const std::string relative = RelativeName(file, root);
    for (int32_t i = 0; i < command_.ExclusionCount && command_.Exclusions; ++i)
        if (command_.Exclusions[i] && SpecMatchesEntry(command_.Exclusions[i], relative))
            return;
    planned.name = head_.JunkFolderNames ? file.filename().string() : relative;

    const EngineCallback::Answer renamed = callback_.Send(ZipActionNewName, 0, 0, planned.name);
    if (renamed.value1 == 1) {
        const auto parts = TargetParts(renamed.text, true);
        if (!parts || IsFolderEntry(renamed.text)) {
            Error(ZipErrUnsafeName, planned.path + ": the new name " + renamed.text
                                        + " is no relative file name; the entry keeps the name " + planned.name);
        } else {
            planned.name.clear();
            for (const std::string &part : *parts)
                planned.name += (planned.name.empty() ? "" : "/") + part;
        }
    }
    if (!plannedNames_.insert(planned.name).second) {
        Error(ZipErrDuplicate, planned.path + ": another file is added as " + planned.name + "; this one is left out");
        return;
    }
    const auto entry = entries_.find(planned.name);
    planned.replaces = entry == entries_.end() ? -1 : entry->second;
    const bool newer = planned.replaces < 0 || NewerThanEntry(planned.status, planned.replaces);
    if ((head_.Freshen && planned.replaces < 0) || ((head_.Freshen || head_.Update) && !newer))
        return;

    const std::string comment = planned.replaces >= 0 ? archive_.EntryComment(zip_uint64_t(planned.replaces)) : "";
    const EngineCallback::Answer commented = callback_.Send(ZipActionFileComment, 0, 0, planned.name, comment);
    if (commented.value1 != 0)
        planned.comment = commented.text;

    if (item.Encrypt != 0) {
        planned.password = PasswordFor(item, planned.name);
        if (planned.password.empty()) {
            Error(ZipErrPassword, planned.path + ": no password to encrypt it with; it is left out");
            return;
        }
    }
    if (head_.Verbose)
        callback_.Message(ZipErrNone, "Adding " + planned.path + " as " + planned.name);
    planned_.push_back(std::move(planned));
}

std::string ZipAdder::PasswordFor(const ZipItem &item, const std::string &name)
{
    if (item.Password && *item.Password)
        return item.Password;
    if (!askedPassword_) {
        const EngineCallback::Answer answer = callback_.Send(ZipActionPassword, 1, 1, name);
        askedPassword_ = answer.value1 == 1 ? answer.text : std::string();
    }
    return *askedPassword_;
}

bool ZipAdder::NewerThanEntry(const struct stat &status, zip_int64_t entry) const
{
    zip_stat_t stat;
    if (zip_stat_index(archive_.get(), zip_uint64_t(entry), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_MTIME))
        return true;
    return LaterThan(status.st_mtime, stat.mtime);
}

bool ZipAdder::Stage()
{
    zip_t *archive = archive_.get();
    const std::string suffixes = Text(head_.StoredSuffixes);
    for (const Planned &file : planned_) {
        auto source = std::make_unique<FileSource>(file.path, file.name, file.status.st_size, file.status.st_mtime,
                                                   callback_);
        zip_source_t *data = source->Create(archive);
        sources_.push_back(std::move(source));
        const ArchiveText name = ToArchiveText(file.name);
        zip_int64_t index = file.replaces;
        if (!data || (index >= 0 ? zip_file_replace(archive, zip_uint64_t(index), data, 0)
                                 : (index = zip_file_add(archive, name.bytes.c_str(), data,
                                                         name.utf8 ? ZIP_FL_ENC_UTF_8 : ZIP_FL_ENC_GUESS)))
                        < 0) {
            if (data)
                zip_source_free(data);
            Error(ZipErrArchive, file.path + ": " + LibzipErrorText(zip_get_error(archive)));
            return false;
        }
        const auto entry = zip_uint64_t(index);
        const bool store = head_.Level <= 0 || HasStoredSuffix(suffixes, file.name);
        const std::string password = ToArchiveText(file.password).bytes;
        bool done = zip_set_file_compression(archive, entry, store ? ZIP_CM_STORE : ZIP_CM_DEFLATE,
                                             zip_uint32_t(store ? 0 : std::min(head_.Level, 9)))
                        == 0
            && zip_file_set_encryption(archive, entry, file.password.empty() ? ZIP_EM_NONE : ZIP_EM_TRAD_PKWARE,
                                       file.password.empty() ? nullptr : password.c_str())
                == 0
            && zip_file_set_mtime(archive, entry, file.status.st_mtime, 0) == 0
            && zip_file_set_external_attributes(archive, entry, 0, ZIP_OPSYS_DOS, DosAttributes(file.status)) == 0;
        if (done && file.comment) {
            const ArchiveText comment = ToArchiveText(*file.comment);
            done = zip_file_set_comment(archive, entry, comment.bytes.data(), zip_uint16_t(comment.bytes.size()),
                                        comment.utf8 ? ZIP_FL_ENC_UTF_8 : ZIP_FL_ENC_GUESS)
                == 0;
        }
        if (!done) {
            Error(ZipErrArchive, file.path + ": " + LibzipErrorText(zip_get_error(archive)));
            return false;
        }
    }
    SetArchiveComment(Text(command_.Comment));
    return true;
}

void ZipAdder::SetArchiveComment(const std::string &comment)
{
    zip_t *archive = archive_.get();
    int length = 0;
    const char *current = zip_get_archive_comment(archive, &length, ZIP_FL_ENC_RAW);
    // Read as the component reads it: UTF-8 when it is valid UTF-8, else CP949.
    const std::string currentText = current ? FromArchiveText(std::string_view(current, size_t(length)), false, true) : "";
    if (comment.empty() || comment == currentText)
        return;
    // libzip takes only ASCII or UTF-8 archive comments.
    const std::string bytes = ToArchiveText(comment).bytes;
    if (zip_set_archive_comment(archive, bytes.data(), zip_uint16_t(std::min<size_t>(bytes.size(), 0xFFFF))) != 0)
        zip_set_archive_comment(archive, comment.data(), zip_uint16_t(std::min<size_t>(comment.size(), 0xFFFF)));
}

void ZipAdder::AfterClose()
{
    if (head_.Move)
        for (const Planned &file : planned_)
            if (::unlink(file.path.c_str()) != 0)
                Error(ZipErrWrite, file.path + ": it is in the archive but cannot be deleted: " + std::strerror(errno));
    if (head_.LatestTime) {
        ZipArchive archive;
        std::string failure;
        int code = 0;
        if (!archive.Open(archivePath_, ZIP_RDONLY, failure, code))
            return;
        time_t latest = 0;
        zip_stat_t stat;
        for (zip_int64_t i = 0; i < archive.Count(); ++i)
            if (zip_stat_index(archive.get(), zip_uint64_t(i), 0, &stat) == 0 && (stat.valid & ZIP_STAT_MTIME))
                latest = std::max(latest, stat.mtime);
        const struct timespec times[2] = {{latest, 0}, {latest, 0}};
        ::utimensat(AT_FDCWD, archivePath_.c_str(), times, 0);
    }
}

} // namespace vek
