#include "backup/BackupOperation.h"

#include "app/QtPictureDecoder.h"
#include "backup/CabinetTools.h"
#include "backup/Listing.h"
#include "backup/Manifests.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/ProcessRunner.h"
#include "platform/SystemFolders.h"
#include "profile/ObjectList.h"
#include "profile/PackCipher.h"
#include "protection/DataProtection.h"
#include "protection/WineDataProtection.h"
#include "support/ChildRun.h"
#include "support/FakeClock.h"
#include "support/IndependentReader.h"
#include "support/MessengerAccountBuilder.h"
#include "support/TempFolder.h"
#include "support/WineAccountFixture.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace quorvane {
namespace {

using test::AccountObject;
using test::EncodedPicture;
using test::FilesIn;
using test::MessengerAccountBuilder;
using test::ProgramFolder;
using test::ReadFile;
using test::SnapshotTree;
using test::TempFolder;
using test::WriteFile;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

// The sentence of an item that was not written; "" for one that was.
std::string Why(const BackupItemOutcome& item) {
    return item.failure ? item.failure->sentence : std::string();
}

namespace fs = std::filesystem;

constexpr const char* kPassport = test::kTestPassport;
// FakeClock's second, 2023-11-14 22:13:20 (UTC stands in for local time).
constexpr const char* kEmoticonPackName = "MSNEmoticons231114-221320.msn";

// Looked up while PATH is still the one the tests were started with.
const std::string kCabextract = test::FindOnPath("cabextract");

std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : FilesIn(folder))
        names.push_back(entry.first);
    return names;
}

// A pause that can do something in the middle of a backup, to change the
// world between two of its steps.
class SteppingPause final : public Pause {
public:
    void Wait(unsigned milliseconds) override {
        waits.push_back(milliseconds);
        if (milliseconds == 10 && onFirstTen) {
            auto step = std::move(onFirstTen);
            onFirstTen = nullptr;
            step();
        }
    }
    std::vector<unsigned> waits;
    std::function<void()> onFirstTen;
};

// --- the manifests as Messenger reads them -----------------------------------

std::string Escaped(std::string_view utf8) {
    std::string out;
    for (const char c : utf8) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// The URIs Messenger's own packs declare, written out.
const std::string kContentNs = "http://messenger.msn.com/messengercontent/1.0";
const std::string kBackgroundNs = "http://messenger.msn.com/dynamicbackground/2.0";
const std::string kEmoticonNs = "http://messenger.msn.com/emoticon/1.0";

std::string WinkManifest(const std::string& tag, const std::string& location,
                         const std::string& stamp) {
    return "<package version=\"1.0\" type=\"theme\">\r\n"
           "<item contentid=\"" +
           Escaped(tag) +
           "\" type=\"wink\" contenttype=\"P\""
           " mimetype=\"application/messengercontent\" file=\"" +
           Escaped(location) + "\" stamp=\"" + stamp + "\"/>\r\n</package>";
}

std::string DynamicPictureManifest(const std::string& tag, const std::string& location,
                                   const std::string& stamp) {
    return "<package version=\"1.0\" type=\"theme\" xmlns=\"" + kContentNs +
           "\">\r\n"
           "<item contentid=\"" +
           Escaped(tag) +
           "\" type=\"dynamicpicture\" contenttype=\"P\""
           " mimetype=\"application/messengercontent\" file=\"" +
           Escaped(location) + "\" stamp=\"" + stamp + "\"/>\r\n</package>";
}

std::string DynamicBackgroundManifest(const std::string& tag, const std::string& location,
                                      const std::string& stamp, const std::string& nameUtf8) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n"
           "<package version=\"1.0\" type=\"theme\" xmlns=\"" +
           kContentNs + "\" xmlns:dynamicbackground=\"" + kBackgroundNs +
           "\" partnerid=\"XK\" contenttype=\"P\">\r\n"
           "<item2 minver=\"7.5\" contentid=\"" +
           Escaped(tag) +
           "\" type=\"dynamicbackground\" contenttype=\"P\" "
           "mimetype=\"application/messengercontent\""
           " dynamicbackground:version=\"1.0\" dynamicbackground:default=\"true\""
           " dynamicbackground:displayname=\"" +
           Escaped(nameUtf8) + "\" file=\"" + Escaped(location) + "\" stamp=\"" + stamp +
           "\"/>\r\n</package>";
}

struct EmoticonLine {
    std::string file; // UTF-8, as in the pack
    std::string displayName;
    std::string keySequence;
};

std::string EmoticonItem(std::int64_t seconds, const EmoticonLine& line) {
    return "<item xmlns:emoticon=\"" + kEmoticonNs + "\" contentid=\"KTV" +
           std::to_string(seconds) +
           "\" contenttype=\"P\" type=\"emoticon\" emoticon:namespaceprefix=\"KTV\""
           " mimetype=\"image/gif\" file=\"" +
           Escaped(line.file) + "\" emoticon:displayname=\"" + Escaped(line.displayName) +
           "\" emoticon:keysequence=\"" + Escaped(line.keySequence) + "\" />\r\n";
}

std::string EmoticonPackManifest(std::int64_t seconds, const std::vector<EmoticonLine>& lines) {
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<package xmlns=\"" +
                       kContentNs + "\" version=\"1.0\" type=\"theme\" partnerid=\"XK\">\r\n";
    for (const EmoticonLine& line : lines)
        text += EmoticonItem(seconds, line);
    return text + " </package>";
}

std::string Utf8(std::string_view narrow) {
    return CodePage::Ansi().ToUtf8(narrow);
}

// --- a Wine prefix with one account, and a backup folder --------------------

class BackupFixture : public test::WineAccountFixture {
protected:
    void SetUp() override {
        ASSERT_FALSE(kCabextract.empty()) << "cabextract is needed as an independent reader";
    }

    // A sample object with its files spelt out, so the test knows them.
    static AccountObject Sample(ContentCategory category, int n) {
        AccountObject object = MessengerAccountBuilder::SampleObject(category, n);
        if (object.files.empty()) {
            const std::string stem = Utf8(object.location.substr(0, object.location.rfind('.')));
            if (IsPackaged(category))
                object.files = {{stem + ".png", MessengerAccountBuilder::PngPicture()},
                                {stem + ".swf", MessengerAccountBuilder::SwfMovie()}};
            else
                object.files = {{Utf8(object.location), EncodedPicture("PNG", n + 1, 2)}};
        }
        return object;
    }

    // A sample object under a name of the test's choosing.
    static AccountObject Named(ContentCategory category, int n, const std::string& displayName) {
        AccountObject object = Sample(category, n);
        object.displayName = displayName;
        return object;
    }

    // Adds objects to the account, remembering them.
    void Add(ContentCategory category, const AccountObject& object) {
        objects.push_back(object);
        builder.Add(category, object);
    }

    std::string ObjectFile(ContentCategory category, const AccountObject& object) const {
        return JoinPath(builder.ObjectFolder(category), Utf8(object.location));
    }

    // Where the manual says each type's backups go.
    std::string Subfolder(ContentCategory category) const {
        static const std::map<ContentCategory, std::string> kFolders = {
            {ContentCategory::Winks, "msn-winks"},
            {ContentCategory::DynamicDisplayPictures, "msn-dynamic-display-pictures"},
            {ContentCategory::DynamicBackgrounds, "msn-dynamic-backgrounds"},
            {ContentCategory::CustomEmoticons, "msn-emoticons"},
            {ContentCategory::RegularBackgrounds, "msn-regular-backgrounds"},
            {ContentCategory::RegularDisplayPictures, "msn-regular-display-pictures"}};
        return JoinPath(backupFolder, kFolders.at(category));
    }

    std::vector<ListedItem> List(PackagedObjectList& list) {
        return ListPackagedObjects(list, kPassport, tools, decoder, CodePage::Ansi()).items;
    }
    std::vector<ListedItem> List(PictureObjectList& list) {
        return ListPictureObjects(list, kPassport, decoder, pause).items;
    }

    static std::vector<std::size_t> All(const std::vector<ListedItem>& items) {
        std::vector<std::size_t> data;
        for (const ListedItem& item : items)
            data.push_back(item.itemData);
        return data;
    }

    // Backs up the chosen items of the last listing with the fixture's
    // services, into the fixture's backup folder.
    BackupOutcome Backup(ObjectList& list, const std::vector<std::size_t>& itemData) {
        BackupOperation backup(backupServices);
        return backup.Run(list, itemData, backupFolder, manifest);
    }

    // Undoes the seal on a copy of the pack and lets cabextract read it.
    std::map<std::string, std::string> OpenPack(const std::string& pack) {
        std::string error;
        auto files =
            test::OpenSealedPack(pack, temp / ("opened-" + std::to_string(++m_opened)), error);
        EXPECT_EQ(error, "") << pack;
        return files;
    }

    // A pack is sealed: as it lies on disk it is no cabinet.
    static bool IsSealed(const std::string& pack) { return ReadFile(pack).substr(0, 4) != "MSCF"; }

    BackupServices backupServices{tools, folders, clock, pause, CodePage::Ansi(), nullptr};
    EmoticonManifest manifest{clock, CodePage::Ansi()};
    // Several levels that do not exist yet.
    std::string backupFolder = temp / "home/My Documents/Messenger backups/today";
    std::vector<AccountObject> objects;

private:
    int m_opened = 0;
};

// --- packaged categories ------------------------------------------------------

// Each packaged object becomes one sealed pack of its own file and the
// manifest Messenger expects for its type.
class PackagedBackup : public BackupFixture, public ::testing::WithParamInterface<ContentCategory> {
protected:
    static std::string Manifest(ContentCategory category, const std::string& tag,
                                const AccountObject& object, const std::string& nameUtf8) {
        if (category == ContentCategory::Winks)
            return WinkManifest(tag, object.location, object.stamp);
        if (category == ContentCategory::DynamicDisplayPictures)
            return DynamicPictureManifest(tag, object.location, object.stamp);
        return DynamicBackgroundManifest(tag, object.location, object.stamp, nameUtf8);
    }
};

TEST_P(PackagedBackup, EachObjectBecomesOneSealedPackWithItsManifest) {
    const ContentCategory category = GetParam();
    Add(category, Named(category, 0, "Bongo Kiss 0"));
    Add(category, Named(category, 1, "Caf\xE9 Dance 1"));
    Add(category, Named(category, 2, "Heart Fireworks 2"));
    builder.Write();
    PackagedObjectList list(services, category);
    const std::vector<ListedItem> items = List(list);
    ASSERT_EQ(items.size(), 3u);

    const BackupOutcome outcome = Backup(list, All(items));

    EXPECT_TRUE(outcome.AllWritten());
    ASSERT_EQ(outcome.items.size(), 3u);
    const std::string folder = Subfolder(category);
    const std::vector<std::string> names = {"Bongo-Kiss-0.msn", "Caf\xC3\xA9-Dance-1.msn",
                                            "Heart-Fireworks-2.msn"};
    const std::vector<std::string> namesUtf8 = {"Bongo Kiss 0", "Caf\xC3\xA9 Dance 1",
                                                "Heart Fireworks 2"};
    EXPECT_EQ(NamesIn(folder), names);
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const BackupItemOutcome& item = outcome.items[i];
        const AccountObject& object = objects[i];
        EXPECT_TRUE(item.Written());
        EXPECT_THAT(Why(item), IsEmpty());
        EXPECT_EQ(item.itemData, i);
        EXPECT_EQ(item.displayName, object.displayName);
        EXPECT_EQ(item.file, JoinPath(folder, names[i]));
        ASSERT_TRUE(fs::is_regular_file(item.file));
        EXPECT_TRUE(IsSealed(item.file));
        const std::map<std::string, std::string> expected = {
            {"content.xml", Manifest(category, list.objects[i].tag, object, namesUtf8[i])},
            {object.location, ReadFile(ObjectFile(category, object))}};
        EXPECT_EQ(OpenPack(item.file), expected);
    }
    // The manifest is gone from Messenger's folder.
    EXPECT_FALSE(fs::exists(JoinPath(list.objectFolder, "content.xml")));
}

INSTANTIATE_TEST_SUITE_P(PackagedCategories, PackagedBackup,
                         ::testing::Values(ContentCategory::Winks,
                                           ContentCategory::DynamicDisplayPictures,
                                           ContentCategory::DynamicBackgrounds),
                         [](const ::testing::TestParamInfo<ContentCategory>& param) {
                             return std::string(CategoryFolderName(param.param));
                         });

TEST_F(BackupFixture, ADynamicBackgroundsNameIsEscapedInItsManifest) {
    AccountObject chateau = Sample(ContentCategory::DynamicBackgrounds, 3);
    chateau.displayName = "Ch\xE2teau & <Garden> \"1\"";
    Add(ContentCategory::DynamicBackgrounds, chateau);
    builder.Write();
    PackagedObjectList list(services, ContentCategory::DynamicBackgrounds);
    const std::vector<ListedItem> items = List(list);
    ASSERT_EQ(items.size(), 1u);

    const BackupOutcome outcome = Backup(list, All(items));
    ASSERT_TRUE(outcome.AllWritten());
    const std::string folder = Subfolder(ContentCategory::DynamicBackgrounds);
    EXPECT_EQ(outcome.items[0].file, JoinPath(folder, "Ch\xC3\xA2teau-&--Garden---1-.msn"))
        << "what Windows forbids in a file name becomes \"-\"";
    const std::map<std::string, std::string> expected = {
        {"content.xml",
         DynamicBackgroundManifest(list.objects[0].tag, chateau.location, chateau.stamp,
                                   "Ch\xC3\xA2teau & <Garden> \"1\"")},
        {chateau.location, ReadFile(ObjectFile(ContentCategory::DynamicBackgrounds, chateau))}};
    EXPECT_EQ(OpenPack(outcome.items[0].file), expected);
}

TEST_F(BackupFixture, PackNamesAreMadeFileNamesAndUtf8) {
    const std::vector<std::string> names = {"Caf\xE9 Kiss", "a/b\\c", "tab\there", "..",
                                            "bell\x07 and\x7F del"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        AccountObject wink = Sample(ContentCategory::Winks, static_cast<int>(i));
        wink.displayName = names[i];
        Add(ContentCategory::Winks, wink);
    }
    builder.Write();
    PackagedObjectList list(services, ContentCategory::Winks);
    const std::vector<ListedItem> items = List(list);
    ASSERT_EQ(items.size(), names.size());
    clock.ticks = 777;

    const BackupOutcome outcome = Backup(list, All(items));
    ASSERT_TRUE(outcome.AllWritten());
    std::vector<std::string> files;
    for (const BackupItemOutcome& item : outcome.items)
        files.push_back(fs::path(item.file).filename().string());
    EXPECT_THAT(files, ElementsAre("Caf\xC3\xA9-Kiss.msn", "a-b-c.msn", "tab-here.msn",
                                   "msn-777.msn", "bell--and--del.msn"));
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_TRUE(fs::is_regular_file(outcome.items[i].file)) << outcome.items[i].file;
}

TEST_F(BackupFixture, PackNameOfAnEmptyOrDotNameIsTheTick) {
    BackupOperation backup(backupServices);
    clock.ticks = 4242;
    EXPECT_EQ(backup.PackName(""), "msn-4242");
    EXPECT_EQ(backup.PackName("."), "msn-4242");
    EXPECT_EQ(backup.PackName(".."), "msn-4242");
    // Other dotted names are names, but no file is hidden: leading dots
    // become "-", and a picture always gets its extension.
    EXPECT_EQ(backup.PackName("..."), "---");
    EXPECT_EQ(backup.PackName(".hidden"), "-hidden");
    EXPECT_EQ(backup.PictureName(""), "msn-4242.png");
    EXPECT_EQ(backup.PictureName(".."), "msn-4242.png");
    EXPECT_EQ(backup.PictureName("..."), "---.png");
    EXPECT_EQ(backup.PictureName(".abc"), "-abc.png");
    EXPECT_EQ(backup.PictureName(".quorvane-4000000-abcdef.part"),
              "-quorvane-4000000-abcdef.part.png");
}

TEST_F(BackupFixture, DoubleByteCharactersAreNotCutInNames) {
    // In Shift-JIS "\x83\x5C" is one katakana letter whose second byte is
    // a backslash; it must survive as the letter.
    const CodePage shiftJis = CodePage::Make("CP932").value();
    BackupServices japanese{tools, folders, clock, pause, shiftJis, nullptr};
    BackupOperation backup(japanese);
    EXPECT_EQ(backup.PackName("\x83\x5C \x83\x5C"), "\xE3\x82\xBD-\xE3\x82\xBD");
    EXPECT_EQ(backup.PackName("a\\b"), "a-b");
    EXPECT_EQ(backup.PictureName("\x83\x5C"), "\xE3\x82\xBD.png");
    EXPECT_EQ(backup.PictureName("\x83\x5C/x"), "\xE3\x82\xBD-x.png");
}

TEST_F(BackupFixture, SameNamesAreNumberedAndOnlyTheSameItemIsReplaced) {
    for (int n = 0; n < 3; ++n) {
        AccountObject wink = Sample(ContentCategory::Winks, n);
        wink.displayName = "Same Name";
        Add(ContentCategory::Winks, wink);
    }
    builder.Write();
    PackagedObjectList list(services, ContentCategory::Winks);
    const std::vector<ListedItem> items = List(list);
    ASSERT_EQ(items.size(), 3u);

    BackupOperation backup(backupServices);
    const BackupOutcome first = backup.Run(list, All(items), backupFolder, manifest);
    ASSERT_TRUE(first.AllWritten());
    const std::string folder = Subfolder(ContentCategory::Winks);
    EXPECT_EQ(first.items[0].file, JoinPath(folder, "Same-Name.msn"));
    EXPECT_EQ(first.items[1].file, JoinPath(folder, "Same-Name (2).msn"));
    EXPECT_EQ(first.items[2].file, JoinPath(folder, "Same-Name (3).msn"));
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(OpenPack(first.items[i].file).at(objects[i].location),
                  ReadFile(ObjectFile(ContentCategory::Winks, objects[i])));

    // Running it again replaces each earlier pack of the same object, even
    // from another listing (whose manifests carry other content ids).
    PackagedObjectList again(services, ContentCategory::Winks);
    ASSERT_EQ(List(again).size(), 3u);
    const BackupOutcome second = backup.Run(again, All(items), backupFolder, manifest);
    ASSERT_TRUE(second.AllWritten());
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(second.items[i].file, first.items[i].file);
    EXPECT_THAT(NamesIn(folder),
                ElementsAre("Same-Name (2).msn", "Same-Name (3).msn", "Same-Name.msn"));

    // A file of that name that holds anything else is never replaced: the
    // pack takes the next free number.
    WriteFile(JoinPath(folder, "Same-Name.msn"), "the user's own file");
    const BackupOutcome third = backup.Run(list, {0}, backupFolder, manifest);
    ASSERT_TRUE(third.AllWritten());
    EXPECT_EQ(third.items[0].file, JoinPath(folder, "Same-Name (4).msn"));
    EXPECT_EQ(ReadFile(JoinPath(folder, "Same-Name.msn")), "the user's own file");
    EXPECT_EQ(OpenPack(third.items[0].file).at(objects[0].location),
              ReadFile(ObjectFile(ContentCategory::Winks, objects[0])));
}

TEST_F(BackupFixture, APackOfTheSameSizeHoldingOtherBytesIsKept) {
    AccountObject wink = Sample(ContentCategory::Winks, 0);
    wink.displayName = "Kept";
    Add(ContentCategory::Winks, wink);
    builder.Write();
    PackagedObjectList list(services, ContentCategory::Winks);
    ASSERT_EQ(List(list).size(), 1u);
    BackupOperation backup(backupServices);
    ASSERT_TRUE(backup.Run(list, {0}, backupFolder, manifest).AllWritten());
    const std::string earlier = JoinPath(Subfolder(ContentCategory::Winks), "Kept.msn");
    const std::string earlierBytes = ReadFile(earlier);

    // The object changes by one byte in its middle, keeping its name and
    // size: the pack made now differs from the earlier one only there.
    const std::string object = ObjectFile(ContentCategory::Winks, objects[0]);
    std::string changed = ReadFile(object);
    changed[changed.size() / 2] = static_cast<char>(changed[changed.size() / 2] ^ 0x01);
    WriteFile(object, changed);
    const BackupOutcome outcome = backup.Run(list, {0}, backupFolder, manifest);
    ASSERT_TRUE(outcome.AllWritten());
    EXPECT_EQ(outcome.items[0].file, JoinPath(Subfolder(ContentCategory::Winks), "Kept (2).msn"));
    EXPECT_EQ(ReadFile(earlier), earlierBytes);
    EXPECT_EQ(OpenPack(outcome.items[0].file).at(objects[0].location), changed);
}

TEST_F(BackupFixture, PacksOfItemsChosenOutOfOrderHoldTheirOwnObjects) {
    Add(ContentCategory::Winks, Named(ContentCategory::Winks, 0, "Bongo Kiss 0"));
    Add(ContentCategory::Winks, Named(ContentCategory::Winks, 1, "Caf\xE9 Dance 1"));
    Add(ContentCategory::Winks, Named(ContentCategory::Winks, 2, "Heart Fireworks 2"));
    builder.Write();
    PackagedObjectList list(services, ContentCategory::Winks);
    ASSERT_EQ(List(list).size(), 3u);

    const BackupOutcome outcome = Backup(list, {2, 0});
    ASSERT_TRUE(outcome.AllWritten());
    ASSERT_EQ(outcome.items.size(), 2u);
    const std::string folder = Subfolder(ContentCategory::Winks);
    EXPECT_EQ(outcome.items[0].itemData, 2u);
    EXPECT_EQ(outcome.items[0].file, JoinPath(folder, "Heart-Fireworks-2.msn"));
    EXPECT_EQ(outcome.items[1].itemData, 0u);
    EXPECT_EQ(outcome.items[1].file, JoinPath(folder, "Bongo-Kiss-0.msn"));
    for (std::size_t at : {0u, 1u}) {
        const std::size_t index = outcome.items[at].itemData;
        const std::map<std::string, std::string> expected = {
            {"content.xml",
             WinkManifest(list.objects[index].tag, objects[index].location, objects[index].stamp)},
            {objects[index].location,
             ReadFile(ObjectFile(ContentCategory::Winks, objects[index]))}};
        EXPECT_EQ(OpenPack(outcome.items[at].file), expected);
    }
    EXPECT_THAT(NamesIn(folder), ElementsAre("Bongo-Kiss-0.msn", "Heart-Fireworks-2.msn"));
}

TEST_F(BackupFixture, TheAccountsFilesAreUnchangedByListingAndBackup) {
    for (int n = 0; n < 3; ++n)
        Add(ContentCategory::DynamicBackgrounds, Sample(ContentCategory::DynamicBackgrounds, n));
    builder.Write();
    const std::string account = builder.AccountFolder();
    const auto before = SnapshotTree(account);

    PackagedObjectList list(services, ContentCategory::DynamicBackgrounds);
    const std::vector<ListedItem> items = List(list);
    ASSERT_EQ(items.size(), 3u);
    BackupOperation backup(backupServices);
    ASSERT_TRUE(backup.Run(list, All(items), backupFolder, manifest).AllWritten());
    list.Clear();

    auto after = SnapshotTree(account);
    EXPECT_EQ(after, before);
}

TEST_F(BackupFixture, AnObjectStoredAsContentXmlIsNeitherOverwrittenNorDeleted) {
    // The catalogue is outside input: a Location may be any bare file name,
    // including the name of the manifest the backup writes beside it.
    AccountObject odd = Sample(ContentCategory::Winks, 0);
    odd.location = "content.xml";
    odd.files = {{"odd.png", MessengerAccountBuilder::PngPicture()}};
    Add(ContentCategory::Winks, odd);
    Add(ContentCategory::Winks, Sample(ContentCategory::Winks, 1));
    builder.Write();
    const std::string account = builder.AccountFolder();
    const auto before = SnapshotTree(account);

    PackagedObjectList list(services, ContentCategory::Winks);
    const std::vector<ListedItem> items = List(list);
    ASSERT_EQ(items.size(), 2u);
    const BackupOutcome outcome = Backup(list, All(items));
    list.Clear();

    auto after = SnapshotTree(account);
    ASSERT_EQ(outcome.items.size(), 2u);
    EXPECT_EQ(after, before) << "the account's own files must come through a backup unchanged";
    // Its pack could not hold it beside the manifest of the same name, so it
    // alone is refused, and the user is told why.
    EXPECT_FALSE(outcome.items[0].Written());
    EXPECT_THAT(Why(outcome.items[0]), HasSubstr("content.xml"));
    EXPECT_TRUE(outcome.items[1].Written()) << Why(outcome.items[1]);
}

TEST_F(BackupFixture, AWildcardLocationIsRefusedWhateverListItComesIn) {
    // The listing leaves such a record out; the backup refuses it on its
    // own too, even when a file of that very name is there.
    for (int n = 0; n < 2; ++n)
        Add(ContentCategory::Winks, Sample(ContentCategory::Winks, n));
    builder.Write();
    PackagedObjectList list(services, ContentCategory::Winks);
    const std::vector<ListedItem> items = List(list);
    ASSERT_EQ(items.size(), 2u);
    WriteFile(JoinPath(list.objectFolder, "*.*"), ReadFile(list.ObjectPath(list.objects[0])));
    list.objects[0].location = "*.*";

    const BackupOutcome outcome = Backup(list, All(items));
    ASSERT_EQ(outcome.items.size(), 2u);
    EXPECT_FALSE(outcome.items[0].Written());
    EXPECT_THAT(Why(outcome.items[0]), HasSubstr("\"*.*\" holds a wildcard"));
    EXPECT_FALSE(fs::exists(outcome.items[0].file));
    EXPECT_TRUE(outcome.items[1].Written()) << Why(outcome.items[1]);
}

// --- packaged: what is not written is said -----------------------------------

TEST_F(BackupFixture, WithoutTheCabinetToolNoPackIsClaimed) {
    for (int n = 0; n < 2; ++n)
        Add(ContentCategory::Winks, Sample(ContentCategory::Winks, n));
    builder.Write();
    PackagedObjectList list(services, ContentCategory::Winks);
    const std::vector<ListedItem> items = List(list);
    ASSERT_EQ(items.size(), 2u);

    test::ScopedVariable path("PATH", "");
    CabinetTools nowhere(runner, temp / "no-tools/bin", windowsFolder);
    BackupServices withoutTools{nowhere, folders, clock, pause, CodePage::Ansi(), nullptr};
    BackupOperation backup(withoutTools);
    const BackupOutcome outcome = backup.Run(list, All(items), backupFolder, manifest);
    EXPECT_FALSE(outcome.AllWritten());
    ASSERT_EQ(outcome.items.size(), 2u);
    for (const BackupItemOutcome& item : outcome.items) {
        EXPECT_FALSE(item.Written());
        EXPECT_THAT(Why(item), HasSubstr("cabarc"));
        EXPECT_FALSE(fs::exists(item.file)) << item.file;
    }
    EXPECT_FALSE(fs::exists(JoinPath(list.objectFolder, "content.xml")));
}

TEST_F(BackupFixture, AStampFileDeletedBeforeTheBackupFailsThatItemOnly) {
    for (int n = 0; n < 3; ++n)
        Add(ContentCategory::DynamicDisplayPictures,
            Sample(ContentCategory::DynamicDisplayPictures, n));
    builder.Write();
    PackagedObjectList list(services, ContentCategory::DynamicDisplayPictures);
    const std::vector<ListedItem> items = List(list);
    ASSERT_EQ(items.size(), 3u);
    ASSERT_EQ(unlink(list.StampPath(list.objects[1]).c_str()), 0);

    const BackupOutcome outcome = Backup(list, All(items));
    EXPECT_FALSE(outcome.AllWritten());
    ASSERT_EQ(outcome.items.size(), 3u);
    EXPECT_TRUE(outcome.items[0].Written());
    EXPECT_TRUE(outcome.items[2].Written());
    EXPECT_FALSE(outcome.items[1].Written());
    EXPECT_THAT(Why(outcome.items[1]), HasSubstr("stamp file"));
    EXPECT_THAT(Why(outcome.items[1]), HasSubstr("does not exist"));
    EXPECT_FALSE(fs::exists(outcome.items[1].file));
    EXPECT_FALSE(fs::exists(JoinPath(list.objectFolder, "content.xml")));
}

TEST_F(BackupFixture, ABackupFolderThatCannotBeMadeFailsEveryItem) {
    Add(ContentCategory::Winks, Sample(ContentCategory::Winks, 0));
    Add(ContentCategory::Winks, Sample(ContentCategory::Winks, 1));
    Add(ContentCategory::CustomEmoticons, Sample(ContentCategory::CustomEmoticons, 0));
    Add(ContentCategory::RegularBackgrounds, Sample(ContentCategory::RegularBackgrounds, 0));
    builder.Write();
    // A regular file where a folder would have to be.
    WriteFile(temp / "plain-file", "not a folder");
    const std::string impossible = temp / "plain-file/backups";

    PackagedObjectList winks(services, ContentCategory::Winks);
    const std::vector<ListedItem> winkItems = List(winks);
    ASSERT_EQ(winkItems.size(), 2u);
    PictureObjectList emoticons(services, ContentCategory::CustomEmoticons);
    ASSERT_EQ(List(emoticons).size(), 1u);
    PictureObjectList backgrounds(services, ContentCategory::RegularBackgrounds);
    ASSERT_EQ(List(backgrounds).size(), 1u);

    BackupOperation backup(backupServices);
    const BackupOutcome packs = backup.Run(winks, All(winkItems), impossible, manifest);
    const BackupOutcome pack = backup.Run(emoticons, {0}, impossible, manifest);
    const BackupOutcome copies = backup.Run(backgrounds, {0}, impossible, manifest);

    for (const BackupOutcome* outcome : {&packs, &pack, &copies}) {
        EXPECT_FALSE(outcome->AllWritten());
        ASSERT_FALSE(outcome->items.empty());
        for (const BackupItemOutcome& item : outcome->items) {
            EXPECT_FALSE(item.Written());
            EXPECT_THAT(Why(item), HasSubstr("could not be created"));
            EXPECT_THAT(item.displayName, Not(IsEmpty()));
        }
    }
    EXPECT_EQ(packs.items.size(), 2u);
    EXPECT_EQ(ReadFile(temp / "plain-file"), "not a folder");
    EXPECT_FALSE(fs::exists(JoinPath(winks.objectFolder, "content.xml")));
}

TEST_F(BackupFixture, AnItemThatWasNeverListedIsReported) {
    Add(ContentCategory::Winks, Sample(ContentCategory::Winks, 0));
    Add(ContentCategory::CustomEmoticons, Sample(ContentCategory::CustomEmoticons, 0));
    Add(ContentCategory::RegularDisplayPictures,
        Sample(ContentCategory::RegularDisplayPictures, 0));
    builder.Write();
    PackagedObjectList winks(services, ContentCategory::Winks);
    ASSERT_EQ(List(winks).size(), 1u);
    PictureObjectList emoticons(services, ContentCategory::CustomEmoticons);
    ASSERT_EQ(List(emoticons).size(), 1u);
    PictureObjectList pictures(services, ContentCategory::RegularDisplayPictures);
    ASSERT_EQ(List(pictures).size(), 1u);

    BackupOperation backup(backupServices);
    const BackupOutcome packs = backup.Run(winks, {0, 5}, backupFolder, manifest);
    const BackupOutcome pack = backup.Run(emoticons, {7, 0}, backupFolder, manifest);
    const BackupOutcome copies = backup.Run(pictures, {0, 1}, backupFolder, manifest);

    ASSERT_EQ(packs.items.size(), 2u);
    EXPECT_FALSE(packs.AllWritten());
    EXPECT_TRUE(packs.items[0].Written()) << Why(packs.items[0]);
    EXPECT_FALSE(packs.items[1].Written());
    EXPECT_EQ(packs.items[1].itemData, 5u);
    EXPECT_THAT(Why(packs.items[1]), HasSubstr("5"));

    ASSERT_EQ(pack.items.size(), 2u);
    EXPECT_FALSE(pack.AllWritten());
    EXPECT_FALSE(pack.items[0].Written());
    EXPECT_THAT(Why(pack.items[0]), HasSubstr("7"));
    EXPECT_TRUE(pack.items[1].Written()) << Why(pack.items[1]);

    ASSERT_EQ(copies.items.size(), 2u);
    EXPECT_FALSE(copies.AllWritten());
    EXPECT_TRUE(copies.items[0].Written()) << Why(copies.items[0]);
    EXPECT_FALSE(copies.items[1].Written());
    EXPECT_THAT(Why(copies.items[1]), HasSubstr("1"));
}

// --- custom emoticons ---------------------------------------------------------

TEST_F(BackupFixture, EmoticonsGoIntoOneDatedPack) {
    AccountObject first = Sample(ContentCategory::CustomEmoticons, 0);
    first.displayName = "dance & \"jump\"";
    first.keySequence = "(d&<0>)";
    Add(ContentCategory::CustomEmoticons, first);
    Add(ContentCategory::CustomEmoticons, Sample(ContentCategory::CustomEmoticons, 1));
    Add(ContentCategory::CustomEmoticons, Sample(ContentCategory::CustomEmoticons, 2));
    builder.Write();
    PictureObjectList list(services, ContentCategory::CustomEmoticons);
    const std::vector<ListedItem> items = List(list);
    ASSERT_EQ(items.size(), 3u);

    const BackupOutcome outcome = Backup(list, All(items));
    ASSERT_TRUE(outcome.AllWritten());
    const std::string pack =
        JoinPath(Subfolder(ContentCategory::CustomEmoticons), kEmoticonPackName);
    EXPECT_THAT(NamesIn(Subfolder(ContentCategory::CustomEmoticons)),
                ElementsAre(kEmoticonPackName));
    ASSERT_EQ(outcome.items.size(), 3u);
    for (const BackupItemOutcome& item : outcome.items) {
        EXPECT_TRUE(item.Written());
        EXPECT_EQ(item.file, pack);
    }
    ASSERT_TRUE(fs::is_regular_file(pack));
    EXPECT_TRUE(IsSealed(pack));

    std::map<std::string, std::string> expected;
    std::vector<EmoticonLine> lines;
    for (const AccountObject& object : objects) {
        // "8A3F01BC.dat" is packed as "8a3f01bc.gif", whatever it holds.
        std::string name = Utf8(object.location);
        std::transform(name.begin(), name.end(), name.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
        name = name.substr(0, name.size() - 4) + ".gif";
        expected[name] = ReadFile(ObjectFile(ContentCategory::CustomEmoticons, object));
        lines.push_back({name, Utf8(object.displayName), Utf8(object.keySequence)});
    }
    expected["content.xml"] = EmoticonPackManifest(clock.seconds, lines);
    EXPECT_EQ(OpenPack(pack), expected);

    // Nothing was made in the shared temporary folder, and the private work
    // folder is gone.
    EXPECT_THAT(NamesIn(folders.tempFolder), IsEmpty());
    for (const std::string& name : NamesIn(folders.privateFolder))
        EXPECT_FALSE(name.starts_with("work-")) << name;
}

TEST_F(BackupFixture, AnEmoticonPackHoldsOnlyThisRunsEmoticons) {
    for (int n = 0; n < 3; ++n)
        Add(ContentCategory::CustomEmoticons, Sample(ContentCategory::CustomEmoticons, n));
    builder.Write();
    PictureObjectList list(services, ContentCategory::CustomEmoticons);
    ASSERT_EQ(List(list).size(), 3u);
    // A folder at the name the work folder once had (the time in seconds
    // under the shared temporary folder), as anyone could plant it.
    const std::string leftover = folders.tempFolder + std::to_string(clock.seconds);
    WriteFile(JoinPath(leftover, "stray.gif"), MessengerAccountBuilder::GifPicture());

    const BackupOutcome outcome = Backup(list, {2, 0});
    ASSERT_TRUE(outcome.AllWritten());
    ASSERT_EQ(outcome.items.size(), 2u);
    EXPECT_EQ(outcome.items[0].itemData, 2u);
    EXPECT_EQ(outcome.items[1].itemData, 0u);

    const auto pack = OpenPack(outcome.items[0].file);
    std::vector<std::string> names;
    for (const auto& entry : pack)
        names.push_back(entry.first);
    const std::string second =
        EmoticonManifest::PackFileName(objects[2].location, CodePage::Ansi());
    const std::string zeroth =
        EmoticonManifest::PackFileName(objects[0].location, CodePage::Ansi());
    std::vector<std::string> expectedNames = {"content.xml", second, zeroth};
    std::sort(expectedNames.begin(), expectedNames.end());
    EXPECT_EQ(names, expectedNames);
    EXPECT_EQ(pack.at(second), ReadFile(ObjectFile(ContentCategory::CustomEmoticons, objects[2])));
    EXPECT_EQ(pack.at(zeroth), ReadFile(ObjectFile(ContentCategory::CustomEmoticons, objects[0])));
    const std::string& text = pack.at("content.xml");
    EXPECT_THAT(text, HasSubstr(EmoticonItem(clock.seconds, {second, Utf8(objects[2].displayName),
                                                             Utf8(objects[2].keySequence)})));
    EXPECT_THAT(text, HasSubstr(EmoticonItem(clock.seconds, {zeroth, Utf8(objects[0].displayName),
                                                             Utf8(objects[0].keySequence)})));
    EXPECT_THAT(text, Not(HasSubstr(Utf8(objects[1].keySequence))));
    EXPECT_THAT(text, Not(HasSubstr("stray")));
    EXPECT_TRUE(fs::exists(JoinPath(leftover, "stray.gif"))) << "not ours, so left alone";
}

TEST_F(BackupFixture, TwoEmoticonBackupsInOneSecondKeepBothPacks) {
    for (int n = 0; n < 2; ++n)
        Add(ContentCategory::CustomEmoticons, Sample(ContentCategory::CustomEmoticons, n));
    builder.Write();
    PictureObjectList list(services, ContentCategory::CustomEmoticons);
    ASSERT_EQ(List(list).size(), 2u);
    const std::string folder = Subfolder(ContentCategory::CustomEmoticons);
    const std::string numbered = "MSNEmoticons231114-221320 (2).msn";

    // The clock stands still: both runs want the same dated name.
    const BackupOutcome first = Backup(list, {0});
    const BackupOutcome second = Backup(list, {1});
    ASSERT_TRUE(first.AllWritten() && second.AllWritten());
    EXPECT_EQ(first.items[0].file, JoinPath(folder, kEmoticonPackName));
    EXPECT_EQ(second.items[0].file, JoinPath(folder, numbered));
    const auto holds = [&](const std::string& pack, std::size_t index) {
        return OpenPack(JoinPath(folder, pack))
            .count(EmoticonManifest::PackFileName(objects[index].location, CodePage::Ansi()));
    };
    EXPECT_EQ(holds(kEmoticonPackName, 0), 1u);
    EXPECT_EQ(holds(numbered, 1), 1u);
    // The first backup again is the same pack, and replaces its own.
    EXPECT_EQ(Backup(list, {0}).items[0].file, JoinPath(folder, kEmoticonPackName));
    EXPECT_THAT(NamesIn(folder), ElementsAre(numbered, kEmoticonPackName));
}

TEST_F(BackupFixture, AnEmoticonWhoseFileIsGoneIsLeftOutOfThePackAndReported) {
    for (int n = 0; n < 3; ++n)
        Add(ContentCategory::CustomEmoticons, Sample(ContentCategory::CustomEmoticons, n));
    builder.Write();
    PictureObjectList list(services, ContentCategory::CustomEmoticons);
    const std::vector<ListedItem> items = List(list);
    ASSERT_EQ(items.size(), 3u);
    ASSERT_EQ(unlink(ObjectFile(ContentCategory::CustomEmoticons, objects[1]).c_str()), 0);

    const BackupOutcome outcome = Backup(list, All(items));
    EXPECT_FALSE(outcome.AllWritten());
    ASSERT_EQ(outcome.items.size(), 3u);
    EXPECT_TRUE(outcome.items[0].Written());
    EXPECT_FALSE(outcome.items[1].Written());
    EXPECT_THAT(Why(outcome.items[1]), HasSubstr(Utf8(objects[1].location)));
    EXPECT_TRUE(outcome.items[2].Written());

    const auto pack = OpenPack(outcome.items[0].file);
    EXPECT_EQ(pack.size(), 3u);
    EXPECT_EQ(pack.count(EmoticonManifest::PackFileName(objects[1].location, CodePage::Ansi())),
              0u);
    EXPECT_THAT(pack.at("content.xml"), Not(HasSubstr(Utf8(objects[1].keySequence))));
}

TEST_F(BackupFixture, AnEmoticonPackWhoseManifestCannotBeWrittenIsNotClaimed) {
    for (int n = 0; n < 2; ++n)
        Add(ContentCategory::CustomEmoticons, Sample(ContentCategory::CustomEmoticons, n));
    builder.Write();
    PictureObjectList list(services, ContentCategory::CustomEmoticons);
    const std::vector<ListedItem> items = List(list);
    ASSERT_EQ(items.size(), 2u);

    // Once the first emoticon is copied, a folder takes the manifest's name
    // in the work folder, so content.xml cannot be put there.
    SteppingPause stepping;
    SystemFolders steppingFolders(clock, stepping);
    steppingFolders.tempFolder = folders.tempFolder;
    steppingFolders.privateFolder = folders.privateFolder;
    stepping.onFirstTen = [&] {
        WriteFile(JoinPath(JoinPath(steppingFolders.workFolder, "content.xml"), "blocker"), "x");
    };
    BackupServices steppingServices{tools,    steppingFolders,  clock,
                                    stepping, CodePage::Ansi(), nullptr};
    BackupOperation backup(steppingServices);
    const BackupOutcome outcome = backup.Run(list, All(items), backupFolder, manifest);

    EXPECT_FALSE(outcome.AllWritten());
    ASSERT_EQ(outcome.items.size(), 2u);
    for (const BackupItemOutcome& item : outcome.items) {
        EXPECT_FALSE(item.Written());
        EXPECT_THAT(Why(item), HasSubstr("content.xml"));
    }
    EXPECT_FALSE(
        fs::exists(JoinPath(Subfolder(ContentCategory::CustomEmoticons), kEmoticonPackName)));
    EXPECT_FALSE(fs::exists(steppingFolders.workFolder));
}

TEST_F(BackupFixture, WithoutTheCabinetToolNoEmoticonPackIsClaimed) {
    for (int n = 0; n < 2; ++n)
        Add(ContentCategory::CustomEmoticons, Sample(ContentCategory::CustomEmoticons, n));
    builder.Write();
    PictureObjectList list(services, ContentCategory::CustomEmoticons);
    const std::vector<ListedItem> items = List(list);
    ASSERT_EQ(items.size(), 2u);

    test::ScopedVariable path("PATH", "");
    CabinetTools nowhere(runner, temp / "no-tools/bin", windowsFolder);
    BackupServices withoutTools{nowhere, folders, clock, pause, CodePage::Ansi(), nullptr};
    BackupOperation backup(withoutTools);
    const BackupOutcome outcome = backup.Run(list, All(items), backupFolder, manifest);
    EXPECT_FALSE(outcome.AllWritten());
    for (const BackupItemOutcome& item : outcome.items) {
        EXPECT_FALSE(item.Written());
        EXPECT_THAT(Why(item), HasSubstr("cabarc"));
    }
    EXPECT_FALSE(
        fs::exists(JoinPath(Subfolder(ContentCategory::CustomEmoticons), kEmoticonPackName)));
    EXPECT_THAT(NamesIn(folders.tempFolder), IsEmpty());
}

TEST_F(BackupFixture, TwoEmoticonsWithOnePackNameAreNotBothClaimed) {
    AccountObject upper = Sample(ContentCategory::CustomEmoticons, 0);
    upper.location = "ABCD.dat";
    upper.files = {{"ABCD.dat", MessengerAccountBuilder::GifPicture()}};
    AccountObject lower = Sample(ContentCategory::CustomEmoticons, 1);
    lower.location = "abcd.DAT";
    lower.files = {{"abcd.DAT", MessengerAccountBuilder::PngPicture()}};
    Add(ContentCategory::CustomEmoticons, upper);
    Add(ContentCategory::CustomEmoticons, lower);
    builder.Write();
    PictureObjectList list(services, ContentCategory::CustomEmoticons);
    const std::vector<ListedItem> items = List(list);
    ASSERT_EQ(items.size(), 2u);

    const BackupOutcome outcome = Backup(list, All(items));
    EXPECT_FALSE(outcome.AllWritten());
    ASSERT_EQ(outcome.items.size(), 2u);
    EXPECT_TRUE(outcome.items[0].Written());
    EXPECT_FALSE(outcome.items[1].Written());
    EXPECT_THAT(Why(outcome.items[1]), HasSubstr("abcd.gif"));
    const auto pack = OpenPack(outcome.items[0].file);
    EXPECT_EQ(pack.at("abcd.gif"), MessengerAccountBuilder::GifPicture());
}

TEST_F(BackupFixture, AnEmoticonStoredAsContentXmlIsNotClaimedAsPacked) {
    // "Content.XML" lowers to the manifest's own name; the pack cannot hold
    // both, so the emoticon must not be reported as written.
    AccountObject odd = Sample(ContentCategory::CustomEmoticons, 0);
    odd.location = "Content.XML";
    odd.files = {{"Content.XML", MessengerAccountBuilder::GifPicture()}};
    Add(ContentCategory::CustomEmoticons, odd);
    Add(ContentCategory::CustomEmoticons, Sample(ContentCategory::CustomEmoticons, 1));
    builder.Write();
    PictureObjectList list(services, ContentCategory::CustomEmoticons);
    const std::vector<ListedItem> items = List(list);
    ASSERT_EQ(items.size(), 2u);

    const BackupOutcome outcome = Backup(list, All(items));
    ASSERT_EQ(outcome.items.size(), 2u);
    EXPECT_TRUE(outcome.items[1].Written()) << Why(outcome.items[1]);
    EXPECT_FALSE(outcome.items[0].Written())
        << "the pack's content.xml is its manifest, not this emoticon";
    EXPECT_FALSE(outcome.AllWritten());
    if (outcome.items[1].Written()) {
        const auto pack = OpenPack(outcome.items[1].file);
        EXPECT_THAT(pack.at("content.xml"), HasSubstr("<package"));
    }
}

// --- regular pictures -----------------------------------------------------------

// Each copy's extension is the one its bytes call for, so any program
// opens it by its name.
TEST_F(BackupFixture, RegularDisplayPicturesAreCopiedUnderTheirNames) {
    const std::vector<std::pair<std::string, std::string>> pictures = {
        {"sunset.jpg", EncodedPicture("JPEG", 6, 4)},
        {"photo.jpeg", EncodedPicture("JPEG", 4, 6)},
        {"my picture", EncodedPicture("PNG", 3, 3)},
        {"Caf\xE9", EncodedPicture("PNG", 2, 5)},
        {"a/b", MessengerAccountBuilder::GifPicture()},
        {"scan.png", EncodedPicture("JPEG", 5, 5)},
        {"v1.2", EncodedPicture("BMP", 3, 2)},
    };
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        AccountObject picture;
        picture.displayName = pictures[i].first;
        picture.location = "tile" + std::to_string(i) + ".dat";
        picture.files = {{picture.location, pictures[i].second}};
        Add(ContentCategory::RegularDisplayPictures, picture);
    }
    builder.Write();
    PictureObjectList list(services, ContentCategory::RegularDisplayPictures);
    const std::vector<ListedItem> items = List(list);
    ASSERT_EQ(items.size(), pictures.size());

    const BackupOutcome outcome = Backup(list, All(items));
    ASSERT_TRUE(outcome.AllWritten());
    const std::string folder = Subfolder(ContentCategory::RegularDisplayPictures);
    const std::vector<std::string> names = {"sunset.jpg",      "photo.jpeg", "my picture.png",
                                            "Caf\xC3\xA9.png", "a-b.gif",    "scan.jpg",
                                            "v1.2.bmp"};
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(outcome.items[i].file, JoinPath(folder, names[i]));
        EXPECT_EQ(ReadFile(JoinPath(folder, names[i])), pictures[i].second);
    }
    EXPECT_EQ(FilesIn(folder).size(), pictures.size());
}

TEST_F(BackupFixture, RegularBackgroundsKeepTheirSpaces) {
    Add(ContentCategory::RegularBackgrounds,
        Named(ContentCategory::RegularBackgrounds, 0, "Sunny Beach 0"));
    Add(ContentCategory::RegularBackgrounds,
        Named(ContentCategory::RegularBackgrounds, 1, "Mountains 1"));
    builder.Write();
    PictureObjectList list(services, ContentCategory::RegularBackgrounds);
    const std::vector<ListedItem> items = List(list);
    ASSERT_EQ(items.size(), 2u);

    const BackupOutcome outcome = Backup(list, All(items));
    ASSERT_TRUE(outcome.AllWritten());
    const std::string folder = Subfolder(ContentCategory::RegularBackgrounds);
    EXPECT_THAT(NamesIn(folder), ElementsAre("Mountains 1.png", "Sunny Beach 0.png"));
    EXPECT_EQ(ReadFile(JoinPath(folder, "Sunny Beach 0.png")),
              ReadFile(ObjectFile(ContentCategory::RegularBackgrounds, objects[0])));
    EXPECT_EQ(ReadFile(JoinPath(folder, "Mountains 1.png")),
              ReadFile(ObjectFile(ContentCategory::RegularBackgrounds, objects[1])));
}

TEST_F(BackupFixture, PictureCopiesWithOneNameAreAllKeptAndARerunReplacesThem) {
    const std::vector<std::string> names = {"same", "same", "same (2)", "same"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        AccountObject picture;
        picture.displayName = names[i];
        picture.location = "p" + std::to_string(i) + ".png";
        picture.files = {{picture.location, EncodedPicture("PNG", static_cast<int>(i) + 1, 1)}};
        Add(ContentCategory::RegularDisplayPictures, picture);
    }
    builder.Write();
    PictureObjectList list(services, ContentCategory::RegularDisplayPictures);
    const std::vector<ListedItem> items = List(list);
    ASSERT_EQ(items.size(), names.size());

    BackupOperation backup(backupServices);
    const BackupOutcome first = backup.Run(list, All(items), backupFolder, manifest);
    ASSERT_TRUE(first.AllWritten());
    const std::string folder = Subfolder(ContentCategory::RegularDisplayPictures);
    EXPECT_EQ(first.items[0].file, JoinPath(folder, "same.png"));
    EXPECT_EQ(first.items[1].file, JoinPath(folder, "same (2).png"));
    EXPECT_EQ(first.items[3].file, JoinPath(folder, "same (3).png"));
    // Every object has a file of its own.
    EXPECT_EQ(FilesIn(folder).size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(ReadFile(first.items[i].file),
                  ReadFile(ObjectFile(ContentCategory::RegularDisplayPictures, objects[i])));

    const BackupOutcome second = backup.Run(list, All(items), backupFolder, manifest);
    ASSERT_TRUE(second.AllWritten());
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(second.items[i].file, first.items[i].file);
    EXPECT_EQ(FilesIn(folder).size(), names.size());
}

TEST_F(BackupFixture, PictureCopiesOfItemsChosenOutOfOrderAreTheirOwn) {
    Add(ContentCategory::RegularDisplayPictures,
        Named(ContentCategory::RegularDisplayPictures, 0, "sunset 0"));
    Add(ContentCategory::RegularDisplayPictures,
        Named(ContentCategory::RegularDisplayPictures, 1, "cafe 1"));
    Add(ContentCategory::RegularDisplayPictures,
        Named(ContentCategory::RegularDisplayPictures, 2, "guitar 2"));
    builder.Write();
    PictureObjectList list(services, ContentCategory::RegularDisplayPictures);
    ASSERT_EQ(List(list).size(), 3u);

    const BackupOutcome outcome = Backup(list, {2, 0});
    ASSERT_TRUE(outcome.AllWritten());
    ASSERT_EQ(outcome.items.size(), 2u);
    const std::string folder = Subfolder(ContentCategory::RegularDisplayPictures);
    EXPECT_EQ(outcome.items[0].file, JoinPath(folder, "guitar 2.png"));
    EXPECT_EQ(outcome.items[1].file, JoinPath(folder, "sunset 0.png"));
    EXPECT_EQ(ReadFile(outcome.items[0].file),
              ReadFile(ObjectFile(ContentCategory::RegularDisplayPictures, objects[2])));
    EXPECT_EQ(ReadFile(outcome.items[1].file),
              ReadFile(ObjectFile(ContentCategory::RegularDisplayPictures, objects[0])));
    EXPECT_EQ(FilesIn(folder).size(), 2u);
}

TEST_F(BackupFixture, AUsersOwnDifferentPictureUnderTheSameNameIsKept) {
    Add(ContentCategory::RegularDisplayPictures,
        Named(ContentCategory::RegularDisplayPictures, 0, "Sunset"));
    builder.Write();
    const std::string folder = Subfolder(ContentCategory::RegularDisplayPictures);
    WriteFile(JoinPath(folder, "Sunset.png"), "the user's own sunset");
    PictureObjectList list(services, ContentCategory::RegularDisplayPictures);
    ASSERT_EQ(List(list).size(), 1u);

    ASSERT_TRUE(Backup(list, {0}).AllWritten());
    EXPECT_EQ(ReadFile(JoinPath(folder, "Sunset.png")), "the user's own sunset");
    EXPECT_EQ(ReadFile(JoinPath(folder, "Sunset (2).png")),
              ReadFile(ObjectFile(ContentCategory::RegularDisplayPictures, objects[0])));
}

TEST_F(BackupFixture, APictureWhoseFileIsGoneIsReported) {
    for (int n = 0; n < 2; ++n)
        Add(ContentCategory::RegularBackgrounds, Sample(ContentCategory::RegularBackgrounds, n));
    builder.Write();
    PictureObjectList list(services, ContentCategory::RegularBackgrounds);
    const std::vector<ListedItem> items = List(list);
    ASSERT_EQ(items.size(), 2u);
    const std::string gone = ObjectFile(ContentCategory::RegularBackgrounds, objects[0]);
    ASSERT_EQ(unlink(gone.c_str()), 0);

    const BackupOutcome outcome = Backup(list, All(items));
    EXPECT_FALSE(outcome.AllWritten());
    ASSERT_EQ(outcome.items.size(), 2u);
    EXPECT_FALSE(outcome.items[0].Written());
    EXPECT_THAT(Why(outcome.items[0]), HasSubstr(gone));
    EXPECT_FALSE(fs::exists(outcome.items[0].file));
    EXPECT_TRUE(outcome.items[1].Written());
}

TEST_F(BackupFixture, PictureBackupsLeaveTheAccountAsItWas) {
    for (int n = 0; n < 2; ++n) {
        Add(ContentCategory::RegularDisplayPictures,
            Sample(ContentCategory::RegularDisplayPictures, n));
        Add(ContentCategory::CustomEmoticons, Sample(ContentCategory::CustomEmoticons, n));
    }
    builder.Write();
    const auto before = SnapshotTree(builder.AccountFolder());

    PictureObjectList pictures(services, ContentCategory::RegularDisplayPictures);
    PictureObjectList emoticons(services, ContentCategory::CustomEmoticons);
    const std::vector<ListedItem> pictureItems = List(pictures);
    const std::vector<ListedItem> emoticonItems = List(emoticons);
    BackupOperation backup(backupServices);
    EXPECT_TRUE(backup.Run(pictures, All(pictureItems), backupFolder, manifest).AllWritten());
    EXPECT_TRUE(backup.Run(emoticons, All(emoticonItems), backupFolder, manifest).AllWritten());
    pictures.Clear();
    emoticons.Clear();

    EXPECT_EQ(SnapshotTree(builder.AccountFolder()), before);
}

} // namespace
} // namespace quorvane
