#pragma once

#include "platform/CancelFlag.h"
#include "platform/Result.h"

#include <QImage>
#include <QSize>

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace quorvane {

class GifEncoder;
class NewFile;
class WebmEncoder;
class WebpAnimationEncoder;

// The files one movie's render is written to; an empty path is not written.
struct RenderFiles {
    std::string video;     // .webm: VP9 (libvpx-vp9), Opus (libopus) when sound
    std::string animation; // animated .webp, looping forever, longest side <= 512 px
    std::string gif;       // animated .gif, looping forever, same size as the animation
    std::string still;     // .png of the first frame, at the full frame size
};

struct RenderFormat {
    int width = 0, height = 0;  // of the frames handed in
    int frameRateNumerator = 0; // frames per second as a fraction (a Flash movie's is n/256)
    int frameRateDenominator = 1;
    bool sound = false;     // the video gets an Opus track
    int sampleRate = 48000; // of the sound handed in: interleaved stereo float
};

// Limits against a hostile movie: what a render is refused beyond.
inline constexpr int kMaxRenderSide = 4096;
inline constexpr int kMaxRenderFrameRate = 120;
inline constexpr int kMaxRenderSeconds = 600;
// The animation's longest side: what messengers take as a sticker.
inline constexpr int kAnimationSide = 512;

// Turns a movie's frames and sound into its render files as they come, so
// memory stays the same however long the movie is. Frame i is shown from
// i / rate to (i + 1) / rate in every file; the sound starts with frame 0.
// The files are created exclusively at Open (the caller gives temporary
// names and renames them into place afterwards) and removed again unless
// Finish succeeds.
class RenderWriter {
public:
    static Result<std::unique_ptr<RenderWriter>>
    Open(const RenderFiles& files, const RenderFormat& format, const CancelFlag* cancel = nullptr);
    // Frames in order; any QImage format, width x height. Alpha is kept in
    // the animation and the still, and dropped from the video and the GIF.
    Result<> AddFrame(const QImage& frame);
    // Any time, any amount; the sound is cut at the end of the last frame and
    // padded with silence when shorter.
    Result<> AddSound(std::span<const float> interleavedStereo);
    // Writes the trailers; every file is complete on success.
    Result<> Finish();
    // Unless finished, removes every file it created.
    ~RenderWriter();
    RenderWriter(const RenderWriter&) = delete;
    RenderWriter& operator=(const RenderWriter&) = delete;

    // The animation's and the GIF's size for frames of the given size.
    static QSize AnimationSize(QSize frame);

private:
    RenderWriter(const RenderFormat& format, const CancelFlag* cancel);
    Result<> Stop(Failure failure);
    Result<> CheckRunning();

    RenderFormat m_format;
    const CancelFlag* m_cancel;
    std::unique_ptr<WebmEncoder> m_video;
    std::unique_ptr<WebpAnimationEncoder> m_animation;
    std::unique_ptr<GifEncoder> m_gif;
    std::unique_ptr<NewFile> m_still;
    QSize m_animationSize;
    std::int64_t m_frames = 0;
    std::int64_t m_maxFrames = 0;
    bool m_finished = false;
    std::unique_ptr<Failure> m_failure;
};

} // namespace quorvane
