#pragma once

#include "protection/DpapiCrypto.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The master key files under a Windows user's Microsoft/Protect folder: one
// per GUID, in the folder named by the user's SID, each opened with a user
// key (UserCredentials.h).
namespace quorvane::dpapi {

using Guid = std::array<std::uint8_t, 16>;

// "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx" in lower case, as Windows names a
// master key file: the first three fields are little-endian.
std::string GuidText(const Guid& guid);
// The GUID such a text names (either case); nothing for any other text.
std::optional<Guid> GuidFromText(std::string_view text);

// One master key file, its lengths checked.
struct MasterKeyFile {
    Guid guid{};
    std::uint32_t rounds = 0;
    std::array<std::uint8_t, 16> salt{};
    std::uint32_t hashId = 0;
    std::uint32_t cipherId = 0;
    std::vector<std::uint8_t> cipherText;
};

// Reads the file's header and its master key section; the backup, CREDHIST
// and domain sections are stepped over. Fails as Damaged (cut short, lengths
// that do not add up), Unsupported (an algorithm Windows never used for it)
// or TooMuchWork (more rounds than kMaxRounds). The failures carry no
// sentence: the caller knows the file's path.
Result<MasterKeyFile> ParseMasterKeyFile(ByteSpan bytes);

// Decrypts the 64-byte master key with a user key and checks its HMAC, so a
// wrong password (WrongPassword) is told apart from a damaged file (Damaged).
// Takes as long as the file's rounds say, unless cancel is set meanwhile
// (Cancelled).
Result<SecretBytes> UnlockMasterKey(const MasterKeyFile& file, ByteSpan userKey,
                                    const CancelFlag* cancel = nullptr);

// The plain text a master key section holds: a salt, the HMAC of the key
// under that salt and the user key, then the key itself at the end.
constexpr std::size_t kMasterKeySize = 64;

} // namespace quorvane::dpapi
