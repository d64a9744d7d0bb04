#pragma once

#include "platform/zipengine/EngineCallback.h"
#include "platform/zipengine/TargetFolder.h"
#include "platform/zipengine/ZipArchive.h"
#include "platform/zipengine/ZipEngine.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vek {

// Extracts, tests, or reads into memory the entries that an unzip command names.
//
// Patterns are matched like those of an add against the entry names (every entry
// when there are none). An entry goes to its path below the target folder with
// FolderNames, else to its file name alone there; a name that would lead elsewhere, a
// symbolic-link entry and a linked folder on the way are skipped and reported. Each file
// is written under a temporary name and renamed into place when whole and sound.
class ZipExtractor {
public:
    ZipExtractor(const UnzipCommand &command, EngineCallback &callback);
    // The number of entries extracted, tested sound, or read into memory.
    int32_t Run();

private:
    struct Job {
        zip_uint64_t index;
        std::string name;
        zip_stat_t stat;
    };
    enum class Outcome { Done, Skipped, Stopped };

    std::vector<Job> Select();
    int32_t ReadIntoMemory(const std::vector<Job> &jobs);
    Outcome Extract(const Job &job);
    Outcome Test(const Job &job);
    // False after reporting an entry whose compression or encryption the engine lacks.
    bool Supported(const Job &job);
    // Decides whether the file in the way may be replaced; false after reporting the skip.
    bool MayReplace(const Job &job, int folder, const std::string &name);
    // The entry's data opened for reading, trying the passwords known and asking for
    // more; nullptr after reporting the skip, or when asked to stop.
    zip_file_t *OpenData(const Job &job);
    // Asks what becomes of data that does not match its CRC; true to keep it.
    bool KeepDamaged(const Job &job, uint32_t found);

    enum class Read { Whole, CrcMismatch, DataError, WriteError, Stopped };
    // Reads the entry's data into write, reporting progress; found is the CRC of what was
    // read, failure the cause of a data or write error.
    Read Copy(const Job &job, zip_file_t *data, const std::function<bool(const char *, size_t, std::string &)> &write,
              uint32_t &found, std::string &failure);
    // Reports a failure: a message naming the entry and the cause, then the skip.
    void Fail(const Job &job, ZipEngineError error, UnzipSkipType type, const std::string &cause);
    void Skip(const Job &job, UnzipSkipType type) { callback_.Send(ZipActionSkipped, ZipErrNone, type, job.name); }

    const UnzipCommand &command_;
    const UnzipCommandHead &head_;
    EngineCallback &callback_;
    ZipArchive archive_;
    TargetFolder target_;
    std::vector<std::string> passwords_; // that opened an entry, the command's first
};

} // namespace vek
