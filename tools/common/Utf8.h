#pragma once

#include <string>
#include <string_view>

namespace quorvane::tools {

// True when bytes are well-formed UTF-8 in the strict sense: no overlong
// forms, no surrogates, nothing above U+10FFFF, no cut-off sequence. Overlong
// forms matter to us because "\xC0\xAF" is a disguised "/" that a lenient
// decoder would turn into a folder separator.
bool IsValidUtf8(std::string_view bytes);

// Windows-1252 text to UTF-8. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1 controls of the same value, as
// Windows itself maps them, so every byte string has exactly one result.
std::string Windows1252ToUtf8(std::string_view bytes);

// The bytes as the user knows them, for messages: well-formed UTF-8 as it
// is ("caf\xC3\xA9" prints as the word), control characters and bytes that
// are not part of a well-formed character as \xNN, a backslash doubled. A
// hostile name must not be able to rewrite the terminal, and a name must not
// turn into something else on the way to the user.
std::string Printable(std::string_view bytes);
// Printable(bytes) between double quotes, for messages.
std::string Quoted(std::string_view bytes);

} // namespace quorvane::tools
