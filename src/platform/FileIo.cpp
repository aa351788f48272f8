#include "platform/FileIo.h"

#include <cerrno>
#include <cstddef>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace quorvane {

namespace {

// Owns one descriptor so every early return closes it.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int Get() const { return m_fd; }
    bool IsOpen() const { return m_fd >= 0; }
    // Closes now and reports whether the kernel accepted the close: on some
    // file systems a failed write only shows up here.
    bool Close() {
        const int fd = m_fd;
        m_fd = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd;
};

int OpenRetrying(const char* path, int flags, mode_t mode = 0) {
    int fd;
    do {
        fd = ::open(path, flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool WriteAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0)
            return false; // no progress: the disk is full or the device gone
        done += static_cast<std::size_t>(written);
    }
    return true;
}

bool ReadAll(int fd, std::string& out) {
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (got == 0)
            return true;
        out.append(buffer, static_cast<std::size_t>(got));
    }
}

// Six letters or digits, as mkstemp uses; the temporary file is opened with
// O_EXCL so a clash is simply retried with another name.
std::string UniqueSuffix(std::mt19937_64& generator) {
    static constexpr char kAlphabet[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 2);
    std::string suffix(6, 'x');
    for (char& c : suffix)
        c = kAlphabet[pick(generator)];
    return suffix;
}

// The folder holding path, for the fsync that makes the rename durable.
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

} // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
    Descriptor fd(OpenRetrying(path.c_str(), O_RDONLY));
    if (!fd.IsOpen())
        return std::nullopt;
    std::string bytes;
    struct stat info {};
    if (::fstat(fd.Get(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
        bytes.reserve(static_cast<std::size_t>(info.st_size));
    if (!ReadAll(fd.Get(), bytes))
        return std::nullopt;
    return bytes;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
    if (path.empty())
        return false;

    // mkstemp would create the file with mode 0600; opening a unique name
    // ourselves with 0666 lets the umask decide, as for any other file the
    // program writes.
    std::random_device seed;
    std::mt19937_64 generator((static_cast<std::uint64_t>(seed()) << 32) ^ seed() ^
                              static_cast<std::uint64_t>(::getpid()));
    std::string tempPath;
    int rawFd = -1;
    for (int attempt = 0; attempt < 100 && rawFd < 0; ++attempt) {
        tempPath = path + ".tmp" + UniqueSuffix(generator);
        rawFd = OpenRetrying(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
        if (rawFd < 0 && errno != EEXIST)
            return false;
    }
    if (rawFd < 0)
        return false;
    Descriptor fd(rawFd);

    // A file being replaced keeps its permissions (a user who made the
    // settings private wants them to stay private).
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        ::fchmod(fd.Get(), existing.st_mode & 07777);

    const bool written = WriteAll(fd.Get(), bytes) && ::fsync(fd.Get()) == 0;
    if (!fd.Close() || !written || ::rename(tempPath.c_str(), path.c_str()) != 0) {
        ::unlink(tempPath.c_str());
        return false;
    }

    // The new name is only durable once the folder itself is on disk; the
    // file is already in place, so a failure here is not worth reporting.
    Descriptor folder(OpenRetrying(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY));
    if (folder.IsOpen())
        ::fsync(folder.Get());
    return true;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
    Descriptor fd(OpenRetrying(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666));
    if (!fd.IsOpen())
        return false;
    const bool written = WriteAll(fd.Get(), bytes);
    return fd.Close() && written;
}

bool MakeFolders(const std::string& path) {
    if (path.empty())
        return false;
    if (IsDirectory(path))
        return true;

    // Each prefix ending just before a "/" is a folder to make, then the
    // whole path. Existing parts are fine; whether the last one ends up a
    // folder is checked at the end, which also covers a racing creator.
    std::size_t end = 0;
    for (;;) {
        end = path.find('/', end + 1);
        const std::string part = path.substr(0, end);
        if (!part.empty() && part.back() != '/') {
            if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST)
                return false;
        }
        if (end == std::string::npos)
            break;
    }
    return IsDirectory(path);
}

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace quorvane
