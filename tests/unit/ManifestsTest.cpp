#include "backup/Manifests.h"

#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "support/FakeClock.h"

#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QByteArray>
#include <QXmlStreamReader>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quorvane {
namespace {

using ::testing::HasSubstr;

// Written out rather than taken from Manifests.h: these are the URIs
// Messenger's own packs declare, and the manifests must say the same.
const std::string kContentNs = "http://messenger.msn.com/messengercontent/1.0";
const std::string kBackgroundNs = "http://messenger.msn.com/dynamicbackground/2.0";
const std::string kEmoticonNs = "http://messenger.msn.com/emoticon/1.0";
const std::string kStamp = "MIGfMA0GCSqGSIb3DQEBAQUAA4GNADCBiQKBgQC7vbqajDw4o6gJy8UtmIbkcpnk==";
const std::string kReplacement = "\xEF\xBF\xBD"; // U+FFFD in UTF-8

InstalledObject Object(std::string location, std::string tag, std::string displayName) {
    InstalledObject object;
    object.location = std::move(location);
    object.tag = std::move(tag);
    object.displayName = std::move(displayName);
    return object;
}

// The attributes of a manifest's item element as a namespace-aware reader
// gets them back, keyed "{namespace URI}name"; empty with the parser's
// message in error when the manifest is not well-formed.
std::map<std::string, std::string> ItemAttributesReadBack(const std::string& xml,
                                                          std::string& error) {
    std::map<std::string, std::string> attributes;
    QXmlStreamReader reader(QByteArray::fromStdString(xml));
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement ||
            !reader.name().startsWith(QStringLiteral("item")))
            continue;
        for (const QXmlStreamAttribute& attribute : reader.attributes())
            attributes["{" + attribute.namespaceUri().toString().toStdString() + "}" +
                       attribute.name().toString().toStdString()] =
                attribute.value().toString().toStdString();
    }
    if (reader.hasError()) {
        error = reader.errorString().toStdString();
        attributes.clear();
    }
    return attributes;
}

// --- Wink, Dynamic Display Picture, Dynamic Background ---------------------

std::string Text(ContentCategory category, const InstalledObject& object,
                 std::string_view stamp = kStamp) {
    const auto text = ObjectManifestText(category, object, stamp, CodePage::Ansi());
    EXPECT_TRUE(text.has_value()) << (text ? "" : text.error().sentence);
    return text.value_or("");
}

std::string Refusal(ContentCategory category, const InstalledObject& object,
                    std::string_view stamp = kStamp) {
    const auto text = ObjectManifestText(category, object, stamp, CodePage::Ansi());
    EXPECT_FALSE(text.has_value());
    return text ? std::string() : text.error().sentence;
}

TEST(ObjectManifestText, WinkManifestIsByteExact) {
    EXPECT_EQ(Text(ContentCategory::Winks, Object("DancingBear.cab", "7C1E5B20A4D9", "Bear")),
              "<package version=\"1.0\" type=\"theme\">\r\n"
              "<item contentid=\"7C1E5B20A4D9\" type=\"wink\" contenttype=\"P\""
              " mimetype=\"application/messengercontent\" file=\"DancingBear.cab\" stamp=\"" +
                  kStamp + "\"/>\r\n</package>");
}

TEST(ObjectManifestText, DynamicDisplayPictureManifestIsByteExact) {
    EXPECT_EQ(Text(ContentCategory::DynamicDisplayPictures,
                   Object("WavingCat.cab", "B0A1D6C3", "Waving cat")),
              "<package version=\"1.0\" type=\"theme\""
              " xmlns=\"http://messenger.msn.com/messengercontent/1.0\">\r\n"
              "<item contentid=\"B0A1D6C3\" type=\"dynamicpicture\" contenttype=\"P\""
              " mimetype=\"application/messengercontent\" file=\"WavingCat.cab\" stamp=\"" +
                  kStamp + "\"/>\r\n</package>");
}

TEST(ObjectManifestText, DynamicBackgroundManifestIsByteExact) {
    EXPECT_EQ(
        Text(ContentCategory::DynamicBackgrounds, Object("Aquarium.cab", "E44F0912", "Aquarium")),
        "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n"
        "<package version=\"1.0\" type=\"theme\""
        " xmlns=\"http://messenger.msn.com/messengercontent/1.0\""
        " xmlns:dynamicbackground=\"http://messenger.msn.com/dynamicbackground/2.0\""
        " partnerid=\"XK\" contenttype=\"P\">\r\n"
        "<item2 minver=\"7.5\" contentid=\"E44F0912\" type=\"dynamicbackground\""
        " contenttype=\"P\" mimetype=\"application/messengercontent\""
        " dynamicbackground:version=\"1.0\" dynamicbackground:default=\"true\""
        " dynamicbackground:displayname=\"Aquarium\" file=\"Aquarium.cab\" stamp=\"" +
            kStamp + "\"/>\r\n</package>");
}

TEST(ObjectManifestText, EveryValueIsEscapedUtf8TheStampIncluded) {
    const std::string manifest =
        Text(ContentCategory::DynamicBackgrounds,
             Object("caf\xE9 & <bar>.cab", "\xE9t\xE9&co", "Tom & \"Jerry\"\t\x01\x1F"),
             "a&b<c>\"d\xE9\r\nz");

    EXPECT_EQ(manifest.substr(manifest.find("<item2")),
              "<item2 minver=\"7.5\" contentid=\"\xC3\xA9t\xC3\xA9&amp;co\""
              " type=\"dynamicbackground\" contenttype=\"P\""
              " mimetype=\"application/messengercontent\""
              " dynamicbackground:version=\"1.0\" dynamicbackground:default=\"true\""
              " dynamicbackground:displayname=\"Tom &amp; &quot;Jerry&quot;&#9;" +
                  kReplacement + kReplacement +
                  "\" file=\"caf\xC3\xA9 &amp; &lt;bar&gt;.cab\""
                  " stamp=\"a&amp;b&lt;c&gt;&quot;d\xC3\xA9&#13;&#10;z\"/>\r\n</package>");
    EXPECT_EQ(Text(ContentCategory::Winks, Object("a.cab", "T", "A"), ""),
              "<package version=\"1.0\" type=\"theme\">\r\n"
              "<item contentid=\"T\" type=\"wink\" contenttype=\"P\""
              " mimetype=\"application/messengercontent\" file=\"a.cab\" stamp=\"\"/>\r\n"
              "</package>");
}

// Messenger matches a Location, content id or stamp exactly, so a character
// XML cannot carry is not replaced there: the object is not packed.
TEST(ObjectManifestText, ValuesMatchedExactlyRefuseWhatXmlCannotCarry) {
    EXPECT_EQ(Refusal(ContentCategory::Winks, Object("a\x01.cab", "T", "A")),
              "its Location holds a control character (0x01) that XML cannot carry");
    EXPECT_EQ(Refusal(ContentCategory::DynamicDisplayPictures, Object("a.cab", "T\x1F", "A")),
              "its content id holds a control character (0x1F) that XML cannot carry");
    EXPECT_EQ(Refusal(ContentCategory::DynamicBackgrounds, Object("a.cab", "T", "A"),
                      std::string_view("St\0amp", 6)),
              "its stamp holds a control character (0x00) that XML cannot carry");
}

TEST(ObjectManifestText, AStrictReaderGetsBackEveryValue) {
    const InstalledObject object =
        Object("a&<b>\"\xE9\t.cab", "T&<1>", "<Tom>\t&\r\n\"J\xE9rry\"\x02");
    const std::string stamp = "S\r\n&\"";
    for (auto category : {ContentCategory::Winks, ContentCategory::DynamicDisplayPictures,
                          ContentCategory::DynamicBackgrounds}) {
        SCOPED_TRACE(static_cast<int>(category));
        std::string error;
        auto attributes = ItemAttributesReadBack(Text(category, object, stamp), error);
        EXPECT_EQ(error, "");
        EXPECT_EQ(attributes["{}contentid"], "T&<1>");
        EXPECT_EQ(attributes["{}file"], "a&<b>\"\xC3\xA9\t.cab");
        EXPECT_EQ(attributes["{}stamp"], stamp);
        if (category == ContentCategory::DynamicBackgrounds) {
            EXPECT_EQ(attributes["{" + kBackgroundNs + "}displayname"],
                      "<Tom>\t&\r\n\"J\xC3\xA9rry\"" + kReplacement);
        }
    }
}

TEST(ObjectManifestText, UnpackagedCategoriesHaveNone) {
    for (ContentCategory category :
         {ContentCategory::CustomEmoticons, ContentCategory::RegularBackgrounds,
          ContentCategory::RegularDisplayPictures}) {
        SCOPED_TRACE(static_cast<int>(category));
        EXPECT_THAT(Refusal(category, Object("pic.png", "T1", "Picture")), HasSubstr("Winks"));
    }
}

class WriteObjectManifestTest : public ::testing::Test {
protected:
    bool Write(ContentCategory category, const InstalledObject& object) {
        OpenFolder opened;
        if (!opened.Open(folder.Path()))
            return false;
        const Result<> written =
            WriteObjectManifest(category, opened, object, kStamp, CodePage::Ansi());
        reason = written ? std::string() : written.error().sentence;
        return written.has_value();
    }

    test::TempFolder folder;
    std::string reason;
};

TEST_F(WriteObjectManifestTest, WritesTheManifestAsContentXmlReplacingAnOldOneWhole) {
    test::WriteFile(folder / "content.xml", std::string(4000, 'x'));
    const InstalledObject object = Object("a.cab", "T1", "A");
    ASSERT_TRUE(Write(ContentCategory::Winks, object)) << reason;

    EXPECT_EQ(test::ReadFile(folder / "content.xml"), Text(ContentCategory::Winks, object));
    EXPECT_EQ(test::FolderNames(folder.Path()), std::vector<std::string>{"content.xml"});
}

TEST_F(WriteObjectManifestTest, WritesNothingWhenThereIsNoManifest) {
    test::WriteFile(folder / "content.xml", "left from an earlier run");
    EXPECT_FALSE(Write(ContentCategory::RegularBackgrounds, Object("a", "T", "A")));
    EXPECT_FALSE(Write(ContentCategory::Winks, Object("a\x07.cab", "T", "A")));
    EXPECT_EQ(reason, "its Location holds a control character (0x07) that XML cannot carry");
    EXPECT_EQ(test::ReadFile(folder / "content.xml"), "left from an earlier run");
}

// --- XML text ----------------------------------------------------------------

TEST(XmlAttributeValueTest, ConvertsToUtf8AndEscapesSoTheValueReadsBackAsStored) {
    const CodePage& ansi = CodePage::Ansi();
    EXPECT_EQ(XmlAttributeValue("Tom & \"Jerry\" <3", ansi), "Tom &amp; &quot;Jerry&quot; &lt;3");
    EXPECT_EQ(XmlAttributeValue("caf\xE9 \x80 5>4", ansi), "caf\xC3\xA9 \xE2\x82\xAC 5&gt;4");
    // Already-escaped text is escaped again: the value is text, not markup.
    EXPECT_EQ(XmlAttributeValue("&amp;", ansi), "&amp;amp;");
    EXPECT_EQ(XmlAttributeValue("it's", ansi), "it's");
    EXPECT_EQ(XmlAttributeValue("", ansi), "");
    // Raw, a reader would turn these into spaces.
    EXPECT_EQ(XmlAttributeValue("a\tb\nc\rd", ansi), "a&#9;b&#10;c&#13;d");
    EXPECT_EQ(XmlAttributeValue(std::string_view("\x01x\0\x1F\x7F", 5), ansi),
              kReplacement + "x" + kReplacement + kReplacement + "\x7F");
}

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

    void Add(const InstalledObject& object) {
        const Result<> added = manifest.AddItem(object);
        EXPECT_TRUE(added.has_value()) << (added ? "" : added.error().sentence);
    }

    bool Finish() {
        const Result<> finished = manifest.Finish();
        EXPECT_TRUE(finished || !finished.error().sentence.empty());
        return finished.has_value();
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
    Add(Object("Wave0001.DAT", "(wave)", "Wave"));
    Add(Object("Caf\xE9.dat", "<:o)", "Party & \"fun\"\x01"));
    ASSERT_TRUE(Finish());

    const std::string expected = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n"
                                 "<package xmlns=\"" +
                                 kContentNs +
                                 "\" version=\"1.0\" type=\"theme\" partnerid=\"XK\">\r\n" +
                                 Item("KTV1700000000", "wave0001.gif", "Wave", "(wave)") +
                                 Item("KTV1700000000", "caf\xC3\xA9.gif",
                                      "Party &amp; &quot;fun&quot;" + kReplacement, "&lt;:o)") +
                                 " </package>";
    EXPECT_EQ(test::ReadFile(folder / "content.xml"), expected);
    EXPECT_EQ(manifest.text, expected);
    EXPECT_EQ(test::FolderNames(folder.Path()), std::vector<std::string>{"content.xml"});
}

TEST_F(EmoticonManifestTest, AnItemThatCannotBeCarriedIsRefusedAndLeavesThePackAsItWas) {
    manifest.Begin();
    Add(Object("a.dat", "a", "A"));
    const std::string before = manifest.text;

    const Result<> location = manifest.AddItem(Object("b\x01.dat", "b", "B"));
    ASSERT_FALSE(location);
    EXPECT_EQ(location.error().sentence,
              "its Location holds a control character (0x01) that XML cannot carry");
    const Result<> keys = manifest.AddItem(Object("c.dat", "(\x1B)", "C"));
    ASSERT_FALSE(keys);
    EXPECT_EQ(keys.error().sentence,
              "its key sequence holds a control character (0x1B) that XML cannot carry");
    EXPECT_EQ(manifest.text, before);
    EXPECT_TRUE(Finish());
}

TEST_F(EmoticonManifestTest, AStrictReaderGetsBackEveryValue) {
    manifest.Begin();
    Add(Object("A&B\t.dat", "<\"&>\r\n", "\xE9t\xE9 <3\x02"));
    ASSERT_TRUE(Finish());

    std::string error;
    auto attributes = ItemAttributesReadBack(manifest.text, error);
    EXPECT_EQ(error, "");
    EXPECT_EQ(attributes["{}file"], "a&b\t.gif");
    EXPECT_EQ(attributes["{" + kEmoticonNs + "}displayname"],
              "\xC3\xA9t\xC3\xA9 <3" + kReplacement);
    EXPECT_EQ(attributes["{" + kEmoticonNs + "}keysequence"], "<\"&>\r\n");
}

TEST_F(EmoticonManifestTest, EmptyPackHasOnlyTheFrame) {
    manifest.Begin();
    ASSERT_TRUE(Finish());
    EXPECT_EQ(test::ReadFile(folder / "content.xml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n"
              "<package xmlns=\"http://messenger.msn.com/messengercontent/1.0\""
              " version=\"1.0\" type=\"theme\" partnerid=\"XK\">\r\n </package>");
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
    Add(Object("a.dat", "a", "a"));
    EXPECT_NE(manifest.text.find("contentid=\"KTV-2147483643\""), std::string::npos);
}

TEST_F(EmoticonManifestTest, BeginStartsAFreshPack) {
    manifest.Begin();
    Add(Object("old.dat", "old", "Old"));
    manifest.Begin();
    Add(Object("new.dat", "new", "New"));
    ASSERT_TRUE(Finish());

    const std::string written = test::ReadFile(folder / "content.xml");
    EXPECT_EQ(written.find("old"), std::string::npos);
    EXPECT_NE(written.find(Item("KTV1700000000", "new.gif", "New", "new")), std::string::npos);
}

TEST_F(EmoticonManifestTest, FinishReplacesAnExistingManifestWhole) {
    test::WriteFile(folder / "content.xml", std::string(10000, 'x'));
    manifest.Begin();
    Add(Object("a.dat", "a", "a"));
    ASSERT_TRUE(Finish());

    EXPECT_EQ(test::ReadFile(folder / "content.xml"), manifest.text);
    EXPECT_EQ(test::FolderNames(folder.Path()), std::vector<std::string>{"content.xml"});
}

TEST_F(EmoticonManifestTest, FinishIntoAMissingFolderFails) {
    manifest.SetFolder(folder / "gone");
    manifest.Begin();
    Add(Object("a.dat", "a", "a"));
    const Result<> finished = manifest.Finish();
    ASSERT_FALSE(finished);
    EXPECT_THAT(finished.error().sentence, HasSubstr(folder / "gone"));
    EXPECT_TRUE(test::FolderNames(folder.Path()).empty());
}

} // namespace
} // namespace quorvane
