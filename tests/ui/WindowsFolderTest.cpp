// The window reading the account from a Windows user's folder, as found on
// an old disk: chosen from the window's menu with the user's password, and
// left again for the Wine prefix.

#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "protection/WindowsDataProtection.h"
#include "support/ChildRun.h"
#include "support/MessengerAccountBuilder.h"
#include "support/TempFolder.h"
#include "support/WindowsDpapiWriter.h"
#include "ui/WindowAccountTest.h"
#include "ui/main/FolderDialog.h"
#include "ui/main/MainWindow.h"
#include "ui/main/MessageBox.h"
#include "ui/main/PasswordDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>

#include <optional>

namespace quorvane::ui {
namespace {

using test::MessengerAccountBuilder;

// The Wine prefix holds one Wink for the passport; Alice's folder on the old
// disk three, protected with her Windows keys.
class WindowsFolderTest : public test::WindowAccountTest {
protected:
    WindowsFolderTest()
        : drive(root / "drive"), profile(JoinPath(drive, "Documents and Settings/Alice")) {
        const std::string windowsAppData = JoinPath(profile, "Application Data");
        const test::WindowsUserProtection windows(user, windowsAppData);
        MessengerAccountBuilder account(windowsAppData, test::kWindowPassport, windows.protection);
        for (int n = 0; n < 3; ++n)
            account.Add(ContentCategory::Winks,
                        MessengerAccountBuilder::SampleObject(ContentCategory::Winks, n));
        account.Write();
        builder.Add(ContentCategory::Winks,
                    MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 0));
        builder.Write();
        // What an earlier test left of its answers.
        PasswordDialog::TakeAnswered();
    }

    // Opens the window's menu with Shift+F10, as a user would, and presses
    // Enter on the entry named choose, when there is one (else the menu
    // closes). Gives the entries the menu offered.
    static QStringList Menu(MainWindow& window, const QString& choose = {}) {
        // The menu's keys are the active window's.
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        QStringList entries;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            QAction* chosen = nullptr;
            for (QAction* action : menu->actions()) {
                if (action->isSeparator())
                    continue;
                entries.append(action->text().remove(QLatin1Char('&')));
                if (entries.last() == choose)
                    chosen = action;
            }
            if (chosen == nullptr) {
                menu->close();
                return;
            }
            menu->setActiveAction(chosen);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QTest::keyClick(&window, Qt::Key_F10, Qt::ShiftModifier);
        return entries;
    }
    // Reads from folder with the password (nothing: the user cancels it),
    // and waits for the password's check; the commands wait meanwhile.
    static void ReadFromWindows(MainWindow& window, const std::string& folder,
                                std::optional<QString> password) {
        FolderDialog::SetNextAnswer(QString::fromStdString(folder));
        if (password)
            PasswordDialog::SetNextAnswer(password);
        QSignalSpy opened(&window.Controller(), &MainController::WindowsOpened);
        Menu(window, "Read from a Windows folder...");
        if (window.Controller().IsBusy()) {
            EXPECT_FALSE(Find<QPushButton>(window, "list")->isEnabled());
            EXPECT_FALSE(Find<QPushButton>(window, "backupNow")->isEnabled());
            ASSERT_TRUE(opened.wait(60000));
        }
    }
    // Lists the Winks of the passport and gives how many there are.
    static int ListWinks(MainWindow& window) {
        Find<QComboBox>(window, "passport")->setEditText(test::kWindowPassport);
        QSignalSpy finished(&window.Controller(), &MainController::ListFinished);
        QTest::mouseClick(Find<QPushButton>(window, "list"), Qt::LeftButton);
        EXPECT_TRUE(finished.wait(60000));
        return Find<QListWidget>(window, "installed")->count();
    }
    // The instructions' first line: where the account is read from.
    static std::string Source(MainWindow& window) {
        return Find<QLabel>(window, "instructions")
            ->text()
            .section(QLatin1Char('\n'), 0, 0)
            .toStdString();
    }

    std::string drive;
    std::string profile;
    test::WindowsUserKeys user;
};

TEST_F(WindowsFolderTest, ListsFromTheWindowsFolderWithThePasswordAndGoesBack) {
    auto window = Open();
    EXPECT_TRUE(Source(*window).starts_with("Reading from the Wine prefix ")) << Source(*window);
    EXPECT_FALSE(Menu(*window).contains("Read from the Wine prefix"));

    ReadFromWindows(*window, profile, QString::fromStdString(user.password));
    EXPECT_EQ(MessageBox::Shown(), QStringList{});
    EXPECT_TRUE(Source(*window).starts_with("Reading from the Windows folder ")) << Source(*window);
    EXPECT_TRUE(Source(*window).ends_with("(user Alice).")) << Source(*window);
    EXPECT_EQ(ListWinks(*window), 3);
    EXPECT_EQ(ListWinks(*window), 3) << "every following List reads the Windows folder";

    // An account protected with a key the folder does not hold says so.
    test::WindowsUserKeys stranger = user;
    stranger.guid[0] ^= 1;
    const WindowsKeyring keyring(user.ProtectFolder(profile + "/Application Data"), user.sid,
                                 dpapi::UserCredentials::FromPassword(user.password));
    const test::WindowsTestProtection strangers(stranger, keyring);
    MessengerAccountBuilder other(profile + "/Application Data", "other@example.com", strangers);
    other.Add(ContentCategory::Winks,
              MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 0));
    other.Write();
    Find<QComboBox>(*window, "passport")->setEditText("other@example.com");
    QSignalSpy finished(&window->Controller(), &MainController::ListFinished);
    QTest::mouseClick(Find<QPushButton>(*window, "list"), Qt::LeftButton);
    ASSERT_TRUE(finished.wait(60000));
    ASSERT_EQ(MessageBox::Shown().size(), 1);
    EXPECT_TRUE(
        MessageBox::Shown().takeLast().contains("master key that is not in the Windows folder"));

    Menu(*window, "Read from the Wine prefix");
    EXPECT_EQ(Find<QListWidget>(*window, "installed")->count(), 0)
        << "the Windows folder's items went with it";
    EXPECT_TRUE(Source(*window).starts_with("Reading from the Wine prefix "));
    EXPECT_EQ(ListWinks(*window), 1);
}

// The same disk, kept as an image: the window finds its one Messenger user,
// copies the user's folders out and asks for the password.
TEST_F(WindowsFolderTest, ReadsFromADiskImageWithThePassword) {
    const test::ChildResult made = test::RunChild(
        {QUORVANE_MAKE_DISK_IMAGE, drive, "fat32", "mbr", "vmdk", root / "old-computer"});
    ASSERT_TRUE(made.ExitedWith(0)) << made.Describe();
    const std::string image = root / "old-computer.vmdk";
    const auto driveBefore = test::SnapshotTree(drive);
    const std::string imageBefore = test::ReadFile(image);

    auto window = Open();
    FolderDialog::SetNextAnswer(QString::fromStdString(image));
    PasswordDialog::SetNextAnswer(QString::fromStdString(user.password));
    QSignalSpy opened(&window->Controller(), &MainController::WindowsOpened);
    Menu(*window, "Read from a disk image...");
    ASSERT_TRUE(opened.count() == 1 || opened.wait(60000));
    EXPECT_EQ(MessageBox::Shown(), QStringList{});
    EXPECT_EQ(PasswordDialog::TakeAnswered(), QStringList{QString()}) << "asked once";
    // The image's path is cut in the middle to fit the box.
    const std::string reading = Source(*window);
    EXPECT_TRUE(reading.starts_with("Reading from the disk image /")) << reading;
    EXPECT_TRUE(reading.ends_with(".vmdk (user Alice).")) << reading;
    EXPECT_EQ(ListWinks(*window), 3);
    EXPECT_EQ(test::SnapshotTree(drive), driveBefore);
    EXPECT_EQ(test::ReadFile(image), imageBefore) << "the image is only read";

    // An image with no Windows user on it says so.
    test::WriteFile(root / "blank.img", std::string(1 << 20, '\0'));
    FolderDialog::SetNextAnswer(QString::fromStdString(root / "blank.img"));
    QSignalSpy found(&window->Controller(), &MainController::DiskImageUsersFound);
    Menu(*window, "Read from a disk image...");
    ASSERT_TRUE(found.count() == 1 || found.wait(60000));
    ASSERT_EQ(MessageBox::Shown().size(), 1);
    EXPECT_TRUE(MessageBox::Shown().takeLast().startsWith(
        "The disk image cannot be read: " + QString::fromStdString(root / "blank.img") +
        " is not a disk image Quorvane can read: there is no NTFS or FAT volume on it."));
    EXPECT_EQ(Source(*window), reading);
}

TEST_F(WindowsFolderTest, AWrongPasswordIsAskedAgainForTheSameFolderAndOtherProblemsAreSaid) {
    auto window = Open();
    ASSERT_EQ(ListWinks(*window), 1);
    const std::string wine = Source(*window);
    const QString wrong = "the password does not unlock the Windows profile of Alice";

    // A wrong password, then Cancel in the dialog that asks again.
    PasswordDialog::SetNextAnswer(QStringLiteral("not it"));
    PasswordDialog::SetNextAnswer(std::nullopt);
    ReadFromWindows(*window, profile, std::nullopt);
    EXPECT_EQ(MessageBox::Shown(), QStringList{});
    EXPECT_EQ(PasswordDialog::TakeAnswered(), (QStringList{QString(), wrong}));
    EXPECT_EQ(Source(*window), wine);
    EXPECT_EQ(Find<QListWidget>(*window, "installed")->count(), 1);

    // A key that cannot be read ends the flow with the reason and the way
    // round it.
    const std::string keyFile =
        JoinPath(user.ProtectFolder(profile + "/Application Data"), dpapi::GuidText(user.guid));
    const Result<std::string> key = ReadRegularFile(keyFile);
    ASSERT_TRUE(key);
    ASSERT_TRUE(WriteFileAtomically(keyFile, key->substr(0, 150)));
    ReadFromWindows(*window, profile, QString::fromStdString(user.password));
    ASSERT_EQ(MessageBox::Shown().size(), 1);
    const QString damaged = MessageBox::Shown().takeLast();
    EXPECT_TRUE(damaged.contains("is damaged or cannot be read")) << damaged.toStdString();
    EXPECT_TRUE(damaged.contains("quorvane-cli rescue --windows-profile")) << damaged.toStdString();
    EXPECT_EQ(PasswordDialog::TakeAnswered().size(), 1);
    EXPECT_EQ(Source(*window), wine);
    ASSERT_TRUE(WriteFileAtomically(keyFile, *key));

    // A wrong password, then the right one: the folder was kept.
    PasswordDialog::SetNextAnswer(QStringLiteral("not it"));
    PasswordDialog::SetNextAnswer(QString::fromStdString(user.password));
    QSignalSpy opened(&window->Controller(), &MainController::WindowsOpened);
    ReadFromWindows(*window, profile, std::nullopt);
    ASSERT_TRUE(opened.count() == 2 || opened.wait(60000));
    EXPECT_EQ(MessageBox::Shown(), QStringList{});
    EXPECT_EQ(PasswordDialog::TakeAnswered(), (QStringList{QString(), wrong}));
    EXPECT_TRUE(Source(*window).ends_with("(user Alice).")) << Source(*window);
    EXPECT_EQ(ListWinks(*window), 3);

    // At the root of a drive with two users the users found are named, and
    // no password is asked for.
    std::filesystem::create_directories(
        JoinPath(drive, "Documents and Settings/Bob/Application Data"));
    ReadFromWindows(*window, drive, std::nullopt);
    ASSERT_EQ(MessageBox::Shown().size(), 1);
    EXPECT_TRUE(MessageBox::Shown().constFirst().contains(QString::fromStdString(profile)))
        << MessageBox::Shown().constFirst().toStdString();
    EXPECT_TRUE(PasswordDialog::TakeAnswered().isEmpty());
}

TEST_F(WindowsFolderTest, CheckingThePasswordStopsAtCancelAndWhenTheWindowCloses) {
    // Ten million rounds for each hash tried: many seconds of work.
    const std::string keyFile =
        JoinPath(user.ProtectFolder(profile + "/Application Data"), dpapi::GuidText(user.guid));
    Result<std::string> key = ReadRegularFile(keyFile);
    ASSERT_TRUE(key);
    for (std::size_t i = 0; i < 4; ++i)
        (*key)[148 + i] = static_cast<char>(10'000'000u >> (8 * i));
    ASSERT_TRUE(WriteFileAtomically(keyFile, *key));
    const auto code = [](const QSignalSpy& spy) {
        return qvariant_cast<Failure>(spy.constLast().at(1)).code;
    };

    auto window = Open();
    const std::string wine = Source(*window);
    // Should the check run to its end, the password asked for again is
    // cancelled rather than waited for.
    PasswordDialog::SetNextAnswer(QString::fromStdString(user.password));
    PasswordDialog::SetNextAnswer(std::nullopt);
    FolderDialog::SetNextAnswer(QString::fromStdString(profile));
    QSignalSpy opened(&window->Controller(), &MainController::WindowsOpened);
    Menu(*window, "Read from a Windows folder...");
    QProgressDialog* progress = WaitForProgress(*window);
    ASSERT_NE(progress, nullptr);
    QTest::keyClick(progress, Qt::Key_Escape);
    ASSERT_TRUE(opened.wait(60000));
    EXPECT_EQ(code(opened), FailureCode::Cancelled);
    EXPECT_EQ(MessageBox::Shown(), QStringList{});
    EXPECT_EQ(PasswordDialog::TakeAnswered().size(), 1) << "Cancel ends the flow";
    EXPECT_EQ(Source(*window), wine);

    // Closing the window while the password is checked stops the check.
    PasswordDialog::SetNextAnswer(QString::fromStdString(user.password));
    PasswordDialog::SetNextAnswer(std::nullopt);
    FolderDialog::SetNextAnswer(QString::fromStdString(profile));
    Menu(*window, "Read from a Windows folder...");
    ASSERT_TRUE(window->Controller().IsBusy());
    window->reject();
    EXPECT_FALSE(window->isVisible());
    ASSERT_TRUE(opened.count() == 2 || opened.wait(60000));
    EXPECT_EQ(code(opened), FailureCode::Cancelled);
    EXPECT_EQ(PasswordDialog::TakeAnswered().size(), 1);
}

} // namespace
} // namespace quorvane::ui
