#include "SafeFolder.h"

#include "Utf8.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane::extract {

std::optional<SafeFolder> SafeFolder::OpenDestination(const std::string& path, std::string& error) {
    if (path.empty()) {
        error = "empty destination folder";
        return std::nullopt;
    }
    // mkdir -p: each prefix that ends before a slash, then the whole path.
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string prefix = path.substr(0, slash);
        if (::mkdir(prefix.c_str(), 0777) != 0 && errno != EEXIST) {
            error = "cannot create folder \"" + tools::Printable(prefix) +
                    "\": " + std::strerror(errno);
            return std::nullopt;
        }
    }
    if (::mkdir(path.c_str(), 0777) != 0 && errno != EEXIST) {
        error = "cannot create folder \"" + tools::Printable(path) + "\": " + std::strerror(errno);
        return std::nullopt;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot open folder \"" + tools::Printable(path) + "\": " + std::strerror(errno);
        return std::nullopt;
    }
    return SafeFolder(fd);
}

SafeFolder::SafeFolder(SafeFolder&& other) noexcept : m_fd(other.m_fd) {
    other.m_fd = -1;
}

SafeFolder& SafeFolder::operator=(SafeFolder&& other) noexcept {
    if (this != &other) {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        m_fd = other.m_fd;
        other.m_fd = -1;
    }
    return *this;
}

SafeFolder::~SafeFolder() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

std::optional<SafeFolder> SafeFolder::Descend(const std::vector<std::string>& parts,
                                              std::size_t count, std::string& error) const {
    const int start = ::dup(m_fd);
    if (start < 0) {
        error = std::string("cannot open folder: ") + std::strerror(errno);
        return std::nullopt;
    }
    SafeFolder current(start);
    for (std::size_t i = 0; i < count && i < parts.size(); ++i) {
        const char* name = parts[i].c_str();
        if (::mkdirat(current.m_fd, name, 0777) != 0 && errno != EEXIST) {
            error = "cannot create folder \"" + tools::Printable(parts[i]) +
                    "\": " + std::strerror(errno);
            return std::nullopt;
        }
        const int next =
            ::openat(current.m_fd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (next < 0) {
            const int reason = errno;
            error = tools::Quoted(parts[i]) + " ";
            // With O_DIRECTORY the kernel reports a link as ENOTDIR, so look.
            struct stat info {};
            const bool isLink = ::fstatat(current.m_fd, name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
                                S_ISLNK(info.st_mode);
            if (isLink || reason == ELOOP) {
                error += "is a symbolic link, which is never followed";
            } else if (reason == ENOTDIR) {
                error += "exists and is not a folder";
            } else {
                error += std::string("cannot be opened: ") + std::strerror(reason);
            }
            return std::nullopt;
        }
        current = SafeFolder(next);
    }
    return current;
}

} // namespace quorvane::extract
