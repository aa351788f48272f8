#pragma once

#include "protection/DataProtection.h"
#include "protection/WindowsDataProtection.h"
#include "protection/WindowsMasterKey.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The inverse of the offline Windows data protection reader, for tests: it
// writes master key files, CREDHIST and blobs in Windows' formats. It is
// checked against files real Windows made, so it and the reader cannot
// share one mistake.
namespace quorvane::test {

using quorvane::Bytes;
using quorvane::dpapi::Guid;

// Hex text to bytes (the test vectors' form); throws on a bad digit.
Bytes FromHex(std::string_view hex);
std::string ToHex(std::span<const std::uint8_t> bytes);

struct MasterKeyRecipe {
    Guid guid{};
    std::array<std::uint8_t, 16> salt{};
    std::uint32_t rounds = 4000;
    std::uint32_t hashId = quorvane::dpapi::kCalgHmac;
    std::uint32_t cipherId = quorvane::dpapi::kCalg3Des;
    std::array<std::uint8_t, 16> hmacSalt{};
    Bytes key = Bytes(64, 0x5a);
    // What Windows puts between the HMAC and the key when the sizes leave
    // room (3DES keys); zeros unless given.
    Bytes filler;
};

// The master key section's cipher text under a user key.
Bytes MasterKeyCipherText(const MasterKeyRecipe& recipe, std::span<const std::uint8_t> userKey);
// A whole master key file (header, master key section, CREDHIST link).
Bytes MasterKeyFileBytes(const MasterKeyRecipe& recipe, std::span<const std::uint8_t> userKey);

struct BlobRecipe {
    Guid masterKey{};
    std::uint32_t cipherId = quorvane::dpapi::kCalgAes256;
    std::uint32_t hashId = quorvane::dpapi::kCalgSha512;
    Bytes salt = Bytes(32, 0x11);
    Bytes signKey = Bytes(32, 0x22);
    std::u16string description;
    bool xpStyle = false; // the entropy after the HMAC, as Windows XP did
    std::uint32_t flags = 0;
};

Bytes BlobBytes(const BlobRecipe& recipe, std::span<const std::uint8_t> masterKey,
                std::span<const std::uint8_t> plain, std::span<const std::uint8_t> entropy);

// A CREDHIST file. passwords runs oldest first and ends with the current
// password; each earlier password's hashes are kept under the next one.
Bytes CredHistBytes(const std::vector<std::string>& passwords, const std::string& sid);

// A Windows user's Protect folder on disk: <appData>/Microsoft/Protect/<sid>
// with one master key per password given (all protected by the last, the
// current one, unless older ones are named), Preferred naming the newest.
struct WindowsUserKeys {
    std::string sid = "S-1-5-21-1004336348-1177238915-682003330-1003";
    std::string password = "correct horse";
    Guid guid = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88,
                 0x99, 0xaa, 0xbb, 0xcc, 0xdd, 0xee, 0xff, 0x01};
    Bytes masterKey = Bytes(64, 0x42);
    bool xp = true;      // 3DES and SHA-1 keys and blobs; else AES-256 and SHA-512
    bool domain = false; // a domain account: the key is made from the NT hash

    std::string ProtectFolder(const std::string& appData) const;
    // Writes the master key file and Preferred.
    void Write(const std::string& appData) const;
};

// Protects as the user's data protection would, with the user's master key;
// unprotects through the reader, with the keyring it is given.
class WindowsTestProtection final : public quorvane::DataProtector {
public:
    WindowsTestProtection(const WindowsUserKeys& user, const quorvane::WindowsKeyring& keyring);
    quorvane::Result<Bytes> Unprotect(std::span<const std::uint8_t> blob,
                                      std::span<const std::uint8_t> entropy) const override;
    Bytes Protect(std::span<const std::uint8_t> plain, std::span<const std::uint8_t> entropy,
                  std::u16string_view description = u"") const override;

private:
    WindowsUserKeys m_user;
    quorvane::WindowsDataProtection m_reader;
};

// A Windows user's keys written into an application-data folder, and the
// protection that makes blobs with them: what an account builder needs to
// write the user's Messenger account there.
struct WindowsUserProtection {
    WindowsUserProtection(const WindowsUserKeys& user, const std::string& appData);

    WindowsKeyring keyring;
    WindowsTestProtection protection;
};

} // namespace quorvane::test
