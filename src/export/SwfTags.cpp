#include "export/SwfTags.h"

#include "platform/TranslatedSentence.h"

#include <lzma.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace quorvane::swf {

namespace {

constexpr std::size_t kHeaderBytes = 8;
// Decompressed output grows by this much at a time, so a header's stated
// length is never what is allocated up front.
constexpr std::size_t kOutputStep = 256u << 10;

tl::unexpected<Failure> CutShort() {
    return Fail(FailureCode::Damaged, Sentence(QCoreApplication::translate(
                                          "quorvane::Outcomes", "the Flash movie is cut short")));
}

tl::unexpected<Failure> CompressedDamaged() {
    return Fail(FailureCode::Damaged,
                Sentence(QCoreApplication::translate(
                    "quorvane::Outcomes", "the Flash movie's compressed data is damaged")));
}

std::uint32_t LittleEndian32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// zlib after the header (CWS). Output stops at the stated length; a stream
// that ends sooner leaves a shorter body, which the tag reader then judges.
Result<std::vector<std::uint8_t>> Inflate(std::span<const std::uint8_t> in, std::size_t wanted) {
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        return CompressedDamaged();
    std::vector<std::uint8_t> out;
    stream.next_in = const_cast<Bytef*>(in.data());
    stream.avail_in = static_cast<uInt>(in.size());
    int status = Z_OK;
    while (out.size() < wanted && status == Z_OK) {
        const std::size_t before = out.size();
        out.resize(std::min(wanted, before + kOutputStep));
        stream.next_out = out.data() + before;
        stream.avail_out = static_cast<uInt>(out.size() - before);
        status = inflate(&stream, Z_NO_FLUSH);
        out.resize(out.size() - stream.avail_out);
        if (status == Z_BUF_ERROR && stream.avail_in == 0)
            break; // the input ran out before the stated length
        if (status == Z_BUF_ERROR)
            status = Z_OK;
    }
    inflateEnd(&stream);
    if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR)
        return CompressedDamaged();
    return out;
}

// LZMA as Flash stores it (ZWS): after the header, the compressed length
// (4 bytes), the 5 bytes of LZMA1 properties, then raw LZMA1 data with no
// length of its own.
Result<std::vector<std::uint8_t>> Unlzma(std::span<const std::uint8_t> in, std::size_t wanted) {
    if (in.size() < 9)
        return CutShort();
    lzma_filter filters[2] = {{LZMA_FILTER_LZMA1, nullptr}, {LZMA_VLI_UNKNOWN, nullptr}};
    if (lzma_properties_decode(&filters[0], nullptr, in.data() + 4, 5) != LZMA_OK)
        return CompressedDamaged();
    auto* options = static_cast<lzma_options_lzma*>(filters[0].options);
    // The properties may ask for a dictionary of up to 4 GiB; none larger
    // than the output is ever used.
    options->dict_size = std::clamp<std::uint32_t>(static_cast<std::uint32_t>(wanted),
                                                   LZMA_DICT_SIZE_MIN, options->dict_size);
    lzma_stream stream = LZMA_STREAM_INIT;
    const lzma_ret started = lzma_raw_decoder(&stream, filters);
    std::free(options);
    if (started != LZMA_OK)
        return CompressedDamaged();
    std::vector<std::uint8_t> out;
    stream.next_in = in.data() + 9;
    stream.avail_in = in.size() - 9;
    lzma_ret status = LZMA_OK;
    while (out.size() < wanted && status == LZMA_OK) {
        const std::size_t before = out.size();
        out.resize(std::min(wanted, before + kOutputStep));
        stream.next_out = out.data() + before;
        stream.avail_out = out.size() - before;
        status = lzma_code(&stream, LZMA_RUN);
        out.resize(out.size() - stream.avail_out);
        if (status == LZMA_OK && stream.avail_in == 0 && out.size() == before)
            break;
    }
    lzma_end(&stream);
    if (status != LZMA_OK && status != LZMA_STREAM_END)
        return CompressedDamaged();
    return out;
}

} // namespace

std::uint8_t FieldReader::U8() {
    if (m_position >= m_bytes.size()) {
        m_overran = true;
        return 0;
    }
    return m_bytes[m_position++];
}

std::uint16_t FieldReader::U16() {
    const std::uint16_t low = U8();
    return static_cast<std::uint16_t>(low | U8() << 8);
}

std::uint32_t FieldReader::U32() {
    const std::uint32_t low = U16();
    return low | static_cast<std::uint32_t>(U16()) << 16;
}

std::string_view FieldReader::String() {
    const auto rest = m_bytes.subspan(m_position);
    const auto zero = std::find(rest.begin(), rest.end(), std::uint8_t{0});
    if (zero == rest.end()) {
        m_overran = true;
        m_position = m_bytes.size();
        return {};
    }
    const auto length = static_cast<std::size_t>(zero - rest.begin());
    m_position += length + 1;
    return {reinterpret_cast<const char*>(rest.data()), length};
}

std::span<const std::uint8_t> FieldReader::Take(std::size_t count) {
    if (count > Left()) {
        m_overran = true;
        m_position = m_bytes.size();
        return {};
    }
    const auto part = m_bytes.subspan(m_position, count);
    m_position += count;
    return part;
}

std::span<const std::uint8_t> FieldReader::Rest() {
    const auto part = m_bytes.subspan(m_position);
    m_position = m_bytes.size();
    return part;
}

std::uint32_t BitReader::Unsigned(int bits) {
    std::uint32_t value = 0;
    for (int i = 0; i < bits; ++i) {
        const std::size_t byte = m_bit / 8;
        if (byte >= m_bytes.size()) {
            m_overran = true;
            return 0;
        }
        value = value << 1 | ((m_bytes[byte] >> (7 - m_bit % 8)) & 1u);
        ++m_bit;
    }
    return value;
}

std::int32_t BitReader::Signed(int bits) {
    const std::uint32_t value = Unsigned(bits);
    if (bits == 0 || bits >= 32)
        return static_cast<std::int32_t>(value);
    const std::uint32_t sign = 1u << (bits - 1);
    return static_cast<std::int32_t>(static_cast<std::int64_t>(value ^ sign) -
                                     static_cast<std::int64_t>(sign));
}

Result<OpenedMovie> OpenMovie(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kHeaderBytes || bytes[1] != 'W' || bytes[2] != 'S' ||
        (bytes[0] != 'F' && bytes[0] != 'C' && bytes[0] != 'Z'))
        return Fail(FailureCode::Damaged,
                    Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                         "the file is not a Flash movie")));
    OpenedMovie movie;
    movie.signature = static_cast<char>(bytes[0]);
    movie.version = bytes[3];
    const std::uint32_t stated = LittleEndian32(bytes.data() + 4);
    if (stated > kMaxMovieBytes)
        return Fail(FailureCode::TooMuchWork,
                    Sentence(QCoreApplication::translate(
                                 "quorvane::Outcomes",
                                 "the Flash movie says it holds %1 bytes, more than the %2 MiB "
                                 "this program reads"),
                             stated, kMaxMovieBytes >> 20));
    if (stated < kHeaderBytes)
        return Fail(FailureCode::Damaged,
                    Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                         "the Flash movie's header is damaged")));
    const std::size_t wanted = stated - kHeaderBytes;
    const auto rest = bytes.subspan(kHeaderBytes);
    if (movie.signature == 'F') {
        // A movie followed by other bytes is read up to its stated end.
        movie.body = rest.first(std::min(rest.size(), wanted));
        return movie;
    }
    auto decompressed = movie.signature == 'C' ? Inflate(rest, wanted) : Unlzma(rest, wanted);
    if (!decompressed)
        return tl::unexpected(decompressed.error());
    movie.storage = std::move(*decompressed);
    movie.body = movie.storage;
    return movie;
}

Result<MovieHeader> ReadMovieHeader(const OpenedMovie& movie) {
    BitReader bits(movie.body);
    const int size = static_cast<int>(bits.Unsigned(5));
    const std::int64_t xMin = bits.Signed(size), xMax = bits.Signed(size);
    const std::int64_t yMin = bits.Signed(size), yMax = bits.Signed(size);
    if (bits.Overran())
        return CutShort();
    MovieHeader header;
    const auto pixels = [](std::int64_t twips) { return (twips + 19) / 20; };
    const std::int64_t width = pixels(xMax - xMin), height = pixels(yMax - yMin);
    constexpr std::int64_t kMaxStagePixels = 1 << 16;
    if (width <= 0 || height <= 0 || width > kMaxStagePixels || height > kMaxStagePixels)
        return Fail(FailureCode::Damaged,
                    Sentence(QCoreApplication::translate(
                                 "quorvane::Outcomes",
                                 "the Flash movie's stage of %1 by %2 pixels cannot be shown"),
                             width, height));
    header.width = static_cast<int>(width);
    header.height = static_cast<int>(height);
    FieldReader fields(movie.body.subspan(bits.BytesUsed()));
    header.frameRate256 = fields.U16();
    header.frameCount = fields.U16();
    if (fields.Overran())
        return CutShort();
    header.tagsOffset = bits.BytesUsed() + fields.Position();
    return header;
}

Result<std::optional<Tag>> TagReader::Next() {
    if (m_ended || m_position == m_tags.size())
        return std::nullopt;
    FieldReader fields(m_tags.subspan(m_position));
    const std::uint16_t codeAndLength = fields.U16();
    std::uint32_t length = codeAndLength & 0x3fu;
    if (length == 0x3f)
        length = fields.U32();
    if (fields.Overran())
        return CutShort();
    Tag tag;
    tag.code = codeAndLength >> 6;
    tag.body = fields.Take(length);
    if (fields.Overran())
        return Fail(FailureCode::Damaged,
                    Sentence(QCoreApplication::translate(
                                 "quorvane::Outcomes",
                                 "the Flash movie is damaged: its tag %1 runs past its end"),
                             tag.code));
    m_position += fields.Position();
    if (tag.code == kEnd) {
        m_ended = true;
        return std::nullopt;
    }
    return tag;
}

bool ActionsReachStop(std::span<const std::uint8_t> actions) {
    constexpr std::uint8_t kStop = 0x07, kReturn = 0x3e, kThrow = 0x2a;
    constexpr std::uint8_t kJump = 0x99, kIf = 0x9d, kDefineFunction = 0x9b,
                           kDefineFunction2 = 0x8e;
    FieldReader fields(actions);
    while (fields.Left() > 0) {
        const std::uint8_t code = fields.U8();
        if (code == 0)
            return false;
        if (code == kStop)
            return true;
        if (code == kReturn || code == kThrow)
            return false;
        if (code < 0x80)
            continue;
        const auto payload = fields.Take(fields.U16());
        if (fields.Overran() || code == kJump || code == kIf)
            return false;
        if (code == kDefineFunction || code == kDefineFunction2) {
            // The body follows the record; its size is the record's last
            // field.
            if (payload.size() < 2)
                return false;
            const std::size_t body = payload[payload.size() - 2] |
                                     static_cast<std::size_t>(payload[payload.size() - 1]) << 8;
            fields.Take(body);
            if (fields.Overran())
                return false;
        }
    }
    return false;
}

} // namespace quorvane::swf
