#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace quorvane {

// Lenient decoder of the standard Base64 alphabet, as Messenger's files need
// it: every byte outside the alphabet ("=", line breaks, blanks) is skipped,
// a final group of 3 gives 2 bytes, of 2 gives 1, of 1 gives nothing.
// Returns false and writes nothing when an argument is null; output must
// hold at least three quarters of length bytes.
bool DecodeBase64(const std::uint8_t* input, std::size_t length, std::uint8_t* output,
                  std::size_t* outputLength);

std::vector<std::uint8_t> DecodeBase64(std::string_view input);

} // namespace quorvane
