// An account read from a Windows user's folder, as found on an old disk:
// XP's and Vista's layouts, the password on standard input, and the
// command line's answers when the password or the keys are not right.

#include "support/ChildRun.h"
#include "support/MessengerAccountBuilder.h"
#include "support/TempFolder.h"
#include "support/WindowsDpapiWriter.h"

#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "profile/ContentCategory.h"
#include "profile/MessengerProfile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <sys/stat.h>

namespace quorvane::test {
namespace {

constexpr const char* kPassport = "Old.Disk@example.com";

struct Layout {
    const char* name;
    const char* usersFolder; // under the drive's root
    const char* appData;     // under the user's folder
    bool xp;                 // 3DES and SHA-1 keys and blobs
};

const Layout kXp = {"xp", "Documents and Settings", "Application Data", true};
const Layout kVista = {"vista", "Users", "AppData/Roaming", false};

class WindowsProfileTest : public ::testing::TestWithParam<Layout> {
protected:
    WindowsProfileTest()
        : drive(root / "drive"),
          profile(JoinPath(JoinPath(drive, GetParam().usersFolder), "Alice")),
          appData(JoinPath(profile, GetParam().appData)) {
        user.xp = GetParam().xp;
        const WindowsUserProtection windows(user, appData);
        MessengerAccountBuilder builder(appData, kPassport, windows.protection);
        for (ContentCategory category : kAllCategories)
            for (int n = 0; n < 2; ++n)
                builder.Add(category, MessengerAccountBuilder::SampleObject(category, n));
        builder.Write();
        environment = IsolatedEnvironment(root.Path(), root / "no-prefix", "nobody");
    }

    ChildResult Run(std::vector<std::string> arguments, const std::string& input) const {
        arguments.insert(arguments.begin(), QUORVANE_CLI);
        return RunProgram(arguments, input);
    }
    // The program is the first argument; a hang fails after the time limit.
    ChildResult RunProgram(const std::vector<std::string>& arguments, const std::string& input,
                           std::chrono::seconds timeLimit = std::chrono::seconds(120)) const {
        const std::string stdinPath = root / "stdin";
        EXPECT_TRUE(WriteFileAtomically(stdinPath, input));
        ChildOptions options{&environment, "", ""};
        options.stdinPath = stdinPath;
        options.timeLimit = timeLimit;
        return RunChild(arguments, options);
    }
    std::vector<std::string> ListEmoticons() const {
        return {"list",       "--type",          "custom-emoticons",
                "--passport", kPassport,         "--windows-profile",
                profile,      "--password-stdin"};
    }
    std::string KeyFile(const dpapi::Guid& guid) const {
        return JoinPath(user.ProtectFolder(appData), dpapi::GuidText(guid));
    }

    TempFolder root;
    std::string drive;
    std::string profile;
    std::string appData;
    WindowsUserKeys user;
    std::map<std::string, std::string> environment;
};

TEST_P(WindowsProfileTest, BacksUpEveryTypeWithThePasswordAndWritesNothingThere) {
    const auto before = SnapshotTree(drive);
    const std::string backupFolder = root / "backup";
    std::vector<std::string> packs;
    for (ContentCategory category : kAllCategories) {
        SCOPED_TRACE(std::string(CategoryKeyword(category)));
        // With and without a final newline, as a pipe or a file (one
        // written on Windows, too) gives it.
        const ChildResult result = Run(
            {"backup", "--type", std::string(CategoryKeyword(category)), "--passport", kPassport,
             "--windows-profile", profile, "--password-stdin", "--to", backupFolder, "--all"},
            user.password + (category == ContentCategory::CustomEmoticons ? "\r\n"
                             : IsPackaged(category)                       ? "\n"
                                                                          : ""));
        ASSERT_EQ(result.exitCode, 0) << result.Describe();
        const std::vector<std::string> lines = Lines(result.out);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(), "Congratulation! Backup finished successfully.");
        for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
            const std::vector<std::string> fields = Fields(lines[i]);
            ASSERT_EQ(fields.size(), 4u) << lines[i];
            EXPECT_EQ(fields[2], "written") << lines[i];
            if (fields[3].ends_with(".msn") &&
                std::find(packs.begin(), packs.end(), fields[3]) == packs.end())
                packs.push_back(fields[3]);
        }
    }
    EXPECT_EQ(packs.size(), 7u); // two each of three packaged types, the emoticons together
    std::vector<std::string> verify = {"verify"};
    verify.insert(verify.end(), packs.begin(), packs.end());
    EXPECT_EQ(Run(verify, "").exitCode, 0);
    EXPECT_EQ(SnapshotTree(drive), before);
}

TEST_P(WindowsProfileTest, NamesInAnotherCaseAreFound) {
    // An NTFS disk mounted by Linux shows names as stored; Windows did not
    // care about their case.
    std::filesystem::rename(JoinPath(appData, "Microsoft/MSN Messenger"),
                            JoinPath(appData, "Microsoft/msn messenger"));
    std::string shouted = BaseName(appData);
    for (char& c : shouted)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::filesystem::rename(appData, JoinPath(ParentFolder(appData), shouted));
    const ChildResult result = Run({"list", "--type", "custom-emoticons", "--passport", kPassport,
                                    "--windows-profile", profile, "--password-stdin"},
                                   user.password);
    EXPECT_EQ(result.exitCode, 0) << result.Describe();
    EXPECT_EQ(Lines(result.out).size(), 2u) << result.out;
}

TEST_P(WindowsProfileTest, EachProblemHasItsOwnMessage) {
    const std::vector<std::string> list = {"catalogue",        "--type",  "winks",
                                           "--passport",       kPassport, "--password-stdin",
                                           "--windows-profile"};
    const auto listWith = [&](const std::string& folder, const std::string& password) {
        std::vector<std::string> arguments = list;
        arguments.push_back(folder);
        return Run(arguments, password);
    };

    ChildResult wrong = listWith(profile, "not it");
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_NE(wrong.err.find("the password does not unlock the Windows profile of Alice"),
              std::string::npos)
        << wrong.err;
    EXPECT_NE(wrong.err.find("rescue"), std::string::npos) << wrong.err;
    // A copied folder may lack the file naming the newest key: the check
    // takes another of the user's keys, and without any there is nothing to
    // check a password on.
    const std::string preferred = JoinPath(user.ProtectFolder(appData), "Preferred");
    std::filesystem::remove(preferred);
    EXPECT_NE(listWith(profile, "not it").err.find("does not unlock"), std::string::npos);
    const std::string keyPath = JoinPath(user.ProtectFolder(appData), dpapi::GuidText(user.guid));
    std::filesystem::rename(keyPath, keyPath + ".away");
    EXPECT_NE(listWith(profile, "not it").err.find("has no master keys"), std::string::npos);
    std::filesystem::rename(keyPath + ".away", keyPath);

    // The drive's root: its only user is the one meant; of two, none is
    // guessed and both are named.
    EXPECT_EQ(listWith(drive, user.password).exitCode, 0);
    std::filesystem::create_directories(
        JoinPath(JoinPath(JoinPath(drive, GetParam().usersFolder), "Bob"), GetParam().appData));
    ChildResult atRoot = listWith(drive, user.password);
    EXPECT_EQ(atRoot.exitCode, 1);
    EXPECT_NE(atRoot.err.find(profile), std::string::npos) << atRoot.err;

    // unprotect: the map file's plain text, then each failure in its words.
    const std::string mapFile = JoinPath(
        appData, "Microsoft/MSN Messenger/" +
                     std::to_string(MessengerProfile::AccountId(kPassport, CodePage::Ansi())) +
                     "/CustomEmoticons/map.dat");
    std::vector<std::string> unprotect = {
        "unprotect", "--masterkey-dir", user.ProtectFolder(appData),
        "--sid",     user.sid,          "--password-stdin"};
    const std::string entropy =
        ToHex(std::span(reinterpret_cast<const std::uint8_t*>(kPassport), std::strlen(kPassport)));
    auto withArgs = [&](std::vector<std::string> extra) {
        std::vector<std::string> arguments = unprotect;
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return arguments;
    };
    const ChildResult opened = Run(withArgs({"--entropy-hex", entropy, mapFile}), user.password);
    EXPECT_EQ(opened.exitCode, 0) << opened.Describe();
    EXPECT_FALSE(opened.out.empty());

    const ChildResult printed =
        Run(withArgs({"--print-masterkey", dpapi::GuidText(user.guid)}), user.password);
    EXPECT_EQ(printed.out, ToHex(user.masterKey) + "\n") << printed.Describe();

    const ChildResult badSignature = Run(withArgs({mapFile}), user.password);
    EXPECT_EQ(badSignature.exitCode, 1);
    EXPECT_NE(badSignature.err.find(mapFile + " is damaged (its signature does not match)"),
              std::string::npos)
        << badSignature.err;

    // A damaged master key is told apart from a wrong password.
    const std::string keyFile = JoinPath(user.ProtectFolder(appData), dpapi::GuidText(user.guid));
    const Result<std::string> key = ReadRegularFile(keyFile);
    ASSERT_TRUE(key);
    ASSERT_TRUE(WriteFileAtomically(keyFile, key->substr(0, 150)));
    const ChildResult damaged = listWith(profile, user.password);
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_NE(damaged.err.find("the master key file " + keyFile + " is damaged"), std::string::npos)
        << damaged.err;

    std::filesystem::remove(keyFile);
    const ChildResult missing = Run(withArgs({"--entropy-hex", entropy, mapFile}), user.password);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("the master key " + dpapi::GuidText(user.guid) + " is not in"),
              std::string::npos)
        << missing.err;
}

TEST_P(WindowsProfileTest, AFileWhoseKeyIsNotThereIsToldFromOneWhoseKeyThePasswordDoesNotOpen) {
    // Another account in the same folder, protected with a key of its own
    // under another password.
    WindowsUserKeys stranger = user;
    stranger.guid[0] ^= 1;
    stranger.password = "another password";
    stranger.masterKey = Bytes(64, 0x24);
    const WindowsUserProtection strangers(stranger, appData);
    MessengerAccountBuilder other(appData, "other@example.com", strangers.protection);
    other.Add(ContentCategory::Winks,
              MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 0));
    other.Write();
    const std::vector<std::string> catalogue = {"catalogue",
                                                "--type",
                                                "winks",
                                                "--passport",
                                                "other@example.com",
                                                "--password-stdin",
                                                "--windows-profile",
                                                profile};

    std::filesystem::remove(KeyFile(stranger.guid));
    const ChildResult missing = Run(catalogue, user.password);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("was protected with a master key that is not in"), std::string::npos)
        << missing.err;

    // The key is there, but Alice's password does not open it; Alice's own
    // key stays the one Windows used last, so the folder still opens.
    stranger.Write(appData);
    user.Write(appData);
    const ChildResult locked = Run(catalogue, user.password);
    EXPECT_EQ(locked.exitCode, 1);
    EXPECT_NE(
        locked.err.find("cannot be listed: the password does not unlock the Windows profile of"),
        std::string::npos)
        << locked.err;
}

TEST_P(WindowsProfileTest, AnUnreadableNewestKeyOrAnotherUsersKeysDoNotStandInTheWay) {
    // Preferred names a newer key whose file is cut short or not a file;
    // the catalogues are under the older, sound one.
    dpapi::Guid newer = user.guid;
    newer[0] ^= 0x80;
    Bytes preferred(newer.begin(), newer.end());
    preferred.resize(24, 0);
    ASSERT_TRUE(WriteFileAtomically(JoinPath(user.ProtectFolder(appData), "Preferred"),
                                    std::string(preferred.begin(), preferred.end())));
    const Result<std::string> sound = ReadRegularFile(KeyFile(user.guid));
    ASSERT_TRUE(sound);
    ASSERT_TRUE(WriteFileAtomically(KeyFile(newer), sound->substr(0, 150)));
    for (bool fifo : {false, true}) {
        SCOPED_TRACE(fifo ? "a FIFO" : "cut short");
        if (fifo) {
            std::filesystem::remove(KeyFile(newer));
            ASSERT_EQ(mkfifo(KeyFile(newer).c_str(), 0600), 0);
        }
        const ChildResult right = Run(ListEmoticons(), user.password);
        EXPECT_EQ(right.exitCode, 0) << right.Describe();
        EXPECT_EQ(Lines(right.out).size(), 2u) << right.out;
        const ChildResult wrong = Run(ListEmoticons(), "not it");
        EXPECT_EQ(wrong.exitCode, 1);
        EXPECT_NE(wrong.err.find("the password does not unlock the Windows profile of Alice"),
                  std::string::npos)
            << wrong.err;
    }

    // Another user's keys, in a folder that comes first by name.
    WindowsUserKeys other = user;
    other.sid = "S-1-5-21-1000000000-1000000000-1000000000-500";
    other.password = "someone else's";
    other.guid[1] ^= 0x80;
    other.Write(appData);
    const ChildResult right = Run(ListEmoticons(), user.password);
    EXPECT_EQ(right.exitCode, 0) << right.Describe();
    EXPECT_EQ(Lines(right.out).size(), 2u) << right.out;
    const ChildResult wrong = Run(ListEmoticons(), "not it");
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_NE(wrong.err.find("it opens none of the keys of " + other.sid + ", " + user.sid),
              std::string::npos)
        << wrong.err;
}

TEST_P(WindowsProfileTest, HostileKeysAreRefusedAtOnceOrStoppedBySignals) {
    // A history of 256 passwords, each asking for ten million rounds: over
    // ten minutes of hashing before a wrong password could be called one.
    std::vector<std::string> passwords;
    for (int i = 0; i < 256; ++i)
        passwords.push_back("old " + std::to_string(i));
    passwords.push_back(user.password);
    Bytes history = CredHistBytes(passwords, user.sid);
    const std::size_t entrySize = (history.size() - 24) / 256;
    for (std::size_t entry = 24; entry < history.size(); entry += entrySize)
        for (std::size_t i = 0; i < 4; ++i)
            history[entry + 8 + i] = static_cast<std::uint8_t>(10'000'000u >> (8 * i));
    const std::string credHist = JoinPath(appData, "Microsoft/Protect/CREDHIST");
    ASSERT_TRUE(WriteFileAtomically(credHist, std::string(history.begin(), history.end())));
    const ChildResult refused = RunProgram(
        {"/usr/bin/timeout", "-k", "5", "60", QUORVANE_CLI, "list", "--type", "custom-emoticons",
         "--passport", kPassport, "--windows-profile", profile, "--password-stdin"},
        "not it", std::chrono::seconds(70));
    EXPECT_TRUE(refused.ExitedWith(1)) << refused.Describe();
    EXPECT_NE(refused.err.find("ask for more hashing than Windows ever needs"), std::string::npos)
        << refused.err;
    std::filesystem::remove(credHist);

    // A key of ten million rounds: seconds for each hash tried, which Ctrl-C
    // or SIGTERM end.
    const std::string keyFile = KeyFile(user.guid);
    Result<std::string> key = ReadRegularFile(keyFile);
    ASSERT_TRUE(key);
    for (std::size_t i = 0; i < 4; ++i)
        (*key)[148 + i] = static_cast<char>(10'000'000u >> (8 * i));
    ASSERT_TRUE(WriteFileAtomically(keyFile, *key));
    std::vector<std::string> list = ListEmoticons();
    list.insert(list.begin(), QUORVANE_CLI);
    list.insert(list.begin(),
                {"/usr/bin/timeout", "-k", "30", "--preserve-status", "-s", "INT", "1"});
    const ChildResult interrupted = RunProgram(list, user.password, std::chrono::seconds(60));
    EXPECT_TRUE(interrupted.ExitedWith(130)) << interrupted.Describe();
    EXPECT_NE(interrupted.err.find("interrupted while checking the password"), std::string::npos)
        << interrupted.err;
    const ChildResult terminated = RunProgram(
        {"/usr/bin/timeout", "-k", "30", "--preserve-status", "-s", "TERM", "1", QUORVANE_CLI,
         "unprotect", "--masterkey-dir", user.ProtectFolder(appData), "--sid", user.sid,
         "--password-stdin", "--print-masterkey", dpapi::GuidText(user.guid)},
        user.password, std::chrono::seconds(60));
    EXPECT_TRUE(terminated.ExitedWith(143)) << terminated.Describe();
}

TEST_P(WindowsProfileTest, AnNtHashStandardInputOrSidThatCannotServeIsSaidSo) {
    // The NT hash of the right password: a local account's keys are not
    // made from it.
    const std::vector<std::string> withHash = {
        "list",       "--type",    "custom-emoticons",
        "--passport", kPassport,   "--windows-profile",
        profile,      "--nt-hash", "8846f7eaee8fb117ad06bdd830b7586c"};
    user.password = "password";
    user.Write(appData);
    const ChildResult hash = Run(withHash, "");
    EXPECT_EQ(hash.exitCode, 1);
    EXPECT_NE(hash.err.find("opened by its password, not by its NT hash"), std::string::npos)
        << hash.err;
    EXPECT_NE(Run({"list", "--help"}, "").out.find("a local account's keys need its"),
              std::string::npos);

    // Standard input that cannot be read is no empty password.
    std::vector<std::string> arguments = ListEmoticons();
    arguments.insert(arguments.begin(), QUORVANE_CLI);
    ChildOptions options{&environment, "", ""};
    options.stdinPath = root.Path();
    const ChildResult folder = RunChild(arguments, options);
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_NE(folder.err.find("the password could not be read from standard input"),
              std::string::npos)
        << folder.err;

    const ChildResult noSid =
        Run({"unprotect", "--masterkey-dir", user.ProtectFolder(appData), "--sid", "",
             "--password-stdin", "--print-masterkey", dpapi::GuidText(user.guid)},
            user.password);
    EXPECT_EQ(noSid.exitCode, 2) << noSid.Describe();
    EXPECT_NE(noSid.err.find("--sid must not be empty"), std::string::npos) << noSid.err;
}

INSTANTIATE_TEST_SUITE_P(Layouts, WindowsProfileTest, ::testing::Values(kXp, kVista),
                         [](const ::testing::TestParamInfo<Layout>& layout) {
                             return std::string(layout.param.name);
                         });

} // namespace
} // namespace quorvane::test
