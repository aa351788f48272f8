// Writes the seed corpora of the fuzz targets: a few valid examples of each
// input, so a run starts from the formats' real shapes instead of having to
// discover "Wine Crypt32 ok" or "Location=" byte by byte. The output is
// committed under tests/fuzz/corpus; rerun this after a format change:
//
//     make_fuzz_seeds tests/fuzz/corpus tests/data/wine-dpapi
//
// The second folder is optional: from it a few blobs that Wine itself wrote
// join the Wine blob seeds, so the parser starts from Wine's exact layout and
// not only from ours.
//
// Blobs are made with a fixed salt so the seeds come out the same each time.

#include "FuzzSupport.h"

#include "app/SettingsStore.h"
#include "protection/DataProtection.h"
#include "protection/WineDataProtection.h"
#include "support/TestMovie.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using namespace quorvane;
using quorvane::fuzz::AsBytes;
using quorvane::fuzz::EncodeBase64;
using quorvane::fuzz::Utf16LeOfAscii;

namespace {

// The user and passport the fuzz targets unprotect with.
constexpr std::string_view kUser = "user";
constexpr std::string_view kPassport = "someone@example.com";
constexpr std::array<std::uint8_t, 16> kSalt = {0x51, 0x75, 0x6f, 0x72, 0x76, 0x61, 0x6e, 0x65,
                                                0x20, 0x73, 0x65, 0x65, 0x64, 0x73, 0x21, 0x00};

std::filesystem::path g_root;
int g_failures = 0;

void Put(const std::string& target, const std::string& name, std::string_view bytes) {
    const std::filesystem::path folder = g_root / target;
    std::filesystem::create_directories(folder);
    if (bytes.size() >= 4096) {
        std::fprintf(stderr, "seed %s/%s is %zu bytes: keep seeds under 4 KiB\n", target.c_str(),
                     name.c_str(), bytes.size());
        ++g_failures;
        return;
    }
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "cannot write %s/%s\n", target.c_str(), name.c_str());
        ++g_failures;
    }
}

std::string Protect(std::string_view plain, std::string_view entropy,
                    std::u16string_view description = u"") {
    const WineDataProtection protection{std::string(kUser)};
    const Bytes blob =
        protection.ProtectWithSalt(AsBytes(plain), AsBytes(entropy), kSalt, description);
    return {blob.begin(), blob.end()};
}

// Messenger's protected file: two bytes, then the blob of the Base64 of the
// UTF-16LE text.
std::string ProtectedFile(std::string_view text) {
    return std::string("\x02\x00", 2) + Protect(EncodeBase64(Utf16LeOfAscii(text)), kPassport);
}

std::string Friendly(std::string_view name) {
    return EncodeBase64(Utf16LeOfAscii(name));
}

const std::string kPointer = "<?xml version=\"1.0\"?><Map Location=\"ab12cd34.dat\" />";

std::string PackagedCatalogue() {
    return "<L><I Friendly=\"" + Friendly("Bongo") +
           "\" Location=\"bongo.cab\" stamp=\"PHN0YW1wIC8+\"/>"
           "<I Friendly=\"" +
           Friendly("Kiss") +
           "\" Location=\"kiss.cab\" stamp=\"S2\"/>"
           "<I stamp=\"S3x\" Location=\"three.cab\" Friendly=\"" +
           Friendly("Three") + "\"/></L>";
}

std::string BackgroundsCatalogue() {
    return "<B Friendly=\"" + Friendly("Beach") +
           "\" Location=\"beach.jpg\"/>"
           "<B Friendly=\"" +
           Friendly("Snow") + "\" Location=\"snow.png\"/>";
}

const std::string kDisplayPictures = "?sun.jpg\t<T Location=\"a.png\"/>\tmoon\t<T "
                                     "Location=\"b.png\"/>\tstar\t<T Location=\"c.gif\"/>";
const std::string kEmoticons =
    "?:-)\tSmile\t<E Location=\"A.DAT\"/>\t(k)\tKiss\t<E Location=\"b.dat\"/>\t:x\tNo\t"
    "<E Location=\"C.dat\"/>";
// Shift JIS names ("test", "picture"); the second holds a lead byte before a
// tab and before a quote, where a single-byte scan and a double-byte one part.
const std::string kShiftJisPictures =
    "?\x83\x65\x83\x58\x83\x67\t<T Location=\"\x8a\x47.png\"/>\t\x8a\x47\x81\t\t"
    "<T Location=\"x\x81\".png\"/>";

void WineBlobSeeds() {
    const std::string target = "fuzz_wine_blob";
    auto seed = [&](const std::string& name, std::string_view entropy, const std::string& blob) {
        Put(target, name,
            std::string(1, static_cast<char>(entropy.size())) + std::string(entropy) + blob);
    };
    seed("pointer-file-blob", kPassport,
         Protect(EncodeBase64(Utf16LeOfAscii(kPointer)), kPassport));
    seed("empty-plain-no-entropy", "", Protect("", ""));
    seed("described", "e", Protect(std::string(100, 'q'), "e", u"Messenger map"));
    seed("one-block", "", Protect("1234567", ""));
}

std::optional<std::string> ReadBinary(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Blobs from Wine's CryptProtectData, with the entropy they were made with
// ("Quorvane\0\xff\x01 entropy", as the data folder's manifest says).
void WineMadeBlobSeeds(const std::filesystem::path& folder) {
    static constexpr std::string_view kEntropy{"Quorvane\0\xff\x01 entropy", 19};
    const std::array<std::pair<const char*, std::string_view>, 3> blobs = {{
        {"jurgen-entropy-17.blob", kEntropy},
        {"jurgen-none-16.blob", {}},
        {"quorvane-entropy-17-described.blob", kEntropy},
    }};
    for (const auto& [name, entropy] : blobs) {
        const auto blob = ReadBinary(folder / name);
        if (!blob) {
            std::fprintf(stderr, "cannot read %s\n", (folder / name).c_str());
            ++g_failures;
            continue;
        }
        Put("fuzz_wine_blob", std::string("wine-made-") + name,
            std::string(1, static_cast<char>(entropy.size())) + std::string(entropy) + *blob);
    }
}

void ProtectedFileSeeds() {
    const std::string target = "fuzz_protected_file";
    // Files as Messenger leaves them.
    Put(target, "map.dat", ProtectedFile(kPointer));
    Put(target, "catalogue-packaged.dat", ProtectedFile(PackagedCatalogue()));
    Put(target, "catalogue-emoticons.dat", ProtectedFile(kEmoticons));
    // Plain texts the target protects itself.
    Put(target, "plain-pointer", EncodeBase64(Utf16LeOfAscii(kPointer)));
    Put(target, "plain-backgrounds", EncodeBase64(Utf16LeOfAscii(BackgroundsCatalogue())));
    Put(target, "plain-display-pictures", EncodeBase64(Utf16LeOfAscii(kDisplayPictures)));
    Put(target, "too-short", "\x02");
}

void Base64Seeds() {
    const std::string target = "fuzz_base64";
    Put(target, "padded", "SGVsbG8sIHdvcmxkIQ==");
    Put(target, "groups-of-3-2-1", "YWJjZA\r\nYWI= Y");
    Put(target, "every-symbol", "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/");
    Put(target, "friendly", Friendly("Caf\xe9 Bongo"));
    Put(target, "line-wrapped", EncodeBase64(std::string(150, '\x7f')).insert(76, "\r\n"));
}

void CatalogueSeeds() {
    const std::string target = "fuzz_pointer_and_catalogue";
    Put(target, "pointer", kPointer);
    Put(target, "packaged", PackagedCatalogue());
    Put(target, "backgrounds", BackgroundsCatalogue());
    Put(target, "display-pictures", kDisplayPictures);
    Put(target, "emoticons", kEmoticons);
    Put(target, "shift-jis-pictures", kShiftJisPictures);
    Put(target, "unclosed",
        "Friendly=\"QQA=\" Location=\"a.png\" Friendly=\"QQA=\" Location=\"b.png");
}

void PassportSeeds() {
    const std::string target = "fuzz_passports";
    Put(target, "empty-list", EncodeStringArray({}));
    Put(target, "two", EncodeStringArray({"someone@example.com", "other@example.net"}));
    Put(target, "with-empty-entry", EncodeStringArray({"", "a@b.c", ""}));
    // 255 bytes and more take the three-byte length prefix.
    Put(target, "long-entry", EncodeStringArray({std::string(300, 'p'), "x@y.z"}));
    // The 32-bit forms, written by hand: they are legal, just never needed
    // for lists this short.
    Put(target, "wide-count-and-length",
        std::string("\xff\xff\x02\x00\x00\x00"
                    "\xff\xff\xff\x05\x00\x00\x00"
                    "abcde"
                    "\x03"
                    "fgh",
                    22));
    // A UTF-16 marker: damage that ends the list after the first entry.
    Put(target, "utf16-marker", std::string("\x02\x00\x01z\xff\xfe\xff\x02\x00hi", 11));
}

// Flash movies: plain, zlib and LZMA, with an event tone, a stream tone and
// a stop, the tones short enough for the seeds' size.
void SwfMovieSeeds() {
    const std::string target = "fuzz_swf_movie";
    const auto put = [&](const std::string& name, const test::TestMovieRecipe& recipe) {
        const auto bytes = test::MakeTestMovie(recipe);
        Put(target, name, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
    };
    test::TestMovieRecipe recipe;
    recipe.width = 40;
    recipe.height = 30;
    recipe.frameColours = {0xff0000, 0x00ff00, 0x0000ff};
    recipe.toneFrame = 1;
    recipe.toneSeconds = 0.01;
    recipe.stopFrame = 2;
    put("event-tone-stop.swf", recipe);
    recipe.streamTone = true;
    recipe.stopFrame = -1;
    recipe.compressed = true;
    put("stream-tone-zlib.swf", recipe);
    recipe.compressed = false;
    recipe.lzma = true;
    recipe.version = 13;
    put("stream-tone-lzma.swf", recipe);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER [WINE_BLOB_FOLDER]\n", argv[0]);
        return 2;
    }
    g_root = argv[1];
    WineBlobSeeds();
    if (argc == 3)
        WineMadeBlobSeeds(argv[2]);
    ProtectedFileSeeds();
    Base64Seeds();
    CatalogueSeeds();
    PassportSeeds();
    SwfMovieSeeds();
    return g_failures == 0 ? 0 : 1;
}
