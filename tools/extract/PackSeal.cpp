#include "PackSeal.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

namespace quorvane::extract {

namespace {

constexpr std::size_t kBlockSize = 128;

std::array<std::uint8_t, kBlockSize> MakeKeystream() {
    constexpr std::string_view kKey = "#~!$=58Q tw4]";
    std::array<std::uint8_t, 256> state{};
    for (std::size_t i = 0; i < state.size(); ++i) {
        state[i] = static_cast<std::uint8_t>(i);
    }
    std::size_t j = 0;
    for (std::size_t i = 0; i < state.size(); ++i) {
        j = (j + state[i] + static_cast<std::uint8_t>(kKey[i % kKey.size()])) & 0xFF;
        std::swap(state[i], state[j]);
    }
    std::array<std::uint8_t, kBlockSize> stream{};
    std::size_t a = 0;
    std::size_t b = 0;
    for (auto& byte : stream) {
        a = (a + 1) & 0xFF;
        b = (b + state[a]) & 0xFF;
        std::swap(state[a], state[b]);
        byte = state[(state[a] + state[b]) & 0xFF];
    }
    return stream;
}

} // namespace

void UnsealPack(std::string& bytes) {
    static const auto keystream = MakeKeystream();
    const std::size_t whole = bytes.size() / kBlockSize * kBlockSize;
    for (std::size_t i = 0; i < whole; i += kBlockSize) {
        for (std::size_t k = 0; k < kBlockSize; ++k) {
            bytes[i + k] =
                static_cast<char>(static_cast<std::uint8_t>(bytes[i + k]) ^ keystream[k]);
        }
    }
}

} // namespace quorvane::extract
