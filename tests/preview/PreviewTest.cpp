// The preview as the user meets it: Preview pressed in the main window on a
// listed account, the preview window playing a real movie through Ruffle or
// showing a picture, judged by the view's pixels; and the scheme that feeds
// the view, which must hand out nothing but the listed object's files.

#include "platform/Paths.h"
#include "profile/ObjectList.h"
#include "support/ChildRun.h"
#include "support/MessengerAccountBuilder.h"
#include "support/TempFolder.h"
#include "ui/WindowAccountTest.h"
#include "ui/main/MainWindow.h"
#include "ui/main/MessageBox.h"
#include "ui/preview/PlayerView.h"
#include "ui/preview/PreviewDialog.h"
#include "ui/preview/PreviewScheme.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineUrlRequestInterceptor>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>

#include <sys/stat.h>

namespace quorvane::ui {
namespace {

using test::MessengerAccountBuilder;

constexpr const char* kPassport = test::kWindowPassport;
constexpr const char* kWineUser = test::kWindowWineUser;
constexpr int kPlayTimeout = 30000;

// A one-frame movie whose stage is one colour (0xRRGGBB): 550 x 400 pixels,
// SetBackgroundColor, ShowFrame, End.
std::string StageMovie(std::uint32_t colour) {
    std::string tags = {'\x43', '\x02', static_cast<char>(colour >> 16),
                        static_cast<char>(colour >> 8), static_cast<char>(colour)};
    tags += std::string("\x40\x00\x00\x00", 4);
    const std::string frame("\x78\x00\x05\x5F\x00\x00\x0F\xA0\x00\x00\x0C\x01\x00", 13);
    const auto length = static_cast<std::uint32_t>(8 + frame.size() + tags.size());
    std::string swf = "FWS";
    swf.push_back('\x08');
    for (int i = 0; i < 4; ++i)
        swf.push_back(static_cast<char>((length >> (8 * i)) & 0xff));
    return swf + frame + tags;
}

std::string PngOf(std::uint32_t colour, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor::fromRgb(colour));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

// The share of the view's pixels that show the colour (give or take a
// little for scaling and colour management).
double ShareOf(QWidget* view, std::uint32_t colour) {
    const QImage image = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (image.isNull() || image.width() == 0)
        return 0;
    const QColor want = QColor::fromRgb(colour);
    qint64 matching = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) {
            const QColor got = QColor::fromRgb(image.pixel(x, y));
            if (std::abs(got.red() - want.red()) <= 6 &&
                std::abs(got.green() - want.green()) <= 6 &&
                std::abs(got.blue() - want.blue()) <= 6)
                ++matching;
        }
    return static_cast<double>(matching) /
           (static_cast<double>((image.width() + 1) / 2) * ((image.height() + 1) / 2));
}

// Waits in a real event loop: QTest::qWaitFor sleeps the thread between its
// looks, and Chromium's side of Qt WebEngine runs on this thread, so the
// page would crawl. A look at the condition every 20 ms.
bool WaitUntil(const std::function<bool()>& condition, int timeout) {
    if (condition())
        return true;
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        if (condition())
            loop.quit();
    });
    QTimer::singleShot(timeout, &loop, &QEventLoop::quit);
    look.start(20);
    loop.exec();
    return condition();
}

void Pause(int milliseconds) {
    WaitUntil([] { return false; }, milliseconds);
}

// Grabbing the view makes Chromium render a frame for it at once, which
// holds up the page; a look every quarter of a second leaves it room to load.
bool WaitForShare(QWidget* view, std::uint32_t colour, double share) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < kPlayTimeout) {
        if (ShareOf(view, colour) >= share)
            return true;
        Pause(250);
    }
    return false;
}

// Records every request the view makes, wherever it goes.
class RequestCounter : public QWebEngineUrlRequestInterceptor {
public:
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        const std::lock_guard lock(m_mutex);
        m_urls.append(info.requestUrl());
    }
    QList<QUrl> Urls() const {
        const std::lock_guard lock(m_mutex);
        return m_urls;
    }

private:
    mutable std::mutex m_mutex;
    QList<QUrl> m_urls;
};

// Watches a page's requests for as long as it lives.
class CountingRequests {
public:
    explicit CountingRequests(QWebEnginePage* page) : m_page(page) {
        m_page->setUrlRequestInterceptor(&m_counter);
    }
    ~CountingRequests() { m_page->setUrlRequestInterceptor(nullptr); }
    CountingRequests(const CountingRequests&) = delete;
    CountingRequests& operator=(const CountingRequests&) = delete;
    QList<QUrl> Urls() const { return m_counter.Urls(); }

private:
    QWebEnginePage* m_page;
    RequestCounter m_counter;
};

class PreviewTest : public test::WindowAccountTest {
protected:
    std::unique_ptr<MainWindow> OpenAndList(ContentCategory category) {
        auto window = Open();
        window->findChild<QComboBox*>("passport")->setEditText(kPassport);
        window->findChild<QComboBox*>("backupType")->setCurrentIndex(static_cast<int>(category));
        QSignalSpy finished(&window->Controller(), &MainController::ListFinished);
        QTest::mouseClick(window->findChild<QPushButton*>("list"), Qt::LeftButton);
        if (window->Controller().IsBusy()) {
            EXPECT_TRUE(finished.wait(60000));
        }
        return window;
    }
    static void ClickItem(QListWidget* list, int row) {
        const QRect box = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box.center());
        QApplication::processEvents();
    }
    // Presses Preview; while the modal preview window is open, hands it to
    // check, then closes it. False when no preview window opened.
    static bool PressPreview(MainWindow& window, const std::function<void(PreviewDialog&)>& check) {
        bool opened = false;
        QTimer poll;
        poll.setInterval(20);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* preview = qobject_cast<PreviewDialog*>(QApplication::activeModalWidget());
            if (preview == nullptr)
                return;
            poll.stop();
            opened = true;
            check(*preview);
            preview->reject();
        });
        poll.start();
        QTest::mouseClick(window.findChild<QPushButton*>("preview"), Qt::LeftButton);
        poll.stop();
        return opened;
    }
    // A preview window of its own, shown without a modal loop.
    std::unique_ptr<PreviewDialog> OpenPreview(const std::string& path, bool movie,
                                               const std::string& folder) {
        auto dialog = std::make_unique<PreviewDialog>(PreviewRequest{
            {}, QString::fromStdString(path), movie, {QString::fromStdString(folder)}});
        dialog->show();
        return dialog;
    }
    static bool WaitForLoaded(PreviewDialog& dialog) {
        return WaitUntil([&] { return dialog.IsLoaded(); }, kPlayTimeout);
    }
};

constexpr std::uint32_t kStage = 0x1D3557;
constexpr std::uint32_t kOtherStage = 0xE63946;
constexpr std::uint32_t kPicture = 0x2A9D8F;

// --- The Preview command in the main window -------------------------------

TEST_F(PreviewTest, CommandPlaysTheFirstMovieOfTheFolder) {
    test::AccountObject wink = MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 0);
    wink.files = {{"thumb.png", MessengerAccountBuilder::PngPicture()},
                  {"b-second.swf", StageMovie(kOtherStage)},
                  {"a-first.swf", StageMovie(kStage)}};
    builder.Add(ContentCategory::Winks, wink);
    builder.Write();
    auto window = OpenAndList(ContentCategory::Winks);
    auto* installed = window->findChild<QListWidget*>("installed");
    ASSERT_EQ(installed->count(), 1);
    ClickItem(installed, 0);
    double stage = 0;
    double other = 1;
    QRect view;
    QRect client;
    ASSERT_TRUE(PressPreview(*window, [&](PreviewDialog& preview) {
        // The title names the item shown.
        EXPECT_EQ(preview.windowTitle(), QStringLiteral("Bongo Kiss 0 - Preview - Quorvane"));
        // Centred, give or take a pixel of rounding each way.
        const QPoint off =
            preview.frameGeometry().center() - preview.screen()->availableGeometry().center();
        EXPECT_LE(off.manhattanLength(), 2);
        WaitForLoaded(preview);
        WaitForShare(preview.Browser(), kStage, 0.5);
        stage = ShareOf(preview.Browser(), kStage);
        other = ShareOf(preview.Browser(), kOtherStage);
        view = preview.Browser()->geometry();
        client = preview.rect();
    }));
    EXPECT_GE(stage, 0.5) << "the first movie's stage fills most of the view";
    EXPECT_EQ(other, 0.0) << "the second movie is not shown";
    EXPECT_EQ(view, client);
    EXPECT_TRUE(MessageBox::Shown().isEmpty());
}

TEST_F(PreviewTest, WithoutASelectionPreviewIsOffAndAPictureIsFoundWhateverItsCase) {
    test::AccountObject picture =
        MessengerAccountBuilder::SampleObject(ContentCategory::RegularDisplayPictures, 0);
    picture.location = "Sunset.PNG";
    picture.files = {{"Sunset.PNG", PngOf(kPicture, 300, 200)}};
    builder.Add(ContentCategory::RegularDisplayPictures, picture);
    builder.Add(ContentCategory::RegularDisplayPictures,
                MessengerAccountBuilder::SampleObject(ContentCategory::RegularDisplayPictures, 1));
    builder.Write();
    auto window = OpenAndList(ContentCategory::RegularDisplayPictures);
    auto* installed = window->findChild<QListWidget*>("installed");
    ASSERT_EQ(installed->count(), 2);

    // The clicked item went to the other list: nothing is selected, Preview
    // is off and no window opens.
    ClickItem(installed, 1);
    QTest::mouseClick(window->findChild<QPushButton*>("add"), Qt::LeftButton);
    EXPECT_FALSE(window->findChild<QPushButton*>("preview")->isEnabled());
    EXPECT_FALSE(PressPreview(*window, [](PreviewDialog&) {}));
    EXPECT_EQ(MessageBox::Shown(), QStringList{});

    // Stored under another case than the catalogue says (as a copy from a
    // Windows disk may be), the picture is still found and shown.
    const std::string folder = builder.ObjectFolder(ContentCategory::RegularDisplayPictures);
    std::filesystem::rename(JoinPath(folder, "Sunset.PNG"), JoinPath(folder, "sunset.png"));
    MessageBox::Shown().clear();
    ClickItem(installed, 0);
    double shown = 0;
    ASSERT_TRUE(PressPreview(*window, [&](PreviewDialog& preview) {
        WaitForLoaded(preview);
        WaitForShare(preview.Browser(), kPicture, 0.1);
        shown = ShareOf(preview.Browser(), kPicture);
    }));
    EXPECT_GE(shown, 0.1);
    EXPECT_TRUE(MessageBox::Shown().isEmpty());
}

// --- The preview window's states ------------------------------------------

TEST_F(PreviewTest, WindowsViewFillsItAndFollowsMinimiseAndRestore) {
    const std::string movie = root / "movies/stage.swf";
    test::WriteFile(movie, StageMovie(kStage));
    auto dialog = OpenPreview(movie, true, root / "movies");
    ASSERT_TRUE(WaitForLoaded(*dialog));
    EXPECT_EQ(dialog->Browser()->geometry(), dialog->rect());
    ASSERT_TRUE(WaitForShare(dialog->Browser(), kStage, 0.5));

    dialog->setWindowState(Qt::WindowMinimized);
    QApplication::processEvents();
    EXPECT_TRUE(dialog->Browser()->geometry().isEmpty());
    dialog->setWindowState(Qt::WindowNoState);
    QApplication::processEvents();
    EXPECT_EQ(dialog->Browser()->geometry(), dialog->rect());
}

TEST_F(PreviewTest, WindowSaysPlainlyWhenAMovieCannotBePlayed) {
    // No movie at all; a plain movie cut short (Ruffle reads its header and
    // then fails on the body); a compressed one whose body is no zlib.
    const std::string cut = StageMovie(kStage).substr(0, 20);
    const std::pair<std::string, const char*> files[] = {
        {"This is a text file, not a movie at all.", "not a Flash movie"},
        {cut, "cannot be played"},
        {std::string("CWS\x08\x40\x00\x00\x00", 8) + "no zlib stream here at all",
         "cannot be played"}};
    for (const auto& [bytes, says] : files) {
        const std::string movie = root / "movies/bad.swf";
        test::WriteFile(movie, bytes);
        auto dialog = OpenPreview(movie, true, root / "movies");
        EXPECT_TRUE(WaitUntil(
            [&] {
                return dialog->Browser()->Player()->CurrentState() ==
                       PreviewPlayerPage::State::Failed;
            },
            kPlayTimeout))
            << says;
        QString text;
        dialog->Browser()->page()->toPlainText([&](const QString& result) { text = result; });
        ASSERT_TRUE(WaitUntil([&] { return !text.isEmpty(); }, 5000));
        EXPECT_TRUE(text.contains(QLatin1String(says))) << text.toStdString();
    }
}

// --- Using the window ------------------------------------------------------

TEST_F(PreviewTest, EscapeAndEnterCloseTheWindowWhileTheViewHasTheFocus) {
    const std::string movie = root / "movies/stage.swf";
    test::WriteFile(movie, StageMovie(kStage));
    for (const auto& [key, result] : {std::pair{Qt::Key_Escape, QDialog::Rejected},
                                      std::pair{Qt::Key_Return, QDialog::Accepted}}) {
        auto dialog = OpenPreview(movie, true, root / "movies");
        ASSERT_TRUE(WaitForLoaded(*dialog));
        ASSERT_TRUE(WaitForShare(dialog->Browser(), kStage, 0.5));
        dialog->activateWindow();
        dialog->Browser()->setFocus();
        ASSERT_TRUE(WaitUntil(
            [&] {
                return QApplication::focusWidget() != nullptr &&
                       dialog->Browser()->isAncestorOf(QApplication::focusWidget());
            },
            5000));
        QTest::keyClick(QApplication::focusWidget(), key);
        QApplication::processEvents();
        EXPECT_FALSE(dialog->isVisible()) << key;
        EXPECT_EQ(dialog->result(), result) << key;
    }
}

TEST_F(PreviewTest, WindowSaysLoadingInItsOwnColourUntilTheMovieIsOnScreen) {
    const std::string movie = root / "movies/stage.swf";
    test::WriteFile(movie, StageMovie(kStage));
    auto dialog = OpenPreview(movie, true, root / "movies");
    const std::uint32_t window = dialog->palette().color(QPalette::Window).rgb() & 0xffffff;
    auto* loading = dialog->findChild<QLabel*>("loading");
    ASSERT_NE(loading, nullptr);
    EXPECT_TRUE(loading->isVisible());
    EXPECT_EQ(loading->text(), QStringLiteral("Loading..."));
    EXPECT_GE(ShareOf(dialog.get(), window), 0.8) << "the window's colour, not a black page";
    ASSERT_TRUE(WaitForShare(dialog.get(), kStage, 0.5));
    EXPECT_FALSE(loading->isVisible());
}

TEST_F(PreviewTest, ASecondPreviewFindsThePlayerLoadedAndReadsOnlyItsMovie) {
    const std::string first = root / "movies/first.swf";
    const std::string second = root / "movies/second.swf";
    test::WriteFile(first, StageMovie(kStage));
    test::WriteFile(second, StageMovie(kOtherStage));
    {
        auto dialog = OpenPreview(first, true, root / "movies");
        ASSERT_TRUE(WaitForLoaded(*dialog));
        ASSERT_TRUE(WaitForShare(dialog->Browser(), kStage, 0.5));
        dialog->reject();
    }
    auto dialog = std::make_unique<PreviewDialog>(PreviewRequest{
        {}, QString::fromStdString(second), true, {QString::fromStdString(root / "movies")}});
    const CountingRequests counter(dialog->Browser()->page());
    dialog->show();
    ASSERT_TRUE(WaitForLoaded(*dialog));
    ASSERT_TRUE(WaitForShare(dialog->Browser(), kOtherStage, 0.5));
    const QList<QUrl> urls = counter.Urls();
    ASSERT_EQ(urls.size(), 1);
    EXPECT_EQ(urls[0].path(), QStringLiteral("/object") + QString::fromStdString(second));
}

TEST_F(PreviewTest, AfterAPreviewTheMainWindowsControlsAreStillNoNativeWindows) {
    test::AccountObject wink = MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 0);
    wink.files = {{"thumb.png", MessengerAccountBuilder::PngPicture()},
                  {"stage.swf", StageMovie(kStage)}};
    builder.Add(ContentCategory::Winks, wink);
    builder.Write();
    auto window = OpenAndList(ContentCategory::Winks);
    auto* installed = window->findChild<QListWidget*>("installed");
    ASSERT_EQ(installed->count(), 1);
    ClickItem(installed, 0);
    ASSERT_TRUE(PressPreview(*window, [](PreviewDialog& preview) {
        WaitForLoaded(preview);
        WaitForShare(preview.Browser(), kStage, 0.5);
    }));
    // A native control would take a drag on it as moves of its own window,
    // and the frameless main window would jump.
    const QList<QLabel*> labels = window->findChildren<QLabel*>();
    ASSERT_FALSE(labels.isEmpty());
    for (QLabel* label : labels)
        EXPECT_FALSE(label->testAttribute(Qt::WA_NativeWindow)) << label->text().toStdString();
}

// --- What the view may read -----------------------------------------------

TEST_F(PreviewTest, NoRequestLeavesTheMachine) {
    const std::string movie = root / "movies/stage.swf";
    test::WriteFile(movie, StageMovie(kStage));
    // A player page of its own, watched from before it loads anything.
    PreviewPlayerPage page;
    const CountingRequests counter(&page);
    PlayerView view(nullptr, &page);
    view.resize(400, 300);
    view.show();
    PreviewHandler()->SetAllowedFolders({QString::fromStdString(root / "movies")});
    page.Start();
    page.Show(QString::fromStdString(movie), true);
    ASSERT_TRUE(WaitForShare(&view, kStage, 0.5));
    const QList<QUrl> urls = counter.Urls();
    bool wasm = false;
    for (const QUrl& url : urls) {
        EXPECT_TRUE(url.scheme() == QLatin1String(kPreviewScheme) || url.scheme() == "about" ||
                    url.scheme() == "data" || url.scheme() == "blob")
            << url.toString().toStdString();
        wasm = wasm || url.path().endsWith(QLatin1String(".wasm"));
    }
    EXPECT_TRUE(wasm) << "the player's core came through the scheme";
    EXPECT_EQ(PreviewGuard()->Blocked(), 0);
}

TEST_F(PreviewTest, SchemeRefusesEverythingOutsideTheListedFolders) {
    const std::string inside = root / "objects/a.png";
    const std::string outside = root / "objects-secret/b.png";
    test::WriteFile(inside, PngOf(kPicture, 10, 10));
    test::WriteFile(outside, PngOf(kPicture, 10, 10));
    std::filesystem::create_symlink(outside, root / "objects/link.png");
    PreviewSchemeHandler handler(QStringLiteral("/nonexistent"));
    handler.SetAllowedFolders({QString::fromStdString(root / "objects")});

    auto objectUrl = [](const std::string& path) {
        QUrl url(QStringLiteral("quorvane-preview://preview"));
        url.setPath(QStringLiteral("/object") + QString::fromStdString(path));
        return url;
    };
    EXPECT_EQ(handler.Resolve(ObjectUrl(QString::fromStdString(inside))).toStdString(),
              std::filesystem::canonical(inside).string());
    // A neighbour whose name begins like the folder, a way up, a link out.
    EXPECT_TRUE(handler.Resolve(objectUrl(outside)).isEmpty());
    EXPECT_TRUE(handler.Resolve(objectUrl(root / "objects/../objects-secret/b.png")).isEmpty());
    EXPECT_TRUE(handler.Resolve(objectUrl(root / "objects/link.png")).isEmpty());
    EXPECT_TRUE(handler.Resolve(objectUrl(root / "objects")).isEmpty()) << "a folder";
    EXPECT_TRUE(handler.Resolve(QUrl("quorvane-preview://preview/ruffle/..%2F..%2Fetc%2Fpasswd"))
                    .isEmpty());
    EXPECT_TRUE(handler.Resolve(QUrl("quorvane-preview://elsewhere/player/player.html")).isEmpty());

    // Through the view: the player asked for a file outside says it cannot
    // show it, and nothing of it is served.
    auto dialog = OpenPreview(inside, false, root / "objects");
    ASSERT_TRUE(WaitForLoaded(*dialog));
    ASSERT_TRUE(WaitForShare(dialog->Browser(), kPicture, 0.0001));
    const int refused = PreviewHandler()->Refused();
    PreviewPlayerPage* player = dialog->Browser()->Player();
    player->Show(QString::fromStdString(outside), false);
    ASSERT_TRUE(WaitUntil(
        [&] { return player->CurrentState() == PreviewPlayerPage::State::Failed; }, kPlayTimeout));
    EXPECT_EQ(PreviewHandler()->Refused(), refused + 1);

    // Nor does a page of the preview go anywhere else: the web and file://
    // are blocked.
    QWebEnginePage page(PreviewProfile());
    QSignalSpy finished(&page, &QWebEnginePage::loadFinished);
    const int blocked = PreviewGuard()->Blocked();
    for (const char* elsewhere : {"http://example.com/", "file:///etc/hostname"}) {
        page.setUrl(QUrl(QString::fromLatin1(elsewhere)));
        ASSERT_TRUE(finished.wait(kPlayTimeout)) << elsewhere;
        EXPECT_FALSE(finished.takeFirst().at(0).toBool()) << elsewhere;
    }
    EXPECT_EQ(PreviewGuard()->Blocked(), blocked + 2);
}

TEST_F(PreviewTest, SchemeRefusesAFifoSwappedInForAServedFileWithoutWaiting) {
    const std::string movie = root / "movies/stage.swf";
    test::WriteFile(movie, StageMovie(kStage));
    PreviewSchemeHandler handler(QStringLiteral("/nonexistent"));
    handler.SetAllowedFolders({QString::fromStdString(root / "movies")});
    const QString served = handler.Resolve(ObjectUrl(QString::fromStdString(movie)));
    ASSERT_FALSE(served.isEmpty());
    // Swapped for a FIFO nobody writes to after the check: opening it to
    // read would wait for ever.
    std::filesystem::remove(movie);
    ASSERT_EQ(::mkfifo(movie.c_str(), 0600), 0);
    EXPECT_EQ(OpenServedFile(served, false), nullptr);
    EXPECT_EQ(OpenServedFile(served, true), nullptr);
}

} // namespace
} // namespace quorvane::ui
