#include "platform/PrivateFolder.h"

#include "platform/CancelFlag.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/SystemFolders.h"
#include "platform/TranslatedSentence.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace quorvane {

namespace {

// One level: made with mode 0700 when missing, else checked.
Result<> EnsureOneLevel(const std::string& path) {
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        const int error = errno;
        return Fail(Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                         "the folder %1 cannot be made: %2"),
                             path, ErrorText(error)),
                    error);
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno; // before lstat changes it
        struct stat link {};
        if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
            return Fail(Sentence(QCoreApplication::translate(
                                     "quorvane::Outcomes",
                                     "the folder %1 is a symbolic link; Quorvane keeps its "
                                     "private files only in a real folder"),
                                 path),
                        error);
        return Fail(Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                         "the folder %1 cannot be opened: %2"),
                             path, ErrorText(error)),
                    error);
    }
    Result<> usable;
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        usable = Fail(Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                           "the folder %1 cannot be examined: %2"),
                               path, ErrorText(error)),
                      error);
    } else if (info.st_uid != ::geteuid()) {
        usable = Fail(Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                           "the folder %1 belongs to another user"),
                               path));
    } else if ((info.st_mode & 077) != 0 && ::fchmod(fd, 0700) != 0) {
        const int error = errno;
        usable =
            Fail(Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                      "the folder %1 cannot be made private: %2"),
                          path, ErrorText(error)),
                 error);
    }
    ::close(fd);
    return usable;
}

} // namespace

std::string PrivateFolderPath() {
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache != nullptr && *cache == '/')
        return JoinPath(cache, "quorvane");
    const std::string home = HomeFolder();
    return JoinPath(JoinPath(home.empty() ? std::string("/") : home, ".cache"), "quorvane");
}

Result<> EnsurePrivateFolder(const std::string& path) {
    const std::string parent = ParentFolder(path);
    if (!parent.empty() && !IsDirectory(parent)) {
        // The cache folder itself is the user's; made private as XDG asks.
        std::string part;
        for (std::size_t end = 1; end != std::string::npos;) {
            end = parent.find('/', end + 1);
            part = parent.substr(0, end);
            if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
                const int error = errno;
                return Fail(Sentence(QCoreApplication::translate(
                                         "quorvane::Outcomes", "the folder %1 cannot be made: %2"),
                                     part, ErrorText(error)),
                            error);
            }
        }
    }
    return EnsureOneLevel(path);
}

Result<std::string> EnsurePrivateSubfolder(const std::string& root, std::string_view relative) {
    std::string path = root;
    while (!relative.empty()) {
        const std::size_t slash = relative.find('/');
        const std::string_view part = relative.substr(0, slash);
        relative =
            slash == std::string_view::npos ? std::string_view() : relative.substr(slash + 1);
        if (part.empty())
            continue;
        path = JoinPath(path, part);
        if (Result<> level = EnsureOneLevel(path); !level)
            return Fail(std::move(level.error()));
    }
    return path;
}

} // namespace quorvane
