#pragma once

#include "export/RenderClock.h"
#include "export/RenderWriter.h"

#include <QImage>

#include <cstdint>
#include <memory>
#include <span>

struct AVAudioFifo;
struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct AVStream;
struct SwrContext;
struct SwsContext;

namespace quorvane {

class AvFileOutput;

// The render's .webm: VP9 in yuv420p and, when the movie has sound, Opus at
// 48 kHz stereo, interleaved as they play. Frame i is stamped i / rate; the
// sound is encoded only as far as the frames handed in reach, so it can be
// cut at the last frame's end without holding frames back.
class WebmEncoder {
public:
    static Result<std::unique_ptr<WebmEncoder>>
    Open(std::unique_ptr<NewFile> file, const RenderFormat& format, const RenderClock& clock);
    ~WebmEncoder();
    WebmEncoder(const WebmEncoder&) = delete;
    WebmEncoder& operator=(const WebmEncoder&) = delete;

    // frame: Format_RGBX8888 of the format's size.
    Result<> AddFrame(const QImage& frame);
    Result<> AddSound(std::span<const float> interleavedStereo);
    // Completes the file and closes it; it is still removed with the
    // encoder unless kept, so one render's files are all kept or none.
    Result<> Finish();
    void Keep();

private:
    WebmEncoder(const RenderFormat& format, const RenderClock& clock);
    Result<> OpenVideo();
    Result<> OpenSound();
    Result<> Drain(AVCodecContext* codec, AVStream* stream, bool sound);
    Result<> EncodeSoundUpTo(std::int64_t samples, bool padWithSilence);
    Result<> EncodeSoundFrame(int samples);
    Failure VideoFailure(int error) const;
    Failure SoundFailure(int error) const;

    RenderFormat m_renderFormat;
    RenderClock m_clock;
    std::unique_ptr<AvFileOutput> m_output;
    AVFormatContext* m_format = nullptr;
    AVCodecContext* m_video = nullptr;
    AVStream* m_videoStream = nullptr;
    AVFrame* m_picture = nullptr;
    SwsContext* m_converter = nullptr;
    QImage m_padded; // a frame of odd sides, made even
    AVCodecContext* m_sound = nullptr;
    AVStream* m_soundStream = nullptr;
    AVFrame* m_soundFrame = nullptr;
    SwrContext* m_resampler = nullptr;
    AVAudioFifo* m_pending = nullptr;
    AVPacket* m_packet = nullptr;
    std::int64_t m_frames = 0;
    std::int64_t m_soundSamplesIn = 0;  // at the rate handed in
    std::int64_t m_soundSamplesOut = 0; // encoded, at 48 kHz
};

} // namespace quorvane
