// quorvane-cli against accounts a stranger or a disk fault has touched: links
// planted where a careless program would write, FIFOs in place of files,
// damaged protected files, hostile names, a cabinet that expands without
// bound, a second Quorvane on the same account, and runs stopped half-way.
// Whatever happens, Messenger's folders keep exactly what they held, nothing
// outside is written, and every pack that exists is whole and sealed.

#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/ProcessRunner.h"
#include "profile/MessengerProfile.h"
#include "protection/DataProtection.h"
#include "protection/WineDataProtection.h"
#include "support/CabinetWriter.h"
#include "support/ChildRun.h"
#include "support/MessengerAccountBuilder.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <spawn.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace quorvane {
namespace {

using test::AccountObject;
using test::MessengerAccountBuilder;
using test::ReadFile;
using test::WriteFile;
using ::testing::HasSubstr;
using ::testing::Not;

namespace fs = std::filesystem;

constexpr const char* kPassport = test::kTestPassport;
constexpr const char* kWineUser = "testuser";

// Every entry below a folder, links and folders included, so that an empty
// folder or a link left behind shows up, not only changed file contents.
std::map<std::string, std::string> EntriesBelow(const std::string& folder) {
    std::map<std::string, std::string> entries;
    for (auto it = fs::recursive_directory_iterator(folder);
         it != fs::recursive_directory_iterator(); ++it) {
        const std::string name = it->path().lexically_relative(folder).string();
        const fs::file_status status = it->symlink_status();
        if (fs::is_symlink(status))
            entries[name] = "link to " + fs::read_symlink(it->path()).string();
        else if (fs::is_regular_file(status))
            entries[name] = ReadFile(it->path().string());
        else
            entries[name] = fs::is_directory(status) ? "folder" : "special";
    }
    return entries;
}

// A program started in the background, for runs that are interrupted or
// overlap; its output goes to files.
class BackgroundChild {
public:
    BackgroundChild(const std::vector<std::string>& arguments,
                    const std::map<std::string, std::string>& environment,
                    const std::string& outputStem)
        : m_out(outputStem + ".out"), m_err(outputStem + ".err") {
        std::vector<std::string> variables;
        for (const auto& [name, value] : environment)
            variables.push_back(name + "=" + value);
        std::vector<char*> envp;
        for (std::string& variable : variables)
            envp.push_back(variable.data());
        envp.push_back(nullptr);
        std::vector<std::string> args = arguments;
        std::vector<char*> argv;
        for (std::string& argument : args)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, m_out.c_str(), O_WRONLY | O_CREAT, 0600);
        posix_spawn_file_actions_addopen(&actions, 2, m_err.c_str(), O_WRONLY | O_CREAT, 0600);
        if (posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~BackgroundChild() {
        if (m_pid > 0) {
            kill(m_pid, SIGKILL);
            Wait();
        }
    }

    bool Started() const { return m_pid > 0; }
    void Signal(int signal) const { kill(m_pid, signal); }
    // The exit status, or 128 + the signal that ended it; a child that
    // hangs is killed after two minutes.
    int Wait() {
        int status = 0;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(2);
        for (pid_t done = 0; (done = waitpid(m_pid, &status, WNOHANG)) <= 0;) {
            if (done < 0 && errno != EINTR)
                break;
            if (std::chrono::steady_clock::now() >= deadline)
                kill(m_pid, SIGKILL);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    std::string Out() const { return ReadFile(m_out); }
    std::string Err() const { return ReadFile(m_err); }

private:
    pid_t m_pid = -1;
    std::string m_out;
    std::string m_err;
};

class HostileAccountTest : public ::testing::Test {
protected:
    HostileAccountTest()
        : prefix(root / "wine"),
          appData(JoinPath(prefix, "drive_c/users/" + std::string(kWineUser) + "/AppData/Roaming")),
          protection(kWineUser), builder(appData, kPassport, protection),
          backupFolder(root / "home/backups"), outside(root / "outside") {
        MakeFolders(appData);
        MakeFolders(JoinPath(prefix, "drive_c/windows"));
        MakeFolders(outside);
        WriteFile(JoinPath(outside, "precious.txt"), "the user's own file");
        environment = test::IsolatedEnvironment(root.Path(), prefix, kWineUser);
    }

    // A hang is a failure of its own: the child is killed outright after a
    // minute (it turns SIGTERM into a cancel, which a hang may never see).
    static test::ChildOptions Within(const std::map<std::string, std::string>& environment) {
        test::ChildOptions options{&environment, "", ""};
        options.timeLimit = std::chrono::minutes(1);
        return options;
    }
    test::ChildResult Run(std::vector<std::string> args) const {
        args.insert(args.begin(), QUORVANE_CLI);
        return test::RunChild(args, Within(environment));
    }
    static std::vector<std::string> Command(const std::string& name, ContentCategory category,
                                            const std::string& passport = kPassport) {
        return {name, "--type", std::to_string(static_cast<int>(category)), "--passport", passport};
    }
    std::vector<std::string> Backup(ContentCategory category) const {
        std::vector<std::string> args = Command("backup", category);
        args.insert(args.end(), {"--to", backupFolder, "--all"});
        return args;
    }
    std::vector<std::string> Packs(ContentCategory category = ContentCategory::Winks) const {
        std::vector<std::string> packs;
        const std::string folder = JoinPath(backupFolder, SubfolderOf(category));
        if (fs::is_directory(folder))
            for (const auto& entry : fs::directory_iterator(folder))
                packs.push_back(entry.path().string());
        std::sort(packs.begin(), packs.end());
        return packs;
    }
    static std::string SubfolderOf(ContentCategory category) {
        return category == ContentCategory::Winks ? "msn-winks" : "msn-emoticons";
    }
    // Every file in the folder is a sound pack, and nothing else lies there.
    void ExpectOnlySoundPacks(ContentCategory category = ContentCategory::Winks) const {
        const std::vector<std::string> packs = Packs(category);
        std::vector<std::string> args = {"verify"};
        for (const std::string& pack : packs) {
            EXPECT_TRUE(pack.ends_with(".msn")) << pack << " is no pack";
            args.push_back(pack);
        }
        if (packs.empty())
            return;
        const test::ChildResult verified = Run(args);
        EXPECT_EQ(verified.exitCode, 0) << verified.out << verified.err;
    }
    std::string CacheFolder() const { return environment.at("XDG_CACHE_HOME") + "/quorvane"; }
    void AddWinks(int count) {
        for (int n = 0; n < count; ++n)
            builder.Add(ContentCategory::Winks,
                        MessengerAccountBuilder::SampleObject(ContentCategory::Winks, n));
    }

    test::TempFolder root;
    std::string prefix;
    std::string appData;
    WineDataProtection protection;
    MessengerAccountBuilder builder;
    std::string backupFolder;
    std::string outside;
    std::map<std::string, std::string> environment;
};

TEST_F(HostileAccountTest, LinksPlantedWhereFilesCouldBeWrittenLeadNowhere) {
    AddWinks(2);
    builder.Add(ContentCategory::CustomEmoticons,
                MessengerAccountBuilder::SampleObject(ContentCategory::CustomEmoticons, 0));
    builder.Add(ContentCategory::DynamicBackgrounds,
                MessengerAccountBuilder::SampleObject(ContentCategory::DynamicBackgrounds, 0));
    builder.Write();
    const std::string winks = builder.ObjectFolder(ContentCategory::Winks);
    const std::string precious = JoinPath(outside, "precious.txt");
    const std::string firstLocation =
        MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 0).location;
    // Where a manifest, a thumbnail folder or a stamp file used to be written.
    fs::create_symlink(precious, JoinPath(winks, "content.xml"));
    fs::create_symlink(outside, JoinPath(winks, firstLocation + ".dir"));
    for (int tick = 0; tick < 50; ++tick)
        fs::create_symlink(precious, JoinPath(winks, std::to_string(tick) + firstLocation));
    // Where the emoticon work folder used to be: the time in seconds in $TMPDIR.
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(now).count();
    for (auto second = seconds; second < seconds + 30; ++second)
        fs::create_symlink(outside, JoinPath(environment.at("TMPDIR"), std::to_string(second)));
    // An earlier pack's name in the backup folder leads outside.
    const std::string packName =
        CodePage::Ansi().ReplaceAll(
            MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 0).displayName, " ",
            "-") +
        ".msn";
    MakeFolders(JoinPath(backupFolder, "msn-winks"));
    const std::string plantedPack =
        JoinPath(JoinPath(backupFolder, "msn-winks"), CodePage::Ansi().ToUtf8(packName));
    fs::create_symlink(precious, plantedPack);
    // The category's folder in the backup folder leads outside.
    fs::create_symlink(outside, JoinPath(backupFolder, "msn-dynamic-backgrounds"));
    const auto account = EntriesBelow(prefix);
    const auto outsideBefore = EntriesBelow(outside);

    EXPECT_EQ(Run(Backup(ContentCategory::Winks)).exitCode, 0);
    EXPECT_EQ(Run(Backup(ContentCategory::CustomEmoticons)).exitCode, 0);
    const test::ChildResult linked = Run(Backup(ContentCategory::DynamicBackgrounds));
    EXPECT_EQ(linked.exitCode, 1);
    EXPECT_THAT(linked.out, HasSubstr("it is a symbolic link"));

    EXPECT_EQ(EntriesBelow(prefix), account);
    EXPECT_EQ(EntriesBelow(outside), outsideBefore);
    // The link in the backup folder is no pack: left alone, not written
    // through, and the pack took the next name.
    EXPECT_TRUE(fs::is_symlink(plantedPack));
    EXPECT_EQ(Packs().size(), 3u);
    fs::remove(plantedPack);
    ExpectOnlySoundPacks();
    ExpectOnlySoundPacks(ContentCategory::CustomEmoticons);
}

TEST_F(HostileAccountTest, SpecialFilesEndInAMessageInsteadOfAHang) {
    AddWinks(1);
    for (int n = 0; n < 2; ++n)
        builder.Add(
            ContentCategory::RegularDisplayPictures,
            MessengerAccountBuilder::SampleObject(ContentCategory::RegularDisplayPictures, n));
    builder.Add(ContentCategory::RegularBackgrounds,
                MessengerAccountBuilder::SampleObject(ContentCategory::RegularBackgrounds, 0));
    builder.Write();
    const auto fifo = [](const std::string& path) {
        unlink(path.c_str());
        ASSERT_EQ(mkfifo(path.c_str(), 0600), 0) << path;
    };
    fifo(JoinPath(builder.ObjectFolder(ContentCategory::Winks), "map.dat"));
    fifo(JoinPath(builder.MapFileFolder(),
                  builder.CatalogueFileName(ContentCategory::RegularBackgrounds)));
    const AccountObject picture =
        MessengerAccountBuilder::SampleObject(ContentCategory::RegularDisplayPictures, 1);
    fifo(JoinPath(builder.ObjectFolder(ContentCategory::RegularDisplayPictures),
                  CodePage::Ansi().ToUtf8(picture.location)));
    fifo(root / "pack.msn");

    const test::ChildResult winks = Run(Command("list", ContentCategory::Winks));
    EXPECT_EQ(winks.exitCode, 1);
    EXPECT_THAT(winks.err, HasSubstr("map.dat cannot be read: it is a FIFO, not a regular file"));
    const test::ChildResult catalogue =
        Run(Command("catalogue", ContentCategory::RegularBackgrounds));
    EXPECT_EQ(catalogue.exitCode, 1);
    EXPECT_THAT(catalogue.err, HasSubstr("it is a FIFO"));
    // The other display picture is still listed; the FIFO is left out and counted.
    const test::ChildResult pictures =
        Run(Command("list", ContentCategory::RegularDisplayPictures));
    EXPECT_EQ(pictures.exitCode, 0);
    EXPECT_EQ(test::Lines(pictures.out).size(), 1u);
    EXPECT_THAT(pictures.err, HasSubstr("1 of 2 catalogue objects was left out: 1 whose file is "
                                        "missing or not a regular file"));
    const test::ChildResult verify = Run({"verify", root / "pack.msn"});
    EXPECT_EQ(verify.exitCode, 1);
    EXPECT_THAT(verify.out, HasSubstr("it is a FIFO"));
}

TEST_F(HostileAccountTest, DamagedProtectedFilesAreToldApartFromAWrongPassport) {
    AddWinks(1);
    builder.Add(ContentCategory::RegularBackgrounds,
                MessengerAccountBuilder::SampleObject(ContentCategory::RegularBackgrounds, 0));
    builder.Add(ContentCategory::CustomEmoticons,
                MessengerAccountBuilder::SampleObject(ContentCategory::CustomEmoticons, 0));
    builder.Write();
    // A catalogue cut short, and one emptied.
    const std::string winksCatalogue =
        JoinPath(builder.MapFileFolder(), builder.CatalogueFileName(ContentCategory::Winks));
    const std::string whole = ReadFile(winksCatalogue);
    WriteFile(winksCatalogue, whole.substr(0, whole.size() / 2));
    const std::string backgrounds = JoinPath(
        builder.MapFileFolder(), builder.CatalogueFileName(ContentCategory::RegularBackgrounds));
    WriteFile(backgrounds, "");

    const test::ChildResult damaged = Run(Command("list", ContentCategory::Winks));
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_THAT(damaged.err, HasSubstr(winksCatalogue + " is damaged"));
    EXPECT_THAT(damaged.err, Not(HasSubstr("passport")));
    const test::ChildResult empty = Run(Command("list", ContentCategory::RegularBackgrounds));
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_THAT(empty.err, HasSubstr(backgrounds + " is empty"));
    // The passport typed in another case finds the folder but not the key.
    const test::ChildResult wrongCase =
        Run(Command("list", ContentCategory::CustomEmoticons, "Someone@example.com"));
    EXPECT_EQ(wrongCase.exitCode, 1);
    EXPECT_THAT(wrongCase.err, HasSubstr("could not be unprotected with the passport"));
    EXPECT_THAT(wrongCase.err, HasSubstr("upper and lower case"));
}

TEST_F(HostileAccountTest, ControlCharactersAndMarkupNeverBreakAManifest) {
    AccountObject marked = MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 0);
    marked.displayName = "Bell\x07 <b>&amp;";
    marked.stamp = "<&> \t end";
    AccountObject badLocation = MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 1);
    badLocation.location = "W\x01.cab";
    AccountObject background =
        MessengerAccountBuilder::SampleObject(ContentCategory::DynamicBackgrounds, 0);
    background.displayName = "Line\nbreak\x02 & \"quotes\"";
    builder.Add(ContentCategory::Winks, marked);
    builder.Add(ContentCategory::Winks, badLocation);
    builder.Add(ContentCategory::DynamicBackgrounds, background);
    builder.Write();

    const test::ChildResult winks = Run(Backup(ContentCategory::Winks));
    EXPECT_EQ(winks.exitCode, 1);
    const std::vector<std::string> lines = test::Lines(winks.out);
    ASSERT_EQ(lines.size(), 2u) << winks.err;
    EXPECT_THAT(lines[0], HasSubstr("\twritten\t"));
    EXPECT_THAT(lines[1], HasSubstr("\tfailed\t"));
    EXPECT_THAT(lines[1], HasSubstr("control character (0x01)"));
    ExpectOnlySoundPacks();
    const test::ChildResult backgrounds = Run(Backup(ContentCategory::DynamicBackgrounds));
    EXPECT_EQ(backgrounds.exitCode, 0) << backgrounds.out << backgrounds.err;
    std::vector<std::string> verify = {"verify"};
    for (const auto& entry :
         fs::directory_iterator(JoinPath(backupFolder, "msn-dynamic-backgrounds")))
        verify.push_back(entry.path().string());
    EXPECT_EQ(Run(verify).exitCode, 0);
}

TEST_F(HostileAccountTest, NamesFitTheFileSystemAndWindows) {
    AccountObject long1 = MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 0);
    long1.displayName = std::string(97, '\x80'); // "€" in the code page, 3 bytes in UTF-8
    AccountObject long2 = MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 1);
    long2.displayName = long1.displayName;
    AccountObject windows = MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 2);
    windows.displayName = "a?b:c*d|e\"f<g>h";
    // A Location as long as a file name can be, and a name Linux would hide.
    AccountObject longest = MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 3);
    longest.location = std::string(251, 'w') + ".cab";
    longest.displayName = "....";
    for (const AccountObject& object : {long1, long2, windows, longest})
        builder.Add(ContentCategory::Winks, object);
    builder.Write();

    const test::ChildResult result = Run(Backup(ContentCategory::Winks));
    ASSERT_EQ(result.exitCode, 0) << result.out << result.err;
    std::vector<std::string> names;
    for (const std::string& pack : Packs())
        names.push_back(BaseName(pack));
    ASSERT_EQ(names.size(), 4u);
    // 255 bytes at most, cut between characters, extension and number kept.
    const auto euros = [](int count) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += "\xE2\x82\xAC";
        return text;
    };
    EXPECT_THAT(names, ::testing::UnorderedElementsAre(euros(83) + ".msn", euros(82) + " (2).msn",
                                                       "a-b-c-d-e-f-g-h.msn", "----.msn"));
    ExpectOnlySoundPacks();
}

TEST_F(HostileAccountTest, NoBackupLosesAnEarlierOneOrAFileOfTheUsers) {
    AddWinks(2);
    builder.Write();
    // Another account on the machine whose Winks have the same names but
    // other movies.
    constexpr const char* kOther = "other@example.com";
    MessengerAccountBuilder other(appData, kOther, protection);
    for (int n = 0; n < 2; ++n) {
        AccountObject wink = MessengerAccountBuilder::SampleObject(ContentCategory::Winks, n);
        wink.files = {{"other.png", MessengerAccountBuilder::PngPicture()},
                      {"other.swf", MessengerAccountBuilder::SwfMovie() + std::to_string(n)}};
        other.Add(ContentCategory::Winks, wink);
    }
    other.Write();
    const std::string winks = JoinPath(backupFolder, "msn-winks");
    MakeFolders(winks);
    // The user's own file with a name like a temporary file's, and a
    // temporary file a killed run left.
    const std::string diary = JoinPath(winks, ".quorvane-4000001-diary1.part.txt");
    WriteFile(diary, "dear diary");
    WriteFile(JoinPath(winks, ".quorvane-4000000-abcdef.part"), "half a pack");

    ASSERT_EQ(Run(Backup(ContentCategory::Winks)).exitCode, 0);
    std::vector<std::string> args = Command("backup", ContentCategory::Winks, kOther);
    args.insert(args.end(), {"--to", backupFolder, "--all"});
    const test::ChildResult theirs = Run(args);
    ASSERT_EQ(theirs.exitCode, 0) << theirs.Describe();
    // Each written pack is where the report says, and the first account's
    // packs are still there.
    for (const std::string& line : test::Lines(theirs.out)) {
        if (line.find("\twritten\t") != std::string::npos) {
            EXPECT_TRUE(fs::is_regular_file(test::Fields(line).back())) << line;
        }
    }
    EXPECT_EQ(Packs().size(), 5u);
    EXPECT_EQ(ReadFile(diary), "dear diary");
    fs::remove(diary);
    ExpectOnlySoundPacks();
}

TEST_F(HostileAccountTest, ACabinetThatWouldExpandWithoutBoundIsLeftOut) {
    AddWinks(1);
    AccountObject bomb = MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 1);
    bomb.writeFile = false;
    builder.Add(ContentCategory::Winks, bomb);
    builder.Write();
    // 80 MB of zeros compress to a few dozen KB.
    test::WriteCabinet(JoinPath(builder.ObjectFolder(ContentCategory::Winks), bomb.location),
                       {{"a.png", MessengerAccountBuilder::PngPicture()},
                        {"zeros.bin", std::string(80 << 20, '\0')}});
    const auto account = EntriesBelow(prefix);

    const test::ChildResult result = Run(Command("list", ContentCategory::Winks));
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(test::Lines(result.out).size(), 1u);
    EXPECT_THAT(result.err, HasSubstr("1 without a picture that can be shown"));
    EXPECT_EQ(EntriesBelow(prefix), account);
    // Nothing of the expansion stays in Quorvane's own folder either.
    for (const auto& [name, bytes] : EntriesBelow(CacheFolder()))
        EXPECT_LT(bytes.size(), 1u << 20) << name;
}

// "*.*" names no file Windows could hold; handed to a cabinet tool that
// expands wildcards it would pack the whole object folder, map.dat and the
// other Winks with it.
TEST_F(HostileAccountTest, AWildcardLocationIsLeftOutAndNothingElseIsPacked) {
    AddWinks(1);
    AccountObject wildcard = MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 1);
    wildcard.location = "*.*";
    builder.Add(ContentCategory::Winks, wildcard);
    builder.Write();
    const auto account = EntriesBelow(prefix);

    const test::ChildResult result = Run(Backup(ContentCategory::Winks));
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_THAT(test::Lines(result.out).at(0), HasSubstr("\twritten\t"));
    EXPECT_THAT(result.err, HasSubstr("1 whose Location is not a plain file name (unsafe)"));
    EXPECT_EQ(Packs().size(), 1u);
    // verify fails a pack holding anything its content.xml does not name.
    ExpectOnlySoundPacks();
    EXPECT_EQ(EntriesBelow(prefix), account);
}

// When the extract tool cannot do its work no Wink is to blame: list names
// the tool's failure once and fails.
TEST_F(HostileAccountTest, ListNamesTheCabinetToolsFailureInsteadOfBlamingTheWinks) {
    AddWinks(2);
    builder.Write();
    // A copy of the program away from the built tools, with none on PATH.
    const std::string lonely = root / "lonely";
    MakeFolders(lonely);
    fs::copy_file(QUORVANE_CLI, lonely + "/quorvane-cli");
    const auto list = [&] {
        std::vector<std::string> args = Command("list", ContentCategory::Winks);
        args.insert(args.begin(), lonely + "/quorvane-cli");
        test::ChildOptions options{&environment, "", ""};
        options.timeLimit = std::chrono::seconds(30);
        return test::RunChild(args, options);
    };

    const test::ChildResult missing = list();
    EXPECT_TRUE(missing.ExitedWith(1)) << missing.Describe();
    EXPECT_THAT(missing.err, HasSubstr("cannot be listed: the cabinet tool \"extract\" is not "
                                       "installed"));
    EXPECT_THAT(missing.err, Not(HasSubstr("without a picture")));

    WriteFile(lonely + "/extract", "#!/bin/sh\nkill -KILL $$\n");
    ASSERT_EQ(chmod((lonely + "/extract").c_str(), 0755), 0);
    const test::ChildResult killed = list();
    EXPECT_TRUE(killed.ExitedWith(1)) << killed.Describe();
    EXPECT_THAT(killed.err, HasSubstr("the cabinet tool \"extract\" was killed by signal 9"));
    EXPECT_THAT(killed.err, Not(HasSubstr("without a picture")));
    EXPECT_EQ(killed.out, "");
}

// A cabinet tool killed half-way leaves its hidden temporary beside the
// pack's; the run that started it removes it before it ends.
TEST_F(HostileAccountTest, WhatAKilledCabarcLeftIsGoneWhenTheBackupEnds) {
    AddWinks(2);
    builder.Write();
    const std::string lonely = root / "lonely";
    MakeFolders(lonely);
    fs::copy_file(QUORVANE_CLI, lonely + "/quorvane-cli");
    const std::string extract = FindTool("extract", ParentFolder(QUORVANE_CLI));
    ASSERT_FALSE(extract.empty());
    fs::create_symlink(extract, lonely + "/extract");
    // As the real cabarc names its temporary: "." + the pack's name + "." +
    // eight letters + ".tmp", beside the pack.
    WriteFile(lonely + "/cabarc",
              "#!/bin/sh\n"
              "echo half > \"$(dirname \"$2\")/.$(basename \"$2\").Abcd1234.tmp\"\n"
              "kill -KILL $$\n");
    ASSERT_EQ(chmod((lonely + "/cabarc").c_str(), 0755), 0);
    std::vector<std::string> args = Backup(ContentCategory::Winks);
    args.insert(args.begin(), lonely + "/quorvane-cli");

    const test::ChildResult result = test::RunChild(args, Within(environment));
    EXPECT_TRUE(result.ExitedWith(1)) << result.Describe();
    EXPECT_THAT(result.out, HasSubstr("the cabinet tool \"cabarc\" was killed by signal 9"));
    EXPECT_EQ(Packs(), std::vector<std::string>{});
}

TEST_F(HostileAccountTest, ASecondQuorvaneOnTheAccountWaitsThenSaysSo) {
    AddWinks(3);
    builder.Write();
    // Another Quorvane holds the account's lock.
    const std::string lockFolder =
        CacheFolder() + "/" +
        std::to_string(MessengerProfile::AccountId(kPassport, CodePage::Ansi()));
    MakeFolders(lockFolder);
    const int lock = open((lockFolder + "/lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(lock, 0);
    ASSERT_EQ(flock(lock, LOCK_EX), 0);
    const test::ChildResult busy = Run(Backup(ContentCategory::Winks));
    EXPECT_EQ(busy.exitCode, 1);
    EXPECT_THAT(busy.err, HasSubstr("another Quorvane is working on the account"));
    EXPECT_TRUE(Packs().empty());
    // Ctrl-C ends the wait at once rather than after it.
    BackgroundChild waiting({QUORVANE_CLI, "backup", "--type", "0", "--passport", kPassport, "--to",
                             backupFolder, "--all"},
                            environment, root / "waiting");
    ASSERT_TRUE(waiting.Started());
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    waiting.Signal(SIGINT);
    EXPECT_EQ(waiting.Wait(), 128 + SIGINT);
    EXPECT_THAT(waiting.Err(), HasSubstr("interrupted while waiting for another Quorvane"));
    close(lock);

    // Two at once: the second waits for the first, and every pack is whole.
    BackgroundChild first({QUORVANE_CLI, "backup", "--type", "0", "--passport", kPassport, "--to",
                           backupFolder, "--all"},
                          environment, root / "first");
    BackgroundChild second({QUORVANE_CLI, "backup", "--type", "0", "--passport", kPassport, "--to",
                            backupFolder, "--all"},
                           environment, root / "second");
    ASSERT_TRUE(first.Started() && second.Started());
    EXPECT_EQ(first.Wait(), 0) << first.Err();
    EXPECT_EQ(second.Wait(), 0) << second.Err();
    EXPECT_EQ(Packs().size(), 3u);
    ExpectOnlySoundPacks();
}

TEST_F(HostileAccountTest, AnInterruptedOrKilledBackupLeavesOnlyWholePacks) {
    constexpr int kWinks = 80;
    AddWinks(kWinks);
    builder.Write();
    const auto account = EntriesBelow(prefix);
    const std::vector<std::string> args = {QUORVANE_CLI, "backup",     "--type",
                                           "0",          "--passport", kPassport,
                                           "--to",       backupFolder, "--all"};
    const auto firstPack = [&] {
        for (int waited = 0; waited < 60000 && Packs().empty(); ++waited)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };

    for (int signal : {SIGINT, SIGTERM, SIGKILL}) {
        SCOPED_TRACE(signal);
        fs::remove_all(backupFolder);
        BackgroundChild run(args, environment, root / ("run-" + std::to_string(signal)));
        ASSERT_TRUE(run.Started());
        firstPack();
        run.Signal(signal);
        const int status = run.Wait();
        EXPECT_EQ(status, 128 + signal) << run.Err();
        const std::size_t packs = Packs().size();
        if (signal != SIGKILL) {
            // It stopped after the item it was on and said what it did.
            EXPECT_LT(packs, static_cast<std::size_t>(kWinks));
            const std::vector<std::string> lines = test::Lines(run.Out());
            EXPECT_EQ(lines.size(), static_cast<std::size_t>(kWinks));
            std::size_t written = 0;
            for (const std::string& line : lines)
                written += line.find("\twritten\t") != std::string::npos ? 1 : 0;
            EXPECT_EQ(written, packs);
            EXPECT_THAT(run.Err(), HasSubstr("quorvane-cli backup: interrupted; " +
                                             std::to_string(packs) + " of"));
            EXPECT_THAT(EntriesBelow(CacheFolder()),
                        ::testing::Each(::testing::Pair(Not(HasSubstr("listing-")), ::testing::_)));
        }
        // No half-made or unsealed pack looks finished (a killed run may
        // leave hidden temporary files, which the next run sweeps).
        std::vector<std::string> verify = {"verify"};
        for (const std::string& pack : Packs()) {
            if (pack.ends_with(".msn"))
                verify.push_back(pack);
            else
                EXPECT_TRUE(BaseName(pack).starts_with(".")) << pack;
        }
        if (verify.size() > 1) {
            EXPECT_EQ(Run(verify).exitCode, 0);
        }
        EXPECT_EQ(EntriesBelow(prefix), account);
    }
    // The next run finishes the job and tidies up after the killed one.
    const test::ChildResult rerun = Run(Backup(ContentCategory::Winks));
    EXPECT_EQ(rerun.exitCode, 0) << rerun.err;
    EXPECT_EQ(Packs().size(), static_cast<std::size_t>(kWinks));
    ExpectOnlySoundPacks();
    EXPECT_EQ(EntriesBelow(prefix), account);
    // Nothing of any run stays in Quorvane's own folder but its lock.
    for (const auto& [name, what] : EntriesBelow(CacheFolder()))
        EXPECT_TRUE(what == "folder" || name.ends_with("/lock")) << name;
}

TEST_F(HostileAccountTest, AReadOnlyPrefixListsAndBacksUp) {
    AddWinks(2);
    builder.Write();
    std::vector<std::string> asUser;
    if (geteuid() == 0) {
        // Root writes anywhere; run as nobody so the read-only prefix binds.
        asUser = {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
        for (fs::path path = root.Path(); path != path.root_path(); path = path.parent_path())
            if (path.string().starts_with(root.Path()))
                chmod(path.c_str(), 0755);
        const std::string home = root / "nobody";
        MakeFolders(home);
        ASSERT_EQ(chown(home.c_str(), 65534, 65534), 0);
        environment["HOME"] = home;
        environment["XDG_CACHE_HOME"] = home + "/.cache";
        environment["TMPDIR"] = home;
        backupFolder = home + "/backups";
    }
    const auto setModes = [this](mode_t folders, mode_t files) {
        chmod(prefix.c_str(), folders);
        for (const auto& entry : fs::recursive_directory_iterator(prefix))
            chmod(entry.path().c_str(), entry.is_directory() ? folders : files);
    };
    setModes(0555, 0444);
    const auto account = EntriesBelow(prefix);

    std::vector<std::string> args = asUser;
    args.push_back(QUORVANE_CLI);
    const std::vector<std::string> backup = Backup(ContentCategory::Winks);
    args.insert(args.end(), backup.begin(), backup.end());
    const test::ChildResult result = test::RunChild(args, Within(environment));
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_EQ(test::Lines(result.out).size(), 3u);
    EXPECT_EQ(EntriesBelow(prefix), account);
    setModes(0755, 0644);
}

} // namespace
} // namespace quorvane
