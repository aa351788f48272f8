#include "support/TestMovie.h"

#include <lzma.h>
#include <zlib.h>

#include <cmath>
#include <numbers>
#include <stdexcept>

// Written from Adobe's description of the SWF file format (version 19): the
// header with its bit-packed RECT, tags with short and long headers,
// DefineShape with one solid fill, PlaceObject2, DefineSound / StartSound,
// SoundStreamHead2 / SoundStreamBlock and DoAction.
namespace quorvane::test {

namespace {

constexpr int kShowFrame = 1, kEnd = 0, kDefineShape = 2, kSetBackgroundColor = 9, kDoAction = 12,
              kDefineSound = 14, kStartSound = 15, kSoundStreamBlock = 19, kPlaceObject2 = 26,
              kDefineSprite = 39, kSoundStreamHead2 = 45, kFileAttributes = 69;
constexpr int kToneRate = 44100;
constexpr std::uint16_t kToneSoundId = 0x4000;
constexpr std::uint16_t kToneClipId = 0x4001;

using Bytes = std::vector<std::uint8_t>;

void PutU16(Bytes& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xff));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xff));
}

void PutU32(Bytes& out, std::uint32_t value) {
    PutU16(out, value & 0xffff);
    PutU16(out, value >> 16);
}

// Bit fields, most significant bit first, padded to a whole byte at the end.
class BitWriter {
public:
    void Put(std::uint32_t value, int bits) {
        for (int i = bits - 1; i >= 0; --i) {
            if (m_used == 0)
                m_bytes.push_back(0);
            if ((value >> i) & 1u)
                m_bytes.back() |= static_cast<std::uint8_t>(0x80u >> m_used);
            m_used = (m_used + 1) % 8;
        }
    }
    void PutSigned(std::int32_t value, int bits) {
        Put(static_cast<std::uint32_t>(value) & ((bits >= 32) ? ~0u : ((1u << bits) - 1)), bits);
    }
    Bytes Take() const { return m_bytes; }

private:
    Bytes m_bytes;
    int m_used = 0;
};

// The bits a signed field needs to hold value (sign bit included).
int SignedBits(std::int32_t value) {
    int bits = 1;
    while (value >= (1 << (bits - 1)) || value < -(1 << (bits - 1)))
        ++bits;
    return bits;
}

Bytes Rect(std::int32_t width, std::int32_t height) {
    const int bits = std::max(SignedBits(width), SignedBits(height));
    BitWriter writer;
    writer.Put(static_cast<std::uint32_t>(bits), 5);
    writer.PutSigned(0, bits);
    writer.PutSigned(width, bits);
    writer.PutSigned(0, bits);
    writer.PutSigned(height, bits);
    return writer.Take();
}

void PutTag(Bytes& out, int code, const Bytes& body) {
    if (body.size() < 0x3f) {
        PutU16(out, static_cast<unsigned>(code << 6) | static_cast<unsigned>(body.size()));
    } else {
        PutU16(out, static_cast<unsigned>(code << 6) | 0x3fu);
        PutU32(out, static_cast<std::uint32_t>(body.size()));
    }
    out.insert(out.end(), body.begin(), body.end());
}

// A rectangle from (0, 0) to (width, height) twips filled with one colour,
// no outline.
Bytes SolidShape(std::uint16_t id, std::int32_t width, std::int32_t height, std::uint32_t rgb) {
    Bytes body;
    PutU16(body, id);
    const Bytes bounds = Rect(width, height);
    body.insert(body.end(), bounds.begin(), bounds.end());
    body.push_back(1);    // fill styles
    body.push_back(0x00); // solid
    body.push_back(static_cast<std::uint8_t>(rgb >> 16));
    body.push_back(static_cast<std::uint8_t>(rgb >> 8));
    body.push_back(static_cast<std::uint8_t>(rgb));
    body.push_back(0); // line styles
    BitWriter shape;
    shape.Put(1, 4); // fill bits
    shape.Put(0, 4); // line bits
    // Style change: move to (0, 0), fill style 1 on the right of the edges.
    shape.Put(0, 1); // not an edge
    shape.Put(0, 1); // new styles
    shape.Put(0, 1); // line style
    shape.Put(1, 1); // fill style 1
    shape.Put(0, 1); // fill style 0
    shape.Put(1, 1); // move to
    shape.Put(1, 5); // move bits
    shape.PutSigned(0, 1);
    shape.PutSigned(0, 1);
    shape.Put(1, 1); // fill style 1 = the first fill
    const int bits = std::max(SignedBits(width), SignedBits(height));
    // Straight edges, clockwise: right, down, left, up.
    const auto edge = [&](bool vertical, std::int32_t delta) {
        shape.Put(1, 1); // edge
        shape.Put(1, 1); // straight
        shape.Put(static_cast<std::uint32_t>(bits - 2), 4);
        shape.Put(0, 1); // not a general line
        shape.Put(vertical ? 1 : 0, 1);
        shape.PutSigned(delta, bits);
    };
    edge(false, width);
    edge(true, height);
    edge(false, -width);
    edge(true, -height);
    shape.Put(0, 6); // end of shape
    const Bytes records = shape.Take();
    body.insert(body.end(), records.begin(), records.end());
    return body;
}

Bytes Zlib(const Bytes& in) {
    uLongf size = compressBound(static_cast<uLong>(in.size()));
    Bytes out(size);
    if (compress2(out.data(), &size, in.data(), static_cast<uLong>(in.size()), 9) != Z_OK)
        throw std::runtime_error("zlib could not compress the test movie");
    out.resize(size);
    return out;
}

// ZWS keeps LZMA1's 5 property bytes but not the 8-byte length the .lzma
// format puts after them; the compressed length comes first instead.
Bytes Lzma(const Bytes& in) {
    lzma_options_lzma options{};
    if (lzma_lzma_preset(&options, 6) != 0)
        throw std::runtime_error("liblzma has no preset 6");
    lzma_stream stream = LZMA_STREAM_INIT;
    if (lzma_alone_encoder(&stream, &options) != LZMA_OK)
        throw std::runtime_error("liblzma could not start");
    Bytes alone(in.size() + in.size() / 2 + 1024);
    stream.next_in = in.data();
    stream.avail_in = in.size();
    stream.next_out = alone.data();
    stream.avail_out = alone.size();
    const lzma_ret status = lzma_code(&stream, LZMA_FINISH);
    alone.resize(alone.size() - stream.avail_out);
    lzma_end(&stream);
    if (status != LZMA_STREAM_END || alone.size() < 13)
        throw std::runtime_error("liblzma could not compress the test movie");
    Bytes out;
    PutU32(out, static_cast<std::uint32_t>(alone.size() - 13));
    out.insert(out.end(), alone.begin(), alone.begin() + 5);
    out.insert(out.end(), alone.begin() + 13, alone.end());
    return out;
}

} // namespace

std::vector<std::uint8_t> MakeTestMovie(const TestMovieRecipe& recipe) {
    const std::int32_t width = recipe.width * 20, height = recipe.height * 20;
    const int frames = static_cast<int>(recipe.frameColours.size());

    const auto toneSamples = static_cast<std::size_t>(std::lround(recipe.toneSeconds * kToneRate));
    Bytes tone;
    for (std::size_t i = 0; i < toneSamples; ++i) {
        const double value = kTestToneAmplitude * std::sin(2 * std::numbers::pi * recipe.toneHz *
                                                           static_cast<double>(i) / kToneRate);
        PutU16(tone,
               static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(value * 32767))));
    }
    // Where frame k's share of the stream starts, in samples.
    const auto streamStart = [&](long long k) {
        return static_cast<std::size_t>(k * kToneRate * 256 / recipe.frameRate256);
    };

    Bytes tags;
    if (recipe.version >= 8)
        PutTag(tags, kFileAttributes, {0, 0, 0, 0});
    PutTag(tags, kSetBackgroundColor, {0xff, 0xff, 0xff});
    const bool hasTone = recipe.toneFrame >= 0;
    if (hasTone && !recipe.streamTone) {
        Bytes sound;
        PutU16(sound, kToneSoundId);
        if (recipe.toneData.empty()) {
            sound.push_back(0x3e); // format 3, 44 kHz, 16-bit, mono
            PutU32(sound, static_cast<std::uint32_t>(toneSamples));
            sound.insert(sound.end(), tone.begin(), tone.end());
        } else {
            sound.push_back(recipe.toneFormat);
            PutU32(sound, recipe.toneSampleCount);
            sound.insert(sound.end(), recipe.toneData.begin(), recipe.toneData.end());
        }
        PutTag(tags, kDefineSound, sound);
    }
    if (hasTone && recipe.streamTone) {
        Bytes head;
        head.push_back(0x0e); // playback: 44 kHz, 16-bit, mono
        head.push_back(0x3e); // stream: format 3, 44 kHz, 16-bit, mono
        PutU16(head, static_cast<unsigned>(streamStart(1)));
        PutTag(tags, kSoundStreamHead2, head);
    }
    if (hasTone && recipe.toneInClip) {
        // Frame 0 empty, frame 1 starts the tone and stops the clip.
        Bytes clip;
        PutU16(clip, kToneClipId);
        PutU16(clip, 2);
        PutTag(clip, kShowFrame, {});
        Bytes start;
        PutU16(start, kToneSoundId);
        start.push_back(0);
        PutTag(clip, kStartSound, start);
        PutTag(clip, kDoAction, {0x07, 0x00});
        PutTag(clip, kShowFrame, {});
        PutTag(clip, kEnd, {});
        PutTag(tags, kDefineSprite, clip);
    }
    for (int frame = 0; frame < frames; ++frame) {
        const auto id = static_cast<std::uint16_t>(frame + 1);
        PutTag(tags, kDefineShape, SolidShape(id, width, height, recipe.frameColours[frame]));
        Bytes place;
        place.push_back(frame == 0 ? 0x06 : 0x07); // matrix, character (and move)
        PutU16(place, 1);                          // depth
        PutU16(place, id);
        place.push_back(0); // identity matrix
        PutTag(tags, kPlaceObject2, place);
        if (hasTone && recipe.toneInClip && frame == recipe.toneFrame) {
            Bytes clip;
            clip.push_back(0x02); // character
            PutU16(clip, 2);      // depth
            PutU16(clip, kToneClipId);
            PutTag(tags, kPlaceObject2, clip);
        } else if (hasTone && !recipe.streamTone && frame == recipe.toneFrame) {
            Bytes start;
            PutU16(start, kToneSoundId);
            if (recipe.toneSoundInfo.empty())
                start.push_back(0);
            else
                start.insert(start.end(), recipe.toneSoundInfo.begin(), recipe.toneSoundInfo.end());
            PutTag(tags, kStartSound, start);
        }
        if (hasTone && recipe.streamTone && frame >= recipe.toneFrame) {
            const std::size_t from = streamStart(frame - recipe.toneFrame);
            const std::size_t to = std::min(toneSamples, streamStart(frame - recipe.toneFrame + 1));
            if (from < to)
                PutTag(tags, kSoundStreamBlock,
                       Bytes(tone.begin() + static_cast<std::ptrdiff_t>(from * 2),
                             tone.begin() + static_cast<std::ptrdiff_t>(to * 2)));
        }
        if (frame == recipe.stopFrame)
            PutTag(tags, kDoAction, {0x07, 0x00});
        PutTag(tags, kShowFrame, {});
    }
    PutTag(tags, kEnd, {});

    Bytes body = Rect(width, height);
    PutU16(body, static_cast<unsigned>(recipe.frameRate256));
    PutU16(body, static_cast<unsigned>(frames));
    body.insert(body.end(), tags.begin(), tags.end());

    const char signature = recipe.lzma ? 'Z' : recipe.compressed ? 'C' : 'F';
    Bytes movie = {static_cast<std::uint8_t>(signature), 'W', 'S',
                   static_cast<std::uint8_t>(recipe.version)};
    PutU32(movie, static_cast<std::uint32_t>(8 + body.size()));
    const Bytes stored = recipe.lzma ? Lzma(body) : recipe.compressed ? Zlib(body) : body;
    movie.insert(movie.end(), stored.begin(), stored.end());
    return movie;
}

} // namespace quorvane::test
