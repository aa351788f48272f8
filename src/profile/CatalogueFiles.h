#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

class CodePage;

// Decoded bytes of a protected file as UTF-16LE text, up to the first zero
// unit, in the code page. An odd last byte is the low byte of one more
// character. An absent buffer is the empty string.
std::string DecodedText(std::span<const std::uint8_t> decoded, const CodePage& codePage);

// The catalogue file named by a pointer file's text: from 10 characters after
// the first "Location" up to and including the first ".dat" after it.
std::optional<std::string> CatalogueNameFromPointer(std::string_view text,
                                                    const CodePage& codePage);

// How a category's catalogue lays out its records.
enum class CatalogueLayout {
    Packaged,               // Friendly=, Location=, stamp=
    RegularBackgrounds,     // Friendly=, Location=
    RegularDisplayPictures, // a tab field, Location=
    CustomEmoticons,        // two tab fields, Location=
};

// One record as the scan found it; values not in the layout stay empty.
struct CatalogueRecord {
    std::string friendly; // still Base64
    std::string location;
    std::string stamp;
    std::string field1; // display name (display pictures) or key sequence (emoticons)
    std::string field2; // display name (emoticons)
};

// Scans a catalogue text. Records come in order; the scan ends at the first
// record that is incomplete. Time is linear in the text's size.
std::vector<CatalogueRecord> ScanCatalogue(CatalogueLayout layout, std::string_view text,
                                           const CodePage& codePage);

// A Friendly value (Base64 of UTF-16LE) to the display name in the code page;
// an odd last byte is the low byte of one more character.
std::string DecodeFriendlyName(std::string_view base64, const CodePage& codePage);

} // namespace quorvane
