// A protected file (map.dat or a catalogue) is read from the account folder,
// where anything may have been left. The input is used twice:
//  - as the file itself: two bytes, then a blob that will almost never
//    unprotect, which exercises the reading and the blob parser through the
//    real file path;
//  - as the plain text of a valid file, protected here with the account's
//    passport, so the decoding after Unprotect (Base64, UTF-16LE, code page)
//    and the pointer and catalogue scans behind it see fuzzed text too.

#include "FuzzSupport.h"

#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/ScratchFolder.h"
#include "profile/Base64.h"
#include "profile/CatalogueFiles.h"
#include "profile/ObjectList.h"
#include "protection/DataProtection.h"
#include "protection/WineDataProtection.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <fcntl.h>
#include <span>
#include <string>
#include <unistd.h>

using namespace quorvane;
using quorvane::fuzz::AsBytes;
using quorvane::fuzz::AsText;
using quorvane::fuzz::Require;

namespace {

constexpr std::string_view kPassport = "someone@example.com";

// Made once: the code page learns its tables from iconv, and the file is
// overwritten for every input rather than created anew.
struct Fixture {
    fuzz::ScratchFolder folder;
    WineDataProtection protection{"user"};
    SystemClock clock;
    ProfileServices services{protection, clock, CodePage::Ansi(), folder.Path(), ""};
    PictureObjectList list{services, ContentCategory::RegularBackgrounds};
    std::string path = folder.Path() + "/map.dat";

    Fixture() { list.SetPassport(kPassport); }
};

Fixture& Get() {
    static Fixture fixture;
    return fixture;
}

void WriteInput(const std::string& path, std::span<const std::uint8_t> bytes) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    Require(fd >= 0);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        Require(n > 0);
        done += static_cast<std::size_t>(n);
    }
    close(fd);
}

// Everything the listing does with a decoded protected file.
void UseDecoded(const std::vector<std::uint8_t>& decoded) {
    const CodePage& codePage = CodePage::Ansi();
    const std::string text = DecodedText(decoded, codePage);
    // One narrow character per UTF-16 unit at most in Windows-1252; an odd
    // last byte is a unit of its own.
    Require(text.size() <= (decoded.size() + 1) / 2);
    if (auto name = CatalogueNameFromPointer(text, codePage))
        Require(text.find(*name) != std::string::npos);
    for (const auto& record : ScanCatalogue(CatalogueLayout::Packaged, text, codePage))
        (void)DecodeFriendlyName(record.friendly, codePage);
    (void)ScanCatalogue(CatalogueLayout::CustomEmoticons, text, codePage);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Fixture& fixture = Get();
    const std::span<const std::uint8_t> input(data, size);

    WriteInput(fixture.path, input);
    ProtectedFileContent raw = fixture.list.ReadProtectedFile(fixture.path);
    Require(raw.read == (size >= 2));
    Require(!raw.unprotected || raw.read);
    Require(raw.unprotected || raw.decoded.empty());
    if (raw.unprotected)
        UseDecoded(raw.decoded);

    // Large plain texts only slow the protecting down without reaching new
    // code.
    if (size > 8192)
        return 0;
    static constexpr std::array<std::uint8_t, 16> kSalt = {1, 2,  3,  4,  5,  6,  7,  8,
                                                           9, 10, 11, 12, 13, 14, 15, 16};
    Bytes file = {0x02, 0x00};
    const Bytes blob = fixture.protection.ProtectWithSalt(input, AsBytes(kPassport), kSalt);
    Require(!blob.empty());
    file.insert(file.end(), blob.begin(), blob.end());
    WriteInput(fixture.path, file);
    ProtectedFileContent valid = fixture.list.ReadProtectedFile(fixture.path);
    Require(valid.read && valid.unprotected);
    Require(valid.decoded == DecodeBase64(AsText(input)));
    UseDecoded(valid.decoded);
    return 0;
}
