#include "export/RenderWriter.h"

#include "export/GifEncoder.h"
#include "export/NewFile.h"
#include "export/WebmEncoder.h"
#include "export/WebpAnimationEncoder.h"
#include "platform/TranslatedSentence.h"

#include <QBuffer>
#include <QImageWriter>

#include <algorithm>
#include <numeric>

extern "C" {
#include <libavutil/log.h>
}

namespace quorvane {

namespace {

Failure Cancelled() {
    return Failure{
        0, Sentence(QCoreApplication::translate("quorvane::Outcomes", "the render was cancelled")),
        FailureCode::Cancelled};
}

Result<std::unique_ptr<NewFile>> CreateIfNamed(const std::string& path) {
    if (path.empty())
        return std::unique_ptr<NewFile>();
    return NewFile::Create(path);
}

} // namespace

QSize RenderWriter::AnimationSize(QSize frame) {
    const int longest = std::max(frame.width(), frame.height());
    if (longest <= kAnimationSide)
        return frame;
    const auto scaled = [longest](int side) {
        return std::max(
            1, static_cast<int>((static_cast<std::int64_t>(side) * kAnimationSide * 2 + longest) /
                                (2 * longest)));
    };
    return QSize(scaled(frame.width()), scaled(frame.height()));
}

RenderWriter::RenderWriter(const RenderFormat& format, const CancelFlag* cancel)
    : m_format(format), m_cancel(cancel) {}

RenderWriter::~RenderWriter() = default;

Result<std::unique_ptr<RenderWriter>>
RenderWriter::Open(const RenderFiles& files, const RenderFormat& format, const CancelFlag* cancel) {
    if (format.width <= 0 || format.height <= 0 || format.width > kMaxRenderSide ||
        format.height > kMaxRenderSide)
        return Fail(FailureCode::TooMuchWork,
                    Sentence(QCoreApplication::translate(
                                 "quorvane::Outcomes",
                                 "a movie of %1 x %2 pixels is not rendered (at most %3 x %3)"),
                             format.width, format.height, kMaxRenderSide));
    const std::int64_t numerator = format.frameRateNumerator;
    const std::int64_t denominator = format.frameRateDenominator;
    if (numerator <= 0 || denominator <= 0 || numerator > kMaxRenderFrameRate * denominator)
        return Fail(FailureCode::TooMuchWork,
                    Sentence(QCoreApplication::translate(
                                 "quorvane::Outcomes",
                                 "a movie of %1/%2 frames a second is not rendered (at most %3)"),
                             format.frameRateNumerator, format.frameRateDenominator,
                             kMaxRenderFrameRate));
    if (format.sound && (format.sampleRate < 1000 || format.sampleRate > 384000))
        return Fail(
            FailureCode::Unsupported,
            Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                 "sound of %1 samples a second cannot be encoded"),
                     format.sampleRate));
    if (IsCancelled(cancel))
        return Fail(Cancelled());

    // FFmpeg's own log lines are English and go to standard error, where
    // the command line speaks to the user: each failure is said once, in
    // the user's language, by the sentence returned.
    av_log_set_level(AV_LOG_QUIET);
    std::unique_ptr<RenderWriter> writer(new RenderWriter(format, cancel));
    const std::int64_t common = std::gcd(numerator, denominator);
    const RenderClock clock{numerator / common, denominator / common};
    writer->m_maxFrames = kMaxRenderSeconds * clock.numerator / clock.denominator;
    writer->m_animationSize = AnimationSize(QSize(format.width, format.height));

    // Every name is taken before anything is encoded, so a clash shows at
    // once and whatever was created is removed with the writer.
    auto video = CreateIfNamed(files.video);
    if (!video)
        return Fail(video.error());
    auto animation = CreateIfNamed(files.animation);
    if (!animation)
        return Fail(animation.error());
    auto gif = CreateIfNamed(files.gif);
    if (!gif)
        return Fail(gif.error());
    auto still = CreateIfNamed(files.still);
    if (!still)
        return Fail(still.error());
    writer->m_still = std::move(*still);
    if (*video) {
        auto encoder = WebmEncoder::Open(std::move(*video), format, clock);
        if (!encoder)
            return Fail(encoder.error());
        writer->m_video = std::move(*encoder);
    }
    if (*animation) {
        auto encoder =
            WebpAnimationEncoder::Open(std::move(*animation), writer->m_animationSize, clock);
        if (!encoder)
            return Fail(encoder.error());
        writer->m_animation = std::move(*encoder);
    }
    if (*gif) {
        auto encoder = GifEncoder::Open(std::move(*gif), writer->m_animationSize, clock);
        if (!encoder)
            return Fail(encoder.error());
        writer->m_gif = std::move(*encoder);
    }
    return writer;
}

Result<> RenderWriter::Stop(Failure failure) {
    m_video.reset();
    m_animation.reset();
    m_gif.reset();
    m_still.reset();
    m_failure = std::make_unique<Failure>(failure);
    return Fail(std::move(failure));
}

Result<> RenderWriter::CheckRunning() {
    if (m_failure)
        return Fail(*m_failure);
    if (m_finished)
        return Fail(FailureCode::Refused,
                    Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                         "the render is already finished")));
    if (IsCancelled(m_cancel))
        return Stop(Cancelled());
    return {};
}

Result<> RenderWriter::AddFrame(const QImage& frame) {
    if (auto running = CheckRunning(); !running)
        return running;
    if (frame.width() != m_format.width || frame.height() != m_format.height)
        return Stop(
            Failure{0,
                    Sentence(QCoreApplication::translate(
                                 "quorvane::Outcomes",
                                 "a frame of %1 x %2 pixels was given for a render of "
                                 "%3 x %4"),
                             frame.width(), frame.height(), m_format.width, m_format.height),
                    FailureCode::Refused});
    if (m_frames >= m_maxFrames)
        return Stop(Failure{0,
                            Sentence(QCoreApplication::translate(
                                         "quorvane::Outcomes",
                                         "the movie runs longer than %1 seconds, which is more "
                                         "than a render is made of"),
                                     kMaxRenderSeconds),
                            FailureCode::TooMuchWork});

    if (m_still && m_frames == 0) {
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        QImageWriter writer(&png, "png");
        if (!writer.write(frame))
            return Stop(Failure{0,
                                Sentence(QCoreApplication::translate(
                                             "quorvane::Outcomes",
                                             "the first frame could not be saved as a PNG: %1"),
                                         writer.errorString()),
                                FailureCode::System});
        const QByteArray& bytes = png.data();
        if (auto written =
                m_still->Write(bytes.constData(), static_cast<std::size_t>(bytes.size()));
            !written)
            return Stop(written.error());
    }

    const QImage rgba = frame.convertToFormat(QImage::Format_RGBA8888);
    if (m_video) {
        // libswscale reads the fourth byte as padding, so alpha is dropped.
        if (auto added = m_video->AddFrame(rgba); !added)
            return Stop(added.error());
    }
    if (m_animation || m_gif) {
        const QImage small =
            m_animationSize == rgba.size()
                ? rgba
                : rgba.scaled(m_animationSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (m_animation)
            if (auto added = m_animation->AddFrame(small); !added)
                return Stop(added.error());
        if (m_gif)
            if (auto added = m_gif->AddFrame(small.convertToFormat(QImage::Format_RGB32)); !added)
                return Stop(added.error());
    }
    ++m_frames;
    return {};
}

Result<> RenderWriter::AddSound(std::span<const float> interleavedStereo) {
    if (auto running = CheckRunning(); !running)
        return running;
    if (m_video && m_format.sound)
        if (auto added = m_video->AddSound(interleavedStereo); !added)
            return Stop(added.error());
    return {};
}

Result<> RenderWriter::Finish() {
    if (auto running = CheckRunning(); !running)
        return running;
    if (m_frames == 0)
        return Stop(Failure{0,
                            Sentence(QCoreApplication::translate(
                                "quorvane::Outcomes", "the movie gave no frame to render")),
                            FailureCode::Damaged});
    if (m_video)
        if (auto done = m_video->Finish(); !done)
            return Stop(done.error());
    if (m_animation)
        if (auto done = m_animation->Finish(); !done)
            return Stop(done.error());
    if (m_gif)
        if (auto done = m_gif->Finish(); !done)
            return Stop(done.error());
    if (m_still)
        if (auto done = m_still->Close(); !done)
            return Stop(done.error());
    if (m_video)
        m_video->Keep();
    if (m_animation)
        m_animation->Keep();
    if (m_gif)
        m_gif->Keep();
    if (m_still)
        m_still->Keep();
    m_finished = true;
    return {};
}

} // namespace quorvane
