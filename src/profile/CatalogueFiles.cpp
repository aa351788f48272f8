#include "profile/CatalogueFiles.h"

#include "platform/CodePage.h"
#include "profile/Base64.h"
#include "profile/InstalledObject.h"

namespace quorvane {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// Searches one text many times. Matches never begin in the second byte of a
// double-byte character; the character starts are worked out once, so a
// whole scan stays linear in the text's size.
class TextSearch {
public:
    TextSearch(std::string_view text, const CodePage& codePage)
        : m_text(text),
          m_starts(codePage.HasLeadBytes() ? codePage.CharacterStarts(text) : std::vector<bool>()) {
    }

    std::size_t Find(std::string_view needle, std::size_t from) const {
        while (from <= m_text.size()) {
            std::size_t hit = m_text.find(needle, from);
            if (hit == npos || m_starts.empty() || m_starts[hit])
                return hit;
            from = hit + 1;
        }
        return npos;
    }

    std::size_t FindChar(char c, std::size_t from) const {
        return Find(std::string_view(&c, 1), from);
    }

    // The value of a key found at keyPos: it begins after the one opening
    // character that follows the key and ends before the first double quote
    // found from its third character on. npos when it has no end.
    std::size_t ValueEnd(std::size_t keyPos, std::size_t keyLength) const {
        std::size_t from = keyPos + keyLength + 3;
        if (from >= m_text.size())
            return npos;
        return FindChar('"', from);
    }

    std::string_view Slice(std::size_t begin, std::size_t end) const {
        return m_text.substr(begin, end - begin);
    }

    std::size_t Size() const { return m_text.size(); }

private:
    std::string_view m_text;
    std::vector<bool> m_starts;
};

// One keyed value ("Friendly=", "Location=", "stamp=") followed through the
// text with a cursor of its own: the n-th record takes the n-th occurrence.
struct KeyedValue {
    std::string_view key;
    std::size_t cursor = 0;
    std::size_t begin = 0;
    std::size_t end = 0;

    bool Next(const TextSearch& search) {
        std::size_t at = search.Find(key, cursor);
        if (at == npos)
            return false;
        end = search.ValueEnd(at, key.size());
        if (end == npos)
            return false;
        begin = at + key.size() + 1;
        return true;
    }
    std::string_view Value(const TextSearch& search) const { return search.Slice(begin, end); }
    void Advance() { cursor = end + 1; }
};

std::vector<CatalogueRecord> ScanKeyed(const TextSearch& search, bool withStamp) {
    std::vector<CatalogueRecord> records;
    KeyedValue friendly{"Friendly="};
    KeyedValue location{"Location="};
    KeyedValue stamp{"stamp="};
    for (;;) {
        if (!friendly.Next(search) || !location.Next(search) || (withStamp && !stamp.Next(search)))
            break;
        CatalogueRecord record;
        record.friendly = friendly.Value(search);
        record.location = location.Value(search);
        if (withStamp)
            record.stamp = stamp.Value(search);
        records.push_back(std::move(record));
        friendly.Advance();
        location.Advance();
        if (withStamp)
            stamp.Advance();
    }
    return records;
}

// The tab layouts: one or two tab-separated fields, then "Location=". The
// first record's field starts at position 0 (the text's first character is
// never part of a field); later ones at the first tab from the cursor.
std::vector<CatalogueRecord> ScanTabbed(const TextSearch& search, int fieldCount) {
    std::vector<CatalogueRecord> records;
    KeyedValue location{"Location="};
    std::size_t fieldCursor = 0;
    bool first = true;
    for (;;) {
        std::size_t start = first ? 0 : search.FindChar('\t', fieldCursor);
        if (start == npos || start >= search.Size())
            break;
        std::size_t tab1 = search.FindChar('\t', start + 1);
        if (tab1 == npos)
            break;
        std::size_t tab2 = npos;
        if (fieldCount == 2) {
            tab2 = search.FindChar('\t', tab1 + 1);
            if (tab2 == npos)
                break;
        }
        if (!location.Next(search))
            break;
        CatalogueRecord record;
        record.field1 = search.Slice(start + 1, tab1);
        if (fieldCount == 2)
            record.field2 = search.Slice(tab1 + 1, tab2);
        record.location = location.Value(search);
        records.push_back(std::move(record));
        location.Advance();
        fieldCursor = location.cursor;
        first = false;
    }
    return records;
}

// Decoded bytes as UTF-16LE text. Messenger decodes into a zero-filled
// buffer, so an odd last byte pairs with a zero byte and is one more
// character, not a byte to drop.
std::string DecodedUtf16Le(std::span<const std::uint8_t> decoded, const CodePage& codePage) {
    if (decoded.size() % 2 == 0)
        return codePage.FromUtf16Le(decoded);
    std::vector<std::uint8_t> paired(decoded.begin(), decoded.end());
    paired.push_back(0);
    return codePage.FromUtf16Le(paired);
}

} // namespace

std::string DecodedText(std::span<const std::uint8_t> decoded, const CodePage& codePage) {
    if (decoded.empty())
        return {};
    return DecodedUtf16Le(decoded, codePage);
}

std::optional<std::string> CatalogueNameFromPointer(std::string_view text,
                                                    const CodePage& codePage) {
    TextSearch search(text, codePage);
    std::size_t location = search.Find("Location", 0);
    if (location == npos)
        return std::nullopt;
    std::size_t dat = search.Find(".dat", location);
    if (dat == npos || dat + 4 <= location + 10)
        return std::nullopt;
    return std::string(search.Slice(location + 10, dat + 4));
}

std::vector<CatalogueRecord> ScanCatalogue(CatalogueLayout layout, std::string_view text,
                                           const CodePage& codePage) {
    TextSearch search(text, codePage);
    switch (layout) {
    case CatalogueLayout::Packaged:
        return ScanKeyed(search, true);
    case CatalogueLayout::RegularBackgrounds:
        return ScanKeyed(search, false);
    case CatalogueLayout::RegularDisplayPictures:
        return ScanTabbed(search, 1);
    case CatalogueLayout::CustomEmoticons:
        return ScanTabbed(search, 2);
    }
    return {};
}

std::string DecodeFriendlyName(std::string_view base64, const CodePage& codePage) {
    // The field is decoded as it is stored (at most 259 characters, so at
    // most 194 bytes) and read as UTF-16LE up to the first zero unit.
    std::vector<std::uint8_t> decoded = DecodeBase64(InstalledObject::Field(base64));
    return DecodedUtf16Le(decoded, codePage);
}

} // namespace quorvane
