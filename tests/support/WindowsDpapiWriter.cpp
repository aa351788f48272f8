#include "WindowsDpapiWriter.h"

#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "protection/DpapiCrypto.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace quorvane::test {

using namespace quorvane::dpapi;

namespace {

void Put32(Bytes& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void Put64(Bytes& out, std::uint64_t value) {
    for (int shift = 0; shift < 64; shift += 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutCounted(Bytes& out, std::span<const std::uint8_t> bytes) {
    Put32(out, static_cast<std::uint32_t>(bytes.size()));
    out.insert(out.end(), bytes.begin(), bytes.end());
}

void Require(bool ok) {
    if (!ok)
        throw std::runtime_error("the test encryptor failed");
}

// PBKDF2 (Windows' variant) for the key and IV, then CBC.
Bytes EncryptSection(const HashAlgorithm& hash, const CipherAlgorithm& cipher,
                     std::span<const std::uint8_t> userKey, std::span<const std::uint8_t> salt,
                     std::uint32_t rounds, const Bytes& plain) {
    Bytes derived(cipher.keySize + cipher.ivSize);
    Require(WindowsPbkdf2(hash, userKey, salt, rounds, derived));
    Bytes out(plain.size());
    Require(CbcCrypt(cipher, std::span(derived).first(cipher.keySize),
                     std::span(derived).subspan(cipher.keySize), true, plain, out.data()));
    return out;
}

Bytes HashOf(std::uint32_t id, std::span<const std::uint8_t> data) {
    const HashAlgorithm& hash = *HashById(id);
    Bytes out(hash.digestSize);
    Require(Digest(hash, {data}, out.data()));
    return out;
}

// The blob's session key, as the reader's two schemes make it.
Bytes SessionKey(const HashAlgorithm& hash, std::span<const std::uint8_t> keyHash,
                 std::span<const std::uint8_t> salt, std::span<const std::uint8_t> entropy,
                 std::span<const std::uint8_t> signedPart, bool xpStyle) {
    Bytes out(hash.digestSize);
    if (!xpStyle) {
        Require(Hmac(hash, keyHash, {salt, entropy, signedPart}, out.data()));
        return out;
    }
    Bytes inner(hash.blockSize), outer(hash.blockSize);
    for (std::size_t i = 0; i < hash.blockSize; ++i) {
        const std::uint8_t b = i < keyHash.size() ? keyHash[i] : 0;
        inner[i] = static_cast<std::uint8_t>(b ^ 0x36);
        outer[i] = static_cast<std::uint8_t>(b ^ 0x5c);
    }
    Bytes first(hash.digestSize);
    Require(Digest(hash, {inner, salt}, first.data()));
    Require(Digest(hash, {outer, first, entropy, signedPart}, out.data()));
    return out;
}

} // namespace

Bytes FromHex(std::string_view hex) {
    auto bytes = BytesFromHex(hex);
    if (!bytes)
        throw std::invalid_argument("not hexadecimal");
    return *bytes;
}

std::string ToHex(std::span<const std::uint8_t> bytes) {
    return HexText(bytes);
}

Bytes MasterKeyCipherText(const MasterKeyRecipe& recipe, std::span<const std::uint8_t> userKey) {
    const HashAlgorithm& hash = *HashById(recipe.hashId);
    const CipherAlgorithm& cipher = *CipherById(recipe.cipherId);
    Bytes hmacKey(hash.digestSize), hmac(hash.digestSize);
    Require(Hmac(hash, userKey, {recipe.hmacSalt}, hmacKey.data()));
    Require(Hmac(hash, hmacKey, {recipe.key}, hmac.data()));
    Bytes plain(recipe.hmacSalt.begin(), recipe.hmacSalt.end());
    plain.insert(plain.end(), hmac.begin(), hmac.end());
    std::size_t size = plain.size() + recipe.key.size();
    size += (cipher.ivSize - size % cipher.ivSize) % cipher.ivSize;
    Bytes filler = recipe.filler;
    filler.resize(size - plain.size() - recipe.key.size(), 0);
    plain.insert(plain.end(), filler.begin(), filler.end());
    plain.insert(plain.end(), recipe.key.begin(), recipe.key.end());
    return EncryptSection(hash, cipher, userKey, recipe.salt, recipe.rounds, plain);
}

Bytes MasterKeyFileBytes(const MasterKeyRecipe& recipe, std::span<const std::uint8_t> userKey) {
    Bytes section;
    Put32(section, recipe.cipherId == kCalg3Des ? 1 : 2);
    section.insert(section.end(), recipe.salt.begin(), recipe.salt.end());
    Put32(section, recipe.rounds);
    Put32(section, recipe.hashId);
    Put32(section, recipe.cipherId);
    const Bytes cipherText = MasterKeyCipherText(recipe, userKey);
    section.insert(section.end(), cipherText.begin(), cipherText.end());

    Bytes file;
    Put32(file, 2);
    Put32(file, 0);
    Put32(file, 0);
    const std::string guid = GuidText(recipe.guid);
    for (char c : guid) {
        file.push_back(static_cast<std::uint8_t>(c));
        file.push_back(0);
    }
    file.insert(file.end(), 72 - 2 * guid.size(), 0);
    Put32(file, 0);
    Put32(file, 0);
    Put32(file, 5); // flags
    Put64(file, section.size());
    Put64(file, 0);  // no local backup key
    Put64(file, 20); // CREDHIST link
    Put64(file, 0);  // no domain key
    file.insert(file.end(), section.begin(), section.end());
    Put32(file, 3);
    file.insert(file.end(), 16, 0);
    return file;
}

Bytes BlobBytes(const BlobRecipe& recipe, std::span<const std::uint8_t> masterKey,
                std::span<const std::uint8_t> plain, std::span<const std::uint8_t> entropy) {
    const HashAlgorithm& hash = *HashById(recipe.hashId);
    const CipherAlgorithm& cipher = *CipherById(recipe.cipherId);
    const Bytes keyHash = HashOf(kCalgSha1, masterKey);

    const Bytes session = SessionKey(hash, keyHash, recipe.salt, entropy, {}, recipe.xpStyle);
    SecretBytes key;
    Require(DeriveCipherKey(hash, cipher, session, key));
    Bytes padded(plain.begin(), plain.end());
    const std::size_t pad = cipher.ivSize - plain.size() % cipher.ivSize;
    padded.insert(padded.end(), pad, static_cast<std::uint8_t>(pad));
    Bytes cipherText(padded.size());
    Require(CbcCrypt(cipher, key.span(), Bytes(cipher.ivSize, 0), true, padded, cipherText.data()));

    Bytes blob;
    Put32(blob, 1);
    const Bytes provider = FromHex("d08c9ddf0115d1118c7a00c04fc297eb");
    blob.insert(blob.end(), provider.begin(), provider.end());
    const std::size_t signedStart = blob.size();
    Put32(blob, 1);
    blob.insert(blob.end(), recipe.masterKey.begin(), recipe.masterKey.end());
    Put32(blob, recipe.flags);
    Bytes description;
    for (char16_t unit : recipe.description + u'\0') {
        description.push_back(static_cast<std::uint8_t>(unit));
        description.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    PutCounted(blob, description);
    Put32(blob, recipe.cipherId);
    Put32(blob,
          static_cast<std::uint32_t>(recipe.cipherId == kCalg3Des ? 168 : cipher.keySize * 8));
    PutCounted(blob, recipe.salt);
    PutCounted(blob, {});
    Put32(blob, recipe.hashId);
    Put32(blob, static_cast<std::uint32_t>(hash.digestSize * 8));
    PutCounted(blob, recipe.signKey);
    PutCounted(blob, cipherText);
    const Bytes signedPart(blob.begin() + static_cast<std::ptrdiff_t>(signedStart), blob.end());
    PutCounted(blob,
               SessionKey(hash, keyHash, recipe.signKey, entropy, signedPart, recipe.xpStyle));
    return blob;
}

Bytes CredHistBytes(const std::vector<std::string>& passwords, const std::string& sid) {
    Bytes file;
    Put32(file, 1);
    file.insert(file.end(), 16, 0x77);
    Put32(file, 0);
    // Oldest first: the entry of password i is protected by password i + 1.
    for (std::size_t i = 0; i + 1 < passwords.size(); ++i) {
        const HashAlgorithm& sha1 = *HashById(kCalgSha1);
        const CipherAlgorithm& des = *CipherById(kCalg3Des);
        const SecretBytes older = Utf16Le(passwords[i], false);
        const SecretBytes newer = Utf16Le(passwords[i + 1], false);
        Bytes plain = HashOf(kCalgSha1, older.span());
        const auto nt = Md4(older.span());
        plain.insert(plain.end(), nt.begin(), nt.end());
        plain.resize(40, 0); // 36 bytes to whole 3DES blocks
        SecretBytes userKey;
        Require(UserKey(HashOf(kCalgSha1, newer.span()), sid, userKey));
        std::array<std::uint8_t, 16> salt{};
        salt.fill(static_cast<std::uint8_t>(0x30 + i));
        const Bytes cipherText = EncryptSection(sha1, des, userKey.span(), salt, 4000, plain);

        Bytes entry;
        Put32(entry, 1);
        Put32(entry, kCalgSha1);
        Put32(entry, 4000);
        Put32(entry, 0);
        Put32(entry, kCalg3Des);
        Put32(entry, 20);
        Put32(entry, 16);
        entry.insert(entry.end(), salt.begin(), salt.end());
        // The SID: revision, count, authority, then the parts (not parsed
        // back beyond their lengths).
        entry.insert(entry.end(), {1, 5, 0, 0, 0, 0, 0, 5});
        for (int part = 0; part < 5; ++part)
            Put32(entry, 21 + static_cast<std::uint32_t>(part));
        entry.insert(entry.end(), cipherText.begin(), cipherText.end());
        Put32(entry, 1);
        entry.insert(entry.end(), 16, static_cast<std::uint8_t>(i));
        Put32(entry, static_cast<std::uint32_t>(entry.size() + 4));
        file.insert(file.end(), entry.begin(), entry.end());
    }
    return file;
}

std::string WindowsUserKeys::ProtectFolder(const std::string& appData) const {
    return JoinPath(JoinPath(appData, "Microsoft/Protect"), sid);
}

void WindowsUserKeys::Write(const std::string& appData) const {
    const std::string folder = ProtectFolder(appData);
    std::filesystem::create_directories(folder);
    MasterKeyRecipe recipe;
    recipe.guid = guid;
    recipe.key = masterKey;
    recipe.salt.fill(0x5f);
    recipe.hmacSalt.fill(0x3c);
    recipe.rounds = xp ? 4000 : 8000;
    recipe.hashId = xp ? kCalgHmac : kCalgSha512;
    recipe.cipherId = xp ? kCalg3Des : kCalgAes256;
    const SecretBytes text = Utf16Le(password, false);
    SecretBytes userKey;
    const auto nt = Md4(text.span());
    const Bytes hash = domain ? Bytes(nt.begin(), nt.end()) : HashOf(kCalgSha1, text.span());
    Require(UserKey(hash, sid, userKey));
    const Bytes file = MasterKeyFileBytes(recipe, userKey.span());
    Require(
        WriteFileAtomically(JoinPath(folder, GuidText(guid)), std::string(file.begin(), file.end()))
            .has_value());
    Bytes preferred(guid.begin(), guid.end());
    preferred.insert(preferred.end(), 8, 0);
    Require(WriteFileAtomically(JoinPath(folder, "Preferred"),
                                std::string(preferred.begin(), preferred.end()))
                .has_value());
}

WindowsTestProtection::WindowsTestProtection(const WindowsUserKeys& user,
                                             const WindowsKeyring& keyring)
    : m_user(user), m_reader(keyring) {}

std::optional<Bytes> WindowsTestProtection::Unprotect(std::span<const std::uint8_t> blob,
                                                      std::span<const std::uint8_t> entropy,
                                                      UnprotectFailure* failure) const {
    return m_reader.Unprotect(blob, entropy, failure);
}

Bytes WindowsTestProtection::Protect(std::span<const std::uint8_t> plain,
                                     std::span<const std::uint8_t> entropy,
                                     std::u16string_view description) const {
    BlobRecipe recipe;
    recipe.masterKey = m_user.guid;
    recipe.xpStyle = m_user.xp;
    recipe.cipherId = m_user.xp ? kCalg3Des : kCalgAes256;
    recipe.hashId = m_user.xp ? kCalgSha1 : kCalgSha512;
    recipe.salt = Bytes(16, 0x11);
    recipe.signKey = Bytes(16, 0x22);
    recipe.description = std::u16string(description);
    return BlobBytes(recipe, m_user.masterKey, plain, entropy);
}

namespace {

// Writes the user's keys and gives the folder they are in.
std::string WrittenProtectFolder(const WindowsUserKeys& user, const std::string& appData) {
    user.Write(appData);
    return user.ProtectFolder(appData);
}

} // namespace

WindowsUserProtection::WindowsUserProtection(const WindowsUserKeys& user,
                                             const std::string& appData)
    : keyring(WrittenProtectFolder(user, appData), user.sid,
              dpapi::UserCredentials::FromPassword(user.password)),
      protection(user, keyring) {}

} // namespace quorvane::test
