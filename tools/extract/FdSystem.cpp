#include "FdSystem.h"

#include "InputFile.h"
#include "Utf8.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include <fcntl.h>
#include <unistd.h>

namespace quorvane::extract {

struct FdSystem::File {
    int fd = -1;
    bool output = false;
    FdSystem* owner = nullptr;
};

namespace {

FdSystem::File* AsFile(mspack_file* file) {
    return reinterpret_cast<FdSystem::File*>(file);
}

} // namespace

FdSystem::FdSystem() {
    m_raw.system.open = &FdSystem::Open;
    m_raw.system.close = &FdSystem::Close;
    m_raw.system.read = &FdSystem::Read;
    m_raw.system.write = &FdSystem::Write;
    m_raw.system.seek = &FdSystem::Seek;
    m_raw.system.tell = &FdSystem::Tell;
    m_raw.system.message = &FdSystem::Message;
    m_raw.system.alloc = &FdSystem::Alloc;
    m_raw.system.free = &FdSystem::Free;
    m_raw.system.copy = &FdSystem::Copy;
    m_raw.system.null_ptr = nullptr;
    m_raw.owner = this;
}

void FdSystem::SetOutput(int fd, std::uint64_t limit) {
    m_outputFd = fd;
    m_limit = limit;
    m_written = 0;
    m_overflowed = false;
    m_outputError = 0;
    m_outputOpen = false;
}

void FdSystem::ClearOutput() {
    m_outputFd = -1;
    m_outputOpen = false;
}

mspack_file* FdSystem::Open(mspack_system* self, const char* filename, int mode) {
    // libmspack keeps a copy of this table for its decompressors, but only
    // ever opens files through the table it was created with, which is ours.
    FdSystem* owner = reinterpret_cast<Raw*>(self)->owner;
    auto* file = new (std::nothrow) File;
    if (file == nullptr) {
        return nullptr;
    }
    file->owner = owner;
    if (mode == MSPACK_SYS_OPEN_READ) {
        // libmspack opens the cabinet again for each folder it expands, and
        // each open is checked: the name may have changed in between.
        owner->m_openError.clear();
        file->fd = tools::OpenRegularFile(filename == nullptr ? "" : filename, "cabinet",
                                          owner->m_openError);
        if (file->fd < 0) {
            delete file;
            return nullptr;
        }
        return reinterpret_cast<mspack_file*>(file);
    }
    if (mode == MSPACK_SYS_OPEN_WRITE && owner->m_outputFd >= 0 && !owner->m_outputOpen) {
        owner->m_outputOpen = true;
        file->fd = owner->m_outputFd;
        file->output = true;
        return reinterpret_cast<mspack_file*>(file);
    }
    delete file;
    return nullptr;
}

void FdSystem::Close(mspack_file* handle) {
    File* file = AsFile(handle);
    if (file == nullptr) {
        return;
    }
    if (file->output) {
        // The descriptor belongs to the caller, who still has to stamp and
        // rename the file.
        file->owner->m_outputOpen = false;
    } else if (file->fd >= 0) {
        ::close(file->fd);
    }
    delete file;
}

int FdSystem::Read(mspack_file* handle, void* buffer, int bytes) {
    File* file = AsFile(handle);
    if (file == nullptr || bytes < 0 || file->output) {
        return -1;
    }
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    const auto wanted = static_cast<std::size_t>(bytes);
    while (done < wanted) {
        const ssize_t got = ::read(file->fd, out + done, wanted - done);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return -1;
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return static_cast<int>(done);
}

int FdSystem::Write(mspack_file* handle, void* buffer, int bytes) {
    File* file = AsFile(handle);
    if (file == nullptr || bytes < 0 || !file->output) {
        return -1;
    }
    FdSystem* owner = file->owner;
    const auto wanted = static_cast<std::uint64_t>(bytes);
    // Counted on what is really written, not on what the cabinet declares:
    // the declared sizes were checked against the cap before the run, and
    // this holds even if they lie. Neither count ever passes its limit, so
    // the differences cannot wrap.
    if (wanted > owner->m_runLimit - owner->m_runWritten) {
        owner->m_runLimitReached = true;
        return -1;
    }
    if (wanted > owner->m_limit - owner->m_written) {
        owner->m_overflowed = true;
        return -1;
    }
    const auto* in = static_cast<const char*>(buffer);
    std::size_t done = 0;
    while (done < wanted) {
        const ssize_t put = ::write(file->fd, in + done, static_cast<std::size_t>(wanted) - done);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            owner->m_outputError = errno;
            return -1;
        }
        done += static_cast<std::size_t>(put);
    }
    owner->m_written += done;
    owner->m_runWritten += done;
    return bytes;
}

int FdSystem::Seek(mspack_file* handle, off_t offset, int mode) {
    File* file = AsFile(handle);
    if (file == nullptr || file->output) {
        return -1;
    }
    int whence = SEEK_SET;
    switch (mode) {
    case MSPACK_SYS_SEEK_START:
        whence = SEEK_SET;
        break;
    case MSPACK_SYS_SEEK_CUR:
        whence = SEEK_CUR;
        break;
    case MSPACK_SYS_SEEK_END:
        whence = SEEK_END;
        break;
    default:
        return -1;
    }
    return ::lseek(file->fd, offset, whence) == static_cast<off_t>(-1) ? -1 : 0;
}

off_t FdSystem::Tell(mspack_file* handle) {
    File* file = AsFile(handle);
    if (file == nullptr) {
        return -1;
    }
    return ::lseek(file->fd, 0, SEEK_CUR);
}

void FdSystem::Message(mspack_file*, const char* format, ...) {
    // The handle may be one of libmspack's own objects in disguise, so it is
    // never looked into. The text may quote names from the cabinet, so it
    // goes out through Printable like every other name.
    char text[1024];
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    if (length < 0) {
        return;
    }
    std::fprintf(stderr, "extract: %s\n", tools::Printable(text).c_str());
}

void* FdSystem::Alloc(mspack_system*, size_t bytes) {
    return std::malloc(bytes);
}

void FdSystem::Free(void* pointer) {
    std::free(pointer);
}

void FdSystem::Copy(void* source, void* destination, size_t bytes) {
    std::memmove(destination, source, bytes);
}

} // namespace quorvane::extract
