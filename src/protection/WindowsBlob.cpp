#include "protection/WindowsBlob.h"

#include "platform/ByteReader.h"

#include <openssl/crypto.h>

#include <algorithm>

namespace quorvane {

using namespace dpapi;

namespace {

// The provider every data protection blob names.
constexpr Guid kProvider = {0xd0, 0x8c, 0x9d, 0xdf, 0x01, 0x15, 0xd1, 0x11,
                            0x8c, 0x7a, 0x00, 0xc0, 0x4f, 0xc2, 0x97, 0xeb};

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
    return Hmac(hash, keyHash, {salt, entropy, signedPart}, out.data()).has_value();
}

using SessionKeyFunction = bool (*)(const HashAlgorithm&, ByteSpan, ByteSpan, ByteSpan, ByteSpan,
                                    SecretBytes&);

// A blob's failures carry no sentence: the caller knows whose blob it is.
tl::unexpected<Failure> Fails(FailureCode code) {
    return Fail(code, {});
}

} // namespace

Result<WindowsBlob> ParseWindowsBlob(ByteSpan blob) {
    WindowsBlob parsed;
    ByteReader reader(blob);
    std::uint32_t version = 0, keyVersion = 0, ignored = 0;
    ByteSpan provider, masterKey, description, strong;
    if (!reader.Dword(version) || !reader.Fixed(16, provider))
        return Fails(FailureCode::Damaged);
    const std::size_t signedStart = reader.Offset();
    if (!reader.Dword(keyVersion) || !reader.Fixed(16, masterKey) || !reader.Dword(parsed.flags) ||
        !reader.Counted(description) || !reader.Dword(parsed.cipherId) ||
        !reader.Dword(ignored) /* key bits */ || !reader.Counted(parsed.salt) ||
        !reader.Counted(strong) || !reader.Dword(parsed.hashId) ||
        !reader.Dword(ignored) /* hash bits */ || !reader.Counted(parsed.signKey) ||
        !reader.Counted(parsed.cipherText))
        return Fails(FailureCode::Damaged);
    parsed.signedPart = blob.subspan(signedStart, reader.Offset() - signedStart);
    if (!reader.Counted(parsed.signature))
        return Fails(FailureCode::Damaged);
    if (version != 1 || !std::equal(provider.begin(), provider.end(), kProvider.begin()))
        return Fails(FailureCode::Damaged);
    std::copy(masterKey.begin(), masterKey.end(), parsed.masterKey.begin());
    const HashAlgorithm* hash = HashById(parsed.hashId);
    const CipherAlgorithm* cipher = CipherById(parsed.cipherId);
    if (hash == nullptr || cipher == nullptr)
        return Fails(FailureCode::Unsupported);
    if (parsed.cipherText.empty() || parsed.cipherText.size() % cipher->ivSize != 0 ||
        parsed.signature.size() != hash->digestSize)
        return Fails(FailureCode::Damaged);
    return parsed;
}

Result<Bytes> DecryptWindowsBlob(const WindowsBlob& blob, ByteSpan masterKey, ByteSpan entropy) {
    const HashAlgorithm& hash = *HashById(blob.hashId);
    const CipherAlgorithm& cipher = *CipherById(blob.cipherId);
    // The blob is keyed by the master key's SHA-1, whatever its own hash.
    SecretBytes keyHash(20);
    if (!Digest(*HashById(kCalgSha1), {masterKey}, keyHash.data()))
        return Fails(FailureCode::Damaged);

    for (SessionKeyFunction sessionKey : {&XpSessionKey, &LaterSessionKey}) {
        SecretBytes signature;
        if (!sessionKey(hash, keyHash.span(), blob.signKey, entropy, blob.signedPart, signature) ||
            CRYPTO_memcmp(signature.data(), blob.signature.data(), signature.size()) != 0)
            continue;
        // Signed by this scheme: only now is the cipher text used.
        SecretBytes session;
        if (!sessionKey(hash, keyHash.span(), blob.salt, entropy, {}, session))
            return Fails(FailureCode::Damaged);
        const Result<SecretBytes> key = DeriveCipherKey(hash, cipher, session.span());
        if (!key)
            return Fails(FailureCode::Damaged);
        const Bytes iv(cipher.ivSize, 0);
        SecretBytes decrypted(blob.cipherText.size());
        if (!CbcCrypt(cipher, key->span(), iv, false, blob.cipherText, decrypted.data()))
            return Fails(FailureCode::Damaged);
        const std::uint8_t pad = decrypted.data()[decrypted.size() - 1];
        if (pad == 0 || pad > cipher.ivSize)
            return Fails(FailureCode::Damaged);
        return Bytes(decrypted.data(), decrypted.data() + decrypted.size() - pad);
    }
    // Signed by neither scheme: the entropy or the key is not the one it
    // was protected with, or it was changed since.
    return Fails(FailureCode::WrongPassword);
}

} // namespace quorvane
