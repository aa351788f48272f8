// The disk-image tool, run as the program runs it, on images that Debian's
// own tools made (mkfs.vfat and mtools, mkntfs and ntfs-3g, sfdisk,
// qemu-img, ewfacquire): every format, partition table and file system it
// reads, and images made to hurt it.

#include "support/ChildRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

using namespace quorvane::test;

const std::string kRoaming = "Users/Ann/AppData/Roaming/Microsoft/";
const std::string kXp = "Documents and Settings/Bob/Application Data/Microsoft/";

// The user's files as Windows left them, with Messenger's folder for one
// user only.
const std::map<std::string, std::string> kTree = {
    {kRoaming + "Protect/S-1-5-21-1-2-3-1001/Preferred", std::string("\x11\x22\0\x33", 4)},
    {kRoaming + "Protect/CREDHIST", "credhist"},
    {kRoaming + "MSN Messenger/4249955585/Winks3/MapFile.dat", "map"},
    {kRoaming + "MSN Messenger/4249955585/Winks3/SMILE01.CAB", std::string(5000, 'w')},
    {kRoaming + "Templates/other.txt", "not copied"},
    {kXp + "Protect/S-1-5-21-9-9-9-500/Preferred", "xp key"},
};

// The tool's sentences and exit statuses, as a caller reads them.
constexpr int kRefused = 1;
constexpr int kNoVolume = 4;

std::string Tool() {
    return QUORVANE_DISKIMAGE;
}
std::string Script() {
    return QUORVANE_MAKE_DISK_IMAGE;
}

// The tool runs as nobody when the tests run as root: it needs no privilege.
std::vector<std::string> AsOrdinaryUser(std::vector<std::string> command) {
    if (::getuid() == 0)
        command.insert(command.begin(), {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534",
                                         "--clear-groups", "--"});
    return command;
}

void WriteTree(const std::string& root, const std::map<std::string, std::string>& files) {
    for (const auto& [path, bytes] : files) {
        for (std::size_t slash = path.find('/'); slash != std::string::npos;
             slash = path.find('/', slash + 1))
            ::mkdir((root + "/" + path.substr(0, slash)).c_str(), 0755);
        WriteFile(root + "/" + path, bytes);
    }
}

// Filling an NTFS volume needs root and FUSE, so the NTFS volumes were made
// once by the same script (see data/disk-images/README.md).
std::string NtfsVolume(const std::string& name) {
    return std::string(QUORVANE_TEST_DATA) + "/disk-images/" + name + ".img.xz";
}

// The image made from a tree or a kept volume, as a disk of the given kind.
std::string MakeImage(const TempFolder& folder, const std::string& tree,
                      const std::vector<std::string>& kind) {
    std::vector<std::string> command = {Script(), tree};
    command.insert(command.end(), kind.begin(), kind.end());
    command.push_back(folder / "disk");
    const ChildResult made = RunChild(command);
    EXPECT_TRUE(made.ExitedWith(0)) << made.Describe();
    std::string path = made.out;
    while (!path.empty() && path.back() == '\n')
        path.pop_back();
    ::chmod(folder.Path().c_str(), 0755);
    return path;
}

std::map<std::string, std::string> ReadTree(const std::string& root) {
    const ChildResult found = RunChild({"/usr/bin/find", root, "-type", "f", "-printf", "%P\\n"});
    std::map<std::string, std::string> files;
    for (const std::string& path : Lines(found.out))
        files[path] = ReadFile(root + "/" + path);
    return files;
}

std::string Digest(const std::string& path) {
    const ChildResult sum = RunChild({"/usr/bin/sha256sum", path});
    return sum.out.substr(0, 64);
}

class DiskImageToolTest
    : public ::testing::TestWithParam<std::tuple<const char*, const char*, const char*>> {};

TEST_P(DiskImageToolTest, FindsTheUsersAndCopiesOnlyTheirKeysAndMessengerFoldersLeavingTheImage) {
    const auto [filesystem, table, format] = GetParam();
    TempFolder folder;
    const bool ntfs = std::string(filesystem) == "ntfs";
    std::string tree = NtfsVolume("ntfs-profile");
    if (!ntfs) {
        tree = folder / "tree";
        WriteTree(tree, kTree);
    }
    const std::string image = MakeImage(folder, tree, {filesystem, table, format});
    ASSERT_FALSE(image.empty());
    const std::string before = Digest(image);

    const ChildResult users = RunChild(AsOrdinaryUser({Tool(), "/USERS", image}));
    ASSERT_TRUE(users.ExitedWith(0)) << users.Describe();
    const std::string fs = ntfs ? "NTFS" : "FAT32";
    const std::string sector = std::string(table) == "none" ? "0" : "2048";
    EXPECT_EQ(Lines(users.out),
              (std::vector<std::string>{"volume\t1\t" + fs + " at sector " + sector,
                                        "user\t1\tmessenger\tAnn", "user\t1\tnone\tBob"}));

    const std::string out = folder / "out";
    ::mkdir(out.c_str(), 0777);
    ::chmod(out.c_str(), 0777);
    // Names are matched as Windows matches them: regardless of case.
    const ChildResult copy =
        RunChild(AsOrdinaryUser({Tool(), "/COPY", "/PART:1", "/USER:ann", image, out}));
    ASSERT_TRUE(copy.ExitedWith(0)) << copy.Describe();
    std::map<std::string, std::string> expected = kTree;
    expected.erase(kRoaming + "Templates/other.txt");
    expected.erase(kXp + "Protect/S-1-5-21-9-9-9-500/Preferred");
    EXPECT_EQ(ReadTree(out), expected);
    EXPECT_EQ(Lines(copy.out).back(), "progress\t4\t5015");
    EXPECT_EQ(Digest(image), before) << "the image was written";
}

INSTANTIATE_TEST_SUITE_P(Images, DiskImageToolTest,
                         ::testing::Values(std::make_tuple("fat32", "none", "raw"),
                                           std::make_tuple("fat32", "mbr", "split"),
                                           std::make_tuple("ntfs", "mbr", "vmdk"),
                                           std::make_tuple("ntfs", "gpt", "vhd"),
                                           std::make_tuple("ntfs", "none", "vhd_fixed"),
                                           std::make_tuple("fat32", "gpt", "vhdx"),
                                           std::make_tuple("ntfs", "gpt", "e01")),
                         [](const ::testing::TestParamInfo<DiskImageToolTest::ParamType>& image) {
                             return std::string(std::get<0>(image.param)) + "_" +
                                    std::get<1>(image.param) + "_" + std::get<2>(image.param);
                         });

TEST(DiskImageTool, HostileImagesFailOnTheirOwnWithAReason) {
    TempFolder folder;
    ::chmod(folder.Path().c_str(), 0755);
    const std::string out = folder / "out";
    ::mkdir(out.c_str(), 0777);
    ::chmod(out.c_str(), 0777);
    const auto copy = [&](const std::string& image) {
        ChildOptions options;
        options.timeLimit = std::chrono::seconds(30);
        return RunChild(AsOrdinaryUser({Tool(), "/COPY", "/PART:1", "/USER:Ann", image, out}),
                        options);
    };

    // Bytes that hold no volume at all.
    WriteFile(folder / "noise.img", std::string(1 << 20, '\x5a'));
    ::chmod((folder / "noise.img").c_str(), 0644);
    ChildResult result = copy(folder / "noise.img");
    EXPECT_TRUE(result.ExitedWith(kNoVolume)) << result.Describe();
    EXPECT_NE(result.err.find("no NTFS or FAT file system on"), std::string::npos) << result.err;

    // A FIFO would block a reader for good: it is refused without opening.
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0666), 0);
    result = copy(folder / "fifo");
    EXPECT_TRUE(result.ExitedWith(kRefused)) << result.Describe();
    EXPECT_NE(result.err.find("not a regular file"), std::string::npos) << result.err;

    // A partition table whose one partition starts far past the image's end.
    std::string table(1 << 20, '\0');
    const unsigned char entry[16] = {0,    0,    0,    0,    0x07, 0,    0, 0,
                                     0xff, 0xff, 0xff, 0x7f, 0,    0x10, 0, 0};
    table.replace(446, 16, reinterpret_cast<const char*>(entry), 16);
    table[510] = '\x55';
    table[511] = '\xaa';
    WriteFile(folder / "past-the-end.img", table);
    ::chmod((folder / "past-the-end.img").c_str(), 0644);
    result = copy(folder / "past-the-end.img");
    EXPECT_TRUE(result.ExitedWith(kNoVolume)) << result.Describe();
    EXPECT_NE(result.err.find("no NTFS or FAT file system on"), std::string::npos) << result.err;

    // A FAT whose chain of the "Users" folder leads back to itself: the
    // folder is read once, and the reader ends on its own.
    {
        TempFolder looped;
        ::chmod(looped.Path().c_str(), 0755);
        WriteTree(looped / "tree", kTree);
        const std::string image = MakeImage(looped, looped / "tree", {"fat32", "none", "raw"});
        ASSERT_FALSE(image.empty());
        std::string bytes = ReadFile(image);
        const auto u16 = [&](std::size_t at) {
            return std::size_t(std::uint8_t(bytes[at])) | std::size_t(std::uint8_t(bytes[at + 1]))
                                                              << 8;
        };
        const auto u32 = [&](std::size_t at) { return u16(at) | u16(at + 2) << 16; };
        // The boot sector's fields, where every FAT32 volume keeps them.
        const std::size_t sector = u16(11), reserved = u16(14), fats = std::uint8_t(bytes[16]);
        const std::size_t fatSectors = u32(36), perCluster = std::uint8_t(bytes[13]);
        const std::size_t root = u32(44);
        const std::size_t data = (reserved + fats * fatSectors) * sector;
        // "Users" is the root folder's first entry in a volume mtools filled.
        std::size_t users = 0;
        for (std::size_t at = data + (root - 2) * perCluster * sector; users == 0; at += 32)
            if (bytes.compare(at, 5, "USERS") == 0)
                users = u16(at + 20) << 16 | u16(at + 26);
        for (std::size_t fat = 0; fat < fats; ++fat) {
            const std::size_t next = (reserved + fat * fatSectors) * sector + users * 4;
            for (int i = 0; i < 4; ++i)
                bytes[next + i] = char(users >> (8 * i));
        }
        WriteFile(image, bytes);
        result = copy(image);
        EXPECT_TRUE(result.ExitedWith(0)) << result.Describe();
        EXPECT_EQ(Lines(result.out).back(), "progress\t4\t5015");
        std::filesystem::remove_all(out);
        ::mkdir(out.c_str(), 0777);
        ::chmod(out.c_str(), 0777);
    }

    // A file whose name on the volume climbs out ("../X.CAB" in its FAT
    // entry) is not copied, and nothing is written beside the copy.
    {
        TempFolder climbing;
        ::chmod(climbing.Path().c_str(), 0755);
        WriteTree(climbing / "tree", kTree);
        const std::string image = MakeImage(climbing, climbing / "tree", {"fat32", "none", "raw"});
        ASSERT_FALSE(image.empty());
        std::string bytes = ReadFile(image);
        const std::size_t at = bytes.find("SMILE01 CAB");
        ASSERT_NE(at, std::string::npos);
        bytes.replace(at, 11, "../X    CAB");
        WriteFile(image, bytes);
        result = copy(image);
        EXPECT_TRUE(result.ExitedWith(0)) << result.Describe();
        const auto copied = ReadTree(out);
        EXPECT_EQ(copied.count(kRoaming + "MSN Messenger/4249955585/Winks3/MapFile.dat"), 1u);
        for (const auto& [path, bytesCopied] : copied)
            EXPECT_EQ(path.find("X.CAB"), std::string::npos) << path;
        EXPECT_FALSE(std::filesystem::exists(folder / "X.CAB"));
        EXPECT_FALSE(
            std::filesystem::exists(out + "/" + kRoaming + "MSN Messenger/4249955585/X.CAB"));
        std::filesystem::remove_all(out);
        ::mkdir(out.c_str(), 0777);
        ::chmod(out.c_str(), 0777);
    }

    // Folders nested far deeper than any Windows profile.
    std::string deep = kRoaming + "MSN Messenger";
    for (int i = 0; i < 40; ++i)
        deep += "/d";
    WriteTree(folder / "deep", {{deep + "/x", "x"}});
    TempFolder second;
    const std::string nested = MakeImage(second, folder / "deep", {"fat32", "none", "raw"});
    ASSERT_FALSE(nested.empty());
    result = copy(nested);
    EXPECT_TRUE(result.ExitedWith(kRefused)) << result.Describe();
    EXPECT_NE(result.err.find("nested more than 32 deep"), std::string::npos) << result.err;
}

// A file far larger than anything Windows or Messenger kept (a sparse 10 GB
// "Preferred") is refused without reading it.
TEST(DiskImageTool, AHugeFileIsRefusedAtOnce) {
    TempFolder folder;
    const std::string image =
        MakeImage(folder, NtfsVolume("ntfs-huge-preferred"), {"ntfs", "none", "raw"});
    ASSERT_FALSE(image.empty());
    const std::string out = folder / "out";
    ::mkdir(out.c_str(), 0777);
    ::chmod(out.c_str(), 0777);
    ChildOptions options;
    options.timeLimit = std::chrono::seconds(30);
    const ChildResult result =
        RunChild(AsOrdinaryUser({Tool(), "/COPY", "/PART:1", "/USER:Ann", image, out}), options);
    EXPECT_TRUE(result.ExitedWith(kRefused)) << result.Describe();
    EXPECT_NE(result.err.find("Preferred on the image"), std::string::npos) << result.err;
}

} // namespace
