#pragma once

#include "platform/Result.h"
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

// The blob's fields; fails as Damaged (cut short, lengths that do not add
// up, not a data protection blob) or Unsupported (an algorithm Windows
// never used for it). Its spans point into blob.
Result<WindowsBlob> ParseWindowsBlob(std::span<const std::uint8_t> blob);
// Checks the blob's signature with the master key and the entropy, then
// decrypts it. Windows XP put the entropy into the session key after its
// HMAC; later versions inside it: both are tried. A signature neither
// gives fails as WrongPassword (the entropy or the key is not the one used,
// or the blob was changed), a cipher text that does not decrypt as Damaged.
// The failures of both carry no sentence: the caller knows whose blob it is.
Result<Bytes> DecryptWindowsBlob(const WindowsBlob& blob, std::span<const std::uint8_t> masterKey,
                                 std::span<const std::uint8_t> entropy);

} // namespace quorvane
