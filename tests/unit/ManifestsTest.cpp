#include "backup/Manifests.h"

#include "platform/CodePage.h"
#include "support/FakeClock.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace quorvane {
namespace {

namespace fs = std::filesystem;

// Written out rather than taken from Manifests.h: these are the URIs
// Messenger's own packs declare, and the manifests must say the same.
const std::string kContentNs = "http://messenger.msn.com/messengercontent/1.0";
const std::string kBackgroundNs = "http://messenger.msn.com/dynamicbackground/2.0";
const std::string kEmoticonNs = "http://messenger.msn.com/emoticon/1.0";
const std::string kStamp = "MIGfMA0GCSqGSIb3DQEBAQUAA4GNADCBiQKBgQC7vbqajDw4o6gJy8UtmIbkcpnk==";

InstalledObject Object(std::string location, std::string tag, std::string displayName) {
    InstalledObject object;
    object.location = std::move(location);
    object.tag = std::move(tag);
    object.displayName = std::move(displayName);
    return object;
}

// --- Wink, Dynamic Display Picture, Dynamic Background ---------------------

class ObjectManifestTest : public ::testing::Test {
protected:
    std::string Write(ContentCategory category, const InstalledObject& object,
                      bool expected = true) {
        EXPECT_EQ(WriteObjectManifest(category, folder.Path(), object, CodePage::Ansi()), expected);
        return test::ReadFile(folder / "content.xml");
    }

    test::TempFolder folder;
};

TEST_F(ObjectManifestTest, WinkManifestIsByteExact) {
    test::WriteFile(folder / "7C1E5B20A4D9", kStamp);
    const std::string manifest =
        Write(ContentCategory::Winks, Object("DancingBear.cab", "7C1E5B20A4D9", "Dancing bear"));

    EXPECT_EQ(manifest,
              "<package version=\"1.0\" type=\"theme\">\r\n"
              "<item contentid=\"7C1E5B20A4D9\" type=\"wink\" contenttype=\"P\""
              " mimetype=\"application/messengercontent\" file=\"DancingBear.cab\" stamp=\"" +
                  kStamp + "\"/>\r\n</package>");
}

TEST_F(ObjectManifestTest, DynamicDisplayPictureManifestIsByteExact) {
    test::WriteFile(folder / "B0A1D6C3", kStamp);
    const std::string manifest = Write(ContentCategory::DynamicDisplayPictures,
                                       Object("WavingCat.cab", "B0A1D6C3", "Waving cat"));

    EXPECT_EQ(manifest,
              "<package version=\"1.0\" type=\"theme\" xmlns=\"" + kContentNs +
                  "\">\r\n"
                  "<item contentid=\"B0A1D6C3\" type=\"dynamicpicture\" contenttype=\"P\""
                  " mimetype=\"application/messengercontent\" file=\"WavingCat.cab\" stamp=\"" +
                  kStamp + "\"/>\r\n</package>");
}

TEST_F(ObjectManifestTest, DynamicBackgroundManifestIsByteExact) {
    test::WriteFile(folder / "E44F0912", kStamp);
    const std::string manifest =
        Write(ContentCategory::DynamicBackgrounds, Object("Aquarium.cab", "E44F0912", "Aquarium"));

    EXPECT_EQ(manifest,
              "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n"
              "<package version=\"1.0\" type=\"theme\" xmlns=\"" +
                  kContentNs + "\" xmlns:dynamicbackground=\"" + kBackgroundNs +
                  "\" partnerid=\"XK\" contenttype=\"P\">\r\n"
                  "<item2 minver=\"7.5\" contentid=\"E44F0912\" type=\"dynamicbackground\""
                  " contenttype=\"P\" mimetype=\"application/messengercontent\""
                  " dynamicbackground:version=\"1.0\" dynamicbackground:default=\"true\""
                  " dynamicbackground:displayname=\"Aquarium\" file=\"Aquarium.cab\" stamp=\"" +
                  kStamp + "\"/>\r\n</package>");
}

TEST_F(ObjectManifestTest, ValuesAreEscapedUtf8ButTheStampIsCopiedRaw) {
    // The stamp's bytes go in as they are, even those that are not UTF-8 or
    // that XML would want escaped.
    const std::string rawStamp("a&b<c>\"d\xE9\x00\r\nz", 14);
    test::WriteFile(folder / "T1", rawStamp);
    const std::string manifest = Write(ContentCategory::DynamicBackgrounds,
                                       Object("caf\xE9 & <bar>.cab", "T1", "Tom & \"Jerry\" <3"));

    EXPECT_EQ(manifest.substr(manifest.find("<item2")),
              "<item2 minver=\"7.5\" contentid=\"T1\" type=\"dynamicbackground\""
              " contenttype=\"P\" mimetype=\"application/messengercontent\""
              " dynamicbackground:version=\"1.0\" dynamicbackground:default=\"true\""
              " dynamicbackground:displayname=\"Tom &amp; &quot;Jerry&quot; &lt;3\""
              " file=\"caf\xC3\xA9 &amp; &lt;bar&gt;.cab\" stamp=\"" +
                  rawStamp + "\"/>\r\n</package>");
}

TEST_F(ObjectManifestTest, TagNamesTheStampFileInUtf8AndIsEscapedInTheManifest) {
    test::WriteFile(folder / "\xC3\xA9t\xC3\xA9&co", "S");
    const std::string manifest =
        Write(ContentCategory::Winks, Object("Summer.cab", "\xE9t\xE9&co", "Summer"));

    EXPECT_EQ(manifest,
              "<package version=\"1.0\" type=\"theme\">\r\n"
              "<item contentid=\"\xC3\xA9t\xC3\xA9&amp;co\" type=\"wink\" contenttype=\"P\""
              " mimetype=\"application/messengercontent\" file=\"Summer.cab\" stamp=\"S\"/>\r\n"
              "</package>");
}

TEST_F(ObjectManifestTest, EmptyStampFileGivesAnEmptyStamp) {
    test::WriteFile(folder / "7C1E5B20A4D9", "");
    const std::string manifest =
        Write(ContentCategory::Winks, Object("DancingBear.cab", "7C1E5B20A4D9", "Dancing bear"));

    EXPECT_EQ(manifest.substr(manifest.find("file=")),
              "file=\"DancingBear.cab\" stamp=\"\"/>\r\n</package>");
}

TEST_F(ObjectManifestTest, MissingStampFileFailsLeavingOnlyTheHeader) {
    const std::string manifest = Write(
        ContentCategory::Winks, Object("DancingBear.cab", "7C1E5B20A4D9", "Dancing bear"), false);

    EXPECT_EQ(manifest,
              "<package version=\"1.0\" type=\"theme\">\r\n"
              "<item contentid=\"7C1E5B20A4D9\" type=\"wink\" contenttype=\"P\""
              " mimetype=\"application/messengercontent\" file=\"DancingBear.cab\" stamp=\"");
}

TEST_F(ObjectManifestTest, TagThatIsNotAFileNameReadsNothingOutsideTheFolder) {
    test::TempFolder elsewhere;
    test::WriteFile(elsewhere / "private", "do not copy");
    fs::create_directory(folder / "sub");
    test::WriteFile(folder / "sub/stamp", "nested");
    const std::string outside = "../" + fs::path(elsewhere.Path()).filename().string() + "/private";

    for (const std::string& tag : {outside, std::string("sub/stamp"), std::string("..")}) {
        SCOPED_TRACE(tag);
        const std::string manifest =
            Write(ContentCategory::Winks, Object("x.cab", tag, "x"), false);
        EXPECT_EQ(manifest.find("do not copy"), std::string::npos);
        EXPECT_EQ(manifest.find("nested"), std::string::npos);
        EXPECT_EQ(manifest.substr(manifest.size() - 7), "stamp=\"");
    }
}

TEST_F(ObjectManifestTest, UnpackagedCategoriesFailWithAnEmptyManifest) {
    test::WriteFile(folder / "T1", kStamp);
    for (ContentCategory category :
         {ContentCategory::CustomEmoticons, ContentCategory::RegularBackgrounds,
          ContentCategory::RegularDisplayPictures}) {
        SCOPED_TRACE(static_cast<int>(category));
        test::WriteFile(folder / "content.xml", "left from an earlier run");
        EXPECT_EQ(Write(category, Object("pic.png", "T1", "Picture"), false), "");
    }
}

TEST_F(ObjectManifestTest, ExistingManifestIsReplacedWhole) {
    test::WriteFile(folder / "content.xml", std::string(4000, 'x'));
    test::WriteFile(folder / "T1", "S");
    const std::string manifest = Write(ContentCategory::Winks, Object("a.cab", "T1", "A"));

    EXPECT_EQ(manifest,
              "<package version=\"1.0\" type=\"theme\">\r\n"
              "<item contentid=\"T1\" type=\"wink\" contenttype=\"P\""
              " mimetype=\"application/messengercontent\" file=\"a.cab\" stamp=\"S\"/>\r\n"
              "</package>");
}

TEST(ObjectManifestFailureTest, MissingObjectFolderFailsWithoutCreatingIt) {
    test::TempFolder scratch;
    EXPECT_FALSE(WriteObjectManifest(ContentCategory::Winks, scratch / "gone",
                                     Object("a.cab", "T1", "A"), CodePage::Ansi()));
    EXPECT_TRUE(test::FolderNames(scratch.Path()).empty());
}

// --- XML attribute values ---------------------------------------------------

TEST(XmlAttributeValueTest, ConvertsToUtf8AndEscapesWhatWouldEndTheValue) {
    const CodePage& ansi = CodePage::Ansi();
    EXPECT_EQ(XmlAttributeValue("Tom & \"Jerry\" <3", ansi), "Tom &amp; &quot;Jerry&quot; &lt;3");
    EXPECT_EQ(XmlAttributeValue("caf\xE9 \x80 5>4", ansi), "caf\xC3\xA9 \xE2\x82\xAC 5&gt;4");
    // Already-escaped text is escaped again: the value is text, not markup.
    EXPECT_EQ(XmlAttributeValue("&amp;", ansi), "&amp;amp;");
    EXPECT_EQ(XmlAttributeValue("it's", ansi), "it's");
    EXPECT_EQ(XmlAttributeValue("", ansi), "");
}

// --- emoticon packs ----------------------------------------------------------

TEST(PackFileNameTest, LowersAndTurnsEveryDatIntoGif) {
    const CodePage& ansi = CodePage::Ansi();
    EXPECT_EQ(EmoticonManifest::PackFileName("ABC.DAT", ansi), "abc.gif");
    EXPECT_EQ(EmoticonManifest::PackFileName("x.dat.dat", ansi), "x.gif.gif");
    EXPECT_EQ(EmoticonManifest::PackFileName("smile.png", ansi), "smile.png");
    EXPECT_EQ(EmoticonManifest::PackFileName("My.Data.Dat", ansi), "my.gifa.gif");
    EXPECT_EQ(EmoticonManifest::PackFileName("\xC9T\xC9.Dat", ansi), "\xE9t\xE9.gif");
    EXPECT_EQ(EmoticonManifest::PackFileName("", ansi), "");
}

class EmoticonManifestTest : public ::testing::Test {
protected:
    EmoticonManifestTest() : manifest(clock, CodePage::Ansi()) {
        clock.seconds = 1700000000;
        manifest.SetFolder(folder.Path());
    }

    static std::string Item(const std::string& packId, const std::string& file,
                            const std::string& displayName, const std::string& keys) {
        return "<item xmlns:emoticon=\"" + kEmoticonNs + "\" contentid=\"" + packId +
               "\" contenttype=\"P\" type=\"emoticon\" emoticon:namespaceprefix=\"KTV\""
               " mimetype=\"image/gif\" file=\"" +
               file + "\" emoticon:displayname=\"" + displayName + "\" emoticon:keysequence=\"" +
               keys + "\" />\r\n";
    }

    test::TempFolder folder;
    test::FakeClock clock;
    EmoticonManifest manifest;
};

TEST_F(EmoticonManifestTest, PackWithTwoItemsIsByteExact) {
    manifest.Begin();
    manifest.AddItem(Object("Wave0001.DAT", "(wave)", "Wave"));
    manifest.AddItem(Object("Caf\xE9.dat", "<:o)", "Party & \"fun\""));
    ASSERT_TRUE(manifest.Finish());

    const std::string expected =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n"
        "<package xmlns=\"" +
        kContentNs + "\" version=\"1.0\" type=\"theme\" partnerid=\"XK\">\r\n" +
        Item("KTV1700000000", "wave0001.gif", "Wave", "(wave)") +
        Item("KTV1700000000", "caf\xC3\xA9.gif", "Party &amp; &quot;fun&quot;", "&lt;:o)") +
        " </package>";
    EXPECT_EQ(test::ReadFile(folder / "content.xml"), expected);
    EXPECT_EQ(manifest.text, expected);
    EXPECT_EQ(test::FolderNames(folder.Path()), std::vector<std::string>{"content.xml"});
}

TEST_F(EmoticonManifestTest, EmptyPackHasOnlyTheFrame) {
    manifest.Begin();
    ASSERT_TRUE(manifest.Finish());
    EXPECT_EQ(test::ReadFile(folder / "content.xml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n"
              "<package xmlns=\"" +
                  kContentNs +
                  "\" version=\"1.0\" type=\"theme\" partnerid=\"XK\">\r\n </package>");
}

TEST_F(EmoticonManifestTest, PackIdIsTheClockAsSigned32BitSeconds) {
    manifest.Begin();
    EXPECT_EQ(manifest.packId, "KTV1700000000");

    clock.seconds = 0;
    manifest.Begin();
    EXPECT_EQ(manifest.packId, "KTV0");

    // Past January 2038 the seconds no longer fit and the id wraps negative.
    clock.seconds = std::int64_t{0x80000000} + 5;
    manifest.Begin();
    EXPECT_EQ(manifest.packId, "KTV-2147483643");
    manifest.AddItem(Object("a.dat", "a", "a"));
    EXPECT_NE(manifest.text.find("contentid=\"KTV-2147483643\""), std::string::npos);
}

TEST_F(EmoticonManifestTest, BeginStartsAFreshPack) {
    manifest.Begin();
    manifest.AddItem(Object("old.dat", "old", "Old"));
    manifest.Begin();
    manifest.AddItem(Object("new.dat", "new", "New"));
    ASSERT_TRUE(manifest.Finish());

    const std::string written = test::ReadFile(folder / "content.xml");
    EXPECT_EQ(written.find("old"), std::string::npos);
    EXPECT_NE(written.find(Item("KTV1700000000", "new.gif", "New", "new")), std::string::npos);
}

TEST_F(EmoticonManifestTest, FinishReplacesAnExistingManifestWhole) {
    test::WriteFile(folder / "content.xml", std::string(10000, 'x'));
    manifest.Begin();
    manifest.AddItem(Object("a.dat", "a", "a"));
    ASSERT_TRUE(manifest.Finish());

    EXPECT_EQ(test::ReadFile(folder / "content.xml"), manifest.text);
    EXPECT_EQ(test::FolderNames(folder.Path()), std::vector<std::string>{"content.xml"});
}

TEST_F(EmoticonManifestTest, FinishIntoAMissingFolderFails) {
    manifest.SetFolder(folder / "gone");
    manifest.Begin();
    manifest.AddItem(Object("a.dat", "a", "a"));
    EXPECT_FALSE(manifest.Finish());
    EXPECT_TRUE(test::FolderNames(folder.Path()).empty());
}

// Every manifest must be read by a strict XML parser, whatever the names hold.
TEST_F(ObjectManifestTest, EveryManifestIsWellFormedXml) {
    const auto wellFormed = [](const std::string& xml) {
        QXmlStreamReader reader(QByteArray::fromStdString(xml));
        while (!reader.atEnd())
            reader.readNext();
        return reader.hasError() ? reader.errorString().toStdString() : std::string();
    };
    test::WriteFile(folder / "T1", kStamp);
    for (auto category : {ContentCategory::Winks, ContentCategory::DynamicDisplayPictures,
                          ContentCategory::DynamicBackgrounds}) {
        const std::string manifest =
            Write(category, Object("a&<b>\"\xE9.cab", "T1", "<Tom> & \"J\xE9rry\""));
        EXPECT_EQ(wellFormed(manifest), "") << static_cast<int>(category);
    }
    test::FakeClock clock;
    EmoticonManifest emoticons(clock, CodePage::Ansi());
    emoticons.SetFolder(folder.Path());
    emoticons.Begin();
    emoticons.AddItem(Object("A&B.dat", "<\"&>", "\xE9t\xE9 <3"));
    ASSERT_TRUE(emoticons.Finish());
    EXPECT_EQ(wellFormed(emoticons.text), "");
}

} // namespace
} // namespace quorvane
