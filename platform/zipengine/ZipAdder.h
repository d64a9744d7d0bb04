#pragma once

#include "platform/zipengine/EngineCallback.h"
#include "platform/zipengine/FileSource.h"
#include "platform/zipengine/ZipArchive.h"
#include "platform/zipengine/ZipEngine.h"

#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace vek {

// Adds the files that a zip command names to its archive.
//
// A pattern is relative to its item's root folder (or absolute); its last part is
// matched as a wildcard against the names in its folder, and in every sub-folder when the
// item recurses; a folder stands for all of its files. Names starting with '.' count only
// with HiddenFiles. Entries are named relative to the root folder ('/' between folders,
// never absolute, never with ".."), or by the file name alone with JunkFolderNames. An
// entry of the same name is replaced. The archive itself is never added. Nothing reaches
// the archive unless it is closed whole: a failure or a stop leaves it as it was.
class ZipAdder {
public:
    ZipAdder(const ZipCommand &command, EngineCallback &callback);
    // The number of files written into the archive; 0 when it could not be written.
    int32_t Run();

private:
    struct Planned {
        std::string path;   // on disk
        std::string name;   // of the entry
        struct stat status; // of the file
        std::string password; // empty: not encrypted
        std::optional<std::string> comment; // a new comment for the entry
        zip_int64_t replaces = -1;          // the entry of the same name
    };

    void Expand(const ZipItem &item);
    // The files below folder whose names match pattern; sub-folders too with recurse.
    void Walk(const std::filesystem::path &folder, const std::string &pattern, bool recurse,
              std::vector<std::filesystem::path> &found);
    void Plan(const ZipItem &item, const std::filesystem::path &file, const std::filesystem::path &root);
    // The password for the files of an item that encrypts; empty when there is none.
    std::string PasswordFor(const ZipItem &item, const std::string &name);
    bool NewerThanEntry(const struct stat &status, zip_int64_t entry) const;
    void Error(ZipEngineError error, const std::string &text);
    // Hands the planned files to libzip; false when one cannot be.
    bool Stage();
    // Gives the archive comment, when it differs from the one it has.
    void SetArchiveComment(const std::string &comment);
    void AfterClose();

    const ZipCommand &command_;
    const ZipCommandHead &head_;
    EngineCallback &callback_;
    ZipArchive archive_;
    std::string archivePath_;
    std::optional<std::pair<dev_t, ino_t>> archiveId_;
    std::map<std::string, zip_int64_t> entries_; // by name
    std::set<std::string> plannedNames_;
    std::vector<Planned> planned_;
    std::vector<std::unique_ptr<FileSource>> sources_;
    std::optional<std::string> askedPassword_;
};

} // namespace vek
