#include "platform/WindowsMasterKey.h"

#include "platform/ByteReader.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>

#include <algorithm>
#include <cstdio>

namespace quorvane::dpapi {

namespace {

// The fixed header of a master key file: version, two unknown words, the
// GUID as 36 UTF-16 characters and a terminator, three more words (one is
// the policy), then the lengths of the four sections as 64-bit numbers.
constexpr std::size_t kGuidTextBytes = 72;
constexpr std::size_t kMaxCredHistEntries = 256;

// The section's key and IV from the user key, then the plain text.
bool DecryptSection(const HashAlgorithm& hash, const CipherAlgorithm& cipher, ByteSpan userKey,
                    ByteSpan salt, std::uint32_t rounds, ByteSpan cipherText, SecretBytes& plain,
                    const CancelFlag* cancel) {
    SecretBytes derived(cipher.keySize + cipher.ivSize);
    if (!WindowsPbkdf2(hash, userKey, salt, rounds, derived.span(), cancel))
        return false;
    plain = SecretBytes(cipherText.size());
    return CbcCrypt(cipher, derived.span().first(cipher.keySize),
                    derived.span().subspan(cipher.keySize), false, cipherText, plain.data());
}

} // namespace

std::string GuidText(const Guid& guid) {
    char text[37];
    std::snprintf(text, sizeof text,
                  "%02x%02x%02x%02x-%02x%02x-%02x%02x-%02x%02x-%02x%02x%02x%02x%02x%02x", guid[3],
                  guid[2], guid[1], guid[0], guid[5], guid[4], guid[7], guid[6], guid[8], guid[9],
                  guid[10], guid[11], guid[12], guid[13], guid[14], guid[15]);
    return text;
}

std::optional<Guid> GuidFromText(std::string_view text) {
    // xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx, first three fields little-endian.
    static constexpr int kOrder[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
    std::string hex;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (text[i] != '-')
                return std::nullopt;
            continue;
        }
        hex.push_back(text[i]);
    }
    const auto bytes = BytesFromHex(hex);
    if (text.size() != 36 || !bytes || bytes->size() != 16)
        return std::nullopt;
    Guid guid{};
    for (std::size_t i = 0; i < 16; ++i)
        guid[static_cast<std::size_t>(kOrder[i])] = (*bytes)[i];
    return guid;
}

UserCredentials UserCredentials::FromPassword(std::string_view passwordUtf8) {
    UserCredentials credentials;
    const SecretBytes text = Utf16Le(passwordUtf8, false);
    SecretBytes sha1(20);
    if (Digest(*HashById(kCalgSha1), {text.span()}, sha1.data())) {
        credentials.m_hashes.push_back(std::move(sha1));
        credentials.m_hasSha1 = true;
    }
    std::array<std::uint8_t, 16> nt = Md4(text.span());
    credentials.m_hashes.emplace_back(nt);
    OPENSSL_cleanse(nt.data(), nt.size());
    return credentials;
}

std::optional<UserCredentials> UserCredentials::FromNtHash(std::string_view hex) {
    auto bytes = BytesFromHex(hex);
    if (!bytes || bytes->size() != 16)
        return std::nullopt;
    UserCredentials credentials;
    credentials.m_hashes.emplace_back(*bytes);
    OPENSSL_cleanse(bytes->data(), bytes->size());
    return credentials;
}

UserCredentials UserCredentials::Copy() const {
    UserCredentials copy;
    for (const SecretBytes& hash : m_hashes)
        copy.m_hashes.emplace_back(hash.span());
    copy.m_hasSha1 = m_hasSha1;
    return copy;
}

bool UserKey(ByteSpan passwordHash, std::string_view sid, SecretBytes& key) {
    const SecretBytes sidText = Utf16Le(sid, true);
    key = SecretBytes(20);
    return Hmac(*HashById(kCalgSha1), passwordHash, {sidText.span()}, key.data());
}

bool StretchedNtHash(ByteSpan ntHash, std::string_view sid, SecretBytes& hash) {
    const SecretBytes salt = Utf16Le(sid, false);
    SecretBytes first(32);
    SecretBytes second(32);
    const auto pbkdf2 = [&salt](ByteSpan password, int rounds, SecretBytes& out) {
        return PKCS5_PBKDF2_HMAC(reinterpret_cast<const char*>(password.data()),
                                 static_cast<int>(password.size()), salt.data(),
                                 static_cast<int>(salt.size()), rounds, EVP_sha256(),
                                 static_cast<int>(out.size()), out.data()) == 1;
    };
    if (ntHash.size() != 16 || !pbkdf2(ntHash, kNtHashStretchRounds, first) ||
        !pbkdf2(first.span(), 1, second))
        return false;
    second.Shrink(16);
    hash = std::move(second);
    return true;
}

MasterKeyProblem ParseMasterKeyFile(ByteSpan bytes, MasterKeyFile& file) {
    ByteReader reader(bytes);
    std::uint32_t ignored = 0;
    ByteSpan guidText;
    std::uint64_t keyLength = 0;
    std::uint64_t lengths[3] = {};
    if (!reader.Dword(ignored) || !reader.Dword(ignored) || !reader.Dword(ignored) ||
        !reader.Fixed(kGuidTextBytes, guidText) || !reader.Dword(ignored) ||
        !reader.Dword(ignored) || !reader.Dword(ignored) || !reader.Qword(keyLength) ||
        !reader.Qword(lengths[0]) || !reader.Qword(lengths[1]) || !reader.Qword(lengths[2]))
        return MasterKeyProblem::Damaged;
    // The header's GUID text is not trusted for anything: a blob names its
    // key, and the file is found by its name.
    ByteSpan section;
    if (keyLength > reader.Left() || !reader.Fixed(static_cast<std::size_t>(keyLength), section))
        return MasterKeyProblem::Damaged;

    ByteReader key(section);
    ByteSpan salt;
    std::uint32_t version = 0;
    if (!key.Dword(version) || !key.Fixed(16, salt) || !key.Dword(file.rounds) ||
        !key.Dword(file.hashId) || !key.Dword(file.cipherId))
        return MasterKeyProblem::Damaged;
    std::copy(salt.begin(), salt.end(), file.salt.begin());
    const ByteSpan cipherText = key.Rest();
    file.cipherText.assign(cipherText.begin(), cipherText.end());

    const HashAlgorithm* hash = HashById(file.hashId);
    const CipherAlgorithm* cipher = CipherById(file.cipherId);
    if (hash == nullptr || cipher == nullptr)
        return MasterKeyProblem::Unsupported;
    if (file.rounds == 0 || file.rounds > kMaxRounds)
        return file.rounds == 0 ? MasterKeyProblem::Damaged : MasterKeyProblem::TooManyRounds;
    if (file.cipherText.size() % cipher->ivSize != 0 ||
        file.cipherText.size() < 16 + hash->digestSize + kMasterKeySize)
        return MasterKeyProblem::Damaged;
    return MasterKeyProblem::None;
}

MasterKeyProblem UnlockMasterKey(const MasterKeyFile& file, ByteSpan userKey, SecretBytes& key,
                                 const CancelFlag* cancel) {
    const HashAlgorithm* hash = HashById(file.hashId);
    const CipherAlgorithm* cipher = CipherById(file.cipherId);
    if (hash == nullptr || cipher == nullptr)
        return MasterKeyProblem::Unsupported;
    SecretBytes plain;
    if (!DecryptSection(*hash, *cipher, userKey, file.salt, file.rounds, file.cipherText, plain,
                        cancel))
        return IsCancelled(cancel) ? MasterKeyProblem::Cancelled : MasterKeyProblem::Damaged;
    if (plain.size() < 16 + hash->digestSize + kMasterKeySize)
        return MasterKeyProblem::Damaged;

    // The HMAC: first a key from the user key and the stored salt, then the
    // master key under that.
    const ByteSpan hmacSalt = plain.span().first(16);
    const ByteSpan stored = plain.span().subspan(16, hash->digestSize);
    const ByteSpan masterKey = plain.span().last(kMasterKeySize);
    SecretBytes hmacKey(hash->digestSize);
    SecretBytes computed(hash->digestSize);
    if (!Hmac(*hash, userKey, {hmacSalt}, hmacKey.data()) ||
        !Hmac(*hash, hmacKey.span(), {masterKey}, computed.data()))
        return MasterKeyProblem::Damaged;
    if (CRYPTO_memcmp(computed.data(), stored.data(), stored.size()) != 0)
        return MasterKeyProblem::WrongKey;
    key = SecretBytes(masterKey);
    return MasterKeyProblem::None;
}

std::optional<std::vector<CredHistEntry>> ParseCredHist(ByteSpan bytes) {
    // The file opens with a version and the GUID of the newest entry, then
    // holds the entries oldest first, each closed by its own length
    // (counting that length); a zero length closes the header. It is read
    // from the end.
    constexpr std::size_t kHeader = 4 + 16;
    if (bytes.size() < kHeader + 4)
        return std::nullopt;
    std::vector<CredHistEntry> entries;
    std::size_t end = bytes.size();
    while (true) {
        if (end < kHeader + 4)
            return std::nullopt;
        const ByteSpan lengthBytes = bytes.subspan(end - 4, 4);
        const std::uint32_t length = ByteReader(lengthBytes).DwordOr(0);
        if (length == 0)
            break;
        if (length < 4 || length > end - kHeader || entries.size() >= kMaxCredHistEntries)
            return std::nullopt;
        ByteReader entry(bytes.subspan(end - length, length - 4));
        end -= length;

        CredHistEntry parsed;
        std::uint32_t ignored = 0;
        ByteSpan salt;
        std::uint8_t sidRevision = 0, subCount = 0;
        ByteSpan sidRest;
        if (!entry.Dword(ignored) || !entry.Dword(parsed.hashId) || !entry.Dword(parsed.rounds) ||
            !entry.Dword(ignored) || !entry.Dword(parsed.cipherId) ||
            !entry.Dword(parsed.sha1Length) || !entry.Dword(parsed.ntLength) ||
            !entry.Fixed(16, salt) || !entry.Byte(sidRevision) || !entry.Byte(subCount) ||
            !entry.Fixed(6 + 4 * static_cast<std::size_t>(subCount), sidRest))
            return std::nullopt;
        std::copy(salt.begin(), salt.end(), parsed.salt.begin());
        const CipherAlgorithm* cipher = CipherById(parsed.cipherId);
        if (cipher == nullptr || HashById(parsed.hashId) == nullptr || parsed.rounds == 0 ||
            parsed.rounds > kMaxRounds || parsed.sha1Length > 64 || parsed.ntLength > 64)
            return std::nullopt;
        std::size_t size = parsed.sha1Length + parsed.ntLength;
        size += (cipher->ivSize - size % cipher->ivSize) % cipher->ivSize;
        ByteSpan cipherText;
        if (!entry.Fixed(size, cipherText))
            return std::nullopt;
        parsed.cipherText.assign(cipherText.begin(), cipherText.end());
        entries.push_back(std::move(parsed));
    }
    return entries;
}

std::vector<SecretBytes> EarlierPasswordHashes(const std::vector<CredHistEntry>& entries,
                                               ByteSpan currentSha1, std::string_view sid,
                                               const CancelFlag* cancel) {
    std::vector<SecretBytes> found;
    SecretBytes current(currentSha1);
    for (const CredHistEntry& entry : entries) {
        SecretBytes key;
        SecretBytes plain;
        if (!UserKey(current.span(), sid, key) ||
            !DecryptSection(*HashById(entry.hashId), *CipherById(entry.cipherId), key.span(),
                            entry.salt, entry.rounds, entry.cipherText, plain, cancel))
            break;
        SecretBytes sha1(plain.span().first(entry.sha1Length));
        SecretBytes nt(plain.span().subspan(entry.sha1Length, entry.ntLength));
        // A wrong key gives noise; nothing in the entry checks it, so the
        // hashes are only tried against master keys.
        found.emplace_back(sha1.span());
        if (nt.size() == 16)
            found.push_back(std::move(nt));
        current = std::move(sha1);
    }
    return found;
}

} // namespace quorvane::dpapi
