#pragma once

#include "platform/Result.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quorvane {

using Bytes = std::vector<std::uint8_t>;

// Per-user data protection, as Messenger uses it for its map and catalogue
// files. Unprotect gives the plain text, or fails as:
// - Damaged: the blob is cut short or its structure is wrong (counts,
//   magic, length fields, sizes that do not add up, cipher text not whole
//   blocks);
// - WrongPassword: the structure is sound but the padding, the fingerprint
//   or the signature does not check out: the wrong passport, the wrong Wine
//   user, or damage inside the cipher text, which cannot be told apart from
//   a wrong key;
// - Missing (Windows): the key the blob names cannot be had. Its osError is
//   ENOENT when the key's file is not among the user's keys, 0 when it is
//   there but the password does not open it;
// - System: the fault lay in this machine (the crypto library refused,
//   memory ran out) rather than in the blob or the key.
// Its failures carry no sentence of their own: the caller knows which file
// the blob came from.
class DataProtection {
public:
    virtual ~DataProtection() = default;
    virtual Result<Bytes> Unprotect(std::span<const std::uint8_t> blob,
                                    std::span<const std::uint8_t> entropy) const = 0;
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
