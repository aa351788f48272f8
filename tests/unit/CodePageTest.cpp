#include "platform/CodePage.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

std::vector<std::uint8_t> Utf16(std::u16string_view text) {
    std::vector<std::uint8_t> bytes;
    for (char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return bytes;
}

const CodePage& cp = CodePage::Ansi();

TEST(CodePage, Utf16ToNarrowStopsAtFirstZeroAndReplacesWhatTheCodePageLacks) {
    EXPECT_EQ(cp.FromUtf16Le(Utf16(u"Caf\u00e9 \u20ac")), "Caf\xe9 \x80");
    EXPECT_EQ(cp.FromUtf16Le(Utf16(std::u16string(u"ab\0cd", 5))), "ab");
    // A character outside the code page, and one outside the BMP, become one "?" each.
    EXPECT_EQ(cp.FromUtf16Le(Utf16(u"x\u4e2dy\U0001F600z")), "x?y?z");
    // A lone surrogate and an odd trailing byte do not stop the conversion.
    auto odd = Utf16(u"ab");
    odd.push_back('c');
    EXPECT_EQ(cp.FromUtf16Le(odd), "ab");
    EXPECT_EQ(cp.FromUtf16Le(Utf16(u"a\xd800"
                                   u"b")),
              "a?b");
    EXPECT_EQ(cp.FromUtf16Le(std::span<const std::uint8_t>()), "");
}

TEST(CodePage, RoundTripsEveryByteThroughUtf16AndUtf8) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        // Five bytes are unassigned in Windows-1252.
        if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D)
            continue;
        all.push_back(static_cast<char>(b));
    }
    EXPECT_EQ(cp.FromUtf16Le(cp.ToUtf16Le(all)), all);
    EXPECT_EQ(cp.FromUtf8(cp.ToUtf8(all)), all);
    EXPECT_EQ(cp.ToUtf8("Caf\xe9"), "Caf\xc3\xa9");
    EXPECT_EQ(cp.FromUtf8("\xe4\xb8\xad\xc3\xa9"), "?\xe9");
    // Invalid UTF-8 becomes "?" rather than ending the text.
    EXPECT_EQ(cp.FromUtf8("a\xffz"), "a?z");
}

TEST(CodePage, LowersLettersOfTheCodePageAndLeavesTheRest) {
    EXPECT_EQ(cp.ToLower("ABC xyz 09@._"), "abc xyz 09@._");
    // Latin-1 capitals, the three Windows-1252 extras, and the multiplication sign that stays.
    EXPECT_EQ(cp.ToLower("\xc0\xc9\xde\x8a\x8c\x8e\x9f\xd7\xdf"),
              "\xe0\xe9\xfe\x9a\x9c\x9e\xff\xd7\xdf");
    EXPECT_FALSE(cp.HasLeadBytes());
}

TEST(CodePage, FindsAndReplacesLeftToRightWithoutOverlap) {
    EXPECT_EQ(cp.Find("aXbXc", "X", 2), 3u);
    EXPECT_EQ(cp.Find("abc", "c", 4), std::string_view::npos);
    EXPECT_EQ(cp.ReplaceAll("x.dat.dat", ".dat", ".gif"), "x.gif.gif");
    EXPECT_EQ(cp.ReplaceAll("aaaa", "aa", "b"), "bb");
    EXPECT_EQ(cp.ReplaceAll("/home/Desktop/Desktop", "Desktop", "My Documents"),
              "/home/My Documents/My Documents");
}

// A double-byte code page plugs into the same class: matches never begin in
// the second byte of a character, and double-byte characters are lowered whole.
TEST(CodePage, DoubleByteCodePageIsHandledByCharacter) {
    const Result<CodePage> made = CodePage::Make("SHIFT_JIS");
    ASSERT_TRUE(made) << made.error().sentence;
    const CodePage& shiftJis = *made;
    ASSERT_TRUE(shiftJis.HasLeadBytes());
    EXPECT_TRUE(shiftJis.IsLeadByte(0x82));
    // 0x82 0x60 is a full-width "A"; its second byte is "`" and 0x82 0x81 is full-width "a".
    const std::string text = "\x82\x60`";
    EXPECT_EQ(shiftJis.Find(text, "`", 0), 2u);
    EXPECT_EQ(shiftJis.ToLower("\x82\x60Z"), "\x82\x81z");
    // 0x83 0x5C holds a backslash byte in its second half.
    EXPECT_EQ(shiftJis.ReplaceAll("\x83\x5c\x5c", "\\", "/"), "\x83\x5c/");
}

// A code page iconv lacks is refused, and the reason names it.
TEST(CodePage, CodePageUnknownToIconvIsRefused) {
    const Result<CodePage> made = CodePage::Make("NO-SUCH-CODE-PAGE");
    ASSERT_FALSE(made);
    EXPECT_EQ(made.error().sentence, "code page not available: NO-SUCH-CODE-PAGE");
}

} // namespace
} // namespace quorvane
