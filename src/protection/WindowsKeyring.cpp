#include "protection/WindowsKeyring.h"

#include "platform/FileIo.h"
#include "platform/Paths.h"
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

WindowsKeyring::Lookup WindowsKeyring::Key(const Guid& guid, const CancelFlag* cancel) const {
    const std::lock_guard lock(m_mutex);
    const std::string name = GuidText(guid);
    auto found = m_keys.find(name);
    if (found == m_keys.end()) {
        auto opened = Open(guid, cancel);
        if (opened.first == Status::Cancelled)
            return {Status::Cancelled, nullptr};
        found = m_keys.emplace(name, std::move(opened)).first;
    }
    const auto& [status, key] = found->second;
    return {status, status == Status::Unlocked ? &key : nullptr};
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
        SecretBytes userKey;
        if (UserKey(hash.span(), m_sid, userKey))
            m_userKeys.push_back(std::move(userKey));
        // An NT hash may stand for a domain user of Windows 10 1607 or later.
        if (hash.size() != 16)
            continue;
        if (!Spend(kNtHashStretchRounds + 1))
            return false;
        SecretBytes stretched;
        if (StretchedNtHash(hash.span(), m_sid, stretched) &&
            UserKey(stretched.span(), m_sid, userKey))
            m_userKeys.push_back(std::move(userKey));
    }
    return true;
}

// Opens one key; the caller holds the lock.
std::pair<WindowsKeyring::Status, SecretBytes>
WindowsKeyring::Open(const Guid& guid, const CancelFlag* cancel) const {
    SecretBytes opened;
    const std::string path = FindEntryIgnoringCase(m_folder, GuidText(guid));
    if (path.empty())
        return {Status::Missing, SecretBytes()};
    const Result<std::string> bytes = ReadRegularFile(path, kMaxKeyFileSize);
    if (!bytes)
        return {bytes.error().osError == ENOENT ? Status::Missing : Status::Unreadable,
                SecretBytes()};

    MasterKeyFile file;
    switch (ParseMasterKeyFile(AsSpan(*bytes), file)) {
    case MasterKeyProblem::None:
    case MasterKeyProblem::WrongKey:
        break;
    case MasterKeyProblem::TooManyRounds:
        return {Status::TooManyRounds, SecretBytes()};
    case MasterKeyProblem::Unsupported:
        return {Status::Unsupported, SecretBytes()};
    case MasterKeyProblem::Damaged:
    case MasterKeyProblem::Cancelled:
        return {Status::Damaged, SecretBytes()};
    }
    // The current password first; the earlier ones only when it fails, as
    // walking CREDHIST costs rounds of its own.
    std::size_t tried = 0;
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1) {
            if (m_credHistTooLong)
                return {Status::TooMuchWork, SecretBytes()};
            if (m_walkedCredHist)
                break;
            if (const std::optional<Status> stopped = AddEarlierPasswords(cancel))
                return {*stopped, SecretBytes()};
        }
        if (!MakeUserKeys())
            return {Status::TooMuchWork, SecretBytes()};
        for (; tried < m_userKeys.size(); ++tried) {
            if (!Spend(file.rounds))
                return {Status::TooMuchWork, SecretBytes()};
            const MasterKeyProblem problem =
                UnlockMasterKey(file, m_userKeys[tried].span(), opened, cancel);
            if (problem == MasterKeyProblem::None)
                return {Status::Unlocked, std::move(opened)};
            if (problem == MasterKeyProblem::Cancelled)
                return {Status::Cancelled, SecretBytes()};
            if (problem != MasterKeyProblem::WrongKey)
                return {Status::Damaged, SecretBytes()};
        }
    }
    return {Status::WrongPassword, SecretBytes()};
}

// Adds the hashes of the earlier passwords; TooMuchWork when the history
// asks for more rounds than are left, Cancelled when stopped (it may then be
// walked again). The caller holds the lock.
std::optional<WindowsKeyring::Status>
WindowsKeyring::AddEarlierPasswords(const CancelFlag* cancel) const {
    const SecretBytes* current = m_credentials.Sha1Hash();
    const Result<std::string> bytes = m_credHist.empty() || current == nullptr
                                          ? Result<std::string>(std::string())
                                          : ReadRegularFile(m_credHist, kMaxCredHistSize);
    const auto entries = bytes && !bytes->empty() ? ParseCredHist(AsSpan(*bytes)) : std::nullopt;
    if (!entries) {
        m_walkedCredHist = true;
        return std::nullopt;
    }
    // Every entry is decrypted on the way to the oldest, so the walk's cost
    // is known before it starts.
    std::uint64_t rounds = 0;
    for (const CredHistEntry& entry : *entries)
        rounds += entry.rounds;
    if (!Spend(rounds)) {
        m_walkedCredHist = true;
        m_credHistTooLong = true;
        return Status::TooMuchWork;
    }
    // Copied first: adding hashes may move the one the walk starts from.
    const SecretBytes start(current->span());
    std::vector<SecretBytes> earlier = EarlierPasswordHashes(*entries, start.span(), m_sid, cancel);
    if (IsCancelled(cancel))
        return Status::Cancelled;
    m_walkedCredHist = true;
    for (SecretBytes& hash : earlier)
        m_credentials.AddEarlierHash(std::move(hash));
    return std::nullopt;
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
