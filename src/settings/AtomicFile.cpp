#include "settings/AtomicFile.h"

#include <cerrno>
#include <chrono>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace pexa {

namespace {

std::size_t loadCount = 0;

// A temporary file younger than this may belong to a replacement that has just
// begun and not yet taken its lock.
constexpr std::chrono::seconds kStaleAge{60};

// More links than this on one path is a loop (the kernel's own limit).
constexpr int kMaxLinks = 40;

// Put between the target's name and mkstemp's random part, so that a name of ours
// cannot be mistaken for one a user chose (".pexa.ini.backup" has six letters too).
constexpr std::string_view kTemporaryMarker = ".pexa-tmp-";

// The random part of a name made by mkstemp: six letters or digits.
constexpr std::size_t kTemporarySuffixLength = 6;

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string TemporaryPrefix(const std::string& target) {
    return "." + BaseNameOf(target) + std::string(kTemporaryMarker);
}

bool IsTemporaryName(std::string_view name, std::string_view prefix) {
    if (name.size() != prefix.size() + kTemporarySuffixLength || !name.starts_with(prefix))
        return false;
    for (const char c : name.substr(prefix.size())) {
        const bool alnum =
            (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!alnum)
            return false;
    }
    return true;
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

int ReadAll(int fd, std::string& text, std::size_t sizeHint) {
    text.clear();
    text.reserve(sizeHint);
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return 0;
        text.append(buffer, static_cast<std::size_t>(n));
    }
}

bool IsOldEnough(const struct stat& info) {
    const auto now = std::chrono::system_clock::now();
    const auto modified = std::chrono::system_clock::from_time_t(info.st_mtime);
    return now - modified >= kStaleAge;
}

// What a temporary file of ours is: a regular file (never a link, which could
// lead to a file of the user's), with no other name (a hard link is someone's),
// owned by this user, and old enough that no replacement can still be starting.
bool CouldBeOurLeftover(const struct stat& info) {
    return S_ISREG(info.st_mode) && info.st_nlink == 1 && info.st_uid == ::geteuid() &&
           IsOldEnough(info);
}

// Removes one temporary file when it is ours, old and not locked by a live writer.
void RemoveIfStale(int dirFd, const char* name) {
    struct stat named {};
    if (::fstatat(dirFd, name, &named, AT_SYMLINK_NOFOLLOW) != 0 || !CouldBeOurLeftover(named))
        return;
    const int fd = ::openat(dirFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat opened {};
    // The lock is held by a writer until its rename; a killed writer holds none.
    if (::fstat(fd, &opened) == 0 && opened.st_ino == named.st_ino &&
        opened.st_dev == named.st_dev && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
        ::unlinkat(dirFd, name, 0);
    ::close(fd);
}

} // namespace

int LoadRegularFile(const std::string& path, std::string& text, struct stat& info) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return errno;
    int err = 0;
    if (::fstat(fd, &info) != 0) {
        err = errno;
    } else if (!S_ISREG(info.st_mode)) {
        err = EINVAL;
    } else {
        ++loadCount;
        err = ReadAll(fd, text, static_cast<std::size_t>(info.st_size));
    }
    ::close(fd);
    return err;
}

std::size_t RegularFileLoadCount() {
    return loadCount;
}

int FollowLinks(const std::string& path, std::string& target) {
    target = path;
    for (int links = 0;; ++links) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return 0;
        if (links >= kMaxLinks)
            return ELOOP;
        std::string content(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 256) + 1,
                            '\0');
        const ssize_t n = ::readlink(target.c_str(), content.data(), content.size());
        if (n < 0)
            return 0; // replaced meanwhile by something that is no link: use it as it is
        content.resize(static_cast<std::size_t>(n));
        // A relative link is relative to the folder that holds it.
        target = content.starts_with('/') ? content : DirectoryOf(target) + "/" + content;
    }
}

int CheckReplaceable(const std::string& target, const struct stat& info) {
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return EACCES;
    return ::access(target.c_str(), W_OK) == 0 ? 0 : errno;
}

void RemoveStaleTemporaries(const std::string& target) {
    DIR* dir = ::opendir(DirectoryOf(target).c_str());
    if (dir == nullptr)
        return;
    const std::string prefix = TemporaryPrefix(target);
    while (const dirent* entry = ::readdir(dir)) {
        if (IsTemporaryName(entry->d_name, prefix))
            RemoveIfStale(::dirfd(dir), entry->d_name);
    }
    ::closedir(dir);
}

std::optional<ReplaceFailure> ReplaceFileContents(const std::string& target, std::string_view text,
                                                  const struct stat* existing) {
    std::string temp = DirectoryOf(target) + "/" + TemporaryPrefix(target) + "XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return ReplaceFailure{"mkstemp", errno};
    // Marks the file as being written, so that RemoveStaleTemporaries in another
    // copy of the program leaves it alone; the lock goes with the descriptor.
    [[maybe_unused]] const int locked = ::flock(fd, LOCK_EX | LOCK_NB);
    const char* failed = nullptr;
    int err = 0;
    if (existing != nullptr) {
        // Keep the owner where we may (root saving a user's file); failure is harmless.
        [[maybe_unused]] const int ignored = ::fchown(fd, existing->st_uid, existing->st_gid);
    }
    const mode_t mode = existing != nullptr ? (existing->st_mode & 07777) : NewFileMode();
    if (::fchmod(fd, mode) != 0)
        failed = "fchmod", err = errno;
    else if (!WriteAll(fd, text))
        failed = "write", err = errno;
    else if (::fsync(fd) != 0)
        failed = "fsync", err = errno;
    // Between this close and the rename the lock is gone, but the file was written
    // just now: too new for RemoveStaleTemporaries to touch.
    if (::close(fd) != 0 && failed == nullptr)
        failed = "close", err = errno;
    if (failed == nullptr && ::rename(temp.c_str(), target.c_str()) != 0)
        failed = "rename", err = errno;
    if (failed != nullptr) {
        ::unlink(temp.c_str());
        return ReplaceFailure{failed, err};
    }
    return std::nullopt;
}

} // namespace pexa
