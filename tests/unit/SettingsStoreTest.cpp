#include "app/SettingsStore.h"

#include "support/ChildRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

std::string Bytes(std::initializer_list<unsigned> values) {
    std::string bytes;
    for (unsigned value : values)
        bytes.push_back(static_cast<char>(value));
    return bytes;
}

// A string of n bytes whose content shows up in a failed comparison.
std::string Filler(std::size_t n) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>('a' + i % 26);
    return s;
}

// --- passports.dat, the pure format ---------------------------------------

TEST(StringArrayFormatTest, EncodesTheDocumentedExamples) {
    EXPECT_EQ(EncodeStringArray({}), Bytes({0x00, 0x00}));

    const std::string encoded = EncodeStringArray({"joe@x1", "ann@xy2"});
    EXPECT_EQ(encoded, Bytes({0x02, 0x00, 0x06}) + "joe@x1" + Bytes({0x07}) + "ann@xy2");
    EXPECT_EQ(encoded.size(), 17u);

    // Empty entries still take their one-byte length.
    EXPECT_EQ(EncodeStringArray({"", "a"}), Bytes({0x02, 0x00, 0x00, 0x01}) + "a");
}

TEST(StringArrayFormatTest, UsesEachLengthPrefixFormAtItsBoundaries) {
    struct Case {
        std::size_t length;
        std::string prefix;
    };
    const Case cases[] = {
        {254, Bytes({0xFE})},
        {255, Bytes({0xFF, 0xFF, 0x00})},
        {256, Bytes({0xFF, 0x00, 0x01})},
        {0xFFFD, Bytes({0xFF, 0xFD, 0xFF})},
        {0xFFFE, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {0x12345, Bytes({0xFF, 0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        const std::string value = Filler(c.length);
        const std::string expected = Bytes({0x01, 0x00}) + c.prefix + value;
        EXPECT_EQ(EncodeStringArray({value}), expected);
        EXPECT_EQ(DecodeStringArray(expected), Strings{value});
    }
}

TEST(StringArrayFormatTest, SwitchesToTheLongCountAt0xFFFFEntries) {
    // 0xFFFE entries still fit the 16-bit count; 0xFFFF is its escape.
    const Strings justBelow(0xFFFE);
    EXPECT_EQ(EncodeStringArray(justBelow), Bytes({0xFE, 0xFF}) + std::string(0xFFFE, '\0'));

    const Strings atEscape(0xFFFF);
    const std::string encoded = EncodeStringArray(atEscape);
    EXPECT_EQ(encoded, Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}) + std::string(0xFFFF, '\0'));
    EXPECT_EQ(DecodeStringArray(encoded), atEscape);
}

TEST(StringArrayFormatTest, RoundTripsArbitraryBytes) {
    const Strings values = {
        "", std::string("nul\0inside", 10), "caf\xE9", "\xFF\xFF\xFF", Filler(300), "line\r\n"};
    EXPECT_EQ(DecodeStringArray(EncodeStringArray(values)), values);
}

TEST(StringArrayFormatTest, DecodesLongFormsWrittenForShortValues) {
    // Other writers need not pick the shortest prefix; the value is what
    // counts.
    const std::string bytes = Bytes({0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00, 0xFF, 0x02, 0x00}) + "ab" +
                              Bytes({0xFF, 0xFF, 0xFF, 0x01, 0x00, 0x00, 0x00}) + "c";
    EXPECT_EQ(DecodeStringArray(bytes), (Strings{"ab", "c"}));
}

TEST(StringArrayFormatTest, StopsAtTheFirstDamagedEntry) {
    const std::string good = EncodeStringArray({"first", "second", "third"});

    // Cut at every point: whatever was complete before the cut survives.
    // "first" ends at byte 8, "second" at byte 15, "third" at byte 21.
    for (std::size_t cut = 0; cut < good.size(); ++cut) {
        SCOPED_TRACE(cut);
        const Strings expected = cut < 8    ? Strings{}
                                 : cut < 15 ? Strings{"first"}
                                            : Strings{"first", "second"};
        EXPECT_EQ(DecodeStringArray(std::string_view(good).substr(0, cut)), expected);
    }
    EXPECT_EQ(DecodeStringArray(good), (Strings{"first", "second", "third"}));

    // A count claiming more entries than there are gives the ones present.
    EXPECT_EQ(DecodeStringArray(Bytes({0x05, 0x00, 0x01}) + "x"), Strings{"x"});

    // A 32-bit length reaching past the end, and the UTF-16 marker this
    // program never writes, both end the list.
    EXPECT_EQ(DecodeStringArray(Bytes({0x02, 0x00, 0x01}) + "x" +
                                Bytes({0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80}) + "yy"),
              Strings{"x"});
    EXPECT_EQ(DecodeStringArray(Bytes({0x02, 0x00, 0x01}) + "x" +
                                Bytes({0xFF, 0xFE, 0xFF, 0x01, 0x00, 0x00, 0x00}) + "y"),
              Strings{"x"});
}

TEST(StringArrayFormatTest, HugeCountsInSmallInputsStaySmall) {
    // Four billion entries claimed in ten bytes: the decoder must neither
    // reserve for the claim nor loop beyond the input.
    const std::string claim = Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00});
    Strings decoded;
    ASSERT_NO_THROW(decoded = DecodeStringArray(claim));
    EXPECT_EQ(decoded, Strings(4, ""));
    EXPECT_LE(decoded.capacity(), claim.size());

    EXPECT_TRUE(DecodeStringArray(Bytes({0xFF, 0xFF, 0xFF})).empty());
    EXPECT_TRUE(DecodeStringArray(Bytes({0xFF})).empty());
    EXPECT_TRUE(DecodeStringArray({}).empty());
}

// --- passports.dat on disk -------------------------------------------------

TEST(RecentPassportsTest, SavesTheExactBytesAndLoadsThemBack) {
    test::TempFolder scratch;
    const SettingsStore settings(scratch.Path());
    const std::string path = scratch / "passports.dat";

    ASSERT_TRUE(settings.SetRecentPassports({"joe@x1", "ann@xy2"}));
    EXPECT_EQ(test::ReadFile(path),
              Bytes({0x02, 0x00, 0x06}) + "joe@x1" + Bytes({0x07}) + "ann@xy2");
    EXPECT_EQ(settings.RecentPassports(), (Strings{"joe@x1", "ann@xy2"}));

    ASSERT_TRUE(settings.SetRecentPassports({}));
    EXPECT_EQ(test::ReadFile(path), Bytes({0x00, 0x00}));
    EXPECT_TRUE(settings.RecentPassports().empty());

    // A settings folder that a dotfile manager made a link still works.
    std::filesystem::create_symlink(scratch.Path(), scratch / "linked");
    ASSERT_TRUE(SettingsStore(scratch / "linked").SetRecentPassports({"joe@x1"}));
    EXPECT_EQ(settings.RecentPassports(), Strings{"joe@x1"});
}

TEST(RecentPassportsTest, SavingReplacesTheFileWholeThroughARename) {
    test::TempFolder scratch;
    const std::string path = scratch / "passports.dat";
    test::WriteFile(path, EncodeStringArray({Filler(400), Filler(400)}));

    ASSERT_TRUE(SettingsStore(scratch.Path()).SetRecentPassports({"me@home"}));
    EXPECT_EQ(test::ReadFile(path), Bytes({0x01, 0x00, 0x07}) + "me@home");
    EXPECT_EQ(test::FolderNames(scratch.Path()), Strings{"passports.dat"});

    EXPECT_FALSE(SettingsStore(scratch / "missing").SetRecentPassports({"me@home"}));
    EXPECT_EQ(test::FolderNames(scratch.Path()), Strings{"passports.dat"});
}

TEST(RecentPassportsTest, OneHundredPassportsAreKeptTheNewestFirst) {
    test::TempFolder scratch;
    const SettingsStore settings(scratch.Path());
    const std::string path = scratch / "passports.dat";
    Strings names;
    std::string file = Bytes({101, 0x00});
    for (int n = 0; n < 101; ++n) {
        names.push_back("u" + std::to_string(100 + n) + "@x.com"); // 10 bytes each
        file += Bytes({10}) + names.back();
    }
    const Strings kept(names.begin(), names.begin() + 100);

    test::WriteFile(path, file);
    EXPECT_EQ(settings.RecentPassports(), kept);
    ASSERT_TRUE(settings.SetRecentPassports(names));
    EXPECT_EQ(test::ReadFile(path), Bytes({100, 0x00}) + file.substr(2, 100 * 11));
}

TEST(RecentPassportsTest, MissingFileIsCreatedEmpty) {
    test::TempFolder scratch;
    const std::string path = scratch / "passports.dat";

    EXPECT_TRUE(SettingsStore(scratch.Path()).RecentPassports().empty());
    ASSERT_TRUE(fs::is_regular_file(path));
    EXPECT_EQ(fs::file_size(path), 0u);

    // Nowhere to create it: an empty list, not an error.
    EXPECT_TRUE(SettingsStore(scratch / "missing").RecentPassports().empty());
    EXPECT_FALSE(fs::exists(scratch / "missing"));
}

TEST(RecentPassportsTest, DamagedFilesGiveWhatCanBeReadAndStayUntouched) {
    test::TempFolder scratch;
    const SettingsStore settings(scratch.Path());
    const std::string path = scratch / "passports.dat";

    test::WriteFile(path, Bytes({0x01}));
    EXPECT_TRUE(settings.RecentPassports().empty());
    EXPECT_EQ(test::ReadFile(path), Bytes({0x01}));

    const std::string truncated = EncodeStringArray({"joe@x1", "ann@xy2", "sam@z3"}).substr(0, 20);
    test::WriteFile(path, truncated);
    EXPECT_EQ(settings.RecentPassports(), (Strings{"joe@x1", "ann@xy2"}));
    EXPECT_EQ(test::ReadFile(path), truncated);

    test::WriteFile(path,
                    Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x03}) + "abc" + Bytes({0xFF}));
    EXPECT_EQ(settings.RecentPassports(), Strings{"abc"});

    fs::remove(path);
    fs::create_directory(path);
    EXPECT_TRUE(settings.RecentPassports().empty());
}

TEST(RecentPassportsTest, AFifoALinkOrAHugeFileGiveNoPassportsAndALinkIsReplacedNotFollowed) {
    test::TempFolder scratch;
    test::TempFolder documents;
    const SettingsStore settings(scratch.Path());
    const std::string path = scratch / "passports.dat";

    // A FIFO: no wait for a writer that never comes. Should the load hang,
    // a writer is let in after a while so the test ends and fails.
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    auto loading = std::async(std::launch::async, [&] { return settings.RecentPassports(); });
    if (loading.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        ADD_FAILURE() << "loading waited on a FIFO";
        const int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
    }
    EXPECT_TRUE(loading.get().empty());
    fs::remove(path);

    // A dangling link: neither followed by loading (which creates a missing
    // file) nor by saving, which puts a file of its own in its place.
    const std::string target = scratch / "target";
    fs::create_symlink(target, path);
    EXPECT_TRUE(settings.RecentPassports().empty());
    EXPECT_FALSE(fs::exists(target));
    ASSERT_TRUE(settings.SetRecentPassports({"me@home"}));
    EXPECT_FALSE(fs::exists(target));
    ASSERT_FALSE(fs::is_symlink(path));
    EXPECT_EQ(settings.RecentPassports(), Strings{"me@home"});

    // A link to a readable list is not read either; the same for the backup
    // folder.
    test::WriteFile(target, EncodeStringArray({"other@there"}));
    fs::remove(path);
    fs::create_symlink(target, path);
    EXPECT_TRUE(settings.RecentPassports().empty());
    test::WriteFile(scratch / "folder-target", "/srv/elsewhere");
    fs::create_symlink(scratch / "folder-target", scratch / "backupfolder.dat");
    EXPECT_EQ(settings.BackupFolder(documents.Path()), documents.Path() + "/Quorvane");

    // 20,000 passports (460 KB): no list at all rather than a window that
    // takes its time to open.
    fs::remove(path);
    test::WriteFile(path, EncodeStringArray(Strings(20000, "someone.else@example.com")));
    EXPECT_TRUE(settings.RecentPassports().empty());
}

// --- backupfolder.dat ------------------------------------------------------

TEST(BackupFolderFileTest, HoldsThePathBytesAndNothingElse) {
    test::TempFolder scratch;
    const SettingsStore settings(scratch.Path());
    const std::string path = scratch / "backupfolder.dat";

    ASSERT_TRUE(settings.SetBackupFolder("/home/joe/Messenger backups"));
    EXPECT_EQ(test::ReadFile(path), "/home/joe/Messenger backups");
    EXPECT_EQ(settings.BackupFolder("/docs"), "/home/joe/Messenger backups");

    // A line feed is a legal path byte and must survive the round trip.
    ASSERT_TRUE(settings.SetBackupFolder("/srv/caf\xE9\n"));
    EXPECT_EQ(test::ReadFile(path), "/srv/caf\xE9\n");
    EXPECT_EQ(settings.BackupFolder("/docs"), "/srv/caf\xE9\n");

    // A zero byte ends the folder.
    const std::string withZero("/data/one\0/data/two", 19);
    ASSERT_TRUE(settings.SetBackupFolder(withZero));
    EXPECT_EQ(test::ReadFile(path), withZero);
    EXPECT_EQ(settings.BackupFolder("/docs"), "/data/one");
}

TEST(BackupFolderFileTest, FallsBackToDocumentsForMissingOrUselessFolders) {
    test::TempFolder scratch;
    test::TempFolder documents;
    const SettingsStore settings(scratch.Path());
    const std::string fallback = documents.Path() + "/Quorvane";

    EXPECT_EQ(settings.BackupFolder(documents.Path()), fallback);
    // Asking creates nothing: neither the file nor the folder, which appears
    // only when a backup runs.
    EXPECT_TRUE(test::FolderNames(scratch.Path()).empty());
    EXPECT_TRUE(test::FolderNames(documents.Path()).empty());

    for (const std::string& stored : {std::string(), std::string("/"), std::string("\0/data", 6)}) {
        test::WriteFile(scratch / "backupfolder.dat", stored);
        EXPECT_EQ(settings.BackupFolder(documents.Path()), fallback) << stored;
    }
    test::WriteFile(scratch / "backupfolder.dat", "/b");
    EXPECT_EQ(settings.BackupFolder(documents.Path()), "/b");

    fs::remove(scratch / "backupfolder.dat");
    fs::create_directory(scratch / "backupfolder.dat");
    EXPECT_EQ(settings.BackupFolder(documents.Path()), fallback);
    EXPECT_EQ(SettingsStore(scratch / "missing").BackupFolder(documents.Path()), fallback);
}

TEST(BackupFolderFileTest, SavingReplacesTheFileWholeThroughARename) {
    test::TempFolder scratch;
    const std::string path = scratch / "backupfolder.dat";
    test::WriteFile(path, "/a/much/longer/folder/than/the/next/one");

    ASSERT_TRUE(SettingsStore(scratch.Path()).SetBackupFolder("/b"));
    EXPECT_EQ(test::ReadFile(path), "/b");
    EXPECT_EQ(test::FolderNames(scratch.Path()), Strings{"backupfolder.dat"});

    EXPECT_FALSE(SettingsStore(scratch / "missing").SetBackupFolder("/b"));
    EXPECT_EQ(test::FolderNames(scratch.Path()), Strings{"backupfolder.dat"});
}

// --- the demo notice and finding the settings ------------------------------

// The window's place and type are two numbers and one: anything else in
// their files (another program's, a damaged one) is no setting.
TEST(WindowSettingsTest, HoldTheNumbersAsTextAndRefuseAnythingElse) {
    test::TempFolder scratch;
    const SettingsStore settings(scratch.Path());
    EXPECT_EQ(settings.WindowPosition(), std::nullopt);
    EXPECT_EQ(settings.BackupType(), std::nullopt);
    ASSERT_TRUE(settings.SetWindowPosition(-12, 340));
    ASSERT_TRUE(settings.SetBackupType(5));
    EXPECT_EQ(test::ReadFile(scratch / "window.dat"), "-12 340");
    EXPECT_EQ(test::ReadFile(scratch / "backuptype.dat"), "5");
    EXPECT_EQ(settings.WindowPosition(), std::make_pair(-12, 340));
    EXPECT_EQ(settings.BackupType(), 5);

    for (const char* bad : {"", "12", "1 2 3", "1  2", "1 x", "99999999999 1", "1 2 "}) {
        test::WriteFile(scratch / "window.dat", bad);
        EXPECT_EQ(settings.WindowPosition(), std::nullopt) << bad;
    }
    test::WriteFile(scratch / "backuptype.dat", "3\n");
    EXPECT_EQ(settings.BackupType(), std::nullopt);
}

TEST(DemoNoticeTest, ShownAtTheFirstStartOnly) {
    test::TempFolder scratch;
    const SettingsStore settings(scratch.Path());
    EXPECT_TRUE(settings.FirstDemoNotice());
    EXPECT_FALSE(settings.FirstDemoNotice());
    EXPECT_EQ(test::FolderNames(scratch.Path()), Strings{"demo-notice-shown"});
    EXPECT_TRUE(SettingsStore(scratch / "missing").FirstDemoNotice());
}

TEST(SettingsFolderTest, UsesXdgConfigHomeAndCreatesTheFolder) {
    test::TempFolder config;
    test::ScopedVariable xdg("XDG_CONFIG_HOME", config.Path());

    EXPECT_EQ(SettingsFolder(), config.Path() + "/quorvane");
    EXPECT_TRUE(fs::is_directory(config / "quorvane"));
}

TEST(SettingsFolderTest, FallsBackToDotConfigInHome) {
    test::TempFolder home;
    test::ScopedVariable homeVariable("HOME", home.Path());
    const std::string expected = home.Path() + "/.config/quorvane";

    {
        test::ScopedVariable xdg("XDG_CONFIG_HOME", std::nullopt);
        EXPECT_EQ(SettingsFolder(), expected);
        EXPECT_TRUE(fs::is_directory(expected));
    }
    {
        test::ScopedVariable xdg("XDG_CONFIG_HOME", "");
        EXPECT_EQ(SettingsFolder(), expected);
    }
    {
        // A relative value would put the settings wherever the program was
        // started, so it is ignored as the base directory rules say.
        test::ScopedVariable xdg("XDG_CONFIG_HOME", "relative/config");
        EXPECT_EQ(SettingsFolder(), expected);
    }
}

} // namespace
} // namespace quorvane
