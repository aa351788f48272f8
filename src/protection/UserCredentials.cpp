#include "protection/UserCredentials.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>

namespace quorvane::dpapi {

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

Result<SecretBytes> UserKey(ByteSpan passwordHash, std::string_view sid) {
    const SecretBytes sidText = Utf16Le(sid, true);
    SecretBytes key(20);
    if (Result<> hmac = Hmac(*HashById(kCalgSha1), passwordHash, {sidText.span()}, key.data());
        !hmac)
        return Fail(std::move(hmac.error()));
    return key;
}

Result<SecretBytes> StretchedNtHash(ByteSpan ntHash, std::string_view sid) {
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
        return Fail(FailureCode::System, {});
    second.Shrink(16);
    return second;
}

} // namespace quorvane::dpapi
