#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quorvane {

using Bytes = std::vector<std::uint8_t>;

// Why a blob did not unprotect.
enum class UnprotectFailure {
    // It did unprotect, or the fault lay in this machine (the crypto library
    // refused, memory ran out) rather than in the blob or the key.
    None,
    // The blob is cut short or its structure is wrong: counts, magic, length
    // fields, sizes that do not add up, cipher text not whole blocks.
    Damaged,
    // The structure is sound but the padding or the fingerprint does not
    // check out: the wrong passport, the wrong Wine user, or damage inside
    // the cipher text, which cannot be told apart from a wrong key.
    WrongKey,
};

// Per-user data protection, as Messenger uses it for its map and catalogue
// files. Unprotect gives the plain text or nothing (wrong user, wrong
// entropy, damaged blob), and says which through failure when given one.
// Protect serves tests and the demo account.
class DataProtection {
public:
    virtual ~DataProtection() = default;
    virtual std::optional<Bytes> Unprotect(std::span<const std::uint8_t> blob,
                                           std::span<const std::uint8_t> entropy,
                                           UnprotectFailure* failure = nullptr) const = 0;
    virtual Bytes Protect(std::span<const std::uint8_t> plain,
                          std::span<const std::uint8_t> entropy,
                          std::u16string_view description = u"") const = 0;
};

// Wine's own scheme: a blob marked "Wine Crypt32 ok", 3DES-CBC under a key
// derived with SHA-1 from the Wine user name (in the ANSI code page), a fixed
// phrase, the blob's salt and the entropy; a SHA-1 fingerprint of the plain
// text. Blobs that Messenger wrote under Wine unprotect here and the other
// way round.
class WineDataProtection final : public DataProtection {
public:
    // userName: the Wine user name in the ANSI code page.
    explicit WineDataProtection(std::string userName);

    std::optional<Bytes> Unprotect(std::span<const std::uint8_t> blob,
                                   std::span<const std::uint8_t> entropy,
                                   UnprotectFailure* failure = nullptr) const override;
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
