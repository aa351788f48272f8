#include "export/WebmEncoder.h"

#include "export/AvFileOutput.h"
#include "platform/TranslatedSentence.h"

#include <algorithm>
#include <cstring>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

namespace quorvane {

namespace {

// Opus is always coded at 48 kHz; other rates are resampled to it.
constexpr int kOpusRate = 48000;
// Enough for a movie's music and voices in stereo; most sounds of a Wink
// are short effects.
constexpr std::int64_t kOpusBitRate = 96000;
// Constrained quality: the visual quality at which flat Flash colours and
// edges show no blocks at sticker sizes, for a fraction of lossless.
constexpr const char* kVp9Quality = "32";
// libvpx's speed for "good" quality: 5 is several times faster than the
// default 1 for files a few percent larger, which suits short clips.
constexpr const char* kVp9Speed = "5";
// A key frame every few seconds, so a player can seek in a longer movie.
constexpr int kKeyFrameSeconds = 5;

int EvenUp(int value) {
    return value + (value & 1);
}

} // namespace

WebmEncoder::WebmEncoder(const RenderFormat& format, const RenderClock& clock)
    : m_renderFormat(format), m_clock(clock) {}

WebmEncoder::~WebmEncoder() {
    avcodec_free_context(&m_video);
    avcodec_free_context(&m_sound);
    av_frame_free(&m_picture);
    av_frame_free(&m_soundFrame);
    av_packet_free(&m_packet);
    sws_freeContext(m_converter);
    swr_free(&m_resampler);
    if (m_pending != nullptr)
        av_audio_fifo_free(m_pending);
    avformat_free_context(m_format);
}

Failure WebmEncoder::VideoFailure(int error) const {
    if (m_output && m_output->WriteFailure())
        return *m_output->WriteFailure();
    return Failure{0,
                   Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                        "the video could not be encoded: %1"),
                            AvErrorText(error)),
                   FailureCode::System};
}

Failure WebmEncoder::SoundFailure(int error) const {
    if (m_output && m_output->WriteFailure())
        return *m_output->WriteFailure();
    return Failure{0,
                   Sentence(QCoreApplication::translate(
                                "quorvane::Outcomes", "the video's sound could not be encoded: %1"),
                            AvErrorText(error)),
                   FailureCode::System};
}

Result<std::unique_ptr<WebmEncoder>> WebmEncoder::Open(std::unique_ptr<NewFile> file,
                                                       const RenderFormat& format,
                                                       const RenderClock& clock) {
    std::unique_ptr<WebmEncoder> encoder(new WebmEncoder(format, clock));
    encoder->m_output = std::make_unique<AvFileOutput>(std::move(file));
    encoder->m_packet = av_packet_alloc();
    if (encoder->m_output->Context() == nullptr || encoder->m_packet == nullptr)
        return Fail(encoder->VideoFailure(AVERROR(ENOMEM)));
    if (const int error =
            avformat_alloc_output_context2(&encoder->m_format, nullptr, "webm", nullptr);
        error < 0)
        return Fail(encoder->VideoFailure(error));
    encoder->m_format->pb = encoder->m_output->Context();
    encoder->m_format->flags |= AVFMT_FLAG_CUSTOM_IO;
    if (auto video = encoder->OpenVideo(); !video)
        return Fail(video.error());
    if (format.sound)
        if (auto sound = encoder->OpenSound(); !sound)
            return Fail(sound.error());
    if (const int error = avformat_write_header(encoder->m_format, nullptr); error < 0)
        return Fail(encoder->VideoFailure(error));
    return encoder;
}

Result<> WebmEncoder::OpenVideo() {
    const AVCodec* vp9 = avcodec_find_encoder_by_name("libvpx-vp9");
    if (vp9 == nullptr)
        return Fail(FailureCode::Missing,
                    Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                         "the video could not be encoded: %1"),
                             "FFmpeg has no libvpx-vp9 encoder"));
    m_video = avcodec_alloc_context3(vp9);
    m_picture = av_frame_alloc();
    if (m_video == nullptr || m_picture == nullptr)
        return Fail(VideoFailure(AVERROR(ENOMEM)));
    m_video->width = EvenUp(m_renderFormat.width);
    m_video->height = EvenUp(m_renderFormat.height);
    m_video->pix_fmt = AV_PIX_FMT_YUV420P;
    m_video->time_base =
        AVRational{static_cast<int>(m_clock.denominator), static_cast<int>(m_clock.numerator)};
    m_video->framerate =
        AVRational{static_cast<int>(m_clock.numerator), static_cast<int>(m_clock.denominator)};
    m_video->gop_size = static_cast<int>(
        std::max<std::int64_t>(1, kKeyFrameSeconds * m_clock.numerator / m_clock.denominator));
    m_video->bit_rate = 0;
    m_video->thread_count = 0;
    // The pictures are sRGB; tagged as BT.709 (sRGB's primaries), limited
    // range, which is what players assume of web video.
    m_video->color_range = AVCOL_RANGE_MPEG;
    m_video->colorspace = AVCOL_SPC_BT709;
    m_video->color_primaries = AVCOL_PRI_BT709;
    m_video->color_trc = AVCOL_TRC_IEC61966_2_1;
    if ((m_format->oformat->flags & AVFMT_GLOBALHEADER) != 0)
        m_video->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    AVDictionary* options = nullptr;
    av_dict_set(&options, "crf", kVp9Quality, 0);
    av_dict_set(&options, "deadline", "good", 0);
    av_dict_set(&options, "cpu-used", kVp9Speed, 0);
    av_dict_set(&options, "row-mt", "1", 0);
    const int opened = avcodec_open2(m_video, vp9, &options);
    av_dict_free(&options);
    if (opened < 0)
        return Fail(VideoFailure(opened));

    m_picture->format = m_video->pix_fmt;
    m_picture->width = m_video->width;
    m_picture->height = m_video->height;
    if (const int error = av_frame_get_buffer(m_picture, 0); error < 0)
        return Fail(VideoFailure(error));
    m_converter = sws_getContext(m_video->width, m_video->height, AV_PIX_FMT_RGB0, m_video->width,
                                 m_video->height, AV_PIX_FMT_YUV420P,
                                 SWS_BICUBIC | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
    if (m_converter == nullptr)
        return Fail(VideoFailure(AVERROR(EINVAL)));
    const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
    sws_setColorspaceDetails(m_converter, bt709, 1, bt709, 0, 0, 1 << 16, 1 << 16);

    m_videoStream = avformat_new_stream(m_format, nullptr);
    if (m_videoStream == nullptr)
        return Fail(VideoFailure(AVERROR(ENOMEM)));
    if (const int error = avcodec_parameters_from_context(m_videoStream->codecpar, m_video);
        error < 0)
        return Fail(VideoFailure(error));
    m_videoStream->time_base = m_video->time_base;
    // Written as the track's default duration, so the last frame lasts its
    // full 1 / rate too.
    m_videoStream->avg_frame_rate = m_video->framerate;
    return {};
}

Result<> WebmEncoder::OpenSound() {
    if (m_renderFormat.sampleRate <= 0)
        return Fail(SoundFailure(AVERROR(EINVAL)));
    const AVCodec* opus = avcodec_find_encoder_by_name("libopus");
    if (opus == nullptr)
        return Fail(
            FailureCode::Missing,
            Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                 "the video's sound could not be encoded: %1"),
                     "FFmpeg has no libopus encoder"));
    m_sound = avcodec_alloc_context3(opus);
    m_soundFrame = av_frame_alloc();
    if (m_sound == nullptr || m_soundFrame == nullptr)
        return Fail(SoundFailure(AVERROR(ENOMEM)));
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    m_sound->sample_fmt = AV_SAMPLE_FMT_FLT;
    m_sound->sample_rate = kOpusRate;
    if (const int error = av_channel_layout_copy(&m_sound->ch_layout, &stereo); error < 0)
        return Fail(SoundFailure(error));
    m_sound->bit_rate = kOpusBitRate;
    m_sound->time_base = AVRational{1, kOpusRate};
    if ((m_format->oformat->flags & AVFMT_GLOBALHEADER) != 0)
        m_sound->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (const int error = avcodec_open2(m_sound, opus, nullptr); error < 0)
        return Fail(SoundFailure(error));

    m_soundFrame->format = m_sound->sample_fmt;
    m_soundFrame->sample_rate = kOpusRate;
    m_soundFrame->nb_samples = m_sound->frame_size;
    if (const int error = av_channel_layout_copy(&m_soundFrame->ch_layout, &stereo); error < 0)
        return Fail(SoundFailure(error));
    if (const int error = av_frame_get_buffer(m_soundFrame, 0); error < 0)
        return Fail(SoundFailure(error));
    m_pending = av_audio_fifo_alloc(AV_SAMPLE_FMT_FLT, 2, m_sound->frame_size * 4);
    if (m_pending == nullptr)
        return Fail(SoundFailure(AVERROR(ENOMEM)));
    if (m_renderFormat.sampleRate != kOpusRate) {
        if (const int error =
                swr_alloc_set_opts2(&m_resampler, &stereo, AV_SAMPLE_FMT_FLT, kOpusRate, &stereo,
                                    AV_SAMPLE_FMT_FLT, m_renderFormat.sampleRate, 0, nullptr);
            error < 0)
            return Fail(SoundFailure(error));
        if (const int error = swr_init(m_resampler); error < 0)
            return Fail(SoundFailure(error));
    }

    m_soundStream = avformat_new_stream(m_format, nullptr);
    if (m_soundStream == nullptr)
        return Fail(SoundFailure(AVERROR(ENOMEM)));
    // Carries libopus's pre-skip as the codec delay, so the sound's first
    // sample plays with frame 0 rather than a few milliseconds late.
    if (const int error = avcodec_parameters_from_context(m_soundStream->codecpar, m_sound);
        error < 0)
        return Fail(SoundFailure(error));
    m_soundStream->time_base = m_sound->time_base;
    return {};
}

Result<> WebmEncoder::Drain(AVCodecContext* codec, AVStream* stream, bool sound) {
    for (;;) {
        int error = avcodec_receive_packet(codec, m_packet);
        if (error == AVERROR(EAGAIN) || error == AVERROR_EOF)
            return {};
        if (error < 0)
            return Fail(sound ? SoundFailure(error) : VideoFailure(error));
        if (!sound && m_packet->duration == 0)
            m_packet->duration = 1;
        // libopus stamps its first packet -pre-skip, the time of the first
        // sample it decodes to, which players drop. Matroska wants the block
        // stamped with the time of the first sample heard (0) and the
        // pre-skip in CodecDelay; this libavformat (5.1) writes CodecDelay
        // but keeps the stamp, and its shift of negative times would move
        // the pictures later instead.
        if (sound && m_packet->pts != AV_NOPTS_VALUE) {
            m_packet->pts += codec->initial_padding;
            m_packet->dts += codec->initial_padding;
        }
        av_packet_rescale_ts(m_packet, codec->time_base, stream->time_base);
        m_packet->stream_index = stream->index;
        error = av_interleaved_write_frame(m_format, m_packet);
        if (error < 0)
            return Fail(sound ? SoundFailure(error) : VideoFailure(error));
    }
}

Result<> WebmEncoder::AddFrame(const QImage& frame) {
    if (const int error = av_frame_make_writable(m_picture); error < 0)
        return Fail(VideoFailure(error));
    // 4:2:0 wants even sides: an odd one gets its last row or column once
    // more, so every pixel of the movie stays where it was, unscaled.
    const QImage* picture = &frame;
    if (frame.width() != m_picture->width || frame.height() != m_picture->height) {
        if (m_padded.isNull())
            m_padded = QImage(m_picture->width, m_picture->height, QImage::Format_RGBX8888);
        const auto rowBytes = static_cast<std::size_t>(frame.width()) * 4;
        for (int y = 0; y < m_padded.height(); ++y) {
            const uchar* from = frame.constScanLine(std::min(y, frame.height() - 1));
            uchar* to = m_padded.scanLine(y);
            std::memcpy(to, from, rowBytes);
            if (m_padded.width() != frame.width())
                std::memcpy(to + rowBytes, from + rowBytes - 4, 4);
        }
        picture = &m_padded;
    }
    const std::uint8_t* source[1] = {picture->constBits()};
    const int sourceStride[1] = {static_cast<int>(picture->bytesPerLine())};
    sws_scale(m_converter, source, sourceStride, 0, picture->height(), m_picture->data,
              m_picture->linesize);
    m_picture->pts = m_frames;
    if (const int error = avcodec_send_frame(m_video, m_picture); error < 0)
        return Fail(VideoFailure(error));
    ++m_frames;
    if (auto drained = Drain(m_video, m_videoStream, false); !drained)
        return drained;
    // The sound keeps pace with the frames, so the muxer interleaves them
    // without holding many packets back.
    if (m_sound != nullptr)
        return EncodeSoundUpTo(m_clock.Start(m_frames, kOpusRate), false);
    return {};
}

Result<> WebmEncoder::AddSound(std::span<const float> interleavedStereo) {
    if (m_sound == nullptr)
        return {};
    // Sound past the longest render there can be is never heard: dropping
    // it keeps what a movie can make this hold within bounds.
    const std::int64_t most =
        static_cast<std::int64_t>(kMaxRenderSeconds) * m_renderFormat.sampleRate;
    std::int64_t samples = static_cast<std::int64_t>(interleavedStereo.size() / 2);
    samples = std::min(samples, std::max<std::int64_t>(0, most - m_soundSamplesIn));
    m_soundSamplesIn += samples;
    const float* at = interleavedStereo.data();
    while (samples > 0) {
        const int chunk = static_cast<int>(std::min<std::int64_t>(samples, 1 << 16));
        if (m_resampler == nullptr) {
            void* planes[1] = {const_cast<float*>(at)};
            if (av_audio_fifo_write(m_pending, planes, chunk) < chunk)
                return Fail(SoundFailure(AVERROR(ENOMEM)));
        } else {
            const int room = swr_get_out_samples(m_resampler, chunk);
            std::vector<float> resampled(static_cast<std::size_t>(std::max(room, 0)) * 2);
            std::uint8_t* out[1] = {reinterpret_cast<std::uint8_t*>(resampled.data())};
            const std::uint8_t* in[1] = {reinterpret_cast<const std::uint8_t*>(at)};
            const int made = swr_convert(m_resampler, out, room, in, chunk);
            if (made < 0)
                return Fail(SoundFailure(made));
            void* planes[1] = {resampled.data()};
            if (av_audio_fifo_write(m_pending, planes, made) < made)
                return Fail(SoundFailure(AVERROR(ENOMEM)));
        }
        at += static_cast<std::ptrdiff_t>(chunk) * 2;
        samples -= chunk;
    }
    return EncodeSoundUpTo(m_clock.Start(m_frames, kOpusRate), false);
}

Result<> WebmEncoder::EncodeSoundFrame(int samples) {
    if (const int error = av_frame_make_writable(m_soundFrame); error < 0)
        return Fail(SoundFailure(error));
    m_soundFrame->nb_samples = samples;
    void* planes[1] = {m_soundFrame->data[0]};
    const int read = std::max(
        0, av_audio_fifo_read(m_pending, planes, std::min(samples, av_audio_fifo_size(m_pending))));
    auto* data = reinterpret_cast<float*>(m_soundFrame->data[0]);
    std::fill(data + static_cast<std::ptrdiff_t>(read) * 2,
              data + static_cast<std::ptrdiff_t>(samples) * 2, 0.0f);
    m_soundFrame->pts = m_soundSamplesOut;
    m_soundSamplesOut += samples;
    if (const int error = avcodec_send_frame(m_sound, m_soundFrame); error < 0)
        return Fail(SoundFailure(error));
    return Drain(m_sound, m_soundStream, true);
}

Result<> WebmEncoder::EncodeSoundUpTo(std::int64_t samples, bool padWithSilence) {
    const int frameSize = m_sound->frame_size;
    while (m_soundSamplesOut < samples) {
        const std::int64_t left = samples - m_soundSamplesOut;
        if (!padWithSilence && (left < frameSize || av_audio_fifo_size(m_pending) < frameSize))
            return {};
        // Only the very last frame may be short: libopus pads it and marks
        // the padding to be dropped on playback.
        if (auto encoded =
                EncodeSoundFrame(static_cast<int>(std::min<std::int64_t>(left, frameSize)));
            !encoded)
            return encoded;
    }
    return {};
}

Result<> WebmEncoder::Finish() {
    if (const int error = avcodec_send_frame(m_video, nullptr); error < 0)
        return Fail(VideoFailure(error));
    if (auto drained = Drain(m_video, m_videoStream, false); !drained)
        return drained;
    if (m_sound != nullptr) {
        if (m_resampler != nullptr) {
            const int room = swr_get_out_samples(m_resampler, 0);
            if (room > 0) {
                std::vector<float> rest(static_cast<std::size_t>(room) * 2);
                std::uint8_t* out[1] = {reinterpret_cast<std::uint8_t*>(rest.data())};
                const int made = swr_convert(m_resampler, out, room, nullptr, 0);
                if (made < 0)
                    return Fail(SoundFailure(made));
                void* planes[1] = {rest.data()};
                if (av_audio_fifo_write(m_pending, planes, made) < made)
                    return Fail(SoundFailure(AVERROR(ENOMEM)));
            }
        }
        if (auto encoded = EncodeSoundUpTo(m_clock.Start(m_frames, kOpusRate), true); !encoded)
            return encoded;
        if (const int error = avcodec_send_frame(m_sound, nullptr); error < 0)
            return Fail(SoundFailure(error));
        if (auto drained = Drain(m_sound, m_soundStream, true); !drained)
            return drained;
    }
    if (const int error = av_write_trailer(m_format); error < 0)
        return Fail(VideoFailure(error));
    return m_output->Close();
}

void WebmEncoder::Keep() {
    m_output->Keep();
}

} // namespace quorvane
