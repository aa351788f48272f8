#include "platform/FileIo.h"

#include "platform/Paths.h"
#include "platform/TranslatedSentence.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <random>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#include <utility>
#include <vector>

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
        if (written == 0) {
            errno = ENOSPC; // no progress: the disk is full or the device gone
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

bool ReadAll(int fd, std::string& out, std::size_t limit) {
    char buffer[65536];
    while (out.size() < limit) {
        const ssize_t got = ::read(fd, buffer, std::min(sizeof buffer, limit - out.size()));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (got == 0)
            return true;
        out.append(buffer, static_cast<std::size_t>(got));
    }
    return true;
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

Failure NotRegularFileFailure(mode_t mode) {
    if (S_ISDIR(mode))
        return {0, Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                        "it is a folder, not a regular file"))};
    if (S_ISFIFO(mode))
        return {0, Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                        "it is a FIFO, not a regular file"))};
    if (S_ISSOCK(mode))
        return {0, Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                        "it is a socket, not a regular file"))};
    if (S_ISLNK(mode))
        return {0, Sentence(QCoreApplication::translate(
                       "quorvane::Outcomes", "it is a symbolic link, not a regular file"))};
    return {0, Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                    "it is a device, not a regular file"))};
}

namespace {

// What the system refused with error; a name that does not exist says so in
// the program's words.
tl::unexpected<Failure> FailToRead(int error) {
    if (error == ENOENT)
        return Fail(
            Sentence(QCoreApplication::translate("quorvane::Outcomes", "it does not exist")),
            error);
    return Fail(SystemFailure(error));
}

tl::unexpected<Failure> FailTooLarge() {
    return Fail(Sentence(QCoreApplication::translate(
        "quorvane::Outcomes", "it is larger than any file Messenger keeps")));
}

// The common end of both readers: fd was opened with O_NONBLOCK.
Result<std::string> ReadOpened(int rawFd, std::size_t maxBytes) {
    if (rawFd < 0)
        return FailToRead(errno);
    Descriptor fd(rawFd);
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0)
        return FailToRead(errno);
    if (!S_ISREG(info.st_mode))
        return Fail(NotRegularFileFailure(info.st_mode));
    if (static_cast<std::uint64_t>(info.st_size) > maxBytes)
        return FailTooLarge();
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    // A file that grows while it is read is cut at the bound.
    if (!ReadAll(fd.Get(), bytes, maxBytes + 1))
        return FailToRead(errno);
    if (bytes.size() > maxBytes)
        return FailTooLarge();
    return bytes;
}

} // namespace

Result<std::string> ReadRegularFile(const std::string& path, std::size_t maxBytes) {
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a
    // writer that may never come. It changes nothing for a regular file.
    return ReadOpened(OpenRetrying(path.c_str(), O_RDONLY | O_NONBLOCK), maxBytes);
}

std::string ErrorText(int error) {
    return std::strerror(error);
}

Failure SystemFailure(int error) {
    return Failure{error, ErrorText(error)};
}

namespace {

// The failure the system reported last, for "return FailWithErrno();".
tl::unexpected<Failure> FailWithErrno() {
    return Fail(SystemFailure(errno));
}

} // namespace

Result<> WriteFileAtomically(const std::string& path, std::string_view bytes) {
    if (path.empty())
        return Fail(SystemFailure(ENOENT));

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
            return FailWithErrno();
    }
    if (rawFd < 0)
        return Fail(SystemFailure(EEXIST));
    Descriptor fd(rawFd);

    // A file being replaced keeps its permissions (a user who made the
    // settings private wants them to stay private).
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        ::fchmod(fd.Get(), existing.st_mode & 07777);

    const bool written = WriteAll(fd.Get(), bytes) && ::fsync(fd.Get()) == 0;
    int error = written ? 0 : errno;
    if (!fd.Close() && error == 0)
        error = errno;
    if (error == 0 && ::rename(tempPath.c_str(), path.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(tempPath.c_str());
        return Fail(SystemFailure(error));
    }

    // The new name is only durable once the folder itself is on disk; the
    // file is already in place, so a failure here is not worth reporting.
    Descriptor folder(OpenRetrying(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY));
    if (folder.IsOpen())
        ::fsync(folder.Get());
    return {};
}

Result<> WriteWholeFile(const std::string& path, std::string_view bytes) {
    Descriptor fd(OpenRetrying(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666));
    if (!fd.IsOpen())
        return FailWithErrno();
    if (!WriteAll(fd.Get(), bytes)) {
        const int error = errno;
        fd.Close();
        return Fail(SystemFailure(error));
    }
    if (!fd.Close())
        return FailWithErrno();
    return {};
}

Result<std::string> CanonicalPath(const std::string& path) {
    const std::string absolute = AbsolutePath(path);
    // The parts below the longest existing one, nearest first.
    std::vector<std::string> missing;
    std::string existing = absolute;
    struct stat info {};
    while (::lstat(existing.c_str(), &info) != 0) {
        if (errno != ENOENT || existing == "/" || existing.empty())
            return FailWithErrno();
        missing.push_back(BaseName(existing));
        existing = ParentFolder(existing);
    }
    std::unique_ptr<char, void (*)(void*)> resolved(::realpath(existing.c_str(), nullptr),
                                                    &std::free);
    if (!resolved)
        return FailWithErrno();
    std::string canonical = resolved.get();
    for (auto part = missing.rbegin(); part != missing.rend(); ++part) {
        if (part->empty() || *part == ".")
            continue;
        if (*part == "..")
            canonical = ParentFolder(canonical);
        else
            canonical = JoinPath(canonical, *part);
    }
    return canonical;
}

bool IsWithinFolder(std::string_view path, std::string_view folder) {
    if (!path.starts_with(folder))
        return false;
    return path.size() == folder.size() || folder.ends_with('/') || path[folder.size()] == '/';
}

Result<> MakeFolders(const std::string& path) {
    if (path.empty())
        return Fail(SystemFailure(ENOENT));
    if (IsDirectory(path))
        return {};

    // Each prefix ending just before a "/" is a folder to make, then the
    // whole path. Existing parts are fine; whether the last one ends up a
    // folder is checked at the end, which also covers a racing creator.
    std::size_t end = 0;
    for (;;) {
        end = path.find('/', end + 1);
        const std::string part = path.substr(0, end);
        if (!part.empty() && part.back() != '/') {
            if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST)
                return FailWithErrno();
        }
        if (end == std::string::npos)
            break;
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return FailWithErrno();
    if (!S_ISDIR(info.st_mode))
        return Fail(SystemFailure(EEXIST)); // something else has the name
    return {};
}

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

OpenFolder::~OpenFolder() {
    if (m_fd >= 0)
        ::close(m_fd);
}

OpenFolder::OpenFolder(OpenFolder&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_path(std::move(other.m_path)) {}

OpenFolder& OpenFolder::operator=(OpenFolder&& other) noexcept {
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
        m_path = std::move(other.m_path);
    }
    return *this;
}

Result<> OpenFolder::Open(const std::string& path, bool followLink) {
    const int fd =
        OpenRetrying(path.c_str(), O_RDONLY | O_DIRECTORY | (followLink ? 0 : O_NOFOLLOW));
    if (fd < 0) {
        const int error = errno;
        struct stat info {};
        // With O_DIRECTORY the kernel reports a link as "not a folder".
        if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode))
            return Fail(Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                             "it is a symbolic link")),
                        error);
        return Fail(SystemFailure(error));
    }
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
    m_path = path;
    return {};
}

std::string OpenFolder::PathOf(std::string_view name) const {
    std::string path = m_path;
    if (!path.empty() && path.back() != '/')
        path.push_back('/');
    return path.append(name);
}

Result<> OpenFolder::WriteNewFile(const std::string& name, std::string_view bytes, mode_t mode,
                                  bool durable) const {
    int raw;
    do {
        raw = ::openat(m_fd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                       mode);
    } while (raw < 0 && errno == EINTR);
    if (raw < 0)
        return FailWithErrno();
    class Descriptor fd(raw);
    bool written = WriteAll(fd.Get(), bytes) && (!durable || ::fsync(fd.Get()) == 0);
    int error = errno;
    if (!fd.Close() && written) {
        written = false;
        error = errno;
    }
    if (!written) {
        ::unlinkat(m_fd, name.c_str(), 0);
        return Fail(SystemFailure(error));
    }
    return {};
}

Result<> OpenFolder::Rename(const std::string& from, const std::string& to) const {
    if (::renameat(m_fd, from.c_str(), m_fd, to.c_str()) != 0)
        return FailWithErrno();
    return {};
}

Result<> OpenFolder::RenameNew(const std::string& from, const std::string& to) const {
    if (::renameat2(m_fd, from.c_str(), m_fd, to.c_str(), RENAME_NOREPLACE) == 0)
        return {};
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return FailWithErrno();
    // File systems without the flag (FAT on a memory stick, some network
    // shares): a link fails when the name is taken, as the flag would.
    if (::linkat(m_fd, from.c_str(), m_fd, to.c_str(), 0) == 0) {
        ::unlinkat(m_fd, from.c_str(), 0);
        return {};
    }
    if (errno == EEXIST)
        return FailWithErrno();
    // No links either: look, then rename; only a writer racing in between
    // could still be replaced.
    struct stat info {};
    if (::fstatat(m_fd, to.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0)
        return Fail(SystemFailure(EEXIST));
    return Rename(from, to);
}

bool OpenFolder::HoldsRegularFile(const std::string& name) const {
    struct stat info {};
    return ::fstatat(m_fd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode);
}

bool OpenFolder::HoldsEntry(const std::string& name) const {
    struct stat info {};
    return ::fstatat(m_fd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 || errno != ENOENT;
}

Result<> OpenFolder::Remove(const std::string& name) const {
    if (::unlinkat(m_fd, name.c_str(), 0) != 0)
        return FailWithErrno();
    return {};
}

Result<std::string> OpenFolder::ReadFile(const std::string& name, std::size_t maxBytes) const {
    int fd;
    do {
        fd = ::openat(m_fd, name.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0 && errno == ELOOP)
        return Fail(NotRegularFileFailure(S_IFLNK));
    return ReadOpened(fd, maxBytes);
}

Result<std::string> OpenFolder::WriteTemporaryFile(std::string_view bytes, mode_t mode,
                                                   bool durable) const {
    Failure failure = SystemFailure(EEXIST);
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::string name = TemporaryFileName();
        Result<> written = WriteNewFile(name, bytes, mode, durable);
        if (written)
            return name;
        failure = std::move(written.error());
        if (failure.osError != EEXIST)
            break;
    }
    return Fail(std::move(failure));
}

Result<> OpenFolder::ReplaceFile(const std::string& name, std::string_view bytes) const {
    // A file being replaced keeps its permissions (a user who made the
    // settings private wants them to stay private); a link's target is not
    // looked at.
    mode_t mode = 0666;
    struct stat existing {};
    if (::fstatat(m_fd, name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(existing.st_mode))
        mode = existing.st_mode & 07777;
    Result<std::string> temporary = WriteTemporaryFile(bytes, mode, true);
    if (!temporary)
        return Fail(std::move(temporary.error()));
    if (Result<> renamed = Rename(*temporary, name); !renamed) {
        Remove(*temporary);
        return renamed;
    }
    // The new name is durable only once the folder is on disk; the file is
    // already in place, so a failure here is not worth reporting.
    ::fsync(m_fd);
    return {};
}

namespace {

constexpr std::string_view kTemporaryPrefix = ".quorvane-";
constexpr std::string_view kTemporarySuffix = ".part";
constexpr std::size_t kTemporaryRandomLength = 6;
// The cabinet tool writes "." + its output's name + "." + eight letters or
// digits + ".tmp" beside the output, and renames it over the output.
constexpr std::size_t kToolRandomLength = 8;
constexpr std::string_view kToolSuffix = ".tmp";

bool IsAsciiAlnum(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Takes count letters or digits off the front of text.
bool TakeRandomPart(std::string_view& text, std::size_t count) {
    if (text.size() < count)
        return false;
    for (std::size_t i = 0; i < count; ++i)
        if (!IsAsciiAlnum(text[i]))
            return false;
    text.remove_prefix(count);
    return true;
}

// The process id in a name that is exactly one of our temporary files
// (".quorvane-<pid>-<6 letters or digits>.part") or the cabinet tool's
// temporary file beside one; 0 for any other name, however alike. A user's
// own ".quorvane-1-notes.part.txt" is not ours.
long TemporaryFileOwner(std::string_view name) {
    bool tool = false;
    if (name.starts_with(".") && name.substr(1).starts_with(kTemporaryPrefix)) {
        tool = true;
        name.remove_prefix(1);
    }
    if (!name.starts_with(kTemporaryPrefix))
        return 0;
    name.remove_prefix(kTemporaryPrefix.size());
    long pid = 0;
    std::size_t digits = 0;
    for (; digits < name.size() && name[digits] >= '0' && name[digits] <= '9'; ++digits) {
        if (digits >= 9)
            return 0;
        pid = pid * 10 + (name[digits] - '0');
    }
    name.remove_prefix(digits);
    if (pid <= 0 || !name.starts_with("-"))
        return 0;
    name.remove_prefix(1);
    if (!TakeRandomPart(name, kTemporaryRandomLength) || !name.starts_with(kTemporarySuffix))
        return 0;
    name.remove_prefix(kTemporarySuffix.size());
    if (tool) {
        if (!name.starts_with("."))
            return 0;
        name.remove_prefix(1);
        if (!TakeRandomPart(name, kToolRandomLength) || name != kToolSuffix)
            return 0;
        return pid;
    }
    return name.empty() ? pid : 0;
}

} // namespace

std::string TemporaryFileName() {
    static thread_local std::mt19937_64 generator(std::random_device{}());
    return std::string(kTemporaryPrefix) + std::to_string(::getpid()) + "-" +
           UniqueSuffix(generator) + std::string(kTemporarySuffix);
}

namespace {

// The names in a folder held open, read through a descriptor of its own:
// a dup() would share the held one's position, and a second listing through
// it would start where the first ended and see nothing.
std::vector<std::string> NamesIn(const OpenFolder& folder) {
    std::vector<std::string> names;
    const int ownFd = ::openat(folder.Descriptor(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (ownFd < 0)
        return names;
    DIR* dir = ::fdopendir(ownFd);
    if (dir == nullptr) {
        ::close(ownFd);
        return names;
    }
    while (const dirent* entry = ::readdir(dir))
        names.emplace_back(entry->d_name);
    ::closedir(dir);
    return names;
}

} // namespace

void RemoveToolLeftovers(const OpenFolder& folder, std::string_view temporary) {
    std::string prefix = ".";
    prefix.append(temporary).push_back('.');
    for (const std::string& name : NamesIn(folder))
        if (name.starts_with(prefix) && name.ends_with(".tmp"))
            folder.Remove(name);
}

void SweepTemporaryFiles(const OpenFolder& folder) {
    std::vector<std::string> stale;
    for (const std::string& name : NamesIn(folder)) {
        const long pid = TemporaryFileOwner(name);
        // Only the leftovers of a process that is gone: another Quorvane may
        // be writing into the same folder right now.
        if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            stale.push_back(name);
    }
    for (const std::string& name : stale)
        folder.Remove(name);
}

} // namespace quorvane
