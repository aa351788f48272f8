// The pointer text (map.dat) and the catalogue text are Messenger's own
// files, but they are read from a folder anything can write, so every scan
// must stay inside the text and terminate on any bytes. Each input is read as
// a pointer and as a catalogue of all four layouts, once in Windows-1252 and
// once in Shift JIS, whose lead bytes change where a key may match.

#include "FuzzSupport.h"

#include "platform/CodePage.h"
#include "profile/CatalogueFiles.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using namespace quorvane;
using quorvane::fuzz::AsText;
using quorvane::fuzz::Require;

namespace {

constexpr std::array kLayouts = {CatalogueLayout::Packaged, CatalogueLayout::RegularBackgrounds,
                                 CatalogueLayout::RegularDisplayPictures,
                                 CatalogueLayout::CustomEmoticons};

const CodePage& ShiftJis() {
    static const CodePage codePage = CodePage::Make("SHIFT_JIS").value();
    return codePage;
}

bool Within(std::string_view text, const std::string& value) {
    return value.empty() || text.find(value) != std::string_view::npos;
}

// A Friendly value is cut to 259 characters before decoding: at most 194
// bytes, 97 UTF-16 units, each one or (in a double-byte code page) two
// narrow bytes.
constexpr std::size_t kLongestFriendlyName = 97;

std::vector<std::vector<CatalogueRecord>> ScanAll(std::string_view text, const CodePage& codePage) {
    if (auto name = CatalogueNameFromPointer(text, codePage)) {
        Require(!name->empty());
        Require(Within(text, *name));
    }
    const bool doubleByte = codePage.HasLeadBytes();
    std::vector<std::vector<CatalogueRecord>> all;
    for (CatalogueLayout layout : kLayouts) {
        std::vector<CatalogueRecord> records = ScanCatalogue(layout, text, codePage);
        // Every record has its own "Location=".
        Require(records.size() * 9 <= text.size());
        for (const CatalogueRecord& record : records) {
            Require(Within(text, record.friendly));
            Require(Within(text, record.location));
            Require(Within(text, record.stamp));
            Require(Within(text, record.field1));
            Require(Within(text, record.field2));
            // A field ends at the first tab. In a double-byte code page a
            // tab byte right after a lead byte is the second half of a
            // character, not a separator, so only there may a field hold one.
            if (!doubleByte) {
                Require(record.field1.find('\t') == std::string::npos);
                Require(record.field2.find('\t') == std::string::npos);
            }
            const std::string name = DecodeFriendlyName(record.friendly, codePage);
            Require(name.size() <= (doubleByte ? 2 : 1) * kLongestFriendlyName);
        }
        all.push_back(std::move(records));
    }
    return all;
}

bool SameRecords(const std::vector<CatalogueRecord>& a, const std::vector<CatalogueRecord>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const CatalogueRecord& x, const CatalogueRecord& y) {
                          return x.friendly == y.friendly && x.location == y.location &&
                                 x.stamp == y.stamp && x.field1 == y.field1 && x.field2 == y.field2;
                      });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = AsText({data, size});
    const auto ansi = ScanAll(text, CodePage::Ansi());
    const auto japanese = ScanAll(text, ShiftJis());

    // Without bytes from 0x80 up there are no lead bytes, and both code pages
    // must find the same records in the same places.
    if (std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; })) {
        for (std::size_t i = 0; i < ansi.size(); ++i)
            Require(SameRecords(ansi[i], japanese[i]));
        Require(CatalogueNameFromPointer(text, CodePage::Ansi()) ==
                CatalogueNameFromPointer(text, ShiftJis()));
    }
    return 0;
}
