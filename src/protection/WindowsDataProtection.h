#pragma once

#include "protection/DataProtection.h"
#include "protection/WindowsKeyring.h"

#include <optional>
#include <span>

namespace quorvane {

// Blobs protected by a Windows user, read offline with the user's keyring.
// A blob whose key is not in the folder fails as MissingKey, one whose key
// the password does not open as Locked.
class WindowsDataProtection final : public DataProtection {
public:
    explicit WindowsDataProtection(const WindowsKeyring& keyring) : m_keyring(keyring) {}

    std::optional<Bytes> Unprotect(std::span<const std::uint8_t> blob,
                                   std::span<const std::uint8_t> entropy,
                                   UnprotectFailure* failure = nullptr) const override;

private:
    const WindowsKeyring& m_keyring;
};

} // namespace quorvane
