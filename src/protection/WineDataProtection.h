#pragma once

#include "protection/DataProtection.h"

#include <span>
#include <string>

namespace quorvane {

// Wine's own scheme: a blob marked "Wine Crypt32 ok", 3DES-CBC under a key
// derived with SHA-1 from the Wine user name (in the ANSI code page), a fixed
// phrase, the blob's salt and the entropy; a SHA-1 fingerprint of the plain
// text. Blobs that Messenger wrote under Wine unprotect here and the other
// way round.
class WineDataProtection final : public DataProtector {
public:
    // userName: the Wine user name in the ANSI code page.
    explicit WineDataProtection(std::string userName);

    Result<Bytes> Unprotect(std::span<const std::uint8_t> blob,
                            std::span<const std::uint8_t> entropy) const override;
    Bytes Protect(std::span<const std::uint8_t> plain, std::span<const std::uint8_t> entropy,
                  std::u16string_view description = u"") const override;

    // Protect with a given 16-byte salt, so tests can pin whole blobs.
    Bytes ProtectWithSalt(std::span<const std::uint8_t> plain,
                          std::span<const std::uint8_t> entropy,
                          std::span<const std::uint8_t, 16> salt,
                          std::u16string_view description = u"") const;

    const std::string& UserName() const { return m_userName; }

private:
    std::string m_userName;
};

} // namespace quorvane
