// Master key files, CREDHIST and data protection blobs come from an old
// disk that anyone may have written: every parser must turn away damaged
// input without reading out of bounds, allocating what a length claims or
// running the rounds a file asks for past the cap.
//
// Input: first byte picks the parser (master key file, CREDHIST, blob),
// the rest is the file. A master key that parses is opened with a fixed
// user key, but only when its rounds are few, so the fuzzer keeps its pace;
// a blob that parses is decrypted with a fixed master key.

#include "FuzzSupport.h"

#include "protection/CredHist.h"
#include "protection/WindowsBlob.h"
#include "protection/WindowsMasterKey.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

using namespace quorvane;
using namespace quorvane::dpapi;
using quorvane::fuzz::Require;

namespace {

constexpr std::uint32_t kFuzzRounds = 64;

void MasterKey(std::span<const std::uint8_t> bytes) {
    const quorvane::Result<MasterKeyFile> file = ParseMasterKeyFile(bytes);
    if (file) {
        Require(file->rounds >= 1 && file->rounds <= kMaxRounds);
        if (file->rounds > kFuzzRounds)
            return;
        static const std::array<std::uint8_t, 20> kUserKey{1, 2, 3};
        const quorvane::Result<SecretBytes> key = UnlockMasterKey(*file, kUserKey);
        Require(!key || key->size() == kMasterKeySize);
    }
}

void CredHist(std::span<const std::uint8_t> bytes) {
    const auto entries = ParseCredHist(bytes);
    if (!entries)
        return;
    Require(entries->size() <= 256);
    for (const CredHistEntry& entry : *entries)
        if (entry.rounds > kFuzzRounds)
            return;
    static const std::array<std::uint8_t, 20> kHash{4, 5, 6};
    const auto hashes = EarlierPasswordHashes(*entries, kHash, "S-1-5-21-1-2-3-1000");
    Require(hashes.size() <= 2 * entries->size());
}

void Blob(std::span<const std::uint8_t> bytes) {
    const quorvane::Result<WindowsBlob> blob = ParseWindowsBlob(bytes);
    if (!blob)
        return;
    static const std::array<std::uint8_t, 64> kMasterKey{7, 8, 9};
    if (const quorvane::Result<Bytes> plain = DecryptWindowsBlob(*blob, kMasterKey, {}))
        Require(plain->size() < blob->cipherText.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::span<const std::uint8_t> input(data + 1, size - 1);
    switch (data[0] % 3) {
    case 0:
        MasterKey(input);
        break;
    case 1:
        CredHist(input);
        break;
    default:
        Blob(input);
        break;
    }
    return 0;
}
