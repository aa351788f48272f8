#include "platform/FileLock.h"

#include "platform/CancelFlag.h"
#include "platform/FileIo.h"
#include "platform/TranslatedSentence.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace quorvane {

Result<std::unique_ptr<FileLock>>
FileLock::Acquire(const std::string& path, unsigned waitMilliseconds, const CancelFlag* cancel) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        const int error = errno;
        return Fail(Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                         "the lock file %1 cannot be opened: %2"),
                             path, ErrorText(error)),
                    error);
    }
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMilliseconds);
    Failure failure;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return std::unique_ptr<FileLock>(new FileLock(fd));
        if (errno != EWOULDBLOCK && errno != EINTR) {
            const int error = errno;
            failure = Failure{
                error, Sentence(QCoreApplication::translate(
                                    "quorvane::Outcomes", "the lock file %1 cannot be locked: %2"),
                                path, ErrorText(error))};
            break;
        }
        if (IsCancelled(cancel)) {
            failure = SystemFailure(ECANCELED);
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            failure = SystemFailure(EWOULDBLOCK);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ::close(fd);
    return Fail(std::move(failure));
}

FileLock::Outcome FileLock::OutcomeOf(const Failure& failure) {
    switch (failure.osError) {
    case EWOULDBLOCK:
        return Outcome::Busy;
    case ECANCELED:
        return Outcome::Cancelled;
    default:
        return Outcome::Failed;
    }
}

FileLock::Outcome FileLock::OutcomeOf(const Result<std::unique_ptr<FileLock>>& lock) {
    return lock ? Outcome::Acquired : OutcomeOf(lock.error());
}

FileLock::~FileLock() {
    ::close(m_fd);
}

} // namespace quorvane
