#include "Utf8.h"

#include <array>
#include <cstdint>

namespace quorvane::tools {

namespace {

// The length of the well-formed UTF-8 sequence that starts bytes[at], with
// its code point; 0 when none starts there.
std::size_t SequenceAt(std::string_view bytes, std::size_t at, std::uint32_t& code) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    std::size_t length = 0;
    std::uint32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1Fu;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0Fu;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07u;
        minimum = 0x10000;
    } else {
        // 0x80-0xBF cannot start a character, 0xC0/0xC1 only start
        // overlong forms, 0xF5 and above lie beyond U+10FFFF.
        return 0;
    }
    if (bytes.size() - at < length) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(bytes[at + k]);
        if ((next & 0xC0u) != 0x80u) {
            return 0;
        }
        code = (code << 6) | (next & 0x3Fu);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return 0;
    }
    return length;
}

} // namespace

bool IsValidUtf8(std::string_view bytes) {
    std::uint32_t code = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = SequenceAt(bytes, i, code);
        if (length == 0) {
            return false;
        }
        i += length;
    }
    return true;
}

namespace {

// Code points for 0x80-0x9F; the rest of the code page equals Latin-1.
constexpr std::array<std::uint16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0u | (code >> 6)));
        out.push_back(static_cast<char>(0x80u | (code & 0x3Fu)));
    } else {
        out.push_back(static_cast<char>(0xE0u | (code >> 12)));
        out.push_back(static_cast<char>(0x80u | ((code >> 6) & 0x3Fu)));
        out.push_back(static_cast<char>(0x80u | (code & 0x3Fu)));
    }
}

} // namespace

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 && byte <= 0x9F) {
            AppendUtf8(out, kHighControls[byte - 0x80u]);
        } else {
            AppendUtf8(out, byte);
        }
    }
    return out;
}

std::string Printable(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size());
    std::uint32_t code = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = SequenceAt(bytes, i, code);
        // C0 controls, DEL and the C1 controls (U+0080-U+009F, which some
        // terminals obey as escape sequences) are shown as their bytes, and
        // so is every byte that is not part of a well-formed character.
        const bool control = code < 0x20 || (code >= 0x7F && code <= 0x9F);
        if (length != 0 && !control) {
            if (code == '\\') {
                out += "\\\\";
            } else {
                out.append(bytes.substr(i, length));
            }
            i += length;
            continue;
        }
        const std::size_t shown = length == 0 ? 1 : length;
        for (std::size_t k = 0; k < shown; ++k) {
            const auto byte = static_cast<unsigned char>(bytes[i + k]);
            out += "\\x";
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 0x0Fu]);
        }
        i += shown;
    }
    return out;
}

std::string Quoted(std::string_view bytes) {
    // Built by appending: gcc 12 warns falsely (-Wrestrict) on a string
    // literal prepended to a temporary string.
    std::string text = "\"";
    text += Printable(bytes);
    text += '"';
    return text;
}

} // namespace quorvane::tools
