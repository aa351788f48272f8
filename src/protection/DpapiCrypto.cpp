#include "protection/DpapiCrypto.h"

#include <QString>

#include <openssl/crypto.h>
#include <openssl/evp.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>

namespace quorvane::dpapi {

namespace {

struct MdCtxFree {
    void operator()(EVP_MD_CTX* ctx) const { EVP_MD_CTX_free(ctx); }
};
using MdCtx = std::unique_ptr<EVP_MD_CTX, MdCtxFree>;
struct CipherCtxFree {
    void operator()(EVP_CIPHER_CTX* ctx) const { EVP_CIPHER_CTX_free(ctx); }
};

constexpr HashAlgorithm kHashes[] = {
    {kCalgSha1, "SHA1", 20, 64}, {kCalgHmac, "SHA1", 20, 64},      {0x800c, "SHA256", 32, 64},
    {0x800d, "SHA384", 48, 128}, {kCalgSha512, "SHA512", 64, 128},
};
constexpr CipherAlgorithm kCiphers[] = {
    {kCalg3Des, "DES-EDE3-CBC", 24, 8},
    {0x660e, "AES-128-CBC", 16, 16},
    {0x660f, "AES-192-CBC", 24, 16},
    {kCalgAes256, "AES-256-CBC", 32, 16},
};

// The digests and ciphers are looked up once; OpenSSL keeps them for the
// life of the program.
const EVP_MD* MdOf(const HashAlgorithm& hash) {
    if (hash.openSslName == "SHA1")
        return EVP_sha1();
    if (hash.openSslName == "SHA256")
        return EVP_sha256();
    if (hash.openSslName == "SHA384")
        return EVP_sha384();
    return EVP_sha512();
}

const EVP_CIPHER* CipherOf(const CipherAlgorithm& cipher) {
    switch (cipher.keySize) {
    case 16:
        return EVP_aes_128_cbc();
    case 32:
        return EVP_aes_256_cbc();
    default:
        return cipher.id == kCalg3Des ? EVP_des_ede3_cbc() : EVP_aes_192_cbc();
    }
}

// HMAC with the key's inner and outer states computed once, so that the
// thousands of rounds of a master key cost two digest copies each rather
// than a key set-up.
class PreparedHmac {
public:
    bool Init(const HashAlgorithm& hash, ByteSpan key) {
        m_md = MdOf(hash);
        m_digestSize = hash.digestSize;
        SecretBytes block(hash.blockSize);
        if (key.size() > hash.blockSize) {
            if (!Digest(hash, {key}, block.data()))
                return false;
        } else {
            std::copy(key.begin(), key.end(), block.data());
        }
        m_inner.reset(EVP_MD_CTX_new());
        m_outer.reset(EVP_MD_CTX_new());
        m_work.reset(EVP_MD_CTX_new());
        if (!m_inner || !m_outer || !m_work)
            return false;
        const SecretBytes inner = PaddedKey(hash, block.span(), kInnerPad);
        const SecretBytes outer = PaddedKey(hash, block.span(), kOuterPad);
        return EVP_DigestInit_ex(m_inner.get(), m_md, nullptr) == 1 &&
               EVP_DigestUpdate(m_inner.get(), inner.data(), inner.size()) == 1 &&
               EVP_DigestInit_ex(m_outer.get(), m_md, nullptr) == 1 &&
               EVP_DigestUpdate(m_outer.get(), outer.data(), outer.size()) == 1;
    }

    bool Run(std::initializer_list<ByteSpan> pieces, std::uint8_t* out) {
        std::array<std::uint8_t, EVP_MAX_MD_SIZE> inner{};
        unsigned int length = 0;
        bool ok = EVP_MD_CTX_copy_ex(m_work.get(), m_inner.get()) == 1;
        for (ByteSpan piece : pieces)
            ok = ok &&
                 (piece.empty() || EVP_DigestUpdate(m_work.get(), piece.data(), piece.size()) == 1);
        ok = ok && EVP_DigestFinal_ex(m_work.get(), inner.data(), &length) == 1 &&
             EVP_MD_CTX_copy_ex(m_work.get(), m_outer.get()) == 1 &&
             EVP_DigestUpdate(m_work.get(), inner.data(), m_digestSize) == 1 &&
             EVP_DigestFinal_ex(m_work.get(), out, &length) == 1;
        OPENSSL_cleanse(inner.data(), inner.size());
        return ok && length == m_digestSize;
    }

private:
    const EVP_MD* m_md = nullptr;
    std::size_t m_digestSize = 0;
    MdCtx m_inner;
    MdCtx m_outer;
    MdCtx m_work;
};

} // namespace

SecretBytes::SecretBytes(SecretBytes&& other) noexcept : m_bytes(std::move(other.m_bytes)) {
    other.m_bytes.clear();
}

SecretBytes& SecretBytes::operator=(SecretBytes&& other) noexcept {
    if (this != &other) {
        Wipe();
        m_bytes = std::move(other.m_bytes);
        other.m_bytes.clear();
    }
    return *this;
}

void SecretBytes::Wipe() {
    if (!m_bytes.empty())
        OPENSSL_cleanse(m_bytes.data(), m_bytes.size());
}

void SecretBytes::Shrink(std::size_t count) {
    if (count >= m_bytes.size())
        return;
    OPENSSL_cleanse(m_bytes.data() + count, m_bytes.size() - count);
    m_bytes.resize(count);
}

void ReleaseThreadCryptoState() {
    OPENSSL_thread_stop();
}

const HashAlgorithm* HashById(std::uint32_t id) {
    for (const HashAlgorithm& hash : kHashes)
        if (hash.id == id)
            return &hash;
    return nullptr;
}

const CipherAlgorithm* CipherById(std::uint32_t id) {
    for (const CipherAlgorithm& cipher : kCiphers)
        if (cipher.id == id)
            return &cipher;
    return nullptr;
}

SecretBytes PaddedKey(const HashAlgorithm& hash, ByteSpan key, std::uint8_t pad) {
    SecretBytes padded(hash.blockSize);
    for (std::size_t i = 0; i < padded.size(); ++i)
        padded.data()[i] = static_cast<std::uint8_t>((i < key.size() ? key[i] : 0) ^ pad);
    return padded;
}

namespace {

// The primitives' failures carry no sentence: whoever called them knows
// which file the bytes came from, and says so.
tl::unexpected<Failure> Refused() {
    return Fail(FailureCode::System, {});
}

} // namespace

Result<> Digest(const HashAlgorithm& hash, std::initializer_list<ByteSpan> pieces,
                std::uint8_t* out) {
    MdCtx ctx(EVP_MD_CTX_new());
    if (!ctx || EVP_DigestInit_ex(ctx.get(), MdOf(hash), nullptr) != 1)
        return Refused();
    for (ByteSpan piece : pieces)
        if (!piece.empty() && EVP_DigestUpdate(ctx.get(), piece.data(), piece.size()) != 1)
            return Refused();
    unsigned int length = 0;
    if (EVP_DigestFinal_ex(ctx.get(), out, &length) != 1 || length != hash.digestSize)
        return Refused();
    return {};
}

Result<> Hmac(const HashAlgorithm& hash, ByteSpan key, std::initializer_list<ByteSpan> pieces,
              std::uint8_t* out) {
    PreparedHmac hmac;
    if (!hmac.Init(hash, key) || !hmac.Run(pieces, out))
        return Refused();
    return {};
}

Result<> WindowsPbkdf2(const HashAlgorithm& hash, ByteSpan password, ByteSpan salt,
                       std::uint32_t rounds, std::span<std::uint8_t> out,
                       const CancelFlag* cancel) {
    // A few milliseconds of rounds between looks at the flag.
    constexpr std::uint32_t kRoundsBetweenLooks = 4096;
    if (rounds == 0)
        return Refused();
    PreparedHmac hmac;
    if (!hmac.Init(hash, password))
        return Refused();
    SecretBytes sum(hash.digestSize);
    SecretBytes round(hash.digestSize);
    std::size_t done = 0;
    for (std::uint32_t block = 1; done < out.size(); ++block) {
        const std::array<std::uint8_t, 4> index = {
            static_cast<std::uint8_t>(block >> 24), static_cast<std::uint8_t>(block >> 16),
            static_cast<std::uint8_t>(block >> 8), static_cast<std::uint8_t>(block)};
        if (!hmac.Run({salt, index}, sum.data()))
            return Refused();
        for (std::uint32_t r = 1; r < rounds; ++r) {
            if (r % kRoundsBetweenLooks == 0 && IsCancelled(cancel))
                return Fail(FailureCode::Cancelled, {});
            if (!hmac.Run({sum.span()}, round.data()))
                return Refused();
            for (std::size_t i = 0; i < sum.size(); ++i)
                sum.data()[i] ^= round.data()[i];
        }
        const std::size_t take = std::min(sum.size(), out.size() - done);
        std::copy_n(sum.data(), take, out.data() + done);
        done += take;
    }
    return {};
}

Result<> CbcCrypt(const CipherAlgorithm& cipher, ByteSpan key, ByteSpan iv, bool encrypt,
                  ByteSpan in, std::uint8_t* out) {
    if (key.size() != cipher.keySize || iv.size() != cipher.ivSize ||
        in.size() % cipher.ivSize != 0 || in.size() > static_cast<std::size_t>(INT_MAX))
        return Refused();
    std::unique_ptr<EVP_CIPHER_CTX, CipherCtxFree> ctx(EVP_CIPHER_CTX_new());
    if (!ctx ||
        EVP_CipherInit_ex(ctx.get(), CipherOf(cipher), nullptr, key.data(), iv.data(),
                          encrypt ? 1 : 0) != 1 ||
        EVP_CIPHER_CTX_set_padding(ctx.get(), 0) != 1)
        return Refused();
    int written = 0;
    if (!in.empty() &&
        EVP_CipherUpdate(ctx.get(), out, &written, in.data(), static_cast<int>(in.size())) != 1)
        return Refused();
    int tail = 0;
    if (EVP_CipherFinal_ex(ctx.get(), out + written, &tail) != 1 ||
        static_cast<std::size_t>(written + tail) != in.size())
        return Refused();
    return {};
}

Result<SecretBytes> DeriveCipherKey(const HashAlgorithm& hash, const CipherAlgorithm& cipher,
                                    ByteSpan base) {
    SecretBytes value(base);
    if (value.size() > hash.blockSize) {
        SecretBytes hashed(hash.digestSize);
        if (Result<> digest = Digest(hash, {value.span()}, hashed.data()); !digest)
            return Fail(std::move(digest.error()));
        value = std::move(hashed);
    }
    if (value.size() >= cipher.keySize) {
        value.Shrink(cipher.keySize);
        return value;
    }
    SecretBytes stretched(2 * hash.digestSize);
    if (!Digest(hash, {PaddedKey(hash, value.span(), kInnerPad).span()}, stretched.data()) ||
        !Digest(hash, {PaddedKey(hash, value.span(), kOuterPad).span()},
                stretched.data() + hash.digestSize) ||
        stretched.size() < cipher.keySize)
        return Refused();
    stretched.Shrink(cipher.keySize);
    return stretched;
}

Result<SecretBytes> DecryptSection(const HashAlgorithm& hash, const CipherAlgorithm& cipher,
                                   ByteSpan userKey, ByteSpan salt, std::uint32_t rounds,
                                   ByteSpan cipherText, const CancelFlag* cancel) {
    SecretBytes derived(cipher.keySize + cipher.ivSize);
    if (Result<> stretched = WindowsPbkdf2(hash, userKey, salt, rounds, derived.span(), cancel);
        !stretched)
        return Fail(std::move(stretched.error()));
    SecretBytes plain(cipherText.size());
    if (Result<> decrypted =
            CbcCrypt(cipher, derived.span().first(cipher.keySize),
                     derived.span().subspan(cipher.keySize), false, cipherText, plain.data());
        !decrypted)
        return Fail(std::move(decrypted.error()));
    return plain;
}

std::array<std::uint8_t, 16> Md4(ByteSpan data) {
    const auto rotl = [](std::uint32_t x, int s) { return (x << s) | (x >> (32 - s)); };
    std::uint32_t state[4] = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
    std::vector<std::uint8_t> message(data.begin(), data.end());
    const std::uint64_t bits = static_cast<std::uint64_t>(data.size()) * 8;
    message.push_back(0x80);
    while (message.size() % 64 != 56)
        message.push_back(0);
    for (int i = 0; i < 8; ++i)
        message.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));

    for (std::size_t offset = 0; offset < message.size(); offset += 64) {
        std::uint32_t x[16];
        for (int i = 0; i < 16; ++i) {
            const std::uint8_t* p = &message[offset + 4 * static_cast<std::size_t>(i)];
            x[i] = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                   static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
        }
        std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
        const auto f = [](std::uint32_t x1, std::uint32_t y, std::uint32_t z) {
            return (x1 & y) | (~x1 & z);
        };
        const auto g = [](std::uint32_t x1, std::uint32_t y, std::uint32_t z) {
            return (x1 & y) | (x1 & z) | (y & z);
        };
        const auto h = [](std::uint32_t x1, std::uint32_t y, std::uint32_t z) {
            return x1 ^ y ^ z;
        };
        static constexpr int kShift1[4] = {3, 7, 11, 19};
        static constexpr int kShift2[4] = {3, 5, 9, 13};
        static constexpr int kShift3[4] = {3, 9, 11, 15};
        static constexpr int kOrder3[16] = {0, 8, 4, 12, 2, 10, 6, 14, 1, 9, 5, 13, 3, 11, 7, 15};
        std::uint32_t* regs[4] = {&a, &d, &c, &b};
        for (int i = 0; i < 16; ++i) {
            std::uint32_t& r = *regs[i % 4];
            const std::uint32_t s1 = *regs[(i + 1) % 4], s2 = *regs[(i + 2) % 4],
                                s3 = *regs[(i + 3) % 4];
            r = rotl(r + f(s3, s2, s1) + x[i], kShift1[i % 4]);
        }
        for (int i = 0; i < 16; ++i) {
            std::uint32_t& r = *regs[i % 4];
            const std::uint32_t s1 = *regs[(i + 1) % 4], s2 = *regs[(i + 2) % 4],
                                s3 = *regs[(i + 3) % 4];
            r = rotl(r + g(s3, s2, s1) + x[(i % 4) * 4 + i / 4] + 0x5a827999u, kShift2[i % 4]);
        }
        for (int i = 0; i < 16; ++i) {
            std::uint32_t& r = *regs[i % 4];
            const std::uint32_t s1 = *regs[(i + 1) % 4], s2 = *regs[(i + 2) % 4],
                                s3 = *regs[(i + 3) % 4];
            r = rotl(r + h(s3, s2, s1) + x[kOrder3[i]] + 0x6ed9eba1u, kShift3[i % 4]);
        }
        state[0] += a;
        state[1] += b;
        state[2] += c;
        state[3] += d;
    }
    OPENSSL_cleanse(message.data(), message.size());
    std::array<std::uint8_t, 16> digest{};
    for (int i = 0; i < 16; ++i)
        digest[static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(state[i / 4] >> (8 * (i % 4)));
    return digest;
}

std::optional<std::vector<std::uint8_t>> BytesFromHex(std::string_view hex) {
    const auto digit = [](char c) {
        return c >= '0' && c <= '9'   ? c - '0'
               : c >= 'a' && c <= 'f' ? c - 'a' + 10
               : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                      : -1;
    };
    if (hex.size() % 2 != 0)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(hex.size() / 2);
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = digit(hex[i]), low = digit(hex[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(high << 4 | low));
    }
    return bytes;
}

std::string HexText(ByteSpan bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(2 * bytes.size());
    for (std::uint8_t b : bytes) {
        text.push_back(kDigits[b >> 4]);
        text.push_back(kDigits[b & 15]);
    }
    return text;
}

SecretBytes Utf16Le(std::string_view utf8, bool terminated) {
    QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    SecretBytes out(2 * static_cast<std::size_t>(text.size()) + (terminated ? 2 : 0));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        out.data()[2 * i] = static_cast<std::uint8_t>(unit);
        out.data()[2 * i + 1] = static_cast<std::uint8_t>(unit >> 8);
    }
    // The decoded password is not left behind in Qt's copy either.
    text.fill(QChar(0));
    return out;
}

} // namespace quorvane::dpapi
