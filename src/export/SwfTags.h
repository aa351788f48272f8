#pragma once

#include "platform/Result.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

// The parts of a Flash movie (as Adobe documents the SWF file format) that
// the movie's facts and its sound track are read from: the header, the root
// timeline's tags and the little-endian fields and bit fields inside them.
// Shared by SwfMovie and MovieSound; not a public interface of the library.
namespace quorvane::swf {

// A movie states its whole length in its header; no movie this program reads
// is larger, compressed or not.
inline constexpr std::uint32_t kMaxMovieBytes = 64u << 20;

enum TagCode : int {
    kEnd = 0,
    kShowFrame = 1,
    kPlaceObject = 4,
    kRemoveObject = 5,
    kDoAction = 12,
    kDefineSound = 14,
    kStartSound = 15,
    kSoundStreamHead = 18,
    kSoundStreamBlock = 19,
    kPlaceObject2 = 26,
    kRemoveObject2 = 28,
    kDefineSprite = 39,
    kSoundStreamHead2 = 45,
    kExportAssets = 56,
    kFileAttributes = 69,
    kPlaceObject3 = 70,
    kSymbolClass = 76,
    kStartSound2 = 89,
};

// Reads little-endian fields; past the end it reads zeros and remembers it.
class FieldReader {
public:
    explicit FieldReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::uint8_t U8();
    std::uint16_t U16();
    std::uint32_t U32();
    std::int16_t S16() { return static_cast<std::int16_t>(U16()); }
    // A string ended by a zero byte (its bytes, without the zero).
    std::string_view String();
    std::span<const std::uint8_t> Take(std::size_t count);
    std::span<const std::uint8_t> Rest();

    bool Overran() const { return m_overran; }
    std::size_t Position() const { return m_position; }
    std::size_t Left() const { return m_bytes.size() - m_position; }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_position = 0;
    bool m_overran = false;
};

// Bit fields, most significant bit first, as RECT and MATRIX pack them.
class BitReader {
public:
    explicit BitReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::uint32_t Unsigned(int bits);
    std::int32_t Signed(int bits);
    // Bytes used so far, the last one counted whole.
    std::size_t BytesUsed() const { return (m_bit + 7) / 8; }
    bool Overran() const { return m_overran; }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_bit = 0;
    bool m_overran = false;
};

struct Tag {
    int code = 0;
    std::span<const std::uint8_t> body;
};

// A movie opened: its version and the bytes after the 8-byte header,
// decompressed when they were stored compressed.
struct OpenedMovie {
    int version = 0;
    char signature = 'F'; // F, C (zlib) or Z (LZMA)
    std::vector<std::uint8_t> storage;
    std::span<const std::uint8_t> body;

    OpenedMovie() = default;
    OpenedMovie(OpenedMovie&&) = default;
    OpenedMovie& operator=(OpenedMovie&&) = default;
    OpenedMovie(const OpenedMovie&) = delete;
    OpenedMovie& operator=(const OpenedMovie&) = delete;
};

Result<OpenedMovie> OpenMovie(std::span<const std::uint8_t> bytes);

// The header's fields after the signature and length.
struct MovieHeader {
    int width = 0, height = 0; // pixels: twips / 20, rounded up
    int frameRate256 = 0;
    int frameCount = 0;
    std::size_t tagsOffset = 0; // into OpenedMovie::body
};
// Damaged when cut short or when the stage has no size or is larger than
// any screen.
Result<MovieHeader> ReadMovieHeader(const OpenedMovie& movie);

// The tags of one timeline, in order. A DefineSprite is one tag like any
// other: its own timeline is never entered. Ends (nullopt) at the End tag or
// at the end of the bytes; a tag running past the end is Damaged.
class TagReader {
public:
    explicit TagReader(std::span<const std::uint8_t> tags) : m_tags(tags) {}
    Result<std::optional<Tag>> Next();

private:
    std::span<const std::uint8_t> m_tags;
    std::size_t m_position = 0;
    bool m_ended = false;
};

// Whether a DoAction's actions reach ActionStop before anything that could
// branch away (a jump, a condition, a return); function bodies are stepped
// over, not run.
bool ActionsReachStop(std::span<const std::uint8_t> actions);

} // namespace quorvane::swf
