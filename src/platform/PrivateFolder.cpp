#include "platform/PrivateFolder.h"

#include "platform/CancelFlag.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/Sentence.h"
#include "platform/SystemFolders.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <openssl/evp.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace quorvane {

namespace {

// One level: made with mode 0700 when missing, else checked.
bool EnsureOneLevel(const std::string& path, std::string& reason) {
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        const int error = errno;
        reason = Sentence(
            QCoreApplication::translate("quorvane::Outcomes", "the folder %1 cannot be made: %2"),
            path, ErrorText(error));
        return false;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno; // before lstat changes it
        struct stat link {};
        if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
            reason = Sentence(
                QCoreApplication::translate("quorvane::Outcomes",
                                            "the folder %1 is a symbolic link; Quorvane keeps its "
                                            "private files only in a real folder"),
                path);
        else
            reason = Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                          "the folder %1 cannot be opened: %2"),
                              path, ErrorText(error));
        return false;
    }
    struct stat info {};
    bool usable = ::fstat(fd, &info) == 0;
    if (!usable) {
        const int error = errno;
        reason = Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                      "the folder %1 cannot be examined: %2"),
                          path, ErrorText(error));
    } else if (info.st_uid != ::geteuid()) {
        usable = false;
        reason = Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                      "the folder %1 belongs to another user"),
                          path);
    } else if ((info.st_mode & 077) != 0 && ::fchmod(fd, 0700) != 0) {
        usable = false;
        const int error = errno;
        reason = Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                      "the folder %1 cannot be made private: %2"),
                          path, ErrorText(error));
    }
    ::close(fd);
    return usable;
}

int OpenLocked(const std::string& path) {
    return ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

} // namespace

std::string ScratchName(std::string_view text) {
    unsigned char digest[EVP_MAX_MD_SIZE] = {};
    unsigned int length = 0;
    EVP_Digest(text.data(), text.size(), digest, &length, EVP_sha256(), nullptr);
    static constexpr char kHex[] = "0123456789abcdef";
    std::string name;
    for (unsigned int i = 0; i < 16 && i < length; ++i) {
        name.push_back(kHex[digest[i] >> 4]);
        name.push_back(kHex[digest[i] & 0xF]);
    }
    return name;
}

std::string PrivateFolderPath() {
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache != nullptr && *cache == '/')
        return JoinPath(cache, "quorvane");
    const std::string home = HomeFolder();
    return JoinPath(JoinPath(home.empty() ? std::string("/") : home, ".cache"), "quorvane");
}

bool EnsurePrivateFolder(const std::string& path, std::string& reason) {
    const std::string parent = ParentFolder(path);
    if (!parent.empty() && !IsDirectory(parent)) {
        // The cache folder itself is the user's; made private as XDG asks.
        std::string part;
        for (std::size_t end = 1; end != std::string::npos;) {
            end = parent.find('/', end + 1);
            part = parent.substr(0, end);
            if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
                const int error = errno;
                reason = Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                              "the folder %1 cannot be made: %2"),
                                  part, ErrorText(error));
                return false;
            }
        }
    }
    return EnsureOneLevel(path, reason);
}

std::string EnsurePrivateSubfolder(const std::string& root, std::string_view relative,
                                   std::string& reason) {
    std::string path = root;
    while (!relative.empty()) {
        const std::size_t slash = relative.find('/');
        const std::string_view part = relative.substr(0, slash);
        relative =
            slash == std::string_view::npos ? std::string_view() : relative.substr(slash + 1);
        if (part.empty())
            continue;
        path = JoinPath(path, part);
        if (!EnsureOneLevel(path, reason))
            return {};
    }
    return path;
}

std::unique_ptr<ScratchFolder> ScratchFolder::Make(const std::string& parent,
                                                   std::string_view prefix, std::string& reason) {
    // Made under a hidden name that sweeps pass over, locked, and only then
    // given its name: another run's sweep can never take it in between.
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::string hidden = JoinPath(parent, "." + std::string(prefix) + "XXXXXX");
        if (::mkdtemp(hidden.data()) == nullptr) {
            const int error = errno;
            reason = Sentence(QCoreApplication::translate(
                                  "quorvane::Outcomes", "no scratch folder can be made in %1: %2"),
                              parent, ErrorText(error));
            return nullptr;
        }
        const int fd = OpenLocked(hidden);
        if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            reason = Sentence(QCoreApplication::translate(
                                  "quorvane::Outcomes", "the scratch folder %1 cannot be held: %2"),
                              hidden, ErrorText(error));
            if (fd >= 0)
                ::close(fd);
            SystemFolders::DeleteTree(hidden);
            return nullptr;
        }
        const std::string path =
            JoinPath(parent, std::string(prefix) + hidden.substr(hidden.size() - 6));
        int renamed =
            ::renameat2(AT_FDCWD, hidden.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE);
        if (renamed != 0 && (errno == EINVAL || errno == ENOSYS))
            renamed = ::rename(hidden.c_str(), path.c_str());
        if (renamed == 0)
            return std::unique_ptr<ScratchFolder>(new ScratchFolder(fd, path));
        const int error = errno;
        ::close(fd);
        SystemFolders::DeleteTree(hidden);
        if (error != EEXIST && error != ENOTEMPTY) {
            reason = Sentence(QCoreApplication::translate(
                                  "quorvane::Outcomes", "the scratch folder %1 cannot be made: %2"),
                              path, ErrorText(error));
            return nullptr;
        }
    }
    reason = Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                  "no free name for a scratch folder in %1"),
                      parent);
    return nullptr;
}

ScratchFolder::ScratchFolder(int fd, std::string path) : m_fd(fd), m_path(std::move(path)) {}

ScratchFolder::~ScratchFolder() {
    SystemFolders::DeleteTree(m_path);
    ::close(m_fd);
}

void SweepStaleScratch(const std::string& parent, std::string_view prefix) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(parent.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            std::string_view name = entry->d_name;
            // Hidden ones too: a run killed while making its folder leaves
            // one under its hidden name.
            const std::string_view visible = name.starts_with(".") ? name.substr(1) : name;
            if (visible.starts_with(prefix) && visible.size() == prefix.size() + 6)
                names.emplace_back(name);
        }
        ::closedir(dir);
    }
    const auto now = std::chrono::system_clock::now();
    for (const std::string& name : names) {
        const std::string path = JoinPath(parent, name);
        const int fd = OpenLocked(path);
        if (fd < 0) {
            ::unlink(path.c_str()); // a link or a file where a folder belongs
            continue;
        }
        // A hidden one is unlocked for the moment between its making and
        // its locking; one that is older than that is a killed run's.
        struct stat info {};
        const bool young =
            name.starts_with(".") &&
            (::fstat(fd, &info) != 0 ||
             now - std::chrono::system_clock::from_time_t(info.st_mtime) < std::chrono::minutes(1));
        // A folder still locked belongs to a Quorvane that is running.
        if (!young && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            SystemFolders::DeleteTree(path);
        ::close(fd);
    }
}

std::unique_ptr<FileLock> FileLock::Acquire(const std::string& path, unsigned waitMilliseconds,
                                            Outcome& outcome, std::string& reason,
                                            const CancelFlag* cancel) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        outcome = Outcome::Failed;
        const int error = errno;
        reason = Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                      "the lock file %1 cannot be opened: %2"),
                          path, ErrorText(error));
        return nullptr;
    }
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMilliseconds);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            outcome = Outcome::Acquired;
            return std::unique_ptr<FileLock>(new FileLock(fd));
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            outcome = Outcome::Failed;
            const int error = errno;
            reason = Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                          "the lock file %1 cannot be locked: %2"),
                              path, ErrorText(error));
            break;
        }
        if (IsCancelled(cancel)) {
            outcome = Outcome::Cancelled;
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            outcome = Outcome::Busy;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ::close(fd);
    return nullptr;
}

FileLock::~FileLock() {
    ::close(m_fd);
}

} // namespace quorvane
