#include "platform/SystemFolders.h"
#include "sources/WineAccount.h"
#include "support/ChildRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane {
namespace {

TEST(WineAccount, FindsPrefixUserAndTheApplicationDataFolder) {
    test::TempFolder root;
    test::ScopedVariable prefix("WINEPREFIX", root / "prefix/");
    test::ScopedVariable user("USER", "DOMAIN\\alice");
    WineAccount account = WineAccount::Discover();
    EXPECT_EQ(account.prefix, root / "prefix");
    EXPECT_EQ(account.user, "alice");
    EXPECT_EQ(account.ApplicationDataFolder(), root / "prefix/drive_c/users/alice/AppData/Roaming");
    // Without a Windows folder the cabinet tools work in the temporary one.
    EXPECT_EQ(account.WindowsFolder() + "/", TemporaryFolder());

    // An older prefix keeps its data in "Application Data".
    test::WriteFile(root / "prefix/drive_c/users/alice/Application Data/x", "");
    test::WriteFile(root / "prefix/drive_c/windows/win.ini", "");
    EXPECT_EQ(account.ApplicationDataFolder(),
              root / "prefix/drive_c/users/alice/Application Data");
    EXPECT_EQ(account.WindowsFolder(), root / "prefix/drive_c/windows");

    WineAccount given = WineAccount::Discover(std::string("/p"), std::string("bob"));
    EXPECT_EQ(given.prefix, "/p");
    EXPECT_EQ(given.user, "bob");
}

} // namespace
} // namespace quorvane
