#pragma once

#include "platform/CancelFlag.h"
#include "platform/Result.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The primitives Windows data protection is built from, over OpenSSL's
// libcrypto: its hash and cipher identifiers, its own PBKDF2, and the key
// stretching of CryptDeriveKey. Everything here works on bytes; the file
// formats are read elsewhere.
namespace quorvane::dpapi {

using ByteSpan = std::span<const std::uint8_t>;

// Key material: wiped when it goes, never copied by accident.
class SecretBytes {
public:
    SecretBytes() = default;
    explicit SecretBytes(std::size_t size) : m_bytes(size) {}
    explicit SecretBytes(ByteSpan bytes) : m_bytes(bytes.begin(), bytes.end()) {}
    ~SecretBytes() { Wipe(); }
    SecretBytes(SecretBytes&& other) noexcept;
    SecretBytes& operator=(SecretBytes&& other) noexcept;
    SecretBytes(const SecretBytes&) = delete;
    SecretBytes& operator=(const SecretBytes&) = delete;

    std::uint8_t* data() { return m_bytes.data(); }
    const std::uint8_t* data() const { return m_bytes.data(); }
    std::size_t size() const { return m_bytes.size(); }
    bool empty() const { return m_bytes.empty(); }
    ByteSpan span() const { return m_bytes; }
    std::span<std::uint8_t> span() { return m_bytes; }
    // Drops the bytes after the first count, wiping them.
    void Shrink(std::size_t count);

private:
    void Wipe();
    std::vector<std::uint8_t> m_bytes;
};

// A hash by its Windows algorithm identifier. CALG_HMAC (0x8009) stands
// for HMAC-SHA1 in master key files.
struct HashAlgorithm {
    std::uint32_t id;
    std::string_view openSslName;
    std::size_t digestSize;
    std::size_t blockSize;
};
const HashAlgorithm* HashById(std::uint32_t id);

// Lets go of the calling thread's own crypto state (OpenSSL's error queue
// and the like). A pooled worker thread calls it when a job is done, so
// that a thread kept for later jobs holds nothing of the last one; the
// state is made again when the thread next needs it.
void ReleaseThreadCryptoState();

// A block cipher in CBC mode by its Windows algorithm identifier.
struct CipherAlgorithm {
    std::uint32_t id;
    std::string_view openSslName;
    std::size_t keySize;
    std::size_t ivSize; // also the block size
};
const CipherAlgorithm* CipherById(std::uint32_t id);

constexpr std::uint32_t kCalgSha1 = 0x8004;
constexpr std::uint32_t kCalgHmac = 0x8009;
constexpr std::uint32_t kCalgSha512 = 0x800e;
constexpr std::uint32_t kCalg3Des = 0x6603;
constexpr std::uint32_t kCalgAes256 = 0x6610;

// HMAC's padded keys: key zero-padded to the hash's block (cut to it when
// longer) and XOR-ed with kInnerPad or kOuterPad. CryptDeriveKey and
// Windows XP's session keys use them on their own.
constexpr std::uint8_t kInnerPad = 0x36;
constexpr std::uint8_t kOuterPad = 0x5c;
SecretBytes PaddedKey(const HashAlgorithm& hash, ByteSpan key, std::uint8_t pad);

// The functions below fail (System) only when OpenSSL refuses or the sizes
// are not what the algorithm takes; out must have room for the digest.
// Their failures carry no sentence: the caller knows what the bytes were.
Result<> Digest(const HashAlgorithm& hash, std::initializer_list<ByteSpan> pieces,
                std::uint8_t* out);
Result<> Hmac(const HashAlgorithm& hash, ByteSpan key, std::initializer_list<ByteSpan> pieces,
              std::uint8_t* out);

// PBKDF2 as Windows data protection does it: each round's HMAC is taken
// over the running XOR of the rounds so far, not over the previous round's
// output, so it differs from RFC 8018 after the second round. A cancel
// is seen every few thousand rounds, and fails as Cancelled.
Result<> WindowsPbkdf2(const HashAlgorithm& hash, ByteSpan password, ByteSpan salt,
                       std::uint32_t rounds, std::span<std::uint8_t> out,
                       const CancelFlag* cancel = nullptr);

// More rounds than any Windows ever wrote, far fewer than would keep a
// hostile file busy for long.
constexpr std::uint32_t kMaxRounds = 10'000'000;

// CBC over whole blocks, no padding added or removed.
Result<> CbcCrypt(const CipherAlgorithm& cipher, ByteSpan key, ByteSpan iv, bool encrypt,
                  ByteSpan in, std::uint8_t* out);

// CryptDeriveKey: a hash longer than the hash's block is hashed again; one
// long enough for the cipher's key is used as it is; a shorter one is
// stretched by hashing it zero-padded XOR 0x36 and XOR 0x5c.
Result<SecretBytes> DeriveCipherKey(const HashAlgorithm& hash, const CipherAlgorithm& cipher,
                                    ByteSpan base);

// A master key section, or a CREDHIST entry: its key and IV from the user
// key by WindowsPbkdf2 over the salt, then the cipher text decrypted.
// Cancelled when cancel is set meanwhile.
Result<SecretBytes> DecryptSection(const HashAlgorithm& hash, const CipherAlgorithm& cipher,
                                   ByteSpan userKey, ByteSpan salt, std::uint32_t rounds,
                                   ByteSpan cipherText, const CancelFlag* cancel = nullptr);

// MD4 (RFC 1320), for the NT hash of a password; OpenSSL 3 keeps it out of
// its default provider.
std::array<std::uint8_t, 16> Md4(ByteSpan data);

// Hexadecimal digits in pairs (either case) as bytes; nothing for any
// other text.
std::optional<std::vector<std::uint8_t>> BytesFromHex(std::string_view hex);
// Bytes as lower-case hexadecimal digits.
std::string HexText(ByteSpan bytes);

// UTF-8 text as UTF-16LE bytes, optionally with a terminating zero
// character, decoded as Qt does. Wiped, since passwords go through it.
SecretBytes Utf16Le(std::string_view utf8, bool terminated);

} // namespace quorvane::dpapi
