// "quorvane-cli rescue" on an old disk's Windows profile whose password is
// not known: the objects copied by their content, named from the files
// themselves, and nothing else touched.

#include "support/CabinetWriter.h"
#include "support/ChildRun.h"
#include "support/FakeClock.h"
#include "support/IndependentReader.h"
#include "support/MessengerAccountBuilder.h"
#include "support/TempFolder.h"
#include "support/WindowsDpapiWriter.h"

#include "backup/CabinetTools.h"
#include "backup/Rescue.h"
#include "platform/CancelFlag.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/ProcessRunner.h"
#include "profile/ContentCategory.h"
#include "profile/MessengerProfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <map>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace quorvane::test {
namespace {

constexpr const char* kPassport = "Old.Disk@example.com";

std::string LittleEndian32(std::uint32_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
    return bytes;
}

// A 1 x 1 24-bit BMP: file header, BITMAPINFOHEADER, one padded row.
std::string BmpPicture() {
    std::string header = "BM" + LittleEndian32(58) + LittleEndian32(0) + LittleEndian32(54);
    std::string info = LittleEndian32(40) + LittleEndian32(1) + LittleEndian32(1);
    info += std::string("\x01\x00\x18\x00", 4) + LittleEndian32(0) + LittleEndian32(4);
    info += LittleEndian32(2835) + LittleEndian32(2835) + LittleEndian32(0) + LittleEndian32(0);
    return header + info + std::string("\x00\x00\xff\x00", 4);
}

class RescueTest : public ::testing::Test {
protected:
    RescueTest()
        : profile(root / "drive/Documents and Settings/Alice"),
          appData(JoinPath(profile, "Application Data")), out(root / "rescued") {
        const WindowsUserProtection windows(user, appData);
        MessengerAccountBuilder builder(appData, kPassport, windows.protection);
        for (ContentCategory category : kAllCategories)
            for (int n = 0; n < 2; ++n)
                builder.Add(category, MessengerAccountBuilder::SampleObject(category, n));

        // Cabinets that say what they are: a title with a character no file
        // name may hold, and a manifest repeating an attribute, which an XML
        // parser refuses.
        AccountObject titled = MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 2);
        titled.files = {{"content.xml", "<package version=\"1.0\" type=\"theme\"><item "
                                        "type=\"wink\" file=\"a.swf\"><title>Snowball / "
                                        "Fight</title></item></package>"},
                        {"a.swf", MessengerAccountBuilder::SwfMovie()}};
        builder.Add(ContentCategory::Winks, titled);
        AccountObject repeated =
            MessengerAccountBuilder::SampleObject(ContentCategory::DynamicBackgrounds, 2);
        repeated.files = {
            {"content.xml",
             "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<package version=\"1.0\" "
             "type=\"theme\" xmlns:dynamicbackground=\"urn:x\" version=\"2.0\" type=\"theme\">\r\n"
             "<item2 type=\"dynamicbackground\" dynamicbackground:displayname=\"Caf&#233; "
             "Reef\" file=\"b.png\"/>\r\n</package>"},
            {"b.png", MessengerAccountBuilder::PngPicture()}};
        builder.Add(ContentCategory::DynamicBackgrounds, repeated);
        // Pictures whose names do not say what they are.
        AccountObject jpeg =
            MessengerAccountBuilder::SampleObject(ContentCategory::RegularDisplayPictures, 2);
        jpeg.location = "portrait.png";
        jpeg.files = {{jpeg.location, std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00", 11)}};
        builder.Add(ContentCategory::RegularDisplayPictures, jpeg);
        AccountObject bmp =
            MessengerAccountBuilder::SampleObject(ContentCategory::RegularBackgrounds, 2);
        bmp.location = "Tiles";
        bmp.files = {{bmp.location, BmpPicture()}};
        builder.Add(ContentCategory::RegularBackgrounds, bmp);
        builder.Write();

        account = std::to_string(MessengerProfile::AccountId(kPassport, CodePage::Ansi()));
        accountFolder = builder.AccountFolder();
        for (ContentCategory category : kAllCategories)
            for (const std::string& name : FolderNames(builder.ObjectFolder(category)))
                if (name != "map.dat")
                    objects.push_back(JoinPath(builder.ObjectFolder(category), name));
        environment = IsolatedEnvironment(root.Path(), root / "no-prefix", "nobody");
    }

    // The command after program (the command line's own, or one that runs
    // it), into to (out unless given).
    ChildResult Rescue(const std::string& to = {},
                       std::vector<std::string> program = {QUORVANE_CLI}) const {
        ChildOptions options{&environment, "", ""};
        options.timeLimit = std::chrono::seconds(60);
        for (const std::string& argument : {std::string("rescue"), std::string("--windows-profile"),
                                            profile, std::string("--to"), to.empty() ? out : to})
            program.push_back(argument);
        return RunChild(program, options);
    }

    // The expected name of each object by its source file's name.
    std::string ExpectedName(const std::string& source) const {
        const std::string name = BaseName(source);
        const std::string titled =
            MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 2).location;
        const std::string repeated =
            MessengerAccountBuilder::SampleObject(ContentCategory::DynamicBackgrounds, 2).location;
        if (name == titled)
            return "Snowball _ Fight.cab";
        if (name == repeated)
            return "Caf\xC3\xA9 Reef.cab";
        if (name == "portrait.png")
            return "portrait.jpg";
        if (name == "Tiles")
            return "Tiles.bmp";
        if (name.ends_with(".dat")) // emoticons: GIF for even numbers, PNG for odd
            return name.substr(0, name.size() - 4) +
                   (ReadFile(source).starts_with("GIF") ? ".gif" : ".png");
        return name;
    }

    TempFolder root;
    std::string profile;
    std::string appData;
    std::string out;
    WindowsUserKeys user;
    std::string account;
    std::string accountFolder;
    std::vector<std::string> objects; // every object file in the source
    std::map<std::string, std::string> environment;
};

TEST_F(RescueTest, CopiesEveryObjectByItsContentAndNothingElse) {
    // Planted beside the objects: a FIFO that would block a reader and a
    // link to a picture outside the profile.
    const std::string winks = JoinPath(accountFolder, CategoryFolderName(ContentCategory::Winks));
    ASSERT_EQ(::mkfifo(JoinPath(winks, "stuck.cab").c_str(), 0600), 0);
    WriteFile(root / "outside.png", MessengerAccountBuilder::PngPicture());
    std::filesystem::create_symlink(root / "outside.png", JoinPath(winks, "outside.png"));
    const auto before = SnapshotTree(root / "drive");

    const ChildResult result = Rescue();
    ASSERT_TRUE(result.ExitedWith(0)) << result.Describe();
    const std::vector<std::string> lines = Lines(result.out);
    EXPECT_EQ(lines.size(), objects.size()) << result.out;
    std::vector<std::string> sources;
    for (const std::string& line : lines) {
        const std::vector<std::string> fields = Fields(line);
        ASSERT_EQ(fields.size(), 3u) << line;
        const std::string& source = fields[2];
        sources.push_back(source);
        const std::string category = BaseName(ParentFolder(source));
        EXPECT_EQ(fields[0],
                  JoinPath(JoinPath(JoinPath(out, account), category), ExpectedName(source)));
        EXPECT_EQ(ReadFile(fields[0]), ReadFile(source)) << source;
        const std::map<std::string, std::string> kinds = {{".cab", "cabinet"},
                                                          {".gif", "gif"},
                                                          {".png", "png"},
                                                          {".jpg", "jpeg"},
                                                          {".bmp", "bmp"}};
        EXPECT_EQ(fields[1], kinds.at(fields[0].substr(fields[0].size() - 4))) << line;
    }
    std::sort(sources.begin(), sources.end());
    std::vector<std::string> expected = objects;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(sources, expected);
    // Only the objects and the marker: no catalogue, no map.dat, nothing
    // from the FIFO or through the link.
    EXPECT_EQ(SnapshotTree(out).size(), objects.size() + 1);
    const std::string marker = ReadFile(JoinPath(out, "RESCUE.txt"));
    EXPECT_NE(marker.find("without Messenger's catalogue"), std::string::npos) << marker;
    EXPECT_NE(marker.find(JoinPath(appData, "Microsoft/MSN Messenger")), std::string::npos)
        << marker;
    // The FIFO and the link are passed over, not complained about: the
    // summary is all the standard error says.
    ASSERT_EQ(Lines(result.err).size(), 1u) << result.err;
    EXPECT_NE(result.err.find(std::to_string(objects.size()) + " files rescued"), std::string::npos)
        << result.err;
    EXPECT_EQ(SnapshotTree(root / "drive"), before);
}

TEST_F(RescueTest, ASecondRunIntoTheSameFolderOverwritesNothing) {
    ASSERT_TRUE(Rescue().ExitedWith(0));
    const auto first = SnapshotTree(out);
    const ChildResult again = Rescue();
    ASSERT_TRUE(again.ExitedWith(0)) << again.Describe();
    for (const std::string& line : Lines(again.out)) {
        const std::string written = Fields(line).front();
        EXPECT_NE(written.find(" (2)."), std::string::npos) << line;
        EXPECT_EQ(ReadFile(written), ReadFile(Fields(line).back()));
    }
    const auto now = SnapshotTree(out);
    EXPECT_EQ(now.size(), 2 * objects.size() + 1);
    // Every file of the first run is still there as it was; the marker
    // tells of both runs.
    for (const auto& [path, hash] : first) {
        if (path != "RESCUE.txt") {
            EXPECT_EQ(now.at(path), hash) << path;
        }
    }
    const std::string text = ReadFile(JoinPath(out, "RESCUE.txt"));
    EXPECT_NE(text.find("Rescued by"), text.rfind("Rescued by")) << text;
}

TEST_F(RescueTest, ExitStatusSaysWhetherAnythingWasRescued) {
    // Everything is copied but a folder too deep to be looked into.
    std::filesystem::create_directories(JoinPath(accountFolder, "a/b/c/d/e/f/g"));
    const ChildResult deep = Rescue();
    EXPECT_TRUE(deep.ExitedWith(1)) << deep.Describe();
    EXPECT_EQ(Lines(deep.out).size(), objects.size());
    EXPECT_NE(deep.err.find("/a/b/c/d/e/f/g lies deeper"), std::string::npos) << deep.err;
    std::filesystem::remove_all(out);

    std::filesystem::remove_all(JoinPath(appData, "Microsoft/MSN Messenger"));
    const ChildResult none = Rescue();
    EXPECT_TRUE(none.ExitedWith(1)) << none.Describe();
    EXPECT_NE(none.err.find("MSN Messenger"), std::string::npos) << none.err;
    EXPECT_FALSE(std::filesystem::exists(out));

    ChildOptions options{&environment, "", ""};
    const ChildResult usage = RunChild({QUORVANE_CLI, "rescue", "--to", out}, options);
    EXPECT_TRUE(usage.ExitedWith(2)) << usage.Describe();
}

TEST_F(RescueTest, TheUsersFolderIsNeitherWrittenNorLeft) {
    const auto before = SnapshotTree(root / "drive");
    // Inside it, named as it is or through a link to it.
    std::filesystem::create_directory_symlink(profile, root / "alias");
    for (const std::string& to : {JoinPath(profile, "Rescued"), root / "alias/Desktop/Rescued"}) {
        SCOPED_TRACE(to);
        const ChildResult result = Rescue(to);
        EXPECT_TRUE(result.ExitedWith(1)) << result.Describe();
        EXPECT_NE(result.err.find("inside the Windows user's folder"), std::string::npos)
            << result.err;
        EXPECT_EQ(result.out, "");
    }
    EXPECT_FALSE(std::filesystem::exists(JoinPath(profile, "Rescued")));
    EXPECT_FALSE(std::filesystem::exists(JoinPath(profile, "Desktop")));
    EXPECT_EQ(SnapshotTree(root / "drive"), before);

    // A Messenger folder on the disk that is a link to this machine's own.
    const std::string messenger = JoinPath(appData, "Microsoft/MSN Messenger");
    const std::string host = root / "host-messenger";
    std::filesystem::rename(messenger, host);
    std::filesystem::create_directory_symlink(host, messenger);
    const ChildResult outside = Rescue();
    EXPECT_TRUE(outside.ExitedWith(1)) << outside.Describe();
    EXPECT_NE(outside.err.find("outside the Windows user's folder"), std::string::npos)
        << outside.err;
    EXPECT_FALSE(std::filesystem::exists(out));
    // One that stays inside the user's folder is followed.
    std::filesystem::remove(messenger);
    std::filesystem::rename(host, JoinPath(profile, "Moved"));
    std::filesystem::create_directory_symlink("../../Moved", messenger);
    const ChildResult inside = Rescue();
    EXPECT_TRUE(inside.ExitedWith(0)) << inside.Describe();
    EXPECT_EQ(Lines(inside.out).size(), objects.size());
}

TEST_F(RescueTest, AFileThatCannotBeWrittenIsNamedAndFailsTheRescue) {
    const std::string prlimit = FindOnPath("prlimit");
    ASSERT_FALSE(prlimit.empty()) << "prlimit is needed to run under a file size limit";
    // Larger than the file size limit; every other file is far smaller.
    constexpr std::size_t kLimit = 64 * 1024;
    const std::string big = JoinPath(
        JoinPath(accountFolder, CategoryFolderName(ContentCategory::RegularDisplayPictures)),
        "big.png");
    WriteFile(big, MessengerAccountBuilder::PngPicture() + std::string(kLimit, 'x'));

    const ChildResult result =
        Rescue({}, {prlimit, "--fsize=" + std::to_string(kLimit), QUORVANE_CLI});
    EXPECT_TRUE(result.ExitedWith(1)) << result.Describe();
    EXPECT_EQ(Lines(result.out).size(), objects.size());
    EXPECT_NE(result.err.find(big), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("File too large"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("1 of " + std::to_string(objects.size() + 1) +
                              " files could not be written"),
              std::string::npos)
        << result.err;
    // Nothing of it is left, under its name or a hidden one.
    EXPECT_EQ(SnapshotTree(out).size(), objects.size() + 1);
}

TEST_F(RescueTest, AnInterruptStopsItAfterTheFileItIsOn) {
    // A copy of the program whose extract tool is a script beside it.
    const std::string lonely = root / "lonely";
    MakeFolders(lonely);
    std::filesystem::copy_file(QUORVANE_CLI, lonely + "/quorvane-cli");
    for (int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        std::filesystem::remove_all(out);
        // The interrupt comes while the first cabinet is looked into.
        WriteFile(lonely + "/extract",
                  "#!/bin/sh\nkill -" + std::to_string(signal) + " $PPID\nexit 1\n");
        ASSERT_EQ(::chmod((lonely + "/extract").c_str(), 0755), 0);
        const ChildResult result = Rescue({}, {lonely + "/quorvane-cli"});
        EXPECT_TRUE(result.ExitedWith(128 + signal)) << result.Describe();
        EXPECT_EQ(Lines(result.out).size(), 1u) << result.out;
    }
}

TEST_F(RescueTest, WhatAKilledRescueLeftIsRemoved) {
    // Hidden files named after a process that is gone, as a rescue killed
    // while writing the marker or a file leaves them.
    const std::string stale = ".quorvane-4000000-abcdef.part";
    const std::string winks =
        JoinPath(JoinPath(out, account), CategoryFolderName(ContentCategory::Winks));
    WriteFile(JoinPath(out, stale), "half a marker");
    WriteFile(JoinPath(winks, stale), "half a Wink");
    const ChildResult result = Rescue();
    ASSERT_TRUE(result.ExitedWith(0)) << result.Describe();
    EXPECT_FALSE(std::filesystem::exists(JoinPath(out, stale)));
    EXPECT_FALSE(std::filesystem::exists(JoinPath(winks, stale)));
}

// Called in the program itself, with a limit small enough to reach.
TEST(RescueLimits, EachFolderHasItsLimitAndMessengersOwnFoldersComeFirst) {
    TempFolder root;
    const std::string roaming = root / "Alice/AppData/Roaming";
    const std::string account = JoinPath(roaming, "Microsoft/MSN Messenger/1234");
    const std::string png = MessengerAccountBuilder::PngPicture();
    // The account folder crowded with far more entries than the limit.
    for (int n = 0; n < 40; ++n)
        WriteFile(JoinPath(account, "crowd" + std::to_string(n)), "not a picture");
    WriteFile(JoinPath(account, "winks3/wink.gif"), "GIF89a\x01\x00\x01\x00");
    WriteFile(JoinPath(account, "UserTile/tile.png"), png);
    for (int n = 0; n < 5; ++n)
        WriteFile(JoinPath(account, "Backgrounds/b" + std::to_string(n) + ".png"), png);
    SpawnProcessRunner runner;
    CabinetTools tools(runner, "", "");
    const FakeClock clock;
    const RescueRequest request{root / "Alice", roaming, root / "out", root / "scratch", 3};

    const Result<RescueReport> report = RescueMessengerFiles(request, tools, clock);
    ASSERT_TRUE(report) << report.error().sentence;
    std::map<std::string, int> copied; // by source folder
    for (const RescuedFile& file : report->rescued)
        ++copied[BaseName(ParentFolder(file.sourcePath))];
    EXPECT_EQ(copied["winks3"], 1);
    EXPECT_EQ(copied["UserTile"], 1);
    EXPECT_EQ(copied["Backgrounds"], 3);
    EXPECT_TRUE(report->unvisited);
    for (const std::string& folder : {account, JoinPath(account, "Backgrounds")})
        EXPECT_NE(std::find(report->problems.begin(), report->problems.end(),
                            "more than 3 entries under " + folder + ": the rest was not looked at"),
                  report->problems.end())
            << folder;
}

// Called in the program itself, on account files written here: the walk's
// depth, its stop at Cancel and the naming of cabinets.
class RescueWalkTest : public ::testing::Test {
protected:
    // Runs the real extract tool, asking the rescue to stop once it has.
    class CancellingRunner final : public ProcessRunner {
    public:
        ProcessResult Run(const std::vector<std::string>& arguments,
                          const std::string& workingFolder) override {
            if (cancel != nullptr)
                cancel->Request();
            return SpawnProcessRunner().Run(arguments, workingFolder);
        }
        CancelFlag* cancel = nullptr;
    };

    Result<RescueReport> Rescue(const CancelFlag* cancel = nullptr) {
        MakeFolders(root / "scratch");
        CabinetTools tools(runner, ParentFolder(QUORVANE_CLI), "");
        const RescueRequest request{root / "Alice", root / "Alice/AppData/Roaming", root / "out",
                                    root / "scratch"};
        return RescueMessengerFiles(request, tools, clock, cancel);
    }
    static std::string Cabinet(const std::string& title) {
        const TempFolder scratch;
        WriteCabinet(scratch / "c.cab",
                     {{"content.xml", "<package><item type=\"wink\" file=\"a.swf\"><title>" +
                                          title + "</title></item></package>"},
                      {"a.swf", MessengerAccountBuilder::SwfMovie()}});
        return ReadFile(scratch / "c.cab");
    }
    std::vector<std::string> WrittenNames(const RescueReport& report) const {
        std::vector<std::string> names;
        for (const RescuedFile& file : report.rescued)
            names.push_back(BaseName(file.writtenPath));
        return names;
    }

    TempFolder root;
    const std::string account = root / "Alice/AppData/Roaming/Microsoft/MSN Messenger/1234";
    CancellingRunner runner;
    const FakeClock clock;
};

TEST_F(RescueWalkTest, SixFoldersBelowTheAccountAreLookedIntoAndNoMore) {
    const std::string png = MessengerAccountBuilder::PngPicture();
    WriteFile(JoinPath(account, "a/b/c/d/e/f/six.png"), png);
    WriteFile(JoinPath(account, "a/b/c/d/e/f/g/seven.png"), png);
    const Result<RescueReport> report = Rescue();
    ASSERT_TRUE(report) << report.error().sentence;
    EXPECT_EQ(WrittenNames(*report), std::vector<std::string>{"six.png"});
    EXPECT_TRUE(report->unvisited);
    EXPECT_EQ(report->problems,
              std::vector<std::string>{JoinPath(account, "a/b/c/d/e/f/g") +
                                       " lies deeper than 6 folders and was not looked into"});
}

TEST_F(RescueWalkTest, CancelStopsItAfterTheFileItIsOn) {
    WriteFile(JoinPath(account, "Winks3/a.cab"), Cabinet("First"));
    WriteFile(JoinPath(account, "Winks3/b.png"), MessengerAccountBuilder::PngPicture());
    WriteFile(JoinPath(account, "UserTile/c.png"), MessengerAccountBuilder::PngPicture());
    CancelFlag cancel;
    runner.cancel = &cancel;
    const Result<RescueReport> report = Rescue(&cancel);
    ASSERT_TRUE(report) << report.error().sentence;
    EXPECT_TRUE(report->interrupted);
    EXPECT_EQ(WrittenNames(*report), std::vector<std::string>{"First.cab"});
}

TEST_F(RescueWalkTest, ADamagedCabinetLeavesTheNextOnesTheirNames) {
    WriteFile(JoinPath(account, "Winks3/a.cab"),
              std::string("MSCF\0\0\0\0", 8) + std::string(200, '\x7f'));
    WriteFile(JoinPath(account, "Winks3/b.cab"), Cabinet("Snow Day"));
    WriteFile(JoinPath(account, "Winks3/c.cab"), Cabinet("Rain Day"));
    const Result<RescueReport> report = Rescue();
    ASSERT_TRUE(report) << report.error().sentence;
    EXPECT_FALSE(report->toolProblem) << report->toolProblem->sentence;
    EXPECT_EQ(WrittenNames(*report),
              (std::vector<std::string>{"a.cab", "Snow Day.cab", "Rain Day.cab"}));
}

TEST(RescueNames, UnsafeCharactersBecomeUnderscoresAndLeadingDotsGo) {
    EXPECT_EQ(SafeFileName("..hidden"), "hidden");
    EXPECT_EQ(SafeFileName(" . .Sunset*?. "), "Sunset__");
    EXPECT_EQ(SafeFileName("a/b\\c:d\"e<f>g|h\ti"), "a_b_c_d_e_f_g_h_i");
    EXPECT_EQ(SafeFileName(". . ."), "");
    // Cut to 120 bytes, never inside the two bytes of an "\xC3\xA9".
    EXPECT_EQ(SafeFileName(std::string(119, 'x') + "\xC3\xA9"), std::string(119, 'x'));
}

} // namespace
} // namespace quorvane::test
