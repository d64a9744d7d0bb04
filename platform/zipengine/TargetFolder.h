#pragma once

#include <ctime>
#include <string>
#include <utility>
#include <vector>

namespace vek {

// An open file descriptor, closed when it goes.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd();
    UniqueFd(UniqueFd &&other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    UniqueFd &operator=(UniqueFd &&other) noexcept;
    int get() const { return fd_; }
    // Gives the descriptor up without closing it.
    int Release() { return std::exchange(fd_, -1); }
    explicit operator bool() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// The folder extracted into. Everything below it is reached through real folders only,
// one step at a time, so that no entry can lead out of it: a symbolic link on the way is
// refused, never followed.
class TargetFolder {
public:
    // Opens folder, an absolute path; false with the cause in error.
    bool Open(const std::string &folder, std::string &error);

    // The folder that folders (each one name) lead to below the target, the missing ones
    // created; an invalid descriptor with the cause in error, and linked set when a
    // symbolic link was in the way.
    UniqueFd Descend(const std::vector<std::string> &folders, std::string &error, bool &linked) const;

private:
    UniqueFd root_;
};

// A file being extracted: written under a temporary name in its folder and renamed into
// place only when complete, so that a link of its name is replaced, not followed, and no
// half-written file is ever left. Dropped unless committed.
class ExtractedFile {
public:
    ExtractedFile(int folder, std::string name) : folder_(folder), name_(std::move(name)) {}
    ~ExtractedFile();
    ExtractedFile(const ExtractedFile &) = delete;
    ExtractedFile &operator=(const ExtractedFile &) = delete;

    bool Create(std::string &error);
    bool Write(const char *data, size_t size, std::string &error);
    // Dates the file modified, flushes it to disk and renames it over its name.
    bool Commit(time_t modified, std::string &error);

private:
    int folder_;
    std::string name_;
    std::string temporary_;
    UniqueFd file_;
};

} // namespace vek
