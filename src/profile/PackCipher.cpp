#include "profile/PackCipher.h"

#include "platform/FileIo.h"
#include "platform/TranslatedSentence.h"

#include <QCoreApplication>

#include <cerrno>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace quorvane {

namespace {

// The fixed key of the transform, used as unsigned bytes without a
// terminator.
constexpr std::string_view kCipherKey = "#~!$=58Q tw4]";

std::array<std::uint8_t, kPackSealBlockSize> MakeKeystream() {
    std::array<std::uint8_t, 256> state{};
    for (std::size_t i = 0; i < state.size(); ++i)
        state[i] = static_cast<std::uint8_t>(i);
    std::size_t j = 0;
    for (std::size_t i = 0; i < state.size(); ++i) {
        j = (j + state[i] + static_cast<std::uint8_t>(kCipherKey[i % kCipherKey.size()])) & 0xFF;
        std::swap(state[i], state[j]);
    }
    std::array<std::uint8_t, kPackSealBlockSize> stream{};
    std::size_t a = 0;
    std::size_t b = 0;
    for (auto& byte : stream) {
        a = (a + 1) & 0xFF;
        b = (b + state[a]) & 0xFF;
        std::swap(state[a], state[b]);
        byte = state[(state[a] + state[b]) & 0xFF];
    }
    return stream;
}

// Every block meets the same keystream, so a file is worked through in
// chunks of many whole blocks.
constexpr std::size_t kChunkSize = 1024 * kPackSealBlockSize; // 128 KiB

// Fails with errno set; a file cut short while it is worked on reads as an
// input/output error.
bool ReadFully(int fd, std::uint8_t* data, std::size_t size, off_t offset) {
    while (size > 0) {
        ssize_t got = pread(fd, data, size, offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got == 0)
            errno = EIO;
        if (got <= 0)
            return false;
        data += got;
        size -= static_cast<std::size_t>(got);
        offset += got;
    }
    return true;
}

// Fails with errno set; no progress means the disk is full.
bool WriteFully(int fd, const std::uint8_t* data, std::size_t size, off_t offset) {
    while (size > 0) {
        ssize_t put = pwrite(fd, data, size, offset);
        if (put < 0 && errno == EINTR)
            continue;
        if (put == 0)
            errno = ENOSPC;
        if (put <= 0)
            return false;
        data += put;
        size -= static_cast<std::size_t>(put);
        offset += put;
    }
    return true;
}

} // namespace

const std::array<std::uint8_t, kPackSealBlockSize>& PackSealKeystream() {
    static const auto keystream = MakeKeystream();
    return keystream;
}

void SealPackBytes(std::span<std::uint8_t> bytes) {
    const auto& keystream = PackSealKeystream();
    const std::size_t whole = bytes.size() / kPackSealBlockSize * kPackSealBlockSize;
    for (std::size_t i = 0; i < whole; i += kPackSealBlockSize)
        for (std::size_t k = 0; k < kPackSealBlockSize; ++k)
            bytes[i + k] ^= keystream[k];
}

Result<> SealPackFile(const std::string& path) {
    // Never through a link, and never waiting on a FIFO planted at the name.
    const int fd = open(path.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        return Fail(error == ELOOP ? NotRegularFileFailure(S_IFLNK) : SystemFailure(error));
    }
    struct stat info {};
    Failure failure;
    if (fstat(fd, &info) != 0)
        failure = SystemFailure(errno);
    else if (!S_ISREG(info.st_mode))
        failure = NotRegularFileFailure(info.st_mode);
    else if ((info.st_mode & S_IWUSR) == 0)
        // A file marked read-only stays untouched, whoever runs the program
        // (on Windows even an administrator cannot open it for writing).
        failure = SystemFailure(EACCES);
    if (!failure.sentence.empty()) {
        close(fd);
        return Fail(std::move(failure));
    }
    posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);

    // Every block meets the same keystream, so the file is worked through in
    // large chunks of whole blocks; the bytes after the last whole block stay.
    const auto transformed =
        static_cast<std::uint64_t>(info.st_size) / kPackSealBlockSize * kPackSealBlockSize;
    std::vector<std::uint8_t> chunk(kChunkSize);
    int error = 0;
    for (std::uint64_t offset = 0; offset < transformed;) {
        const auto size =
            static_cast<std::size_t>(std::min<std::uint64_t>(kChunkSize, transformed - offset));
        if (!ReadFully(fd, chunk.data(), size, static_cast<off_t>(offset))) {
            error = errno;
            break;
        }
        SealPackBytes(std::span(chunk.data(), size));
        if (!WriteFully(fd, chunk.data(), size, static_cast<off_t>(offset))) {
            error = errno;
            break;
        }
        offset += size;
    }
    // On some file systems a failed write only shows up at the close.
    if (close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0)
        return Fail(SystemFailure(error));
    return {};
}

Result<> WriteUnsealedCopy(const std::string& packPath, const std::string& copy,
                           std::size_t maxBytes) {
    Result<std::string> pack = ReadRegularFile(packPath, maxBytes);
    if (!pack)
        return Fail(Sentence(
            QCoreApplication::translate("quorvane::Outcomes", "the pack cannot be read: %1"),
            pack.error().sentence));
    std::string& bytes = *pack;
    // The transform is its own inverse: undone in memory, on a copy.
    SealPackBytes(std::span(reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size()));
    if (bytes.compare(0, 4, "MSCF") != 0)
        return Fail(Sentence(
            QCoreApplication::translate("quorvane::Outcomes", "the pack is not a sealed cabinet")));
    ::unlink(copy.c_str());
    if (Result<> written = WriteWholeFile(copy, bytes); !written)
        return Fail(
            Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                 "the unsealed copy could not be written: %1"),
                     written.error().sentence));
    return {};
}

} // namespace quorvane
