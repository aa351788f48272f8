#include "app/DemoAccount.h"

#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/FileLock.h"
#include "platform/Paths.h"
#include "platform/PrivateFolder.h"
#include "platform/ProcessRunner.h"
#include "platform/ScratchFolder.h"
#include "platform/SystemFolders.h"
#include "platform/TranslatedSentence.h"
#include "profile/Base64.h"
#include "profile/ContentCategory.h"
#include "profile/MessengerProfile.h"
#include "protection/DataProtection.h"
#include "protection/WineDataProtection.h"

#include <QByteArray>
#include <QCoreApplication>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace quorvane {

namespace {

const CodePage& Ansi() {
    return CodePage::Ansi();
}

// ---------------------------------------------------------------------------
// The demo's content. Names are code-page (Windows-1252) bytes, as Messenger
// keeps them; a few carry accents so that the code page shows. The pictures
// and movies are files of the program's data, made by scripts/make-demo.sh.

struct DemoObject {
    ContentCategory category;
    const char* name; // code-page bytes
    const char* key;  // custom emoticons: the key sequence; display pictures: the file stem
    // In the data's "demo" folder: the picture, or for a packaged object the
    // name its thumbnail (".png") and movie (".swf") share.
    const char* file;
};

constexpr std::array kObjects = {
    DemoObject{ContentCategory::Winks, "Caf\xE9 Dance", "", "winks/cafe-dance"},
    DemoObject{ContentCategory::Winks, "Heart Fireworks", "", "winks/heart-fireworks"},
    DemoObject{ContentCategory::Winks, "Snowball Fight", "", "winks/snowball-fight"},
    DemoObject{ContentCategory::Winks, "Bongo Drums", "", "winks/bongo-drums"},
    DemoObject{ContentCategory::Winks, "Rainbow Kiss", "", "winks/rainbow-kiss"},
    DemoObject{ContentCategory::Winks, "Pi\xF1\x61ta Party", "", "winks/pinata-party"},
    DemoObject{ContentCategory::DynamicDisplayPictures, "Sleepy Cat", "",
               "dynamic-display-pictures/sleepy-cat"},
    DemoObject{ContentCategory::DynamicDisplayPictures, "Dancing Robot", "",
               "dynamic-display-pictures/dancing-robot"},
    DemoObject{ContentCategory::DynamicDisplayPictures, "Cr\xE8me Br\xFBl\xE9\x65", "",
               "dynamic-display-pictures/creme-brulee"},
    DemoObject{ContentCategory::DynamicDisplayPictures, "Rocket Launch", "",
               "dynamic-display-pictures/rocket-launch"},
    DemoObject{ContentCategory::DynamicBackgrounds, "Underwater Reef", "",
               "dynamic-backgrounds/underwater-reef"},
    DemoObject{ContentCategory::DynamicBackgrounds, "Ch\xE2teau Garden", "",
               "dynamic-backgrounds/chateau-garden"},
    DemoObject{ContentCategory::DynamicBackgrounds, "Starry Night", "",
               "dynamic-backgrounds/starry-night"},
    DemoObject{ContentCategory::CustomEmoticons, "Cat", ":cat:", "custom-emoticons/cat.gif"},
    DemoObject{ContentCategory::CustomEmoticons, "Beating heart",
               ":heart:", "custom-emoticons/heart.gif"},
    DemoObject{ContentCategory::CustomEmoticons, "Sunshine", ":sun:", "custom-emoticons/sun.gif"},
    DemoObject{ContentCategory::CustomEmoticons, "Twinkle", ":star:", "custom-emoticons/star.gif"},
    DemoObject{ContentCategory::CustomEmoticons, "Rainy day",
               ":rain:", "custom-emoticons/rain.gif"},
    DemoObject{ContentCategory::CustomEmoticons, "Caf\xE9",
               ":caf\xE9:", "custom-emoticons/cafe.gif"},
    DemoObject{ContentCategory::CustomEmoticons, "Birthday cake",
               ":cake:", "custom-emoticons/cake.gif"},
    DemoObject{ContentCategory::CustomEmoticons, "LOL", ":lol:", "custom-emoticons/lol.gif"},
    DemoObject{ContentCategory::RegularBackgrounds, "Sunny Beach", "",
               "backgrounds/sunny-beach.jpg"},
    DemoObject{ContentCategory::RegularBackgrounds, "Mountain Lake", "",
               "backgrounds/mountain-lake.jpg"},
    DemoObject{ContentCategory::RegularBackgrounds, "F\xEAte Lights", "",
               "backgrounds/fete-lights.png"},
    DemoObject{ContentCategory::RegularBackgrounds, "Lavender Fields", "",
               "backgrounds/lavender-fields.png"},
    DemoObject{ContentCategory::RegularDisplayPictures, "Smiley", "smiley",
               "display-pictures/smiley.png"},
    DemoObject{ContentCategory::RegularDisplayPictures, "Sunflower", "sunflower",
               "display-pictures/sunflower.png"},
    DemoObject{ContentCategory::RegularDisplayPictures, "Penguin", "penguin",
               "display-pictures/penguin.png"},
    DemoObject{ContentCategory::RegularDisplayPictures, "Puppy", "puppy",
               "display-pictures/puppy.png"},
};

constexpr int CountOf(ContentCategory category) {
    int count = 0;
    for (const DemoObject& object : kObjects)
        count += object.category == category ? 1 : 0;
    return count;
}

static_assert(CountOf(ContentCategory::Winks) == kDemoObjectCounts[0] &&
                  CountOf(ContentCategory::DynamicDisplayPictures) == kDemoObjectCounts[1] &&
                  CountOf(ContentCategory::DynamicBackgrounds) == kDemoObjectCounts[2] &&
                  CountOf(ContentCategory::CustomEmoticons) == kDemoObjectCounts[3] &&
                  CountOf(ContentCategory::RegularBackgrounds) == kDemoObjectCounts[4] &&
                  CountOf(ContentCategory::RegularDisplayPictures) == kDemoObjectCounts[5],
              "the published counts follow the table");

std::vector<const DemoObject*> ObjectsOf(ContentCategory category) {
    std::vector<const DemoObject*> objects;
    for (const DemoObject& object : kObjects)
        if (object.category == category)
            objects.push_back(&object);
    return objects;
}

// Messenger's file names look random; the demo's are a hash of the name, so
// that every run writes the same catalogue.
std::uint32_t NameHash(ContentCategory category, std::string_view text) {
    std::uint32_t hash = 2166136261u ^ static_cast<std::uint32_t>(category);
    for (char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    hash ^= hash >> 15;
    hash *= 0x2c1b3c6du;
    return hash ^ (hash >> 12);
}

std::string Hex8(std::uint32_t value, bool upper) {
    char text[9];
    std::snprintf(text, sizeof text, upper ? "%08X" : "%08x", static_cast<unsigned>(value));
    return text;
}

std::string Location(const DemoObject& object) {
    const std::uint32_t hash = NameHash(object.category, object.name);
    switch (object.category) {
    case ContentCategory::Winks:
    case ContentCategory::DynamicDisplayPictures:
    case ContentCategory::DynamicBackgrounds:
        return Hex8(hash, false) + ".cab";
    case ContentCategory::CustomEmoticons:
        // Messenger keeps emoticons, GIF or PNG, under a ".dat" name.
        return Hex8(hash, true) + ".dat";
    case ContentCategory::RegularBackgrounds: {
        // JPEG or PNG, as the picture is.
        const std::string_view file = object.file;
        return "Bkg" + Hex8(hash, true) + std::string(file.substr(file.rfind('.')));
    }
    case ContentCategory::RegularDisplayPictures:
        return std::string(object.key) + ".png";
    }
    return {};
}

std::string Stem(const std::string& location) {
    return location.substr(0, location.rfind('.'));
}

// A stamp is a long Base64 signature; the demo's are made from the name.
std::string Stamp(const DemoObject& object) {
    QByteArray bytes;
    std::uint32_t state = NameHash(object.category, object.name);
    for (int i = 0; i < 128; ++i) {
        state = state * 1664525u + 1013904223u;
        bytes.append(static_cast<char>(state >> 24));
    }
    return bytes.toBase64().toStdString();
}

// The demo's files are small; anything larger is not one of them.
constexpr std::size_t kMaxDemoFileBytes = 1u << 20;

// One of the demo's files in the data folder ("winks/cafe-dance.swf").
Result<std::string> DemoFile(std::string_view file) {
    const std::string path = JoinPath(ProgramDataFolder(), JoinPath("demo", file));
    Result<std::string> read = ReadRegularFile(path, kMaxDemoFileBytes);
    if (!read)
        return Fail(Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                         "the demo's file %1 cannot be read: %2"),
                             path, read.error().sentence),
                    read.error().osError);
    return read;
}

// ---------------------------------------------------------------------------
// The account's files.

std::string Utf16(std::string_view codePageText) {
    const std::vector<std::uint8_t> units = Ansi().ToUtf16Le(codePageText);
    return {units.begin(), units.end()};
}

std::string Friendly(const char* name) {
    return QByteArray::fromStdString(Utf16(name)).toBase64().toStdString();
}

// The catalogue text of a category, as Messenger writes it, in UTF-16LE
// (after a byte-order mark for the tab-separated layouts).
std::string CatalogueUtf16(ContentCategory category) {
    std::string text;
    const std::vector<const DemoObject*> objects = ObjectsOf(category);
    switch (category) {
    case ContentCategory::Winks:
    case ContentCategory::DynamicDisplayPictures:
    case ContentCategory::DynamicBackgrounds:
        text = "<Items Version=\"1\">\r\n";
        for (const DemoObject* object : objects)
            text += "<Item Friendly=\"" + Friendly(object->name) + "\" Location=\"" +
                    Location(*object) + "\" stamp=\"" + Stamp(*object) + "\" />\r\n";
        text += "</Items>\r\n";
        return Utf16(text);
    case ContentCategory::RegularBackgrounds:
        text = "<Backgrounds>\r\n";
        for (const DemoObject* object : objects)
            text += "<Item Friendly=\"" + Friendly(object->name) + "\" Location=\"" +
                    Location(*object) + "\" />\r\n";
        text += "</Backgrounds>\r\n";
        return Utf16(text);
    case ContentCategory::RegularDisplayPictures:
        for (std::size_t i = 0; i < objects.size(); ++i)
            text += (i == 0 ? "" : "\t") + std::string(objects[i]->name) + "\t<Tile Location=\"" +
                    Location(*objects[i]) + "\" />";
        break;
    case ContentCategory::CustomEmoticons:
        for (std::size_t i = 0; i < objects.size(); ++i)
            text += (i == 0 ? "" : "\t") + std::string(objects[i]->key) + "\t" + objects[i]->name +
                    "\t<Emoticon Location=\"" + Location(*objects[i]) + "\" />";
        break;
    }
    return "\xFF\xFE" + Utf16(text);
}

// Each category's catalogue has a name of 16 hexadecimal digits in the
// account's MapFile folder.
std::string CatalogueName(ContentCategory category) {
    const std::uint32_t low = NameHash(category, kDemoPassport);
    const std::uint32_t high = NameHash(category, std::to_string(low));
    return Hex8(low, true) + Hex8(high, true) + ".dat";
}

std::string PointerUtf16(ContentCategory category) {
    return Utf16("<MapFile><Item Location=\"" + CatalogueName(category) + "\" /></MapFile>");
}

std::span<const std::uint8_t> AsBytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// A protected file: two leading bytes, then the blob of the text's Base64
// in lines of 76 characters, with the passport as entropy.
std::string ProtectedFile(const std::string& utf16, const DataProtector& protection) {
    const std::string base64 = QByteArray::fromStdString(utf16).toBase64().toStdString();
    std::string wrapped;
    for (std::size_t at = 0; at < base64.size(); at += 76)
        wrapped += base64.substr(at, 76) + "\r\n";
    const Bytes blob = protection.Protect(AsBytes(wrapped), AsBytes(kDemoPassport));
    if (blob.empty())
        return {};
    return std::string("\x02\x00", 2) + std::string(blob.begin(), blob.end());
}

// True when the file unprotects, for this Wine user and the demo passport,
// to exactly the text.
bool OpensTo(const std::string& path, const std::string& utf16, const DataProtector& protection) {
    const Result<std::string> file = ReadRegularFile(path, 1u << 20);
    if (!file || file->size() < 2)
        return false;
    const auto plain = protection.Unprotect(AsBytes(*file).subspan(2), AsBytes(kDemoPassport));
    if (!plain)
        return false;
    const std::vector<std::uint8_t> decoded =
        DecodeBase64(std::string_view(reinterpret_cast<const char*>(plain->data()), plain->size()));
    return std::string(decoded.begin(), decoded.end()) == utf16;
}

std::uint32_t LittleEndian(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

// A cabinet of the demo's two members, whole: its header's length is the
// file's.
bool IsWholeCabinet(const std::string& path) {
    const Result<std::string> file = ReadRegularFile(path, 16u << 20);
    if (!file || file->size() < 36 || file->compare(0, 4, "MSCF") != 0)
        return false;
    return LittleEndian(*file, 8, 4) == file->size() && LittleEndian(*file, 28, 2) == 2;
}

// A picture is the demo's when it is its file in the data, byte for byte; a
// damaged one, or one of an older Quorvane's, is written again.
bool IsDemoPicture(const std::string& path, const DemoObject& object) {
    const Result<std::string> expected = DemoFile(object.file);
    const Result<std::string> file = ReadRegularFile(path, kMaxDemoFileBytes);
    return expected && file && *file == *expected;
}

struct Folders {
    std::string accountFolder;
    std::string mapFileFolder;

    std::string ObjectFolder(ContentCategory category) const {
        return JoinPath(accountFolder, CategoryFolderName(category));
    }
};

bool IsComplete(const Folders& folders, ContentCategory category, const DataProtector& protection) {
    const std::string objectFolder = folders.ObjectFolder(category);
    if (!OpensTo(JoinPath(objectFolder, "map.dat"), PointerUtf16(category), protection) ||
        !OpensTo(JoinPath(folders.mapFileFolder, CatalogueName(category)), CatalogueUtf16(category),
                 protection))
        return false;
    for (const DemoObject* object : ObjectsOf(category)) {
        const std::string path = JoinPath(objectFolder, Location(*object));
        if (!(IsPackaged(category) ? IsWholeCabinet(path) : IsDemoPicture(path, *object)))
            return false;
    }
    return true;
}

// The failure with a sentence that says more; its code and the system's
// error stay.
tl::unexpected<Failure> Retold(Failure failure, std::string sentence) {
    failure.sentence = std::move(sentence);
    return Fail(std::move(failure));
}

// Writes one category: the objects first, the catalogue, and the pointer
// file last, so a category interrupted half-way is found incomplete and
// written again next time.
class CategoryWriter {
public:
    CategoryWriter(const Folders& folders, const DataProtector& protection, CabinetTools& tools)
        : m_folders(folders), m_protection(protection), m_tools(tools) {}

    Result<> Write(ContentCategory category) {
        const std::string objectFolder = m_folders.ObjectFolder(category);
        if (Result<> made =
                Folder(objectFolder).and_then([&] { return Folder(m_folders.mapFileFolder); });
            !made)
            return made;
        for (const DemoObject* object : ObjectsOf(category)) {
            const std::string path = JoinPath(objectFolder, Location(*object));
            if (Result<> written = IsPackaged(category) ? WriteCabinet(*object, path)
                                                        : WritePicture(*object, path);
                !written)
                return written;
        }
        return WriteProtected(JoinPath(m_folders.mapFileFolder, CatalogueName(category)),
                              CatalogueUtf16(category))
            .and_then([&] {
                return WriteProtected(JoinPath(objectFolder, "map.dat"), PointerUtf16(category));
            });
    }

private:
    static Result<> Folder(const std::string& path) {
        Result<> made = MakeFolders(path);
        if (made)
            return {};
        return Retold(made.error(),
                      Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                           "the folder %1 cannot be made: %2"),
                               path, made.error().sentence));
    }

    static Result<> WriteBytes(const std::string& path, const std::string& bytes) {
        Result<> written = WriteFileAtomically(path, bytes);
        if (written)
            return {};
        return Retold(
            written.error(),
            Sentence(QCoreApplication::translate("quorvane::Outcomes", "%1 cannot be written: %2"),
                     path, written.error().sentence));
    }

    Result<> WriteProtected(const std::string& path, const std::string& utf16) {
        const std::string bytes = ProtectedFile(utf16, m_protection);
        if (bytes.empty())
            return Fail(Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                             "the data protection of %1 failed"),
                                 path));
        return WriteBytes(path, bytes);
    }

    static Result<> WritePicture(const DemoObject& object, const std::string& path) {
        return DemoFile(object.file).and_then([&](const std::string& bytes) {
            return WriteBytes(path, bytes);
        });
    }

    // The members are copied into a folder of Quorvane's scratch under the
    // cabinet's name and packed from there by cabarc, which writes the
    // cabinet beside itself and puts it in place whole.
    Result<> WriteCabinet(const DemoObject& object, const std::string& path) {
        const std::string file = object.file;
        const Result<std::string> thumbnail = DemoFile(file + ".png");
        if (!thumbnail)
            return Fail(thumbnail.error());
        const Result<std::string> movie = DemoFile(file + ".swf");
        if (!movie)
            return Fail(movie.error());
        if (!m_scratch) {
            if (Result<> made = MakeScratch(); !made)
                return made;
        }
        const std::string stem = Stem(Location(object));
        const std::string folder = JoinPath(m_scratch->Path(), stem);
        if (Result<> copied =
                Folder(folder)
                    .and_then(
                        [&] { return WriteBytes(JoinPath(folder, stem + ".png"), *thumbnail); })
                    .and_then([&] { return WriteBytes(JoinPath(folder, stem + ".swf"), *movie); });
            !copied)
            return copied;
        const Result<> packed = m_tools.PackFolder(folder, {stem + ".png", stem + ".swf"}, path);
        if (!packed || !IsWholeCabinet(path)) {
            std::string why = packed ? Sentence(QCoreApplication::translate(
                                           "quorvane::Outcomes", "the cabinet is not whole"))
                                     : packed.error().sentence;
            while (!why.empty() && (why.back() == '\n' || why.back() == '.'))
                why.pop_back();
            return Fail(
                Sentence(QCoreApplication::translate("quorvane::Outcomes", "%1 cannot be made: %2"),
                         path, why));
        }
        return {};
    }

    Result<> MakeScratch() {
        const std::string root = PrivateFolderPath();
        if (Result<> ensured = EnsurePrivateFolder(root); !ensured)
            return ensured;
        SweepStaleScratch(root, "demo-");
        Result<std::unique_ptr<ScratchFolder>> made = ScratchFolder::Make(root, "demo-");
        if (!made) {
            m_scratch.reset();
            return Fail(std::move(made.error()));
        }
        m_scratch = std::move(*made);
        return {};
    }

    const Folders& m_folders;
    const DataProtector& m_protection;
    CabinetTools& m_tools;
    std::unique_ptr<ScratchFolder> m_scratch;
};

std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// Makes the demo's Wine prefix with its Windows folder and the user's
// application-data folder; the latter's path.
Result<std::string> MakePrefix(const DemoAccount& demo) {
    // The prefix is made and checked as the private folder is: a link or a
    // folder of another user there is refused rather than written through,
    // and the folders are the user's alone, so nobody else can plant a link
    // inside.
    return EnsurePrivateFolder(demo.prefix)
        .and_then([&] { return EnsurePrivateSubfolder(demo.prefix, "drive_c/windows"); })
        .and_then([&](const std::string&) {
            return EnsurePrivateSubfolder(demo.prefix,
                                          "drive_c/users/" + demo.user + "/AppData/Roaming");
        });
}

// Writes the categories that are not complete, holding the account's lock:
// a listing or backup of the demo account must not read it while it is
// rewritten, and the lock is the one they take.
Result<> WriteMissing(const Folders& folders, std::uint32_t accountId,
                      const std::vector<ContentCategory>& missing, const DataProtector& protection,
                      CabinetTools& tools) {
    const std::string root = PrivateFolderPath();
    const Result<std::string> lockFolder = EnsurePrivateFolder(root).and_then(
        [&] { return EnsurePrivateSubfolder(root, std::to_string(accountId)); });
    if (!lockFolder)
        return Fail(lockFolder.error());
    const Result<std::unique_ptr<FileLock>> lock =
        FileLock::Acquire(JoinPath(*lockFolder, "lock"), 5000);
    if (!lock) {
        if (FileLock::OutcomeOf(lock) == FileLock::Outcome::Busy)
            return Retold(lock.error(), Sentence(QCoreApplication::translate(
                                            "quorvane::Outcomes",
                                            "another Quorvane is working on the demo account; try "
                                            "again when it has finished")));
        return Fail(lock.error());
    }
    CategoryWriter writer(folders, protection, tools);
    for (ContentCategory category : missing) {
        // Another run may have written it while this one waited for the lock.
        if (IsComplete(folders, category, protection))
            continue;
        if (Result<> written = writer.Write(category); !written)
            return Retold(written.error(),
                          Sentence(QCoreApplication::translate("quorvane::Outcomes", "%1: %2"),
                                   CategoryLabel(category), written.error().sentence));
    }
    return {};
}

} // namespace

std::string DemoPrefixPath() {
    std::string data;
    if (const char* env = std::getenv("XDG_DATA_HOME"); env != nullptr && *env == '/') {
        data = WithoutTrailingSlashes(env);
    } else {
        const std::string home = HomeFolder();
        data = JoinPath(home.empty() ? std::string("/") : home, ".local/share");
    }
    return JoinPath(JoinPath(data, "quorvane"), "demo-wine");
}

Result<DemoAccount> EnsureDemoAccount(const std::string& prefix, const std::string& wineUser,
                                      CabinetTools& tools) {
    if (prefix.empty())
        return Fail(Sentence(QCoreApplication::translate(
            "quorvane::Outcomes", "no folder is given for the demo's Wine prefix")));
    // The user's folder is named by the user; a name that is no folder name
    // would put the account somewhere else.
    if (!IsBareFileName(wineUser))
        return Fail(Sentence(
            QCoreApplication::translate("quorvane::Outcomes",
                                        "the Wine user name \"%1\" cannot be a folder's name"),
            wineUser));
    DemoAccount demo;
    demo.prefix = WithoutTrailingSlashes(AbsolutePath(prefix));
    demo.user = wineUser;
    demo.passport = kDemoPassport;

    const Result<std::string> madePrefix = MakePrefix(demo);
    if (!madePrefix)
        return Fail(madePrefix.error());
    const std::string& appData = *madePrefix;
    const std::uint32_t accountId = MessengerProfile::AccountId(kDemoPassport, Ansi());
    Folders folders;
    folders.accountFolder =
        JoinPath(JoinPath(appData, "Microsoft/MSN Messenger"), std::to_string(accountId));
    folders.mapFileFolder = JoinPath(folders.accountFolder, "MapFile");
    // Wine hands its programs the user name in the code page, and the key of
    // the protected files is made of those bytes.
    const WineDataProtection protection(Ansi().FromUtf8(demo.user));

    std::vector<ContentCategory> missing;
    for (int i = 0; i < kCategoryCount; ++i)
        if (!IsComplete(folders, static_cast<ContentCategory>(i), protection))
            missing.push_back(static_cast<ContentCategory>(i));
    if (!missing.empty()) {
        if (Result<> written = WriteMissing(folders, accountId, missing, protection, tools);
            !written)
            return Fail(written.error());
    }
    return demo;
}

bool HasMessengerData(const WineAccount& wine) {
    return IsDirectory(JoinPath(wine.ApplicationDataFolder(), "Microsoft/MSN Messenger"));
}

Result<DemoAccount> EnsureDemoAccount(const std::string& prefix, const WineAccount& wine) {
    SpawnProcessRunner runner;
    CabinetTools tools(runner, ExecutableFolder(), wine.WindowsFolder());
    return EnsureDemoAccount(prefix, wine.user, tools);
}

} // namespace quorvane
