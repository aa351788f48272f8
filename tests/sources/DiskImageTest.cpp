// An account read from an old computer's disk image: the users found on it,
// the one chosen, and the copy of its folders opened as a Windows user's
// folder with the password.

#include "support/ChildRun.h"
#include "support/MessengerAccountBuilder.h"
#include "support/TempFolder.h"
#include "support/WindowsDpapiWriter.h"

#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/PrivateFolder.h"
#include "profile/ContentCategory.h"
#include "sources/DiskImage.h"
#include "sources/WindowsProfile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <thread>

namespace quorvane::test {
namespace {

constexpr const char* kPassport = "Old.Disk@example.com";

// Alice's Messenger account on a FAT32 disk with a GPT, as a VHDX; Bob has
// a Windows profile but never ran Messenger.
class DiskImageTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string alice = drive + "/Users/Alice/AppData/Roaming";
        const WindowsUserProtection windows(user, alice);
        MessengerAccountBuilder builder(alice, kPassport, windows.protection);
        builder.Add(ContentCategory::Winks,
                    MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 0));
        builder.Write();
        ASSERT_TRUE(MakeFolders(drive + "/Users/Bob/AppData/Roaming/Microsoft"));
        const ChildResult made =
            RunChild({QUORVANE_MAKE_DISK_IMAGE, drive, "fat32", "gpt", "vhdx", root / "disk"});
        ASSERT_TRUE(made.ExitedWith(0)) << made.Describe();
        image = root / "disk.vhdx";
        ASSERT_EQ(::mkdir(scratch.c_str(), 0700), 0);
    }

    TempFolder root;
    const std::string drive = root / "drive";
    const std::string scratch = root / "scratch";
    std::string image;
    WindowsUserKeys user;
};

TEST_F(DiskImageTest, TheOnlyMessengerUserIsCopiedAndOpensWithThePassword) {
    const auto users = FindDiskImageUsers(QUORVANE_DISKIMAGE, image, nullptr);
    ASSERT_TRUE(users) << users.error().sentence;
    EXPECT_EQ(DescribeDiskImageUsers(*users), "Alice (partition 1), Bob (partition 1)");

    const auto alice = ChooseDiskImageUser(*users, image, "", 0);
    ASSERT_TRUE(alice) << alice.error().sentence;
    EXPECT_EQ(alice->name, "Alice");
    EXPECT_EQ(ChooseDiskImageUser(*users, image, "BOB", 1)->name, "Bob");
    const auto nobody = ChooseDiskImageUser(*users, image, "carol", 0);
    ASSERT_FALSE(nobody);
    EXPECT_EQ(nobody.error().code, FailureCode::Refused);
    EXPECT_EQ(nobody.error().sentence,
              image + " has no Windows user named carol there (users found: Alice (partition "
                      "1), Bob (partition 1))");
    EXPECT_FALSE(ChooseDiskImageUser(*users, image, "alice", 2));
    // Two users who both ran Messenger: the choice is the user's.
    const std::vector<DiskImageUser> both = {{1, "Alice", true}, {2, "alice", true}};
    const auto unsure = ChooseDiskImageUser(both, "d.img", "", 0);
    ASSERT_FALSE(unsure);
    EXPECT_EQ(unsure.error().sentence,
              "d.img holds Messenger data of more than one Windows user: Alice (partition 1), "
              "alice (partition 2)");
    EXPECT_EQ(ChooseDiskImageUser(both, "d.img", "ALICE", 2)->partition, 2);

    std::uint64_t files = 0;
    auto copy = CopyDiskImageUser(QUORVANE_DISKIMAGE, image, *alice, scratch, nullptr,
                                  [&](std::uint64_t n, std::uint64_t) { files = n; });
    ASSERT_TRUE(copy) << copy.error().sentence;
    EXPECT_EQ(copy->userFolder, copy->scratch->Path() + "/Users/Alice");
    EXPECT_EQ(SnapshotTree(copy->userFolder + "/AppData/Roaming/Microsoft"),
              SnapshotTree(drive + "/Users/Alice/AppData/Roaming/Microsoft"));
    EXPECT_EQ(files, SnapshotTree(drive + "/Users/Alice").size());

    auto profile = WindowsProfile::Open(copy->userFolder);
    ASSERT_TRUE(profile) << profile.error().sentence;
    auto source =
        WindowsSource::Open(*profile, dpapi::UserCredentials::FromPassword(user.password));
    EXPECT_TRUE(source);

    // The copy is Quorvane's scratch, gone with the object.
    const std::string copied = copy->scratch->Path();
    copy->scratch.reset();
    EXPECT_FALSE(IsDirectory(copied));
}

// The command line reads the image as it reads a Windows folder, and names
// the users when more than one ran Messenger there.
TEST_F(DiskImageTest, TheCommandLineListsAndRescuesFromAnImage) {
    std::map<std::string, std::string> environment =
        IsolatedEnvironment(root.Path(), root / "no-prefix", "nobody");
    ChildOptions options{&environment, "", ""};
    WriteFile(root / "password", user.password + "\n");
    options.stdinPath = root / "password";
    const ChildResult listed = RunChild({QUORVANE_CLI, "list", "--type", "winks", "--passport",
                                         kPassport, "--disk-image", image, "--password-stdin"},
                                        options);
    ASSERT_TRUE(listed.ExitedWith(0)) << listed.Describe();
    EXPECT_EQ(Lines(listed.out).size(), 1u) << listed.out;

    const ChildResult rescued = RunChild(
        {QUORVANE_CLI, "rescue", "--disk-image", image, "--to", root / "rescued"}, options);
    ASSERT_TRUE(rescued.ExitedWith(0)) << rescued.Describe();
    EXPECT_FALSE(Lines(rescued.out).empty());
    for (const std::string& line : Lines(rescued.out))
        EXPECT_NE(line.find("\t" + image + ":Users/Alice/AppData/Roaming/Microsoft/MSN Messenger/"),
                  std::string::npos)
            << line;

    // Carol ran Messenger on the same computer.
    ASSERT_TRUE(MakeFolders(drive + "/Users/Carol/AppData/Roaming/Microsoft/MSN Messenger/1"));
    const ChildResult made =
        RunChild({QUORVANE_MAKE_DISK_IMAGE, drive, "fat32", "none", "raw", root / "two"});
    ASSERT_TRUE(made.ExitedWith(0)) << made.Describe();
    const std::string two = root / "two.img";
    const ChildResult unsure = RunChild(
        {QUORVANE_CLI, "list", "--type", "winks", "--passport", kPassport, "--disk-image", two},
        options);
    EXPECT_TRUE(unsure.ExitedWith(1)) << unsure.Describe();
    EXPECT_EQ(unsure.err, "quorvane-cli list: " + two +
                              " holds Messenger data of more than one Windows user: Alice "
                              "(partition 1), Carol (partition 1); choose one with "
                              "--windows-user NAME (and --partition N when a name is on more "
                              "than one)\n");
    const ChildResult alice =
        RunChild({QUORVANE_CLI, "list", "--type", "winks", "--passport", kPassport, "--disk-image",
                  two, "--windows-user", "alice", "--password-stdin"},
                 options);
    EXPECT_TRUE(alice.ExitedWith(0)) << alice.Describe();
    EXPECT_EQ(alice.out, listed.out);

    WriteFile(root / "notes.txt", "not a disk");
    const ChildResult notes = RunChild({QUORVANE_CLI, "list", "--type", "winks", "--passport",
                                        kPassport, "--disk-image", root / "notes.txt"},
                                       options);
    EXPECT_TRUE(notes.ExitedWith(1)) << notes.Describe();
    EXPECT_EQ(notes.err, "quorvane-cli list: " + root / "notes.txt" +
                             " is not a disk image Quorvane can read: there is no NTFS or FAT "
                             "volume on it\n");
}

TEST_F(DiskImageTest, AnImageThatIsNoDiskAndAReaderThatHangsAreSaidSo) {
    WriteFile(root / "notes.txt", "not a disk");
    const auto notes = FindDiskImageUsers(QUORVANE_DISKIMAGE, root / "notes.txt", nullptr);
    ASSERT_FALSE(notes);
    EXPECT_EQ(notes.error().code, FailureCode::Unsupported);
    EXPECT_EQ(notes.error().sentence,
              root / "notes.txt" +
                  " is not a disk image Quorvane can read: there is no NTFS or FAT volume on it");

    // A reader stuck on an image made to hang it stops on Cancel.
    const std::string stuck = root / "stuck";
    WriteFile(stuck, "#!/bin/sh\nexec sleep 600\n");
    ASSERT_EQ(::chmod(stuck.c_str(), 0755), 0);
    CancelFlag cancel;
    std::thread presser([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        cancel.Request();
    });
    const auto cancelled = FindDiskImageUsers(stuck, image, &cancel);
    presser.join();
    ASSERT_FALSE(cancelled);
    EXPECT_EQ(cancelled.error().code, FailureCode::Cancelled);
    EXPECT_EQ(cancelled.error().sentence, "reading " + image + " was cancelled");
}

} // namespace
} // namespace quorvane::test
