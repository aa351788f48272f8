#pragma once

#include "export/RenderClock.h"
#include "platform/Result.h"

#include <QImage>

#include <cstdint>
#include <memory>

struct WebPAnimEncoder;

namespace quorvane {

class NewFile;

// The render's animated .webp, looping forever. libwebp's animation
// encoder keeps only the compressed frames, so memory grows with the file,
// not with the pictures; the file is written whole at Finish.
class WebpAnimationEncoder {
public:
    static Result<std::unique_ptr<WebpAnimationEncoder>> Open(std::unique_ptr<NewFile> file,
                                                              QSize size, const RenderClock& clock);
    ~WebpAnimationEncoder();
    WebpAnimationEncoder(const WebpAnimationEncoder&) = delete;
    WebpAnimationEncoder& operator=(const WebpAnimationEncoder&) = delete;

    // frame: Format_RGBA8888 of the animation's size.
    Result<> AddFrame(const QImage& frame);
    // Completes the file and closes it; it is still removed with the
    // encoder unless kept, so one render's files are all kept or none.
    Result<> Finish();
    void Keep();

private:
    WebpAnimationEncoder(std::unique_ptr<NewFile> file, const RenderClock& clock);
    Failure EncoderFailure() const;

    std::unique_ptr<NewFile> m_file;
    RenderClock m_clock;
    WebPAnimEncoder* m_encoder = nullptr;
    std::int64_t m_frames = 0;
};

} // namespace quorvane
