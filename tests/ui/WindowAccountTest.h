#pragma once

#include "app/SettingsStore.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/SystemFolders.h"
#include "protection/DataProtection.h"
#include "protection/WineDataProtection.h"
#include "support/ChildRun.h"
#include "support/MessengerAccountBuilder.h"
#include "support/TempFolder.h"
#include "ui/main/MainWindow.h"
#include "ui/main/MessageBox.h"

#include <QProgressDialog>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

namespace quorvane::test {

inline constexpr const char* kWindowPassport = kTestPassport;
inline constexpr const char* kWindowWineUser = "testuser";

// For tests that drive the window: a home folder and a Wine prefix with one
// Messenger account (written by builder), all in a temporary folder, and the
// window's messages recorded instead of shown.
class WindowAccountTest : public ::testing::Test {
protected:
    WindowAccountTest()
        : appData(root / "wine/drive_c/users/testuser/AppData/Roaming"),
          protection(kWindowWineUser), builder(appData, kWindowPassport, protection),
          home("HOME", root / "home"), config("XDG_CONFIG_HOME", root / "home/.config"),
          cache("XDG_CACHE_HOME", root / "home/.cache"),
          documents("XDG_DOCUMENTS_DIR", std::nullopt) {
        MakeFolders(appData);
        MakeFolders(root / "wine/drive_c/windows");
        MakeFolders(root / "home/Documents");
        ui::MessageBox::SetRecording(true);
        ui::MessageBox::Shown().clear();
    }
    ~WindowAccountTest() override { ui::MessageBox::SetRecording(false); }

    // The window on the test's Wine prefix and settings folder, shown, with
    // the pictures, icons and manual beside the built programs.
    std::unique_ptr<ui::MainWindow> Open() {
        auto window =
            std::make_unique<ui::MainWindow>(WineAccount{root / "wine", kWindowWineUser},
                                             ProgramDataFolder(), SettingsStore(SettingsFolder()));
        window->show();
        return window;
    }
    // What a cancelled backup of items Winks reports: the first written ones
    // were written, the rest not.
    static BackupReport CancelledBackup(std::size_t items, std::size_t written) {
        BackupReport report;
        for (std::size_t n = 0; n < items; ++n) {
            BackupItemOutcome item;
            item.itemData = n;
            item.displayNameUtf8 = "Wink " + std::to_string(n);
            if (n >= written)
                item.failure = Failure{0, "the backup was cancelled", FailureCode::Cancelled};
            report.items.push_back(item);
        }
        report.interrupted = true;
        return report;
    }
    // The long-work dialog once it shows, or nothing after five seconds.
    static QProgressDialog* WaitForProgress(ui::MainWindow& window) {
        for (int waited = 0; waited < 100; ++waited) {
            auto* progress = window.findChild<QProgressDialog*>("progress");
            if (progress != nullptr && progress->isVisible())
                return progress;
            QTest::qWait(50);
        }
        return nullptr;
    }
    template <typename T> static T* Find(ui::MainWindow& window, const char* name) {
        T* found = window.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    TempFolder root;
    std::string appData;
    WineDataProtection protection;
    MessengerAccountBuilder builder;
    ScopedVariable home;
    ScopedVariable config;
    ScopedVariable cache;
    ScopedVariable documents;
};

} // namespace quorvane::test
