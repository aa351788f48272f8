// The built quorvane-cli's list, backup and verify commands, run as child
// processes against an account in a fake Wine prefix: what the user sees,
// what lands in the backup folder, and that Messenger's folders keep exactly
// what they held.

#include "backup/BackupOperation.h"
#include "backup/Manifests.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "profile/PackCipher.h"
#include "protection/DataProtection.h"
#include "protection/WineDataProtection.h"
#include "support/ChildRun.h"
#include "support/IndependentReader.h"
#include "support/MessengerAccountBuilder.h"
#include "support/TempFolder.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <random>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace quorvane {
namespace {

using test::AccountObject;
using test::FilesIn;
using test::kAllCategories;
using test::MessengerAccountBuilder;
using test::ReadFile;
using test::SnapshotTree;
using test::TempFolder;
using test::WriteFile;

namespace fs = std::filesystem;

constexpr const char* kPassport = test::kTestPassport;
constexpr const char* kWineUser = "testuser";
constexpr const char* kInvalidPassportMessage = "Please enter an valid MSN account.";

// An independent reader of the packs, so a pack is not judged only by the
// project's own extract tool.
const std::string kCabextract = test::FindOnPath("cabextract");

using CliResult = test::ChildResult;
using test::Fields;
using test::Lines;

std::string Utf8(const std::string& codePageText) {
    return CodePage::Ansi().ToUtf8(codePageText);
}

std::string Joined(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i)
        line += (i == 0 ? "" : "\t") + fields[i];
    return line;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// One item of an emoticon pack's manifest.
struct ManifestItem {
    std::string file;
    std::string displayName;
    std::string keySequence;
    bool operator==(const ManifestItem&) const = default;
};

std::vector<ManifestItem> EmoticonManifestItems(const std::string& xml) {
    std::vector<ManifestItem> items;
    QXmlStreamReader reader(QByteArray::fromStdString(xml));
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement || reader.name() != u"item")
            continue;
        const QXmlStreamAttributes attributes = reader.attributes();
        const QString ns = QString::fromUtf8(kEmoticonNamespace.data(),
                                             static_cast<qsizetype>(kEmoticonNamespace.size()));
        items.push_back(
            {attributes.value(QStringLiteral("file")).toString().toStdString(),
             attributes.value(ns, QStringLiteral("displayname")).toString().toStdString(),
             attributes.value(ns, QStringLiteral("keysequence")).toString().toStdString()});
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return items;
}

class CliBackupTest : public ::testing::Test {
protected:
    CliBackupTest()
        : prefix(root / "wine"),
          appData(JoinPath(prefix, "drive_c/users/" + std::string(kWineUser) + "/AppData/Roaming")),
          protection(kWineUser), builder(appData, kPassport, protection),
          backupFolder(root / "home/Messenger backups") {
        MakeFolders(appData);
        MakeFolders(JoinPath(prefix, "drive_c/windows"));
        MakeFolders(root / "work");
        // Nothing of the real user's: home, Wine prefix, user name, the XDG
        // folders and the temporary folder all point into the test's folder.
        environment = test::IsolatedEnvironment(root.Path(), prefix, kWineUser);
    }

    void SetUp() override {
        ASSERT_FALSE(kCabextract.empty()) << "cabextract is needed as an independent reader";
    }

    // Runs the program in workingFolder (default: the test's own) with the
    // given arguments in the test's environment; standard input is empty.
    CliResult Run(const std::vector<std::string>& args,
                  const std::string& workingFolder = "") const {
        std::vector<std::string> arguments = {QUORVANE_CLI};
        arguments.insert(arguments.end(), args.begin(), args.end());
        return Checked(test::RunChild(arguments, {&environment, workingFolder, ""}));
    }

    static CliResult Checked(CliResult result) {
        if (!result.started)
            ADD_FAILURE() << "cannot start " << QUORVANE_CLI;
        else if (result.exitCode < 0)
            ADD_FAILURE() << "quorvane-cli did not exit normally";
        return result;
    }

    static std::vector<std::string> Command(const std::string& name, ContentCategory category,
                                            std::vector<std::string> extra = {}) {
        std::vector<std::string> args = {name, "--type", std::to_string(static_cast<int>(category)),
                                         "--passport", kPassport};
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    }
    std::vector<std::string> Backup(ContentCategory category,
                                    std::vector<std::string> choice = {"--all"}) const {
        choice.insert(choice.begin(), {"--to", backupFolder});
        return Command("backup", category, choice);
    }

    // Adds an object to the account and remembers it.
    void Add(ContentCategory category, const AccountObject& object) {
        added[category].push_back(object);
        builder.Add(category, object);
    }
    // Three sample objects in every category.
    void AddSamples() {
        for (ContentCategory category : kAllCategories)
            for (int n = 1; n <= 3; ++n)
                Add(category, MessengerAccountBuilder::SampleObject(category, n));
    }

    std::string ObjectFile(ContentCategory category, const AccountObject& object) const {
        return JoinPath(builder.ObjectFolder(category), Utf8(object.location));
    }
    std::string Subfolder(ContentCategory category) const {
        return JoinPath(backupFolder, BackupSubfolder(category));
    }
    std::map<std::string, std::string> Snapshot() const { return SnapshotTree(prefix); }

    // The files of a pack as cabextract reads it once the seal is undone.
    std::map<std::string, std::string> OpenPack(const std::string& pack) {
        std::string error;
        auto files =
            test::OpenSealedPack(pack, root / ("opened-" + std::to_string(++m_opened)), error);
        EXPECT_EQ(error, "") << pack;
        return files;
    }

    TempFolder root;
    std::string prefix;
    std::string appData;
    WineDataProtection protection;
    MessengerAccountBuilder builder;
    std::string backupFolder;
    std::map<std::string, std::string> environment;
    std::map<ContentCategory, std::vector<AccountObject>> added;

private:
    int m_opened = 0;
};

// ---------------------------------------------------------------------------
// list

TEST_F(CliBackupTest, ListShowsWhatTheWindowListsInEveryCategory) {
    // Per category: two good objects, one whose file holds no picture (left
    // out, the later items renumbered) and, for packaged objects, one whose
    // display name is too short and gives way to its picture's name.
    for (ContentCategory category : kAllCategories) {
        // Emoticon 2 is a GIF, the others PNGs.
        Add(category, MessengerAccountBuilder::SampleObject(category, 1));
        AccountObject noPicture = MessengerAccountBuilder::SampleObject(category, 3);
        if (IsPackaged(category))
            noPicture.files = {{"movie.swf", MessengerAccountBuilder::SwfMovie()},
                               {"notes.txt", "no picture in here"}};
        else
            noPicture.files = {{Utf8(noPicture.location), "no picture in here"}};
        Add(category, noPicture);
        Add(category, MessengerAccountBuilder::SampleObject(category, 2));
        if (IsPackaged(category)) {
            AccountObject shortName = MessengerAccountBuilder::SampleObject(category, 4);
            shortName.displayName = "A";
            shortName.files = {{"Happy Face.png", MessengerAccountBuilder::PngPicture()},
                               {"Happy Face.swf", MessengerAccountBuilder::SwfMovie()}};
            Add(category, shortName);
        }
    }
    builder.Write();
    const auto before = Snapshot();

    for (ContentCategory category : kAllCategories) {
        SCOPED_TRACE(std::string(CategoryKeyword(category)));
        const std::vector<AccountObject>& objects = added[category];
        std::vector<std::string> expected = {
            Joined({"0", Utf8(objects[0].displayName), Utf8(objects[0].location)}),
            Joined({"1", Utf8(objects[2].displayName), Utf8(objects[2].location)}),
        };
        if (IsPackaged(category))
            expected.push_back(Joined({"2", "Happy Face", Utf8(objects[3].location)}));

        const CliResult result = Run(Command("list", category));
        EXPECT_EQ(result.exitCode, 0);
        // The object without a picture is left out, and the user is told.
        EXPECT_EQ(result.err, "quorvane-cli list: 1 of " + std::to_string(objects.size()) +
                                  " catalogue objects was left out: 1 without a picture that "
                                  "can be shown.\n");
        EXPECT_EQ(Lines(result.out), expected);
        // Messenger's folders are only read.
        EXPECT_EQ(Snapshot(), before);
    }
}

TEST_F(CliBackupTest, NothingListableIsExplainedAndFails) {
    builder.Write(true); // every catalogue empty
    MessengerAccountBuilder(appData, "full@example.com", protection)
        .Add(ContentCategory::Winks,
             MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 1))
        .Write();
    const auto before = Snapshot();

    for (ContentCategory category : {ContentCategory::Winks, ContentCategory::CustomEmoticons}) {
        SCOPED_TRACE(std::string(CategoryKeyword(category)));
        const CliResult empty = Run(Command("list", category));
        EXPECT_EQ(empty.exitCode, 1);
        EXPECT_EQ(empty.out, "");
        EXPECT_TRUE(Contains(empty.err, "nothing to list")) << empty.err;

        // Backing up an empty listing is backing up nothing.
        const CliResult backup = Run(Backup(category));
        EXPECT_EQ(backup.exitCode, 1);
        EXPECT_EQ(backup.out, "");
        EXPECT_TRUE(Contains(backup.err, "Please list and select the items to backup."))
            << backup.err;
        EXPECT_FALSE(fs::exists(backupFolder));
    }

    // An account that is not there is named with where it was looked for.
    std::vector<std::string> unknown = Command("list", ContentCategory::Winks);
    unknown[4] = "nobody@example.com";
    const CliResult missing = Run(unknown);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_TRUE(Contains(missing.err, "no Messenger data")) << missing.err;
    EXPECT_TRUE(Contains(missing.err, "nobody@example.com")) << missing.err;
    EXPECT_EQ(Snapshot(), before);
}

// ---------------------------------------------------------------------------
// backup and verify

TEST_F(CliBackupTest, BackupOfEveryCategoryGivesSoundPacksAndExactCopies) {
    AddSamples();
    builder.Write();
    const auto before = Snapshot();

    std::vector<std::string> packs;
    for (ContentCategory category : kAllCategories) {
        SCOPED_TRACE(std::string(CategoryKeyword(category)));
        const std::vector<AccountObject>& objects = added[category];
        const CliResult result = Run(Backup(category));
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.err, "");
        const std::vector<std::string> lines = Lines(result.out);
        ASSERT_EQ(lines.size(), objects.size() + 1) << result.out;
        EXPECT_EQ(lines.back(), "Congratulation! Backup finished successfully.");

        const std::string folder = Subfolder(category);
        std::set<std::string> files;
        for (std::size_t i = 0; i < objects.size(); ++i) {
            const std::vector<std::string> fields = Fields(lines[i]);
            ASSERT_EQ(fields.size(), 4u) << lines[i];
            EXPECT_EQ(fields[0], std::to_string(i));
            EXPECT_EQ(fields[1], Utf8(objects[i].displayName));
            EXPECT_EQ(fields[2], "written");
            const std::string& file = fields[3];
            ASSERT_TRUE(fs::is_regular_file(file)) << file;
            EXPECT_EQ(ParentFolder(file), folder);
            files.insert(file);
            std::string name = Utf8(objects[i].displayName);
            if (IsPackaged(category)) {
                std::replace(name.begin(), name.end(), ' ', '-');
                EXPECT_EQ(BaseName(file), name + ".msn");
            } else if (category == ContentCategory::CustomEmoticons) {
                EXPECT_TRUE(std::regex_match(BaseName(file),
                                             std::regex("MSNEmoticons[0-9]{6}-[0-9]{6}\\.msn")))
                    << file;
            } else {
                // Pictures are copied byte for byte under their names.
                EXPECT_EQ(BaseName(file), name + ".png");
                EXPECT_EQ(ReadFile(file), ReadFile(ObjectFile(category, objects[i])));
            }
        }
        // One pack per packaged object, one pack for all the emoticons.
        const std::size_t expectedFiles =
            category == ContentCategory::CustomEmoticons ? 1 : objects.size();
        EXPECT_EQ(files.size(), expectedFiles);
        std::size_t inFolder = 0;
        for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder))
            ++inFolder;
        EXPECT_EQ(inFolder, expectedFiles);
        if (IsPackaged(category) || category == ContentCategory::CustomEmoticons)
            packs.insert(packs.end(), files.begin(), files.end());
    }
    // Messenger's folders hold what they held, the thumbnail folders aside;
    // in particular no stamp file and no content.xml is left behind.
    EXPECT_EQ(Snapshot(), before);

    // Every pack is sound, and says which files it holds.
    ASSERT_EQ(packs.size(), 10u);
    std::vector<std::string> verify = {"verify"};
    verify.insert(verify.end(), packs.begin(), packs.end());
    const CliResult verified = Run(verify);
    EXPECT_EQ(verified.exitCode, 0) << verified.err;
    EXPECT_EQ(verified.err, "");
    const std::vector<std::string> lines = Lines(verified.out);
    ASSERT_EQ(lines.size(), packs.size()) << verified.out;
    for (std::size_t i = 0; i < packs.size(); ++i) {
        std::vector<std::string> expected = {"ok", packs[i]};
        for (const auto& [name, bytes] : OpenPack(packs[i]))
            expected.push_back(name);
        EXPECT_EQ(Fields(lines[i]), expected);
    }
}

TEST_F(CliBackupTest, AnEmoticonPackHoldsTheChosenEmoticonsInTheChosenOrder) {
    for (int n = 1; n <= 3; ++n)
        Add(ContentCategory::CustomEmoticons,
            MessengerAccountBuilder::SampleObject(ContentCategory::CustomEmoticons, n));
    builder.Write();
    const std::vector<AccountObject>& objects = added[ContentCategory::CustomEmoticons];

    const CliResult result = Run(Backup(ContentCategory::CustomEmoticons, {"--items", "2,0"}));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> lines = Lines(result.out);
    ASSERT_EQ(lines.size(), 3u) << result.out;
    const std::string pack = Fields(lines[0]).back();
    EXPECT_EQ(Fields(lines[0]),
              (std::vector<std::string>{"2", Utf8(objects[2].displayName), "written", pack}));
    EXPECT_EQ(Fields(lines[1]),
              (std::vector<std::string>{"0", Utf8(objects[0].displayName), "written", pack}));

    const std::map<std::string, std::string> files = OpenPack(pack);
    std::vector<ManifestItem> expected;
    for (std::size_t i : {2u, 0u}) {
        const std::string name =
            Utf8(EmoticonManifest::PackFileName(objects[i].location, CodePage::Ansi()));
        expected.push_back({name, Utf8(objects[i].displayName), Utf8(objects[i].keySequence)});
        // The emoticon's own file, under its name in the pack.
        ASSERT_TRUE(files.contains(name)) << name;
        EXPECT_EQ(files.at(name),
                  ReadFile(ObjectFile(ContentCategory::CustomEmoticons, objects[i])));
    }
    ASSERT_TRUE(files.contains("content.xml"));
    EXPECT_EQ(EmoticonManifestItems(files.at("content.xml")), expected);
    EXPECT_EQ(files.size(), 3u);
}

TEST_F(CliBackupTest, ChosenItemsAreBackedUpInTheOrderGivenEachInItsOwnPack) {
    for (int n = 1; n <= 3; ++n)
        Add(ContentCategory::Winks,
            MessengerAccountBuilder::SampleObject(ContentCategory::Winks, n));
    builder.Write();
    const std::vector<AccountObject>& objects = added[ContentCategory::Winks];

    const CliResult result = Run(Backup(ContentCategory::Winks, {"--items", "2,0"}));
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> lines = Lines(result.out);
    ASSERT_EQ(lines.size(), 3u) << result.out;
    EXPECT_EQ(lines[2], "Congratulation! Backup finished successfully.");
    std::size_t at = 0;
    for (std::size_t i : {2u, 0u}) {
        const std::vector<std::string> fields = Fields(lines[at++]);
        ASSERT_EQ(fields.size(), 4u);
        EXPECT_EQ(fields[0], std::to_string(i));
        EXPECT_EQ(fields[1], Utf8(objects[i].displayName));
        EXPECT_EQ(fields[2], "written");
        // The pack named after the item holds that item's cabinet.
        const std::map<std::string, std::string> files = OpenPack(fields[3]);
        ASSERT_TRUE(files.contains(Utf8(objects[i].location))) << fields[3];
        EXPECT_EQ(files.at(Utf8(objects[i].location)),
                  ReadFile(ObjectFile(ContentCategory::Winks, objects[i])));
    }
    std::size_t written = 0;
    for ([[maybe_unused]] const auto& entry :
         fs::directory_iterator(Subfolder(ContentCategory::Winks)))
        ++written;
    EXPECT_EQ(written, 2u);
}

TEST_F(CliBackupTest, RelativeFoldersMeanTheWorkingFolder) {
    // The cabinet tools run in the Wine prefix's Windows folder; a relative
    // backup folder, prefix or temporary folder must still mean the ones
    // below where the command was typed.
    Add(ContentCategory::Winks, MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 1));
    Add(ContentCategory::CustomEmoticons,
        MessengerAccountBuilder::SampleObject(ContentCategory::CustomEmoticons, 2));
    builder.Write();
    environment["WINEPREFIX"] = "../wine";
    environment["TMPDIR"] = "../tmp";
    const std::string work = root / "work";

    for (ContentCategory category : {ContentCategory::Winks, ContentCategory::CustomEmoticons}) {
        SCOPED_TRACE(std::string(CategoryKeyword(category)));
        const CliResult result = Run(Command("backup", category, {"--to", "saved", "--all"}), work);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        const std::vector<std::string> lines = Lines(result.out);
        ASSERT_EQ(lines.size(), 2u) << result.out;
        const std::string pack = Fields(lines[0]).back();
        EXPECT_EQ(ParentFolder(pack), JoinPath(JoinPath(work, "saved"), BackupSubfolder(category)));

        const std::string relative = fs::path(pack).lexically_relative(work).string();
        const CliResult verified = Run({"verify", relative}, work);
        EXPECT_EQ(verified.exitCode, 0) << verified.err;
        EXPECT_EQ(Fields(Lines(verified.out).at(0)).at(0), "ok") << verified.out;
    }
}

TEST_F(CliBackupTest, VerifyTellsDamagedAndMissingPacksFromSoundOnes) {
    Add(ContentCategory::DynamicBackgrounds,
        MessengerAccountBuilder::SampleObject(ContentCategory::DynamicBackgrounds, 1));
    builder.Write();
    const CliResult backup = Run(Backup(ContentCategory::DynamicBackgrounds));
    ASSERT_EQ(backup.exitCode, 0) << backup.err;
    const std::string sound = Fields(Lines(backup.out).at(0)).back();

    std::string bytes = ReadFile(sound);
    ASSERT_GT(bytes.size(), 256u);
    bytes[bytes.size() / 2] = static_cast<char>(bytes[bytes.size() / 2] ^ 0x5A);
    const std::string damaged = root / "damaged.msn";
    WriteFile(damaged, bytes);
    const std::string missing = root / "missing.msn";
    const std::string original = ReadFile(sound);

    const CliResult result = Run({"verify", sound, damaged, missing});
    EXPECT_EQ(result.exitCode, 1);
    const std::vector<std::string> lines = Lines(result.out);
    ASSERT_EQ(lines.size(), 3u) << result.out;
    EXPECT_EQ(Fields(lines[0]).at(0), "ok");
    const std::vector<std::string> bad = Fields(lines[1]);
    ASSERT_EQ(bad.size(), 3u) << lines[1];
    EXPECT_EQ(bad[0], "bad");
    EXPECT_EQ(bad[1], damaged);
    EXPECT_FALSE(bad[2].empty());
    EXPECT_EQ(Fields(lines[2]).at(0), "bad");
    EXPECT_EQ(Fields(lines[2]).at(1), missing);
    EXPECT_TRUE(Contains(result.err, "2 of 3 packs")) << result.err;
    // Verifying changes no pack and leaves no work folder behind.
    EXPECT_EQ(ReadFile(sound), original);
    EXPECT_EQ(ReadFile(damaged), bytes);
    EXPECT_TRUE(fs::is_empty(root / "tmp"));

    const CliResult none = Run({"verify"});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_TRUE(Contains(none.err, "Usage: quorvane-cli verify")) << none.err;
}

// ---------------------------------------------------------------------------
// Items that cannot be written

TEST_F(CliBackupTest, WhatStandsInTheWayIsKeptAndFailuresAreNeverCalledSuccess) {
    for (int n = 1; n <= 3; ++n) {
        Add(ContentCategory::Winks,
            MessengerAccountBuilder::SampleObject(ContentCategory::Winks, n));
        Add(ContentCategory::RegularBackgrounds,
            MessengerAccountBuilder::SampleObject(ContentCategory::RegularBackgrounds, n));
    }
    builder.Write();
    const auto before = Snapshot();

    for (ContentCategory category : {ContentCategory::Winks, ContentCategory::RegularBackgrounds}) {
        SCOPED_TRACE(std::string(CategoryKeyword(category)));
        const std::vector<AccountObject>& objects = added[category];
        // A folder stands where the second item's file would go: it stays,
        // and the item takes the next name.
        std::string name = Utf8(objects[1].displayName);
        if (IsPackaged(category))
            std::replace(name.begin(), name.end(), ' ', '-');
        const std::string extension = IsPackaged(category) ? ".msn" : ".png";
        const std::string blocked = JoinPath(Subfolder(category), name + extension);
        MakeFolders(JoinPath(blocked, "in the way"));

        const CliResult result = Run(Backup(category));
        EXPECT_EQ(result.exitCode, 0) << result.err;
        const std::vector<std::string> lines = Lines(result.out);
        ASSERT_EQ(lines.size(), 4u) << result.out;
        EXPECT_EQ(Fields(lines[1]).at(3), JoinPath(Subfolder(category), name + " (2)" + extension));
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_TRUE(fs::is_regular_file(Fields(lines[i]).at(3))) << lines[i];
        EXPECT_EQ(lines[3], "Congratulation! Backup finished successfully.");
        EXPECT_TRUE(fs::is_directory(JoinPath(blocked, "in the way")));
    }

    // A file where the category's subfolder belongs fails every item.
    fs::remove_all(Subfolder(ContentCategory::Winks));
    WriteFile(Subfolder(ContentCategory::Winks), "not a folder");
    const CliResult result = Run(Backup(ContentCategory::Winks, {"--items", "1,2"}));
    EXPECT_EQ(result.exitCode, 1);
    const std::vector<std::string> lines = Lines(result.out);
    ASSERT_EQ(lines.size(), 2u) << result.out;
    for (const std::string& line : lines) {
        EXPECT_EQ(Fields(line).at(2), "failed") << line;
        EXPECT_TRUE(Contains(line, Subfolder(ContentCategory::Winks))) << line;
    }
    EXPECT_TRUE(Contains(result.err, "2 of 2 items could not be written")) << result.err;
    EXPECT_EQ(ReadFile(Subfolder(ContentCategory::Winks)), "not a folder");
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(CliBackupTest, AFileSizeLimitFailsTheItemsTooLargeForItAndLeavesNoTemporaryFile) {
    const std::string prlimit = test::FindOnPath("prlimit");
    ASSERT_FALSE(prlimit.empty()) << "prlimit is needed to run under a file size limit";
    // Random bytes do not compress: each large item's pack or copy is larger
    // than the limit, while every file the listing unpacks stays within it.
    constexpr std::size_t kLarge = 128 * 1024;
    const std::size_t limit = kLarge + 64;
    std::mt19937 generator(7);
    std::string noise(kLarge + 4096, '\0');
    for (char& c : noise)
        c = static_cast<char>(generator());

    AccountObject wink = MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 2);
    wink.files = {{"big.png", MessengerAccountBuilder::PngPicture()},
                  {"big.swf", noise.substr(0, kLarge)}};
    AccountObject background =
        MessengerAccountBuilder::SampleObject(ContentCategory::RegularBackgrounds, 2);
    background.files = {{Utf8(background.location), MessengerAccountBuilder::PngPicture() + noise}};
    for (auto [category, large] : {std::pair{ContentCategory::Winks, wink},
                                   std::pair{ContentCategory::RegularBackgrounds, background}}) {
        Add(category, MessengerAccountBuilder::SampleObject(category, 1));
        Add(category, large);
    }
    builder.Write();

    for (ContentCategory category : {ContentCategory::Winks, ContentCategory::RegularBackgrounds}) {
        SCOPED_TRACE(std::string(CategoryKeyword(category)));
        std::vector<std::string> arguments = {prlimit, "--fsize=" + std::to_string(limit),
                                              QUORVANE_CLI};
        for (const std::string& argument : Backup(category))
            arguments.push_back(argument);
        test::ChildOptions options{&environment, "", ""};
        options.timeLimit = std::chrono::seconds(120);
        const CliResult result = test::RunChild(arguments, options);
        ASSERT_TRUE(result.ExitedWith(1)) << result.Describe();
        const std::vector<std::string> lines = Lines(result.out);
        ASSERT_EQ(lines.size(), 2u) << result.out;
        EXPECT_EQ(Fields(lines[0]).at(2), "written") << lines[0];
        EXPECT_EQ(Fields(lines[1]).at(2), "failed") << lines[1];
        EXPECT_TRUE(Contains(lines[1], "File too large")) << lines[1];
        EXPECT_TRUE(Contains(result.err, "1 of 2 items could not be written")) << result.err;
        // Hidden temporary files included: only the written item is there.
        EXPECT_EQ(test::FolderNames(Subfolder(category)),
                  std::vector<std::string>{fs::path(Fields(lines[0]).at(3)).filename()});
    }
}

// ---------------------------------------------------------------------------
// Refused before anything is listed or written

TEST_F(CliBackupTest, AnInvalidPassportIsRefusedWithTheWindowsMessage) {
    AddSamples();
    builder.Write();
    const auto before = Snapshot();
    for (const char* passport : {"someone", "@example.com", "someone@ab", "someone@"}) {
        for (const char* command : {"list", "backup"}) {
            SCOPED_TRACE(std::string(command) + " " + passport);
            std::vector<std::string> args = command == std::string("list")
                                                ? Command("list", ContentCategory::Winks)
                                                : Backup(ContentCategory::Winks);
            args[4] = passport;
            const CliResult result = Run(args);
            EXPECT_EQ(result.exitCode, 1);
            EXPECT_EQ(result.out, "");
            EXPECT_TRUE(Contains(result.err, kInvalidPassportMessage)) << result.err;
        }
    }
    // Not even a thumbnail folder was made.
    EXPECT_EQ(Snapshot(), before);
    EXPECT_FALSE(fs::exists(backupFolder));
}

TEST_F(CliBackupTest, ItemChoicesOutsideTheListingAreUsageErrors) {
    AddSamples();
    builder.Write();
    const auto before = Snapshot();

    // Not an item of the listing (three items, 0 to 2): exit 2, the number
    // named, nothing written.
    for (ContentCategory category : {ContentCategory::Winks, ContentCategory::CustomEmoticons}) {
        SCOPED_TRACE(std::string(CategoryKeyword(category)));
        const CliResult result = Run(Backup(category, {"--items", "0,3"}));
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_TRUE(Contains(result.err, "item 3")) << result.err;
        EXPECT_TRUE(Contains(result.err, "Usage: quorvane-cli backup")) << result.err;
        EXPECT_FALSE(fs::exists(backupFolder));
    }

    const std::vector<std::vector<std::string>> wrong = {
        {"--items", "0,,1"}, {"--items", "x"},          {"--items", "-1"},
        {"--items", "1;2"},  {"--all", "--items", "0"}, {"--items", "99999999999999999999999"},
    };
    // An item named twice would be written twice.
    const CliResult twice = Run(Backup(ContentCategory::Winks, {"--items", "0,0"}));
    EXPECT_EQ(twice.exitCode, 2);
    EXPECT_EQ(twice.out, "");
    EXPECT_TRUE(Contains(twice.err, "--items names item 0 twice")) << twice.err;
    for (const auto& choice : wrong) {
        SCOPED_TRACE(Joined(choice));
        const CliResult result = Run(Backup(ContentCategory::Winks, choice));
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_TRUE(Contains(result.err, "Usage: quorvane-cli backup")) << result.err;
    }
    const CliResult noFolder = Run(Command("backup", ContentCategory::Winks, {"--all"}));
    EXPECT_EQ(noFolder.exitCode, 2);
    EXPECT_TRUE(Contains(noFolder.err, "--to")) << noFolder.err;

    // Nothing chosen is the window's "select the items" case.
    for (const std::vector<std::string>& choice :
         {std::vector<std::string>{}, std::vector<std::string>{"--items", ""}}) {
        SCOPED_TRACE(Joined(choice));
        const CliResult result = Run(Backup(ContentCategory::Winks, choice));
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_TRUE(Contains(result.err, "Please list and select the items to backup."))
            << result.err;
    }
    EXPECT_FALSE(fs::exists(backupFolder));
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(CliBackupTest, EachCommandDescribesItself) {
    const CliResult help = Run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* command : {"catalogue", "list", "backup", "verify", "demo"})
        EXPECT_TRUE(Contains(help.out, std::string("\n  ") + command + " ")) << command;

    const std::vector<std::pair<std::string, std::vector<std::string>>> commands = {
        {"list", {"--type", "--passport", "--wine-prefix", "--wine-user"}},
        {"backup",
         {"--type", "--passport", "--to", "--all", "--items", "msn-winks/",
          "msn-regular-display-pictures/", "Congratulation! Backup finished successfully."}},
        {"verify", {"PACK.msn...", "ok", "bad"}},
        {"demo", {"--wine-user"}},
    };
    for (const auto& [command, words] : commands) {
        const CliResult result = Run({command, "--help"});
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.err, "");
        for (const std::string& word : words)
            EXPECT_TRUE(Contains(result.out, word)) << command << ": " << word;
        for (const std::string& line : Lines(result.out))
            EXPECT_LE(line.size(), 80u) << command << ": " << line;
    }
}

} // namespace
} // namespace quorvane
