#pragma once

#include "protection/DpapiCrypto.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// CREDHIST, beside the folders named by SIDs under Microsoft/Protect: the
// chain of the user's earlier password hashes.
namespace quorvane::dpapi {

// One CREDHIST entry: an earlier password's SHA-1 and NT hashes, encrypted
// under the password that followed it.
struct CredHistEntry {
    std::uint32_t hashId = 0;
    std::uint32_t rounds = 0;
    std::uint32_t cipherId = 0;
    std::uint32_t sha1Length = 0;
    std::uint32_t ntLength = 0;
    std::array<std::uint8_t, 16> salt{};
    std::vector<std::uint8_t> cipherText;
};

// The entries, newest first; nothing when the file is damaged. At most 256.
std::optional<std::vector<CredHistEntry>> ParseCredHist(ByteSpan bytes);

// Walks the chain from the current password's SHA-1 hash: each entry opens
// with the hash the one before it gave. Returns the earlier SHA-1 and NT
// hashes found, newest first; stops at the first entry that does not open,
// and when cancel is set (what it found by then is not the whole chain).
std::vector<SecretBytes> EarlierPasswordHashes(const std::vector<CredHistEntry>& entries,
                                               ByteSpan currentSha1, std::string_view sid,
                                               const CancelFlag* cancel = nullptr);

} // namespace quorvane::dpapi
