// Windows data protection read offline, against OpenSSL's own PBKDF2 for the
// same rounds: opening one master key with its password (Windows XP's
// 3DES/SHA-1 keys at 24,000 rounds, Windows 10's AES-256/SHA-512 keys at
// 8,000), decrypting a 64 KB blob, and a whole List of 5,000 custom
// emoticons from an XP profile (the master key opened afresh each time)
// against the same List from a Wine prefix, and from the same profile on an
// old computer's disk kept as a VMDK (the user found and copied out by the
// disk-image program each time). On the 2-core test machine, quiet: 33 ms
// from the folder, 48-51 ms from the VMDK (1.46-1.54 times). Nearly all of
// the difference is the disk-image program's start, about 10 ms, most of it
// the dynamic loader: The Sleuth Kit brings in 45 libraries (AFF alone
// brings curl, GnuTLS, Kerberos and LDAP).

#include "support/ChildRun.h"
#include "support/MessengerAccountBuilder.h"
#include "support/TempFolder.h"
#include "support/WindowsDpapiWriter.h"

#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "profile/ObjectList.h"
#include "protection/WindowsBlob.h"
#include "protection/WindowsDataProtection.h"
#include "protection/WineDataProtection.h"
#include "sources/DiskImage.h"

#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include <string>

using namespace quorvane;
using namespace quorvane::dpapi;
using quorvane::test::MessengerAccountBuilder;

namespace {

struct KeyKind {
    std::uint32_t hashId;
    std::uint32_t cipherId;
    std::uint32_t rounds;
};
constexpr KeyKind kKinds[] = {{kCalgHmac, kCalg3Des, 24000}, {kCalgSha512, kCalgAes256, 8000}};

void BM_UnlockMasterKey(benchmark::State& state) {
    const KeyKind kind = kKinds[state.range(0)];
    state.SetLabel(kind.cipherId == kCalg3Des ? "3DES/SHA-1, 24000 rounds"
                                              : "AES-256/SHA-512, 8000 rounds");
    const UserCredentials credentials = UserCredentials::FromPassword("correct horse");
    const std::string sid = "S-1-5-21-1004336348-1177238915-682003330-1003";
    const quorvane::Result<SecretBytes> userKey = UserKey(credentials.Hashes()[0].span(), sid);
    if (!userKey) {
        state.SkipWithError("no user key");
        return;
    }
    test::MasterKeyRecipe recipe;
    recipe.hashId = kind.hashId;
    recipe.cipherId = kind.cipherId;
    recipe.rounds = kind.rounds;
    MasterKeyFile file;
    file.hashId = kind.hashId;
    file.cipherId = kind.cipherId;
    file.rounds = kind.rounds;
    file.cipherText = test::MasterKeyCipherText(recipe, userKey->span());
    for (auto _ : state) {
        // From the password, as a user's unlock does.
        const UserCredentials typed = UserCredentials::FromPassword("correct horse");
        const quorvane::Result<SecretBytes> typedKey = UserKey(typed.Hashes()[0].span(), sid);
        if (!typedKey || !UnlockMasterKey(file, typedKey->span())) {
            state.SkipWithError("the key did not open");
            break;
        }
    }
}
BENCHMARK(BM_UnlockMasterKey)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

// The same rounds and output length through PKCS5_PBKDF2_HMAC.
void BM_OpenSslPbkdf2(benchmark::State& state) {
    const KeyKind kind = kKinds[state.range(0)];
    const bool sha1 = kind.hashId == kCalgHmac;
    state.SetLabel(sha1 ? "SHA-1, 24000 rounds, 32 bytes" : "SHA-512, 8000 rounds, 48 bytes");
    const std::array<std::uint8_t, 20> password{1, 2, 3};
    const std::array<std::uint8_t, 16> salt{4, 5, 6};
    std::array<std::uint8_t, 48> out{};
    for (auto _ : state) {
        PKCS5_PBKDF2_HMAC(reinterpret_cast<const char*>(password.data()),
                          static_cast<int>(password.size()), salt.data(),
                          static_cast<int>(salt.size()), static_cast<int>(kind.rounds),
                          sha1 ? EVP_sha1() : EVP_sha512(), sha1 ? 32 : 48, out.data());
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_OpenSslPbkdf2)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

void BM_DecryptBlob64K(benchmark::State& state) {
    const bool xp = state.range(0) == 0;
    state.SetLabel(xp ? "3DES/SHA-1 (XP)" : "AES-256/SHA-512");
    const Bytes masterKey(64, 0x42);
    const Bytes plain(64 * 1024, 0x61);
    test::BlobRecipe recipe;
    recipe.xpStyle = xp;
    recipe.cipherId = xp ? kCalg3Des : kCalgAes256;
    recipe.hashId = xp ? kCalgSha1 : kCalgSha512;
    const Bytes bytes = test::BlobBytes(recipe, masterKey, plain, {});
    for (auto _ : state) {
        const quorvane::Result<WindowsBlob> blob = ParseWindowsBlob(bytes);
        const quorvane::Result<Bytes> out =
            blob ? DecryptWindowsBlob(*blob, masterKey, {}) : quorvane::Result<Bytes>();
        if (!blob || !out) {
            state.SkipWithError("the blob did not open");
            break;
        }
        benchmark::DoNotOptimize(*out);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 64 * 1024);
}
BENCHMARK(BM_DecryptBlob64K)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);

constexpr int kRecords = 5000;
constexpr std::string_view kPassport = "bench.user@example.com";

// The same 5,000 emoticons protected by Wine and by an XP user.
struct Accounts {
    test::TempFolder folder;
    std::string wineAppData = folder / "wine";
    // An old computer's drive, as a folder and as a VMDK made from it.
    std::string drive = folder / "drive";
    std::string xpAppData = drive + "/Documents and Settings/Bench/Application Data";
    std::string image;
    WineDataProtection wine{"benchuser"};
    test::WindowsUserKeys user;
    SystemClock clock;

    Accounts() {
        const test::WindowsUserProtection windows(user, xpAppData);
        for (const auto& [appData, protection] :
             {std::pair<std::string, const DataProtector*>{wineAppData, &wine},
              {xpAppData, &windows.protection}}) {
            MessengerAccountBuilder builder(appData, std::string(kPassport), *protection);
            for (int n = 0; n < kRecords; ++n) {
                auto object =
                    MessengerAccountBuilder::SampleObject(ContentCategory::CustomEmoticons, n);
                object.writeFile = false;
                builder.Add(ContentCategory::CustomEmoticons, std::move(object));
            }
            builder.Write(false);
        }
        const test::ChildResult made = test::RunChild(
            {QUORVANE_MAKE_DISK_IMAGE, drive, "fat32", "mbr", "vmdk", folder / "old-computer"});
        if (made.ExitedWith(0))
            image = folder / "old-computer.vmdk";
    }
};

Accounts& GetAccounts() {
    static Accounts accounts;
    return accounts;
}

void BM_ListEmoticons(benchmark::State& state) {
    const bool xp = state.range(0) >= 1;
    const bool image = state.range(0) == 2;
    state.SetLabel(image ? "the XP profile in a VMDK, found and copied out each time"
                   : xp  ? "XP profile, key opened each time"
                         : "Wine prefix");
    Accounts& accounts = GetAccounts();
    if (image && accounts.image.empty()) {
        state.SkipWithError("the VMDK could not be made");
        return;
    }
    for (auto _ : state) {
        std::string appData = xp ? accounts.xpAppData : accounts.wineAppData;
        Result<DiskImageCopy> copy = Fail("not read from an image");
        if (image) {
            // As the command line reads it: one run of the disk-image program.
            copy = ReadDiskImageUser(DiskImageTool(), accounts.image, {}, 0,
                                     accounts.folder / "cache", nullptr);
            if (!copy) {
                state.SkipWithError(copy.error().sentence.c_str());
                break;
            }
            appData = copy->userFolder + "/Application Data";
        }
        const WindowsKeyring keyring(accounts.user.ProtectFolder(appData), accounts.user.sid,
                                     UserCredentials::FromPassword(accounts.user.password));
        const WindowsDataProtection windows(keyring);
        const DataProtection& protection =
            xp ? static_cast<const DataProtection&>(windows) : accounts.wine;
        const ProfileServices services{
            protection, accounts.clock, CodePage::Ansi(), appData, accounts.folder / "cache", xp};
        PictureObjectList list(services, ContentCategory::CustomEmoticons);
        if (!list.ListObjects(kPassport) || list.objects.size() != kRecords) {
            state.SkipWithError("the listing did not give every record");
            break;
        }
    }
}
BENCHMARK(BM_ListEmoticons)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
