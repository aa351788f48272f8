#include "SafeFolder.h"

#include "Utf8.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane::extract {

namespace {

bool IsLink(int folderFd, const char* name) {
    struct stat info {};
    return ::fstatat(folderFd, name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(info.st_mode);
}

// Opens one folder below another, never through a link.
int OpenBelow(int folderFd, const char* name) {
    return ::openat(folderFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

} // namespace

std::optional<SafeFolder> SafeFolder::OpenDestination(const std::string& given,
                                                      CreatedByRun& created, std::string& error) {
    // "dest/" would make the kernel resolve a link named dest whatever the
    // flags say; the slash adds nothing else.
    std::string path = given;
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    if (path.empty()) {
        error = "empty destination folder";
        return std::nullopt;
    }
    // mkdir -p: each prefix that ends before a slash, then the whole path.
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string prefix = path.substr(0, slash);
        if (::mkdir(prefix.c_str(), 0777) == 0) {
            created.OuterFolder(prefix);
        } else if (errno != EEXIST) {
            error = "cannot create folder " + tools::Quoted(prefix) + ": " + std::strerror(errno);
            return std::nullopt;
        }
    }
    if (::mkdir(path.c_str(), 0777) == 0) {
        created.OuterFolder(path);
    } else if (errno != EEXIST) {
        error = "cannot create folder " + tools::Quoted(path) + ": " + std::strerror(errno);
        return std::nullopt;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        const int reason = errno;
        if (IsLink(AT_FDCWD, path.c_str()) || reason == ELOOP) {
            error = "destination " + tools::Quoted(path) +
                    " is a symbolic link, which is never followed (name the folder it leads "
                    "to instead)";
        } else if (reason == ENOTDIR) {
            error = "destination " + tools::Quoted(path) + " exists and is not a folder";
        } else {
            error = "cannot open folder " + tools::Quoted(path) + ": " + std::strerror(reason);
        }
        return std::nullopt;
    }
    return SafeFolder(fd);
}

bool CreatedByRun::Remove(int destinationFd) const {
    bool removed = true;
    for (auto entry = m_inner.rbegin(); entry != m_inner.rend(); ++entry) {
        int folder = ::dup(destinationFd);
        for (std::size_t i = 0; folder >= 0 && i + 1 < entry->parts.size(); ++i) {
            const int next = OpenBelow(folder, entry->parts[i].c_str());
            ::close(folder);
            folder = next;
        }
        if (folder < 0 || ::unlinkat(folder, entry->parts.back().c_str(),
                                     entry->folder ? AT_REMOVEDIR : 0) != 0) {
            removed = false;
        }
        if (folder >= 0) {
            ::close(folder);
        }
    }
    for (auto path = m_outer.rbegin(); path != m_outer.rend(); ++path) {
        if (::rmdir(path->c_str()) != 0) {
            removed = false;
        }
    }
    return removed;
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
                                              std::size_t count, CreatedByRun& created,
                                              std::string& error) const {
    const int start = ::dup(m_fd);
    if (start < 0) {
        error = std::string("cannot open folder: ") + std::strerror(errno);
        return std::nullopt;
    }
    SafeFolder current(start);
    for (std::size_t i = 0; i < count && i < parts.size(); ++i) {
        const char* name = parts[i].c_str();
        if (::mkdirat(current.m_fd, name, 0777) == 0) {
            created.Inner({parts.begin(), parts.begin() + static_cast<std::ptrdiff_t>(i + 1)},
                          true);
        } else if (errno != EEXIST) {
            error = "cannot create folder " + tools::Quoted(parts[i]) + ": " + std::strerror(errno);
            return std::nullopt;
        }
        const int next = OpenBelow(current.m_fd, name);
        if (next < 0) {
            const int reason = errno;
            error = tools::Quoted(parts[i]) + " ";
            // With O_DIRECTORY the kernel reports a link as ENOTDIR, so look.
            if (IsLink(current.m_fd, name) || reason == ELOOP) {
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
