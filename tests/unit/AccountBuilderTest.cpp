// Accounts made by the test builder, read back through the object lists the
// program uses: both sides must agree on every file Messenger keeps, and the
// lists must stay inside the object folder whatever a catalogue says.

#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "profile/ObjectList.h"
#include "protection/DataProtection.h"
#include "protection/WineDataProtection.h"
#include "support/FakeClock.h"
#include "support/MessengerAccountBuilder.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace quorvane {
namespace {

using test::AccountObject;
using test::kAllCategories;
using test::MessengerAccountBuilder;
using test::ReadFile;
using test::SnapshotTree;
using test::TempFolder;
using test::WriteFile;

constexpr const char* kPassport = test::kTestPassport;
constexpr const char* kWineUser = "testuser";

std::string Name(ContentCategory category) {
    return std::string(CategoryKeyword(category));
}

std::unique_ptr<ObjectList> MakeList(const ProfileServices& services, ContentCategory category) {
    if (IsPackaged(category))
        return std::make_unique<PackagedObjectList>(services, category);
    return std::make_unique<PictureObjectList>(services, category);
}

class AccountBuilderTest : public ::testing::Test {
protected:
    AccountBuilderTest()
        : appData(root / "prefix/drive_c/users/testuser/AppData/Roaming"),
          protection(kWineUser), services{protection, clock, CodePage::Ansi(), appData,
                                          root / "cache/quorvane"} {
        MakeFolders(appData);
    }

    MessengerAccountBuilder Builder(const std::string& passport = kPassport) const {
        return MessengerAccountBuilder(appData, passport, protection);
    }

    // Path of a file below the temporary root, as SnapshotTree names it.
    std::string Relative(const std::string& path) const {
        return path.substr(root.Path().size() + 1);
    }

    static std::string StampPath(const ObjectList& list, const InstalledObject& object) {
        return static_cast<const PackagedObjectList&>(list).StampPath(object);
    }

    // The snapshot with Quorvane's private folder (the listing's stamp files)
    // taken out: what must equal the snapshot before the listing, since
    // Messenger's folders are only read.
    std::map<std::string, std::string> WithoutStamps(std::map<std::string, std::string> snapshot,
                                                     const ObjectList&) const {
        std::erase_if(snapshot,
                      [](const auto& entry) { return entry.first.starts_with("cache/"); });
        return snapshot;
    }

    TempFolder root;
    std::string appData;
    WineDataProtection protection;
    test::FakeClock clock;
    ProfileServices services;
};

// ---------------------------------------------------------------------------
// Well-formed accounts

TEST_F(AccountBuilderTest, EveryCategoryListsItsObjectsWithNamesLocationsAndTags) {
    MessengerAccountBuilder builder = Builder();
    for (ContentCategory category : kAllCategories)
        for (int n = 1; n <= 4; ++n)
            builder.Add(category, MessengerAccountBuilder::SampleObject(category, n));
    builder.Write();
    const auto before = SnapshotTree(root.Path());

    for (ContentCategory category : kAllCategories) {
        SCOPED_TRACE(Name(category));
        auto list = MakeList(services, category);
        ASSERT_TRUE(list->ListObjects(kPassport));
        EXPECT_EQ(list->status, ListingStatus::Listed);
        EXPECT_EQ(list->objectFolder, builder.ObjectFolder(category));
        ASSERT_EQ(list->objects.size(), 4u);

        std::set<std::string> tags;
        for (int n = 1; n <= 4; ++n) {
            const AccountObject expected = MessengerAccountBuilder::SampleObject(category, n);
            const InstalledObject& object = list->objects[static_cast<std::size_t>(n - 1)];
            SCOPED_TRACE(expected.location);
            EXPECT_EQ(object.location, expected.location);
            EXPECT_EQ(object.displayName, expected.displayName);

            // The object's own file is where the list says it is.
            const std::string file = ReadFile(list->ObjectPath(object));
            if (IsPackaged(category)) {
                EXPECT_EQ(file.substr(0, 4), "MSCF");
                // The stamp file named by the tag holds the stamp as stored.
                EXPECT_FALSE(object.tag.empty());
                EXPECT_TRUE(tags.insert(object.tag).second) << "tag used twice: " << object.tag;
                EXPECT_EQ(ReadFile(StampPath(*list, object)), expected.stamp);
            } else if (category == ContentCategory::CustomEmoticons) {
                EXPECT_EQ(object.tag, expected.keySequence);
                EXPECT_EQ(file, expected.files.front().second);
            } else {
                EXPECT_EQ(object.tag, "");
                EXPECT_EQ(file, MessengerAccountBuilder::PngPicture());
            }
        }
        // The sample names include Windows-1252 letters above 0x7F; they
        // must come through as those bytes, not as "?" or UTF-8.
        bool sawE9 = false;
        for (const InstalledObject& object : list->objects)
            sawE9 = sawE9 || object.displayName.find('\xE9') != std::string::npos;
        EXPECT_TRUE(sawE9);

        // Listing adds the stamp files and nothing else; clearing takes
        // them away again.
        EXPECT_EQ(WithoutStamps(SnapshotTree(root.Path()), *list), before);
        list->Clear();
        EXPECT_TRUE(list->objects.empty());
        EXPECT_EQ(SnapshotTree(root.Path()), before);
    }
}

TEST_F(AccountBuilderTest, NonAsciiLocationsAndPassportsFindTheirFiles) {
    // A passport with a Windows-1252 letter names the account folder by its
    // lower-cased code-page bytes; locations become UTF-8 file names on disk.
    const std::string passport = "Jos\xC9@Example.com";
    MessengerAccountBuilder builder = Builder(passport);
    AccountObject picture =
        MessengerAccountBuilder::SampleObject(ContentCategory::RegularDisplayPictures, 1);
    ASSERT_NE(picture.location.find('\xE9'), std::string::npos);
    AccountObject wink = MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 5);
    wink.location = "caf\xE9-wink.cab";
    builder.Add(ContentCategory::RegularDisplayPictures, picture)
        .Add(ContentCategory::Winks, wink)
        .Write(false);
    EXPECT_EQ(ReadFile(builder.ObjectFolder(ContentCategory::RegularDisplayPictures) +
                       "/caf\xC3\xA9"
                       "1.png"),
              MessengerAccountBuilder::PngPicture());

    PictureObjectList pictures(services, ContentCategory::RegularDisplayPictures);
    ASSERT_TRUE(pictures.ListObjects(passport));
    ASSERT_EQ(pictures.objects.size(), 1u);
    EXPECT_EQ(pictures.objects[0].location, picture.location);
    EXPECT_EQ(ReadFile(pictures.ObjectPath(pictures.objects[0])),
              MessengerAccountBuilder::PngPicture());

    PackagedObjectList winks(services, ContentCategory::Winks);
    ASSERT_TRUE(winks.ListObjects(passport));
    ASSERT_EQ(winks.objects.size(), 1u);
    const std::string stampPath = StampPath(winks, winks.objects[0]);
    EXPECT_EQ(ReadFile(stampPath), wink.stamp);
    winks.Clear();
    EXPECT_FALSE(ReadRegularFile(stampPath).has_value());
}

TEST_F(AccountBuilderTest, CatalogueWithoutRecordsListsNothingSuccessfully) {
    Builder().Write(true);
    const auto before = SnapshotTree(root.Path());
    for (ContentCategory category : kAllCategories) {
        SCOPED_TRACE(Name(category));
        auto list = MakeList(services, category);
        EXPECT_TRUE(list->ListObjects(kPassport));
        EXPECT_EQ(list->status, ListingStatus::Listed);
        EXPECT_TRUE(list->objects.empty());
    }
    EXPECT_EQ(SnapshotTree(root.Path()), before);
}

// ---------------------------------------------------------------------------
// Stamp files

TEST_F(AccountBuilderTest, StampFilesLastExactlyAsLongAsTheListing) {
    MessengerAccountBuilder builder = Builder();
    for (int n = 1; n <= 3; ++n)
        builder.Add(ContentCategory::DynamicBackgrounds,
                    MessengerAccountBuilder::SampleObject(ContentCategory::DynamicBackgrounds, n));
    builder.Write(false);
    const auto before = SnapshotTree(root.Path());

    auto stampPaths = [this](const ObjectList& list) {
        std::vector<std::string> paths;
        for (const InstalledObject& object : list.objects)
            paths.push_back(StampPath(list, object));
        return paths;
    };
    auto allExist = [](const std::vector<std::string>& paths) {
        for (const std::string& path : paths)
            if (!ReadRegularFile(path))
                return false;
        return !paths.empty();
    };

    {
        // Gone on destruction.
        PackagedObjectList list(services, ContentCategory::DynamicBackgrounds);
        ASSERT_TRUE(list.ListObjects(kPassport));
        EXPECT_TRUE(allExist(stampPaths(list)));
    }
    EXPECT_EQ(SnapshotTree(root.Path()), before);

    PackagedObjectList list(services, ContentCategory::DynamicBackgrounds);
    ASSERT_TRUE(list.ListObjects(kPassport));
    const std::vector<std::string> first = stampPaths(list);
    ASSERT_EQ(first.size(), 3u);
    EXPECT_TRUE(allExist(first));

    // A second listing at a later tick names its stamp files differently;
    // the first listing's must not be left behind.
    clock.ticks += 5000;
    ASSERT_TRUE(list.ListObjects(kPassport));
    const std::vector<std::string> second = stampPaths(list);
    ASSERT_EQ(second.size(), 3u);
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_NE(first[i], second[i]);
        EXPECT_FALSE(ReadRegularFile(first[i]).has_value()) << first[i];
    }
    EXPECT_TRUE(allExist(second));
    EXPECT_EQ(WithoutStamps(SnapshotTree(root.Path()), list), before);

    // A failed listing also clears what the last one left.
    EXPECT_FALSE(list.ListObjects("nobody@example.com"));
    EXPECT_EQ(SnapshotTree(root.Path()), before);

    ASSERT_TRUE(list.ListObjects(kPassport));
    list.Clear();
    EXPECT_EQ(SnapshotTree(root.Path()), before);
}

TEST_F(AccountBuilderTest, RecordsSharingALocationGetTheirOwnTagsAndStampFiles) {
    // The clock stands still, so the tick alone cannot tell the records
    // apart.
    clock.tickStep = 0;
    AccountObject first = MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 1);
    AccountObject second = MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 2);
    AccountObject third = MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 3);
    second.location = first.location;
    third.location = first.location;
    second.writeFile = false;
    third.writeFile = false;
    MessengerAccountBuilder builder = Builder();
    builder.Add(ContentCategory::Winks, first)
        .Add(ContentCategory::Winks, second)
        .Add(ContentCategory::Winks, third)
        .Write(false);
    const auto before = SnapshotTree(root.Path());

    PackagedObjectList list(services, ContentCategory::Winks);
    ASSERT_TRUE(list.ListObjects(kPassport));
    ASSERT_EQ(list.objects.size(), 3u);
    const std::set<std::string> tags = {list.objects[0].tag, list.objects[1].tag,
                                        list.objects[2].tag};
    EXPECT_EQ(tags.size(), 3u);
    EXPECT_EQ(ReadFile(StampPath(list, list.objects[0])), first.stamp);
    EXPECT_EQ(ReadFile(StampPath(list, list.objects[1])), second.stamp);
    EXPECT_EQ(ReadFile(StampPath(list, list.objects[2])), third.stamp);
    EXPECT_EQ(SnapshotTree(root.Path()).size(), before.size() + 3);
    list.Clear();
    EXPECT_EQ(SnapshotTree(root.Path()), before);
}

// ---------------------------------------------------------------------------
// Accounts that cannot be listed

TEST_F(AccountBuilderTest, MissingOrUnreadablePieceStopsTheListingWithItsReason) {
    MessengerAccountBuilder builder = Builder();
    for (ContentCategory category : kAllCategories)
        builder.Add(category, MessengerAccountBuilder::SampleObject(category, 1));
    builder.Write();
    const auto before = SnapshotTree(root.Path());

    struct Case {
        const char* what;
        std::string passport;
        const DataProtection* protection;
        ListingStatus status;
    };
    WineDataProtection otherUser("someoneelse");
    const std::vector<Case> cases = {
        {"account never signed in here", "nobody@example.com", &protection,
         ListingStatus::NoPointerFile},
        // Same folder (the folder is named by the lower-cased passport), but
        // the entropy is the passport as typed.
        {"passport in other case", "SomeOne@Example.com", &protection,
         ListingStatus::PointerNotUnprotected},
        {"other Wine user", kPassport, &otherUser, ListingStatus::PointerNotUnprotected},
    };
    for (const Case& c : cases) {
        for (ContentCategory category : kAllCategories) {
            SCOPED_TRACE(std::string(c.what) + " / " + Name(category));
            ProfileServices other{*c.protection, clock, CodePage::Ansi(), appData,
                                  root / "cache/quorvane"};
            auto list = MakeList(other, category);
            EXPECT_FALSE(list->ListObjects(c.passport));
            EXPECT_EQ(list->status, c.status);
            EXPECT_TRUE(list->objects.empty());
            if (c.status == ListingStatus::PointerNotUnprotected) {
                EXPECT_EQ(list->accountFolder, builder.AccountFolder());
            }
        }
    }
    EXPECT_EQ(SnapshotTree(root.Path()), before);
}

TEST_F(AccountBuilderTest, BrokenPointerOrCatalogueIsToldApart) {
    MessengerAccountBuilder builder = Builder();
    const ContentCategory category = ContentCategory::Winks;
    builder.Add(category, MessengerAccountBuilder::SampleObject(category, 1)).Write(false);
    const std::string pointer = JoinPath(builder.ObjectFolder(category), "map.dat");
    const std::string catalogue =
        JoinPath(builder.MapFileFolder(), builder.CatalogueFileName(category));
    const std::string goodCatalogue = ReadFile(catalogue);

    auto listing = [&] {
        PackagedObjectList list(services, category);
        const bool listed = list.ListObjects(kPassport);
        return std::make_tuple(listed, list.status, list.objects.size());
    };
    using Result = std::tuple<bool, ListingStatus, std::size_t>;
    ASSERT_EQ(listing(), Result(true, ListingStatus::Listed, 1u));

    // map.dat too short to hold a blob.
    WriteFile(pointer, "\x02");
    EXPECT_EQ(listing(), Result(false, ListingStatus::NoPointerFile, 0u));
    // map.dat as a folder.
    ASSERT_EQ(::unlink(pointer.c_str()), 0);
    MakeFolders(pointer);
    EXPECT_EQ(listing(), Result(false, ListingStatus::NoPointerFile, 0u));
    ASSERT_EQ(::rmdir(pointer.c_str()), 0);

    // A pointer that names no ".dat", or names one outside the MapFile
    // folder.
    for (const char* text :
         {"<MapFile><Item Location=\"catalogue.xml\" /></MapFile>", "<MapFile></MapFile>",
          "<MapFile><Item Location=\"../../x.dat\" /></MapFile>",
          "<MapFile><Item Location=\"sub/x.dat\" /></MapFile>"}) {
        SCOPED_TRACE(text);
        WriteFile(pointer, MessengerAccountBuilder::ProtectedFile(text, kPassport, protection));
        EXPECT_EQ(listing(), Result(false, ListingStatus::NoCatalogueName, 0u));
    }

    WriteFile(pointer,
              MessengerAccountBuilder::ProtectedFile(
                  MessengerAccountBuilder::PointerText(builder.CatalogueFileName(category)),
                  kPassport, protection));
    ASSERT_EQ(::unlink(catalogue.c_str()), 0);
    EXPECT_EQ(listing(), Result(false, ListingStatus::NoCatalogueFile, 0u));

    // A catalogue protected for another passport is read but yields nothing.
    WriteFile(catalogue,
              MessengerAccountBuilder::ProtectedFile("<Items />", "other@example.com", protection));
    EXPECT_EQ(listing(), Result(true, ListingStatus::CatalogueNotUnprotected, 0u));

    WriteFile(catalogue, goodCatalogue);
    EXPECT_EQ(listing(), Result(true, ListingStatus::Listed, 1u));
}

// ---------------------------------------------------------------------------
// Hostile catalogues

// Locations that would name something other than a file in the object
// folder.
const std::vector<std::string> kHostileLocations = {
    "../evil.cab",     "/etc/passwd",      "a\\b",      "",         "..", ".",
    "/../../evil.cab", "..\\..\\evil.cab", "wild?.cab", "map.dat*",
};

// Messenger's catalogue fields are 260 bytes, the last one the terminator.
constexpr std::size_t kFieldBytes = 259;

std::string KeyedRecord(const std::string& friendly, const std::string& location,
                        const std::string& stamp) {
    return "<Item Friendly=\"" + friendly + "\" Location=\"" + location + "\" stamp=\"" + stamp +
           "\" />\r\n";
}

TEST_F(AccountBuilderTest, HostileCataloguesNeverReachOutsideTheObjectFolder) {
    MessengerAccountBuilder builder = Builder();
    const std::string goodName =
        MessengerAccountBuilder::EncodeBase64(std::string("G\0o\0o\0d\0", 8));
    const std::string hugeValue(100 * 1024, 'A');

    std::vector<std::pair<std::string, std::string>> texts; // (what, catalogue text)
    {
        std::string hostile = KeyedRecord(goodName, "first.cab", "S1");
        for (const std::string& location : kHostileLocations)
            hostile += KeyedRecord(goodName, location, "stamp-of-" + location);
        hostile += KeyedRecord(goodName, "last.cab", "S2");
        texts.emplace_back("hostile locations", hostile);
    }
    texts.emplace_back("100 KB values", KeyedRecord(hugeValue, hugeValue, hugeValue));
    texts.emplace_back("no closing quotes",
                       "<Item Friendly=\"QQBCAA Location=\"x.cab stamp=\"abc />");
    texts.emplace_back("ends after a key", "<Item Friendly=\"QQBCAA==\" Location=");
    texts.emplace_back("ends after an opening quote", "<Item Friendly=\"QQBCAA==\" Location=\"");
    texts.emplace_back("keys only", "Friendly=Location=stamp=Friendly=Location=stamp=");
    texts.emplace_back("quotes only", std::string(5000, '"'));

    for (const auto& [what, text] : texts) {
        SCOPED_TRACE(what);
        builder.WriteCatalogue(ContentCategory::Winks, text);
        // A folder named like the tick makes "<tick>/../../x" a real path, so
        // a location let through unchecked would land outside.
        const std::string objectFolder = builder.ObjectFolder(ContentCategory::Winks);
        ASSERT_TRUE(MakeFolders(JoinPath(objectFolder, std::to_string(clock.ticks))));
        const auto before = SnapshotTree(root.Path());

        PackagedObjectList list(services, ContentCategory::Winks);
        ASSERT_TRUE(list.ListObjects(kPassport));
        for (const InstalledObject& object : list.objects) {
            EXPECT_TRUE(IsBareFileName(object.location)) << object.location;
            EXPECT_LE(object.location.size(), kFieldBytes);
            EXPECT_LE(object.displayName.size(), kFieldBytes);
            EXPECT_LE(object.tag.size(), kFieldBytes);
            for (const std::string& location : kHostileLocations)
                EXPECT_NE(object.location, location);
        }
        EXPECT_EQ(WithoutStamps(SnapshotTree(root.Path()), list), before);
        if (what == "hostile locations") {
            // The records around the rejected ones are still read; an empty
            // or one-character Location runs on to the next quote and is
            // rejected too.
            ASSERT_EQ(list.objects.size(), 2u);
            EXPECT_EQ(list.objects.front().location, "first.cab");
            EXPECT_EQ(list.objects.front().displayName, "Good");
            EXPECT_EQ(ReadFile(StampPath(list, list.objects.front())), "S1");
            EXPECT_EQ(list.objects.back().location, "last.cab");
            EXPECT_EQ(ReadFile(StampPath(list, list.objects.back())), "S2");
        }
        if (what == "100 KB values") {
            ASSERT_EQ(list.objects.size(), 1u);
            EXPECT_EQ(list.objects[0].location, hugeValue.substr(0, kFieldBytes));
        }
        list.Clear();
        EXPECT_EQ(SnapshotTree(root.Path()), before);
    }
}

TEST_F(AccountBuilderTest, HostileTabCataloguesNeverReachOutsideTheObjectFolder) {
    MessengerAccountBuilder builder = Builder();
    for (ContentCategory category :
         {ContentCategory::CustomEmoticons, ContentCategory::RegularDisplayPictures,
          ContentCategory::RegularBackgrounds}) {
        const bool emoticons = category == ContentCategory::CustomEmoticons;
        const std::string fields = emoticons ? ":x:\tname\t" : "name\t";
        const std::string element = category == ContentCategory::RegularBackgrounds
                                        ? "<Item Friendly=\"QQBCAA==\" Location=\""
                                        : "<Tile Location=\"";
        std::string hostile = fields + element + "first.png\" />";
        for (const std::string& location : kHostileLocations)
            hostile += "\t" + fields + element + location + "\" />";
        hostile += "\t" + fields + element + "last.png\" />";

        const std::vector<std::pair<std::string, std::string>> texts = {
            {"hostile locations", hostile},
            {"100 KB fields", std::string(100 * 1024, 'N') + "\t" + std::string(100 * 1024, 'K') +
                                  "\t" + element + std::string(100 * 1024, 'L') + "\" />"},
            {"tabs only", std::string(3000, '\t')},
            {"no closing quote", fields + element + "x.png />\t" + fields + element},
        };
        for (const auto& [what, text] : texts) {
            SCOPED_TRACE(Name(category) + " / " + what);
            builder.WriteCatalogue(category, text);
            const auto before = SnapshotTree(root.Path());
            PictureObjectList list(services, category);
            ASSERT_TRUE(list.ListObjects(kPassport));
            for (const InstalledObject& object : list.objects) {
                EXPECT_TRUE(IsBareFileName(object.location)) << object.location;
                EXPECT_LE(object.location.size(), kFieldBytes);
                EXPECT_LE(object.displayName.size(), kFieldBytes);
                EXPECT_LE(object.tag.size(), kFieldBytes);
            }
            if (what == "hostile locations") {
                ASSERT_GE(list.objects.size(), 1u);
                EXPECT_EQ(list.objects.front().location, "first.png");
            }
            EXPECT_EQ(SnapshotTree(root.Path()), before);
        }
    }
}

constexpr int kManyRecords = 100000;

TEST_F(AccountBuilderTest, HundredThousandTabRecordsAreListedInOrder) {
    std::string tabbed;
    for (int i = 0; i < kManyRecords; ++i) {
        const std::string number = std::to_string(i);
        tabbed += (i == 0 ? "" : "\t") +
                  (":e" + number + ":\tn" + number + "\t<E Location=\"e" + number + ".dat\"/>");
    }
    Builder().WriteCatalogue(ContentCategory::CustomEmoticons, tabbed);
    const auto before = SnapshotTree(root.Path());

    PictureObjectList emoticons(services, ContentCategory::CustomEmoticons);
    ASSERT_TRUE(emoticons.ListObjects(kPassport));
    ASSERT_EQ(emoticons.objects.size(), static_cast<std::size_t>(kManyRecords));
    for (std::size_t i : {std::size_t{0}, std::size_t{4711}, std::size_t{kManyRecords - 1}}) {
        const std::string number = std::to_string(i);
        EXPECT_EQ(emoticons.objects[i].location, "e" + number + ".dat");
        EXPECT_EQ(emoticons.objects[i].tag, ":e" + number + ":");
        EXPECT_EQ(emoticons.objects[i].displayName, "n" + number);
    }
    EXPECT_EQ(SnapshotTree(root.Path()), before);
}

TEST_F(AccountBuilderTest, HundredThousandPackagedRecordsLeaveNoStampFilesBehind) {
    const std::string friendly = MessengerAccountBuilder::EncodeBase64(std::string("N\0", 2));
    std::string keyed = "<Items>";
    for (int i = 0; i < kManyRecords; ++i) {
        const std::string number = std::to_string(i);
        keyed += "<Item Friendly=\"" + friendly + "\" Location=\"w" + number + ".cab\" stamp=\"s" +
                 number + "\"/>";
    }
    keyed += "</Items>";
    Builder().WriteCatalogue(ContentCategory::Winks, keyed);
    const auto before = SnapshotTree(root.Path());
    {
        PackagedObjectList winks(services, ContentCategory::Winks);
        ASSERT_TRUE(winks.ListObjects(kPassport));
        ASSERT_EQ(winks.objects.size(), static_cast<std::size_t>(kManyRecords));
        EXPECT_EQ(winks.objects[54321].location, "w54321.cab");
        EXPECT_EQ(winks.objects[54321].displayName, "N");
        EXPECT_EQ(ReadFile(StampPath(winks, winks.objects[54321])), "s54321");
        // One stamp file per record in the listing's scratch (counted, not
        // read: the snapshot afterwards shows that nothing else changed).
        std::size_t files = 0;
        for (const auto& entry :
             std::filesystem::directory_iterator(JoinPath(winks.scratchFolder, "stamps")))
            files += entry.is_regular_file() ? 1 : 0;
        EXPECT_EQ(files, static_cast<std::size_t>(kManyRecords));
    }
    EXPECT_EQ(SnapshotTree(root.Path()), before);
}

// A catalogue can repeat one Location as often as it likes, and a listing
// takes far less than a tick per record: every record still gets a tag and a
// stamp file of its own. (How the time grows is measured by the listing
// benchmark.)
TEST_F(AccountBuilderTest, ManyRecordsSharingALocationGetTagsOfTheirOwn) {
    constexpr int kRecords = 5000;
    std::string keyed = "<Items>";
    for (int i = 0; i < kRecords; ++i)
        keyed +=
            "<Item Friendly=\"TgA=\" Location=\"same.cab\" stamp=\"s" + std::to_string(i) + "\"/>";
    Builder().WriteCatalogue(ContentCategory::Winks, keyed);

    PackagedObjectList winks(services, ContentCategory::Winks);
    ASSERT_TRUE(winks.ListObjects(kPassport));
    ASSERT_EQ(winks.objects.size(), static_cast<std::size_t>(kRecords));
    std::set<std::string> tags;
    for (const InstalledObject& object : winks.objects)
        tags.insert(object.tag);
    EXPECT_EQ(tags.size(), static_cast<std::size_t>(kRecords));
    EXPECT_EQ(ReadFile(StampPath(winks, winks.objects.front())), "s0");
    EXPECT_EQ(ReadFile(StampPath(winks, winks.objects.back())), "s4999");
}

} // namespace
} // namespace quorvane
