// Wine data-protection blobs come straight from files any program of the
// Wine user can write, so Unprotect must turn away every damaged blob without
// reading out of bounds or allocating what a length field claims.
//
// Input: first byte = entropy length n, then n bytes of entropy (fewer if the
// input ends), then the blob. The blob is tried as given and again behind a
// valid header, so the fuzzer reaches the fields after the magic without
// having to find "Wine Crypt32 ok" first. The input's bytes also go through
// Protect and back, and a protected blob with one byte of its salt, cipher
// text or fingerprint changed must not unprotect.

#include "FuzzSupport.h"

#include "protection/DataProtection.h"
#include "protection/WineDataProtection.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

using quorvane::Bytes;
using quorvane::WineDataProtection;
using quorvane::fuzz::Require;

namespace {

const WineDataProtection& Protection() {
    static const WineDataProtection protection("user");
    return protection;
}

constexpr std::array<std::uint8_t, 16> kMagic = {'W', 'i', 'n', 'e', ' ', 'C', 'r', 'y',
                                                 'p', 't', '3', '2', ' ', 'o', 'k', 0};

void PutDword(Bytes& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutCounted(Bytes& out, std::span<const std::uint8_t> bytes) {
    PutDword(out, static_cast<std::uint32_t>(bytes.size()));
    out.insert(out.end(), bytes.begin(), bytes.end());
}

// What Unprotect gives back is the plain text of the blob's cipher text, so
// it can never be longer than the blob; and a blob that fails does so for
// a reason in the blob or the key, not the machine.
void UnprotectChecked(std::span<const std::uint8_t> blob, std::span<const std::uint8_t> entropy) {
    const auto plain = Protection().Unprotect(blob, entropy);
    if (plain)
        Require(plain->size() < blob.size());
    else
        Require(plain.error().code == quorvane::FailureCode::Damaged ||
                plain.error().code == quorvane::FailureCode::WrongPassword);
}

// The first copy of the magic with its counts and the zero after the second
// copy: the parts of the header Unprotect compares exactly.
Bytes WithHeader(std::span<const std::uint8_t> rest) {
    Bytes blob;
    PutDword(blob, 1);
    blob.insert(blob.end(), kMagic.begin(), kMagic.end());
    PutDword(blob, 1);
    blob.insert(blob.end(), kMagic.begin(), kMagic.end());
    PutDword(blob, 0);
    blob.insert(blob.end(), rest.begin(), rest.end());
    return blob;
}

// A blob whose every length is right, its salt, cipher text and fingerprint
// taken from the input: reaches key derivation, decryption and the padding
// and fingerprint checks.
Bytes Framed(std::span<const std::uint8_t> bytes) {
    Bytes blob = WithHeader({});
    static constexpr std::uint8_t kDescription[] = {'x', 0, 0, 0};
    PutCounted(blob, kDescription);
    PutDword(blob, 0x6603);
    PutDword(blob, !bytes.empty() && (bytes[0] & 1) != 0 ? 192 : 168);
    PutCounted(blob, kMagic);
    PutDword(blob, 0);
    PutDword(blob, 0x8004);
    PutDword(blob, 160);
    const std::size_t saltLength = std::min<std::size_t>(16, bytes.size());
    PutCounted(blob, bytes.first(saltLength));
    bytes = bytes.subspan(saltLength);
    const std::size_t fingerprintLength = std::min<std::size_t>(20, bytes.size());
    const auto fingerprint = bytes.last(fingerprintLength);
    bytes = bytes.first(bytes.size() - fingerprintLength);
    PutCounted(blob, bytes.first(bytes.size() / 8 * 8));
    PutCounted(blob, fingerprint);
    return blob;
}

void RoundTrip(std::span<const std::uint8_t> plain, std::span<const std::uint8_t> entropy) {
    // Protecting is slower than parsing; large inputs add nothing here.
    if (plain.size() > 2048)
        return;
    std::array<std::uint8_t, 16> salt{};
    std::copy_n(plain.begin(), std::min(plain.size(), salt.size()), salt.begin());
    Bytes blob = Protection().ProtectWithSalt(plain, entropy, salt, u"fuzz");
    Require(!blob.empty());
    auto back = Protection().Unprotect(blob, entropy);
    Require(back.has_value() && std::equal(back->begin(), back->end(), plain.begin(), plain.end()));

    // The last three fields are salt (16), cipher text and fingerprint (20),
    // each after a 4-byte length. Changing any byte of their contents must be
    // noticed; the lengths are left alone.
    const std::size_t cipherLength = (plain.size() / 8 + 1) * 8;
    const std::size_t saltAt = blob.size() - 20 - 4 - cipherLength - 4 - 16;
    const std::size_t span = 16 + 4 + cipherLength + 4 + 20;
    std::size_t at = saltAt + (plain.empty() ? 0 : plain.back() * 131u % span);
    if (at >= saltAt + 16 && at < saltAt + 20)
        at += 4; // the cipher text's length
    if (at >= blob.size() - 24 && at < blob.size() - 20)
        at += 4; // the fingerprint's length
    blob[at] ^= static_cast<std::uint8_t>(plain.empty() ? 1 : (plain.front() | 1));
    Require(!Protection().Unprotect(blob, entropy).has_value());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::span<const std::uint8_t> input(data, size);
    const std::size_t entropyLength = std::min<std::size_t>(input[0], size - 1);
    const auto entropy = input.subspan(1, entropyLength);
    const auto blob = input.subspan(1 + entropyLength);

    UnprotectChecked(blob, entropy);
    UnprotectChecked(WithHeader(blob), entropy);
    UnprotectChecked(Framed(blob), entropy);
    RoundTrip(blob, entropy);
    return 0;
}
