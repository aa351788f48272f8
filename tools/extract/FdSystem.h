#pragma once

#include <mspack.h>

#include <cstdint>

namespace quorvane::extract {

// The file layer libmspack reads cabinets and writes members through.
// Cabinets are opened by path; a member is never opened by name at all: the
// caller hands over a descriptor it created safely, and libmspack's "open for
// writing" gets that descriptor whatever name it asks for. Writes past the
// member's declared size are refused, so a damaged cabinet cannot make a
// member longer than the size the free-space check counted.
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
    bool m_outputOpen = false;
};

} // namespace quorvane::extract
