#pragma once

#include <mspack.h>

#include <cstdint>
#include <string>

namespace quorvane::extract {

// The file layer libmspack reads cabinets and writes members through.
// Cabinets are opened by path, and only when they are regular files: a FIFO
// or a device named as a cabinet (or as a later part of one) must not leave
// the tool waiting for ever. A member is never opened by name at all: the
// caller hands over a descriptor it created safely, and libmspack's "open for
// writing" gets that descriptor whatever name it asks for.
//
// Two limits hold in the write path, whatever the cabinet says: a member
// cannot grow past its declared size (the size the free-space check
// counted), and the members together cannot pass the run's cap.
class FdSystem {
public:
    FdSystem();
    FdSystem(const FdSystem&) = delete;
    FdSystem& operator=(const FdSystem&) = delete;

    mspack_system* Get() { return &m_raw.system; }

    void SetOutput(int fd, std::uint64_t limit);
    void ClearOutput();
    std::uint64_t OutputWritten() const { return m_written; }
    bool OutputOverflowed() const { return m_overflowed; }
    // The errno of a write to the output that failed (a full disk, an I/O
    // error); 0 when none did since SetOutput.
    int OutputError() const { return m_outputError; }

    // The most all members of the run may write together.
    void SetRunLimit(std::uint64_t limit) { m_runLimit = limit; }
    std::uint64_t RunWritten() const { return m_runWritten; }
    // True once a write was refused because it would pass the run's cap.
    bool RunLimitReached() const { return m_runLimitReached; }

    // Why the last cabinet open failed, for the message; empty when it did
    // not get as far as looking at the file.
    const std::string& OpenError() const { return m_openError; }

    // What an mspack_file handed out by this class points to.
    struct File;

private:
    struct Raw {
        mspack_system system; // first, so the pointer libmspack hands back finds the owner
        FdSystem* owner;
    };

    static mspack_file* Open(mspack_system* self, const char* filename, int mode);
    static void Close(mspack_file* file);
    static int Read(mspack_file* file, void* buffer, int bytes);
    static int Write(mspack_file* file, void* buffer, int bytes);
    static int Seek(mspack_file* file, off_t offset, int mode);
    static off_t Tell(mspack_file* file);
    static void Message(mspack_file* file, const char* format, ...);
    static void* Alloc(mspack_system* self, size_t bytes);
    static void Free(void* pointer);
    static void Copy(void* source, void* destination, size_t bytes);

    Raw m_raw{};
    int m_outputFd = -1;
    std::uint64_t m_limit = 0;
    std::uint64_t m_written = 0;
    bool m_overflowed = false;
    int m_outputError = 0;
    bool m_outputOpen = false;
    std::uint64_t m_runLimit = 0;
    std::uint64_t m_runWritten = 0;
    bool m_runLimitReached = false;
    std::string m_openError;
};

} // namespace quorvane::extract
