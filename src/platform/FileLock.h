#pragma once

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
    // file is created when missing, never through a link.
    static std::unique_ptr<FileLock> Acquire(const std::string& path, unsigned waitMilliseconds,
                                             Outcome& outcome, std::string& reason,
                                             const CancelFlag* cancel = nullptr);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    explicit FileLock(int fd) : m_fd(fd) {}
    int m_fd;
};

} // namespace quorvane
