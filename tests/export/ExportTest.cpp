// Exports end to end: the demo account through the command line with no
// display, checked against the demo's own source files, by sha256sum, by
// Qt's image readers and by a real browser; and the core's handling of a
// damaged movie and of Cancel.

#include "export/ExportOperation.h"
#include "support/ChildRun.h"
#include "support/TempFolder.h"
#include "support/TestMovie.h"

#include <QFile>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace quorvane {
namespace {

using test::TempFolder;
namespace fs = std::filesystem;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

QJsonObject ReadJson(const std::string& path) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(ReadAll(path))).object();
}

// Every file below folder, relative, except the ones named.
std::vector<std::string> FilesBelow(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (!entry.is_directory())
            files.push_back(fs::relative(entry.path(), folder).string());
    std::sort(files.begin(), files.end());
    return files;
}

class CliExportTest : public ::testing::Test {
protected:
    CliExportTest() {
        environment = test::IsolatedEnvironment(root.Path(), root / "unused-wine", "testuser");
        // A server or an SSH session: no display of any kind.
        environment.erase("DISPLAY");
        environment.erase("WAYLAND_DISPLAY");
        const test::ChildResult demo = Run({"demo"});
        const std::vector<std::string> lines = test::Lines(demo.out);
        EXPECT_TRUE(demo.ExitedWith(0)) << demo.Describe();
        if (lines.size() >= 3)
            account = {"--wine-prefix", lines[0], "--wine-user", lines[1], "--passport", lines[2]};
    }

    test::ChildResult Run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), QUORVANE_CLI);
        test::ChildOptions options{&environment, "", ""};
        options.timeLimit = std::chrono::minutes(4);
        return test::RunChild(arguments, options);
    }

    test::ChildResult Export(const std::string& folder, std::vector<std::string> more) {
        std::vector<std::string> arguments = {"export", "--to", folder};
        arguments.insert(arguments.end(), account.begin(), account.end());
        arguments.insert(arguments.end(), more.begin(), more.end());
        return Run(arguments);
    }

    TempFolder root;
    std::map<std::string, std::string> environment;
    std::vector<std::string> account;
};

TEST_F(CliExportTest, ExportsTheDemoAccountWithoutADisplayIntoFilesOtherProgramsRead) {
    if (std::string(QUORVANE_MOVIERENDER).empty())
        GTEST_SKIP() << "built without Qt WebEngine: no movie renderer";
    const std::string out = root / "export";
    const test::ChildResult run = Export(out, {"--all-types"});
    ASSERT_TRUE(run.ExitedWith(0)) << run.Describe();

    const QJsonObject manifest = ReadJson(out + "/quorvane-export.json");
    EXPECT_EQ(manifest["format"].toString(), "quorvane-export");
    EXPECT_EQ(manifest["version"].toInt(), 1);
    EXPECT_EQ(manifest["passport"].toString(), "demo@quorvane.example");
    const QJsonArray items = manifest["items"].toArray();
    std::map<std::string, int> perType;
    std::vector<std::string> listed = {"index.html", "quorvane-export.json"};
    for (const QJsonValue& value : items) {
        const QJsonObject item = value.toObject();
        ++perType[item["type"].toString().toStdString()];
        const QJsonObject files = item["files"].toObject();
        // Every file's SHA-256 as another program computes it.
        for (auto file = files.begin(); file != files.end(); ++file) {
            const std::string path = file.value().toString().toStdString();
            listed.push_back(path);
            const test::ChildResult sum = test::RunChild({"/usr/bin/sha256sum", out + "/" + path});
            EXPECT_EQ(sum.out.substr(0, 64),
                      item["sha256"].toObject()[file.value().toString()].toString().toStdString())
                << path;
        }
        if (item["type"].toString() != "winks")
            continue;
        // A Wink's movie is the demo's own movie byte for byte; its renders
        // are twelve frames at twelve frames a second, looping.
        const std::string name = item["location"].toString().toStdString();
        EXPECT_EQ(item["frames"].toInt(), 12) << name;
        EXPECT_EQ(item["frameRate"].toDouble(), 12.0) << name;
        QImageReader animation(QString::fromStdString(out + "/") + files["animation"].toString());
        EXPECT_EQ(animation.imageCount(), 12) << name;
        EXPECT_EQ(animation.loopCount(), -1) << name;
        EXPECT_LE(std::max(animation.size().width(), animation.size().height()), 512);
        int milliseconds = 0;
        while (animation.read().isNull() == false)
            milliseconds += animation.nextImageDelay();
        EXPECT_NEAR(milliseconds, 1000, 2) << name;
        QImageReader gif(QString::fromStdString(out + "/") + files["gif"].toString());
        EXPECT_EQ(gif.imageCount(), 12) << name;
    }
    EXPECT_EQ(perType, (std::map<std::string, int>{{"winks", 6},
                                                   {"dynamic-display-pictures", 4},
                                                   {"dynamic-backgrounds", 3},
                                                   {"custom-emoticons", 8},
                                                   {"backgrounds", 4},
                                                   {"display-pictures", 4}}));
    const std::string cafe = ReadAll(out + "/winks/Café-Dance.swf");
    EXPECT_FALSE(cafe.empty());
    EXPECT_TRUE(cafe == ReadAll(std::string(QUORVANE_SOURCE_DATA) + "/demo/winks/cafe-dance.swf"));
    // Nothing but what the manifest lists, and no temporary file left.
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(FilesBelow(out), listed);

    // The gallery in a real browser: every picture loads, nothing is asked
    // for outside the folder.
    const test::ChildResult browser = test::RunChild(
        {"/usr/bin/timeout", "-k", "5", "120", "/usr/bin/python3", QUORVANE_GALLERY_CHECK, "--lang",
         "en", "--title", "Messenger content of demo@quorvane.example", "--images", "29",
         "--videos", "13", out},
        {&environment, "", ""});
    EXPECT_TRUE(browser.ExitedWith(0)) << browser.Describe();

    // Again into the same folder: nothing is replaced, the new files are
    // numbered, and the gallery shows both exports.
    const std::string firstCafe = ReadAll(out + "/winks/Café-Dance.webm");
    const test::ChildResult again = Export(out, {"--type", "winks", "--items", "0"});
    ASSERT_TRUE(again.ExitedWith(0)) << again.Describe();
    EXPECT_TRUE(ReadAll(out + "/winks/Café-Dance.webm") == firstCafe);
    EXPECT_TRUE(fs::exists(out + "/winks/Café-Dance (2).webm"));
    EXPECT_EQ(ReadJson(out + "/quorvane-export.json")["items"].toArray().size(), items.size() + 1);
}

// The video through the player, the sound from the movie's own tags, both
// read back by GStreamer: its own demuxer, libvpx's decoder and its Opus
// decoder.
void ExpectVideoOfFourColoursWithItsTone(const TempFolder& folder, const std::string& video) {
    const std::string pictures = folder / "video.rgbx";
    const std::string samples = folder / "sound.s16";
    test::ChildOptions options;
    options.variables["GST_REGISTRY"] = folder / "gst-registry.bin";
    // clang-format off
    const test::ChildResult run = test::RunChild({"/usr/bin/timeout", "-k", "5", "60",
        "gst-launch-1.0", "-q", "filesrc", "location=" + video, "!", "matroskademux", "name=d",
        "d.video_0", "!", "queue", "!", "vp9dec", "!", "videoconvert", "!",
        "video/x-raw,format=RGBx", "!", "filesink", "location=" + pictures,
        "d.audio_0", "!", "queue", "!", "opusdec", "!", "audioconvert", "!", "audioresample", "!",
        "audio/x-raw,format=S16LE,channels=1,rate=48000", "!", "filesink", "location=" + samples},
        options);
    // clang-format on
    ASSERT_TRUE(run.ExitedWith(0)) << run.Describe();
    // A 160 x 120 stage is drawn at 512 x 384, a frame at a time.
    const std::string rgbx = ReadAll(pictures);
    const std::size_t frameBytes = std::size_t{512} * 384 * 4;
    ASSERT_EQ(rgbx.size(), frameBytes * 4);
    const std::uint32_t colours[] = {0xff0000, 0x00ff00, 0x0000ff, 0xffff00};
    for (std::size_t i = 0; i < 4; ++i) {
        const auto* pixel = reinterpret_cast<const unsigned char*>(
            rgbx.data() + frameBytes * i + (std::size_t{512} * 192 + 256) * 4);
        for (int channel = 0; channel < 3; ++channel)
            EXPECT_NEAR(pixel[channel], (colours[i] >> (16 - 8 * channel)) & 0xff, 12)
                << "frame " << i;
    }
    const std::string pcm = ReadAll(samples);
    std::vector<double> wave(pcm.size() / 2);
    for (std::size_t n = 0; n < wave.size(); ++n) {
        std::int16_t value;
        std::memcpy(&value, pcm.data() + 2 * n, 2);
        wave[n] = value / 32768.0;
    }
    // Four frames: 1/3 s; the tone from 1/6 s, at 1000 Hz.
    EXPECT_NEAR(static_cast<double>(wave.size()), 16000.0, 48.0);
    std::size_t onset = 0;
    while (onset < wave.size() && std::abs(wave[onset]) < 0.1)
        ++onset;
    EXPECT_NEAR(static_cast<double>(onset) / 48000.0, 1.0 / 6, 0.003);
    int crossings = 0;
    const std::size_t from = 9600, to = std::min<std::size_t>(15600, wave.size());
    for (std::size_t n = from + 1; n < to; ++n)
        crossings += (wave[n - 1] < 0) != (wave[n] < 0);
    EXPECT_NEAR(crossings / 2.0 / (static_cast<double>(to - from) / 48000.0), 1000.0, 15.0);
}

// The core on movies made for the test: a damaged one fails alone with its
// reason, and Cancel in the middle of a long one leaves nothing half made.
TEST(ExportItems, AMovieKeepsItsFramesAndSoundADamagedOneFailsAloneCancelLeavesNoPart) {
    if (std::string(QUORVANE_MOVIERENDER).empty())
        GTEST_SKIP() << "built without Qt WebEngine: no movie renderer";
    const TempFolder folder;
    test::TestMovieRecipe recipe;
    recipe.frameColours = {0xff0000, 0x00ff00, 0x0000ff};
    const auto write = [&](const std::string& name, std::vector<std::uint8_t> bytes) {
        std::ofstream(folder / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return folder / name;
    };
    // Four colours, and a 1000 Hz tone from the third frame (1/6 s) on.
    test::TestMovieRecipe shortRecipe;
    shortRecipe.frameColours = {0xff0000, 0x00ff00, 0x0000ff, 0xffff00};
    shortRecipe.toneFrame = 2;
    shortRecipe.toneSeconds = 0.25;
    std::vector<std::uint8_t> damaged = test::MakeTestMovie(recipe);
    damaged.resize(damaged.size() / 2);
    recipe.frameColours.resize(3000, 0x336699); // four minutes at 12 frames a second
    const std::vector<ExportSource> sources = {
        {"winks", "Broken", "Broken", "broken.cab", "", write("broken.swf", damaged), "", true},
        {"winks", "Short", "Short", "short.cab", "",
         write("short.swf", test::MakeTestMovie(shortRecipe)), "", true},
        {"winks", "Long", "Long", "long.cab", "", write("long.swf", test::MakeTestMovie(recipe)),
         "", true},
    };
    CancelFlag cancel;
    ExportServices services;
    services.passport = "ann@example.com";
    services.rendererTool = QUORVANE_MOVIERENDER;
    services.words = EnglishGalleryWords(services.passport);
    services.cancel = &cancel;
    // Cancelled once the short movie is done, while the long one renders.
    services.progress = [&](std::size_t done, std::size_t) {
        if (done == 2)
            cancel.Request();
    };
    const std::string out = folder / "out";
    const ExportOutcome outcome = ExportItems(sources, out, services);
    ASSERT_EQ(outcome.items.size(), 3u);
    ASSERT_TRUE(outcome.items[0].failure);
    EXPECT_EQ(outcome.items[0].failure->code, FailureCode::Damaged);
    EXPECT_EQ(outcome.items[0].files.original, "winks/Broken.swf");
    EXPECT_TRUE(outcome.items[0].files.video.empty());
    EXPECT_FALSE(outcome.items[1].failure);
    EXPECT_EQ(outcome.items[1].files.video, "winks/Short.webm");
    ASSERT_TRUE(outcome.items[2].failure);
    EXPECT_EQ(outcome.items[2].failure->code, FailureCode::Cancelled);
    EXPECT_TRUE(outcome.interrupted);
    EXPECT_TRUE(outcome.items[1].sound);
    ExpectVideoOfFourColoursWithItsTone(folder, out + "/winks/Short.webm");
    EXPECT_EQ(FilesBelow(out),
              (std::vector<std::string>{"index.html", "quorvane-export.json", "winks/Broken.swf",
                                        "winks/Short.gif", "winks/Short.png", "winks/Short.swf",
                                        "winks/Short.webm", "winks/Short.webp"}));
}

} // namespace
} // namespace quorvane
