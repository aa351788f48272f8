// An account whose protected files real Wine made (tests/data/wine-account,
// written by make-account.sh): the object lists and quorvane-cli must read
// it as Messenger under Wine left it, and leave it as it was. Wine itself
// is not needed here.

#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "profile/ObjectList.h"
#include "protection/DataProtection.h"
#include "protection/WineDataProtection.h"
#include "support/ChildRun.h"
#include "support/FakeClock.h"
#include "support/MessengerAccountBuilder.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace quorvane {
namespace {

using test::FakeClock;
using test::Fields;
using test::kAllCategories;
using test::Lines;
using test::ReadFile;
using test::SnapshotTree;
using test::TempFolder;

const std::string kDataFolder = std::string(QUORVANE_TEST_DATA) + "/wine-account";

// What make-account.sh gave Wine: the passport as typed at sign-in and the
// Wine user, whose name is "jürgen" in UTF-8 (its folder under
// drive_c/users, the command line) and in Windows-1252 (the key).
constexpr const char* kPassport = "Wine.User@example.com";
const std::string kWineUserUtf8 = "j\xC3\xBCrgen";
const std::string kWineUser = "j\xFCrgen";

// One object as expected-objects.tsv lists it, in code-page text.
struct ExpectedObject {
    std::string location;
    std::string displayName;
    std::string keySequence;
    std::string stamp;
};

std::string Utf8(const std::string& codePageText) {
    return CodePage::Ansi().ToUtf8(codePageText);
}

std::map<ContentCategory, std::vector<ExpectedObject>> ReadExpectedObjects() {
    std::map<ContentCategory, std::vector<ExpectedObject>> expected;
    const CodePage& codePage = CodePage::Ansi();
    for (const std::string& line : Lines(ReadFile(kDataFolder + "/expected-objects.tsv"))) {
        if (line.empty() || line[0] == '#')
            continue;
        const std::vector<std::string> fields = Fields(line);
        if (fields.size() != 5) {
            ADD_FAILURE() << "not five fields: " << line;
            continue;
        }
        const auto category = ParseCategory(fields[0]);
        if (!category) {
            ADD_FAILURE() << "unknown category: " << line;
            continue;
        }
        expected[*category].push_back({codePage.FromUtf8(fields[1]), codePage.FromUtf8(fields[2]),
                                       codePage.FromUtf8(fields[3]), fields[4]});
    }
    return expected;
}

// A packaged object's tag is the tick of its listing followed by its
// location; only the location part can be expected.
void ExpectPackagedTag(const std::string& tag, const std::string& location) {
    ASSERT_GT(tag.size(), location.size()) << tag;
    EXPECT_EQ(tag.substr(tag.size() - location.size()), location);
    const std::string tick = tag.substr(0, tag.size() - location.size());
    EXPECT_TRUE(std::all_of(tick.begin(), tick.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    })) << tag;
}

using CliResult = test::ChildResult;

class WineAccountTest : public ::testing::Test {
protected:
    WineAccountTest()
        : prefix(root / "wine"),
          appData(JoinPath(prefix, "drive_c/users/" + kWineUserUtf8 + "/AppData/Roaming")),
          windowsFolder(JoinPath(prefix, "drive_c/windows")), expected(ReadExpectedObjects()) {
        // The committed tree is Microsoft/MSN Messenger/<id>, as it lies in
        // the user's application-data folder.
        MakeFolders(appData);
        MakeFolders(windowsFolder);
        std::filesystem::copy(kDataFolder + "/Microsoft", JoinPath(appData, "Microsoft"),
                              std::filesystem::copy_options::recursive);
        // Nothing of the real user's. The prefix and the user in the
        // environment lead nowhere, so only --wine-prefix and --wine-user
        // can find the account.
        environment = test::IsolatedEnvironment(root.Path(), root / "no-prefix", "nobody");
    }

    std::string AccountFolder() const {
        return JoinPath(
            appData, "Microsoft/MSN Messenger/" +
                         std::to_string(MessengerProfile::AccountId(kPassport, CodePage::Ansi())));
    }

    ProfileServices Services(const DataProtection& protection) const {
        return {protection, clock, CodePage::Ansi(), appData, root / "cache/quorvane"};
    }

    std::unique_ptr<ObjectList> List(ContentCategory category,
                                     const ProfileServices& services) const {
        if (IsPackaged(category))
            return std::make_unique<PackagedObjectList>(services, category);
        return std::make_unique<PictureObjectList>(services, category);
    }

    // Runs quorvane-cli catalogue for the account in the test's environment.
    CliResult Catalogue(ContentCategory category, const std::string& passport) const {
        const CliResult result = test::RunChild(
            {QUORVANE_CLI, "catalogue", "--type", std::string(CategoryKeyword(category)),
             "--passport", passport, "--wine-prefix", prefix, "--wine-user", kWineUserUtf8},
            {&environment, "", ""});
        EXPECT_TRUE(result.started && result.exitCode >= 0)
            << "quorvane-cli did not run to its end";
        return result;
    }

    std::map<std::string, std::string> Snapshot() const { return SnapshotTree(prefix); }

    TempFolder root;
    std::string prefix;
    std::string appData;
    std::string windowsFolder;
    std::map<ContentCategory, std::vector<ExpectedObject>> expected;
    FakeClock clock;
    std::map<std::string, std::string> environment;
};

TEST_F(WineAccountTest, CommittedAccountHoldsEveryCategory) {
    // The listings below compare with this file: an empty or partial one
    // would let them pass without reading much.
    ASSERT_EQ(expected.size(), kAllCategories.size());
    bool outsideAscii = false;
    for (const auto& [category, objects] : expected) {
        SCOPED_TRACE(std::string(CategoryKeyword(category)));
        EXPECT_GE(objects.size(), 2u);
        for (const ExpectedObject& object : objects) {
            EXPECT_EQ(object.stamp.empty(), !IsPackaged(category));
            EXPECT_EQ(object.keySequence.empty(), category != ContentCategory::CustomEmoticons);
            outsideAscii |=
                std::any_of(object.displayName.begin(), object.displayName.end(),
                            [](char c) { return static_cast<unsigned char>(c) > 0x7f; });
        }
    }
    EXPECT_TRUE(outsideAscii);

    // One account folder, named by the passport in lower case.
    std::vector<std::string> accounts;
    for (const auto& entry :
         std::filesystem::directory_iterator(kDataFolder + "/Microsoft/MSN Messenger"))
        accounts.push_back(entry.path().filename().string());
    ASSERT_EQ(accounts.size(), 1u);
    EXPECT_EQ(accounts[0], std::to_string(MessengerProfile::AccountId("wine.user@example.com",
                                                                      CodePage::Ansi())));
    EXPECT_TRUE(IsDirectory(AccountFolder()));
}

TEST_F(WineAccountTest, ObjectListsReadEveryCategory) {
    const WineDataProtection protection(kWineUser);
    const ProfileServices services = Services(protection);
    const auto before = Snapshot();
    for (ContentCategory category : kAllCategories) {
        SCOPED_TRACE(std::string(CategoryKeyword(category)));
        const std::vector<ExpectedObject>& objects = expected[category];
        {
            std::unique_ptr<ObjectList> list = List(category, services);
            ASSERT_TRUE(list->ListObjects(kPassport));
            EXPECT_EQ(list->status, ListingStatus::Listed);
            EXPECT_EQ(list->accountFolder, AccountFolder());
            ASSERT_EQ(list->objects.size(), objects.size());
            std::set<std::string> tags;
            for (std::size_t i = 0; i < objects.size(); ++i) {
                const InstalledObject& object = list->objects[i];
                EXPECT_EQ(object.location, objects[i].location);
                EXPECT_EQ(object.displayName, objects[i].displayName);
                // Every object file the catalogue names is in the account.
                EXPECT_TRUE(std::filesystem::is_regular_file(list->ObjectPath(object)))
                    << list->ObjectPath(object);
                if (!IsPackaged(category)) {
                    EXPECT_EQ(object.tag, objects[i].keySequence);
                    continue;
                }
                ExpectPackagedTag(object.tag, objects[i].location);
                EXPECT_TRUE(tags.insert(object.tag).second) << object.tag;
                // The listing put the stamp into a file named by the tag.
                const auto stamp = ReadRegularFile(
                    static_cast<const PackagedObjectList&>(*list).StampPath(object));
                ASSERT_TRUE(stamp.has_value()) << object.tag;
                EXPECT_EQ(*stamp, objects[i].stamp);
            }
        }
        // The stamp files went with the list.
        EXPECT_EQ(Snapshot(), before);
    }
}

TEST_F(WineAccountTest, CliListsEveryCategory) {
    const auto before = Snapshot();
    for (ContentCategory category : kAllCategories) {
        SCOPED_TRACE(std::string(CategoryKeyword(category)));
        const std::vector<ExpectedObject>& objects = expected[category];
        const CliResult result = Catalogue(category, kPassport);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.err, "");
        const std::vector<std::string> lines = Lines(result.out);
        ASSERT_EQ(lines.size(), objects.size()) << result.out;
        for (std::size_t i = 0; i < objects.size(); ++i) {
            const std::vector<std::string> fields = Fields(lines[i]);
            ASSERT_EQ(fields.size(), 4u) << lines[i];
            EXPECT_EQ(fields[0], std::to_string(i));
            EXPECT_EQ(fields[1], Utf8(objects[i].location));
            if (IsPackaged(category))
                ExpectPackagedTag(fields[2], Utf8(objects[i].location));
            else
                EXPECT_EQ(fields[2], Utf8(objects[i].keySequence));
            EXPECT_EQ(fields[3], Utf8(objects[i].displayName));
        }
        EXPECT_EQ(Snapshot(), before);
    }
}

TEST_F(WineAccountTest, PassportInOtherLetterCaseDoesNotUnprotect) {
    // The same account folder (its name comes from the lower-cased
    // passport), but Wine took the passport as typed for the entropy.
    const WineDataProtection protection(kWineUser);
    const ProfileServices services = Services(protection);
    const auto before = Snapshot();
    for (const char* passport : {"wine.user@example.com", "WINE.USER@EXAMPLE.COM"}) {
        SCOPED_TRACE(passport);
        ASSERT_EQ(MessengerProfile::AccountId(passport, CodePage::Ansi()),
                  MessengerProfile::AccountId(kPassport, CodePage::Ansi()));
        for (ContentCategory category : kAllCategories) {
            SCOPED_TRACE(std::string(CategoryKeyword(category)));
            std::unique_ptr<ObjectList> list = List(category, services);
            EXPECT_FALSE(list->ListObjects(passport));
            EXPECT_EQ(list->status, ListingStatus::PointerNotUnprotected);
            EXPECT_TRUE(list->objects.empty());

            const CliResult result = Catalogue(category, passport);
            EXPECT_EQ(result.exitCode, 1);
            EXPECT_EQ(result.out, "");
            EXPECT_NE(result.err.find("could not be unprotected"), std::string::npos) << result.err;
        }
    }
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(WineAccountTest, WineUserNameCountsInTheCodePage) {
    // Wine made the key from "jürgen" in Windows-1252; the same name in
    // UTF-8 bytes, or without its accent, is another key.
    const auto before = Snapshot();
    for (const std::string& user : {kWineUserUtf8, std::string("jurgen")}) {
        SCOPED_TRACE(user);
        const WineDataProtection protection(user);
        const ProfileServices services = Services(protection);
        PictureObjectList list(services, ContentCategory::CustomEmoticons);
        EXPECT_FALSE(list.ListObjects(kPassport));
        EXPECT_EQ(list.status, ListingStatus::PointerNotUnprotected);
    }
    EXPECT_EQ(Snapshot(), before);
}

// The whole road on Wine's files: every category backed up from the account
// as Wine protected it, every pack sound by verify, the account untouched
// but for the thumbnail folders.
TEST_F(WineAccountTest, CliBacksUpEveryCategoryIntoSoundPacks) {
    const auto before = Snapshot();
    const std::string backupFolder = root / "backup";
    const auto run = [&](std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), QUORVANE_CLI);
        return test::RunChild(arguments, {&environment, "", ""});
    };
    std::vector<std::string> packs;
    for (ContentCategory category : kAllCategories) {
        SCOPED_TRACE(std::string(CategoryKeyword(category)));
        const CliResult result = run({"backup", "--type", std::string(CategoryKeyword(category)),
                                      "--passport", kPassport, "--wine-prefix", prefix,
                                      "--wine-user", kWineUserUtf8, "--to", backupFolder, "--all"});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        const std::vector<std::string> lines = Lines(result.out);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(), "Congratulation! Backup finished successfully.");
        // One line per object (the emoticons share one pack), each written.
        ASSERT_EQ(lines.size(), expected[category].size() + 1) << result.out;
        for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
            const std::vector<std::string> fields = Fields(lines[i]);
            ASSERT_EQ(fields.size(), 4u) << lines[i];
            EXPECT_EQ(fields[2], "written") << lines[i];
            if (fields[3].ends_with(".msn") &&
                std::find(packs.begin(), packs.end(), fields[3]) == packs.end())
                packs.push_back(fields[3]);
        }
    }
    // Winks, dynamic display pictures and backgrounds one pack each, the
    // emoticons one together.
    std::size_t expectedPacks = expected[ContentCategory::CustomEmoticons].empty() ? 0 : 1;
    for (ContentCategory category : kAllCategories)
        if (IsPackaged(category))
            expectedPacks += expected[category].size();
    EXPECT_EQ(packs.size(), expectedPacks);

    std::vector<std::string> verify = {"verify"};
    verify.insert(verify.end(), packs.begin(), packs.end());
    const CliResult verified = run(verify);
    EXPECT_EQ(verified.exitCode, 0) << verified.out << verified.err;

    auto after = Snapshot();
    EXPECT_EQ(after, before);
}

} // namespace
} // namespace quorvane
