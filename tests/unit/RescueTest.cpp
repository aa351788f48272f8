// "quorvane-cli rescue" on an old disk's Windows profile whose password is
// not known: the objects copied by their content, named from the files
// themselves, and nothing else touched.

#include "support/ChildRun.h"
#include "support/MessengerAccountBuilder.h"
#include "support/TempFolder.h"
#include "support/WindowsDpapiWriter.h"

#include "platform/CodePage.h"
#include "platform/Paths.h"
#include "profile/ContentCategory.h"
#include "profile/MessengerProfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sys/stat.h>

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

    ChildResult Rescue() const {
        ChildOptions options{&environment, "", ""};
        options.timeLimit = std::chrono::seconds(60);
        return RunChild({QUORVANE_CLI, "rescue", "--windows-profile", profile, "--to", out},
                        options);
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
    std::filesystem::remove_all(JoinPath(appData, "Microsoft/MSN Messenger"));
    const ChildResult none = Rescue();
    EXPECT_TRUE(none.ExitedWith(1)) << none.Describe();
    EXPECT_NE(none.err.find("MSN Messenger"), std::string::npos) << none.err;
    EXPECT_FALSE(std::filesystem::exists(out));

    ChildOptions options{&environment, "", ""};
    const ChildResult usage = RunChild({QUORVANE_CLI, "rescue", "--to", out}, options);
    EXPECT_TRUE(usage.ExitedWith(2)) << usage.Describe();
}

} // namespace
} // namespace quorvane::test
