#pragma once

#include "platform/Result.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace quorvane {

// The keyed in-place transform that seals every ".msn" pack: each whole
// 128-byte block of the file is XORed with the first 128 bytes of the RC4
// keystream of a fixed key. The keystream is the same for every block (the
// state is rebuilt per block), so it is computed once. Its own inverse, so
// the same calls seal a pack and undo the seal.
inline constexpr std::uint32_t kPackSealBlockSize = 128;

// Transforms the file in place. Fails when it cannot be opened for reading
// and writing (then it is unchanged: a link, anything but a regular file and
// a file marked read-only are never opened for it) or a block cannot be
// read or written back. The last size % 128 bytes stay as they are.
Result<> SealPackFile(const std::string& path);

// Writes the pack at packPath, its seal undone, to copy (replacing what is
// there): the cabinet Messenger would read. Fails when the pack cannot be
// read or holds more than maxBytes, is not a sealed cabinet, or the copy
// cannot be written; the pack itself is never changed.
Result<> WriteUnsealedCopy(const std::string& packPath, const std::string& copy,
                           std::size_t maxBytes);

// The same transform on bytes in memory that begin at a block boundary:
// every whole block is transformed, a short tail stays as it is.
void SealPackBytes(std::span<std::uint8_t> bytes);

const std::array<std::uint8_t, kPackSealBlockSize>& PackSealKeystream();

} // namespace quorvane
