// The demo account: written by the product code from the data the build puts
// beside the program, read back through the real listing with the built
// cabinet tools, and the "demo" command run as a child process.

#include "app/DemoAccount.h"

#include "app/QtPictureDecoder.h"
#include "backup/CabinetTools.h"
#include "backup/Listing.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/ProcessRunner.h"
#include "profile/ObjectList.h"
#include "protection/DataProtection.h"
#include "protection/WineDataProtection.h"
#include "sources/WineAccount.h"
#include "support/ChildRun.h"
#include "support/FakeClock.h"
#include "support/TempFolder.h"

#include <QImage>
#include <QImageReader>
#include <QString>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace quorvane {
namespace {

using test::ReadFile;
using test::ScopedVariable;
using test::SnapshotTree;
using test::TempFolder;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

namespace fs = std::filesystem;

constexpr const char* kUser = "Zo\xC3\xAB"; // UTF-8, "e" with diaeresis in the code page

std::string ProgramFolder() {
    return ParentFolder(QUORVANE_CLI);
}

// What a user sees in each category, in UTF-8, in catalogue order.
const std::array<std::vector<std::string>, kCategoryCount> kNames = {{
    {"Caf\xC3\xA9 Dance", "Heart Fireworks", "Snowball Fight", "Bongo Drums", "Rainbow Kiss",
     "Pi\xC3\xB1\x61ta Party"},
    {"Sleepy Cat", "Dancing Robot", "Cr\xC3\xA8me Br\xC3\xBBl\xC3\xA9\x65", "Rocket Launch"},
    {"Underwater Reef", "Ch\xC3\xA2teau Garden", "Starry Night"},
    {"Cat", "Beating heart", "Sunshine", "Twinkle", "Rainy day", "Caf\xC3\xA9", "Birthday cake",
     "LOL"},
    {"Sunny Beach", "Mountain Lake", "F\xC3\xAAte Lights", "Lavender Fields"},
    {"Smiley", "Sunflower", "Penguin", "Puppy"},
}};
const std::vector<std::string> kEmoticonKeys = {
    ":cat:", ":heart:", ":sun:", ":star:", ":rain:", ":caf\xC3\xA9:", ":cake:", ":lol:"};

// A listing of one category of the demo account.
struct Listed {
    std::unique_ptr<ObjectList> list;
    ListingResult result;
};

class DemoAccountTest : public ::testing::Test {
protected:
    DemoAccountTest() : cache("XDG_CACHE_HOME", temp / "cache"), prefix(temp / "demo-wine") {}

    bool Ensure(const std::string& user = kUser) {
        reason.clear();
        Result<DemoAccount> made = EnsureDemoAccount(prefix, user, tools);
        if (!made) {
            reason = made.error().sentence;
            return false;
        }
        demo = std::move(*made);
        return true;
    }

    Listed List(ContentCategory category, const std::string& user = kUser) {
        if (!services || servicesUser != user) {
            protection = std::make_unique<WineDataProtection>(CodePage::Ansi().FromUtf8(user));
            services = std::make_unique<ProfileServices>(ProfileServices{
                *protection, clock, CodePage::Ansi(),
                WineAccount{prefix, user}.ApplicationDataFolder(), temp / "cache/quorvane"});
            servicesUser = user;
        }
        Listed listed;
        const std::string passport = CodePage::Ansi().FromUtf8(kDemoPassport);
        if (IsPackaged(category)) {
            auto list = std::make_unique<PackagedObjectList>(*services, category);
            listed.result = ListPackagedObjects(*list, passport, tools, decoder, CodePage::Ansi());
            listed.list = std::move(list);
        } else {
            auto list = std::make_unique<PictureObjectList>(*services, category);
            listed.result = ListPictureObjects(*list, passport, decoder, pause);
            listed.list = std::move(list);
        }
        return listed;
    }

    std::string AccountFolder(const std::string& user = kUser) const {
        const std::uint32_t id = MessengerProfile::AccountId(kDemoPassport, CodePage::Ansi());
        return JoinPath(WineAccount{prefix, user}.ApplicationDataFolder(),
                        "Microsoft/MSN Messenger/" + std::to_string(id));
    }

    std::string ObjectFolder(ContentCategory category) const {
        return JoinPath(AccountFolder(), CategoryFolderName(category));
    }

    TempFolder temp;
    ScopedVariable cache;
    std::string prefix;
    SpawnProcessRunner runner;
    CabinetTools tools{runner, ProgramFolder(), temp.Path()};
    QtPictureDecoder decoder;
    test::FakeClock clock;
    test::CountingPause pause;
    std::unique_ptr<WineDataProtection> protection;
    std::unique_ptr<ProfileServices> services;
    std::string servicesUser;
    DemoAccount demo;
    std::string reason;
};

TEST_F(DemoAccountTest, EveryCategoryListsEveryObjectUnderItsName) {
    ASSERT_TRUE(Ensure()) << reason;
    EXPECT_EQ(demo.prefix, prefix);
    EXPECT_EQ(demo.user, kUser);
    EXPECT_EQ(demo.passport, "demo@quorvane.example");
    EXPECT_TRUE(IsDirectory(JoinPath(prefix, "drive_c/windows")));
    EXPECT_TRUE(IsDirectory(JoinPath(prefix, std::string("drive_c/users/") + kUser +
                                                 "/AppData/Roaming/Microsoft/MSN Messenger")));

    for (int i = 0; i < kCategoryCount; ++i) {
        const auto category = static_cast<ContentCategory>(i);
        SCOPED_TRACE(CategoryLabel(category));
        const Listed listed = List(category);
        ASSERT_EQ(listed.list->status, ListingStatus::Listed);
        EXPECT_EQ(listed.result.catalogueObjects, kNames[i].size());
        EXPECT_EQ(listed.result.LeftOut(), 0u);
        ASSERT_EQ(listed.result.items.size(), kNames[i].size());

        std::vector<std::string> names;
        std::set<std::string> pictures;
        for (const ListedItem& item : listed.result.items) {
            names.push_back(
                CodePage::Ansi().ToUtf8(listed.list->objects[item.itemData].displayName));
            pictures.insert(ReadFile(item.picturePath));
        }
        EXPECT_THAT(names, ElementsAreArray(kNames[i]));
        EXPECT_EQ(pictures.size(), names.size()) << "two objects share a picture";

        if (category == ContentCategory::CustomEmoticons) {
            std::vector<std::string> keys;
            for (const InstalledObject& object : listed.list->objects)
                keys.push_back(CodePage::Ansi().ToUtf8(object.tag));
            EXPECT_THAT(keys, ElementsAreArray(kEmoticonKeys));
        }
    }
}

TEST_F(DemoAccountTest, EveryFrameOfEveryEmoticonDecodes) {
    ASSERT_TRUE(Ensure()) << reason;
    // The listing decodes the first frame only; Qt reading every frame whole
    // checks the rest of each GIF.
    int animated = 0;
    for (const auto& entry :
         fs::directory_iterator(ObjectFolder(ContentCategory::CustomEmoticons))) {
        if (entry.path().filename() == "map.dat")
            continue;
        QImageReader reader(QString::fromStdString(entry.path().string()));
        reader.setDecideFormatFromContent(true);
        ASSERT_EQ(reader.format(), "gif") << entry.path();
        animated += reader.imageCount() > 1 ? 1 : 0;
        for (int frame = 0; frame < reader.imageCount(); ++frame)
            EXPECT_FALSE(reader.read().isNull()) << entry.path() << " frame " << frame;
    }
    // All move but the cup and the laugh.
    EXPECT_EQ(animated, 6);
}

TEST_F(DemoAccountTest, EveryMovieIsAWholeSwfOfItsOwn) {
    ASSERT_TRUE(Ensure()) << reason;
    // Whether a movie plays is shown by the preview's tests; here, that each
    // is whole: the signature, and the length its header gives.
    std::set<std::string> movies;
    for (ContentCategory category :
         {ContentCategory::Winks, ContentCategory::DynamicDisplayPictures,
          ContentCategory::DynamicBackgrounds}) {
        const Listed listed = List(category);
        const auto& list = static_cast<const PackagedObjectList&>(*listed.list);
        for (const InstalledObject& object : list.objects) {
            const std::string stem = object.location.substr(0, object.location.rfind('.'));
            const std::string swf = ReadFile(JoinPath(list.ThumbnailFolder(object), stem + ".swf"));
            ASSERT_GE(swf.size(), 8u);
            EXPECT_EQ(swf.substr(0, 3), "FWS");
            std::uint32_t length = 0;
            for (int i = 7; i >= 4; --i)
                length = length << 8 | static_cast<unsigned char>(swf[static_cast<std::size_t>(i)]);
            EXPECT_EQ(length, swf.size());
            movies.insert(swf);
        }
    }
    EXPECT_EQ(movies.size(), 13u) << "no two movies alike";
}

// ---------------------------------------------------------------------------
// Writing again

TEST_F(DemoAccountTest, ACompleteAccountIsLeftAsItIs) {
    ASSERT_TRUE(Ensure()) << reason;
    const auto before = SnapshotTree(prefix);
    ASSERT_TRUE(Ensure()) << reason;
    // The protected files are salted afresh whenever they are written, so
    // equal bytes mean nothing was written.
    EXPECT_EQ(SnapshotTree(prefix), before);
}

TEST_F(DemoAccountTest, WhatIsMissingOrDamagedIsWrittenAgainAndTheRestKept) {
    ASSERT_TRUE(Ensure()) << reason;
    const std::string winks = ObjectFolder(ContentCategory::Winks);
    const std::string emoticons = ObjectFolder(ContentCategory::CustomEmoticons);
    const std::string pictures = ObjectFolder(ContentCategory::RegularDisplayPictures);
    const auto untouched = SnapshotTree(pictures);

    std::string cabinet;
    for (const auto& entry : fs::directory_iterator(winks))
        if (entry.path().extension() == ".cab")
            cabinet = entry.path().string();
    ASSERT_FALSE(cabinet.empty());
    fs::remove(cabinet);
    std::string emoticon;
    for (const auto& entry : fs::directory_iterator(emoticons))
        if (entry.path().filename() != "map.dat")
            emoticon = entry.path().string();
    const std::string gif = ReadFile(emoticon);
    WriteWholeFile(emoticon, gif.substr(0, 10)); // cut short
    // A pointer file for another Wine user does not open for this one.
    const WineDataProtection stranger("someone else");
    const std::string plain = "a pointer of someone else's";
    const Bytes blob = stranger.Protect(
        {reinterpret_cast<const std::uint8_t*>(plain.data()), plain.size()},
        {reinterpret_cast<const std::uint8_t*>(kDemoPassport), std::strlen(kDemoPassport)});
    WriteWholeFile(JoinPath(ObjectFolder(ContentCategory::RegularBackgrounds), "map.dat"),
                   std::string("\x02\x00", 2) + std::string(blob.begin(), blob.end()));

    ASSERT_TRUE(Ensure()) << reason;
    EXPECT_TRUE(fs::is_regular_file(cabinet));
    EXPECT_EQ(ReadFile(emoticon), gif);
    for (int i = 0; i < kCategoryCount; ++i) {
        SCOPED_TRACE(i);
        const Listed listed = List(static_cast<ContentCategory>(i));
        EXPECT_EQ(listed.result.items.size(), kNames[i].size());
    }
    EXPECT_EQ(SnapshotTree(pictures), untouched);
}

TEST_F(DemoAccountTest, EachWineUserHasAnAccountOfItsOwn) {
    EXPECT_FALSE(HasMessengerData(WineAccount{prefix, kUser}));
    ASSERT_TRUE(Ensure()) << reason;
    EXPECT_TRUE(HasMessengerData(WineAccount{prefix, kUser}));
    EXPECT_FALSE(HasMessengerData(WineAccount{prefix, "quorvane"}));
    const auto first = SnapshotTree(AccountFolder());

    ASSERT_TRUE(Ensure("quorvane")) << reason;
    EXPECT_EQ(demo.user, "quorvane");
    EXPECT_TRUE(HasMessengerData(WineAccount{prefix, "quorvane"}));
    // Only the owner's name opens the catalogues.
    EXPECT_EQ(List(ContentCategory::Winks, "quorvane").result.items.size(), 6u);
    EXPECT_EQ(List(ContentCategory::Winks, kUser).result.items.size(), 6u);
    EXPECT_EQ(SnapshotTree(AccountFolder()), first);

    // Messenger on older Windows kept its data in "Application Data".
    const std::string older = temp / "older";
    MakeFolders(JoinPath(older, "drive_c/users/quorvane/Application Data/Microsoft/MSN Messenger"));
    EXPECT_TRUE(HasMessengerData(WineAccount{older, "quorvane"}));
}

TEST_F(DemoAccountTest, WhatCannotBeWrittenIsRefusedWithTheReason) {
    EXPECT_FALSE(Ensure("../escape"));
    EXPECT_THAT(reason, HasSubstr("../escape"));
    EXPECT_FALSE(Ensure(""));
    EXPECT_FALSE(fs::exists(prefix)) << "nothing written for a user that names no folder";

    // A file where the prefix's folders would go.
    WriteWholeFile(prefix, "not a folder");
    EXPECT_FALSE(Ensure());
    EXPECT_THAT(reason, HasSubstr(prefix));
}

// ---------------------------------------------------------------------------
// quorvane-cli demo, run as a child process with nothing of the real user's.

class CliDemoTest : public ::testing::Test {
protected:
    CliDemoTest()
        : environment(test::IsolatedEnvironment(root.Path(), root / "unused-wine", "testuser")) {}

    test::ChildResult Run(std::vector<std::string> args) const {
        args.insert(args.begin(), QUORVANE_CLI);
        test::ChildOptions options{&environment, "", ""};
        options.timeLimit = std::chrono::seconds(60);
        return test::RunChild(args, options);
    }

    // The printed example, pasted into a shell that finds the program built
    // here as "quorvane-cli".
    test::ChildResult RunExample(const std::string& line) const {
        std::map<std::string, std::string> shell = environment;
        shell["PATH"] = ProgramFolder() + ":/usr/bin:/bin";
        test::ChildOptions options{&shell, "", ""};
        options.timeLimit = std::chrono::seconds(60);
        return test::RunChild({"/bin/sh", "-c", line}, options);
    }

    TempFolder root;
    std::map<std::string, std::string> environment;
};

TEST_F(CliDemoTest, PrintsTheAccountAndAListCommandThatWorks) {
    const test::ChildResult first = Run({"demo"});
    ASSERT_TRUE(first.ExitedWith(0)) << first.Describe();
    EXPECT_EQ(first.err, "");
    const std::vector<std::string> lines = test::Lines(first.out);
    ASSERT_EQ(lines.size(), 4u) << first.out;
    const std::string prefix = root / "home/.local/share/quorvane/demo-wine";
    EXPECT_EQ(lines[0], prefix);
    EXPECT_EQ(lines[1], "testuser");
    EXPECT_EQ(lines[2], kDemoPassport);
    EXPECT_EQ(lines[3], "quorvane-cli list --type winks --passport demo@quorvane.example "
                        "--wine-prefix " +
                            prefix);

    const test::ChildResult list = RunExample(lines[3]);
    ASSERT_TRUE(list.ExitedWith(0)) << list.Describe();
    std::vector<std::string> names;
    for (const std::string& line : test::Lines(list.out))
        names.push_back(test::Fields(line).at(1));
    EXPECT_THAT(names, ElementsAreArray(kNames[0]));

    // Again: the account is found complete and the same lines come out.
    const auto before = SnapshotTree(prefix);
    const test::ChildResult second = Run({"demo"});
    ASSERT_TRUE(second.ExitedWith(0)) << second.Describe();
    EXPECT_EQ(second.out, first.out);
    EXPECT_EQ(SnapshotTree(prefix), before);
}

TEST_F(CliDemoTest, APrefixWithBlanksAndQuotesIsQuotedForTheShell) {
    const std::string data = root / "Tom's data $HOME";
    environment["XDG_DATA_HOME"] = data;
    const test::ChildResult result = Run({"demo"});
    ASSERT_TRUE(result.ExitedWith(0)) << result.Describe();
    const std::vector<std::string> lines = test::Lines(result.out);
    ASSERT_EQ(lines.size(), 4u) << result.out;
    EXPECT_EQ(lines[0], data + "/quorvane/demo-wine");
    const test::ChildResult list = RunExample(lines[3]);
    ASSERT_TRUE(list.ExitedWith(0)) << lines[3] << "\n" << list.Describe();
    EXPECT_EQ(test::Lines(list.out).size(), 6u);
}

TEST_F(CliDemoTest, WithoutItsDataOrTheCabinetToolNothingIsClaimed) {
    // A copy of the program away from the built data and tools, with no tool
    // on PATH.
    const std::string lonely = root / "lonely/bin/quorvane-cli";
    fs::create_directories(root / "lonely/bin");
    fs::copy_file(QUORVANE_CLI, lonely);
    // The Winks come first and stop there: no pointer file, so no listing
    // takes the half-written category for a whole one.
    const auto nothingClaimed = [&] {
        const std::string messenger = root /
                                      "home/.local/share/quorvane/demo-wine/drive_c/users/testuser/"
                                      "AppData/Roaming/Microsoft/MSN Messenger";
        EXPECT_TRUE(fs::exists(messenger));
        for (const auto& entry : fs::recursive_directory_iterator(messenger))
            EXPECT_NE(entry.path().filename(), "map.dat") << entry.path();
    };

    test::ChildResult result = test::RunChild({lonely, "demo"}, {&environment, "", ""});
    EXPECT_TRUE(result.ExitedWith(1)) << result.Describe();
    EXPECT_EQ(result.out, "");
    EXPECT_THAT(result.err, HasSubstr(root / "lonely/share/quorvane/demo/winks/cafe-dance.png "
                                             "cannot be read: it does not exist"));
    nothingClaimed();

    fs::create_directories(root / "lonely/share/quorvane");
    fs::copy(ProgramFolder() + "/../share/quorvane/demo", root / "lonely/share/quorvane/demo",
             fs::copy_options::recursive);
    result = test::RunChild({lonely, "demo"}, {&environment, "", ""});
    EXPECT_TRUE(result.ExitedWith(1)) << result.Describe();
    EXPECT_EQ(result.out, "");
    EXPECT_THAT(result.err, HasSubstr("\"cabarc\" is not installed"));
    nothingClaimed();
}

TEST_F(CliDemoTest, ALinkPlantedAtItsFolderIsRefusedAndNothingIsWrittenThroughIt) {
    const std::string elsewhere = root / "elsewhere";
    fs::create_directories(elsewhere);
    fs::create_directories(root / "home/.local/share/quorvane");
    fs::create_directory_symlink(elsewhere, root / "home/.local/share/quorvane/demo-wine");

    const test::ChildResult result = Run({"demo"});
    EXPECT_TRUE(result.ExitedWith(1)) << result.Describe();
    EXPECT_EQ(result.out, "");
    EXPECT_THAT(result.err, HasSubstr("demo-wine is a symbolic link"));
    EXPECT_TRUE(fs::is_empty(elsewhere));
}

} // namespace
} // namespace quorvane
