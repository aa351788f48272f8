#pragma once

#include "platform/CancelFlag.h"
#include "platform/Result.h"
#include "protection/UserCredentials.h"
#include "protection/WindowsMasterKey.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorvane {

// How many hashing rounds one keyring may spend in all, on every key it
// opens, every password hash it tries and its walk of CREDHIST. Windows
// makes keys of a few thousand to a few tens of thousands of rounds, and a
// history holds one entry per password change: this lets every key of a
// long-used profile be tried with every hash of a long history, and keeps a
// hostile folder (many keys, or a long CREDHIST, each entry at the most
// rounds allowed) to seconds of work.
constexpr std::uint64_t kMaxKeyringRounds = 24'000'000;

// A Windows user's master keys, read from the user's Protect folder (named
// by the SID) and opened with the user's password or NT hash; CREDHIST
// gives the hashes of earlier passwords for keys made before a change.
// Each key is opened once, when first asked for, and kept until the keyring
// goes; nothing is written anywhere.
class WindowsKeyring {
public:
    // folder: .../Microsoft/Protect/<SID>; credHist: .../Microsoft/Protect/CREDHIST
    // or "" when there is none; roundBudget: the rounds it may spend in all.
    WindowsKeyring(std::string folder, std::string sid, dpapi::UserCredentials credentials,
                   std::string credHist = {}, std::uint64_t roundBudget = kMaxKeyringRounds);
    ~WindowsKeyring();
    WindowsKeyring(const WindowsKeyring&) = delete;
    WindowsKeyring& operator=(const WindowsKeyring&) = delete;

    // The key, opened (valid while the keyring lives); cancel stops the
    // hashing it takes. Fails as Missing (no file for that GUID in the
    // folder), System (the file is there but cannot be read; osError says
    // why), Damaged (cut short, lengths that do not add up, more rounds than
    // Windows ever used), Unsupported (an algorithm Windows data protection
    // never used), WrongPassword (sound, but no password hash opens it),
    // TooMuchWork (trying it would pass the keyring's budget of rounds) or
    // Cancelled (stopped before it was known; asking again tries again).
    // The sentence names the key's file, or the SID for a wrong password.
    Result<const dpapi::SecretBytes*> Key(const dpapi::Guid& guid,
                                          const CancelFlag* cancel = nullptr) const;
    // The key named by the folder's "Preferred" file: the one Windows used
    // last, and so the one a password check opens first. Nothing when the
    // file is missing or too short.
    std::optional<dpapi::Guid> PreferredKey() const;
    // The keys the folder has a file for, by name.
    std::vector<dpapi::Guid> KeyFiles() const;
    // What is left of the budget of rounds.
    std::uint64_t RoundsLeft() const;

    const std::string& Folder() const { return m_folder; }
    const std::string& Sid() const { return m_sid; }

private:
    Result<dpapi::SecretBytes> Open(const dpapi::Guid& guid, const CancelFlag* cancel) const;
    Result<> AddEarlierPasswords(const CancelFlag* cancel) const;
    bool MakeUserKeys() const;
    bool Spend(std::uint64_t rounds) const;

    std::string m_folder;
    std::string m_sid;
    std::string m_credHist;
    mutable dpapi::UserCredentials m_credentials;
    // The user keys the credentials give, in the order they are tried, and
    // how many of the credentials' hashes they were made from.
    mutable std::vector<dpapi::SecretBytes> m_userKeys;
    mutable std::size_t m_keyedHashes = 0;
    mutable std::uint64_t m_roundsLeft;
    mutable bool m_walkedCredHist = false;
    mutable bool m_credHistTooLong = false;
    mutable std::mutex m_mutex;
    mutable std::map<std::string, Result<dpapi::SecretBytes>> m_keys;
};

} // namespace quorvane
