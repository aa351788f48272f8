#pragma once

#include "platform/DpapiCrypto.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The files under a Windows user's Microsoft/Protect folder: the master key
// files (one per GUID, in the folder named by the user's SID) and CREDHIST,
// the chain of the user's earlier password hashes.
namespace quorvane::dpapi {

using Guid = std::array<std::uint8_t, 16>;

// "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx" in lower case, as Windows names a
// master key file: the first three fields are little-endian.
std::string GuidText(const Guid& guid);
// The GUID such a text names (either case); nothing for any other text.
std::optional<Guid> GuidFromText(std::string_view text);

// More rounds than any Windows ever wrote, far fewer than would keep a
// hostile file busy for long.
constexpr std::uint32_t kMaxRounds = 10'000'000;

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
// the SID in UTF-16LE with its terminating zero.
bool UserKey(ByteSpan passwordHash, std::string_view sid, SecretBytes& key);

// From Windows 10 1607 on, a domain user's keys are made from the NT hash
// stretched with the SID: PBKDF2-HMAC-SHA256 over the SID in UTF-16LE (no
// terminating zero), kNtHashStretchRounds times, then once more over the
// same salt and cut to 16 bytes. UserKey then takes it as it takes a hash.
constexpr std::uint32_t kNtHashStretchRounds = 10'000;
bool StretchedNtHash(ByteSpan ntHash, std::string_view sid, SecretBytes& hash);

// One master key file, its lengths checked.
struct MasterKeyFile {
    Guid guid{};
    std::uint32_t rounds = 0;
    std::array<std::uint8_t, 16> salt{};
    std::uint32_t hashId = 0;
    std::uint32_t cipherId = 0;
    std::vector<std::uint8_t> cipherText;
};

enum class MasterKeyProblem { None, Damaged, TooManyRounds, Unsupported, WrongKey, Cancelled };

// Reads the file's header and its master key section; the backup, CREDHIST
// and domain sections are stepped over.
MasterKeyProblem ParseMasterKeyFile(ByteSpan bytes, MasterKeyFile& file);

// Decrypts the 64-byte master key with a user key and checks its HMAC, so a
// wrong password (WrongKey) is told apart from a damaged file (Damaged).
// Takes as long as the file's rounds say, unless cancel is set meanwhile.
MasterKeyProblem UnlockMasterKey(const MasterKeyFile& file, ByteSpan userKey, SecretBytes& key,
                                 const CancelFlag* cancel = nullptr);

// The plain text a master key section holds: a salt, the HMAC of the key
// under that salt and the user key, then the key itself at the end.
constexpr std::size_t kMasterKeySize = 64;

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
