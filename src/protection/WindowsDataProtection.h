#pragma once

#include "protection/DataProtection.h"
#include "protection/WindowsKeyring.h"

#include <span>

namespace quorvane {

// Blobs protected by a Windows user, read offline with the user's keyring.
// A blob whose key cannot be had fails as Missing: with osError ENOENT when
// the key is not in the folder, 0 when the password does not open it. Such
// a failure, and one of a damaged key, carries the keyring's sentence.
class WindowsDataProtection final : public DataProtection {
public:
    explicit WindowsDataProtection(const WindowsKeyring& keyring) : m_keyring(keyring) {}

    Result<Bytes> Unprotect(std::span<const std::uint8_t> blob,
                            std::span<const std::uint8_t> entropy) const override;

private:
    const WindowsKeyring& m_keyring;
};

} // namespace quorvane
