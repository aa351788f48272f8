// What a person waits for after pressing Preview, on the offscreen platform,
// with the demo account's Winks (Flash movies played by Ruffle) and display
// pictures, the player page loaded in the background from the start as the
// program does it:
//
//   movie, first     Preview to the first frame of a movie painted in the
//                    view, the first time
//   picture          Preview to the picture painted in the view
//   movie, again     the same for another movie
//
// Each is split at the preview window shown, the player page reporting the
// file drawn (the window's "Loading..." lifted), and the first painted frame
// seen in the view, so the print-out shows what dominates. A plain program:
// it prints its figures.

#include "app/DemoAccount.h"
#include "app/SettingsStore.h"
#include "backup/CabinetTools.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/ProcessRunner.h"
#include "platform/SystemFolders.h"
#include "support/TempFolder.h"
#include "ui/main/MainWindow.h"
#include "ui/main/MessageBox.h"
#include "ui/main/PreviewRequest.h"
#include "ui/preview/PlayerView.h"
#include "ui/preview/PreviewDialog.h"
#include "ui/preview/PreviewScheme.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <set>
#include <utility>
#include <vector>

using namespace quorvane;

namespace {

constexpr int kAgain = 5;

// The demo's movies play on a deep blue stage with a big amber shape.
constexpr std::uint32_t kStage = 0x1D3557;
constexpr std::uint32_t kShape = 0xFFB703;

struct Stages {
    double shown = -1;   // the preview window is up
    double ready = -1;   // the page reports the file drawn
    double painted = -1; // the first frame of the file seen in the view
};

bool Near(QRgb pixel, std::uint32_t colour) {
    return std::abs(qRed(pixel) - static_cast<int>((colour >> 16) & 0xff)) <= 8 &&
           std::abs(qGreen(pixel) - static_cast<int>((colour >> 8) & 0xff)) <= 8 &&
           std::abs(qBlue(pixel) - static_cast<int>(colour & 0xff)) <= 8;
}

// A movie frame: the demo stage colour over much of the view and its amber
// shape in it. A picture: many colours where the empty page has one.
bool Painted(QWidget* view, bool movie) {
    const QImage image = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int stage = 0;
    int shape = 0;
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4) {
            const QRgb pixel = image.pixel(x, y);
            stage += Near(pixel, kStage) ? 1 : 0;
            shape += Near(pixel, kShape) ? 1 : 0;
            if (colours.size() < 16)
                colours.insert(pixel & 0xffffff);
        }
    const int samples = std::max(1, ((image.width() + 3) / 4) * ((image.height() + 3) / 4));
    if (movie)
        return stage * 4 > samples && shape > 0;
    return colours.size() >= 8;
}

// Presses Preview and follows the window until its first painted frame.
Stages Measure(ui::MainWindow& window, bool movie) {
    Stages stages;
    QElapsedTimer clock;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* preview = qobject_cast<ui::PreviewDialog*>(QApplication::activeModalWidget());
        if (preview == nullptr)
            return;
        const auto now = [&] { return static_cast<double>(clock.nsecsElapsed()) / 1e6; };
        if (stages.shown < 0)
            stages.shown = now();
        // Grabbing the view makes Chromium render at once and holds up the
        // page, so the pixels are looked at only once the page says the
        // file is drawn.
        if (stages.ready < 0) {
            if (!preview->IsLoaded())
                return;
            stages.ready = now();
        }
        if (Painted(preview->Browser(), movie)) {
            stages.painted = now();
            poll.stop();
            preview->reject();
        } else if (clock.elapsed() > 60000) {
            poll.stop();
            preview->reject();
        }
    });
    poll.start();
    clock.start();
    window.findChild<QPushButton*>("preview")->click();
    poll.stop();
    return stages;
}

bool List(ui::MainWindow& window, ContentCategory category, int row) {
    window.findChild<QComboBox*>("passport")->setEditText(kDemoPassport);
    window.findChild<QComboBox*>("backupType")->setCurrentIndex(static_cast<int>(category));
    QSignalSpy finished(&window.Controller(), &ui::MainController::ListFinished);
    window.findChild<QPushButton*>("list")->click();
    if (window.Controller().IsBusy() && !finished.wait(120000))
        return false;
    auto* installed = window.findChild<QListWidget*>("installed");
    if (installed->count() <= row)
        return false;
    const QRect box = installed->visualItemRect(installed->item(row));
    QTest::mouseClick(installed->viewport(), Qt::LeftButton, {}, box.center());
    QApplication::processEvents();
    return true;
}

void Print(const char* what, const Stages& stages) {
    std::printf("  %-14s %7.1f ms = window shown %6.1f + file drawn by the page %6.1f"
                " + seen in the view %6.1f\n",
                what, stages.painted, stages.shown, stages.ready - stages.shown,
                stages.painted - stages.ready);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    test::TempFolder root;
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"})
        qputenv(name, QByteArray::fromStdString(root / ("home/" + std::string(name))));

    ui::RegisterPreviewScheme();
    QApplication app(argc, argv);
    ui::SetPreviewRunner(&ui::RunPreview);
    ui::MessageBox::SetRecording(true);

    // The demo account, written exactly as the program writes it.
    WineAccount wine{root / "wine", "benchuser"};
    SystemClock clock;
    SleepingPause pause;
    SpawnProcessRunner runner;
    SystemFolders folders(clock, pause);
    folders.Locate(wine.WindowsFolder());
    CabinetTools tools(runner, folders.programFolder, folders.windowsFolder);
    const Result<DemoAccount> made = EnsureDemoAccount(root / "demo", wine.user, tools);
    if (!made) {
        std::fprintf(stderr, "bench_preview: no demo account: %s\n", made.error().sentence.c_str());
        return 1;
    }
    const DemoAccount& demo = *made;
    ui::MainWindow window(WineAccount{demo.prefix, wine.user},
                          JoinPath(ExecutableFolder(), "../share/quorvane"),
                          SettingsStore(SettingsFolder()));
    window.show();
    QElapsedTimer sinceStart;
    sinceStart.start();
    double pageLoaded = -1;
    ui::WarmUpPreview();
    ui::PreviewPlayerPage* player = ui::PreviewPlayerPage::Instance();
    QObject::connect(player, &QWebEnginePage::loadFinished,
                     [&] { pageLoaded = static_cast<double>(sinceStart.nsecsElapsed()) / 1e6; });

    if (!List(window, ContentCategory::Winks, 0)) {
        std::fprintf(stderr, "bench_preview: the demo Winks did not list\n");
        return 1;
    }
    const double firstPressed = static_cast<double>(sinceStart.nsecsElapsed()) / 1e6;
    const bool playerLoadedAtFirst = player->CurrentState() == ui::PreviewPlayerPage::State::Ready;
    const Stages first = Measure(window, true);
    if (!List(window, ContentCategory::RegularDisplayPictures, 0)) {
        std::fprintf(stderr, "bench_preview: the demo pictures did not list\n");
        return 1;
    }
    const Stages picture = Measure(window, false);
    std::vector<Stages> again;
    for (int run = 0; run < kAgain; ++run) {
        if (!List(window, ContentCategory::Winks, 1 + run % (kDemoObjectCounts[0] - 1)))
            return 1;
        again.push_back(Measure(window, true));
    }
    for (const Stages& stages : std::vector<Stages>{first, picture})
        if (stages.painted < 0) {
            std::fprintf(stderr, "bench_preview: a preview never painted its file\n");
            return 1;
        }
    std::sort(again.begin(), again.end(),
              [](const Stages& a, const Stages& b) { return a.painted < b.painted; });
    const Stages median = again[again.size() / 2];

    std::printf("bench_preview: Preview pressed to the file's first painted frame\n");
    Print("movie, first", first);
    Print("picture", picture);
    Print("movie, again", median);
    std::printf("  (movie again: median of %d, %.1f to %.1f ms)\n", kAgain, again.front().painted,
                again.back().painted);
    // The longest stage of a movie's way to the screen.
    const std::pair<double, const char*> parts[] = {
        {median.shown, "opening the preview window"},
        {median.ready - median.shown, "reading the movie and Ruffle drawing its first frame"},
        {median.painted - median.ready, "the frame reaching the view"}};
    const auto dominant = std::max_element(std::begin(parts), std::end(parts));
    std::printf("  dominant (movie, again): %s, %.0f%% of the wait\n", dominant->second,
                100.0 * dominant->first / median.painted);
    std::printf("  since the window was shown: first Preview pressed at %.0f ms, the player"
                " %s then; its page loaded at %.0f ms\n",
                firstPressed, playerLoadedAtFirst ? "warm" : "still warming up", pageLoaded);
    return 0;
}
