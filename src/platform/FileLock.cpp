#include "platform/FileLock.h"

#include "platform/CancelFlag.h"
#include "platform/FileIo.h"
#include "platform/Sentence.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace quorvane {

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
