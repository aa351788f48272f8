#include "platform/CodePage.h"

#include "platform/TranslatedSentence.h"

#include <cerrno>
#include <clocale>
#include <cwctype>
#include <iconv.h>
#include <locale.h>
#include <utility>

namespace quorvane {

namespace {

// One iconv conversion. Characters the target lacks become "?": glibc's
// "//TRANSLIT" would transliterate ("é" to "e") where Windows writes the
// default character, so invalid input is stepped over by hand instead.
class IconvHandle {
public:
    IconvHandle(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~IconvHandle() {
        if (m_cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_cd);
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;
    bool Valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t Get() const { return m_cd; }

private:
    iconv_t m_cd;
};

// Unicode case mapping does not depend on the user's locale; C.UTF-8 is
// always present in glibc.
locale_t Utf8Locale() {
    static const locale_t locale =
        newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return locale;
}

} // namespace

namespace {

const Result<CodePage>& Windows1252() {
    static const Result<CodePage> made = CodePage::Make("WINDOWS-1252");
    return made;
}

} // namespace

Result<> CodePage::LoadAnsi() {
    if (const Result<CodePage>& made = Windows1252(); !made)
        return Fail(made.error());
    return {};
}

const CodePage& CodePage::Ansi() {
    const Result<CodePage>& made = Windows1252();
    // Both programs stop at their start when LoadAnsi fails, so only a
    // program that skipped it gets here without the code page; there is no
    // text to give back, and the message says why.
    if (!made)
        qFatal("%s", made.error().sentence.c_str());
    return *made;
}

Result<CodePage> CodePage::Make(std::string iconvName) {
    CodePage page(std::move(iconvName));
    IconvHandle toUtf32("UTF-32LE", page.m_name.c_str());
    const int toError = errno;
    IconvHandle fromUtf32(page.m_name.c_str(), "UTF-32LE");
    const int fromError = errno;
    if (!toUtf32.Valid() || !fromUtf32.Valid())
        return Fail(Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                         "code page not available: %1"),
                             page.m_name),
                    toUtf32.Valid() ? fromError : toError);

    const locale_t utf8Locale = Utf8Locale();
    for (int b = 0; b < 256; ++b) {
        page.m_lower[static_cast<std::size_t>(b)] = static_cast<unsigned char>(b);
        char in = static_cast<char>(b);
        char* inPtr = &in;
        std::size_t inLeft = 1;
        char32_t wide = 0;
        char* outPtr = reinterpret_cast<char*>(&wide);
        std::size_t outLeft = sizeof(wide);
        iconv(toUtf32.Get(), nullptr, nullptr, nullptr, nullptr);
        std::size_t r = iconv(toUtf32.Get(), &inPtr, &inLeft, &outPtr, &outLeft);
        if (r == static_cast<std::size_t>(-1)) {
            // An incomplete sequence marks the first byte of a double-byte
            // character.
            if (errno == EINVAL && b >= 0x80) {
                page.m_leadByte[static_cast<std::size_t>(b)] = true;
                page.m_hasLeadBytes = true;
            }
            continue;
        }
        if (b >= 'A' && b <= 'Z') {
            page.m_lower[static_cast<std::size_t>(b)] = static_cast<unsigned char>(b + 32);
            continue;
        }
        if (b < 0x80 || utf8Locale == static_cast<locale_t>(nullptr))
            continue;
        char32_t lowered = static_cast<char32_t>(towlower_l(static_cast<wint_t>(wide), utf8Locale));
        if (lowered == wide)
            continue;
        char32_t lowIn = lowered;
        char* lowPtr = reinterpret_cast<char*>(&lowIn);
        std::size_t lowLeft = sizeof(lowIn);
        char outByte[4] = {};
        char* outBytePtr = outByte;
        std::size_t outByteLeft = sizeof(outByte);
        iconv(fromUtf32.Get(), nullptr, nullptr, nullptr, nullptr);
        if (iconv(fromUtf32.Get(), &lowPtr, &lowLeft, &outBytePtr, &outByteLeft) !=
                static_cast<std::size_t>(-1) &&
            sizeof(outByte) - outByteLeft == 1)
            page.m_lower[static_cast<std::size_t>(b)] = static_cast<unsigned char>(outByte[0]);
    }
    return page;
}

std::string CodePage::Convert(const char* from, const char* to, std::string_view input) const {
    IconvHandle cd(to, from);
    if (!cd.Valid())
        return {};
    const bool fromUtf16 = std::string_view(from) == "UTF-16LE";
    const bool fromUtf8 = std::string_view(from) == "UTF-8";
    const std::size_t unit = fromUtf16 ? 2 : 1;
    std::string out;
    out.reserve(input.size() * 2 + 4);
    char* inPtr = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof(buffer);
        std::size_t r = iconv(cd.Get(), &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, sizeof(buffer) - outLeft);
        if (r != static_cast<std::size_t>(-1))
            break;
        if (errno == E2BIG)
            continue;
        // EILSEQ: a character the target lacks, or input that is not valid
        // in the source; EINVAL: an incomplete sequence at the end. Either
        // way the character becomes "?", as Windows writes it.
        std::size_t skip = unit;
        if (errno == EILSEQ && fromUtf16 && inLeft >= 4) {
            unsigned hi = static_cast<unsigned char>(inPtr[1]);
            unsigned hi2 = static_cast<unsigned char>(inPtr[3]);
            if (hi >= 0xD8 && hi <= 0xDB && hi2 >= 0xDC && hi2 <= 0xDF)
                skip = 4; // a character outside the BMP is one "?"
        } else if (fromUtf8 && errno == EILSEQ) {
            auto lead = static_cast<unsigned char>(inPtr[0]);
            std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
            skip = length;
            for (std::size_t i = 1; i < length && i < inLeft; ++i)
                if ((static_cast<unsigned char>(inPtr[i]) & 0xC0) != 0x80)
                    skip = i;
        } else if (!fromUtf16 && !fromUtf8 && IsLeadByte(static_cast<unsigned char>(inPtr[0])) &&
                   inLeft >= 2) {
            skip = 2;
        }
        skip = std::min(skip, inLeft);
        inPtr += skip;
        inLeft -= skip;
        if (std::string_view(to) == "UTF-16LE")
            out.append("?\0", 2);
        else
            out.push_back('?');
        iconv(cd.Get(), nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

std::string CodePage::FromUtf16Le(std::span<const std::uint8_t> bytes) const {
    std::size_t length = 0;
    while (length + 1 < bytes.size() && (bytes[length] != 0 || bytes[length + 1] != 0))
        length += 2;
    return Convert("UTF-16LE", m_name.c_str(),
                   std::string_view(reinterpret_cast<const char*>(bytes.data()), length));
}

std::string CodePage::FromUtf16Le(std::u16string_view text) const {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return FromUtf16Le(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

std::vector<std::uint8_t> CodePage::ToUtf16Le(std::string_view narrow) const {
    std::string wide = Convert(m_name.c_str(), "UTF-16LE", narrow);
    return {wide.begin(), wide.end()};
}

std::string CodePage::ToUtf8(std::string_view narrow) const {
    return Convert(m_name.c_str(), "UTF-8", narrow);
}

std::string CodePage::FromUtf8(std::string_view utf8) const {
    return Convert("UTF-8", m_name.c_str(), utf8);
}

std::string CodePage::ToLower(std::string_view narrow) const {
    std::string out(narrow);
    for (std::size_t i = 0; i < out.size(); ++i) {
        auto byte = static_cast<unsigned char>(out[i]);
        if (IsLeadByte(byte) && i + 1 < out.size()) {
            // A double-byte character is lowered as a whole.
            std::string lowered;
            std::string wide = Convert(m_name.c_str(), "UTF-32LE", out.substr(i, 2));
            if (wide.size() == 4) {
                char32_t c = 0;
                for (int k = 3; k >= 0; --k)
                    c = (c << 8) | static_cast<unsigned char>(wide[static_cast<std::size_t>(k)]);
                auto low =
                    Utf8Locale() == static_cast<locale_t>(nullptr)
                        ? c
                        : static_cast<char32_t>(towlower_l(static_cast<wint_t>(c), Utf8Locale()));
                std::string lowWide(4, '\0');
                for (int k = 0; k < 4; ++k)
                    lowWide[static_cast<std::size_t>(k)] =
                        static_cast<char>((low >> (8 * k)) & 0xFF);
                lowered = Convert("UTF-32LE", m_name.c_str(), lowWide);
            }
            if (lowered.size() == 2)
                out.replace(i, 2, lowered);
            ++i;
            continue;
        }
        out[i] = static_cast<char>(m_lower[byte]);
    }
    return out;
}

std::vector<bool> CodePage::CharacterStarts(std::string_view text) const {
    std::vector<bool> starts(text.size(), true);
    if (!m_hasLeadBytes)
        return starts;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size())
            starts[++i] = false;
    }
    return starts;
}

std::size_t CodePage::Find(std::string_view text, std::string_view needle, std::size_t from) const {
    if (!m_hasLeadBytes)
        return from > text.size() ? std::string_view::npos : text.find(needle, from);
    // Walk character by character from the start: a match must not begin in
    // the second byte of a double-byte character.
    for (std::size_t i = 0; i < text.size();) {
        if (i >= from && text.compare(i, needle.size(), needle) == 0 &&
            i + needle.size() <= text.size())
            return i;
        i += (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
    }
    return std::string_view::npos;
}

std::string CodePage::ReplaceAll(std::string_view text, std::string_view from,
                                 std::string_view to) const {
    if (from.empty())
        return std::string(text);
    std::string out;
    std::size_t pos = 0;
    for (;;) {
        std::size_t hit = Find(text, from, pos);
        if (hit == std::string_view::npos)
            break;
        out.append(text.substr(pos, hit - pos));
        out.append(to);
        pos = hit + from.size();
    }
    out.append(text.substr(pos));
    return out;
}

} // namespace quorvane
