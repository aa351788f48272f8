#include "platform/WindowsDataProtection.h"

#include "platform/ByteReader.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"

#include <openssl/crypto.h>

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

// The provider every data protection blob names.
constexpr Guid kProvider = {0xd0, 0x8c, 0x9d, 0xdf, 0x01, 0x15, 0xd1, 0x11,
                            0x8c, 0x7a, 0x00, 0xc0, 0x4f, 0xc2, 0x97, 0xeb};

ByteSpan AsSpan(const std::string& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

// The session key of a blob, or of its signature, as Windows XP made it:
// the master key's hash zero-padded to the hash's block, XOR 0x36, hashed
// with the salt; then XOR 0x5c, hashed with that and the entropy (and the
// signed part, for the signature).
bool XpSessionKey(const HashAlgorithm& hash, ByteSpan keyHash, ByteSpan salt, ByteSpan entropy,
                  ByteSpan signedPart, SecretBytes& out) {
    SecretBytes first(hash.digestSize);
    out = SecretBytes(hash.digestSize);
    return Digest(hash, {PaddedKey(hash, keyHash, kInnerPad).span(), salt}, first.data()) &&
           Digest(hash,
                  {PaddedKey(hash, keyHash, kOuterPad).span(), first.span(), entropy, signedPart},
                  out.data());
}

// Later versions: an HMAC under the master key's hash over the salt, the
// entropy (and the signed part).
bool LaterSessionKey(const HashAlgorithm& hash, ByteSpan keyHash, ByteSpan salt, ByteSpan entropy,
                     ByteSpan signedPart, SecretBytes& out) {
    out = SecretBytes(hash.digestSize);
    return Hmac(hash, keyHash, {salt, entropy, signedPart}, out.data());
}

using SessionKeyFunction = bool (*)(const HashAlgorithm&, ByteSpan, ByteSpan, ByteSpan, ByteSpan,
                                    SecretBytes&);

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

BlobProblem ParseWindowsBlob(ByteSpan blob, WindowsBlob& parsed) {
    ByteReader reader(blob);
    std::uint32_t version = 0, keyVersion = 0, ignored = 0;
    ByteSpan provider, masterKey, description, strong;
    if (!reader.Dword(version) || !reader.Fixed(16, provider))
        return BlobProblem::Damaged;
    const std::size_t signedStart = reader.Offset();
    if (!reader.Dword(keyVersion) || !reader.Fixed(16, masterKey) || !reader.Dword(parsed.flags) ||
        !reader.Counted(description) || !reader.Dword(parsed.cipherId) ||
        !reader.Dword(ignored) /* key bits */ || !reader.Counted(parsed.salt) ||
        !reader.Counted(strong) || !reader.Dword(parsed.hashId) ||
        !reader.Dword(ignored) /* hash bits */ || !reader.Counted(parsed.signKey) ||
        !reader.Counted(parsed.cipherText))
        return BlobProblem::Damaged;
    parsed.signedPart = blob.subspan(signedStart, reader.Offset() - signedStart);
    if (!reader.Counted(parsed.signature))
        return BlobProblem::Damaged;
    if (version != 1 || !std::equal(provider.begin(), provider.end(), kProvider.begin()))
        return BlobProblem::Damaged;
    std::copy(masterKey.begin(), masterKey.end(), parsed.masterKey.begin());
    const HashAlgorithm* hash = HashById(parsed.hashId);
    const CipherAlgorithm* cipher = CipherById(parsed.cipherId);
    if (hash == nullptr || cipher == nullptr)
        return BlobProblem::Unsupported;
    if (parsed.cipherText.empty() || parsed.cipherText.size() % cipher->ivSize != 0 ||
        parsed.signature.size() != hash->digestSize)
        return BlobProblem::Damaged;
    return BlobProblem::None;
}

BlobProblem DecryptWindowsBlob(const WindowsBlob& blob, ByteSpan masterKey, ByteSpan entropy,
                               Bytes& plain) {
    const HashAlgorithm& hash = *HashById(blob.hashId);
    const CipherAlgorithm& cipher = *CipherById(blob.cipherId);
    // The blob is keyed by the master key's SHA-1, whatever its own hash.
    SecretBytes keyHash(20);
    if (!Digest(*HashById(kCalgSha1), {masterKey}, keyHash.data()))
        return BlobProblem::Damaged;

    for (SessionKeyFunction sessionKey : {&XpSessionKey, &LaterSessionKey}) {
        SecretBytes signature;
        if (!sessionKey(hash, keyHash.span(), blob.signKey, entropy, blob.signedPart, signature) ||
            CRYPTO_memcmp(signature.data(), blob.signature.data(), signature.size()) != 0)
            continue;
        // Signed by this scheme: only now is the cipher text used.
        SecretBytes session;
        SecretBytes key;
        if (!sessionKey(hash, keyHash.span(), blob.salt, entropy, {}, session) ||
            !DeriveCipherKey(hash, cipher, session.span(), key))
            return BlobProblem::Damaged;
        const Bytes iv(cipher.ivSize, 0);
        SecretBytes decrypted(blob.cipherText.size());
        if (!CbcCrypt(cipher, key.span(), iv, false, blob.cipherText, decrypted.data()))
            return BlobProblem::Damaged;
        const std::uint8_t pad = decrypted.data()[decrypted.size() - 1];
        if (pad == 0 || pad > cipher.ivSize)
            return BlobProblem::Damaged;
        plain.assign(decrypted.data(), decrypted.data() + decrypted.size() - pad);
        return BlobProblem::None;
    }
    return BlobProblem::BadSignature;
}

std::optional<Bytes> WindowsDataProtection::Unprotect(std::span<const std::uint8_t> blob,
                                                      std::span<const std::uint8_t> entropy,
                                                      UnprotectFailure* failure) const {
    const auto fail = [failure](UnprotectFailure why) -> std::optional<Bytes> {
        if (failure)
            *failure = why;
        return std::nullopt;
    };
    if (failure)
        *failure = UnprotectFailure::None;
    try {
        WindowsBlob parsed;
        if (ParseWindowsBlob(blob, parsed) != BlobProblem::None)
            return fail(UnprotectFailure::Damaged);
        const WindowsKeyring::Lookup key = m_keyring.Key(parsed.masterKey);
        switch (key.status) {
        case WindowsKeyring::Status::Unlocked:
            break;
        case WindowsKeyring::Status::Missing:
            return fail(UnprotectFailure::MissingKey);
        case WindowsKeyring::Status::WrongPassword:
            return fail(UnprotectFailure::Locked);
        default:
            return fail(UnprotectFailure::Damaged);
        }
        Bytes plain;
        switch (DecryptWindowsBlob(parsed, key.key->span(), entropy, plain)) {
        case BlobProblem::None:
            return plain;
        case BlobProblem::BadSignature:
            // A sound blob under an open key: the entropy (the passport)
            // differs, or the blob was changed.
            return fail(UnprotectFailure::WrongKey);
        default:
            return fail(UnprotectFailure::Damaged);
        }
    } catch (...) {
        return std::nullopt;
    }
}

} // namespace quorvane
