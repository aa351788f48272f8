#pragma once

#include "platform/Result.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvane {

// The narrow ("ANSI") code page in which Messenger's text is kept while the
// program works on it. Every conversion between UTF-16LE, the code page and
// UTF-8 goes through one instance of this class, so a double-byte code page
// can be plugged in by name: lead bytes and case mapping are learnt from
// iconv when the instance is made.
class CodePage {
public:
    // Makes the code page used everywhere, Windows-1252, once. glibc always
    // has it; a system whose iconv lacks it cannot run the program at all, so
    // each program calls this at its start and ends there when it fails.
    static Result<> LoadAnsi();
    // The code page LoadAnsi made; only after it succeeded.
    static const CodePage& Ansi();

    // The code page iconv knows by iconvName ("CP932"); fails with
    // "code page not available: CP932" when iconv lacks it.
    static Result<CodePage> Make(std::string iconvName);

    const std::string& Name() const { return m_name; }

    // UTF-16LE text up to its first zero unit (or the end of the bytes) to
    // narrow text; characters the code page lacks become "?".
    std::string FromUtf16Le(std::span<const std::uint8_t> bytes) const;
    std::string FromUtf16Le(std::u16string_view text) const;
    // Narrow text to UTF-16LE bytes, without a terminator.
    std::vector<std::uint8_t> ToUtf16Le(std::string_view narrow) const;
    // Narrow text to UTF-8 for the screen and for file names on Linux.
    std::string ToUtf8(std::string_view narrow) const;
    // UTF-8 (from the command line, the environment, the screen) to narrow
    // text; what the code page lacks becomes "?".
    std::string FromUtf8(std::string_view utf8) const;

    bool IsLeadByte(unsigned char byte) const { return m_leadByte[byte]; }
    bool HasLeadBytes() const { return m_hasLeadBytes; }

    // Lower-cases as Windows does for the ANSI code page: single-byte letters
    // take the code page's lower-case form, a double-byte character is
    // lowered as a whole, and "A" to "Z" always become "a" to "z".
    std::string ToLower(std::string_view narrow) const;

    // First occurrence of needle at or after from that begins on a character
    // boundary; std::string_view::npos when there is none.
    std::size_t Find(std::string_view text, std::string_view needle, std::size_t from = 0) const;
    // Replaces every occurrence, left to right, non-overlapping.
    std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) const;
    // Character boundaries of text: true at each offset where a character
    // begins. Lets a scanner search many times over one text in linear time.
    std::vector<bool> CharacterStarts(std::string_view text) const;

private:
    explicit CodePage(std::string iconvName) : m_name(std::move(iconvName)) {}

    std::string Convert(const char* from, const char* to, std::string_view input) const;

    std::string m_name;
    std::array<bool, 256> m_leadByte{};
    std::array<unsigned char, 256> m_lower{};
    bool m_hasLeadBytes = false;
};

} // namespace quorvane
