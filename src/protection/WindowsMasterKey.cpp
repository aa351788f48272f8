#include "protection/WindowsMasterKey.h"

#include "platform/ByteReader.h"

#include <openssl/crypto.h>

#include <algorithm>
#include <cstdio>

namespace quorvane::dpapi {

namespace {

// The fixed header of a master key file: version, two unknown words, the
// GUID as 36 UTF-16 characters and a terminator, three more words (one is
// the policy), then the lengths of the four sections as 64-bit numbers.
constexpr std::size_t kGuidTextBytes = 72;

// The file's failures carry no sentence: the keyring, which knows the
// file's path, says what went wrong.
tl::unexpected<Failure> Fails(FailureCode code) {
    return Fail(code, {});
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

Result<MasterKeyFile> ParseMasterKeyFile(ByteSpan bytes) {
    MasterKeyFile file;
    ByteReader reader(bytes);
    std::uint32_t ignored = 0;
    ByteSpan guidText;
    std::uint64_t keyLength = 0;
    std::uint64_t lengths[3] = {};
    if (!reader.Dword(ignored) || !reader.Dword(ignored) || !reader.Dword(ignored) ||
        !reader.Fixed(kGuidTextBytes, guidText) || !reader.Dword(ignored) ||
        !reader.Dword(ignored) || !reader.Dword(ignored) || !reader.Qword(keyLength) ||
        !reader.Qword(lengths[0]) || !reader.Qword(lengths[1]) || !reader.Qword(lengths[2]))
        return Fails(FailureCode::Damaged);
    // The header's GUID text is not trusted for anything: a blob names its
    // key, and the file is found by its name.
    ByteSpan section;
    if (keyLength > reader.Left() || !reader.Fixed(static_cast<std::size_t>(keyLength), section))
        return Fails(FailureCode::Damaged);

    ByteReader key(section);
    ByteSpan salt;
    std::uint32_t version = 0;
    if (!key.Dword(version) || !key.Fixed(16, salt) || !key.Dword(file.rounds) ||
        !key.Dword(file.hashId) || !key.Dword(file.cipherId))
        return Fails(FailureCode::Damaged);
    std::copy(salt.begin(), salt.end(), file.salt.begin());
    const ByteSpan cipherText = key.Rest();
    file.cipherText.assign(cipherText.begin(), cipherText.end());

    const HashAlgorithm* hash = HashById(file.hashId);
    const CipherAlgorithm* cipher = CipherById(file.cipherId);
    if (hash == nullptr || cipher == nullptr)
        return Fails(FailureCode::Unsupported);
    if (file.rounds == 0)
        return Fails(FailureCode::Damaged);
    if (file.rounds > kMaxRounds)
        return Fails(FailureCode::TooMuchWork);
    if (file.cipherText.size() % cipher->ivSize != 0 ||
        file.cipherText.size() < 16 + hash->digestSize + kMasterKeySize)
        return Fails(FailureCode::Damaged);
    return file;
}

Result<SecretBytes> UnlockMasterKey(const MasterKeyFile& file, ByteSpan userKey,
                                    const CancelFlag* cancel) {
    const HashAlgorithm* hash = HashById(file.hashId);
    const CipherAlgorithm* cipher = CipherById(file.cipherId);
    if (hash == nullptr || cipher == nullptr)
        return Fails(FailureCode::Unsupported);
    Result<SecretBytes> decrypted =
        DecryptSection(*hash, *cipher, userKey, file.salt, file.rounds, file.cipherText, cancel);
    if (!decrypted)
        return Fails(decrypted.error().code == FailureCode::Cancelled ? FailureCode::Cancelled
                                                                      : FailureCode::Damaged);
    const SecretBytes& plain = *decrypted;
    if (plain.size() < 16 + hash->digestSize + kMasterKeySize)
        return Fails(FailureCode::Damaged);

    // The HMAC: first a key from the user key and the stored salt, then the
    // master key under that.
    const ByteSpan hmacSalt = plain.span().first(16);
    const ByteSpan stored = plain.span().subspan(16, hash->digestSize);
    const ByteSpan masterKey = plain.span().last(kMasterKeySize);
    SecretBytes hmacKey(hash->digestSize);
    SecretBytes computed(hash->digestSize);
    if (!Hmac(*hash, userKey, {hmacSalt}, hmacKey.data()) ||
        !Hmac(*hash, hmacKey.span(), {masterKey}, computed.data()))
        return Fails(FailureCode::Damaged);
    if (CRYPTO_memcmp(computed.data(), stored.data(), stored.size()) != 0)
        return Fails(FailureCode::WrongPassword);
    return SecretBytes(masterKey);
}

} // namespace quorvane::dpapi
