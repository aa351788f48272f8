#pragma once

#include "platform/DataProtection.h"
#include "platform/WindowsMasterKey.h"

#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace quorvane {

// A Windows user's master keys, read from the user's Protect folder (named
// by the SID) and opened with the user's password or NT hash; CREDHIST
// gives the hashes of earlier passwords for keys made before a change.
// Each key is opened once, when first asked for, and kept until the keyring
// goes; nothing is written anywhere.
class WindowsKeyring {
public:
    enum class Status {
        Unlocked,
        Missing,       // no file for that GUID in the folder
        Unreadable,    // the file is there but cannot be read
        Damaged,       // cut short or lengths that do not add up
        TooManyRounds, // states more rounds than Windows ever used
        Unsupported,   // an algorithm Windows data protection never used
        WrongPassword, // sound, but no password hash opens it
    };
    struct Lookup {
        Status status = Status::Missing;
        const dpapi::SecretBytes* key = nullptr; // valid while the keyring lives
    };

    // folder: .../Microsoft/Protect/<SID>; credHist: .../Microsoft/Protect/CREDHIST
    // or "" when there is none.
    WindowsKeyring(std::string folder, std::string sid, dpapi::UserCredentials credentials,
                   std::string credHist = {});
    ~WindowsKeyring();
    WindowsKeyring(const WindowsKeyring&) = delete;
    WindowsKeyring& operator=(const WindowsKeyring&) = delete;

    Lookup Key(const dpapi::Guid& guid) const;
    // The key named by the folder's "Preferred" file: the one Windows used
    // last, and so the one a password check opens. Without that file, the
    // first key file of the folder by name; nothing when there is none.
    std::optional<dpapi::Guid> PreferredKey() const;

    const std::string& Folder() const { return m_folder; }
    const std::string& Sid() const { return m_sid; }

private:
    std::pair<Status, dpapi::SecretBytes> Open(const dpapi::Guid& guid) const;
    void AddEarlierPasswords() const;

    std::string m_folder;
    std::string m_sid;
    std::string m_credHist;
    mutable dpapi::UserCredentials m_credentials;
    mutable bool m_walkedCredHist = false;
    mutable std::mutex m_mutex;
    mutable std::map<std::string, std::pair<Status, dpapi::SecretBytes>> m_keys;
};

// A Windows data protection blob, its lengths checked.
struct WindowsBlob {
    dpapi::Guid masterKey{};
    std::uint32_t flags = 0;
    std::uint32_t cipherId = 0;
    std::uint32_t hashId = 0;
    std::span<const std::uint8_t> salt;
    std::span<const std::uint8_t> signKey; // the salt of the signature
    std::span<const std::uint8_t> cipherText;
    std::span<const std::uint8_t> signature;
    std::span<const std::uint8_t> signedPart; // from the key's version to the cipher text
};

enum class BlobProblem { None, Damaged, Unsupported, BadSignature };

BlobProblem ParseWindowsBlob(std::span<const std::uint8_t> blob, WindowsBlob& parsed);
// Checks the blob's signature with the master key and the entropy, then
// decrypts it. Windows XP put the entropy into the session key after its
// HMAC; later versions inside it: both are tried.
BlobProblem DecryptWindowsBlob(const WindowsBlob& blob, std::span<const std::uint8_t> masterKey,
                               std::span<const std::uint8_t> entropy, Bytes& plain);

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
