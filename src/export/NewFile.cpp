#include "export/NewFile.h"

#include "platform/FileIo.h"
#include "platform/TranslatedSentence.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane {

Result<std::unique_ptr<NewFile>> NewFile::Create(const std::string& path) {
    int fd;
    do {
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        const int error = errno;
        return Fail(
            Failure{error, Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                                "%1 could not be written: %2"),
                                    path, ErrorText(error))});
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(path.c_str());
        return Fail(
            Failure{error, Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                                "%1 could not be written: %2"),
                                    path, ErrorText(error))});
    }
    return std::unique_ptr<NewFile>(new NewFile(path, fd, status.st_dev, status.st_ino));
}

NewFile::NewFile(std::string path, int fd, dev_t device, ino_t inode)
    : m_path(std::move(path)), m_fd(fd), m_device(device), m_inode(inode) {}

NewFile::~NewFile() {
    if (m_fd >= 0)
        ::close(m_fd);
    if (m_keep)
        return;
    struct stat status {};
    if (::lstat(m_path.c_str(), &status) == 0 && status.st_dev == m_device &&
        status.st_ino == m_inode)
        ::unlink(m_path.c_str());
}

Failure NewFile::WriteFailure(int error) const {
    return Failure{error, Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                               "%1 could not be written: %2"),
                                   m_path, ErrorText(error))};
}

Result<> NewFile::Write(const void* bytes, std::size_t size) {
    const auto* at = static_cast<const char*>(bytes);
    while (size > 0) {
        const ssize_t written = ::write(m_fd, at, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return Fail(WriteFailure(errno));
        }
        at += written;
        size -= static_cast<std::size_t>(written);
    }
    return {};
}

Result<off_t> NewFile::Seek(off_t offset, int whence) {
    const off_t at = ::lseek(m_fd, offset, whence);
    if (at < 0)
        return Fail(WriteFailure(errno));
    return at;
}

Result<off_t> NewFile::Size() const {
    struct stat status {};
    if (::fstat(m_fd, &status) != 0)
        return Fail(WriteFailure(errno));
    return status.st_size;
}

Result<> NewFile::Close() {
    const int fd = m_fd;
    m_fd = -1;
    if (fd >= 0 && ::close(fd) != 0)
        return Fail(WriteFailure(errno));
    return {};
}

} // namespace quorvane
