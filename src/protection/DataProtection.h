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
    // The key the blob names is not among the user's keys (Windows).
    MissingKey,
    // The blob's key is there but the password does not open it (Windows).
    Locked,
};

// Per-user data protection, as Messenger uses it for its map and catalogue
// files. Unprotect gives the plain text or nothing (wrong user, wrong
// entropy, damaged blob), and says which through failure when given one.
class DataProtection {
public:
    virtual ~DataProtection() = default;
    virtual std::optional<Bytes> Unprotect(std::span<const std::uint8_t> blob,
                                           std::span<const std::uint8_t> entropy,
                                           UnprotectFailure* failure = nullptr) const = 0;
};

// A scheme that can also protect, for the demo account and tests: an empty
// result means it could not.
class DataProtector : public DataProtection {
public:
    virtual Bytes Protect(std::span<const std::uint8_t> plain,
                          std::span<const std::uint8_t> entropy,
                          std::u16string_view description = u"") const = 0;
};

} // namespace quorvane
