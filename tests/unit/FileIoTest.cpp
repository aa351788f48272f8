#include "platform/FileIo.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quorvane {
namespace {

namespace fs = std::filesystem;

unsigned ModeOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        throw std::runtime_error("cannot stat " + path);
    return static_cast<unsigned>(info.st_mode & 07777);
}

// Sets the umask for one test and puts the old one back.
class UmaskScope {
public:
    explicit UmaskScope(mode_t mask) : m_old(::umask(mask)) {}
    ~UmaskScope() { ::umask(m_old); }
    UmaskScope(const UmaskScope&) = delete;
    UmaskScope& operator=(const UmaskScope&) = delete;

private:
    mode_t m_old;
};

// Bytes a text-mode or C-string reader would mangle: zeros, CR LF, high bytes.
const std::string kAwkwardBytes("a\0b\r\n\xFF\xE9\x00\x01z", 10);

TEST(FileIoTest, ReadRegularFileReturnsEveryByte) {
    test::TempFolder scratch;
    test::WriteFile(scratch / "awkward", kAwkwardBytes);
    test::WriteFile(scratch / "empty", "");
    std::string big(300000, '\0');
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7 % 251);
    test::WriteFile(scratch / "big", big);

    EXPECT_EQ(ReadRegularFile(scratch / "awkward").value_or("failed"), kAwkwardBytes);
    // An empty file is read successfully, which is not the same as missing.
    EXPECT_EQ(ReadRegularFile(scratch / "empty").value_or("failed"), std::string());
    EXPECT_EQ(ReadRegularFile(scratch / "big").value_or("failed"), big);
}

// A caller tells a file that is not there (first start) from one that is
// there but not read, and the user reads why.
TEST(FileIoTest, ReadRegularFileSaysWhyItReadNothing) {
    test::TempFolder scratch;
    test::WriteFile(scratch / "large", std::string(11, 'x'));
    const auto failure = [](const Result<std::string>& read) {
        return read ? Failure{-1, "read " + *read} : read.error();
    };

    const Failure missing = failure(ReadRegularFile(scratch / "missing"));
    EXPECT_EQ(missing.osError, ENOENT);
    EXPECT_EQ(missing.sentence, "it does not exist");
    EXPECT_EQ(failure(ReadRegularFile("")).osError, ENOENT);
    const Failure folder = failure(ReadRegularFile(scratch.Path()));
    EXPECT_EQ(folder.osError, 0);
    EXPECT_EQ(folder.sentence, "it is a folder, not a regular file");
    EXPECT_EQ(failure(ReadRegularFile(scratch / "large", 10)).sentence,
              "it is larger than any file Messenger keeps");

    OpenFolder open;
    ASSERT_TRUE(open.Open(scratch.Path()));
    fs::create_symlink(scratch / "large", scratch / "link");
    EXPECT_EQ(failure(open.ReadFile("link", 100)).sentence,
              "it is a symbolic link, not a regular file");
    EXPECT_EQ(failure(open.ReadFile("missing", 100)).osError, ENOENT);
}

TEST(FileIoTest, ReadRegularFileGivesTheSystemsReasonForAnUnreadableFile) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    test::TempFolder scratch;
    test::WriteFile(scratch / "secret", "x");
    fs::permissions(scratch / "secret", fs::perms::none);
    const Result<std::string> secret = ReadRegularFile(scratch / "secret");
    ASSERT_FALSE(secret);
    EXPECT_EQ(secret.error().osError, EACCES);
    EXPECT_EQ(secret.error().sentence, ErrorText(EACCES));
}

TEST(FileIoTest, WriteWholeFileCreatesAndTruncates) {
    test::TempFolder scratch;
    const std::string path = scratch / "stamp";

    ASSERT_TRUE(WriteWholeFile(path, kAwkwardBytes));
    EXPECT_EQ(test::ReadFile(path), kAwkwardBytes);

    // A shorter text replaces a longer one completely: no old tail remains.
    ASSERT_TRUE(WriteWholeFile(path, "xy"));
    EXPECT_EQ(test::ReadFile(path), "xy");

    ASSERT_TRUE(WriteWholeFile(path, ""));
    EXPECT_EQ(test::ReadFile(path), "");

    EXPECT_FALSE(WriteWholeFile(scratch / "missing/stamp", "x"));
    EXPECT_FALSE(fs::exists(scratch / "missing"));
    EXPECT_FALSE(WriteWholeFile(scratch.Path(), "x"));
}

TEST(FileIoTest, WriteFileAtomicallyReplacesWholeAndLeavesNoTemporaryFile) {
    test::TempFolder scratch;
    const std::string path = scratch / "settings.dat";

    ASSERT_TRUE(WriteFileAtomically(path, kAwkwardBytes));
    EXPECT_EQ(test::ReadFile(path), kAwkwardBytes);

    test::WriteFile(path, std::string(5000, 'o'));
    ASSERT_TRUE(WriteFileAtomically(path, "new"));
    EXPECT_EQ(test::ReadFile(path), "new");

    ASSERT_TRUE(WriteFileAtomically(path, ""));
    EXPECT_EQ(test::ReadFile(path), "");

    EXPECT_EQ(test::FolderNames(scratch.Path()), std::vector<std::string>{"settings.dat"});
}

TEST(FileIoTest, WriteFileAtomicallyCleansUpWhenItFails) {
    test::TempFolder scratch;

    // The rename cannot put a file over a folder; the temporary file it
    // wrote first must not stay behind.
    fs::create_directory(scratch / "taken");
    EXPECT_FALSE(WriteFileAtomically(scratch / "taken", "bytes"));
    EXPECT_TRUE(fs::is_directory(scratch / "taken"));
    EXPECT_EQ(test::FolderNames(scratch.Path()), std::vector<std::string>{"taken"});

    EXPECT_FALSE(WriteFileAtomically(scratch / "missing/settings.dat", "bytes"));
    EXPECT_FALSE(fs::exists(scratch / "missing"));
    EXPECT_FALSE(WriteFileAtomically("", "bytes"));
}

TEST(FileIoTest, WriteFileAtomicallyFailsInReadOnlyFolderAndKeepsOldFile) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    test::TempFolder scratch;
    fs::create_directory(scratch / "locked");
    const std::string path = scratch / "locked/settings.dat";
    test::WriteFile(path, "old");
    fs::permissions(scratch / "locked", fs::perms::owner_read | fs::perms::owner_exec);

    EXPECT_FALSE(WriteFileAtomically(path, "new"));
    EXPECT_EQ(test::ReadFile(path), "old");
    EXPECT_EQ(test::FolderNames(scratch / "locked"), std::vector<std::string>{"settings.dat"});
}

TEST(FileIoTest, WriteFileAtomicallyGivesOrdinaryPermissions) {
    test::TempFolder scratch;
    UmaskScope mask(027);

    // A new file follows the umask like any other file the program writes,
    // not the 0600 a bare temporary file would have.
    ASSERT_TRUE(WriteFileAtomically(scratch / "new", "x"));
    EXPECT_EQ(ModeOf(scratch / "new"), 0640u);

    // A replaced file keeps the permissions its owner gave it.
    test::WriteFile(scratch / "private", "old");
    fs::permissions(scratch / "private", fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(WriteFileAtomically(scratch / "private", "new"));
    EXPECT_EQ(ModeOf(scratch / "private"), 0600u);
    EXPECT_EQ(test::ReadFile(scratch / "private"), "new");
}

TEST(FileIoTest, MakeFoldersCreatesEveryMissingParent) {
    test::TempFolder scratch;

    EXPECT_TRUE(MakeFolders(scratch / "a/b/c"));
    EXPECT_TRUE(fs::is_directory(scratch / "a/b/c"));
    // Existing folders are success, also when named with extra slashes.
    EXPECT_TRUE(MakeFolders(scratch / "a/b/c"));
    EXPECT_TRUE(MakeFolders(scratch / "a//b/c/"));
    EXPECT_TRUE(MakeFolders(scratch / "a/b/d/"));
    EXPECT_TRUE(fs::is_directory(scratch / "a/b/d"));
    EXPECT_TRUE(MakeFolders("/"));
}

TEST(FileIoTest, MakeFoldersFailsWhenAFileIsInTheWay) {
    test::TempFolder scratch;
    test::WriteFile(scratch / "file", "x");

    // The reason a user reads is the system's, for what it refused.
    const Result<> taken = MakeFolders(scratch / "file");
    ASSERT_FALSE(taken);
    EXPECT_EQ(taken.error().osError, EEXIST);
    EXPECT_EQ(taken.error().sentence, ErrorText(EEXIST));
    const Result<> inner = MakeFolders(scratch / "file/inner");
    ASSERT_FALSE(inner);
    EXPECT_EQ(inner.error().osError, ENOTDIR);
    EXPECT_EQ(inner.error().sentence, ErrorText(ENOTDIR));
    EXPECT_EQ(test::ReadFile(scratch / "file"), "x");
    EXPECT_FALSE(MakeFolders(""));
}

TEST(FileIoTest, IsDirectoryFollowsLinksAndRejectsEverythingElse) {
    test::TempFolder scratch;
    fs::create_directory(scratch / "folder");
    test::WriteFile(scratch / "file", "x");
    fs::create_directory_symlink(scratch / "folder", scratch / "link");

    EXPECT_TRUE(IsDirectory(scratch / "folder"));
    EXPECT_TRUE(IsDirectory(scratch / "link"));
    EXPECT_FALSE(IsDirectory(scratch / "file"));
    EXPECT_FALSE(IsDirectory(scratch / "missing"));
    EXPECT_FALSE(IsDirectory(""));
}

} // namespace
} // namespace quorvane
