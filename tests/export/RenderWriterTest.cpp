#include "export/RenderWriter.h"

#include "support/ChildRun.h"
#include "support/TempFolder.h"

#include <QColor>
#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <numbers>
#include <optional>
#include <regex>
#include <string>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace quorvane {
namespace {

using test::TempFolder;

// Frame i of the test movie is one flat colour of this list.
const QRgb kColours[] = {0xffd03020, 0xff20a040, 0xff2050d0, 0xfff0e040,
                         0xff9030b0, 0xff30c0c0, 0xff808080};
constexpr int kFrames = 7;
// 12 frames a second as a Flash movie states it (8.8 fixed point).
constexpr int kRate256 = 3072;
// Odd sides, the longer above the animation's 512.
constexpr int kWidth = 601;
constexpr int kHeight = 301;
// A 1000 Hz tone from frame 3's start (0.25 s) on, at CD rate, running on
// past the movie's end.
constexpr int kSoundRate = 44100;
constexpr double kToneStart = 0.25;
constexpr double kToneHz = 1000.0;
constexpr double kSoundSeconds = 1.0;

QImage SolidFrame(QRgb colour, QImage::Format format = QImage::Format_RGB32) {
    QImage frame(kWidth, kHeight, format);
    frame.fill(QColor::fromRgba(colour));
    return frame;
}

std::vector<float> ToneSound() {
    const int samples = static_cast<int>(kSoundSeconds * kSoundRate);
    std::vector<float> sound(static_cast<std::size_t>(samples) * 2, 0.0f);
    for (int n = 0; n < samples; ++n) {
        const double t = static_cast<double>(n) / kSoundRate;
        if (t >= kToneStart) {
            const auto value = static_cast<float>(
                0.5 * std::sin(2 * std::numbers::pi * kToneHz * (t - kToneStart)));
            sound[2 * n] = value;
            sound[2 * n + 1] = value;
        }
    }
    return sound;
}

int Distance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

// Runs a GStreamer pipeline, with a hard kill should it hang.
test::ChildResult RunGstreamer(const TempFolder& folder, std::vector<std::string> pipeline) {
    std::vector<std::string> arguments = {"/usr/bin/timeout", "-k", "5", "60", "gst-launch-1.0"};
    arguments.insert(arguments.end(), pipeline.begin(), pipeline.end());
    test::ChildOptions options;
    options.variables["GST_REGISTRY"] = folder / "gst-registry.bin";
    options.variables["GST_DEBUG"] = "basesink:5";
    options.variables["GST_DEBUG_NO_COLOR"] = "1";
    options.timeLimit = std::chrono::seconds(90);
    return test::RunChild(arguments, options);
}

// When each buffer reached the sink of that name, from start to end in
// seconds, as GStreamer's base sink logs it (one line per buffer, unlike the
// notifications of -v, which drop some when they come fast).
std::vector<std::pair<double, double>> BufferTimes(const std::string& log,
                                                   const std::string& sink) {
    const std::regex buffer(
        "gst_base_sink_chain_unlocked:<" + sink +
        R"(> got times start: (\d+):(\d+):(\d+\.\d+), end: (\d+):(\d+):(\d+\.\d+))");
    std::vector<std::pair<double, double>> times;
    for (const auto& line : test::Lines(log)) {
        std::smatch match;
        if (!std::regex_search(line, match, buffer))
            continue;
        const auto seconds = [&match](int first) {
            return std::stod(match[first]) * 3600 + std::stod(match[first + 1]) * 60 +
                   std::stod(match[first + 2]);
        };
        times.emplace_back(seconds(1), seconds(4));
    }
    return times;
}

TEST(RenderWriter, EveryRenderReadsBackByOtherProgramsWithItsFramesTimesAndSound) {
    TempFolder folder;
    const RenderFiles files{folder / "movie.webm", folder / "movie.webp", folder / "movie.gif",
                            folder / "movie.png"};
    RenderFormat format;
    format.width = kWidth;
    format.height = kHeight;
    format.frameRateNumerator = kRate256;
    format.frameRateDenominator = 256;
    format.sound = true;
    format.sampleRate = kSoundRate;
    auto writer = RenderWriter::Open(files, format);
    ASSERT_TRUE(writer) << writer.error().sentence;

    // The sound comes in uneven pieces, some ahead of the frames.
    const std::vector<float> sound = ToneSound();
    const std::size_t piece = 2 * 3001;
    std::size_t given = 0;
    for (int i = 0; i < kFrames; ++i) {
        const auto layout = i % 2 == 0 ? QImage::Format_RGB32 : QImage::Format_ARGB32;
        ASSERT_TRUE((*writer)->AddFrame(SolidFrame(kColours[i], layout)));
        for (int p = 0; p < 3 && given < sound.size(); ++p) {
            const std::size_t count = std::min(piece, sound.size() - given);
            ASSERT_TRUE((*writer)->AddSound(std::span(sound).subspan(given, count)));
            given += count;
        }
    }
    ASSERT_TRUE((*writer)->AddSound(std::span(sound).subspan(given)));
    auto finished = (*writer)->Finish();
    ASSERT_TRUE(finished) << finished.error().sentence;
    writer->reset();

    // The still: the first frame at full size, exactly.
    const QImage still(QString::fromStdString(files.still));
    ASSERT_EQ(still.size(), QSize(kWidth, kHeight));
    EXPECT_EQ(still.pixel(300, 150) | 0xff000000, kColours[0]);

    // The animation, by Qt's WebP reader: 512 on the long side, looping
    // forever, and each frame's delay from the exact start of the next
    // (round(i * 1000 / 12) ms), so they add up to 7/12 s.
    {
        QImageReader reader(QString::fromStdString(files.animation), "webp");
        ASSERT_TRUE(reader.canRead()) << reader.errorString().toStdString();
        EXPECT_EQ(reader.size(), QSize(512, 256));
        EXPECT_EQ(reader.loopCount(), -1);
        std::vector<int> delays;
        for (int i = 0; i < kFrames; ++i) {
            const QImage image = reader.read();
            ASSERT_FALSE(image.isNull()) << i << ": " << reader.errorString().toStdString();
            EXPECT_EQ(image.size(), QSize(512, 256));
            EXPECT_LE(Distance(image.pixel(256, 128), kColours[i]), 2) << i;
            delays.push_back(reader.nextImageDelay());
        }
        EXPECT_TRUE(reader.read().isNull());
        EXPECT_EQ(delays, (std::vector<int>{83, 84, 83, 83, 84, 83, 83}));
    }

    // The GIF, by Qt's own reader: the same size, looping forever, delays in
    // hundredths alternating so they add up to 58.
    {
        QImageReader reader(QString::fromStdString(files.gif), "gif");
        ASSERT_TRUE(reader.canRead()) << reader.errorString().toStdString();
        EXPECT_EQ(reader.size(), QSize(512, 256));
        std::vector<int> delays;
        for (int i = 0; i < kFrames; ++i) {
            const QImage image = reader.read();
            ASSERT_FALSE(image.isNull()) << i << ": " << reader.errorString().toStdString();
            EXPECT_LE(Distance(image.pixel(256, 128), kColours[i]), 4) << i;
            EXPECT_LE(Distance(image.pixel(3, 250), kColours[i]), 4) << i;
            delays.push_back(reader.nextImageDelay());
        }
        EXPECT_TRUE(reader.read().isNull());
        EXPECT_EQ(delays, (std::vector<int>{80, 90, 80, 80, 90, 80, 80}));
        EXPECT_EQ(reader.loopCount(), -1);
    }

    // The video, by GStreamer: VP9 decoded by libvpx through GStreamer's own
    // demuxer, the sound by its Opus decoder.
    const std::string pictures = folder / "video.rgbx";
    const std::string samples = folder / "sound.s16";
    // clang-format off
    const auto run = RunGstreamer(folder, {
        "filesrc", "location=" + files.video, "!", "matroskademux", "name=d",
        "d.video_0", "!", "queue", "!", "vp9dec", "!", "videoconvert", "!", "video/x-raw,format=RGBx", "!", "filesink", "name=shown", "location=" + pictures,
        "d.audio_0", "!", "queue", "!", "opusdec", "!", "audioconvert", "!", "audioresample", "!",
        "audio/x-raw,format=S16LE,channels=1,rate=48000", "!", "filesink", "name=heard", "location=" + samples});
    // clang-format on
    ASSERT_TRUE(run.ExitedWith(0)) << run.Describe();

    // Padded to even sides for 4:2:0.
    const std::string rgbx = test::ReadFile(pictures);
    const std::size_t frameBytes = std::size_t{602} * 302 * 4;
    ASSERT_EQ(rgbx.size(), frameBytes * kFrames);
    for (int i = 0; i < kFrames; ++i) {
        for (const auto& [x, y] : {std::pair{300, 150}, std::pair{2, 2}, std::pair{600, 300}}) {
            const auto* pixel = reinterpret_cast<const unsigned char*>(
                rgbx.data() + frameBytes * i + (std::size_t{602} * y + x) * 4);
            EXPECT_LE(Distance(qRgb(pixel[0], pixel[1], pixel[2]), kColours[i]), 10)
                << "frame " << i << " at " << x << "," << y;
        }
    }
    const auto times = BufferTimes(run.err, "shown");
    ASSERT_EQ(times.size(), static_cast<std::size_t>(kFrames)) << run.err.substr(0, 4000);
    // Frame i from i/12 s to (i+1)/12 s, to the millisecond WebM counts in;
    // the last one too, so the video lasts 7/12 s.
    for (int i = 0; i < kFrames; ++i) {
        EXPECT_NEAR(times[i].first, i / 12.0, 0.0006) << i;
        EXPECT_NEAR(times[i].second, (i + 1) / 12.0, 0.0006) << i;
    }

    const std::string pcm = test::ReadFile(samples);
    const std::size_t count = pcm.size() / 2;
    std::vector<double> wave(count);
    for (std::size_t n = 0; n < count; ++n) {
        std::int16_t value;
        std::memcpy(&value, pcm.data() + 2 * n, 2);
        wave[n] = value / 32768.0;
    }
    // Cut at the last frame's end (7/12 s = 28000 samples).
    EXPECT_NEAR(static_cast<double>(count), 28000.0, 48.0);
    // The tone starts with frame 3 on the pictures' clock: the sound's
    // first buffer's time plus the samples before the tone.
    const auto heard = BufferTimes(run.err, "heard");
    ASSERT_FALSE(heard.empty()) << run.err.substr(0, 4000);
    std::size_t onset = 0;
    while (onset < count && std::abs(wave[onset]) < 0.1)
        ++onset;
    EXPECT_NEAR(heard.front().first + static_cast<double>(onset) / 48000.0, kToneStart, 0.002);
    // The pitch, from the zero crossings between 0.3 s and 0.55 s.
    int crossings = 0;
    const std::size_t from = 14400, to = std::min<std::size_t>(26400, count);
    for (std::size_t n = from + 1; n < to; ++n)
        crossings += (wave[n - 1] < 0) != (wave[n] < 0);
    EXPECT_NEAR(crossings / 2.0 / (static_cast<double>(to - from) / 48000.0), kToneHz, 10.0);
}

// At 60 frames a second a frame lasts 1.67 hundredths, which GIF cannot
// say: browsers show delays under 2 as 10. Frames starting less than 2
// after the one shown before are left out (starts 0, 2, [3], 5, 7, [8], end
// 10), and the rest keep the movie's 1/10 s. The WebP counts in
// milliseconds and keeps them all.
TEST(RenderWriter, AFastMovieKeepsItsLengthInTheGifByLeavingOutFramesTooShortForIt) {
    TempFolder folder;
    RenderFiles files;
    files.animation = folder / "fast.webp";
    files.gif = folder / "fast.gif";
    RenderFormat format;
    format.width = 40;
    format.height = 30;
    format.frameRateNumerator = 60 * 256;
    format.frameRateDenominator = 256;
    auto writer = RenderWriter::Open(files, format);
    ASSERT_TRUE(writer) << writer.error().sentence;
    for (int i = 0; i < 6; ++i) {
        QImage frame(40, 30, QImage::Format_RGB32);
        frame.fill(kColours[i]);
        ASSERT_TRUE((*writer)->AddFrame(frame));
    }
    ASSERT_TRUE((*writer)->Finish());
    writer->reset();

    QImageReader gif(QString::fromStdString(files.gif), "gif");
    std::vector<int> delays;
    std::vector<int> shown;
    for (QImage image = gif.read(); !image.isNull(); image = gif.read()) {
        delays.push_back(gif.nextImageDelay());
        for (int i = 0; i < 6; ++i)
            if (Distance(image.pixel(20, 15), kColours[i]) <= 4)
                shown.push_back(i);
    }
    EXPECT_EQ(delays, (std::vector<int>{20, 30, 20, 30}));
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 3, 4}));

    QImageReader webp(QString::fromStdString(files.animation), "webp");
    delays.clear();
    for (QImage image = webp.read(); !image.isNull(); image = webp.read())
        delays.push_back(webp.nextImageDelay());
    EXPECT_EQ(delays, (std::vector<int>{17, 16, 17, 17, 16, 17}));
}

TEST(RenderWriter, RefusesHostileFormatsAndLeavesNothingWhenStoppedOrTaken) {
    TempFolder folder;
    const RenderFiles files{folder / "a.webm", folder / "a.webp", folder / "a.gif",
                            folder / "a.png"};
    RenderFormat format;
    format.width = 64;
    format.height = 48;
    format.frameRateNumerator = 12;
    format.sound = true;

    for (const auto& [width, height, rate] :
         {std::tuple{0, 48, 12}, std::tuple{4097, 48, 12}, std::tuple{64, 4097, 12},
          std::tuple{64, 48, 0}, std::tuple{64, 48, 121}}) {
        RenderFormat hostile = format;
        hostile.width = width;
        hostile.height = height;
        hostile.frameRateNumerator = rate;
        auto refused = RenderWriter::Open(files, hostile);
        ASSERT_FALSE(refused) << width << "x" << height << "@" << rate;
        EXPECT_EQ(refused.error().code, FailureCode::TooMuchWork);
    }
    EXPECT_TRUE(test::FolderNames(folder.Path()).empty());

    // Stopped by Cancel after some frames and sound: the files go at once.
    CancelFlag cancel;
    {
        auto writer = RenderWriter::Open(files, format, &cancel);
        ASSERT_TRUE(writer) << writer.error().sentence;
        QImage frame(64, 48, QImage::Format_RGB32);
        frame.fill(Qt::red);
        ASSERT_TRUE((*writer)->AddFrame(frame));
        const std::vector<float> sound(4800 * 2, 0.25f);
        ASSERT_TRUE((*writer)->AddSound(sound));
        EXPECT_EQ(test::FolderNames(folder.Path()),
                  (std::vector<std::string>{"a.gif", "a.png", "a.webm", "a.webp"}));
        cancel.Request();
        auto stopped = (*writer)->AddFrame(frame);
        ASSERT_FALSE(stopped);
        EXPECT_EQ(stopped.error().code, FailureCode::Cancelled);
        EXPECT_TRUE(test::FolderNames(folder.Path()).empty());
    }
    cancel.Reset();

    // Dropped without Finish.
    {
        auto writer = RenderWriter::Open(files, format, &cancel);
        ASSERT_TRUE(writer);
        QImage frame(64, 48, QImage::Format_RGB32);
        frame.fill(Qt::blue);
        ASSERT_TRUE((*writer)->AddFrame(frame));
    }
    EXPECT_TRUE(test::FolderNames(folder.Path()).empty());

    // A name already taken (here by a link to a file elsewhere) is neither
    // followed nor replaced, and nothing else is left.
    TempFolder elsewhere;
    test::WriteFile(elsewhere / "target", "theirs");
    ASSERT_EQ(::symlink((elsewhere / "target").c_str(), files.gif.c_str()), 0);
    auto taken = RenderWriter::Open(files, format);
    ASSERT_FALSE(taken);
    EXPECT_EQ(taken.error().osError, EEXIST);
    EXPECT_EQ(test::FolderNames(folder.Path()), (std::vector<std::string>{"a.gif"}));
    EXPECT_EQ(test::ReadFile(elsewhere / "target"), "theirs");
}

} // namespace
} // namespace quorvane
