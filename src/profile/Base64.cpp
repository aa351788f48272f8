#include "profile/Base64.h"

#include <array>

namespace quorvane {

namespace {

constexpr std::array<std::int8_t, 256> MakeTable() {
    std::array<std::int8_t, 256> table{};
    for (auto& value : table)
        value = -1;
    for (int i = 0; i < 26; ++i) {
        table[static_cast<std::size_t>('A' + i)] = static_cast<std::int8_t>(i);
        table[static_cast<std::size_t>('a' + i)] = static_cast<std::int8_t>(26 + i);
    }
    for (int i = 0; i < 10; ++i)
        table[static_cast<std::size_t>('0' + i)] = static_cast<std::int8_t>(52 + i);
    table['+'] = 62;
    table['/'] = 63;
    return table;
}

constexpr auto kTable = MakeTable();

} // namespace

bool DecodeBase64(const std::uint8_t* input, std::size_t length, std::uint8_t* output,
                  std::size_t* outputLength) {
    if (input == nullptr || output == nullptr || outputLength == nullptr)
        return false;
    std::size_t written = 0;
    std::uint32_t group = 0;
    int count = 0;
    for (std::size_t i = 0; i < length; ++i) {
        std::int8_t value = kTable[input[i]];
        if (value < 0)
            continue; // "=", line breaks and blanks do not count
        group = (group << 6) | static_cast<std::uint32_t>(value);
        if (++count == 4) {
            output[written++] = static_cast<std::uint8_t>(group >> 16);
            output[written++] = static_cast<std::uint8_t>(group >> 8);
            output[written++] = static_cast<std::uint8_t>(group);
            group = 0;
            count = 0;
        }
    }
    if (count == 3) {
        output[written++] = static_cast<std::uint8_t>(group >> 10);
        output[written++] = static_cast<std::uint8_t>(group >> 2);
    } else if (count == 2) {
        output[written++] = static_cast<std::uint8_t>(group >> 4);
    }
    *outputLength = written;
    return true;
}

std::vector<std::uint8_t> DecodeBase64(std::string_view input) {
    std::vector<std::uint8_t> output(input.size() / 4 * 3 + 3);
    std::size_t written = 0;
    DecodeBase64(reinterpret_cast<const std::uint8_t*>(input.data()), input.size(), output.data(),
                 &written);
    output.resize(written);
    return output;
}

} // namespace quorvane
