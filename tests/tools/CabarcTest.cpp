// cabarc, checked from the outside: the cabinet bytes it writes are read
// without any cabinet library, its packs are read back by our extract and by
// Debian's cabextract as an independent reader, its refusals leave nothing
// behind, and nothing planted on its way (a FIFO, a link) can stall it or
// redirect its writes.

#include "CabinetDirectory.h"
#include "CabinetTools.h"
#include "TestFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/types.h>
#include <unistd.h>

namespace quorvane::test {
namespace {

namespace fs = std::filesystem;

// A zone without daylight saving, five and a half hours east of UTC, so a
// time written as UTC instead of local time cannot pass by accident.
const Variables kZone{{"TZ", "QVT-05:30"}};
// 2009-02-13 23:31:30 UTC, 2009-02-14 05:01:30 in that zone.
constexpr std::time_t kStamp = 1234567890;
constexpr std::uint16_t kStampDate = (2009 - 1980) << 9 | 2 << 5 | 14;
constexpr std::uint16_t kStampTime = 5 << 11 | 1 << 5 | 30 / 2;

void SetModified(const fs::path& path, std::time_t seconds) {
    timeval times[2] = {};
    times[0].tv_sec = seconds;
    times[1].tv_sec = seconds;
    ASSERT_EQ(::utimes(path.c_str(), times), 0) << path;
}

std::time_t Modified(const fs::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return -1;
    }
    return info.st_mtim.tv_sec;
}

std::vector<std::string> Names(const CabinetDirectory& directory) {
    std::vector<std::string> names;
    for (const auto& entry : directory.entries) {
        names.push_back(entry.name);
    }
    return names;
}

std::string FindCabextract() {
    for (const char* candidate : {"/usr/bin/cabextract", "/usr/local/bin/cabextract"}) {
        if (::access(candidate, X_OK) == 0) {
            return candidate;
        }
    }
    return {};
}

class Cabarc : public testing::Test {
protected:
    // A folder of files as a Messenger account folder might hold them.
    void MakeInputs() {
        fs::create_directories(Input());
        m_contents = {
            {"empty", ""},
            {"text.txt", "Hello from the chat history.\r\n"},
            {"random.bin", RandomBytes(200000, 42)},
            {"with space.txt", std::string(70000, 'z')},
            {"caf\xC3\xA9.txt", "UTF-8 name"},
            {".dotfile", "hidden on Linux, plain on Windows"},
        };
        for (const auto& [name, bytes] : m_contents) {
            WriteFile(Input() / name, bytes);
            SetModified(Input() / name, kStamp);
        }
    }

    fs::path Input() const { return m_dir / "input"; }
    fs::path Pack() const { return m_dir / "packs" / "account.msn"; }

    std::vector<std::string> InputArguments() const {
        std::vector<std::string> arguments{"N", Pack().string()};
        for (const auto& [name, bytes] : m_contents) {
            arguments.push_back((Input() / name).string());
        }
        return arguments;
    }

    void SetUp() override { fs::create_directories(m_dir / "packs"); }

    TempFolder m_folder;
    const fs::path m_dir{m_folder.Path()};
    std::vector<std::pair<std::string, std::string>> m_contents;
};

TEST_F(Cabarc, WritesBareNamesSizesAndLocalTimesIntoOneMszipFolder) {
    MakeInputs();
    const ChildResult result = RunCabarc(InputArguments(), kZone);
    ASSERT_TRUE(result.ExitedWith(0)) << result.Describe();

    const auto directory = CabinetDirectory::Read(ReadFile(Pack()));
    EXPECT_EQ(directory.folderCount, 1);
    EXPECT_EQ(directory.compression & 0x0F, 1) << "not MSZIP";
    ASSERT_EQ(directory.entries.size(), m_contents.size());
    for (std::size_t i = 0; i < m_contents.size(); ++i) {
        const auto& entry = directory.entries[i];
        EXPECT_EQ(entry.name, m_contents[i].first) << "given order, no folder part";
        EXPECT_EQ(entry.size, m_contents[i].second.size()) << entry.name;
        EXPECT_EQ(entry.date, kStampDate) << entry.name;
        EXPECT_EQ(entry.time, kStampTime) << entry.name;
        const bool ascii = std::all_of(entry.name.begin(), entry.name.end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        EXPECT_EQ((entry.attributes & 0x80) != 0, !ascii) << "UTF-8 flag of " << entry.name;
    }
    EXPECT_TRUE(LeftoverTemporaries(m_dir).empty());
}

TEST_F(Cabarc, PackComesBackIdenticalThroughExtract) {
    MakeInputs();
    ASSERT_TRUE(RunCabarc(InputArguments(), kZone).ExitedWith(0));

    const fs::path dest = m_dir / "restored";
    const ChildResult result = RunExtract(dest, Pack(), kZone);
    ASSERT_TRUE(result.ExitedWith(0)) << result.Describe();
    std::set<std::string> expected;
    for (const auto& [name, bytes] : m_contents) {
        expected.insert(name);
        EXPECT_EQ(ReadFile(dest / name), bytes) << name;
        EXPECT_EQ(Modified(dest / name), kStamp) << name;
    }
    EXPECT_EQ(RegularFiles(dest), expected);
}

TEST_F(Cabarc, PackIsReadableByCabextract) {
    const std::string cabextract = FindCabextract();
    if (cabextract.empty()) {
        GTEST_SKIP() << "cabextract is not installed";
    }
    MakeInputs();
    ASSERT_TRUE(RunCabarc(InputArguments(), kZone).ExitedWith(0));

    const ChildResult listing = RunWithin({cabextract, "-l", Pack().string()}, kToolTime, kZone);
    ASSERT_TRUE(listing.ExitedWith(0)) << listing.Describe();
    for (const auto& [name, bytes] : m_contents) {
        EXPECT_NE(listing.out.find("| 14.02.2009 05:01:30 | " + name + "\n"), std::string::npos)
            << name << " in\n"
            << listing.out;
    }

    const fs::path dest = m_dir / "by-cabextract";
    const ChildResult test = RunWithin({cabextract, "-t", Pack().string()});
    EXPECT_TRUE(test.ExitedWith(0)) << "checksums: " << test.Describe();
    const ChildResult unpacked =
        RunWithin({cabextract, "-q", "-d", dest.string(), Pack().string()});
    ASSERT_TRUE(unpacked.ExitedWith(0)) << unpacked.Describe();
    for (const auto& [name, bytes] : m_contents) {
        EXPECT_EQ(ReadFile(dest / name), bytes) << name;
    }
}

// The backup names every file it packs; a name taken from a stranger's
// data must never stand for other files of its folder.
TEST_F(Cabarc, WildcardsAreFileNamesLikeAnyOther) {
    fs::create_directories(Input());
    for (const std::string name : {"b.txt", "map.dat", "content.xml"}) {
        WriteFile(Input() / name, "content of " + name);
    }
    for (const std::string pattern : {"*.*", "*", "b.tx?"}) {
        const ChildResult result = RunCabarc({"N", Pack().string(), (Input() / pattern).string()});
        EXPECT_TRUE(result.ExitedWith(1)) << pattern << ": " << result.Describe();
        EXPECT_NE(result.err.find(pattern + "\""), std::string::npos) << result.err;
        EXPECT_FALSE(fs::exists(Pack())) << pattern;
    }

    WriteFile(Input() / "*", "a file named star");
    const ChildResult star = RunCabarc({"N", Pack().string(), (Input() / "*").string()});
    ASSERT_TRUE(star.ExitedWith(0)) << star.Describe();
    EXPECT_EQ(Names(CabinetDirectory::Read(ReadFile(Pack()))), (std::vector<std::string>{"*"}));
    const fs::path dest = m_dir / "restored";
    ASSERT_TRUE(RunExtract(dest, Pack()).ExitedWith(0));
    EXPECT_EQ(RegularFiles(dest), (std::set<std::string>{"*"}));
    EXPECT_EQ(ReadFile(dest / "*"), "a file named star");
}

TEST_F(Cabarc, ReplacesAnExistingPackWhole) {
    MakeInputs();
    WriteFile(Pack(), std::string(500000, 'o')); // an older, larger pack
    ASSERT_TRUE(RunCabarc(InputArguments()).ExitedWith(0));
    EXPECT_EQ(CabinetDirectory::Read(ReadFile(Pack())).entries.size(), m_contents.size());
    EXPECT_EQ(RegularFiles(Pack().parent_path()), (std::set<std::string>{"account.msn"}));
}

TEST_F(Cabarc, RefusesInputsThatWouldCollideOrAreMissing) {
    fs::create_directories(m_dir / "one");
    fs::create_directories(m_dir / "two");
    WriteFile(m_dir / "one" / "same.txt", "first");
    WriteFile(m_dir / "two" / "same.txt", "second");
    WriteFile(m_dir / "back\\slash.txt", "would come back as a folder");
    const std::string oldPack = "an older pack that must survive a refused run";
    WriteFile(Pack(), oldPack);

    const std::vector<std::vector<std::string>> refused{
        {"N", Pack().string(), (m_dir / "one/same.txt").string(),
         (m_dir / "two/same.txt").string()},
        {"N", Pack().string(), (m_dir / "one/same.txt").string(),
         (m_dir / "one/same.txt").string()},
        {"N", Pack().string(), (m_dir / "one/same.txt").string(), (m_dir / "missing.txt").string()},
        {"N", Pack().string(), (m_dir / "one").string()},
        {"N", Pack().string(), (m_dir / "back\\slash.txt").string()},
        {"N", Pack().string(), (m_dir / "one/same.txt").string(), Pack().string()},
    };
    for (const auto& arguments : refused) {
        const ChildResult result = RunCabarc(arguments);
        EXPECT_TRUE(result.ExitedWith(1)) << arguments.back() << ": " << result.Describe();
        EXPECT_FALSE(result.err.empty());
        EXPECT_EQ(ReadFile(Pack()), oldPack) << arguments.back();
        EXPECT_TRUE(LeftoverTemporaries(m_dir).empty()) << arguments.back();
    }

    const ChildResult duplicate = RunCabarc(refused[0]);
    EXPECT_NE(duplicate.err.find("same.txt"), std::string::npos) << duplicate.err;
    const ChildResult missing = RunCabarc(refused[2]);
    EXPECT_NE(missing.err.find("missing.txt"), std::string::npos) << missing.err;

    const fs::path noFolder = m_dir / "absent" / "pack.msn";
    const ChildResult result =
        RunCabarc({"N", noFolder.string(), (m_dir / "one/same.txt").string()});
    EXPECT_TRUE(result.ExitedWith(1)) << result.Describe();
    EXPECT_FALSE(fs::exists(noFolder));
}

TEST_F(Cabarc, RefusesUnknownCommandsAndExplainsUsage) {
    WriteFile(m_dir / "a.txt", "a");
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"X", Pack().string(), (m_dir / "a.txt").string()},
                                               {"A", Pack().string(), (m_dir / "a.txt").string()},
                                               {"N", Pack().string()},
                                               {}}) {
        const ChildResult result = RunCabarc(arguments);
        EXPECT_FALSE(result.ExitedWith(0)) << result.Describe();
        EXPECT_FALSE(result.signaled || result.timedOut);
        EXPECT_FALSE(result.err.empty());
        EXPECT_FALSE(fs::exists(Pack()));
    }
    const ChildResult help = RunCabarc({"--help"});
    EXPECT_TRUE(help.ExitedWith(0)) << help.Describe();
    EXPECT_NE(help.out.find("cabarc N <pack>"), std::string::npos) << help.out;
}

// The backup engine waits for cabarc; an input that never ends must not
// keep it waiting: a FIFO or a device named as an input is refused on sight.
TEST_F(Cabarc, EndsAtOnceWhenAnInputIsNotARegularFile) {
    fs::create_directories(Input());
    WriteFile(Input() / "object.cab", "the object");
    const fs::path manifest = Input() / "content.xml";
    ASSERT_EQ(::mkfifo(manifest.c_str(), 0644), 0);
    const std::chrono::seconds limit(10);

    const ChildResult fifo = RunCabarc(
        {"N", Pack().string(), manifest.string(), (Input() / "object.cab").string()}, {}, limit);
    EXPECT_TRUE(fifo.ExitedWith(1)) << fifo.Describe();
    EXPECT_NE(fifo.err.find("content.xml\" is not a regular file (a FIFO)"), std::string::npos)
        << fifo.err;
    EXPECT_FALSE(fs::exists(Pack()));

    const ChildResult device = RunCabarc({"N", Pack().string(), "/dev/zero"}, {}, limit);
    EXPECT_TRUE(device.ExitedWith(1)) << device.Describe();
    EXPECT_NE(device.err.find("is not a regular file (a character device)"), std::string::npos)
        << device.err;
    EXPECT_FALSE(fs::exists(Pack()));
    EXPECT_TRUE(LeftoverTemporaries(m_dir).empty());
}

// Links planted at the pack's name are replaced by the new pack, never
// written through, whatever they lead to.
TEST_F(Cabarc, ReplacesALinkAtThePackNameInsteadOfWritingThroughIt) {
    MakeInputs();
    fs::create_directories(m_dir / "outside");
    WriteFile(m_dir / "outside" / "victim.txt", "must stay as it is");
    fs::create_symlink(m_dir / "outside" / "victim.txt", Pack());
    const fs::path dangling = m_dir / "packs" / "other.msn";
    fs::create_symlink(m_dir / "outside" / "not-there.txt", dangling);

    for (const fs::path& pack : {Pack(), dangling}) {
        std::vector<std::string> arguments = InputArguments();
        arguments[1] = pack.string();
        const ChildResult result = RunCabarc(arguments);
        ASSERT_TRUE(result.ExitedWith(0)) << pack << ": " << result.Describe();
        EXPECT_FALSE(fs::is_symlink(pack)) << pack;
        EXPECT_EQ(CabinetDirectory::Read(ReadFile(pack)).entries.size(), m_contents.size());
    }
    EXPECT_EQ(RegularFiles(m_dir / "outside"), (std::set<std::string>{"victim.txt"}));
    EXPECT_EQ(ReadFile(m_dir / "outside" / "victim.txt"), "must stay as it is");
}

// Messages name files as the user knows them: UTF-8 names as they are, with
// only terminal controls and bytes that are no character escaped.
TEST_F(Cabarc, ShowsNamesInMessagesAsTheUserKnowsThem) {
    const std::string euro = "\xE2\x82\xAC"
                             "50 voucher.txt";
    const ChildResult missing = RunCabarc({"N", Pack().string(), (m_dir / euro).string()});
    EXPECT_TRUE(missing.ExitedWith(1)) << missing.Describe();
    EXPECT_NE(missing.err.find(euro + "\""), std::string::npos) << missing.err;

    const ChildResult hostile =
        RunCabarc({"N", Pack().string(), (m_dir / "\x1B]0;owned\x07\xFF.txt").string()});
    EXPECT_TRUE(hostile.ExitedWith(1)) << hostile.Describe();
    EXPECT_NE(hostile.err.find("\\x1B]0;owned\\x07\\xFF.txt\""), std::string::npos) << hostile.err;
    EXPECT_EQ(hostile.err.find('\x1B'), std::string::npos) << "a raw escape reached stderr";
}

// The DOS date starts in 1980; an older file must not wrap round to a
// nonsense date.
TEST_F(Cabarc, PinsTimesBefore1980ToTheFirstDosDate) {
    WriteFile(m_dir / "old.txt", "old");
    SetModified(m_dir / "old.txt", 0);
    ASSERT_TRUE(RunCabarc({"N", Pack().string(), (m_dir / "old.txt").string()}).ExitedWith(0));
    const auto entry = CabinetDirectory::Read(ReadFile(Pack())).entries.at(0);
    EXPECT_EQ(entry.date, 0 << 9 | 1 << 5 | 1);
    EXPECT_EQ(entry.time, 0);
}

TEST_F(Cabarc, RefusesMoreThanTwoGigabytesInOneFolder) {
    // Sparse files: the size check must come before any byte is read.
    const fs::path first = m_dir / "first.bin";
    const fs::path second = m_dir / "second.bin";
    WriteFile(first, "");
    WriteFile(second, "");
    fs::resize_file(first, 0x40000000);
    fs::resize_file(second, 0x7FFF8000 - 0x40000000 + 1);

    const ChildResult result = RunCabarc({"N", Pack().string(), first.string(), second.string()},
                                         {}, std::chrono::seconds(10));
    EXPECT_TRUE(result.ExitedWith(1)) << result.Describe();
    EXPECT_NE(result.err.find("2147450880"), std::string::npos) << result.err;
    EXPECT_FALSE(fs::exists(Pack()));
    EXPECT_TRUE(LeftoverTemporaries(m_dir).empty());

    fs::resize_file(first, 0x80000000ULL);
    const ChildResult single =
        RunCabarc({"N", Pack().string(), first.string()}, {}, std::chrono::seconds(10));
    EXPECT_TRUE(single.ExitedWith(1)) << single.Describe();
    EXPECT_FALSE(fs::exists(Pack()));
}

TEST_F(Cabarc, Holds65535FilesButNotOneMore) {
    fs::create_directories(Input());
    // Named relative to the input folder, so the command line stays within
    // what the kernel takes.
    std::vector<std::string> arguments{kCabarc, "N", Pack().string()};
    for (int i = 0; i < 65535; ++i) {
        arguments.push_back("f" + std::to_string(i));
        const std::string name = (Input() / arguments.back()).string();
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        ASSERT_GE(fd, 0) << name;
        ::close(fd);
    }
    ChildOptions options;
    options.workingFolder = Input().string();
    options.timeLimit = std::chrono::seconds(60);
    const ChildResult full = RunChild(arguments, options);
    ASSERT_TRUE(full.ExitedWith(0)) << full.Describe();
    EXPECT_EQ(CabinetDirectory::Read(ReadFile(Pack())).entries.size(), 65535u);

    fs::remove(Pack());
    WriteFile(Input() / "one-more", "");
    arguments.push_back("one-more");
    const ChildResult over = RunChild(arguments, options);
    EXPECT_TRUE(over.ExitedWith(1)) << over.Describe();
    EXPECT_NE(over.err.find("65535"), std::string::npos) << over.err;
    EXPECT_FALSE(fs::exists(Pack()));
}

} // namespace
} // namespace quorvane::test
