#include "InputFile.h"

#include "Utf8.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane::tools {

const char* FileKind(mode_t mode) {
    switch (mode & S_IFMT) {
    case S_IFREG:
        return "a regular file";
    case S_IFDIR:
        return "a folder";
    case S_IFIFO:
        return "a FIFO";
    case S_IFSOCK:
        return "a socket";
    case S_IFCHR:
        return "a character device";
    case S_IFBLK:
        return "a block device";
    case S_IFLNK:
        return "a symbolic link";
    default:
        return "of an unknown kind";
    }
}

std::string NotRegularFile(const std::string& path, const char* what, mode_t mode) {
    std::string text = what;
    text += ' ';
    text += Quoted(path);
    text += " is not a regular file (";
    text += FileKind(mode);
    text += ')';
    return text;
}

namespace {

std::string CannotOpen(const std::string& path, const char* what, int error) {
    std::string text = "cannot open ";
    text += what;
    text += ' ';
    text += Quoted(path);
    text += ": ";
    text += std::strerror(error);
    return text;
}

} // namespace

int OpenRegularFile(const std::string& path, const char* what, std::string& error) {
    // Looked at first, so that a device is never even opened: opening some
    // of them has effects of its own.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        error = CannotOpen(path, what, errno);
        return -1;
    }
    if (!S_ISREG(info.st_mode)) {
        error = NotRegularFile(path, what, info.st_mode);
        return -1;
    }
    // The name may have been replaced since; what was opened is what counts.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int reason = errno;
        // A socket cannot be opened at all (ENXIO); say what it is.
        if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
            error = NotRegularFile(path, what, info.st_mode);
        } else {
            error = CannotOpen(path, what, reason);
        }
        return -1;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int reason = errno;
        ::close(fd);
        error = S_ISREG(info.st_mode) ? CannotOpen(path, what, reason)
                                      : NotRegularFile(path, what, info.st_mode);
        return -1;
    }
    return fd;
}

} // namespace quorvane::tools
