#include "platform/ScratchFolder.h"

#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/PrivateFolder.h"
#include "platform/SystemFolders.h"
#include "platform/TranslatedSentence.h"

#include <QCryptographicHash>

#include <cerrno>
#include <chrono>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quorvane {

namespace {

int OpenLocked(const std::string& path) {
    return ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

} // namespace

std::string ScratchName(std::string_view text) {
    const QByteArray digest =
        QCryptographicHash::hash(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())),
                                 QCryptographicHash::Sha256);
    return digest.first(16).toHex().toStdString();
}

Result<std::unique_ptr<ScratchFolder>> ScratchFolder::Make(const std::string& parent,
                                                           std::string_view prefix) {
    // Made under a hidden name that sweeps pass over, locked, and only then
    // given its name: another run's sweep can never take it in between.
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::string hidden = JoinPath(parent, "." + std::string(prefix) + "XXXXXX");
        if (::mkdtemp(hidden.data()) == nullptr) {
            const int error = errno;
            return Fail(
                Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                     "no scratch folder can be made in %1: %2"),
                         parent, ErrorText(error)),
                error);
        }
        const int fd = OpenLocked(hidden);
        if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            Failure failure{error, Sentence(QCoreApplication::translate(
                                                "quorvane::Outcomes",
                                                "the scratch folder %1 cannot be held: %2"),
                                            hidden, ErrorText(error))};
            if (fd >= 0)
                ::close(fd);
            SystemFolders::DeleteTree(hidden);
            return Fail(std::move(failure));
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
        if (error != EEXIST && error != ENOTEMPTY)
            return Fail(
                Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                     "the scratch folder %1 cannot be made: %2"),
                         path, ErrorText(error)),
                error);
    }
    return Fail(Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                     "no free name for a scratch folder in %1"),
                         parent),
                EEXIST);
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

} // namespace quorvane
