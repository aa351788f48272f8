#pragma once

#include "platform/Result.h"

#include <cstddef>
#include <memory>
#include <string>
#include <sys/types.h>

namespace quorvane {

// A file this program creates and writes as it goes. It is created
// exclusively (never over an existing entry, never through a link) and, unless
// Keep is called, removed again when the object goes, so a render that fails
// or is cancelled leaves nothing behind. Only the file it made is removed: an
// entry someone put at the name in the meantime stays.
class NewFile {
public:
    // Fails with the system's error in "%1 could not be written: %2".
    static Result<std::unique_ptr<NewFile>> Create(const std::string& path);
    ~NewFile();
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    const std::string& Path() const { return m_path; }

    Result<> Write(const void* bytes, std::size_t size);
    // Moves the write position, as lseek does; whence SEEK_END with offset 0
    // gives the size.
    Result<off_t> Seek(off_t offset, int whence);
    Result<off_t> Size() const;
    // Closes the file: a failed write can show only here.
    Result<> Close();
    // Leaves the file in place when the object goes.
    void Keep() { m_keep = true; }

    // The failure of writing this file, with the system's error.
    Failure WriteFailure(int error) const;

private:
    NewFile(std::string path, int fd, dev_t device, ino_t inode);

    std::string m_path;
    int m_fd = -1;
    dev_t m_device = 0;
    ino_t m_inode = 0;
    bool m_keep = false;
};

} // namespace quorvane
