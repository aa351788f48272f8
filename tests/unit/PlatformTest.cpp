#include "platform/CancelFlag.h"
#include "platform/CodePage.h"
#include "platform/FileLock.h"
#include "platform/Paths.h"
#include "platform/PrivateFolder.h"
#include "platform/ProcessRunner.h"
#include "platform/ScratchFolder.h"
#include "platform/SystemFolders.h"
#include "platform/TranslatedSentence.h"
#include "profile/MessengerProfile.h"
#include "support/ChildRun.h"
#include "support/FakeClock.h"
#include "support/TempFolder.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane {
namespace {

TEST(Paths, BareFileNamesNeverLeaveTheirFolder) {
    for (const char* good : {"a.cab", "Caf\xe9.png", "..x", "x..", ".hidden"})
        EXPECT_TRUE(IsBareFileName(good)) << good;
    for (std::string_view bad : {"", ".", "..", "../a", "a/b", "a\\b", "/etc/passwd", "C:\\x"})
        EXPECT_FALSE(IsBareFileName(bad)) << bad;
    EXPECT_FALSE(IsBareFileName(std::string_view("a\0b", 3)));
    EXPECT_EQ(JoinPath("/a", "b"), "/a/b");
    EXPECT_EQ(JoinPath("/tmp/", "b"), "/tmp/b");
    EXPECT_EQ(ParentFolder("/a/b/c.png"), "/a/b");
    EXPECT_EQ(BaseName("/a/b/c.png"), "c.png");
}

TEST(AccountId, HashesTheLowerCasedPassportWithSignedBytes) {
    const CodePage& cp = CodePage::Ansi();
    EXPECT_EQ(MessengerProfile::AccountId("abc", cp), 999494u);
    EXPECT_EQ(MessengerProfile::AccountId("ABC", cp), 999494u);
    EXPECT_EQ(MessengerProfile::AccountId("", cp), 0u);
    EXPECT_EQ(MessengerProfile::AccountId("\xe9", cp), 4294967273u);
    // "\xc9" lowers to "\xe9" in the code page.
    EXPECT_EQ(MessengerProfile::AccountId("\xc9", cp), 4294967273u);
    // Wraps modulo 2^32 at every step.
    std::uint32_t expected = 0;
    const std::string longPassport(1000, 'z');
    for (char c : longPassport)
        expected = expected * 101u + static_cast<std::uint32_t>(c);
    EXPECT_EQ(MessengerProfile::AccountId(longPassport, cp), expected);
}

TEST(SystemFolders, WildcardsMatchAsOnWindows) {
    EXPECT_TRUE(SystemFolders::MatchesPattern("README", "*.*"));
    EXPECT_TRUE(SystemFolders::MatchesPattern("x.PNG", "*.png"));
    EXPECT_TRUE(SystemFolders::MatchesPattern("photo.jpg", "p?oto.*"));
    EXPECT_FALSE(SystemFolders::MatchesPattern("x.png.txt", "*.png"));
    EXPECT_FALSE(SystemFolders::MatchesPattern("xpng", "*.png"));
    EXPECT_TRUE(SystemFolders::MatchesPattern("a.b.c", "*.*.*"));
}

TEST(SystemFolders, FindFirstMatchTakesFilesInNameOrderAndNeverFolders) {
    test::TempFolder root;
    test::WriteFile(root / "b.PNG", "b");
    test::WriteFile(root / "a.png/inside", "folder named like a picture");
    test::WriteFile(root / "c.png", "c");
    EXPECT_EQ(SystemFolders::FindFirstMatch(root / "*.png"), root / "b.PNG");
    EXPECT_TRUE(SystemFolders::FileExists(root / "a.png"));
    EXPECT_TRUE(SystemFolders::FileExists(root / "*.*"));
    EXPECT_EQ(SystemFolders::FindFirstMatch(root / "*.gif"), std::nullopt);
    EXPECT_EQ(SystemFolders::FindFirstMatch(root / "a.*"), std::nullopt);
    EXPECT_FALSE(SystemFolders::FileExists(root / "nothing/*.*"));
}

TEST(SystemFolders, DeleteTreeRemovesNestedFoldersButNeverFollowsLinks) {
    test::TempFolder root;
    test::WriteFile(root / "outside/keep.txt", "keep");
    test::WriteFile(root / "tree/a/b/c.txt", "c");
    test::WriteFile(root / "tree/top.txt", "t");
    ASSERT_EQ(symlink((root / "outside").c_str(), (root / "tree/a/link").c_str()), 0);
    ASSERT_EQ(symlink((root / "outside/keep.txt").c_str(), (root / "tree/file-link").c_str()), 0);

    EXPECT_TRUE(SystemFolders::DeleteTree(root / "tree"));
    EXPECT_FALSE(SystemFolders::FileExists(root / "tree"));
    EXPECT_EQ(test::ReadFile(root / "outside/keep.txt"), "keep");
    // A link given as the tree itself is not followed either.
    ASSERT_EQ(symlink((root / "outside").c_str(), (root / "alias").c_str()), 0);
    EXPECT_FALSE(SystemFolders::DeleteTree(root / "alias"));
    EXPECT_EQ(test::ReadFile(root / "outside/keep.txt"), "keep");
    EXPECT_FALSE(SystemFolders::DeleteTree(root / "never-was"));
}

TEST(SystemFolders, WorkFoldersArePrivateUnpredictableAndPausedFor) {
    test::TempFolder root;
    test::FakeClock clock;
    test::CountingPause pause;
    SystemFolders folders(clock, pause);
    folders.tempFolder = root.Path() + "/";
    folders.privateFolder = root / "cache/quorvane";
    ASSERT_TRUE(folders.MakeWorkFolder());
    const std::string first = folders.workFolder;
    EXPECT_EQ(ParentFolder(first), folders.privateFolder);
    EXPECT_EQ(pause.waits, std::vector<unsigned>{100});
    struct stat info {};
    ASSERT_EQ(stat(folders.privateFolder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    // Within the same second a second work folder is another, empty one.
    ASSERT_TRUE(folders.MakeWorkFolder());
    EXPECT_NE(folders.workFolder, first);
    EXPECT_FALSE(std::filesystem::exists(first));
}

TEST(FileLock, OneHolderKeepsEveryOtherOut) {
    test::TempFolder root;
    const std::string path = root / "lock";
    const auto held = FileLock::Acquire(path, 0);
    ASSERT_EQ(FileLock::OutcomeOf(held), FileLock::Outcome::Acquired) << held.error().sentence;
    // Neither a second Quorvane nor any reader may share the lock.
    EXPECT_EQ(FileLock::OutcomeOf(FileLock::Acquire(path, 50)), FileLock::Outcome::Busy);
    const int other = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(other, 0);
    EXPECT_NE(flock(other, LOCK_SH | LOCK_NB), 0);
    close(other);
    // A cancel ends the wait for the holder at once, and says so.
    CancelFlag cancel;
    cancel.Request();
    EXPECT_EQ(FileLock::OutcomeOf(FileLock::Acquire(path, 60000, &cancel)),
              FileLock::Outcome::Cancelled);
}

TEST(ScratchFolder, IsMadeHiddenAndLockedBeforeASweepCanSeeIt) {
    test::TempFolder root;
    const auto held = ScratchFolder::Make(root.Path(), "work-");
    ASSERT_TRUE(held) << held.error().sentence;
    // What a run killed while making its folder leaves: a hidden folder,
    // unlocked. A new one may be another run's at that very moment; one
    // older than a minute is not.
    const std::string young = root / ".work-young1";
    const std::string old = root / ".work-stale1";
    ASSERT_EQ(mkdir(young.c_str(), 0700), 0);
    ASSERT_EQ(mkdir(old.c_str(), 0700), 0);
    const timespec times[2] = {{0, UTIME_OMIT}, {time(nullptr) - 120, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, old.c_str(), times, 0), 0);
    SweepStaleScratch(root.Path(), "work-");
    EXPECT_TRUE(std::filesystem::is_directory((*held)->Path()));
    EXPECT_TRUE(std::filesystem::is_directory(young));
    EXPECT_FALSE(std::filesystem::exists(old));
}

TEST(SystemFolders, LocateUsesTheLinuxStandIns) {
    test::TempFolder root;
    test::ScopedVariable tmp("TMPDIR", root / "tmp");
    test::ScopedVariable home("HOME", root / "home");
    test::ScopedVariable config("XDG_CONFIG_HOME", root / "config");
    test::WriteFile(root / "config/user-dirs.dirs",
                    "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                    "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    test::FakeClock clock;
    test::CountingPause pause;
    SystemFolders folders(clock, pause);
    folders.Locate(TemporaryFolderPath());
    EXPECT_EQ(folders.tempFolder, root / "tmp/");
    EXPECT_EQ(folders.windowsFolder, root / "tmp");
    EXPECT_EQ(folders.desktopFolder, root / "home/Desktop");
    // "My Documents" beside the desktop does not exist: the real documents folder is meant.
    EXPECT_EQ(folders.documentsFolder, root / "home/Dokumente");
    test::WriteFile(root / "home/My Documents/x", "");
    folders.Locate(TemporaryFolderPath());
    EXPECT_EQ(folders.documentsFolder, root / "home/My Documents");
    EXPECT_FALSE(folders.programFolder.empty());
}

// A message names what failed: a file name that holds a marker of its own
// ("%2") stays as it is, whatever is filled in after it.
TEST(Sentence, FillsEveryMarkerOnceWhateverTheTextsHold) {
    EXPECT_EQ(Sentence(QStringLiteral("%1 could not be written: %2"), "/home/a%2b.msn", "no space"),
              "/home/a%2b.msn could not be written: no space");
    EXPECT_EQ(Sentence(QStringLiteral("%2 then %1"), "first", 7), "7 then first");
}

// A child's output and error text are both kept, each up to its bound: one
// that writes far more is read to its end and never blocks on a full pipe.
TEST(SpawnProcessRunner, KeepsBoundedOutputAndErrorTextOfAChildThatWritesMore) {
    const ProcessResult result = SpawnProcessRunner().Run(
        {"/bin/sh", "-c", "head -c 1000000 /dev/zero; echo 'last words' >&2"}, {});
    ASSERT_TRUE(result.started) << result.startError;
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.outputText.size(), 64u * 1024);
    EXPECT_EQ(result.outputText.find_first_not_of('\0'), std::string::npos);
    EXPECT_EQ(result.errorText, "last words");
}

} // namespace
} // namespace quorvane
