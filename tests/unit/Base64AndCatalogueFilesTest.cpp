#include "platform/CodePage.h"
#include "profile/Base64.h"
#include "profile/CatalogueFiles.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

const CodePage& cp = CodePage::Ansi();

std::string Decode(std::string_view text) {
    auto bytes = DecodeBase64(text);
    return {bytes.begin(), bytes.end()};
}

TEST(DecodeBase64, IsLenientAsMessengerNeedsIt) {
    EXPECT_EQ(Decode("YWJj"), "abc");
    EXPECT_EQ(Decode("YW=Jj"), "abc"); // "=" is skipped, not an end
    EXPECT_EQ(Decode("YWJ"), "ab");
    EXPECT_EQ(Decode("YW"), "a");
    EXPECT_EQ(Decode("Y"), "");
    EXPECT_EQ(Decode("YW\r\nJj Z A=="), "abcd");
    EXPECT_EQ(Decode("//+/"), "\xff\xff\xbf");

    std::uint8_t out[8] = {};
    std::size_t length = 99;
    const std::uint8_t in[] = {'Y', 'W', 'J', 'j'};
    EXPECT_FALSE(DecodeBase64(nullptr, 4, out, &length));
    EXPECT_FALSE(DecodeBase64(in, 4, nullptr, &length));
    EXPECT_FALSE(DecodeBase64(in, 4, out, nullptr));
    EXPECT_EQ(length, 99u);
    ASSERT_TRUE(DecodeBase64(in, 1, out, &length));
    EXPECT_EQ(length, 0u);
}

TEST(PointerText, NamesTheCatalogueFromTenCharactersAfterLocation) {
    EXPECT_EQ(CatalogueNameFromPointer("<Map Location=\"ab12.dat\" />", cp), "ab12.dat");
    EXPECT_EQ(CatalogueNameFromPointer("x Location=\"a.dat\" Location=\"b.dat\"", cp), "a.dat");
    EXPECT_EQ(CatalogueNameFromPointer("Location=\"nothing here\"", cp), std::nullopt);
    EXPECT_EQ(CatalogueNameFromPointer("no key .dat", cp), std::nullopt);
    // The name is counted from ten characters after the key even when ".dat"
    // overlaps them: such a name finds no catalogue file later.
    EXPECT_EQ(CatalogueNameFromPointer("Location.dat", cp), "at");
    EXPECT_EQ(CatalogueNameFromPointer("", cp), std::nullopt);
}

std::string Friendly(std::u16string_view name) {
    static const char* alphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string bytes;
    for (char16_t c : name) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t group = static_cast<std::uint8_t>(bytes[i]) << 16;
        if (i + 1 < bytes.size())
            group |= static_cast<std::uint8_t>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size())
            group |= static_cast<std::uint8_t>(bytes[i + 2]);
        out.push_back(alphabet[(group >> 18) & 63]);
        out.push_back(alphabet[(group >> 12) & 63]);
        out.push_back(i + 1 < bytes.size() ? alphabet[(group >> 6) & 63] : '=');
        out.push_back(i + 2 < bytes.size() ? alphabet[group & 63] : '=');
    }
    return out;
}

TEST(ScanCatalogue, PackagedRecordsTakeTheNthOccurrenceOfEachKey) {
    const std::string text = "<L><I Friendly=\"" + Friendly(u"Bongo") +
                             "\" Location=\"a.cab\" stamp=\"S1\"/>"
                             "<I stamp=\"S2x\" Location=\"b.cab\" Friendly=\"" +
                             Friendly(u"Caf\u00e9") +
                             "\"/>"
                             "<I Friendly=\"" +
                             Friendly(u"Three") + "\" Location=\"c.cab\"/></L>";
    auto records = ScanCatalogue(CatalogueLayout::Packaged, text, cp);
    // The third record has no stamp, so the scan ends with two.
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(DecodeFriendlyName(records[0].friendly, cp), "Bongo");
    EXPECT_EQ(records[0].location, "a.cab");
    EXPECT_EQ(records[0].stamp, "S1");
    EXPECT_EQ(DecodeFriendlyName(records[1].friendly, cp), "Caf\xe9");
    EXPECT_EQ(records[1].location, "b.cab");
    EXPECT_EQ(records[1].stamp, "S2x");

    auto backgrounds = ScanCatalogue(CatalogueLayout::RegularBackgrounds, text, cp);
    ASSERT_EQ(backgrounds.size(), 3u);
    EXPECT_EQ(backgrounds[2].location, "c.cab");
}

TEST(ScanCatalogue, ValuesEndAtAQuoteFromTheirThirdCharacterOn) {
    // A one-character value is not ended by its own closing quote.
    auto records = ScanCatalogue(CatalogueLayout::RegularBackgrounds,
                                 "Friendly=\"A\" Location=\"x.png\" x\"", cp);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].friendly, "A\" Location=");
    EXPECT_EQ(records[0].location, "x.png");
    // A value without a closing quote ends the scan; the records before stand.
    EXPECT_EQ(
        ScanCatalogue(CatalogueLayout::RegularBackgrounds,
                      "Friendly=\"QQA=\" Location=\"a.png\" Friendly=\"QQA=\" Location=\"b.png", cp)
            .size(),
        1u);
    EXPECT_TRUE(ScanCatalogue(CatalogueLayout::Packaged, "Friendly=\"", cp).empty());
    EXPECT_TRUE(ScanCatalogue(CatalogueLayout::Packaged, "", cp).empty());
}

TEST(ScanCatalogue, TabLayoutsSkipTheFirstCharacterAndStartLaterRecordsAtATab) {
    const std::string pictures = "?sun.jpg\t<T Location=\"a.png\"/>\tmoon\t<T Location=\"b.png\"/>";
    auto records = ScanCatalogue(CatalogueLayout::RegularDisplayPictures, pictures, cp);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].field1, "sun.jpg");
    EXPECT_EQ(records[0].location, "a.png");
    EXPECT_EQ(records[1].field1, "moon");
    EXPECT_EQ(records[1].location, "b.png");

    // A text that begins with a tab: the first name lies between it and the next tab.
    records =
        ScanCatalogue(CatalogueLayout::RegularDisplayPictures, "\tname\tLocation=\"p.png\"", cp);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].field1, "name");

    const std::string emoticons =
        "?:-)\tSmile\t<E Location=\"A.DAT\"/>\t(k)\tKiss\t<E Location=\"b.dat\"/>\t:x";
    records = ScanCatalogue(CatalogueLayout::CustomEmoticons, emoticons, cp);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].field1, ":-)");
    EXPECT_EQ(records[0].field2, "Smile");
    EXPECT_EQ(records[0].location, "A.DAT");
    EXPECT_EQ(records[1].field1, "(k)");
    EXPECT_EQ(records[1].field2, "Kiss");
}

TEST(DecodeFriendlyName, StopsAtTheFirstZeroUnitAndCutsLongValues) {
    EXPECT_EQ(DecodeFriendlyName(Friendly(std::u16string(u"ab\0cd", 5)), cp), "ab");
    EXPECT_EQ(DecodeFriendlyName("", cp), "");
    // A stored value holds at most 259 characters: 194 bytes, 97 characters.
    EXPECT_EQ(DecodeFriendlyName(Friendly(std::u16string(300, u'x')), cp), std::string(97, 'x'));
}

// Messenger decodes into a zero-filled buffer: an odd last byte pairs with a
// zero byte and is one more character.
TEST(DecodedUtf16Text, AnOddLastByteIsOneMoreCharacter) {
    EXPECT_EQ(DecodeFriendlyName("QQBC", cp), "AB");    // 41 00 42
    EXPECT_EQ(DecodeFriendlyName("QQ", cp), "A");       // 41
    EXPECT_EQ(DecodeFriendlyName("QQDp", cp), "A\xe9"); // 41 00 e9

    const std::uint8_t odd[] = {'L', 0, 'o', 0, 'c'};
    EXPECT_EQ(DecodedText(odd, cp), "Loc");
}

} // namespace
} // namespace quorvane
