#pragma once

#include "platform/Result.h"

#include <memory>
#include <string>

namespace quorvane {

class CancelFlag;

// An advisory lock (flock) on a file, held for the life of the object. One
// List or backup at a time per account: a second Quorvane, window or command
// line, waits for the first a little and then gives up.
class FileLock {
public:
    // Cancelled: the cancel flag was set while waiting.
    enum class Outcome { Acquired, Busy, Failed, Cancelled };

    // Waits up to waitMilliseconds for the lock, or until cancel is set. The
    // file is created when missing, never through a link. A lock another
    // holds fails with EWOULDBLOCK, a cancelled wait with ECANCELED (see
    // OutcomeOf); when the system refuses, the sentence names the file.
    static Result<std::unique_ptr<FileLock>>
    Acquire(const std::string& path, unsigned waitMilliseconds, const CancelFlag* cancel = nullptr);
    // Which way Acquire failed.
    static Outcome OutcomeOf(const Failure& failure);
    // Acquired, or which way it failed.
    static Outcome OutcomeOf(const Result<std::unique_ptr<FileLock>>& lock);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    explicit FileLock(int fd) : m_fd(fd) {}
    int m_fd;
};

} // namespace quorvane
