#include "platform/zipengine/TargetFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <random>

namespace vek {

UniqueFd::~UniqueFd()
{
    if (fd_ >= 0)
        ::close(fd_);
}

UniqueFd &UniqueFd::operator=(UniqueFd &&other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

bool TargetFolder::Open(const std::string &folder, std::string &error)
{
    root_ = UniqueFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!root_)
        error = folder + ": " + std::strerror(errno);
    return bool(root_);
}

UniqueFd TargetFolder::Descend(const std::vector<std::string> &folders, std::string &error, bool &linked) const
{
    linked = false;
    UniqueFd current(::dup(root_.get()));
    for (const std::string &name : folders) {
        if (::mkdirat(current.get(), name.c_str(), 0777) != 0 && errno != EEXIST) {
            error = name + ": " + std::strerror(errno);
            return UniqueFd();
        }
        UniqueFd next(::openat(current.get(), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!next) {
            struct stat status;
            linked = ::fstatat(current.get(), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(status.st_mode);
            error = name + (linked ? ": a symbolic link stands in the place of this folder" : ": " + std::string(std::strerror(errno)));
            return UniqueFd();
        }
        current = std::move(next);
    }
    return current;
}

ExtractedFile::~ExtractedFile()
{
    if (!temporary_.empty()) {
        file_ = UniqueFd();
        ::unlinkat(folder_, temporary_.c_str(), 0);
    }
}

bool ExtractedFile::Create(std::string &error)
{
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = ".vekzip-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-"
            + std::to_string(random());
        file_ = UniqueFd(::openat(folder_, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (file_) {
            temporary_ = name;
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    error = name_ + ": " + std::strerror(errno);
    return false;
}

bool ExtractedFile::Write(const char *data, size_t size, std::string &error)
{
    while (size > 0) {
        const ssize_t count = ::write(file_.get(), data, size);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            error = name_ + ": " + std::strerror(count < 0 ? errno : ENOSPC);
            return false;
        }
        data += count;
        size -= size_t(count);
    }
    return true;
}

bool ExtractedFile::Commit(time_t modified, std::string &error)
{
    const struct timespec times[2] = {{modified, 0}, {modified, 0}};
    if (::futimens(file_.get(), times) != 0 || ::fsync(file_.get()) != 0
        || ::close(file_.Release()) != 0) {
        error = name_ + ": " + std::strerror(errno);
        return false;
    }
    if (::renameat(folder_, temporary_.c_str(), folder_, name_.c_str()) != 0) {
        error = name_ + ": " + std::strerror(errno);
        return false;
    }
    temporary_.clear();
    return true;
}

} // namespace vek
