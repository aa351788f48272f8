#include "protection/CredHist.h"

#include "platform/ByteReader.h"
#include "protection/UserCredentials.h"

#include <algorithm>

namespace quorvane::dpapi {

namespace {

constexpr std::size_t kMaxCredHistEntries = 256;

} // namespace

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
        const Result<SecretBytes> key = UserKey(current.span(), sid);
        if (!key)
            break;
        const Result<SecretBytes> opened =
            DecryptSection(*HashById(entry.hashId), *CipherById(entry.cipherId), key->span(),
                           entry.salt, entry.rounds, entry.cipherText, cancel);
        if (!opened)
            break;
        const SecretBytes& plain = *opened;
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
