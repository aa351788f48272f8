#include "export/MovieSound.h"

#include "export/SwfTags.h"
#include "platform/TranslatedSentence.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/channel_layout.h>
#include <libavutil/samplefmt.h>
#include <libswresample/swresample.h>
}

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace quorvane {

namespace {

constexpr int kTrackRate = 48000;
constexpr std::int64_t kMaxTrackFrames = std::int64_t{10} * 60 * kTrackRate;
// All distinct sounds decoded, in sample frames at their own rates: as much
// as a track of the longest length holds.
constexpr std::int64_t kMaxDecodedFrames = kMaxTrackFrames;
// Sounds started in the frames heard, and the sample frames their instances
// mix in all: Flash itself plays a few dozen sounds at once at most.
constexpr std::size_t kMaxStarts = 4096;
constexpr std::int64_t kMaxMixedFrames = 16 * kMaxTrackFrames;
// In and out points and envelope positions count samples at 44.1 kHz,
// whatever the sound's own rate.
constexpr int kPointRate = 44100;

enum SoundFormatCode : int {
    kPcmNative = 0,
    kAdpcm = 1,
    kMp3 = 2,
    kPcmLittleEndian = 3,
    kNellymoser16k = 4,
    kNellymoser8k = 5,
    kNellymoser = 6,
};

struct SoundFormat {
    int code = 0;
    int rate = 0;
    bool sixteenBit = false;
    int channels = 1;
};

// The format byte of DefineSound and of a stream head's second byte.
SoundFormat FormatOf(std::uint8_t bits) {
    static constexpr int kRates[] = {5512, 11025, 22050, 44100};
    SoundFormat format;
    format.code = bits >> 4;
    format.rate = kRates[(bits >> 2) & 3];
    format.sixteenBit = (bits & 2) != 0;
    format.channels = (bits & 1) != 0 ? 2 : 1;
    if (format.code == kNellymoser16k || format.code == kNellymoser8k) {
        format.rate = format.code == kNellymoser16k ? 16000 : 8000;
        format.channels = 1;
    }
    return format;
}

bool Decodable(const SoundFormat& format) {
    return format.code >= kPcmNative && format.code <= kNellymoser;
}

// Sound at its own rate, interleaved.
struct Pcm {
    int rate = 0;
    int channels = 0;
    std::vector<float> samples;
    std::int64_t Frames() const {
        return channels == 0 ? 0 : static_cast<std::int64_t>(samples.size()) / channels;
    }
};

struct EnvelopePoint {
    std::uint32_t position44 = 0;
    float left = 1, right = 1;
};

struct SoundInfo {
    bool syncStop = false, noMultiple = false;
    bool hasIn = false, hasOut = false;
    std::uint32_t in = 0, out = 0;
    int loops = 1;
    std::vector<EnvelopePoint> envelope;
};

SoundInfo ReadSoundInfo(swf::FieldReader& fields) {
    SoundInfo info;
    const std::uint8_t flags = fields.U8();
    info.syncStop = (flags & 0x20) != 0;
    info.noMultiple = (flags & 0x10) != 0;
    info.hasIn = (flags & 0x01) != 0;
    info.hasOut = (flags & 0x02) != 0;
    if (info.hasIn)
        info.in = fields.U32();
    if (info.hasOut)
        info.out = fields.U32();
    if ((flags & 0x04) != 0)
        info.loops = std::max<int>(1, fields.U16());
    if ((flags & 0x08) != 0) {
        const int points = fields.U8();
        for (int i = 0; i < points && !fields.Overran(); ++i) {
            EnvelopePoint point;
            point.position44 = fields.U32();
            point.left = static_cast<float>(fields.U16()) / 32768.0f;
            point.right = static_cast<float>(fields.U16()) / 32768.0f;
            info.envelope.push_back(point);
        }
    }
    return info;
}

struct DefinedSound {
    SoundFormat format;
    std::span<const std::uint8_t> data;
};

struct SoundStart {
    int frame = 0;
    std::uint16_t id = 0;
    SoundInfo info;
};

struct StreamBlock {
    int frame = 0;
    std::span<const std::uint8_t> data;
};

// A movie clip's timeline, as far as its sounds go: the StartSound tags of
// its frames, and the frame whose actions stop it.
struct Clip {
    int frameCount = 0;
    int stopFrame = -1;
    std::vector<std::pair<int, swf::Tag>> starts;
};

// A movie clip on the root timeline from one frame until it is removed or
// replaced.
struct ClipPlacement {
    std::uint16_t id = 0;
    int from = 0;
    int to = 0;
};

// The sample at which a frame starts, at the given rate.
std::int64_t FrameStart(std::int64_t frame, int frameRate256, int rate) {
    const std::int64_t scaled = frame * 256 * rate;
    return (2 * scaled + frameRate256) / (2 * std::int64_t{frameRate256});
}

float SampleOf(const AVFrame& frame, AVSampleFormat format, int channel, int index) {
    const int channels = frame.ch_layout.nb_channels;
    const bool planar = av_sample_fmt_is_planar(format) != 0;
    const std::uint8_t* plane = frame.extended_data[planar ? channel : 0];
    const int at = planar ? index : index * channels + channel;
    switch (av_get_packed_sample_fmt(format)) {
    case AV_SAMPLE_FMT_U8:
        return (static_cast<float>(plane[at]) - 128.0f) / 128.0f;
    case AV_SAMPLE_FMT_S16:
        return static_cast<float>(reinterpret_cast<const std::int16_t*>(plane)[at]) / 32768.0f;
    case AV_SAMPLE_FMT_S32:
        return static_cast<float>(reinterpret_cast<const std::int32_t*>(plane)[at]) / 2147483648.0f;
    case AV_SAMPLE_FMT_FLT:
        return reinterpret_cast<const float*>(plane)[at];
    case AV_SAMPLE_FMT_DBL:
        return static_cast<float>(reinterpret_cast<const double*>(plane)[at]);
    default:
        return 0;
    }
}

// Decodes with libavcodec, dropping the first `skip` sample frames and
// keeping at most `limit`. A decoder error ends the sound where it stands:
// what was decoded before it is kept. False when the decoder is missing.
class CodecDecoder {
public:
    CodecDecoder(AVCodecID id, int rate, int channels, std::int64_t skip, std::int64_t limit)
        : m_skip(skip), m_limit(limit) {
        const AVCodec* codec = avcodec_find_decoder(id);
        if (codec == nullptr)
            return;
        m_context = avcodec_alloc_context3(codec);
        m_frame = av_frame_alloc();
        m_packet = av_packet_alloc();
        if (m_context == nullptr || m_frame == nullptr || m_packet == nullptr)
            return;
        m_context->sample_rate = rate;
        av_channel_layout_default(&m_context->ch_layout, channels);
        m_open = avcodec_open2(m_context, codec, nullptr) == 0;
        if (id == AV_CODEC_ID_MP3)
            m_parser = av_parser_init(AV_CODEC_ID_MP3);
        if (id == AV_CODEC_ID_MP3 && m_parser == nullptr)
            m_open = false;
    }
    ~CodecDecoder() {
        av_parser_close(m_parser);
        av_packet_free(&m_packet);
        av_frame_free(&m_frame);
        avcodec_free_context(&m_context);
    }
    CodecDecoder(const CodecDecoder&) = delete;
    CodecDecoder& operator=(const CodecDecoder&) = delete;

    bool Open() const { return m_open; }
    bool Full() const { return m_failed || m_pcm.Frames() >= m_limit; }

    // MP3 is split into its frames by libavcodec's parser; other data goes
    // in as one packet.
    void Feed(std::span<const std::uint8_t> data) {
        if (m_parser == nullptr) {
            Send(data);
            return;
        }
        // The parser reads a little past its input, as decoders do.
        if (data.empty() || data.size() > swf::kMaxMovieBytes)
            return;
        std::vector<std::uint8_t> padded(data.size() + AV_INPUT_BUFFER_PADDING_SIZE, 0);
        std::memcpy(padded.data(), data.data(), data.size());
        const std::uint8_t* in = padded.data();
        int left = static_cast<int>(data.size());
        while (left > 0 && !Full()) {
            std::uint8_t* out = nullptr;
            int outSize = 0;
            const int used = av_parser_parse2(m_parser, m_context, &out, &outSize, in, left,
                                              AV_NOPTS_VALUE, AV_NOPTS_VALUE, 0);
            if (used < 0)
                break;
            in += used;
            left -= used;
            if (outSize > 0)
                Send({out, static_cast<std::size_t>(outSize)});
            if (used == 0 && outSize == 0)
                break;
        }
    }

    Pcm Finish() {
        if (m_parser != nullptr && !Full()) {
            std::uint8_t* out = nullptr;
            int outSize = 0;
            av_parser_parse2(m_parser, m_context, &out, &outSize, nullptr, 0, AV_NOPTS_VALUE,
                             AV_NOPTS_VALUE, 0);
            if (outSize > 0)
                Send({out, static_cast<std::size_t>(outSize)});
        }
        if (m_open && !Full() && avcodec_send_packet(m_context, nullptr) == 0)
            Receive();
        return std::move(m_pcm);
    }

private:
    void Send(std::span<const std::uint8_t> data) {
        if (!m_open || Full() || data.empty())
            return;
        if (av_new_packet(m_packet, static_cast<int>(data.size())) != 0) {
            m_failed = true;
            return;
        }
        std::memcpy(m_packet->data, data.data(), data.size());
        const int sent = avcodec_send_packet(m_context, m_packet);
        av_packet_unref(m_packet);
        if (sent < 0 && sent != AVERROR(EAGAIN) && sent != AVERROR_INVALIDDATA) {
            m_failed = true;
            return;
        }
        Receive();
    }

    void Receive() {
        for (;;) {
            const int got = avcodec_receive_frame(m_context, m_frame);
            if (got == AVERROR(EAGAIN) || got == AVERROR_EOF)
                return;
            if (got < 0) {
                // One damaged frame (MP3's, say) does not end the sound.
                if (got == AVERROR_INVALIDDATA)
                    continue;
                m_failed = true;
                return;
            }
            Append(*m_frame);
            av_frame_unref(m_frame);
        }
    }

    void Append(const AVFrame& frame) {
        const int channels = frame.ch_layout.nb_channels;
        if (channels < 1 || channels > 2 || frame.sample_rate <= 0)
            return;
        if (m_pcm.channels == 0) {
            m_pcm.channels = channels;
            m_pcm.rate = frame.sample_rate;
        }
        // A change of layout or rate mid-sound is not followed.
        if (channels != m_pcm.channels || frame.sample_rate != m_pcm.rate)
            return;
        const auto format = static_cast<AVSampleFormat>(frame.format);
        for (int i = 0; i < frame.nb_samples && m_pcm.Frames() < m_limit; ++i) {
            if (m_skip > 0) {
                --m_skip;
                continue;
            }
            for (int c = 0; c < channels; ++c) {
                // A decoder fed damaged data may give NaN or huge values;
                // the mix must stay finite.
                const float value = SampleOf(frame, format, c, i);
                m_pcm.samples.push_back(std::isfinite(value) ? std::clamp(value, -4.0f, 4.0f)
                                                             : 0.0f);
            }
        }
    }

    AVCodecContext* m_context = nullptr;
    AVCodecParserContext* m_parser = nullptr;
    AVFrame* m_frame = nullptr;
    AVPacket* m_packet = nullptr;
    bool m_open = false;
    bool m_failed = false;
    std::int64_t m_skip = 0;
    std::int64_t m_limit = 0;
    Pcm m_pcm;
};

// Uncompressed sound: 8-bit unsigned or 16-bit signed. "Native" byte order
// is read as little endian, the order of the machines Flash ran on.
Pcm DecodeUncompressed(const SoundFormat& format, std::span<const std::uint8_t> data,
                       std::int64_t limit) {
    Pcm pcm;
    pcm.rate = format.rate;
    pcm.channels = format.channels;
    const std::size_t bytesPerFrame =
        static_cast<std::size_t>(format.channels) * (format.sixteenBit ? 2 : 1);
    const auto frames =
        std::min<std::int64_t>(limit, static_cast<std::int64_t>(data.size() / bytesPerFrame));
    pcm.samples.reserve(static_cast<std::size_t>(frames) * static_cast<std::size_t>(pcm.channels));
    const std::size_t count = static_cast<std::size_t>(frames) * pcm.channels;
    for (std::size_t i = 0; i < count; ++i) {
        if (format.sixteenBit) {
            const auto value = static_cast<std::int16_t>(data[2 * i] | data[2 * i + 1] << 8);
            pcm.samples.push_back(static_cast<float>(value) / 32768.0f);
        } else {
            pcm.samples.push_back((static_cast<float>(data[i]) - 128.0f) / 128.0f);
        }
    }
    return pcm;
}

AVCodecID CodecOf(const SoundFormat& format) {
    switch (format.code) {
    case kAdpcm:
        return AV_CODEC_ID_ADPCM_SWF;
    case kMp3:
        return AV_CODEC_ID_MP3;
    default:
        return AV_CODEC_ID_NELLYMOSER;
    }
}

// SWF's ADPCM packs 4096 samples a block after a 2-bit code size; only the
// blocks that hold the first `limit` samples are handed to the decoder.
std::span<const std::uint8_t> AdpcmPrefix(std::span<const std::uint8_t> data, int channels,
                                          std::int64_t limit) {
    if (data.empty())
        return data;
    const std::int64_t codeBits = (data[0] >> 6) + 2;
    const std::int64_t blockBits = 22 * channels + codeBits * channels * 4095;
    const std::int64_t blocks = limit / 4096 + 1;
    const std::int64_t bytes = (2 + blocks * blockBits + 7) / 8;
    return data.first(static_cast<std::size_t>(
        std::min<std::int64_t>(bytes, static_cast<std::int64_t>(data.size()))));
}

// One sound's bytes (event sound data, or one stream block's for the
// formats whose blocks stand alone) decoded; nullopt when its format is not
// read here.
std::optional<Pcm> DecodeSound(const SoundFormat& format, std::span<const std::uint8_t> data,
                               std::int64_t skip, std::int64_t limit) {
    if (!Decodable(format))
        return std::nullopt;
    if (format.code == kPcmNative || format.code == kPcmLittleEndian)
        return DecodeUncompressed(format, data, limit);
    CodecDecoder decoder(CodecOf(format), format.rate, format.channels, skip, limit);
    if (!decoder.Open())
        return std::nullopt;
    if (format.code == kAdpcm) {
        decoder.Feed(AdpcmPrefix(data, format.channels, limit + skip));
    } else if (format.code == kMp3) {
        decoder.Feed(data);
    } else {
        // Nellymoser's blocks are 64 bytes of 256 samples each.
        constexpr std::size_t kChunk = 64 * 64;
        for (std::size_t at = 0; at < data.size() && !decoder.Full(); at += kChunk)
            decoder.Feed(data.subspan(at, std::min(kChunk, data.size() - at)));
    }
    return decoder.Finish();
}

// Sound at its own rate, mono or stereo, made 48 kHz stereo.
std::vector<float> ToTrackRate(const Pcm& pcm) {
    std::vector<float> resampled;
    if (pcm.Frames() == 0)
        return resampled;
    if (pcm.rate == kTrackRate) {
        resampled = pcm.samples;
    } else {
        AVChannelLayout layout{};
        av_channel_layout_default(&layout, pcm.channels);
        SwrContext* swr = nullptr;
        if (swr_alloc_set_opts2(&swr, &layout, AV_SAMPLE_FMT_FLT, kTrackRate, &layout,
                                AV_SAMPLE_FMT_FLT, pcm.rate, 0, nullptr) != 0 ||
            swr_init(swr) < 0) {
            swr_free(&swr);
            return resampled;
        }
        const std::int64_t frames = pcm.Frames();
        const std::int64_t room = frames * kTrackRate / pcm.rate + 256;
        resampled.resize(static_cast<std::size_t>(room * pcm.channels));
        auto* out = reinterpret_cast<std::uint8_t*>(resampled.data());
        const auto* in = reinterpret_cast<const std::uint8_t*>(pcm.samples.data());
        const int made =
            swr_convert(swr, &out, static_cast<int>(room), &in, static_cast<int>(frames));
        int flushed = 0;
        if (made >= 0) {
            auto* tail = out + static_cast<std::size_t>(made) * pcm.channels * sizeof(float);
            flushed = swr_convert(swr, &tail, static_cast<int>(room - made), nullptr, 0);
        }
        swr_free(&swr);
        resampled.resize(static_cast<std::size_t>(std::max(0, made) + std::max(0, flushed)) *
                         pcm.channels);
    }
    if (pcm.channels == 1) {
        std::vector<float> stereo(resampled.size() * 2);
        for (std::size_t i = 0; i < resampled.size(); ++i)
            stereo[2 * i] = stereo[2 * i + 1] = resampled[i];
        return stereo;
    }
    return resampled;
}

float EnvelopeLevel(const std::vector<EnvelopePoint>& envelope, std::int64_t position44,
                    bool right) {
    const auto level = [right](const EnvelopePoint& p) { return right ? p.right : p.left; };
    if (envelope.empty())
        return 1;
    if (position44 <= envelope.front().position44)
        return level(envelope.front());
    for (std::size_t i = 1; i < envelope.size(); ++i) {
        const EnvelopePoint& a = envelope[i - 1];
        const EnvelopePoint& b = envelope[i];
        if (position44 < b.position44 && b.position44 > a.position44) {
            const float t = static_cast<float>(position44 - a.position44) /
                            static_cast<float>(b.position44 - a.position44);
            return level(a) + (level(b) - level(a)) * t;
        }
    }
    return level(envelope.back());
}

struct Instance {
    std::uint16_t id = 0;
    std::int64_t start = 0, end = 0; // track sample frames
    const SoundStart* started = nullptr;
};

tl::unexpected<Failure> TooMuchSound() {
    return Fail(FailureCode::TooMuchWork,
                Sentence(QCoreApplication::translate(
                             "quorvane::Outcomes",
                             "the Flash movie's sound would last more than %1 minutes"),
                         kMaxTrackFrames / kTrackRate / 60));
}

tl::unexpected<Failure> TooManyStarts() {
    return Fail(FailureCode::TooMuchWork,
                Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                     "the Flash movie starts more than %1 sounds"),
                         kMaxStarts));
}

tl::unexpected<Failure> SoundCancelled() {
    return Fail(FailureCode::Cancelled,
                Sentence(QCoreApplication::translate(
                    "quorvane::Outcomes", "making the Flash movie's sound track was cancelled")));
}

} // namespace

Result<SoundTrack> MovieSoundTrack(std::span<const std::uint8_t> bytes, const SwfMovie& movie,
                                   int frames, const CancelFlag* cancel) {
    SoundTrack track;
    track.sampleRate = kTrackRate;
    const int frameRate256 = movie.frameRate256 > 0 ? movie.frameRate256 : 12 * 256;
    frames = std::max(frames, 0);
    const std::int64_t trackFrames = FrameStart(frames, frameRate256, kTrackRate);
    if (trackFrames > kMaxTrackFrames)
        return TooMuchSound();

    auto opened = swf::OpenMovie(bytes);
    if (!opened)
        return tl::unexpected(opened.error());
    const auto header = swf::ReadMovieHeader(*opened);
    if (!header)
        return tl::unexpected(header.error());

    // The root timeline's sound tags in the frames heard.
    std::map<std::uint16_t, DefinedSound> sounds;
    std::map<std::string, std::uint16_t, std::less<>> soundNames;
    std::vector<SoundStart> starts;
    std::map<std::uint16_t, std::uint32_t> largestIn; // of each sound's starts
    std::optional<SoundFormat> streamFormat;
    int streamLatency = 0;
    std::vector<StreamBlock> blocks;
    std::map<std::uint16_t, Clip> clips;
    std::map<std::uint16_t, ClipPlacement> onStage; // by depth
    std::vector<ClipPlacement> placements;
    int frame = 0;
    // A StartSound or StartSound2 at a frame of the root timeline; false
    // when there are more starts than a track is made of.
    const auto addStart = [&](const swf::Tag& tag, int at) {
        swf::FieldReader fields(tag.body);
        SoundStart start;
        start.frame = at;
        if (tag.code == swf::kStartSound) {
            start.id = fields.U16();
        } else {
            const auto named = soundNames.find(fields.String());
            if (named == soundNames.end())
                return true;
            start.id = named->second;
        }
        start.info = ReadSoundInfo(fields);
        if (fields.Overran() || sounds.count(start.id) == 0)
            return true;
        if (starts.size() == kMaxStarts)
            return false;
        largestIn[start.id] = std::max(largestIn[start.id], start.info.in);
        starts.push_back(std::move(start));
        return true;
    };
    const auto leave = [&](std::uint16_t depth) {
        const auto placed = onStage.find(depth);
        if (placed == onStage.end())
            return;
        placed->second.to = frame;
        placements.push_back(placed->second);
        onStage.erase(placed);
    };
    const auto enter = [&](std::uint16_t depth, std::uint16_t id) {
        leave(depth);
        if (clips.count(id) != 0)
            onStage[depth] = {id, frame, frame};
    };
    swf::TagReader tags(opened->body.subspan(header->tagsOffset));
    while (frame < frames) {
        auto next = tags.Next();
        if (!next)
            return tl::unexpected(next.error());
        if (!*next)
            break;
        const swf::Tag& tag = **next;
        swf::FieldReader fields(tag.body);
        switch (tag.code) {
        case swf::kShowFrame:
            ++frame;
            break;
        case swf::kDefineSound: {
            const std::uint16_t id = fields.U16();
            DefinedSound sound;
            sound.format = FormatOf(fields.U8());
            fields.U32(); // the sample count, which the data itself decides
            sound.data = fields.Rest();
            if (!fields.Overran())
                sounds[id] = sound;
            break;
        }
        case swf::kExportAssets:
        case swf::kSymbolClass: {
            const int count = fields.U16();
            for (int i = 0; i < count && !fields.Overran(); ++i) {
                const std::uint16_t id = fields.U16();
                const std::string_view name = fields.String();
                if (!fields.Overran())
                    soundNames.insert_or_assign(std::string(name), id);
            }
            break;
        }
        case swf::kStartSound:
        case swf::kStartSound2:
            if (!addStart(tag, frame))
                return TooManyStarts();
            break;
        case swf::kDefineSprite: {
            // Definition tags cannot be inside a clip, so its sounds are the
            // movie's; clips inside clips are not followed.
            const std::uint16_t id = fields.U16();
            Clip clip;
            clip.frameCount = fields.U16();
            swf::TagReader inner(fields.Rest());
            int clipFrame = 0;
            for (auto inside = inner.Next(); inside && *inside; inside = inner.Next()) {
                const swf::Tag& clipTag = **inside;
                if (clipTag.code == swf::kShowFrame)
                    ++clipFrame;
                else if (clipTag.code == swf::kStartSound || clipTag.code == swf::kStartSound2)
                    clip.starts.emplace_back(clipFrame, clipTag);
                else if (clipTag.code == swf::kDoAction && clip.stopFrame < 0 &&
                         swf::ActionsReachStop(clipTag.body))
                    clip.stopFrame = clipFrame;
            }
            if (!fields.Overran() && !clip.starts.empty())
                clips[id] = std::move(clip);
            break;
        }
        case swf::kPlaceObject: {
            const std::uint16_t id = fields.U16();
            const std::uint16_t depth = fields.U16();
            if (!fields.Overran())
                enter(depth, id);
            break;
        }
        case swf::kPlaceObject2: {
            const std::uint8_t flags = fields.U8();
            const std::uint16_t depth = fields.U16();
            const std::uint16_t id = (flags & 0x02) != 0 ? fields.U16() : 0;
            if (!fields.Overran() && (flags & 0x02) != 0)
                enter(depth, id);
            break;
        }
        case swf::kPlaceObject3: {
            const std::uint8_t flags = fields.U8();
            const std::uint8_t more = fields.U8();
            const std::uint16_t depth = fields.U16();
            if ((more & 0x08) != 0 || ((more & 0x10) != 0 && (flags & 0x02) != 0))
                fields.String(); // the class name
            const std::uint16_t id = (flags & 0x02) != 0 ? fields.U16() : 0;
            if (!fields.Overran() && (flags & 0x02) != 0)
                enter(depth, id);
            break;
        }
        case swf::kRemoveObject:
            fields.U16();
            [[fallthrough]];
        case swf::kRemoveObject2: {
            const std::uint16_t depth = fields.U16();
            if (!fields.Overran())
                leave(depth);
            break;
        }
        case swf::kSoundStreamHead:
        case swf::kSoundStreamHead2: {
            fields.U8(); // the rate the player mixes at, not the data's
            const SoundFormat format = FormatOf(fields.U8());
            fields.U16();
            const int latency = format.code == kMp3 ? fields.S16() : 0;
            // Only the first head is followed: a movie's stream has one format.
            if (!fields.Overran() && !streamFormat) {
                streamFormat = format;
                streamLatency = std::max(0, latency);
            }
            break;
        }
        case swf::kSoundStreamBlock:
            // One block a frame, as Flash plays them.
            if (streamFormat && !tag.body.empty() &&
                (blocks.empty() || blocks.back().frame < frame))
                blocks.push_back({frame, tag.body});
            break;
        default:
            break;
        }
    }
    if (IsCancelled(cancel))
        return SoundCancelled();

    // A movie clip plays its own frames from the root frame that placed it,
    // and starts again after its last one unless its actions stopped it (a
    // clip of one frame stays on it): each of its sound starts falls on the
    // root frames where the clip shows that frame, until it leaves.
    for (auto& [depth, placed] : onStage) {
        placed.to = frames;
        placements.push_back(placed);
    }
    for (const ClipPlacement& placed : placements) {
        const Clip& clip = clips.at(placed.id);
        const int shown = std::min(placed.to, frames) - placed.from;
        for (const auto& [clipFrame, tag] : clip.starts) {
            if (clip.stopFrame >= 0 && clipFrame > clip.stopFrame)
                continue;
            const bool loops = clip.frameCount > 1 && clip.stopFrame < 0;
            for (int at = clipFrame; at < shown; at += clip.frameCount) {
                if (!addStart(tag, placed.from + at))
                    return TooManyStarts();
                if (!loops)
                    break;
            }
        }
    }
    std::stable_sort(starts.begin(), starts.end(),
                     [](const SoundStart& a, const SoundStart& b) { return a.frame < b.frame; });

    std::int64_t decodedFrames = 0;
    const auto spend = [&](const Pcm& pcm) {
        decodedFrames += pcm.Frames();
        return decodedFrames <= kMaxDecodedFrames;
    };

    // Each sound started is decoded once, no further than the track could
    // play of it.
    std::map<std::uint16_t, std::vector<float>> decoded;
    for (const SoundStart& start : starts) {
        if (decoded.count(start.id) != 0)
            continue;
        if (IsCancelled(cancel))
            return SoundCancelled();
        const DefinedSound& sound = sounds.at(start.id);
        std::int64_t skip = 0;
        std::span<const std::uint8_t> data = sound.data;
        if (sound.format.code == kMp3 && data.size() >= 2) {
            // MP3SOUNDDATA: the samples to skip (the encoder's delay), then
            // the frames.
            skip = data[0] | data[1] << 8;
            data = data.subspan(2);
        }
        const std::int64_t limit =
            (trackFrames + 1) * sound.format.rate / kTrackRate +
            std::int64_t{largestIn[start.id]} * sound.format.rate / kPointRate + 4096;
        const auto pcm = DecodeSound(sound.format, data, skip, limit);
        if (!pcm) {
            ++track.soundsSkipped;
            decoded[start.id] = {};
            continue;
        }
        if (!spend(*pcm))
            return TooMuchSound();
        decoded[start.id] = ToTrackRate(*pcm);
    }

    // Which instances play when: a SyncStop ends those of its sound playing
    // at its frame, a SyncNoMultiple start is dropped while one plays.
    std::vector<Instance> instances;
    std::int64_t mixedFrames = 0;
    for (const SoundStart& start : starts) {
        const std::int64_t at = FrameStart(start.frame, frameRate256, kTrackRate);
        const auto playing = [&](const Instance& i) {
            return i.id == start.id && i.start <= at && at < i.end;
        };
        if (start.info.syncStop) {
            for (Instance& instance : instances)
                if (playing(instance))
                    instance.end = at;
            continue;
        }
        if (start.info.noMultiple && std::any_of(instances.begin(), instances.end(), playing))
            continue;
        const std::vector<float>& sound = decoded.at(start.id);
        const auto length = static_cast<std::int64_t>(sound.size() / 2);
        const std::int64_t in =
            start.info.hasIn ? std::int64_t{start.info.in} * kTrackRate / kPointRate : 0;
        const std::int64_t out =
            start.info.hasOut
                ? std::min(length, std::int64_t{start.info.out} * kTrackRate / kPointRate)
                : length;
        if (out <= in)
            continue;
        Instance instance;
        instance.id = start.id;
        instance.start = at;
        instance.end = std::min(trackFrames, at + (out - in) * start.info.loops);
        mixedFrames += instance.end - instance.start;
        if (mixedFrames > kMaxMixedFrames)
            return TooMuchSound();
        instance.started = &start;
        instances.push_back(instance);
    }

    track.samples.assign(static_cast<std::size_t>(trackFrames) * 2, 0.0f);
    for (const Instance& instance : instances) {
        if (IsCancelled(cancel))
            return SoundCancelled();
        const SoundInfo& info = instance.started->info;
        const std::vector<float>& sound = decoded.at(instance.id);
        const auto length = static_cast<std::int64_t>(sound.size() / 2);
        const std::int64_t in = info.hasIn ? std::int64_t{info.in} * kTrackRate / kPointRate : 0;
        const std::int64_t out =
            info.hasOut ? std::min(length, std::int64_t{info.out} * kTrackRate / kPointRate)
                        : length;
        const std::int64_t segment = out - in;
        for (std::int64_t t = instance.start; t < instance.end; ++t) {
            const std::int64_t played = t - instance.start;
            const auto from = static_cast<std::size_t>(in + played % segment) * 2;
            float left = sound[from], right = sound[from + 1];
            if (!info.envelope.empty()) {
                const std::int64_t position44 = played * kPointRate / kTrackRate;
                left *= EnvelopeLevel(info.envelope, position44, false);
                right *= EnvelopeLevel(info.envelope, position44, true);
            }
            track.samples[static_cast<std::size_t>(t) * 2] += left;
            track.samples[static_cast<std::size_t>(t) * 2 + 1] += right;
        }
    }

    // Stream sound: each block's samples laid at its frame's start, at the
    // stream's own rate, then resampled as one.
    if (streamFormat && !blocks.empty()) {
        const SoundFormat& format = *streamFormat;
        if (!Decodable(format)) {
            ++track.soundsSkipped;
        } else {
            Pcm stream;
            stream.rate = format.rate;
            const std::int64_t streamFrames = FrameStart(frames, frameRate256, format.rate);
            const auto place = [&](const Pcm& part, std::int64_t from, std::int64_t count,
                                   int blockFrame) {
                if (stream.channels == 0) {
                    stream.channels = part.channels;
                    stream.rate = part.rate;
                    stream.samples.assign(
                        static_cast<std::size_t>(FrameStart(frames, frameRate256, part.rate)) *
                            part.channels,
                        0.0f);
                }
                if (part.channels != stream.channels || part.rate != stream.rate)
                    return;
                const std::int64_t at = FrameStart(blockFrame, frameRate256, stream.rate);
                const std::int64_t room = stream.Frames() - at;
                count = std::min({count, room, part.Frames() - from});
                for (std::int64_t i = 0; i < count * stream.channels; ++i)
                    stream.samples[static_cast<std::size_t>(at * stream.channels + i)] =
                        part.samples[static_cast<std::size_t>(from * stream.channels + i)];
            };
            bool skipped = false;
            if (format.code == kMp3) {
                // MP3 frames lean on the frames before them: the whole stream
                // is decoded as one, then dealt out by each block's count.
                CodecDecoder decoder(AV_CODEC_ID_MP3, format.rate, format.channels, streamLatency,
                                     streamFrames + 4096);
                std::vector<int> counts;
                for (const StreamBlock& block : blocks) {
                    swf::FieldReader fields(block.data);
                    counts.push_back(fields.U16());
                    fields.S16(); // where a seek into this block lands
                    if (decoder.Open())
                        decoder.Feed(fields.Rest());
                }
                if (!decoder.Open()) {
                    skipped = true;
                } else {
                    const Pcm all = decoder.Finish();
                    if (!spend(all))
                        return TooMuchSound();
                    std::int64_t cursor = 0;
                    for (std::size_t i = 0; i < blocks.size() && cursor < all.Frames(); ++i) {
                        place(all, cursor, counts[i], blocks[i].frame);
                        cursor += counts[i];
                    }
                }
            } else {
                for (const StreamBlock& block : blocks) {
                    if (IsCancelled(cancel))
                        return SoundCancelled();
                    const auto part = DecodeSound(format, block.data, 0, streamFrames);
                    if (!part) {
                        skipped = true;
                        break;
                    }
                    if (!spend(*part))
                        return TooMuchSound();
                    place(*part, 0, part->Frames(), block.frame);
                }
            }
            if (skipped)
                ++track.soundsSkipped;
            const std::vector<float> resampled = ToTrackRate(stream);
            const std::size_t count = std::min(resampled.size(), track.samples.size());
            for (std::size_t i = 0; i < count; ++i)
                track.samples[i] += resampled[i];
        }
    }
    return track;
}

} // namespace quorvane
