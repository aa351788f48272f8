// The main window as a user drives it: a passport typed, a type chosen,
// List, clicks, the moves and Backup Now, on an account written into a fake
// Wine prefix. Messages are recorded instead of shown.

#include "ui/main/MainWindow.h"
#include "app/SettingsStore.h"
#include "app/SingleInstance.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "profile/MessengerProfile.h"
#include "profile/ObjectList.h"
#include "protection/DataProtection.h"
#include "support/ChildRun.h"
#include "support/MessengerAccountBuilder.h"
#include "support/TempFolder.h"
#include "ui/WindowAccountTest.h"
#include "ui/main/FolderDialog.h"
#include "ui/main/MessageBox.h"
#include "ui/main/PreviewRequest.h"
#include "ui/main/StartNotice.h"
#include "ui/main/Thumbnails.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

namespace quorvane::ui {
namespace {

using test::AccountObject;
using test::MessengerAccountBuilder;

constexpr const char* kPassport = test::kWindowPassport;
constexpr const char* kWineUser = test::kWindowWineUser;

class MainWindowTest : public test::WindowAccountTest {
protected:
    static void Click(MainWindow& window, const char* name) {
        QTest::mouseClick(Find<QPushButton>(window, name), Qt::LeftButton);
    }
    // Types the passport, picks the type, presses List and waits for it.
    static void List(MainWindow& window, ContentCategory category,
                     const QString& passport = kPassport) {
        Find<QComboBox>(window, "passport")->setEditText(passport);
        Find<QComboBox>(window, "backupType")->setCurrentIndex(static_cast<int>(category));
        QSignalSpy finished(&window.Controller(), &MainController::ListFinished);
        Click(window, "list");
        // A listing holds the buttons off until it has finished.
        if (!Find<QPushButton>(window, "list")->isEnabled()) {
            ASSERT_TRUE(finished.wait(60000));
        }
    }
    static void ClickItem(QListWidget* list, int row) {
        const QRect box = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box.center());
        QApplication::processEvents();
    }
    static std::vector<std::size_t> ItemData(QListWidget* list) {
        std::vector<std::size_t> data;
        for (int row = 0; row < list->count(); ++row)
            data.push_back(list->item(row)->data(Qt::UserRole).toULongLong());
        return data;
    }
    void AddWinks(int count) {
        for (int n = 0; n < count; ++n)
            builder.Add(ContentCategory::Winks,
                        MessengerAccountBuilder::SampleObject(ContentCategory::Winks, n));
    }
};

TEST_F(MainWindowTest, ListMoveAndBackupAsAUserWould) {
    AddWinks(3);
    builder.Write();
    auto window = Open();
    auto* installed = Find<QListWidget>(*window, "installed");
    auto* selected = Find<QListWidget>(*window, "selected");
    // At start only what can do something is enabled.
    for (const char* name : {"add", "addAll", "remove", "removeAll", "preview"})
        EXPECT_FALSE(Find<QPushButton>(*window, name)->isEnabled()) << name;
    for (const char* name : {"list", "changeFolder", "openFolder", "getMore", "help", "backupNow"})
        EXPECT_TRUE(Find<QPushButton>(*window, name)->isEnabled()) << name;

    List(*window, ContentCategory::Winks);
    ASSERT_EQ(installed->count(), 3);
    EXPECT_EQ(installed->item(1)->text().toStdString(),
              CodePage::Ansi().ToUtf8(
                  MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 1).displayName));
    EXPECT_TRUE(Find<QPushButton>(*window, "addAll")->isEnabled());
    EXPECT_EQ(Find<QComboBox>(*window, "passport")->findText(kPassport), 0)
        << "the listed passport is remembered";

    // A click on an item enables ">" and Preview; the move keeps name,
    // thumbnail and item data.
    ClickItem(installed, 2);
    EXPECT_TRUE(Find<QPushButton>(*window, "add")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>(*window, "preview")->isEnabled());
    const QString name = installed->item(2)->text();
    const qint64 icon = installed->item(2)->icon().cacheKey();
    Click(*window, "add");
    ASSERT_EQ(selected->count(), 1);
    EXPECT_EQ(selected->item(0)->text(), name);
    EXPECT_EQ(selected->item(0)->icon().cacheKey(), icon);
    EXPECT_EQ(ItemData(selected), std::vector<std::size_t>{2});
    // Nothing selected any more: ">" and Preview wait for a choice.
    EXPECT_FALSE(Find<QPushButton>(*window, "add")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(*window, "preview")->isEnabled());

    // Enter runs Backup Now, on the selected item only.
    QSignalSpy finished(&window->Controller(), &MainController::BackupFinished);
    Find<QComboBox>(*window, "passport")->setFocus();
    QTest::keyClick(Find<QComboBox>(*window, "passport"), Qt::Key_Return);
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_EQ(MessageBox::Shown(), QStringList{"Congratulation! Backup finished successfully."});
    const std::string packs = JoinPath(window->BackupFolder(), "msn-winks");
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(packs))
        files.push_back(entry.path().filename().string());
    EXPECT_EQ(files, std::vector<std::string>{CodePage::Ansi().ToUtf8("Heart-Fireworks-2.msn")});

    // ">>" then "<<" brings every item back with its item data.
    Click(*window, "addAll");
    EXPECT_EQ(installed->count(), 0);
    Click(*window, "removeAll");
    std::vector<std::size_t> all = ItemData(installed);
    std::sort(all.begin(), all.end());
    EXPECT_EQ(all, (std::vector<std::size_t>{0, 1, 2}));
}

// Export to open formats, from the keyboard: the right list's items, or
// every listed item when it is empty, into the folder chosen.
TEST_F(MainWindowTest, ExportWritesTheChosenItemsOrAllOfThemAndTheirGallery) {
    for (int n = 0; n < 3; ++n)
        builder.Add(ContentCategory::CustomEmoticons,
                    MessengerAccountBuilder::SampleObject(ContentCategory::CustomEmoticons, n));
    builder.Write();
    auto window = Open();
    List(*window, ContentCategory::CustomEmoticons);
    auto* installed = Find<QListWidget>(*window, "installed");
    ASSERT_EQ(installed->count(), 3);
    ClickItem(installed, 1);
    Click(*window, "add");
    ClickItem(installed, 1);
    Click(*window, "add");

    const auto exportInto = [&](const std::string& folder) {
        FolderDialog::SetNextAnswer(QString::fromStdString(folder));
        QSignalSpy finished(&window->Controller(), &MainController::ExportFinished);
        QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
        EXPECT_TRUE(finished.wait(60000));
    };
    const std::string one = root / "one";
    exportInto(one);
    EXPECT_EQ(MessageBox::Shown(), QStringList{"2 items were exported."});
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(one))
        files.push_back(std::filesystem::relative(entry.path(), one).string());
    std::sort(files.begin(), files.end());
    // The second emoticon is a PNG stored under ".dat": named by its bytes.
    EXPECT_EQ(files, (std::vector<std::string>{
                         "custom-emoticons", "custom-emoticons/caf\xC3\xA9-1.png",
                         "custom-emoticons/wave-2.gif", "index.html", "quorvane-export.json"}));

    Click(*window, "removeAll");
    MessageBox::Shown().clear();
    const std::string all = root / "all";
    exportInto(all);
    EXPECT_EQ(MessageBox::Shown(), QStringList{"3 items were exported."});
    EXPECT_TRUE(std::filesystem::exists(all + "/custom-emoticons/dance-0.gif"));
    EXPECT_TRUE(std::filesystem::exists(all + "/custom-emoticons/wave-2.gif"));
}

// The window gives the command line's reasons: why nothing was listed in
// its box, what was left out beside the lists.
TEST_F(MainWindowTest, AListSaysWhyNothingWasListedAndWhatWasLeftOut) {
    builder.Add(ContentCategory::RegularDisplayPictures,
                MessengerAccountBuilder::SampleObject(ContentCategory::RegularDisplayPictures, 0));
    AccountObject junk =
        MessengerAccountBuilder::SampleObject(ContentCategory::RegularDisplayPictures, 1);
    junk.files = {{junk.location, "not a picture"}};
    builder.Add(ContentCategory::RegularDisplayPictures, junk);
    builder.Write();
    auto window = Open();
    auto* instructions = Find<QLabel>(*window, "instructions");
    List(*window, ContentCategory::RegularDisplayPictures);
    EXPECT_EQ(Find<QListWidget>(*window, "installed")->count(), 1);
    EXPECT_EQ(MessageBox::Shown(), QStringList{});
    EXPECT_TRUE(instructions->text().contains("of 2 catalogue objects was left out: 1 without a "
                                              "picture that can be shown."))
        << instructions->text().toStdString();

    List(*window, ContentCategory::Winks, "nobody@example.com");
    const std::string message = MessageBox::Shown().value(0).toStdString();
    EXPECT_TRUE(message.starts_with("Nothing could be listed: there is no Messenger data (MSN "
                                    "Winks) for the passport \"nobody@example.com\""))
        << message;
    EXPECT_FALSE(instructions->text().contains("left out"));
}

TEST_F(MainWindowTest, ARefusedPassportChangesNothing) {
    AddWinks(2);
    builder.Add(ContentCategory::CustomEmoticons,
                MessengerAccountBuilder::SampleObject(ContentCategory::CustomEmoticons, 0));
    builder.Write();
    auto window = Open();
    List(*window, ContentCategory::Winks);
    auto* installed = Find<QListWidget>(*window, "installed");
    ASSERT_EQ(installed->count(), 2);

    for (const char* bad : {"", "a@bc", "@abcd", "nobody"}) {
        List(*window, ContentCategory::CustomEmoticons, bad);
        EXPECT_EQ(MessageBox::Shown().takeLast(), "Please enter an valid MSN account.") << bad;
        EXPECT_EQ(installed->count(), 2) << bad;
        EXPECT_EQ(window->ListedCategory(), ContentCategory::Winks);
    }
}

TEST_F(MainWindowTest, WithoutThePreviewLibraryPreviewSaysSo) {
    // This program is built without Qt WebEngine: no preview is registered.
    AddWinks(1);
    builder.Write();
    auto window = Open();
    List(*window, ContentCategory::Winks);
    ClickItem(Find<QListWidget>(*window, "installed"), 0);
    Click(*window, "preview");
    EXPECT_EQ(MessageBox::Shown(), QStringList{"Preview is not part of this build of Quorvane."});
}

// What the preview window was last asked to show.
PreviewRequest g_previewed;

void RecordPreview(QWidget*, const PreviewRequest& request) {
    g_previewed = request;
}

TEST_F(MainWindowTest, PreviewShowsTheMovieOfTheLatestListing) {
    AddWinks(1);
    builder.Write();
    auto window = Open();
    SetPreviewRunner(RecordPreview);
    const auto preview = [&] {
        g_previewed = {};
        ClickItem(Find<QListWidget>(*window, "installed"), 0);
        Click(*window, "preview");
        return g_previewed;
    };
    List(*window, ContentCategory::Winks);
    const PreviewRequest first = preview();
    // Another List replaces the listing and its unpacked movies.
    List(*window, ContentCategory::Winks);
    const PreviewRequest second = preview();
    SetPreviewRunner(nullptr);

    EXPECT_TRUE(first.movie);
    EXPECT_TRUE(first.path.endsWith(".swf")) << first.path.toStdString();
    EXPECT_FALSE(QFileInfo::exists(first.path)) << "the first listing's movie went with it";
    EXPECT_TRUE(QFileInfo::exists(second.path)) << second.path.toStdString();
    EXPECT_EQ(second.name.toStdString(),
              CodePage::Ansi().ToUtf8(
                  MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 0).displayName));
    EXPECT_EQ(second.allowedFolders.size(), 2);
    EXPECT_EQ(MessageBox::Shown(), QStringList{});
}

TEST_F(MainWindowTest, PreviewShowsTheItemOfTheListClickedLast) {
    AddWinks(2);
    builder.Write();
    auto window = Open();
    List(*window, ContentCategory::Winks);
    auto* installed = Find<QListWidget>(*window, "installed");
    auto* selected = Find<QListWidget>(*window, "selected");
    ClickItem(installed, 0);
    Click(*window, "add");
    ASSERT_EQ(selected->count(), 1);
    SetPreviewRunner(RecordPreview);
    // An item selected in each list: the one clicked last is shown.
    const auto preview = [&](QListWidget* list) {
        g_previewed = {};
        ClickItem(list, 0);
        Click(*window, "preview");
        return std::pair(g_previewed.name.toStdString(), list->item(0)->text().toStdString());
    };
    const auto fromSelected = preview(selected);
    const auto fromInstalled = preview(installed);
    SetPreviewRunner(nullptr);

    EXPECT_EQ(fromSelected.first, fromSelected.second);
    EXPECT_EQ(fromInstalled.first, fromInstalled.second);
    EXPECT_NE(fromInstalled.second, fromSelected.second);
}

TEST_F(MainWindowTest, GetMoreOpensTheManualWhereItTellsWhereContentComesFrom) {
    auto window = Open();
    QTextBrowser opened;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened, "setSource");
    Click(*window, "getMore");
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    const QUrl url = opened.source();
    EXPECT_EQ(url.fragment(), "content");
    const Result<std::string> manual = ReadRegularFile(url.toLocalFile().toStdString());
    ASSERT_TRUE(manual.has_value()) << url.toString().toStdString();
    EXPECT_NE(manual->find("id=\"content\""), std::string::npos);
}

TEST_F(MainWindowTest, WithoutAProgramToOpenThemTheFolderAndManualSaySo) {
    // Qt's offscreen platform has no program to open anything with.
    auto window = Open();
    for (const char* name : {"openFolder", "help", "getMore"})
        Click(*window, name);
    const QStringList shown = MessageBox::Shown();
    ASSERT_EQ(shown.size(), 3);
    EXPECT_TRUE(shown[0].contains(QString::fromStdString(window->BackupFolder())))
        << shown[0].toStdString();
    EXPECT_TRUE(shown[1].contains("help/index.html")) << shown[1].toStdString();
    EXPECT_TRUE(shown[2].contains("help/index.html#content")) << shown[2].toStdString();
    for (const QString& message : shown)
        EXPECT_TRUE(message.contains("xdg-utils")) << message.toStdString();
}

TEST_F(MainWindowTest, TheNextWindowOffersTheChosenFolderAndTheUsedPassports) {
    builder.Write();
    const std::string chosen = root / "chosen backups";
    ASSERT_TRUE(MakeFolders(chosen));
    {
        auto window = Open();
        FolderDialog::SetNextAnswer(QString::fromStdString(chosen));
        Click(*window, "changeFolder");
        EXPECT_EQ(Find<QLineEdit>(*window, "backupFolder")->text().toStdString(), chosen);
        // The browser starts where the backups go.
        FolderDialog::SetNextAnswer(QString());
        Click(*window, "changeFolder");
        EXPECT_EQ(FolderDialog::LastStartFolder().toStdString(), chosen);
        List(*window, ContentCategory::Winks, "first@example.com");
        List(*window, ContentCategory::Winks, "second@example.com");
        Find<QComboBox>(*window, "backupType")->setCurrentIndex(4);
        window->move(31, 27);
        QTest::keyClick(window.get(), Qt::Key_Escape);
        EXPECT_FALSE(window->isVisible());
    }
    auto window = Open();
    EXPECT_EQ(Find<QLineEdit>(*window, "backupFolder")->text().toStdString(), chosen);
    EXPECT_EQ(window->BackupFolder(), chosen);
    // The window opens where it was left, on the type chosen last.
    EXPECT_EQ(window->pos(), QPoint(31, 27));
    EXPECT_EQ(Find<QComboBox>(*window, "backupType")->currentIndex(), 4);
    auto* passports = Find<QComboBox>(*window, "passport");
    ASSERT_EQ(passports->count(), 2);
    EXPECT_EQ(passports->itemText(0), "first@example.com");
    EXPECT_EQ(passports->itemText(1), "second@example.com");
}

// The letter case is part of the account's key: what was typed stays as
// typed, beside an entry in another case, and the drop-down forgets an entry
// on Delete.
TEST_F(MainWindowTest, ThePassportKeepsItsCaseAndTheDropDownForgetsAnEntry) {
    builder.Write();
    const SettingsStore settings(SettingsFolder());
    ASSERT_TRUE(settings.SetRecentPassports({"jane.doe@example.org", "zed@example.org"}));
    auto window = Open();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto* passport = Find<QComboBox>(*window, "passport");
    passport->setFocus();
    passport->clearEditText();
    QTest::keyClicks(passport->lineEdit(), "Jane.Doe@Example.ORG");
    Find<QComboBox>(*window, "backupType")->setFocus();
    EXPECT_EQ(passport->currentText().toStdString(), "Jane.Doe@Example.ORG");
    List(*window, ContentCategory::Winks, passport->currentText());
    EXPECT_EQ(passport->count(), 3);

    passport->showPopup();
    const int zed = passport->findText("zed@example.org");
    ASSERT_GE(zed, 0);
    passport->view()->setCurrentIndex(passport->model()->index(zed, 0));
    QTest::keyClick(passport->view(), Qt::Key_Delete);
    passport->hidePopup();
    EXPECT_EQ(passport->findText("zed@example.org"), -1);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_EQ(settings.RecentPassports(),
              (std::vector<std::string>{"Jane.Doe@Example.ORG", "jane.doe@example.org"}));
}

TEST_F(MainWindowTest, AFullPassportListForgetsThePassportUsedLongestAgo) {
    builder.Write();
    const auto name = [](int n) { return "user" + std::to_string(100 + n) + "@example.com"; };
    // Saved most recently used first: user100 last, user199 longest ago.
    std::vector<std::string> stored;
    for (int n = 0; n < 100; ++n)
        stored.push_back(name(n));
    const SettingsStore settings(SettingsFolder());
    ASSERT_TRUE(settings.SetRecentPassports(stored));

    auto window = Open();
    auto* passports = Find<QComboBox>(*window, "passport");
    ASSERT_EQ(passports->count(), 100);
    EXPECT_EQ(passports->itemText(0).toStdString(), name(0)) << "the box is sorted";
    EXPECT_EQ(passports->itemText(99).toStdString(), name(99));
    List(*window, ContentCategory::Winks, QString::fromStdString(name(50)));
    List(*window, ContentCategory::Winks, "new@example.com");
    QTest::keyClick(window.get(), Qt::Key_Escape);

    std::vector<std::string> expected = {"new@example.com", name(50)};
    for (int n = 0; n < 99; ++n)
        if (n != 50)
            expected.push_back(name(n));
    const std::vector<std::string> saved = settings.RecentPassports();
    ASSERT_EQ(saved.size(), 100u);
    EXPECT_EQ(saved, expected);
}

TEST_F(MainWindowTest, ThumbnailsAreFiftyByFiftyWhateverThePicture) {
    for (const QSize size : {QSize(1, 1), QSize(400, 30), QSize(17, 900)}) {
        QImage picture(size, QImage::Format_ARGB32);
        picture.fill(QColor(10, 200, 30, 0));
        const std::string path = root / "picture.png";
        ASSERT_TRUE(picture.save(QString::fromStdString(path)));
        const QImage thumbnail = MakeThumbnail(path);
        EXPECT_EQ(thumbnail.size(), QSize(50, 50));
        EXPECT_EQ(thumbnail.depth(), 24);
        // Transparency is not honoured: the stored colour shows.
        EXPECT_EQ(thumbnail.pixelColor(25, 25), QColor(10, 200, 30));
    }
    EXPECT_TRUE(MakeThumbnail(root / "missing.png").isNull());

    // For a screen of two device pixels per pixel: 50 pixels of 100 device
    // pixels, whose halves show a picture's halves to the device pixel.
    QImage halves(100, 100, QImage::Format_RGB32);
    halves.fill(Qt::red);
    for (int y = 0; y < 100; ++y)
        for (int x = 50; x < 100; ++x)
            halves.setPixelColor(x, y, Qt::blue);
    const QImage sharp = MakeThumbnail(halves, 2.0);
    EXPECT_EQ(sharp.size(), QSize(100, 100));
    EXPECT_EQ(sharp.deviceIndependentSize(), QSizeF(50, 50));
    EXPECT_EQ(sharp.pixelColor(49, 50), QColor(Qt::red));
    EXPECT_EQ(sharp.pixelColor(50, 50), QColor(Qt::blue));
}

TEST_F(MainWindowTest, CancelStopsALongListAfterTheCurrentItem) {
    // 500 emoticons: 25 seconds of the listing's pauses.
    for (int n = 0; n < 500; ++n)
        builder.Add(ContentCategory::CustomEmoticons,
                    MessengerAccountBuilder::SampleObject(ContentCategory::CustomEmoticons, n));
    builder.Write();
    auto window = Open();
    Find<QComboBox>(*window, "passport")->setEditText(kPassport);
    Find<QComboBox>(*window, "backupType")->setCurrentIndex(3);
    QSignalSpy finished(&window->Controller(), &MainController::ListFinished);
    Click(*window, "list");
    // The window stays responsive: the progress dialog appears and counts.
    QProgressDialog* progress = WaitForProgress(*window);
    ASSERT_NE(progress, nullptr);
    QTest::qWait(300);
    EXPECT_TRUE(progress->labelText().startsWith("Listing "))
        << progress->labelText().toStdString();
    QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
    ASSERT_TRUE(finished.wait(5000)) << "a cancelled listing ends after the current item";
    const int listed = Find<QListWidget>(*window, "installed")->count();
    EXPECT_GT(listed, 0);
    EXPECT_LT(listed, 100);
    EXPECT_TRUE(MessageBox::Shown().value(0).startsWith("Listing was cancelled"));

    // The next command starts afresh: Backup Now writes what was listed.
    ClickItem(Find<QListWidget>(*window, "installed"), 0);
    Click(*window, "add");
    QSignalSpy backedUp(&window->Controller(), &MainController::BackupFinished);
    Click(*window, "backupNow");
    ASSERT_TRUE(backedUp.wait(60000));
    EXPECT_EQ(MessageBox::Shown().value(1), "Congratulation! Backup finished successfully.");
}

// A cabinet tool that cannot write its files is the listing's trouble, not
// the Winks': the window says what went wrong instead of listing nothing.
TEST_F(MainWindowTest, ListSaysWhyTheCabinetToolFailed) {
    AccountObject big = MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 0);
    big.files.emplace_back("sound.bin", std::string(1 << 20, 's'));
    builder.Add(ContentCategory::Winks, big);
    builder.Write();
    auto window = Open();
    {
        // Files may not grow past 64 KiB, in the tool as here; a write past
        // it fails (the signal that would end the writer is ignored).
        rlimit before{};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
        rlimit small = before;
        small.rlim_cur = 64 * 1024;
        const sighandler_t handler = std::signal(SIGXFSZ, SIG_IGN);
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        List(*window, ContentCategory::Winks);
        setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, handler);
    }
    EXPECT_EQ(Find<QListWidget>(*window, "installed")->count(), 0);
    const std::string message = MessageBox::Shown().value(0).toStdString();
    EXPECT_TRUE(message.starts_with("Nothing could be listed: the cabinet tool \"extract\" failed"))
        << message;
    EXPECT_NE(message.find("File too large"), std::string::npos) << message;
}

TEST_F(MainWindowTest, ALongFailureListKeepsTheOutcomeBoxOnTheScreen) {
    builder.Write();
    auto window = Open();
    const BackupReport report = CancelledBackup(500, 200);
    // The real box, looked at once it shows and then closed.
    MessageBox::SetRecording(false);
    QRect box;
    QRect ok;
    QRect screen;
    QString details;
    QTimer::singleShot(0, window.get(), [&] {
        auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        box = shown->frameGeometry();
        QAbstractButton* button = shown->button(QMessageBox::Ok);
        ok = QRect(button->mapToGlobal(QPoint(0, 0)), button->size());
        screen = shown->screen()->availableGeometry();
        details = shown->detailedText();
        shown->accept();
    });
    emit window->Controller().BackupFinished(report);
    ASSERT_FALSE(screen.isEmpty()) << "no box was shown";
    EXPECT_LE(box.height(), screen.height());
    EXPECT_TRUE(screen.contains(ok)) << "OK is out of reach";
    EXPECT_TRUE(details.contains("Wink 499: the backup was cancelled"))
        << "the reasons are still there to read";
}

TEST_F(MainWindowTest, EnterPressesTheFocusedButton) {
    builder.Write();
    auto window = Open();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto* list = Find<QPushButton>(*window, "list");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(MessageBox::Shown(), QStringList{"Please enter an valid MSN account."});
    // Out of the buttons, Enter is Backup Now's again.
    auto* passport = Find<QComboBox>(*window, "passport");
    passport->setFocus();
    QTest::keyClick(passport, Qt::Key_Return);
    EXPECT_EQ(MessageBox::Shown().value(1), "Please list and select the items to backup.");
}

TEST_F(MainWindowTest, TheKeyboardStartsInThePassportAndOpensTheMenu) {
    builder.Write();
    auto window = Open();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto* passport = Find<QComboBox>(*window, "passport");
    EXPECT_TRUE(passport->hasFocus());
    for (const QKeyCombination keys :
         {QKeyCombination(Qt::ShiftModifier, Qt::Key_F10), QKeyCombination(Qt::Key_Menu)}) {
        QMap<QString, QString> entries; // text: keys
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            for (QAction* action : menu->actions())
                entries[action->text().remove(QLatin1Char('&'))] = action->shortcut().toString();
            menu->close();
        });
        QTest::keyClick(passport, keys.key(), keys.keyboardModifiers());
        EXPECT_EQ(entries.value("Read from a Windows folder..."), "Ctrl+O");
        // A window manager gives the window back its focus; here it is asked.
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    // The entry's keys work with the menu closed.
    FolderDialog::SetNextAnswer(QString());
    QTest::keyClick(passport, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(FolderDialog::LastStartFolder(), QDir::homePath());
}

TEST_F(MainWindowTest, WhileAListRunsTheCommandsWaitAndAClosingWindowStaysSilent) {
    for (int n = 0; n < 60; ++n)
        builder.Add(ContentCategory::CustomEmoticons,
                    MessengerAccountBuilder::SampleObject(ContentCategory::CustomEmoticons, n));
    builder.Write();
    auto window = Open();
    Find<QComboBox>(*window, "passport")->setEditText(kPassport);
    Find<QComboBox>(*window, "backupType")->setCurrentIndex(3);
    QSignalSpy finished(&window->Controller(), &MainController::ListFinished);
    Click(*window, "list");
    ASSERT_TRUE(window->Controller().IsBusy());
    // Before the progress dialog shows, the window takes no other command.
    for (const char* name : {"changeFolder", "list", "close"})
        EXPECT_FALSE(Find<QPushButton>(*window, name)->isEnabled()) << name;
    window->reject();
    if (finished.count() == 0) {
        ASSERT_TRUE(finished.wait(5000));
    }
    QApplication::processEvents();
    EXPECT_EQ(MessageBox::Shown(), QStringList{});
}

TEST_F(MainWindowTest, TheMoveButtonsFollowTheSelectionByMouseOrKeys) {
    AddWinks(4);
    builder.Write();
    auto window = Open();
    List(*window, ContentCategory::Winks);
    // The arrow keys select as a click does.
    auto* installed = Find<QListWidget>(*window, "installed");
    installed->setFocus();
    QTest::keyClick(installed, Qt::Key_Right);
    QApplication::processEvents();
    ASSERT_EQ(installed->selectedItems().size(), 1);
    EXPECT_TRUE(Find<QPushButton>(*window, "add")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>(*window, "preview")->isEnabled());
    // Another List leaves nothing selected: the buttons wait for a choice.
    List(*window, ContentCategory::Winks);
    EXPECT_FALSE(Find<QPushButton>(*window, "add")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(*window, "preview")->isEnabled());

    // "<" moves every selected item: three picked, then all with Ctrl+A.
    Click(*window, "addAll");
    auto* selected = Find<QListWidget>(*window, "selected");
    ClickItem(selected, 0);
    for (int row : {1, 2}) {
        const QRect box = selected->visualItemRect(selected->item(row));
        QTest::mouseClick(selected->viewport(), Qt::LeftButton, Qt::ControlModifier, box.center());
    }
    QApplication::processEvents();
    ASSERT_EQ(selected->selectedItems().size(), 3);
    Click(*window, "remove");
    EXPECT_EQ(selected->count(), 1);
    EXPECT_EQ(installed->count(), 3);
    EXPECT_FALSE(Find<QPushButton>(*window, "remove")->isEnabled());
    Click(*window, "addAll");
    selected->setFocus();
    QTest::keyClick(selected, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(Find<QPushButton>(*window, "remove")->isEnabled());
    Click(*window, "remove");
    EXPECT_EQ(selected->count(), 0);
    std::vector<std::size_t> all = ItemData(installed);
    std::sort(all.begin(), all.end());
    EXPECT_EQ(all, (std::vector<std::size_t>{0, 1, 2, 3}));
    EXPECT_EQ(MessageBox::Shown(), QStringList{});
}

TEST_F(MainWindowTest, EveryControlAndItemHasANameForAssistiveTechnology) {
    AddWinks(3);
    builder.Write();
    auto window = Open();
    List(*window, ContentCategory::Winks);
    auto* installed = Find<QListWidget>(*window, "installed");
    ASSERT_EQ(installed->count(), 3);
    ClickItem(installed, 0);
    Click(*window, "add");
    ASSERT_EQ(Find<QListWidget>(*window, "selected")->count(), 1);

    int controls = 0;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        // A widget with a proxy hands its focus to another, which is named.
        if (!widget->isVisibleTo(window.get()) || !(widget->focusPolicy() & Qt::TabFocus) ||
            widget->focusProxy() != nullptr)
            continue;
        ++controls;
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(control, nullptr) << widget->objectName().toStdString();
        EXPECT_FALSE(control->text(QAccessible::Name).trimmed().isEmpty())
            << widget->metaObject()->className() << " " << widget->objectName().toStdString();
        auto* list = qobject_cast<QListWidget*>(widget);
        for (int i = 0; list != nullptr && i < control->childCount(); ++i)
            EXPECT_FALSE(control->child(i)->text(QAccessible::Name).trimmed().isEmpty())
                << list->objectName().toStdString() << " item " << i;
    }
    EXPECT_EQ(controls, 18);

    // Each field is labelled by the label before it; a list, whose kind
    // of interface keeps no such relation, is named as its label.
    const std::pair<const char*, QString> labelled[] = {{"backupFolder", "Backup to Folder:"},
                                                        {"passport", "MSN Passport:"},
                                                        {"backupType", "Backup Type:"}};
    for (const auto& [name, label] : labelled) {
        QAccessibleInterface* field =
            QAccessible::queryAccessibleInterface(Find<QWidget>(*window, name));
        QStringList labels;
        for (const auto& [other, relation] : field->relations(QAccessible::Label))
            labels.append(other->text(QAccessible::Name));
        EXPECT_EQ(labels, QStringList{label}) << name;
    }
    EXPECT_EQ(QAccessible::queryAccessibleInterface(installed)->text(QAccessible::Name),
              "Items installed in current MSN account");
    // Backup Now says which type it writes: the listed one.
    Find<QComboBox>(*window, "backupType")->setCurrentIndex(3);
    const QString backupNow = Find<QWidget>(*window, "backupNow")->accessibleDescription();
    EXPECT_TRUE(backupNow.contains("MSN Winks")) << backupNow.toStdString();
}

TEST_F(MainWindowTest, AListThatCannotUseQuorvanesOwnFolderSaysSo) {
    AddWinks(1);
    builder.Write();
    // The account's folder is usable (the lock is taken there), the Winks'
    // folder in it is a link.
    const std::string account =
        root / ("home/.cache/quorvane/" +
                std::to_string(MessengerProfile::AccountId(kPassport, CodePage::Ansi())));
    ASSERT_TRUE(MakeFolders(account));
    MakeFolders(root / "elsewhere");
    const std::string planted =
        JoinPath(account, std::string(CategoryFolderName(ContentCategory::Winks)));
    ASSERT_EQ(::symlink((root / "elsewhere").c_str(), planted.c_str()), 0);
    auto window = Open();
    List(*window, ContentCategory::Winks);
    EXPECT_EQ(Find<QListWidget>(*window, "installed")->count(), 0);
    const QString message = MessageBox::Shown().value(0);
    EXPECT_TRUE(message.startsWith("Quorvane's own folder")) << message.toStdString();
    EXPECT_TRUE(message.contains("symbolic link")) << message.toStdString();
}

TEST_F(MainWindowTest, AUserWithoutMessengerDataIsToldWhereQuorvaneLooked) {
    const QString none = MissingMessengerDataNotice(WineAccount{root / "no-prefix", kWineUser});
    EXPECT_TRUE(none.startsWith("No Wine prefix was found")) << none.toStdString();
    EXPECT_TRUE(none.contains(QString::fromStdString(root / "no-prefix")));
    // A prefix without Messenger: the folder looked for is named.
    const QString empty = MissingMessengerDataNotice(WineAccount{root / "wine", "someoneelse"});
    EXPECT_TRUE(empty.contains(QString::fromStdString(
        root / "wine/drive_c/users/someoneelse/AppData/Roaming/Microsoft/MSN Messenger")))
        << empty.toStdString();
    EXPECT_TRUE(empty.contains("\"someoneelse\""));
}

// A second copy ends at once and silently, and the first one's window comes
// to the front, even from minimised.
TEST_F(MainWindowTest, ASecondCopyBringsTheFirstWindowForwardAndEnds) {
    test::ScopedVariable runtime("XDG_RUNTIME_DIR", root.Path());
    const SingleInstance first = SingleInstance::Take();
    ASSERT_NE(first.lock, nullptr);
    auto window = Open();
    window->showMinimized();
    ASSERT_TRUE(window->isMinimized());
    int calls = 0;
    const std::unique_ptr<InstanceCalls> listening =
        InstanceCalls::Listen(SingleInstance::CallPath(), [&] {
            ++calls;
            window->BringToFront();
        });
    ASSERT_NE(listening, nullptr);

    std::map<std::string, std::string> environment =
        test::IsolatedEnvironment(root.Path(), root / "wine", kWineUser);
    environment["XDG_RUNTIME_DIR"] = root.Path();
    environment["QT_QPA_PLATFORM"] = "offscreen";
    const test::ChildResult second = test::RunChild(
        {"/usr/bin/timeout", "-k", "5", "20", JoinPath(ExecutableFolder(), "quorvane")},
        {&environment, "", ""});
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_EQ(second.out + second.err, "");
    for (int waited = 0; waited < 100 && calls == 0; ++waited)
        QTest::qWait(50);
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(window->isMinimized());
    EXPECT_TRUE(window->isVisible());
}

} // namespace
} // namespace quorvane::ui
