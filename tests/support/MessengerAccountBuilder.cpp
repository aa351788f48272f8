#include "support/MessengerAccountBuilder.h"

#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "profile/MessengerProfile.h"
#include "support/CabinetWriter.h"
#include "support/TempFolder.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <stdexcept>

namespace quorvane::test {

namespace {

const CodePage& Ansi() {
    return CodePage::Ansi();
}

std::string AsString(const std::vector<std::uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

std::span<const std::uint8_t> AsBytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// A small deterministic generator, so sample objects look random (as
// Messenger's hexadecimal file names do) yet are the same in every run.
std::uint64_t Mix(std::uint64_t value) {
    value += 0x9e3779b97f4a7c15ull;
    value = (value ^ (value >> 30)) * 0xbf58476d1ce4e5b9ull;
    value = (value ^ (value >> 27)) * 0x94d049bb133111ebull;
    return value ^ (value >> 31);
}

std::uint64_t Seed(ContentCategory category, int n) {
    return Mix((static_cast<std::uint64_t>(category) << 32) ^ static_cast<std::uint32_t>(n));
}

std::string Hex8(std::uint64_t value, bool upper) {
    char text[9];
    std::snprintf(text, sizeof text, upper ? "%08X" : "%08x",
                  static_cast<unsigned>(value & 0xffffffffu));
    return text;
}

// What Messenger stores as a stamp: a long Base64 signature.
std::string SampleStamp(std::uint64_t seed) {
    std::string bytes;
    for (int i = 0; i < 16; ++i) {
        seed = Mix(seed);
        for (int k = 0; k < 8; ++k)
            bytes.push_back(static_cast<char>((seed >> (8 * k)) & 0xff));
    }
    return MessengerAccountBuilder::EncodeBase64(bytes);
}

// Base64 as Messenger writes it into protected files: lines of 76
// characters ended by CR LF.
std::string WrapLines(const std::string& base64) {
    std::string wrapped;
    for (std::size_t at = 0; at < base64.size(); at += 76) {
        wrapped += base64.substr(at, 76);
        wrapped += "\r\n";
    }
    return wrapped;
}

std::string Stem(const std::string& location) {
    const std::size_t dot = location.rfind('.');
    return dot == std::string::npos ? location : location.substr(0, dot);
}

// Display pictures and emoticons keep their fields between tabs, after a
// byte-order mark.
bool HasByteOrderMark(ContentCategory category) {
    return category == ContentCategory::RegularDisplayPictures ||
           category == ContentCategory::CustomEmoticons;
}

std::string Utf16Text(ContentCategory category, const std::string& text) {
    std::string utf16;
    if (HasByteOrderMark(category))
        utf16 = "\xFF\xFE";
    return utf16 + AsString(Ansi().ToUtf16Le(text));
}

std::string ProtectUtf16(const std::string& utf16, const std::string& passport,
                         const DataProtector& protection) {
    const std::string base64 = WrapLines(MessengerAccountBuilder::EncodeBase64(utf16));
    // The entropy is the passport exactly as typed, in code-page bytes.
    Bytes blob = protection.Protect(AsBytes(base64), AsBytes(passport));
    if (blob.empty())
        throw std::runtime_error("data protection failed");
    return std::string("\x02\x00", 2) + AsString(blob);
}

} // namespace

MessengerAccountBuilder::MessengerAccountBuilder(std::string applicationDataFolder,
                                                 std::string passport,
                                                 const DataProtector& protection)
    : m_applicationDataFolder(std::move(applicationDataFolder)), m_passport(std::move(passport)),
      m_protection(protection) {}

std::string MessengerAccountBuilder::AccountFolder() const {
    const std::uint32_t id = MessengerProfile::AccountId(m_passport, Ansi());
    return JoinPath(JoinPath(m_applicationDataFolder, "Microsoft/MSN Messenger"),
                    std::to_string(id));
}

std::string MessengerAccountBuilder::ObjectFolder(ContentCategory category) const {
    return JoinPath(AccountFolder(), CategoryFolderName(category));
}

std::string MessengerAccountBuilder::MapFileFolder() const {
    return JoinPath(AccountFolder(), "MapFile");
}

std::string MessengerAccountBuilder::CatalogueFileName(ContentCategory category) const {
    // Messenger names catalogues with hexadecimal digits; one name per
    // account and category, all in the same MapFile folder.
    std::uint64_t hash = static_cast<std::uint64_t>(category) + 1;
    for (char c : Ansi().ToLower(m_passport))
        hash = Mix(hash ^ static_cast<unsigned char>(c));
    return Hex8(hash, true) + Hex8(hash >> 32, true) + ".dat";
}

MessengerAccountBuilder& MessengerAccountBuilder::Add(ContentCategory category,
                                                      AccountObject object) {
    if (object.files.empty()) {
        const std::string stem = Ansi().ToUtf8(Stem(object.location));
        if (IsPackaged(category)) {
            object.files = {{stem + ".png", PngPicture()}, {stem + ".swf", SwfMovie()}};
        } else {
            const std::string name = Ansi().ToUtf8(object.location);
            object.files = {
                {name, category == ContentCategory::CustomEmoticons ? GifPicture() : PngPicture()}};
        }
    }
    m_objects[category].push_back(std::move(object));
    return *this;
}

AccountObject MessengerAccountBuilder::SampleObject(ContentCategory category, int n) {
    static constexpr std::array<const char*, 4> kWinks = {"Bongo Kiss", "Caf\xE9 Dance",
                                                          "Heart Fireworks", "Snowball Fight"};
    static constexpr std::array<const char*, 4> kDynamicPictures = {
        "Dancing Robot", "Sleepy Cat", "Cr\xE8me Br\xFBl\xE9\x65", "Rocket Launch"};
    static constexpr std::array<const char*, 4> kDynamicBackgrounds = {
        "Underwater Reef", "Caf\xE9 Terrace", "Autumn Leaves", "Ch\xE2teau Garden"};
    static constexpr std::array<const char*, 4> kEmoticons = {"dance", "caf\xE9", "wave", "party"};
    static constexpr std::array<const char*, 4> kBackgrounds = {"Sunny Beach", "Caf\xE9 Lights",
                                                                "F\xEAte Lights", "Bubbles"};
    static constexpr std::array<const char*, 4> kPictures = {"sunset", "caf\xE9", "guitar",
                                                             "puppy"};

    const std::uint64_t seed = Seed(category, n);
    const auto pick = static_cast<std::size_t>(static_cast<unsigned>(n) % 4u);
    const std::string number = std::to_string(n);
    AccountObject object;
    switch (category) {
    case ContentCategory::Winks:
        object.displayName = std::string(kWinks[pick]) + " " + number;
        object.location = Hex8(seed, false) + ".cab";
        object.stamp = SampleStamp(seed);
        break;
    case ContentCategory::DynamicDisplayPictures:
        object.displayName = std::string(kDynamicPictures[pick]) + " " + number;
        object.location = Hex8(seed, false) + ".cab";
        object.stamp = SampleStamp(seed);
        break;
    case ContentCategory::DynamicBackgrounds:
        object.displayName = std::string(kDynamicBackgrounds[pick]) + " " + number;
        object.location = Hex8(seed, false) + ".cab";
        object.stamp = SampleStamp(seed);
        break;
    case ContentCategory::CustomEmoticons:
        object.keySequence = ":" + std::string(kEmoticons[pick]) + number + ":";
        object.displayName = std::string(kEmoticons[pick]) + " " + number;
        object.location = Hex8(seed, true) + ".dat";
        // Messenger keeps animated emoticons as GIF and still ones as PNG,
        // both under a ".dat" name.
        object.files = {{Ansi().ToUtf8(object.location), n % 2 == 0 ? GifPicture() : PngPicture()}};
        break;
    case ContentCategory::RegularBackgrounds:
        object.displayName = std::string(kBackgrounds[pick]) + " " + number;
        object.location = "Bkg" + Hex8(seed, true) + ".png";
        break;
    case ContentCategory::RegularDisplayPictures:
        object.displayName = std::string(kPictures[pick]) + " " + number;
        object.location = std::string(kPictures[pick]) + number + ".png";
        break;
    }
    return object;
}

void MessengerAccountBuilder::Write(bool includeEmpty) const {
    for (int i = 0; i < kCategoryCount; ++i) {
        const auto category = static_cast<ContentCategory>(i);
        if (includeEmpty || m_objects.contains(category))
            WriteCategory(category);
    }
}

void MessengerAccountBuilder::WriteCategory(ContentCategory category) const {
    static const std::vector<AccountObject> kNone;
    const auto found = m_objects.find(category);
    const std::vector<AccountObject>& objects = found == m_objects.end() ? kNone : found->second;
    WriteCatalogue(category, CatalogueText(category, objects));

    const std::string folder = ObjectFolder(category);
    for (const AccountObject& object : objects) {
        // Test accounts also hold hostile locations; their files are never
        // written, so nothing lands outside the object folder.
        if (!object.writeFile || !IsBareFileName(object.location) || object.files.empty())
            continue;
        const std::string path = JoinPath(folder, Ansi().ToUtf8(object.location));
        if (IsPackaged(category))
            WriteCabinet(path, object.files);
        else
            WriteFile(path, object.files.front().second);
    }
}

void MessengerAccountBuilder::WriteCatalogue(ContentCategory category,
                                             const std::string& text) const {
    const std::string folder = ObjectFolder(category);
    const std::string name = CatalogueFileName(category);
    WriteFile(JoinPath(folder, "map.dat"),
              ProtectedFile(PointerText(name), m_passport, m_protection));
    WriteFile(JoinPath(MapFileFolder(), Ansi().ToUtf8(name)),
              ProtectUtf16(Utf16Text(category, text), m_passport, m_protection));
}

std::string MessengerAccountBuilder::CatalogueText(ContentCategory category,
                                                   const std::vector<AccountObject>& objects) {
    auto friendly = [](const std::string& name) {
        return EncodeBase64(AsString(Ansi().ToUtf16Le(name)));
    };
    std::string text;
    switch (category) {
    case ContentCategory::Winks:
    case ContentCategory::DynamicDisplayPictures:
    case ContentCategory::DynamicBackgrounds:
        text = "<Items Version=\"1\">\r\n";
        for (const AccountObject& object : objects)
            text += "<Item Friendly=\"" + friendly(object.displayName) + "\" Location=\"" +
                    object.location + "\" stamp=\"" + object.stamp + "\" />\r\n";
        text += "</Items>\r\n";
        break;
    case ContentCategory::RegularBackgrounds:
        text = "<Backgrounds>\r\n";
        for (const AccountObject& object : objects)
            text += "<Item Friendly=\"" + friendly(object.displayName) + "\" Location=\"" +
                    object.location + "\" />\r\n";
        text += "</Backgrounds>\r\n";
        break;
    case ContentCategory::RegularDisplayPictures:
        for (std::size_t i = 0; i < objects.size(); ++i)
            text += (i == 0 ? "" : "\t") + objects[i].displayName + "\t<Tile Location=\"" +
                    objects[i].location + "\" />";
        break;
    case ContentCategory::CustomEmoticons:
        for (std::size_t i = 0; i < objects.size(); ++i)
            text += (i == 0 ? "" : "\t") + objects[i].keySequence + "\t" + objects[i].displayName +
                    "\t<Emoticon Location=\"" + objects[i].location + "\" />";
        break;
    }
    return text;
}

std::string MessengerAccountBuilder::PointerText(const std::string& catalogueFileName) {
    return "<MapFile><Item Location=\"" + catalogueFileName + "\" /></MapFile>";
}

std::string MessengerAccountBuilder::ProtectedFile(const std::string& text,
                                                   const std::string& passport,
                                                   const DataProtector& protection) {
    return ProtectUtf16(AsString(Ansi().ToUtf16Le(text)), passport, protection);
}

std::string MessengerAccountBuilder::EncodeBase64(std::string_view bytes) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const std::uint32_t group =
            static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << 16 |
            static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8 |
            static_cast<unsigned char>(bytes[i + 2]);
        for (int shift = 18; shift >= 0; shift -= 6)
            out.push_back(kAlphabet[(group >> shift) & 0x3f]);
    }
    const std::size_t rest = bytes.size() - i;
    if (rest > 0) {
        std::uint32_t group = static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i]))
                              << 16;
        if (rest == 2)
            group |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
        out.push_back(kAlphabet[(group >> 18) & 0x3f]);
        out.push_back(kAlphabet[(group >> 12) & 0x3f]);
        out.push_back(rest == 2 ? kAlphabet[(group >> 6) & 0x3f] : '=');
        out.push_back('=');
    }
    return out;
}

std::string MessengerAccountBuilder::PngPicture() {
    // 2 x 2 pixels, 8-bit RGB (red, green / blue, white), CRCs and zlib
    // stream checked.
    static constexpr unsigned char kPng[] = {
        0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44,
        0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x08, 0x02, 0x00, 0x00, 0x00, 0xFD,
        0xD4, 0x9A, 0x73, 0x00, 0x00, 0x00, 0x12, 0x49, 0x44, 0x41, 0x54, 0x78, 0xDA, 0x63, 0xF8,
        0xCF, 0xC0, 0xC0, 0x00, 0xC2, 0x0C, 0xFF, 0x81, 0x00, 0x00, 0x1F, 0xEE, 0x05, 0xFB, 0xF1,
        0xAB, 0xBA, 0x77, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
    return {reinterpret_cast<const char*>(kPng), sizeof kPng};
}

std::string MessengerAccountBuilder::GifPicture() {
    // GIF89a, 1 x 1, a two-colour table, a graphic control extension and
    // the LZW codes clear, 0, end.
    static constexpr unsigned char kGif[] = {
        0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00, 0xFF, 0x80,
        0x00, 0x00, 0x00, 0x00, 0x21, 0xF9, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00,
        0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};
    return {reinterpret_cast<const char*>(kGif), sizeof kGif};
}

std::string MessengerAccountBuilder::SwfMovie() {
    // Uncompressed, version 6, 25 bytes long; a 550 x 400 pixel stage
    // (11000 x 8000 twips, 15-bit RECT fields), 12 frames a second, one
    // frame: ShowFrame, then End.
    static constexpr unsigned char kSwf[] = {0x46, 0x57, 0x53, 0x06, 0x19, 0x00, 0x00, 0x00, 0x78,
                                             0x00, 0x05, 0x5F, 0x00, 0x00, 0x0F, 0xA0, 0x00, 0x00,
                                             0x0C, 0x01, 0x00, 0x40, 0x00, 0x00, 0x00};
    return {reinterpret_cast<const char*>(kSwf), sizeof kSwf};
}

} // namespace quorvane::test
