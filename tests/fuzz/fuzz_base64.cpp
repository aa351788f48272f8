// Base64 is the first decoding after Unprotect and the one that decodes
// every Friendly value, so both overloads see the raw input. The pointer
// overload gets a heap buffer of exactly the size its contract asks for
// (three quarters of the input, rounded down), so AddressSanitizer catches
// a single byte written past it.

#include "FuzzSupport.h"

#include "profile/Base64.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

using quorvane::DecodeBase64;
using quorvane::fuzz::AsText;
using quorvane::fuzz::Require;

namespace {

bool InAlphabet(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
           c == '/';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Null means "no argument" to DecodeBase64; an empty input is not that.
    static constexpr std::uint8_t kNothing = 0;
    if (size == 0)
        data = &kNothing;
    const std::string_view text = AsText({data, size});

    const std::size_t capacity = size / 4 * 3 + (size % 4) * 3 / 4;
    auto buffer = std::make_unique<std::uint8_t[]>(capacity);
    std::size_t written = capacity + 1;
    Require(DecodeBase64(data, size, buffer.get(), &written));
    Require(written <= capacity);
    Require(written <= size * 3 / 4 + 2);

    const std::vector<std::uint8_t> decoded = DecodeBase64(text);
    Require(std::equal(decoded.begin(), decoded.end(), buffer.get(), buffer.get() + written));

    // Null arguments are refused and leave the length alone.
    std::size_t untouched = 7;
    Require(!DecodeBase64(nullptr, size, buffer.get(), &untouched) && untouched == 7);
    Require(!DecodeBase64(data, size, nullptr, &untouched) && untouched == 7);
    Require(!DecodeBase64(data, size, buffer.get(), nullptr));

    // Only the alphabet counts: dropping every other byte changes nothing,
    // and the number of alphabet characters fixes the output length.
    std::string alphabetOnly;
    std::copy_if(text.begin(), text.end(), std::back_inserter(alphabetOnly), InAlphabet);
    Require(DecodeBase64(alphabetOnly) == decoded);
    const std::size_t n = alphabetOnly.size();
    Require(decoded.size() == n / 4 * 3 + (n % 4 == 3 ? 2 : n % 4 == 2 ? 1 : 0));

    // Whatever was decoded encodes back to text that decodes to it again.
    const std::string encoded =
        quorvane::fuzz::EncodeBase64(AsText({decoded.data(), decoded.size()}));
    Require(DecodeBase64(encoded) == decoded);
    // And the input's own bytes survive a trip through the standard encoder.
    Require(DecodeBase64(quorvane::fuzz::EncodeBase64(text)) ==
            std::vector<std::uint8_t>(data, data + size));
    return 0;
}
