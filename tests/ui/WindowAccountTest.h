#pragma once

#include "platform/DataProtection.h"
#include "platform/FileIo.h"
#include "support/ChildRun.h"
#include "support/MessengerAccountBuilder.h"
#include "support/TempFolder.h"
#include "ui/main/MessageBox.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace quorvane::test {

inline constexpr const char* kWindowPassport = "someone@example.com";
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
