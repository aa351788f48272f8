#include "platform/FileIo.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// A fresh folder for one test, removed with its contents afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "quorvane-fileio-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a scratch folder");
        m_path = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        // Tests make parts read-only; give the permissions back first.
        for (auto it = fs::recursive_directory_iterator(m_path, ignored);
             it != fs::recursive_directory_iterator(); it.increment(ignored)) {
            if (it->is_directory(ignored) && !it->is_symlink(ignored))
                fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        }
        fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(m_path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string operator/(std::string_view name) const { return m_path + "/" + std::string(name); }

private:
    std::string m_path;
};

void Put(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

unsigned ModeOf(const std::string& path) {
    struct stat info{};
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

TEST(FileIoTest, ReadWholeFileReturnsEveryByteOrNothing) {
    ScratchFolder scratch;
    Put(scratch / "awkward", kAwkwardBytes);
    Put(scratch / "empty", "");
    std::string big(300000, '\0');
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7 % 251);
    Put(scratch / "big", big);

    EXPECT_EQ(ReadWholeFile(scratch / "awkward"), kAwkwardBytes);
    // An empty file is read successfully, which is not the same as missing.
    EXPECT_EQ(ReadWholeFile(scratch / "empty"), std::string());
    EXPECT_EQ(ReadWholeFile(scratch / "big"), big);
    EXPECT_EQ(ReadWholeFile(scratch / "missing"), std::nullopt);
    EXPECT_EQ(ReadWholeFile(scratch.Path()), std::nullopt);
    EXPECT_EQ(ReadWholeFile(""), std::nullopt);
}

TEST(FileIoTest, ReadWholeFileFailsOnUnreadableFile) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    ScratchFolder scratch;
    Put(scratch / "secret", "x");
    fs::permissions(scratch / "secret", fs::perms::none);
    EXPECT_EQ(ReadWholeFile(scratch / "secret"), std::nullopt);
}

TEST(FileIoTest, WriteWholeFileCreatesAndTruncates) {
    ScratchFolder scratch;
    const std::string path = scratch / "stamp";

    ASSERT_TRUE(WriteWholeFile(path, kAwkwardBytes));
    EXPECT_EQ(Slurp(path), kAwkwardBytes);

    // A shorter text replaces a longer one completely: no old tail remains.
    ASSERT_TRUE(WriteWholeFile(path, "xy"));
    EXPECT_EQ(Slurp(path), "xy");

    ASSERT_TRUE(WriteWholeFile(path, ""));
    EXPECT_EQ(Slurp(path), "");

    EXPECT_FALSE(WriteWholeFile(scratch / "missing/stamp", "x"));
    EXPECT_FALSE(fs::exists(scratch / "missing"));
    EXPECT_FALSE(WriteWholeFile(scratch.Path(), "x"));
}

TEST(FileIoTest, WriteFileAtomicallyReplacesWholeAndLeavesNoTemporaryFile) {
    ScratchFolder scratch;
    const std::string path = scratch / "settings.dat";

    ASSERT_TRUE(WriteFileAtomically(path, kAwkwardBytes));
    EXPECT_EQ(Slurp(path), kAwkwardBytes);

    Put(path, std::string(5000, 'o'));
    ASSERT_TRUE(WriteFileAtomically(path, "new"));
    EXPECT_EQ(Slurp(path), "new");

    ASSERT_TRUE(WriteFileAtomically(path, ""));
    EXPECT_EQ(Slurp(path), "");

    EXPECT_EQ(Names(scratch.Path()), std::vector<std::string>{"settings.dat"});
}

TEST(FileIoTest, WriteFileAtomicallyCleansUpWhenItFails) {
    ScratchFolder scratch;

    // The rename cannot put a file over a folder; the temporary file it
    // wrote first must not stay behind.
    fs::create_directory(scratch / "taken");
    EXPECT_FALSE(WriteFileAtomically(scratch / "taken", "bytes"));
    EXPECT_TRUE(fs::is_directory(scratch / "taken"));
    EXPECT_EQ(Names(scratch.Path()), std::vector<std::string>{"taken"});

    EXPECT_FALSE(WriteFileAtomically(scratch / "missing/settings.dat", "bytes"));
    EXPECT_FALSE(fs::exists(scratch / "missing"));
    EXPECT_FALSE(WriteFileAtomically("", "bytes"));
}

TEST(FileIoTest, WriteFileAtomicallyFailsInReadOnlyFolderAndKeepsOldFile) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    ScratchFolder scratch;
    fs::create_directory(scratch / "locked");
    const std::string path = scratch / "locked/settings.dat";
    Put(path, "old");
    fs::permissions(scratch / "locked", fs::perms::owner_read | fs::perms::owner_exec);

    EXPECT_FALSE(WriteFileAtomically(path, "new"));
    EXPECT_EQ(Slurp(path), "old");
    EXPECT_EQ(Names(scratch / "locked"), std::vector<std::string>{"settings.dat"});
}

TEST(FileIoTest, WriteFileAtomicallyGivesOrdinaryPermissions) {
    ScratchFolder scratch;
    UmaskScope mask(027);

    // A new file follows the umask like any other file the program writes,
    // not the 0600 a bare temporary file would have.
    ASSERT_TRUE(WriteFileAtomically(scratch / "new", "x"));
    EXPECT_EQ(ModeOf(scratch / "new"), 0640u);

    // A replaced file keeps the permissions its owner gave it.
    Put(scratch / "private", "old");
    fs::permissions(scratch / "private", fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(WriteFileAtomically(scratch / "private", "new"));
    EXPECT_EQ(ModeOf(scratch / "private"), 0600u);
    EXPECT_EQ(Slurp(scratch / "private"), "new");
}

TEST(FileIoTest, MakeFoldersCreatesEveryMissingParent) {
    ScratchFolder scratch;

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
    ScratchFolder scratch;
    Put(scratch / "file", "x");

    EXPECT_FALSE(MakeFolders(scratch / "file"));
    EXPECT_FALSE(MakeFolders(scratch / "file/inner"));
    EXPECT_EQ(Slurp(scratch / "file"), "x");
    EXPECT_FALSE(MakeFolders(""));
}

TEST(FileIoTest, IsDirectoryFollowsLinksAndRejectsEverythingElse) {
    ScratchFolder scratch;
    fs::create_directory(scratch / "folder");
    Put(scratch / "file", "x");
    fs::create_directory_symlink(scratch / "folder", scratch / "link");

    EXPECT_TRUE(IsDirectory(scratch / "folder"));
    EXPECT_TRUE(IsDirectory(scratch / "link"));
    EXPECT_FALSE(IsDirectory(scratch / "file"));
    EXPECT_FALSE(IsDirectory(scratch / "missing"));
    EXPECT_FALSE(IsDirectory(""));
}

} // namespace
} // namespace quorvane
