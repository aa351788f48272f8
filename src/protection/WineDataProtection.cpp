#include "protection/WineDataProtection.h"

#include "platform/ByteReader.h"
#include "protection/DpapiCrypto.h"

#include <openssl/crypto.h>
#include <openssl/rand.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <utility>

namespace quorvane {

namespace {

// The blob marker Wine writes three times; only the first copy is checked
// when reading, as Wine does.
constexpr std::array<std::uint8_t, 16> kMagic = {'W', 'i', 'n', 'e', ' ', 'C', 'r', 'y',
                                                 'p', 't', '3', '2', ' ', 'o', 'k', 0};
// Wine's fixed secret between the user name and the salt (no terminator).
constexpr std::string_view kSecret = "I'm hunting wabbits";

using dpapi::kCalg3Des;
using dpapi::kCalgSha1;
constexpr std::uint32_t kKeyBits = 168;
constexpr std::uint32_t kKeyBitsWithParity = 192;
constexpr std::uint32_t kHashBits = 160;

constexpr std::size_t kSha1Size = 20;
constexpr std::size_t kBlockSize = 8;

using Sha1 = std::array<std::uint8_t, kSha1Size>;
using dpapi::SecretBytes;

const dpapi::HashAlgorithm& Sha1Algorithm() {
    return *dpapi::HashById(kCalgSha1);
}
const dpapi::CipherAlgorithm& Des3() {
    return *dpapi::CipherById(kCalg3Des);
}

// SHA-1 over several pieces, fed in order. False only when OpenSSL fails.
bool Sha1Of(std::initializer_list<std::span<const std::uint8_t>> pieces, std::uint8_t* out) {
    return dpapi::Digest(Sha1Algorithm(), pieces, out).has_value();
}

std::span<const std::uint8_t> AsBytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Wine hashes the user name as GetUserNameA returns it, terminator
// included, then its secret, the salt and the entropy. The 20-byte hash is
// too short for three DES keys, so it is stretched as CryptDeriveKey does
// for short hashes.
bool DeriveKey(const std::string& userName, std::span<const std::uint8_t> salt,
               std::span<const std::uint8_t> entropy, SecretBytes& key) {
    static constexpr std::uint8_t kZero = 0;
    SecretBytes base(kSha1Size);
    if (!Sha1Of({AsBytes(userName), {&kZero, 1}, AsBytes(kSecret), salt, entropy}, base.data()))
        return false;
    Result<SecretBytes> derived = dpapi::DeriveCipherKey(Sha1Algorithm(), Des3(), base.span());
    if (!derived)
        return false;
    key = std::move(*derived);
    return true;
}

// 3DES-EDE-CBC with a zero IV over whole blocks; the padding is added and
// checked by the callers, because its rules are part of what Unprotect
// accepts and OpenSSL's own check is not ours to rely on.
bool Des3Cbc(const SecretBytes& key, bool encrypt, std::span<const std::uint8_t> in,
             std::uint8_t* out) {
    static constexpr std::array<std::uint8_t, kBlockSize> kZeroIv{};
    return dpapi::CbcCrypt(Des3(), key.span(), kZeroIv, encrypt, in, out).has_value();
}

struct ParsedBlob {
    std::uint32_t count0 = 0;
    std::span<const std::uint8_t> magic0;
    std::uint32_t count1 = 0;
    std::uint32_t null0 = 0;
    std::uint32_t keyBits = 0;
    std::uint32_t null1 = 0;
    std::span<const std::uint8_t> salt;
    std::span<const std::uint8_t> cipher;
    std::span<const std::uint8_t> fingerprint;
};

// Splits the blob into its fields; the fields Wine reads but never looks
// at (second and third magic, description, algorithm identifiers, hash
// length) are still stepped over with their lengths checked, because Wine
// refuses a blob too short to hold them. Bytes after the fingerprint are
// allowed: Wine ignores them.
bool Parse(std::span<const std::uint8_t> blob, ParsedBlob& parsed) {
    ByteReader reader(blob);
    std::span<const std::uint8_t> ignoredBytes;
    std::uint32_t ignoredDword = 0;
    return reader.Dword(parsed.count0) && reader.Fixed(kMagic.size(), parsed.magic0) &&
           reader.Dword(parsed.count1) && reader.Fixed(kMagic.size(), ignoredBytes) &&
           reader.Dword(parsed.null0) && reader.Counted(ignoredBytes) /* description */ &&
           reader.Dword(ignoredDword) /* cipher algorithm */ && reader.Dword(parsed.keyBits) &&
           reader.Counted(ignoredBytes) /* third magic */ && reader.Dword(parsed.null1) &&
           reader.Dword(ignoredDword) /* hash algorithm */ &&
           reader.Dword(ignoredDword) /* hash length */ && reader.Counted(parsed.salt) &&
           reader.Counted(parsed.cipher) && reader.Counted(parsed.fingerprint);
}

void PutDword(Bytes& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutCounted(Bytes& out, std::span<const std::uint8_t> bytes) {
    PutDword(out, static_cast<std::uint32_t>(bytes.size()));
    out.insert(out.end(), bytes.begin(), bytes.end());
}

} // namespace

WineDataProtection::WineDataProtection(std::string userName) : m_userName(std::move(userName)) {}

Result<Bytes> WineDataProtection::Unprotect(std::span<const std::uint8_t> blob,
                                            std::span<const std::uint8_t> entropy) const {
    const auto fail = [](FailureCode code) { return Fail(code, {}); };
    // A failure of OpenSSL or of memory is this machine's: it says nothing
    // about the blob or the key.
    const auto refused = [] { return Fail(FailureCode::System, {}); };
    try {
        ParsedBlob parsed;
        if (!Parse(blob, parsed))
            return fail(FailureCode::Damaged);
        if (parsed.count0 != 1 || parsed.count1 != 1 || parsed.null0 != 0 || parsed.null1 != 0 ||
            !std::equal(kMagic.begin(), kMagic.end(), parsed.magic0.begin(), parsed.magic0.end()))
            return fail(FailureCode::Damaged);
        // Every blob Wine writes says 168 bits; 192 (parity bits counted)
        // gives the same three keys. Wine itself passes the stored length
        // to CryptDeriveKey in the upper half of a 32-bit flag word, so it
        // also takes 0 (the default) and ignores the upper 16 bits; no real
        // blob carries such values, and we keep to the two real lengths.
        if (parsed.keyBits != kKeyBits && parsed.keyBits != kKeyBitsWithParity)
            return fail(FailureCode::Damaged);
        // Padding is always present, so there is at least one whole block.
        if (parsed.cipher.empty() || parsed.cipher.size() % kBlockSize != 0 ||
            parsed.fingerprint.size() != kSha1Size)
            return fail(FailureCode::Damaged);

        SecretBytes key;
        if (!DeriveKey(m_userName, parsed.salt, entropy, key))
            return refused();
        Bytes plain(parsed.cipher.size());
        if (!Des3Cbc(key, false, parsed.cipher, plain.data())) {
            OPENSSL_cleanse(plain.data(), plain.size());
            return refused();
        }

        // PKCS#5: the last byte n is 1 to 8 and the last n bytes all equal
        // n. A wrong key almost always breaks this; the fingerprint catches
        // the rest. Past the structure checks, a wrong key and a change
        // inside the cipher text look the same, and both are reported as a
        // wrong key: that is by far the likelier cause.
        const std::uint8_t pad = plain.back();
        bool padOk = pad >= 1 && pad <= kBlockSize;
        for (std::size_t i = 1; padOk && i <= pad; ++i)
            padOk = plain[plain.size() - i] == pad;
        if (!padOk) {
            OPENSSL_cleanse(plain.data(), plain.size());
            return fail(FailureCode::WrongPassword);
        }
        plain.resize(plain.size() - pad);

        Sha1 digest{};
        if (!Sha1Of({plain}, digest.data())) {
            OPENSSL_cleanse(plain.data(), plain.size());
            return refused();
        }
        if (CRYPTO_memcmp(digest.data(), parsed.fingerprint.data(), kSha1Size) != 0) {
            OPENSSL_cleanse(plain.data(), plain.size());
            return fail(FailureCode::WrongPassword);
        }
        return plain;
    } catch (...) {
        // Out of memory for a plain text no larger than the blob: treat it
        // as any other failure rather than letting it cross the interface.
        return refused();
    }
}

Bytes WineDataProtection::Protect(std::span<const std::uint8_t> plain,
                                  std::span<const std::uint8_t> entropy,
                                  std::u16string_view description) const {
    std::array<std::uint8_t, 16> salt{};
    if (RAND_bytes(salt.data(), static_cast<int>(salt.size())) != 1)
        return {};
    return ProtectWithSalt(plain, entropy, salt, description);
}

// An empty result means failure (OpenSSL refused, or memory ran out); a
// real blob is never empty.
Bytes WineDataProtection::ProtectWithSalt(std::span<const std::uint8_t> plain,
                                          std::span<const std::uint8_t> entropy,
                                          std::span<const std::uint8_t, 16> salt,
                                          std::u16string_view description) const {
    try {
        // Wine stores the description up to its first zero character, plus
        // a terminator.
        const std::u16string_view text = description.substr(0, description.find(u'\0'));
        // Blob lengths are 32-bit; leave room for padding and terminator.
        if (plain.size() > 0x7fff0000u || text.size() > 0x3fff0000u)
            return {};

        SecretBytes key;
        if (!DeriveKey(m_userName, salt, entropy, key))
            return {};

        const std::size_t pad = kBlockSize - plain.size() % kBlockSize;
        Bytes padded(plain.begin(), plain.end());
        padded.insert(padded.end(), pad, static_cast<std::uint8_t>(pad));
        Bytes cipher(padded.size());
        const bool encrypted = Des3Cbc(key, true, padded, cipher.data());
        OPENSSL_cleanse(padded.data(), padded.size());
        Sha1 fingerprint{};
        if (!encrypted || !Sha1Of({plain}, fingerprint.data()))
            return {};

        Bytes descriptionBytes;
        descriptionBytes.reserve(2 * text.size() + 2);
        for (char16_t unit : text) {
            descriptionBytes.push_back(static_cast<std::uint8_t>(unit & 0xff));
            descriptionBytes.push_back(static_cast<std::uint8_t>(unit >> 8));
        }
        descriptionBytes.push_back(0);
        descriptionBytes.push_back(0);

        Bytes blob;
        blob.reserve(4 * 13 + 3 * kMagic.size() + descriptionBytes.size() + salt.size() +
                     cipher.size() + fingerprint.size());
        PutDword(blob, 1);
        blob.insert(blob.end(), kMagic.begin(), kMagic.end());
        PutDword(blob, 1);
        blob.insert(blob.end(), kMagic.begin(), kMagic.end());
        PutDword(blob, 0);
        PutCounted(blob, descriptionBytes);
        PutDword(blob, kCalg3Des);
        PutDword(blob, kKeyBits);
        PutCounted(blob, kMagic);
        PutDword(blob, 0);
        PutDword(blob, kCalgSha1);
        PutDword(blob, kHashBits);
        PutCounted(blob, salt);
        PutCounted(blob, cipher);
        PutCounted(blob, fingerprint);
        return blob;
    } catch (...) {
        return {};
    }
}

} // namespace quorvane
