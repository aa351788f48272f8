#pragma once

#include "export/NewFile.h"
#include "platform/Result.h"

#include <memory>
#include <optional>
#include <string>

struct AVIOContext;

namespace quorvane {

// FFmpeg's text for one of its error codes.
std::string AvErrorText(int error);

// Lets a muxer write into a NewFile (so the file is created exclusively, as
// FFmpeg's own file protocol would not) and seek in it, for the sizes and
// indexes written at the end. A write the system refused is kept, so the
// user reads the disk's reason rather than the muxer's "I/O error".
class AvFileOutput {
public:
    explicit AvFileOutput(std::unique_ptr<NewFile> file);
    ~AvFileOutput();
    AvFileOutput(const AvFileOutput&) = delete;
    AvFileOutput& operator=(const AvFileOutput&) = delete;

    // Null when no memory was left for it.
    AVIOContext* Context() const { return m_context; }
    const std::optional<Failure>& WriteFailure() const { return m_writeFailure; }
    // Flushes what the muxer left buffered and closes the file.
    Result<> Close();
    void Keep() { m_file->Keep(); }

private:
    static int WritePacket(void* opaque, std::uint8_t* bytes, int size);
    static std::int64_t SeekTo(void* opaque, std::int64_t offset, int whence);

    std::unique_ptr<NewFile> m_file;
    AVIOContext* m_context = nullptr;
    std::optional<Failure> m_writeFailure;
};

} // namespace quorvane
