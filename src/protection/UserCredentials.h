#pragma once

#include "protection/DpapiCrypto.h"

#include <optional>
#include <string_view>
#include <vector>

namespace quorvane::dpapi {

// The password hashes a user's master keys may be protected with: from a
// password, the SHA-1 of its UTF-16LE text (local accounts) and its NT hash
// (MD4, domain accounts); from an NT hash alone, that hash. CREDHIST adds
// the hashes of earlier passwords.
class UserCredentials {
public:
    static UserCredentials FromPassword(std::string_view passwordUtf8);
    // 32 hexadecimal digits; nothing when it is not that.
    static std::optional<UserCredentials> FromNtHash(std::string_view hex);

    const std::vector<SecretBytes>& Hashes() const { return m_hashes; }
    // The SHA-1 form, which opens the newest CREDHIST entry; null when only
    // an NT hash was given.
    const SecretBytes* Sha1Hash() const { return m_hasSha1 ? &m_hashes.front() : nullptr; }
    void AddEarlierHash(SecretBytes hash) { m_hashes.push_back(std::move(hash)); }
    // A copy, for one more keyring (the hashes are wiped as each goes).
    UserCredentials Copy() const;

private:
    std::vector<SecretBytes> m_hashes;
    bool m_hasSha1 = false;
};

// The key a password hash gives for one user: HMAC-SHA1 under the hash over
// the SID in UTF-16LE with its terminating zero. Fails (System) only when
// OpenSSL refuses.
Result<SecretBytes> UserKey(ByteSpan passwordHash, std::string_view sid);

// From Windows 10 1607 on, a domain user's keys are made from the NT hash
// stretched with the SID: PBKDF2-HMAC-SHA256 over the SID in UTF-16LE (no
// terminating zero), kNtHashStretchRounds times, then once more over the
// same salt and cut to 16 bytes. UserKey then takes it as it takes a hash.
constexpr std::uint32_t kNtHashStretchRounds = 10'000;
Result<SecretBytes> StretchedNtHash(ByteSpan ntHash, std::string_view sid);

} // namespace quorvane::dpapi
