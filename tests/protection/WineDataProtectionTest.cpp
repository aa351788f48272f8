// Wine's data protection, checked against blobs that real Wine made
// (tests/data/wine-dpapi, written by make-blobs.sh) and against blobs made
// here that make-blobs.sh hands back to Wine.
//
// When QUORVANE_WINE_DPAPI_EXPORT names a folder, the tests below also write
// every blob they make or craft there, with the verdict this program gives
// it, so make-blobs.sh can ask Wine for its verdict on the same bytes.

#include "protection/WineDataProtection.h"
#include "protection/DataProtection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace quorvane {
namespace {

const std::string kDataFolder = std::string(QUORVANE_TEST_DATA) + "/wine-dpapi";

Bytes ToBytes(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

std::optional<Bytes> ReadBinary(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::optional<Bytes> FromHex(std::string_view hex) {
    if (hex.size() % 2 != 0)
        return std::nullopt;
    auto nibble = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    };
    Bytes out;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = nibble(hex[i]);
        const int low = nibble(hex[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        out.push_back(static_cast<std::uint8_t>(high << 4 | low));
    }
    return out;
}

std::string ToHex(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    for (std::uint8_t b : bytes) {
        out.push_back(kDigits[b >> 4]);
        out.push_back(kDigits[b & 15]);
    }
    return out;
}

// --- Blobs Wine made ------------------------------------------------------

struct WineBlob {
    std::string file;
    std::string user; // Wine user name in the ANSI code page
    Bytes entropy;    // empty: Wine was given no entropy
    std::string plainFile;
    std::u16string description;
    Bytes blob;
    Bytes plain;
};

// manifest.tsv: blob, user (ANSI hex), entropy (hex, "-" for none), plain
// file, description (ASCII, "-" for none).
std::vector<WineBlob> LoadManifest() {
    std::vector<WineBlob> rows;
    std::ifstream in(kDataFolder + "/manifest.tsv");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields;
        std::istringstream split(line);
        for (std::string field; std::getline(split, field, '\t');)
            fields.push_back(field);
        if (fields.size() != 5)
            continue; // reported by ManifestCoversTheCases
        WineBlob row;
        row.file = fields[0];
        const auto user = FromHex(fields[1]);
        row.user = user ? std::string(user->begin(), user->end()) : std::string();
        if (fields[2] != "-")
            row.entropy = FromHex(fields[2]).value_or(Bytes{});
        row.plainFile = fields[3];
        if (fields[4] != "-")
            row.description.assign(fields[4].begin(), fields[4].end());
        row.blob = ReadBinary(kDataFolder + "/" + row.file).value_or(Bytes{});
        row.plain = ReadBinary(kDataFolder + "/" + row.plainFile).value_or(Bytes{});
        rows.push_back(std::move(row));
    }
    return rows;
}

const std::vector<WineBlob>& Manifest() {
    static const std::vector<WineBlob> rows = LoadManifest();
    return rows;
}

// Offsets of the blob's fields, found by walking a well-formed blob the way
// its layout is written down, so the cases below can damage one field at a
// time.
struct Layout {
    std::size_t count0 = 0, magic0 = 4, count1 = 20, magic1 = 24, null0 = 40;
    std::size_t descriptionLength = 44, description = 48;
    std::size_t cipherAlgorithm = 0, keyLength = 0;
    std::size_t magic2Length = 0, magic2 = 0, null1 = 0, hashAlgorithm = 0, hashLength = 0;
    std::size_t saltLength = 0, salt = 0, cipherLength = 0, cipher = 0;
    std::size_t fingerprintLength = 0, fingerprint = 0, end = 0;
};

std::uint32_t GetDword(const Bytes& blob, std::size_t at) {
    return static_cast<std::uint32_t>(blob.at(at)) |
           static_cast<std::uint32_t>(blob.at(at + 1)) << 8 |
           static_cast<std::uint32_t>(blob.at(at + 2)) << 16 |
           static_cast<std::uint32_t>(blob.at(at + 3)) << 24;
}

void SetDword(Bytes& blob, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        blob.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
}

Layout Walk(const Bytes& blob) {
    Layout l;
    std::size_t at = l.description + GetDword(blob, l.descriptionLength);
    l.cipherAlgorithm = at;
    l.keyLength = at + 4;
    l.magic2Length = at + 8;
    l.magic2 = at + 12;
    at = l.magic2 + GetDword(blob, l.magic2Length);
    l.null1 = at;
    l.hashAlgorithm = at + 4;
    l.hashLength = at + 8;
    l.saltLength = at + 12;
    l.salt = at + 16;
    l.cipherLength = l.salt + GetDword(blob, l.saltLength);
    l.cipher = l.cipherLength + 4;
    l.fingerprintLength = l.cipher + GetDword(blob, l.cipherLength);
    l.fingerprint = l.fingerprintLength + 4;
    l.end = l.fingerprint + GetDword(blob, l.fingerprintLength);
    return l;
}

// Replaces a length-prefixed field's bytes (and its length).
Bytes ReplaceCounted(const Bytes& blob, std::size_t lengthAt, std::span<const std::uint8_t> bytes) {
    const std::size_t oldLength = GetDword(blob, lengthAt);
    Bytes out(blob.begin(), blob.begin() + static_cast<std::ptrdiff_t>(lengthAt + 4));
    SetDword(out, lengthAt, static_cast<std::uint32_t>(bytes.size()));
    out.insert(out.end(), bytes.begin(), bytes.end());
    out.insert(out.end(), blob.begin() + static_cast<std::ptrdiff_t>(lengthAt + 4 + oldLength),
               blob.end());
    return out;
}

// A length-prefixed field's bytes.
Bytes FieldBytes(const Bytes& blob, std::size_t lengthAt) {
    const auto begin = blob.begin() + static_cast<std::ptrdiff_t>(lengthAt + 4);
    return Bytes(begin, begin + GetDword(blob, lengthAt));
}

// --- Handing blobs to make-blobs.sh ---------------------------------------

class WineExport {
public:
    static void Add(const std::string& name, const std::string& user,
                    std::span<const std::uint8_t> entropy, std::span<const std::uint8_t> blob,
                    const std::optional<Bytes>& expectedPlain) {
        const char* folder = std::getenv("QUORVANE_WINE_DPAPI_EXPORT");
        if (!folder || !*folder)
            return;
        const std::string base = std::string(folder) + "/";
        Write(base + name + ".blob", blob);
        std::string entropyFile = "-";
        if (!entropy.empty()) {
            entropyFile = name + ".entropy";
            Write(base + entropyFile, entropy);
        }
        std::string plainFile = "-";
        if (expectedPlain) {
            plainFile = name + ".plain";
            Write(base + plainFile, *expectedPlain);
        }
        std::ofstream list(base + "cases.tsv", std::ios::app);
        list << name << '\t' << ToHex(ToBytes(user)) << '\t' << entropyFile << '\t'
             << (expectedPlain ? "ok" : "fail") << '\t' << plainFile << '\n';
        ASSERT_TRUE(list.good()) << "cannot write the export list in " << folder;
    }

private:
    static void Write(const std::string& path, std::span<const std::uint8_t> bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        ASSERT_TRUE(out.good()) << "cannot write " << path;
    }
};

// --- Every Wine blob ------------------------------------------------------

// Unprotects, expecting failure for the given reason.
void ExpectRefused(const WineDataProtection& protection, std::span<const std::uint8_t> blob,
                   std::span<const std::uint8_t> entropy, FailureCode expected) {
    const Result<Bytes> plain = protection.Unprotect(blob, entropy);
    ASSERT_FALSE(plain.has_value());
    EXPECT_EQ(plain.error().code, expected);
}

TEST(WineDataProtectionManifest, ManifestCoversTheCases) {
    const auto& rows = Manifest();
    ASSERT_FALSE(rows.empty()) << "no rows in " << kDataFolder << "/manifest.tsv";
    std::set<std::string> users;
    // Keyed by text: gcc 12 warns falsely on sets of byte vectors at -O2.
    std::set<std::string> entropies;
    std::set<std::size_t> sizes;
    bool described = false;
    for (const auto& row : rows) {
        EXPECT_FALSE(row.blob.empty()) << row.file;
        users.insert(row.user);
        entropies.insert(std::string(row.entropy.begin(), row.entropy.end()));
        sizes.insert(row.plain.size());
        described = described || !row.description.empty();
    }
    EXPECT_GE(users.size(), 2u);
    EXPECT_TRUE(entropies.contains(std::string()));
    EXPECT_GE(entropies.size(), 2u);
    for (std::size_t size : {0u, 1u, 15u, 16u, 17u})
        EXPECT_TRUE(sizes.contains(size)) << "no plain text of " << size << " bytes";
    EXPECT_GE(*sizes.rbegin(), 2048u) << "no plain text of a few KB";
    EXPECT_TRUE(described) << "no blob with a description";
}

class WineMadeBlob : public testing::TestWithParam<std::size_t> {
protected:
    const WineBlob& Row() const { return Manifest().at(GetParam()); }
};

TEST_P(WineMadeBlob, UnprotectsToItsPlainText) {
    const auto& row = Row();
    const auto plain = WineDataProtection(row.user).Unprotect(row.blob, row.entropy);
    ASSERT_TRUE(plain.has_value()) << row.file;
    EXPECT_EQ(*plain, row.plain) << row.file;
}

// With Wine's salt, Protect must write the very bytes Wine wrote: layout,
// key, cipher, padding and fingerprint all at once.
TEST_P(WineMadeBlob, ProtectWithWineSaltGivesTheSameBytes) {
    const auto& row = Row();
    const Layout l = Walk(row.blob);
    ASSERT_EQ(GetDword(row.blob, l.saltLength), 16u);
    std::array<std::uint8_t, 16> salt{};
    std::copy_n(row.blob.begin() + static_cast<std::ptrdiff_t>(l.salt), 16, salt.begin());
    const Bytes ours =
        WineDataProtection(row.user).ProtectWithSalt(row.plain, row.entropy, salt, row.description);
    EXPECT_EQ(ToHex(ours), ToHex(row.blob)) << row.file;
}

TEST_P(WineMadeBlob, WrongUserOrEntropyFails) {
    const auto& row = Row();
    std::vector<std::string> wrongUsers = {"", row.user + "x", row.user.substr(1)};
    for (const auto& other : Manifest())
        if (other.user != row.user)
            wrongUsers.push_back(other.user);
    // The blob itself is sound: the key is wrong.
    for (const auto& user : wrongUsers) {
        SCOPED_TRACE(row.file + " for user \"" + user + "\"");
        ExpectRefused(WineDataProtection(user), row.blob, row.entropy, FailureCode::WrongPassword);
    }

    std::vector<Bytes> wrongEntropies = {ToBytes("x"), Bytes(row.entropy.size() + 1, 0)};
    if (!row.entropy.empty()) {
        wrongEntropies.push_back({});
        wrongEntropies.emplace_back(row.entropy.begin(), row.entropy.end() - 1);
        Bytes flipped = row.entropy;
        flipped.back() ^= 1;
        wrongEntropies.push_back(flipped);
    }
    const WineDataProtection protection(row.user);
    for (const auto& entropy : wrongEntropies) {
        SCOPED_TRACE(row.file + " with entropy " + ToHex(entropy));
        ExpectRefused(protection, row.blob, entropy, FailureCode::WrongPassword);
    }
}

TEST_P(WineMadeBlob, EveryTruncationFailsAsDamaged) {
    const auto& row = Row();
    const WineDataProtection protection(row.user);
    for (std::size_t length = 0; length < row.blob.size(); ++length) {
        const auto plain = protection.Unprotect(std::span(row.blob).first(length), row.entropy);
        ASSERT_FALSE(plain) << row.file << " cut to " << length << " bytes";
        ASSERT_EQ(plain.error().code, FailureCode::Damaged) << row.file << " cut to " << length;
    }
}

INSTANTIATE_TEST_SUITE_P(Manifest, WineMadeBlob, testing::Range<std::size_t>(0, Manifest().size()),
                         [](const testing::TestParamInfo<std::size_t>& param) {
                             std::string name = Manifest().at(param.param).file;
                             std::replace_if(
                                 name.begin(), name.end(),
                                 [](char c) {
                                     return !std::isalnum(static_cast<unsigned char>(c));
                                 },
                                 '_');
                             return name;
                         });

// --- Acceptance rules, on one Wine blob damaged field by field ------------

// The Wine blob the acceptance cases damage: 16 bytes of plain text, so its
// cipher text is three blocks and the last one is pure padding.
const WineBlob& PaddingBaseBlob() {
    for (const auto& row : Manifest())
        if (row.plain.size() == 16 && !row.entropy.empty() && row.description.empty())
            return row;
    static const WineBlob none;
    return none;
}

struct Damage {
    std::string name;
    std::function<Bytes(const Bytes&, const Layout&)> apply;
    bool accepted;
    // The plain text when accepted, if not the base blob's.
    std::optional<Bytes> plain = std::nullopt;
};

Bytes WithDword(const Bytes& blob, std::size_t at, std::uint32_t value) {
    Bytes out = blob;
    SetDword(out, at, value);
    return out;
}

Bytes WithXor(const Bytes& blob, std::size_t at, std::uint8_t mask) {
    Bytes out = blob;
    out.at(at) ^= mask;
    return out;
}

// The base blob with a cipher text that decrypts to exactly `decrypted`
// (whole blocks, padding included) and the fingerprint of `fingerprinted`.
// ProtectWithSalt under the base blob's salt, user and entropy serves as
// the cipher: with a zero IV, the cipher text of decrypted + padding begins
// with the cipher text of decrypted. This makes blobs whose padding is bad
// while their fingerprint is right, which bit flips cannot do (a flip in the
// block before the padding garbles that block too).
Bytes Crafted(const WineBlob& base, const Bytes& decrypted, const Bytes& fingerprinted) {
    const Layout l = Walk(base.blob);
    std::array<std::uint8_t, 16> salt{};
    std::copy_n(base.blob.begin() + static_cast<std::ptrdiff_t>(l.salt), 16, salt.begin());
    const WineDataProtection protection(base.user);

    const Bytes whole = protection.ProtectWithSalt(decrypted, base.entropy, salt);
    Bytes cipher = FieldBytes(whole, Walk(whole).cipherLength);
    cipher.resize(decrypted.size()); // drop the block of padding Protect added
    const Bytes other = protection.ProtectWithSalt(fingerprinted, base.entropy, salt);
    const Bytes fingerprint = FieldBytes(other, Walk(other).fingerprintLength);

    const Bytes withCipher = ReplaceCounted(base.blob, l.cipherLength, cipher);
    return ReplaceCounted(withCipher, Walk(withCipher).fingerprintLength, fingerprint);
}

Bytes Concat(Bytes a, std::initializer_list<std::uint8_t> b) {
    a.insert(a.end(), b);
    return a;
}

std::vector<Damage> Damages(const WineBlob& base) {
    const Bytes& x = base.plain;
    std::vector<Damage> d = {
        // Wine reads these fields but never looks at them.
        {"unchanged", [](const Bytes& b, const Layout&) { return b; }, true},
        {"trailing-bytes",
         [](const Bytes& b, const Layout&) {
             Bytes out = b;
             out.insert(out.end(), {0, 0, 0, 0, 'j', 'u', 'n', 'k'});
             return out;
         },
         true},
        {"second-magic-changed",
         [](const Bytes& b, const Layout& l) { return WithXor(b, l.magic1 + 3, 0x20); }, true},
        {"third-magic-changed",
         [](const Bytes& b, const Layout& l) { return WithXor(b, l.magic2, 0x01); }, true},
        {"third-magic-other-length",
         [](const Bytes& b, const Layout& l) {
             return ReplaceCounted(b, l.magic2Length, ToBytes("xyz"));
         },
         true},
        {"description-replaced",
         [](const Bytes& b, const Layout& l) {
             return ReplaceCounted(b, l.descriptionLength,
                                   ToBytes(std::string_view("O\0k\0\0\0", 6)));
         },
         true},
        {"description-odd-unterminated",
         [](const Bytes& b, const Layout& l) {
             return ReplaceCounted(b, l.descriptionLength, ToBytes("abc"));
         },
         true},
        {"cipher-algorithm-changed",
         [](const Bytes& b, const Layout& l) { return WithDword(b, l.cipherAlgorithm, 0x6801); },
         true},
        {"hash-algorithm-changed",
         [](const Bytes& b, const Layout& l) { return WithDword(b, l.hashAlgorithm, 0x8003); },
         true},
        {"hash-length-changed",
         [](const Bytes& b, const Layout& l) { return WithDword(b, l.hashLength, 128); }, true},
        {"key-length-192",
         [](const Bytes& b, const Layout& l) { return WithDword(b, l.keyLength, 192); }, true},

        // Header fields that must hold their values.
        {"count0-0", [](const Bytes& b, const Layout& l) { return WithDword(b, l.count0, 0); },
         false},
        {"count0-2", [](const Bytes& b, const Layout& l) { return WithDword(b, l.count0, 2); },
         false},
        {"count1-0", [](const Bytes& b, const Layout& l) { return WithDword(b, l.count1, 0); },
         false},
        {"count1-2", [](const Bytes& b, const Layout& l) { return WithDword(b, l.count1, 2); },
         false},
        {"null0-1", [](const Bytes& b, const Layout& l) { return WithDword(b, l.null0, 1); },
         false},
        {"null1-1", [](const Bytes& b, const Layout& l) { return WithDword(b, l.null1, 1); },
         false},
        {"null1-high",
         [](const Bytes& b, const Layout& l) { return WithDword(b, l.null1, 0x80000000u); }, false},

        // Key lengths other than 168 and 192 bits. Wine also lets 0 (its
        // provider's default) through and looks at the low 16 bits only;
        // make-blobs.sh lists those two cases as known differences. No
        // blob Wine writes carries anything but 168.
        {"key-length-0",
         [](const Bytes& b, const Layout& l) { return WithDword(b, l.keyLength, 0); }, false},
        {"key-length-128",
         [](const Bytes& b, const Layout& l) { return WithDword(b, l.keyLength, 128); }, false},
        {"key-length-167",
         [](const Bytes& b, const Layout& l) { return WithDword(b, l.keyLength, 167); }, false},
        {"key-length-169",
         [](const Bytes& b, const Layout& l) { return WithDword(b, l.keyLength, 169); }, false},
        {"key-length-256",
         [](const Bytes& b, const Layout& l) { return WithDword(b, l.keyLength, 256); }, false},
        {"key-length-0x100a8",
         [](const Bytes& b, const Layout& l) { return WithDword(b, l.keyLength, 0x100a8); }, false},
        {"key-length-0xffffffff",
         [](const Bytes& b, const Layout& l) { return WithDword(b, l.keyLength, 0xffffffffu); },
         false},

        // Padding: the last byte n must be 1 to 8 and the last n bytes all
        // equal n. Each bad case carries the fingerprint of what a reader
        // that skips that rule would return, so only the padding check can
        // refuse it.
        {"padding-last-0",
         [&base, x](const Bytes&, const Layout&) {
             const Bytes decrypted = Concat(x, {0, 0, 0, 0, 0, 0, 0, 0});
             return Crafted(base, decrypted, decrypted);
         },
         false},
        {"padding-last-9",
         [&base, x](const Bytes&, const Layout&) {
             const Bytes half(x.begin(), x.begin() + 8);
             return Crafted(base, Concat(half, {9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9}),
                            Concat(half, {9, 9, 9, 9, 9, 9, 9}));
         },
         false},
        {"padding-last-255",
         [&base, x](const Bytes&, const Layout&) {
             return Crafted(base, Concat(x, {1, 2, 3, 4, 5, 6, 7, 0xff}), x);
         },
         false},
        {"padding-inner-mismatch",
         [&base, x](const Bytes&, const Layout&) {
             return Crafted(base, Concat(x, {8, 8, 8, 8, 8, 8, 7, 8}), x);
         },
         false},
        {"padding-first-mismatch",
         [&base, x](const Bytes&, const Layout&) {
             return Crafted(base, Concat(x, {0, 8, 8, 8, 8, 8, 8, 8}), x);
         },
         false},
        {"padding-two-mismatch",
         [&base, x](const Bytes&, const Layout&) {
             return Crafted(base, Concat(x, {'a', 'b', 'c', 'd', 'e', 'f', 1, 2}),
                            Concat(x, {'a', 'b', 'c', 'd', 'e', 'f'}));
         },
         false},
        // Well-formed padding shorter than a block, made the same way: the
        // plain text is what precedes it.
        {"padding-one-byte",
         [&base, x](const Bytes&, const Layout&) {
             return Crafted(base, Concat(x, {8, 8, 8, 8, 8, 8, 8, 1}),
                            Concat(x, {8, 8, 8, 8, 8, 8, 8}));
         },
         true, Concat(x, {8, 8, 8, 8, 8, 8, 8})},
        {"padding-two-bytes",
         [&base, x](const Bytes&, const Layout&) {
             return Crafted(base, Concat(x, {'a', 'b', 'c', 'd', 'e', 'f', 2, 2}),
                            Concat(x, {'a', 'b', 'c', 'd', 'e', 'f'}));
         },
         true, Concat(x, {'a', 'b', 'c', 'd', 'e', 'f'})},
        // A flipped bit in the padding block's predecessor changes the
        // padding and garbles that block: the fingerprint refuses it.
        {"cipher-bit-flipped",
         [](const Bytes& b, const Layout& l) { return WithXor(b, l.fingerprintLength - 9, 0x01); },
         false},

        // Fingerprint.
        {"fingerprint-first-byte",
         [](const Bytes& b, const Layout& l) { return WithXor(b, l.fingerprint, 0x01); }, false},
        {"fingerprint-last-byte",
         [](const Bytes& b, const Layout& l) { return WithXor(b, l.fingerprint + 19, 0x80); },
         false},
        {"fingerprint-19-bytes",
         [](const Bytes& b, const Layout& l) {
             return ReplaceCounted(b, l.fingerprintLength, std::span(b).subspan(l.fingerprint, 19));
         },
         false},
        {"fingerprint-21-bytes",
         [](const Bytes& b, const Layout& l) {
             Bytes longer(b.begin() + static_cast<std::ptrdiff_t>(l.fingerprint),
                          b.begin() + static_cast<std::ptrdiff_t>(l.end));
             longer.push_back(0);
             return ReplaceCounted(b, l.fingerprintLength, longer);
         },
         false},

        // Salt and cipher text.
        {"salt-changed",
         [](const Bytes& b, const Layout& l) { return WithXor(b, l.salt + 15, 0x01); }, false},
        {"salt-8-bytes",
         [](const Bytes& b, const Layout& l) {
             return ReplaceCounted(b, l.saltLength, std::span(b).subspan(l.salt, 8));
         },
         false},
        {"cipher-first-block-dropped",
         [](const Bytes& b, const Layout& l) {
             return ReplaceCounted(b, l.cipherLength, std::span(b).subspan(l.cipher + 8, 16));
         },
         false},
        {"cipher-not-whole-blocks",
         [](const Bytes& b, const Layout& l) {
             return ReplaceCounted(b, l.cipherLength, std::span(b).subspan(l.cipher, 20));
         },
         false},
        {"cipher-empty",
         [](const Bytes& b, const Layout& l) { return ReplaceCounted(b, l.cipherLength, {}); },
         false},

        // Lengths that point past the end of the blob.
        {"description-length-huge",
         [](const Bytes& b, const Layout& l) {
             return WithDword(b, l.descriptionLength, 0xfffffff0u);
         },
         false},
        {"salt-length-past-end",
         [](const Bytes& b, const Layout& l) {
             return WithDword(b, l.saltLength, static_cast<std::uint32_t>(b.size() - l.salt + 1));
         },
         false},
        {"cipher-length-past-end",
         [](const Bytes& b, const Layout& l) {
             return WithDword(b, l.cipherLength,
                              static_cast<std::uint32_t>(b.size() - l.cipher + 8));
         },
         false},
        {"fingerprint-length-past-end",
         [](const Bytes& b, const Layout& l) { return WithDword(b, l.fingerprintLength, 21); },
         false},
    };
    // Every byte of the first magic counts, its terminator included.
    for (std::size_t i = 0; i < 16; ++i)
        d.push_back(
            {"first-magic-byte-" + std::to_string(i),
             [i](const Bytes& b, const Layout& l) { return WithXor(b, l.magic0 + i, 0x40); },
             false});
    return d;
}

TEST(WineDataProtection, DamagedWineBlobsAreJudgedByTheRules) {
    const WineBlob& base = PaddingBaseBlob();
    ASSERT_FALSE(base.blob.empty()) << "manifest has no 16-byte blob with entropy";
    const Layout layout = Walk(base.blob);
    ASSERT_EQ(layout.end, base.blob.size());
    ASSERT_EQ(GetDword(base.blob, layout.cipherLength), 24u);
    const WineDataProtection protection(base.user);
    // Refused with a sound structure: only the padding or the fingerprint
    // tells, as it would for a wrong key. Every other refusal is damage.
    const std::set<std::string> wrongKey = {
        "padding-last-0",         "padding-last-9",         "padding-last-255",
        "padding-inner-mismatch", "padding-first-mismatch", "padding-two-mismatch",
        "cipher-bit-flipped",     "fingerprint-first-byte", "fingerprint-last-byte",
        "salt-changed",           "salt-8-bytes",           "cipher-first-block-dropped"};

    std::set<std::string> seen;
    for (const auto& damage : Damages(base)) {
        SCOPED_TRACE(damage.name);
        const Bytes blob = damage.apply(base.blob, layout);
        if (damage.name != "unchanged") {
            EXPECT_NE(blob, base.blob) << "the damage changed nothing";
        }
        EXPECT_TRUE(seen.insert(std::string(blob.begin(), blob.end())).second)
            << "two cases make the same blob";
        const auto plain = protection.Unprotect(blob, base.entropy);
        const Bytes& expected = damage.plain ? *damage.plain : base.plain;
        if (damage.accepted) {
            ASSERT_TRUE(plain.has_value());
            EXPECT_EQ(*plain, expected);
        } else {
            ASSERT_FALSE(plain.has_value());
            EXPECT_EQ(plain.error().code, wrongKey.contains(damage.name)
                                              ? FailureCode::WrongPassword
                                              : FailureCode::Damaged);
        }
        WineExport::Add("probe-" + damage.name, base.user, base.entropy, blob,
                        damage.accepted ? std::optional<Bytes>(expected) : std::nullopt);
    }
}

// Lengths read from a hostile blob, each pointing far past its end, must
// fail without reading or allocating what they claim.
TEST(WineDataProtection, HostileLengthsFail) {
    const WineBlob& base = PaddingBaseBlob();
    ASSERT_FALSE(base.blob.empty());
    const Layout l = Walk(base.blob);
    const WineDataProtection protection(base.user);
    for (std::size_t at :
         {l.descriptionLength, l.magic2Length, l.saltLength, l.cipherLength, l.fingerprintLength}) {
        const auto remaining = static_cast<std::uint32_t>(base.blob.size() - at - 4);
        for (std::uint32_t length : {remaining + 1, remaining + 8, 0x7fffffffu, 0x80000000u,
                                     0xfffffff0u, 0xfffffffcu, 0xffffffffu}) {
            EXPECT_FALSE(protection.Unprotect(WithDword(base.blob, at, length), base.entropy))
                << "length " << length << " at offset " << at;
        }
    }
}

// --- Blobs made here -------------------------------------------------------

TEST(WineDataProtection, ProtectThenUnprotect) {
    const std::vector<std::pair<std::string, std::string>> users = {{"quorvane", "quorvane"},
                                                                    {"j\xfcrgen", "jurgen"}};
    Bytes binaryEntropy(300);
    for (std::size_t i = 0; i < binaryEntropy.size(); ++i)
        binaryEntropy[i] = static_cast<std::uint8_t>(i * 37 + 11);
    const std::vector<std::pair<Bytes, std::string>> entropies = {
        {{}, "noentropy"}, {ToBytes("x"), "entropy1"}, {binaryEntropy, "entropy300"}};

    for (const auto& [user, userTag] : users) {
        const WineDataProtection protection(user);
        for (const auto& [entropy, entropyTag] : entropies) {
            for (std::size_t size : {0u, 1u, 7u, 8u, 9u, 15u, 16u, 17u, 4099u}) {
                Bytes plain(size);
                for (std::size_t i = 0; i < size; ++i)
                    plain[i] = static_cast<std::uint8_t>((i * 131) ^ (i >> 8) ^ size);
                const std::u16string description = size % 2 ? u"Quorvane \u00e9\u20ac" : u"";
                const std::string name =
                    "ours-" + userTag + "-" + entropyTag + "-" + std::to_string(size);
                SCOPED_TRACE(name);

                const Bytes blob = protection.Protect(plain, entropy, description);
                ASSERT_FALSE(blob.empty());
                const auto back = protection.Unprotect(blob, entropy);
                ASSERT_TRUE(back.has_value());
                EXPECT_EQ(*back, plain);
                // Cipher text is the plain text padded to whole blocks.
                EXPECT_EQ(GetDword(blob, Walk(blob).cipherLength), (size / 8 + 1) * 8);

                // A fresh random salt each time: the same input never gives
                // the same blob twice.
                const Bytes again = protection.Protect(plain, entropy, description);
                EXPECT_NE(FieldBytes(again, Walk(again).saltLength),
                          FieldBytes(blob, Walk(blob).saltLength));
                EXPECT_EQ(protection.Unprotect(again, entropy), plain);

                WineExport::Add(name, user, entropy, blob, plain);
            }
        }
    }
}

// One whole blob pinned byte for byte. make-blobs.sh hands this very blob
// (the "pinned" case below) to Wine, which unprotects it to the same text.
TEST(WineDataProtection, PinnedBlobForFixedSalt) {
    std::array<std::uint8_t, 16> salt{};
    for (std::size_t i = 0; i < salt.size(); ++i)
        salt[i] = static_cast<std::uint8_t>(i);
    const WineDataProtection protection("quorvane");
    const Bytes plain = ToBytes("Pinned plain text for Quorvane");
    const Bytes entropy = ToBytes("pin");
    const Bytes blob = protection.ProtectWithSalt(plain, entropy, salt, u"Pin");

    const std::string expected =
        "01000000"                                 // count
        "57696e652043727970743332206f6b00"         // magic
        "01000000"                                 // count
        "57696e652043727970743332206f6b00"         // second magic
        "00000000"                                 // null
        "08000000500069006e000000"                 // description "Pin"
        "03660000a8000000"                         // 3DES, 168 bits
        "1000000057696e652043727970743332206f6b00" // third magic
        "00000000"                                 // null
        "04800000a0000000"                         // SHA-1, 160 bits
        "10000000000102030405060708090a0b0c0d0e0f" // salt 00..0f
        "200000001541c9afd7eb1cc558898e818cccaff02a9fb4735338d67d5e02b03c7d7f1282" // cipher text
        "14000000a4210079cb9f161145c234cf7e666d4cc8958946";                        // fingerprint
    EXPECT_EQ(ToHex(blob), expected);
    EXPECT_EQ(protection.Unprotect(blob, entropy), plain);
    WineExport::Add("pinned", protection.UserName(), entropy, blob, plain);
}

} // namespace
} // namespace quorvane
