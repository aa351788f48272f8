#include "protection/WindowsKeyring.h"

#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/TranslatedSentence.h"
#include "protection/CredHist.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <memory>

namespace quorvane {

using namespace dpapi;

namespace {

// Master key files are under a kilobyte, CREDHIST a few hundred bytes per
// password change.
constexpr std::size_t kMaxKeyFileSize = 64 * 1024;
constexpr std::size_t kMaxCredHistSize = 1024 * 1024;

ByteSpan AsSpan(const std::string& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

} // namespace

WindowsKeyring::WindowsKeyring(std::string folder, std::string sid, UserCredentials credentials,
                               std::string credHist, std::uint64_t roundBudget)
    : m_folder(std::move(folder)), m_sid(std::move(sid)), m_credHist(std::move(credHist)),
      m_credentials(std::move(credentials)), m_roundsLeft(roundBudget) {}

WindowsKeyring::~WindowsKeyring() = default;

Result<const SecretBytes*> WindowsKeyring::Key(const Guid& guid, const CancelFlag* cancel) const {
    const std::lock_guard lock(m_mutex);
    const std::string name = GuidText(guid);
    auto found = m_keys.find(name);
    if (found == m_keys.end()) {
        Result<SecretBytes> opened = Open(guid, cancel);
        if (!opened && opened.error().code == FailureCode::Cancelled)
            return Fail(std::move(opened.error()));
        found = m_keys.emplace(name, std::move(opened)).first;
    }
    const Result<SecretBytes>& key = found->second;
    if (!key)
        return Fail(key.error());
    return &*key;
}

std::uint64_t WindowsKeyring::RoundsLeft() const {
    const std::lock_guard lock(m_mutex);
    return m_roundsLeft;
}

// The caller holds the lock.
bool WindowsKeyring::Spend(std::uint64_t rounds) const {
    if (rounds > m_roundsLeft)
        return false;
    m_roundsLeft -= rounds;
    return true;
}

// Makes the user keys of the hashes that have none yet; false when the
// budget does not cover them. The caller holds the lock.
bool WindowsKeyring::MakeUserKeys() const {
    const std::vector<SecretBytes>& hashes = m_credentials.Hashes();
    for (; m_keyedHashes < hashes.size(); ++m_keyedHashes) {
        const SecretBytes& hash = hashes[m_keyedHashes];
        if (Result<SecretBytes> userKey = UserKey(hash.span(), m_sid))
            m_userKeys.push_back(std::move(*userKey));
        // An NT hash may stand for a domain user of Windows 10 1607 or later.
        if (hash.size() != 16)
            continue;
        if (!Spend(kNtHashStretchRounds + 1))
            return false;
        if (const Result<SecretBytes> stretched = StretchedNtHash(hash.span(), m_sid))
            if (Result<SecretBytes> userKey = UserKey(stretched->span(), m_sid))
                m_userKeys.push_back(std::move(*userKey));
    }
    return true;
}

// Opens one key; the caller holds the lock.
Result<SecretBytes> WindowsKeyring::Open(const Guid& guid, const CancelFlag* cancel) const {
    const std::string path = JoinPath(m_folder, GuidText(guid));
    const auto missing = [&] {
        return Fail(FailureCode::Missing,
                    Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                         "the master key %1 is not in %2"),
                             GuidText(guid), m_folder));
    };
    const auto damaged = [&path] {
        return Fail(
            FailureCode::Damaged,
            Sentence(QCoreApplication::translate("quorvane::Outcomes", "%1 is damaged"), path));
    };
    const auto tooMuchWork = [&path] {
        return Fail(FailureCode::TooMuchWork,
                    Sentence(QCoreApplication::translate(
                                 "quorvane::Outcomes",
                                 "opening %1 asks for more hashing than Windows ever needs (over "
                                 "%2 rounds in all): it or CREDHIST is damaged"),
                             path, std::to_string(kMaxKeyringRounds)));
    };
    const auto cancelled = [] {
        return Fail(FailureCode::Cancelled,
                    QCoreApplication::translate("quorvane::Outcomes",
                                                "interrupted while checking the password")
                        .toStdString());
    };

    const std::string found = FindEntryIgnoringCase(m_folder, GuidText(guid));
    if (found.empty())
        return missing();
    const Result<std::string> bytes = ReadRegularFile(found, kMaxKeyFileSize);
    if (!bytes && bytes.error().osError == ENOENT)
        return missing();
    if (!bytes)
        return Fail(Failure{
            bytes.error().osError,
            Sentence(QCoreApplication::translate("quorvane::Outcomes", "%1 cannot be read"), path),
            FailureCode::System});

    const Result<MasterKeyFile> file = ParseMasterKeyFile(AsSpan(*bytes));
    if (!file) {
        switch (file.error().code) {
        case FailureCode::TooMuchWork:
            // One file past the limit is a damaged file, not a long history:
            // the folder's other keys may still be tried.
            return Fail(FailureCode::Damaged,
                        Sentence(QCoreApplication::translate(
                                     "quorvane::Outcomes",
                                     "%1 is damaged (it asks for more than %2 rounds of hashing)"),
                                 path, std::to_string(kMaxRounds)));
        case FailureCode::Unsupported:
            return Fail(FailureCode::Unsupported,
                        Sentence(QCoreApplication::translate(
                                     "quorvane::Outcomes",
                                     "%1 uses an algorithm Windows never used for it"),
                                 path));
        default:
            return damaged();
        }
    }
    // The current password first; the earlier ones only when it fails, as
    // walking CREDHIST costs rounds of its own.
    std::size_t tried = 0;
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1) {
            if (m_credHistTooLong)
                return tooMuchWork();
            if (m_walkedCredHist)
                break;
            if (const Result<> walked = AddEarlierPasswords(cancel); !walked)
                return walked.error().code == FailureCode::Cancelled ? cancelled() : tooMuchWork();
        }
        if (!MakeUserKeys())
            return tooMuchWork();
        for (; tried < m_userKeys.size(); ++tried) {
            if (!Spend(file->rounds))
                return tooMuchWork();
            Result<SecretBytes> opened = UnlockMasterKey(*file, m_userKeys[tried].span(), cancel);
            if (opened)
                return opened;
            if (opened.error().code == FailureCode::Cancelled)
                return cancelled();
            if (opened.error().code != FailureCode::WrongPassword)
                return damaged();
        }
    }
    if (m_credentials.Sha1Hash() == nullptr)
        return Fail(FailureCode::WrongPassword,
                    Sentence(QCoreApplication::translate(
                                 "quorvane::Outcomes",
                                 "the NT hash does not unlock the Windows profile of %1 (the keys "
                                 "of a local account are opened by its password, not by its NT "
                                 "hash: give the password instead)"),
                             m_sid));
    return Fail(FailureCode::WrongPassword,
                Sentence(QCoreApplication::translate(
                             "quorvane::Outcomes",
                             "the password does not unlock the Windows profile of %1"),
                         m_sid));
}

// Adds the hashes of the earlier passwords; fails as TooMuchWork when the
// history asks for more rounds than are left, as Cancelled when stopped (it
// may then be walked again). The caller holds the lock.
Result<> WindowsKeyring::AddEarlierPasswords(const CancelFlag* cancel) const {
    const SecretBytes* current = m_credentials.Sha1Hash();
    const Result<std::string> bytes = m_credHist.empty() || current == nullptr
                                          ? Result<std::string>(std::string())
                                          : ReadRegularFile(m_credHist, kMaxCredHistSize);
    const auto entries = bytes && !bytes->empty() ? ParseCredHist(AsSpan(*bytes)) : std::nullopt;
    if (!entries) {
        m_walkedCredHist = true;
        return {};
    }
    // Every entry is decrypted on the way to the oldest, so the walk's cost
    // is known before it starts.
    std::uint64_t rounds = 0;
    for (const CredHistEntry& entry : *entries)
        rounds += entry.rounds;
    if (!Spend(rounds)) {
        m_walkedCredHist = true;
        m_credHistTooLong = true;
        return Fail(FailureCode::TooMuchWork, {});
    }
    // Copied first: adding hashes may move the one the walk starts from.
    const SecretBytes start(current->span());
    std::vector<SecretBytes> earlier = EarlierPasswordHashes(*entries, start.span(), m_sid, cancel);
    if (IsCancelled(cancel))
        return Fail(FailureCode::Cancelled, {});
    m_walkedCredHist = true;
    for (SecretBytes& hash : earlier)
        m_credentials.AddEarlierHash(std::move(hash));
    return {};
}

std::optional<Guid> WindowsKeyring::PreferredKey() const {
    const std::string path = FindEntryIgnoringCase(m_folder, "Preferred");
    // The GUID, then the time the key expires.
    if (const Result<std::string> bytes =
            path.empty() ? Result<std::string>(std::string()) : ReadRegularFile(path, 1024);
        bytes && bytes->size() >= 16) {
        Guid guid{};
        std::copy_n(AsSpan(*bytes).begin(), 16, guid.begin());
        return guid;
    }
    return std::nullopt;
}

std::vector<Guid> WindowsKeyring::KeyFiles() const {
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(m_folder.c_str()), &::closedir);
    std::vector<std::string> names;
    while (const dirent* entry = dir ? ::readdir(dir.get()) : nullptr)
        if (GuidFromText(entry->d_name))
            names.emplace_back(entry->d_name);
    std::sort(names.begin(), names.end());
    std::vector<Guid> guids;
    for (const std::string& name : names)
        guids.push_back(*GuidFromText(name));
    return guids;
}

} // namespace quorvane
