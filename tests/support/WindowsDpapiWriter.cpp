#include "WindowsDpapiWriter.h"

#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "protection/UserCredentials.h"

#include <QString>

// MD4 (the NT hash) has only the low-level call outside OpenSSL's legacy
// provider.
#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <openssl/md4.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>

// Every digest, HMAC, key stretching and cipher here is OpenSSL's own or
// written here from the public descriptions of Windows' data protection,
// never the reader's: a mistake in the reader's crypto cannot be made again
// on the writing side.
namespace quorvane::test {

namespace {

// Windows' algorithm identifiers (ALG_ID).
constexpr std::uint32_t kSha1 = 0x8004;
constexpr std::uint32_t kHmacSha1 = 0x8009;
constexpr std::uint32_t kSha512 = 0x800e;
constexpr std::uint32_t kTripleDes = 0x6603;
constexpr std::uint32_t kAes256 = 0x6610;

void Require(bool ok) {
    if (!ok)
        throw std::runtime_error("the test encryptor failed");
}

const EVP_MD* HashById(std::uint32_t id) {
    if (id == kSha1 || id == kHmacSha1)
        return EVP_sha1();
    if (id == kSha512)
        return EVP_sha512();
    throw std::invalid_argument("no such hash in the test encryptor");
}

const EVP_CIPHER* CipherById(std::uint32_t id) {
    if (id == kTripleDes)
        return EVP_des_ede3_cbc();
    if (id == kAes256)
        return EVP_aes_256_cbc();
    throw std::invalid_argument("no such cipher in the test encryptor");
}

std::size_t DigestSize(const EVP_MD* md) {
    return static_cast<std::size_t>(EVP_MD_get_size(md));
}

Bytes Joined(std::initializer_list<std::span<const std::uint8_t>> pieces) {
    Bytes all;
    for (const auto& piece : pieces)
        all.insert(all.end(), piece.begin(), piece.end());
    return all;
}

Bytes DigestOf(const EVP_MD* md, std::initializer_list<std::span<const std::uint8_t>> pieces) {
    const Bytes data = Joined(pieces);
    Bytes out(DigestSize(md));
    Require(EVP_Digest(data.data(), data.size(), out.data(), nullptr, md, nullptr) == 1);
    return out;
}

Bytes HmacOf(const EVP_MD* md, std::span<const std::uint8_t> key,
             std::initializer_list<std::span<const std::uint8_t>> pieces) {
    const Bytes data = Joined(pieces);
    Bytes out(DigestSize(md));
    unsigned size = 0;
    Require(HMAC(md, key.data(), static_cast<int>(key.size()), data.data(), data.size(), out.data(),
                 &size) != nullptr);
    return out;
}

Bytes Md4Of(std::span<const std::uint8_t> data) {
    Bytes out(MD4_DIGEST_LENGTH);
    MD4(data.data(), data.size(), out.data());
    return out;
}

// Text as UTF-16LE, with or without the terminating zero.
Bytes Utf16Le(const std::string& utf8, bool terminated) {
    Bytes out;
    for (char16_t unit : QString::fromStdString(utf8).toStdU16String()) {
        out.push_back(static_cast<std::uint8_t>(unit));
        out.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    if (terminated)
        out.insert(out.end(), 2, 0);
    return out;
}

// PBKDF2 as Windows computes it for master keys and CREDHIST: each round's
// HMAC is taken over the running XOR of the rounds before it, not over the
// previous round's output as RFC 8018 says.
Bytes WindowsPbkdf2(const EVP_MD* md, std::span<const std::uint8_t> password,
                    std::span<const std::uint8_t> salt, std::uint32_t rounds, std::size_t size) {
    Bytes out;
    for (std::uint32_t block = 1; out.size() < size; ++block) {
        const std::uint8_t index[4] = {
            static_cast<std::uint8_t>(block >> 24), static_cast<std::uint8_t>(block >> 16),
            static_cast<std::uint8_t>(block >> 8), static_cast<std::uint8_t>(block)};
        Bytes sum = HmacOf(md, password, {salt, index});
        for (std::uint32_t r = 1; r < rounds; ++r) {
            const Bytes round = HmacOf(md, password, {sum});
            for (std::size_t i = 0; i < sum.size(); ++i)
                sum[i] ^= round[i];
        }
        out.insert(out.end(), sum.begin(), sum.end());
    }
    out.resize(size);
    return out;
}

Bytes CbcEncrypt(const EVP_CIPHER* cipher, std::span<const std::uint8_t> key,
                 std::span<const std::uint8_t> iv, const Bytes& plain) {
    std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> context(EVP_CIPHER_CTX_new(),
                                                                            &EVP_CIPHER_CTX_free);
    Bytes out(plain.size() + static_cast<std::size_t>(EVP_CIPHER_get_block_size(cipher)));
    int written = 0;
    int last = 0;
    Require(context && EVP_EncryptInit_ex(context.get(), cipher, nullptr, key.data(), iv.data()) &&
            EVP_CIPHER_CTX_set_padding(context.get(), 0) &&
            EVP_EncryptUpdate(context.get(), out.data(), &written, plain.data(),
                              static_cast<int>(plain.size())) &&
            EVP_EncryptFinal_ex(context.get(), out.data() + written, &last));
    out.resize(static_cast<std::size_t>(written + last));
    return out;
}

// Windows PBKDF2 for the key and IV, then CBC.
Bytes EncryptSection(const EVP_MD* md, const EVP_CIPHER* cipher,
                     std::span<const std::uint8_t> userKey, std::span<const std::uint8_t> salt,
                     std::uint32_t rounds, const Bytes& plain) {
    const auto keySize = static_cast<std::size_t>(EVP_CIPHER_get_key_length(cipher));
    const auto ivSize = static_cast<std::size_t>(EVP_CIPHER_get_iv_length(cipher));
    const Bytes derived = WindowsPbkdf2(md, userKey, salt, rounds, keySize + ivSize);
    return CbcEncrypt(cipher, std::span(derived).first(keySize),
                      std::span(derived).subspan(keySize), plain);
}

// The key of a password: HMAC-SHA1 keyed with its hash over the user's SID
// in UTF-16LE with its terminating zero.
Bytes UserKeyOf(std::span<const std::uint8_t> passwordHash, const std::string& sid) {
    return HmacOf(EVP_sha1(), passwordHash, {Utf16Le(sid, true)});
}

// CryptDeriveKey: a session key longer than the hash's block is hashed
// first; one too short for the cipher is stretched through the 0x36 and
// 0x5c pads.
Bytes DeriveCipherKey(const EVP_MD* md, const EVP_CIPHER* cipher, Bytes value) {
    const auto keySize = static_cast<std::size_t>(EVP_CIPHER_get_key_length(cipher));
    const auto block = static_cast<std::size_t>(EVP_MD_get_block_size(md));
    if (value.size() > block)
        value = DigestOf(md, {value});
    if (value.size() < keySize) {
        Bytes inner(block, 0x36), outer(block, 0x5c);
        for (std::size_t i = 0; i < value.size(); ++i) {
            inner[i] ^= value[i];
            outer[i] ^= value[i];
        }
        value = Joined({DigestOf(md, {inner}), DigestOf(md, {outer})});
    }
    value.resize(keySize);
    return value;
}

std::string GuidName(const Guid& guid) {
    char text[37];
    std::snprintf(text, sizeof text,
                  "%02x%02x%02x%02x-%02x%02x-%02x%02x-%02x%02x-%02x%02x%02x%02x%02x%02x", guid[3],
                  guid[2], guid[1], guid[0], guid[5], guid[4], guid[7], guid[6], guid[8], guid[9],
                  guid[10], guid[11], guid[12], guid[13], guid[14], guid[15]);
    return text;
}

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

// The blob's session key, as the reader's two schemes make it.
Bytes SessionKey(const EVP_MD* md, std::span<const std::uint8_t> keyHash,
                 std::span<const std::uint8_t> salt, std::span<const std::uint8_t> entropy,
                 std::span<const std::uint8_t> signedPart, bool xpStyle) {
    if (!xpStyle)
        return HmacOf(md, keyHash, {salt, entropy, signedPart});
    const auto block = static_cast<std::size_t>(EVP_MD_get_block_size(md));
    Bytes inner(block), outer(block);
    for (std::size_t i = 0; i < block; ++i) {
        const std::uint8_t b = i < keyHash.size() ? keyHash[i] : 0;
        inner[i] = static_cast<std::uint8_t>(b ^ 0x36);
        outer[i] = static_cast<std::uint8_t>(b ^ 0x5c);
    }
    const Bytes first = DigestOf(md, {inner, salt});
    return DigestOf(md, {outer, first, entropy, signedPart});
}

} // namespace

Bytes FromHex(std::string_view hex) {
    const auto digit = [](char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        throw std::invalid_argument("not hexadecimal");
    };
    if (hex.size() % 2 != 0)
        throw std::invalid_argument("not hexadecimal");
    Bytes bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(digit(hex[i]) * 16 + digit(hex[i + 1])));
    return bytes;
}

std::string ToHex(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (std::uint8_t b : bytes) {
        text.push_back(kDigits[b >> 4]);
        text.push_back(kDigits[b & 15]);
    }
    return text;
}

Bytes MasterKeyCipherText(const MasterKeyRecipe& recipe, std::span<const std::uint8_t> userKey) {
    const EVP_MD* md = HashById(recipe.hashId);
    const EVP_CIPHER* cipher = CipherById(recipe.cipherId);
    const Bytes hmacKey = HmacOf(md, userKey, {recipe.hmacSalt});
    const Bytes hmac = HmacOf(md, hmacKey, {recipe.key});
    Bytes plain(recipe.hmacSalt.begin(), recipe.hmacSalt.end());
    plain.insert(plain.end(), hmac.begin(), hmac.end());
    const auto blockSize = static_cast<std::size_t>(EVP_CIPHER_get_block_size(cipher));
    std::size_t size = plain.size() + recipe.key.size();
    size += (blockSize - size % blockSize) % blockSize;
    Bytes filler = recipe.filler;
    filler.resize(size - plain.size() - recipe.key.size(), 0);
    plain.insert(plain.end(), filler.begin(), filler.end());
    plain.insert(plain.end(), recipe.key.begin(), recipe.key.end());
    return EncryptSection(md, cipher, userKey, recipe.salt, recipe.rounds, plain);
}

Bytes MasterKeyFileBytes(const MasterKeyRecipe& recipe, std::span<const std::uint8_t> userKey) {
    Bytes section;
    Put32(section, recipe.cipherId == kTripleDes ? 1 : 2);
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
    const std::string guid = GuidName(recipe.guid);
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
    const EVP_MD* md = HashById(recipe.hashId);
    const EVP_CIPHER* cipher = CipherById(recipe.cipherId);
    const Bytes keyHash = DigestOf(EVP_sha1(), {masterKey});

    const Bytes key = DeriveCipherKey(
        md, cipher, SessionKey(md, keyHash, recipe.salt, entropy, {}, recipe.xpStyle));
    const auto blockSize = static_cast<std::size_t>(EVP_CIPHER_get_block_size(cipher));
    Bytes padded(plain.begin(), plain.end());
    const std::size_t pad = blockSize - plain.size() % blockSize;
    padded.insert(padded.end(), pad, static_cast<std::uint8_t>(pad));
    const Bytes cipherText = CbcEncrypt(cipher, key, Bytes(blockSize, 0), padded);

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
    Put32(blob, static_cast<std::uint32_t>(
                    recipe.cipherId == kTripleDes ? 168 : 8 * EVP_CIPHER_get_key_length(cipher)));
    PutCounted(blob, recipe.salt);
    PutCounted(blob, {});
    Put32(blob, recipe.hashId);
    Put32(blob, static_cast<std::uint32_t>(8 * DigestSize(md)));
    PutCounted(blob, recipe.signKey);
    PutCounted(blob, cipherText);
    const Bytes signedPart(blob.begin() + static_cast<std::ptrdiff_t>(signedStart), blob.end());
    PutCounted(blob, SessionKey(md, keyHash, recipe.signKey, entropy, signedPart, recipe.xpStyle));
    return blob;
}

Bytes CredHistBytes(const std::vector<std::string>& passwords, const std::string& sid) {
    Bytes file;
    Put32(file, 1);
    file.insert(file.end(), 16, 0x77);
    Put32(file, 0);
    // Oldest first: the entry of password i is protected by password i + 1.
    for (std::size_t i = 0; i + 1 < passwords.size(); ++i) {
        const Bytes older = Utf16Le(passwords[i], false);
        const Bytes newer = Utf16Le(passwords[i + 1], false);
        Bytes plain = DigestOf(EVP_sha1(), {older});
        const Bytes nt = Md4Of(older);
        plain.insert(plain.end(), nt.begin(), nt.end());
        plain.resize(40, 0); // 36 bytes to whole 3DES blocks
        const Bytes userKey = UserKeyOf(DigestOf(EVP_sha1(), {newer}), sid);
        std::array<std::uint8_t, 16> salt{};
        salt.fill(static_cast<std::uint8_t>(0x30 + i));
        const Bytes cipherText =
            EncryptSection(EVP_sha1(), EVP_des_ede3_cbc(), userKey, salt, 4000, plain);

        Bytes entry;
        Put32(entry, 1);
        Put32(entry, kSha1);
        Put32(entry, 4000);
        Put32(entry, 0);
        Put32(entry, kTripleDes);
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
    recipe.hashId = xp ? kHmacSha1 : kSha512;
    recipe.cipherId = xp ? kTripleDes : kAes256;
    const Bytes text = Utf16Le(password, false);
    const Bytes userKey = UserKeyOf(domain ? Md4Of(text) : DigestOf(EVP_sha1(), {text}), sid);
    const Bytes file = MasterKeyFileBytes(recipe, userKey);
    Require(
        WriteFileAtomically(JoinPath(folder, GuidName(guid)), std::string(file.begin(), file.end()))
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

quorvane::Result<Bytes>
WindowsTestProtection::Unprotect(std::span<const std::uint8_t> blob,
                                 std::span<const std::uint8_t> entropy) const {
    return m_reader.Unprotect(blob, entropy);
}

Bytes WindowsTestProtection::Protect(std::span<const std::uint8_t> plain,
                                     std::span<const std::uint8_t> entropy,
                                     std::u16string_view description) const {
    BlobRecipe recipe;
    recipe.masterKey = m_user.guid;
    recipe.xpStyle = m_user.xp;
    recipe.cipherId = m_user.xp ? kTripleDes : kAes256;
    recipe.hashId = m_user.xp ? kSha1 : kSha512;
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
