// passports.dat is read at every start, and a damaged one must give the
// entries before the damage and nothing worse. Beyond memory safety the
// archive format must round-trip: what was decoded encodes to bytes that
// decode to the same list, whatever follows those bytes.

#include "FuzzSupport.h"

#include "app/SettingsStore.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using quorvane::DecodeStringArray;
using quorvane::EncodeStringArray;
using quorvane::fuzz::AsText;
using quorvane::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = AsText({data, size});
    const std::vector<std::string> decoded = DecodeStringArray(bytes);

    // Each entry's bytes come from the input after its count and length.
    std::size_t total = 0;
    for (const std::string& entry : decoded)
        total += entry.size() + 1;
    Require(decoded.empty() || total + 2 <= size);

    const std::string encoded = EncodeStringArray(decoded);
    Require(DecodeStringArray(encoded) == decoded);
    // The count bounds the read: trailing bytes are never taken as entries.
    Require(DecodeStringArray(encoded + std::string(bytes)) == decoded);
    // Re-encoding is canonical, so a second round changes nothing.
    Require(EncodeStringArray(DecodeStringArray(encoded)) == encoded);
    // Any prefix of a valid encoding decodes to a prefix of the list.
    const std::size_t cut = size == 0 ? 0 : data[0] % (encoded.size() + 1);
    const std::vector<std::string> partial = DecodeStringArray(encoded.substr(0, cut));
    Require(partial.size() <= decoded.size() &&
            std::equal(partial.begin(), partial.end(), decoded.begin()));
    return 0;
}
