#pragma once

#include "protection/DataProtection.h"
#include "protection/WindowsMasterKey.h"

#include <cstdint>
#include <span>

namespace quorvane {

// A Windows data protection blob, its lengths checked.
struct WindowsBlob {
    dpapi::Guid masterKey{};
    std::uint32_t flags = 0;
    std::uint32_t cipherId = 0;
    std::uint32_t hashId = 0;
    std::span<const std::uint8_t> salt;
    std::span<const std::uint8_t> signKey; // the salt of the signature
    std::span<const std::uint8_t> cipherText;
    std::span<const std::uint8_t> signature;
    std::span<const std::uint8_t> signedPart; // from the key's version to the cipher text
};

enum class BlobProblem { None, Damaged, Unsupported, BadSignature };

BlobProblem ParseWindowsBlob(std::span<const std::uint8_t> blob, WindowsBlob& parsed);
// Checks the blob's signature with the master key and the entropy, then
// decrypts it. Windows XP put the entropy into the session key after its
// HMAC; later versions inside it: both are tried.
BlobProblem DecryptWindowsBlob(const WindowsBlob& blob, std::span<const std::uint8_t> masterKey,
                               std::span<const std::uint8_t> entropy, Bytes& plain);

} // namespace quorvane
