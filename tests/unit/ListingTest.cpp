#include "backup/Listing.h"

#include "app/QtPictureDecoder.h"
#include "backup/CabinetTools.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/ProcessRunner.h"
#include "platform/SystemFolders.h"
#include "profile/ObjectList.h"
#include "protection/DataProtection.h"
#include "protection/WineDataProtection.h"
#include "support/ChildRun.h"
#include "support/FakeClock.h"
#include "support/MessengerAccountBuilder.h"
#include "support/TempFolder.h"
#include "support/WineAccountFixture.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

namespace quorvane {
namespace {

using test::AccountObject;
using test::EncodedPicture;
using test::MessengerAccountBuilder;
using test::ReadFile;
using test::TempFolder;
using test::WriteFile;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAreArray;

namespace fs = std::filesystem;

constexpr const char* kPassport = test::kTestPassport;

std::string Png() {
    return MessengerAccountBuilder::PngPicture();
}
std::string Gif() {
    return MessengerAccountBuilder::GifPicture();
}
std::string Swf() {
    return MessengerAccountBuilder::SwfMovie();
}

// --- passports ------------------------------------------------------------

TEST(Passport, NeedsOneByteBeforeAndThreeAfterTheAt) {
    const CodePage& ansi = CodePage::Ansi();
    EXPECT_TRUE(IsValidPassport("a@bcd", ansi));
    EXPECT_TRUE(IsValidPassport("someone@example.com", ansi));
    EXPECT_FALSE(IsValidPassport("a@bc", ansi));
    EXPECT_FALSE(IsValidPassport("@abcd", ansi));
    EXPECT_FALSE(IsValidPassport("", ansi));
    EXPECT_FALSE(IsValidPassport("abcdef", ansi));
    EXPECT_FALSE(IsValidPassport("abc@", ansi));
    // Only the first "@" counts: three bytes follow it here, "@" included.
    EXPECT_TRUE(IsValidPassport("a@b@c", ansi));
}

TEST(Passport, AnAtInsideADoubleByteCharacterIsNoAt) {
    // In Shift-JIS 0x81 0x40 is one character (an ideographic space) whose
    // second byte happens to be "@".
    const CodePage shiftJis = CodePage::Make("CP932").value();
    ASSERT_TRUE(shiftJis.IsLeadByte(0x81));
    EXPECT_FALSE(IsValidPassport("\x81\x40\x61\x62\x63", shiftJis));
    // The real "@" after it is found: "\x81\x40" is before it.
    EXPECT_TRUE(IsValidPassport("\x81\x40@abc", shiftJis));
    EXPECT_FALSE(IsValidPassport("\x81\x40@ab", shiftJis));
    // Read as single bytes, the same text has an "@" at offset 1.
    EXPECT_TRUE(IsValidPassport("\x81\x40\x61\x62\x63", CodePage::Ansi()));
}

// --- a Wine prefix with one account ----------------------------------------

class ListingFixture : public test::WineAccountFixture {
protected:
    // The stamp and thumbnail files a packaged listing put into the object
    // folder, and the account's own files there.
    std::vector<std::string> FileNamesIn(const std::string& folder) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::vector<std::string> Locations(const ObjectList& list) const {
        std::vector<std::string> locations;
        for (const InstalledObject& object : list.objects)
            locations.push_back(object.location);
        return locations;
    }

    static AccountObject Packaged(const std::string& name, const std::string& location,
                                  std::vector<std::pair<std::string, std::string>> files) {
        AccountObject object;
        object.displayName = name;
        object.location = location;
        object.stamp = "c3RhbXAgb2Yg" + location;
        object.files = std::move(files);
        return object;
    }
};

// --- packaged categories ------------------------------------------------------

TEST_F(ListingFixture, EveryWinkWithAPictureIsListedFromItsUnpackedFolder) {
    std::vector<AccountObject> winks;
    for (int n = 0; n < 3; ++n) {
        AccountObject wink = MessengerAccountBuilder::SampleObject(ContentCategory::Winks, n);
        const std::string stem = wink.location.substr(0, wink.location.size() - 4);
        wink.files = {{stem + ".png", Png()}, {stem + ".swf", Swf()}};
        winks.push_back(wink);
        builder.Add(ContentCategory::Winks, wink);
    }
    builder.Write();

    PackagedObjectList list(services, ContentCategory::Winks);
    const std::vector<ListedItem> items =
        ListPackagedObjects(list, kPassport, tools, decoder, CodePage::Ansi()).items;
    ASSERT_EQ(items.size(), 3u);
    ASSERT_EQ(list.objects.size(), 3u);
    const std::string objectFolder = builder.ObjectFolder(ContentCategory::Winks);
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const AccountObject& wink = winks[i];
        EXPECT_EQ(items[i].itemData, i);
        EXPECT_EQ(list.objects[i].displayName, wink.displayName);
        // Unpacked in Quorvane's own scratch, never beside the object.
        const std::string folder = list.ThumbnailFolder(list.objects[i]);
        EXPECT_TRUE(folder.starts_with(temp / "cache/quorvane/")) << folder;
        EXPECT_EQ(items[i].picturePath, JoinPath(folder, wink.files[0].first));
        // The cabinet was really unpacked there, every member of it.
        EXPECT_EQ(ReadFile(JoinPath(folder, wink.files[0].first)), wink.files[0].second);
        EXPECT_EQ(ReadFile(JoinPath(folder, wink.files[1].first)), wink.files[1].second);
        // Its stamp file is there for the backup.
        EXPECT_EQ(ReadFile(list.StampPath(list.objects[i])), wink.stamp);
    }
    std::vector<std::string> messengers = {"map.dat"};
    for (const AccountObject& wink : winks)
        messengers.push_back(wink.location);
    EXPECT_THAT(FileNamesIn(objectFolder), UnorderedElementsAreArray(messengers))
        << "the object folder holds what Messenger put there, nothing more";
}

TEST_F(ListingFixture, PngComesBeforeJpegBeforeGifWhateverTheNames) {
    const std::string jpeg = EncodedPicture("JPEG", 4, 4);
    const std::string pngA = EncodedPicture("PNG", 3, 1);
    const std::string pngB = EncodedPicture("PNG", 1, 3);
    builder.Add(ContentCategory::Winks,
                Packaged("All three", "a.cab",
                         {{"a.gif", Gif()}, {"b.jpg", jpeg}, {"z.png", Png()}, {"m.swf", Swf()}}));
    builder.Add(ContentCategory::Winks,
                Packaged("Jpeg and gif", "b.cab", {{"a.gif", Gif()}, {"b.jpg", jpeg}}));
    builder.Add(ContentCategory::Winks,
                Packaged("Gif only", "c.cab", {{"a.gif", Gif()}, {"m.swf", Swf()}}));
    // Matching ignores case, as on Windows.
    builder.Add(ContentCategory::Winks, Packaged("Upper case", "d.cab", {{"THUMB.PNG", Png()}}));
    // Of two, the first by name, not by place in the cabinet.
    builder.Add(ContentCategory::Winks,
                Packaged("Two pngs", "e.cab", {{"b.png", pngB}, {"a.png", pngA}}));
    builder.Write();

    PackagedObjectList list(services, ContentCategory::Winks);
    const std::vector<ListedItem> items =
        ListPackagedObjects(list, kPassport, tools, decoder, CodePage::Ansi()).items;
    ASSERT_EQ(items.size(), 5u);
    std::vector<std::string> pictures;
    for (const ListedItem& item : items)
        pictures.push_back(
            fs::path(item.picturePath)
                .lexically_relative(list.ThumbnailFolder(list.objects[item.itemData]))
                .string());
    EXPECT_THAT(pictures, ElementsAre("z.png", "b.jpg", "a.gif", "THUMB.PNG", "a.png"));
}

TEST_F(ListingFixture, ObjectsWithoutAUsablePictureAreLeftOutAndTheirStampsRemoved) {
    builder.Add(ContentCategory::DynamicDisplayPictures,
                Packaged("Good one", "good1.cab", {{"g1.png", Png()}}));
    builder.Add(ContentCategory::DynamicDisplayPictures,
                Packaged("Movie only", "movie.cab", {{"m.swf", Swf()}}));
    builder.Add(ContentCategory::DynamicDisplayPictures,
                Packaged("Good two", "good2.cab", {{"g2.jpg", EncodedPicture("JPEG", 2, 2)}}));
    // The first png is taken, and it does not decode: a good gif beside it
    // does not save the object.
    builder.Add(ContentCategory::DynamicDisplayPictures,
                Packaged("Broken png", "broken.cab",
                         {{"a.png", "not a picture at all"}, {"b.gif", Gif()}}));
    AccountObject missing = Packaged("No cabinet", "missing.cab", {{"x.png", Png()}});
    missing.writeFile = false;
    builder.Add(ContentCategory::DynamicDisplayPictures, missing);
    builder.Add(ContentCategory::DynamicDisplayPictures,
                Packaged("Good three", "good3.cab", {{"g3.gif", Gif()}}));
    builder.Add(ContentCategory::DynamicDisplayPictures,
                Packaged("Not a cabinet", "text.cab", {{"x.png", Png()}}));
    builder.Write();
    const std::string objectFolder = builder.ObjectFolder(ContentCategory::DynamicDisplayPictures);
    // A cabinet that is not one.
    WriteFile(JoinPath(objectFolder, "text.cab"), "plain text where a cabinet should be");

    PackagedObjectList list(services, ContentCategory::DynamicDisplayPictures);
    const std::vector<ListedItem> items =
        ListPackagedObjects(list, kPassport, tools, decoder, CodePage::Ansi()).items;

    EXPECT_THAT(Locations(list), ElementsAre("good1.cab", "good2.cab", "good3.cab"));
    ASSERT_EQ(items.size(), 3u);
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].itemData, i);
        EXPECT_EQ(fs::path(items[i].picturePath).parent_path().string(),
                  list.ThumbnailFolder(list.objects[i]));
    }
    // Right after the listing only the kept objects have stamp files.
    const std::vector<std::string> stamps = FileNamesIn(JoinPath(list.scratchFolder, "stamps"));
    std::vector<std::string> expected;
    for (const InstalledObject& object : list.objects)
        expected.push_back(fs::path(list.StampPath(object)).filename().string());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(stamps, expected);
}

TEST_F(ListingFixture, ShortDisplayNamesTakeThePicturesName) {
    // A Friendly value that decodes to nothing: a lone zero unit.
    const std::string nothing(1, '\0');
    builder.Add(ContentCategory::Winks,
                Packaged(nothing, "empty.cab", {{"Bongo Kiss.png", Png()}}));
    builder.Add(ContentCategory::Winks, Packaged("X", "one.cab", {{"Jump.gif", Gif()}}));
    builder.Add(ContentCategory::Winks, Packaged("Hi", "two.cab", {{"Wave.png", Png()}}));
    builder.Add(ContentCategory::Winks,
                Packaged(nothing, "accent.cab", {{"Caf\xC3\xA9 Dance.png", Png()}}));
    builder.Write();

    PackagedObjectList list(services, ContentCategory::Winks);
    const std::vector<ListedItem> items =
        ListPackagedObjects(list, kPassport, tools, decoder, CodePage::Ansi()).items;
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(list.objects[0].displayName, "Bongo Kiss");
    EXPECT_EQ(list.objects[1].displayName, "Jump");
    EXPECT_EQ(list.objects[2].displayName, "Hi");
    // The name on disk is UTF-8; the display name is code-page text.
    EXPECT_EQ(list.objects[3].displayName, "Caf\xE9 Dance");
}

TEST_F(ListingFixture, ListingTwiceGivesTheSameItems) {
    for (int n = 0; n < 3; ++n)
        builder.Add(ContentCategory::DynamicBackgrounds,
                    MessengerAccountBuilder::SampleObject(ContentCategory::DynamicBackgrounds, n));
    builder.Add(ContentCategory::DynamicBackgrounds,
                Packaged(std::string(1, '\0'), "short.cab", {{"Reef.png", Png()}}));
    builder.Add(ContentCategory::DynamicBackgrounds,
                Packaged("No picture", "none.cab", {{"m.swf", Swf()}}));
    builder.Write();

    PackagedObjectList list(services, ContentCategory::DynamicBackgrounds);
    const std::vector<ListedItem> first =
        ListPackagedObjects(list, kPassport, tools, decoder, CodePage::Ansi()).items;
    const std::vector<InstalledObject> firstObjects = list.objects;
    const std::vector<ListedItem> second =
        ListPackagedObjects(list, kPassport, tools, decoder, CodePage::Ansi()).items;

    ASSERT_EQ(first.size(), 4u);
    ASSERT_EQ(second.size(), first.size());
    ASSERT_EQ(list.objects.size(), firstObjects.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(second[i].itemData, first[i].itemData);
        EXPECT_EQ(BaseName(second[i].picturePath), BaseName(first[i].picturePath));
        EXPECT_TRUE(fs::is_regular_file(second[i].picturePath));
        EXPECT_EQ(list.objects[i].location, firstObjects[i].location);
        EXPECT_EQ(list.objects[i].displayName, firstObjects[i].displayName);
        EXPECT_TRUE(fs::is_regular_file(list.StampPath(list.objects[i])));
    }
}

TEST_F(ListingFixture, ClearingTheListRemovesItsScratch) {
    builder.Add(ContentCategory::Winks,
                MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 0));
    builder.Write();
    PackagedObjectList list(services, ContentCategory::Winks);
    const std::vector<ListedItem> items =
        ListPackagedObjects(list, kPassport, tools, decoder, CodePage::Ansi()).items;
    ASSERT_EQ(items.size(), 1u);
    const std::string scratch = list.scratchFolder;
    ASSERT_TRUE(fs::is_regular_file(items[0].picturePath));
    list.Clear();
    EXPECT_FALSE(fs::exists(scratch)) << "stamp files and thumbnail folders go with the list";
}

TEST_F(ListingFixture, WithoutTheCabinetToolTheListingSaysSoInsteadOfBlamingTheObjects) {
    for (int n = 0; n < 2; ++n)
        builder.Add(ContentCategory::Winks,
                    MessengerAccountBuilder::SampleObject(ContentCategory::Winks, n));
    builder.Write();
    const std::string objectFolder = builder.ObjectFolder(ContentCategory::Winks);
    const auto before = FileNamesIn(objectFolder);

    test::ScopedVariable path("PATH", "");
    CabinetTools nowhere(runner, temp / "no-tools/bin", windowsFolder);
    PackagedObjectList list(services, ContentCategory::Winks);
    const ListingResult result =
        ListPackagedObjects(list, kPassport, nowhere, decoder, CodePage::Ansi());
    EXPECT_THAT(result.items, IsEmpty());
    ASSERT_TRUE(result.toolFailure);
    EXPECT_THAT(result.toolFailure->sentence, ::testing::HasSubstr("\"extract\" is not installed"));
    EXPECT_EQ(result.LeftOut(), 0u) << "no Wink is to blame";
    EXPECT_THAT(Locations(list), IsEmpty());
    EXPECT_THAT(FileNamesIn(JoinPath(list.scratchFolder, "stamps")), IsEmpty());
    EXPECT_EQ(FileNamesIn(objectFolder), before);
}

TEST_F(ListingFixture, WithoutTheCabinetToolAnEarlierListingsPictureDoesNotCount) {
    // A listing that could not unpack the cabinet has not seen a picture in
    // it, even when the unpack folder still holds one from before.
    builder.Add(ContentCategory::Winks,
                MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 0));
    builder.Write();
    PackagedObjectList list(services, ContentCategory::Winks);
    ASSERT_EQ(ListPackagedObjects(list, kPassport, tools, decoder, CodePage::Ansi()).items.size(),
              1u);

    test::ScopedVariable path("PATH", "");
    CabinetTools nowhere(runner, temp / "no-tools/bin", windowsFolder);
    const std::vector<ListedItem> items =
        ListPackagedObjects(list, kPassport, nowhere, decoder, CodePage::Ansi()).items;
    EXPECT_EQ(items.size(), 0u);
    EXPECT_THAT(Locations(list), IsEmpty());
}

TEST_F(ListingFixture, AFailedListingGivesNoItems) {
    // No account was written for this passport.
    PackagedObjectList list(services, ContentCategory::Winks);
    EXPECT_THAT(ListPackagedObjects(list, kPassport, tools, decoder, CodePage::Ansi()).items,
                IsEmpty());
    EXPECT_EQ(list.status, ListingStatus::NoPointerFile);

    // A picture category handed to the packaged listing.
    builder.Add(ContentCategory::CustomEmoticons,
                MessengerAccountBuilder::SampleObject(ContentCategory::CustomEmoticons, 0));
    builder.Write();
    PackagedObjectList wrong(services, ContentCategory::CustomEmoticons);
    EXPECT_THAT(ListPackagedObjects(wrong, kPassport, tools, decoder, CodePage::Ansi()).items,
                IsEmpty());
    EXPECT_EQ(wrong.status, ListingStatus::WrongCategory);
}

// --- picture categories -----------------------------------------------------

TEST_F(ListingFixture, EmoticonsAreKnownByContentNotByName) {
    std::vector<AccountObject> emoticons;
    for (int n = 0; n < 4; ++n) {
        emoticons.push_back(
            MessengerAccountBuilder::SampleObject(ContentCategory::CustomEmoticons, n));
        builder.Add(ContentCategory::CustomEmoticons, emoticons.back());
    }
    builder.Write();
    // The samples hold GIF and PNG pictures under ".dat" names.
    ASSERT_EQ(emoticons[0].files[0].second.substr(0, 3), "GIF");
    ASSERT_EQ(emoticons[1].files[0].second.substr(1, 3), "PNG");
    ASSERT_TRUE(emoticons[0].location.ends_with(".dat"));

    PictureObjectList list(services, ContentCategory::CustomEmoticons);
    const std::vector<ListedItem> items = ListPictureObjects(list, kPassport, decoder, pause).items;
    ASSERT_EQ(items.size(), 4u);
    for (std::size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(items[i].itemData, i);
        EXPECT_EQ(items[i].picturePath,
                  JoinPath(builder.ObjectFolder(ContentCategory::CustomEmoticons),
                           emoticons[i].location));
        EXPECT_EQ(list.objects[i].tag, emoticons[i].keySequence);
        EXPECT_EQ(list.objects[i].displayName, emoticons[i].displayName);
    }
}

TEST_F(ListingFixture, PicturesThatDoNotDecodeAreLeftOut) {
    auto picture = [](const std::string& name, const std::string& location, std::string bytes) {
        AccountObject object;
        object.displayName = name;
        object.location = location;
        object.files = {{location, std::move(bytes)}};
        return object;
    };
    builder.Add(ContentCategory::RegularDisplayPictures, picture("sunset", "sunset.png", Png()));
    builder.Add(ContentCategory::RegularDisplayPictures,
                picture("text", "notes.png", "a text file under a picture's name"));
    // A JPEG under a ".png" name is still a picture.
    builder.Add(ContentCategory::RegularDisplayPictures,
                picture("photo", "photo.png", EncodedPicture("JPEG", 5, 5)));
    AccountObject gone = picture("gone", "gone.png", Png());
    gone.writeFile = false;
    builder.Add(ContentCategory::RegularDisplayPictures, gone);
    builder.Add(ContentCategory::RegularDisplayPictures,
                picture("cut", "cut.png", Png().substr(0, 20)));
    builder.Add(ContentCategory::RegularDisplayPictures, picture("anim", "anim.gif", Gif()));
    builder.Write();

    PictureObjectList list(services, ContentCategory::RegularDisplayPictures);
    const std::vector<ListedItem> items = ListPictureObjects(list, kPassport, decoder, pause).items;
    EXPECT_THAT(Locations(list), ElementsAre("sunset.png", "photo.png", "anim.gif"));
    ASSERT_EQ(items.size(), 3u);
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].itemData, i);
        EXPECT_EQ(items[i].picturePath, list.ObjectPath(list.objects[i]));
    }
}

TEST_F(ListingFixture, RegularBackgroundsAreListedWithTheirNames) {
    std::vector<AccountObject> backgrounds;
    for (int n = 0; n < 3; ++n) {
        backgrounds.push_back(
            MessengerAccountBuilder::SampleObject(ContentCategory::RegularBackgrounds, n));
        builder.Add(ContentCategory::RegularBackgrounds, backgrounds.back());
    }
    builder.Write();
    PictureObjectList list(services, ContentCategory::RegularBackgrounds);
    const std::vector<ListedItem> items = ListPictureObjects(list, kPassport, decoder, pause).items;
    ASSERT_EQ(items.size(), 3u);
    for (std::size_t i = 0; i < items.size(); ++i)
        EXPECT_EQ(list.objects[i].displayName, backgrounds[i].displayName);
}

} // namespace
} // namespace quorvane
