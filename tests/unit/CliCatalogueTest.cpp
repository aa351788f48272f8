// The built quorvane-cli, run as a child process against accounts in a fake
// Wine prefix: what a user sees on the terminal, and that the user's
// Messenger folders look the same afterwards.

#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "protection/DataProtection.h"
#include "protection/WineDataProtection.h"
#include "support/ChildRun.h"
#include "support/MessengerAccountBuilder.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fcntl.h>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace quorvane {
namespace {

using test::AccountObject;
using test::kAllCategories;
using test::MessengerAccountBuilder;
using test::ReadFile;
using test::SnapshotTree;
using test::TempFolder;

constexpr const char* kPassport = test::kTestPassport;
constexpr const char* kWineUser = "testuser";

using CliResult = test::ChildResult;
using test::Fields;
using test::Lines;

std::string Utf8(const std::string& codePageText) {
    return CodePage::Ansi().ToUtf8(codePageText);
}

class CliCatalogueTest : public ::testing::Test {
protected:
    CliCatalogueTest()
        : prefix(root / "wine"), appData(AppDataOf(kWineUser)), protection(kWineUser) {
        MakeFolders(appData);
        MakeFolders(JoinPath(prefix, "drive_c/windows"));
        // Nothing of the real user's: home, Wine prefix, user name and the
        // XDG folders all point into the temporary folder.
        environment = test::IsolatedEnvironment(root.Path(), prefix, kWineUser);
    }

    std::string AppDataOf(const std::string& userUtf8) const {
        return JoinPath(prefix, "drive_c/users/" + userUtf8 + "/AppData/Roaming");
    }

    MessengerAccountBuilder Builder(const std::string& passport = kPassport) const {
        return MessengerAccountBuilder(appData, passport, protection);
    }

    // Runs the program with the given arguments in the test's environment;
    // standard input is empty.
    CliResult Run(const std::vector<std::string>& args, const std::string& stdoutPath = "") const {
        std::vector<std::string> arguments = {QUORVANE_CLI};
        arguments.insert(arguments.end(), args.begin(), args.end());
        return Checked(test::RunChild(arguments, {&environment, "", stdoutPath}));
    }

    static CliResult Checked(CliResult result) {
        if (!result.started)
            ADD_FAILURE() << "cannot start " << QUORVANE_CLI;
        else if (result.exitCode < 0)
            ADD_FAILURE() << "quorvane-cli did not exit normally";
        return result;
    }

    std::vector<std::string> Catalogue(ContentCategory category, const std::string& passport,
                                       std::vector<std::string> extra = {}) const {
        std::vector<std::string> args = {
            "catalogue", "--type", std::string(CategoryKeyword(category)), "--passport", passport};
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    }

    // The Messenger folders of every account in the prefix.
    std::map<std::string, std::string> Snapshot() const { return SnapshotTree(prefix); }

    TempFolder root;
    std::string prefix;
    std::string appData;
    WineDataProtection protection;
    std::map<std::string, std::string> environment;
};

// The line the program prints for an object whose tag it cannot know in
// advance (packaged objects: the tick of the listing before the location).
void ExpectPackagedLine(const std::string& line, std::size_t index, const AccountObject& object,
                        std::set<std::string>& tags) {
    const std::vector<std::string> fields = Fields(line);
    ASSERT_EQ(fields.size(), 4u) << line;
    EXPECT_EQ(fields[0], std::to_string(index));
    EXPECT_EQ(fields[1], Utf8(object.location));
    const std::string& tag = fields[2];
    const std::string location = Utf8(object.location);
    ASSERT_GT(tag.size(), location.size()) << tag;
    EXPECT_EQ(tag.substr(tag.size() - location.size()), location);
    const std::string tick = tag.substr(0, tag.size() - location.size());
    EXPECT_TRUE(std::all_of(tick.begin(), tick.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    })) << tag;
    EXPECT_TRUE(tags.insert(tag).second) << "tag printed twice: " << tag;
    EXPECT_EQ(fields[3], Utf8(object.displayName));
}

// ---------------------------------------------------------------------------
// Listings

TEST_F(CliCatalogueTest, ListsEveryCategoryAsTabSeparatedUtf8Lines) {
    MessengerAccountBuilder builder = Builder();
    for (ContentCategory category : kAllCategories)
        for (int n = 1; n <= 3; ++n)
            builder.Add(category, MessengerAccountBuilder::SampleObject(category, n));
    builder.Write();
    const auto before = Snapshot();

    for (ContentCategory category : kAllCategories) {
        const int number = static_cast<int>(category);
        // The type by number and by name, the prefix from the environment
        // and from the command line: all must find the same account.
        std::vector<std::string> args =
            number % 2 == 0
                ? Catalogue(category, kPassport)
                : std::vector<std::string>{"catalogue",           "--passport", kPassport,
                                           "--wine-prefix",       prefix,       "--type",
                                           std::to_string(number)};
        SCOPED_TRACE(std::string(CategoryKeyword(category)));
        const CliResult result = Run(args);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.err, "");
        const std::vector<std::string> lines = Lines(result.out);
        ASSERT_EQ(lines.size(), 3u) << result.out;

        std::set<std::string> tags;
        for (int n = 1; n <= 3; ++n) {
            const AccountObject object = MessengerAccountBuilder::SampleObject(category, n);
            const auto index = static_cast<std::size_t>(n - 1);
            if (IsPackaged(category)) {
                ExpectPackagedLine(lines[index], index, object, tags);
                continue;
            }
            const std::string tag =
                category == ContentCategory::CustomEmoticons ? object.keySequence : "";
            EXPECT_EQ(lines[index], std::to_string(index) + "\t" + Utf8(object.location) + "\t" +
                                        Utf8(tag) + "\t" + Utf8(object.displayName));
        }
        // The stamp files of the listing are gone once the program ends.
        EXPECT_EQ(Snapshot(), before);
    }
}

TEST_F(CliCatalogueTest, WindowsLettersComeOutAsUtf8) {
    MessengerAccountBuilder builder = Builder();
    AccountObject wink = MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 1);
    ASSERT_EQ(wink.displayName, "Caf\xE9 Dance 1");
    AccountObject picture =
        MessengerAccountBuilder::SampleObject(ContentCategory::RegularDisplayPictures, 1);
    ASSERT_EQ(picture.location, "caf\xE9"
                                "1.png");
    builder.Add(ContentCategory::Winks, wink)
        .Add(ContentCategory::RegularDisplayPictures, picture)
        .Write();

    const CliResult winks = Run(Catalogue(ContentCategory::Winks, kPassport));
    ASSERT_EQ(winks.exitCode, 0) << winks.err;
    ASSERT_EQ(Lines(winks.out).size(), 1u);
    EXPECT_EQ(Fields(Lines(winks.out)[0]).back(), "Caf\xC3\xA9 Dance 1");

    const CliResult pictures = Run(Catalogue(ContentCategory::RegularDisplayPictures, kPassport));
    ASSERT_EQ(pictures.exitCode, 0) << pictures.err;
    EXPECT_EQ(pictures.out, "0\tcaf\xC3\xA9"
                            "1.png\t\tcaf\xC3\xA9 1\n");
}

TEST_F(CliCatalogueTest, NonAsciiPassportAndWineUserAreTakenInTheCodePage) {
    // Wine makes the protection key from the user name in the code page, and
    // Messenger hashes and uses the passport in the code page; on the
    // command line both arrive as UTF-8.
    const std::string userUtf8 = "andr\xC3\xA9";
    const std::string passportUtf8 = "Jos\xC3\xA9@example.com";
    const WineDataProtection userProtection("andr\xE9");
    MessengerAccountBuilder builder(AppDataOf(userUtf8), "Jos\xE9@example.com", userProtection);
    const AccountObject emoticon =
        MessengerAccountBuilder::SampleObject(ContentCategory::CustomEmoticons, 2);
    builder.Add(ContentCategory::CustomEmoticons, emoticon).Write();

    const CliResult result =
        Run(Catalogue(ContentCategory::CustomEmoticons, passportUtf8, {"--wine-user", userUtf8}));
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "0\t" + Utf8(emoticon.location) + "\t" + Utf8(emoticon.keySequence) +
                              "\t" + Utf8(emoticon.displayName) + "\n");
}

TEST_F(CliCatalogueTest, WithoutTheCodePageTheProgramStopsAtItsStartAndSaysWhy) {
    std::map<std::string, std::string> lacking = environment;
    lacking["LD_PRELOAD"] = QUORVANE_NO_WINDOWS1252;
    // The sanitizer's runtime need not come first in an instrumented build.
    lacking["ASAN_OPTIONS"] = "verify_asan_link_order=0";
    const CliResult result = Checked(test::RunChild(
        {QUORVANE_CLI, "list", "--type", "0", "--passport", kPassport}, {&lacking, "", ""}));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "quorvane-cli: code page not available: WINDOWS-1252\n");
    EXPECT_EQ(result.out, "");
}

TEST_F(CliCatalogueTest, CatalogueWithoutObjectsPrintsNothingAndSucceeds) {
    Builder().Write(true);
    const auto before = Snapshot();
    for (ContentCategory category : kAllCategories) {
        SCOPED_TRACE(std::string(CategoryKeyword(category)));
        const CliResult result = Run(Catalogue(category, kPassport));
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "");
    }
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(CliCatalogueTest, ControlCharactersInNamesCannotBreakTheLines) {
    AccountObject wink = MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 2);
    wink.displayName = "tab\there\r\nnext\\line\x01";
    AccountObject background =
        MessengerAccountBuilder::SampleObject(ContentCategory::RegularBackgrounds, 2);
    background.displayName = "two\n\nlines";
    Builder()
        .Add(ContentCategory::Winks, wink)
        .Add(ContentCategory::Winks,
             MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 3))
        .Add(ContentCategory::RegularBackgrounds, background)
        .Write();

    const CliResult winks = Run(Catalogue(ContentCategory::Winks, kPassport));
    ASSERT_EQ(winks.exitCode, 0) << winks.err;
    const std::vector<std::string> lines = Lines(winks.out);
    ASSERT_EQ(lines.size(), 2u) << winks.out;
    ASSERT_EQ(Fields(lines[0]).size(), 4u);
    EXPECT_EQ(Fields(lines[0])[3], "tab\\there\\r\\nnext\\\\line\\x01");
    EXPECT_EQ(Fields(lines[1])[0], "1");

    const CliResult backgrounds = Run(Catalogue(ContentCategory::RegularBackgrounds, kPassport));
    ASSERT_EQ(backgrounds.exitCode, 0) << backgrounds.err;
    EXPECT_EQ(backgrounds.out, "0\t" + background.location + "\t\ttwo\\n\\nlines\n");
}

TEST_F(CliCatalogueTest, UnwritableOutputFailsButLeavesNoStampFiles) {
    Builder()
        .Add(ContentCategory::DynamicBackgrounds,
             MessengerAccountBuilder::SampleObject(ContentCategory::DynamicBackgrounds, 1))
        .Write();
    const auto before = Snapshot();
    const CliResult result =
        Run(Catalogue(ContentCategory::DynamicBackgrounds, kPassport), "/dev/full");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("cannot write"), std::string::npos) << result.err;
    EXPECT_EQ(Snapshot(), before);
}

// ---------------------------------------------------------------------------
// Accounts that cannot be listed

TEST_F(CliCatalogueTest, MissingAccountSaysWhereItLooked) {
    Builder()
        .Add(ContentCategory::Winks,
             MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 1))
        .Write();
    const auto before = Snapshot();

    const CliResult result = Run(Catalogue(ContentCategory::Winks, "nobody@example.com"));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("no Messenger data"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("nobody@example.com"), std::string::npos) << result.err;
    const std::string folder = MessengerAccountBuilder(appData, "nobody@example.com", protection)
                                   .ObjectFolder(ContentCategory::Winks);
    EXPECT_NE(result.err.find(folder), std::string::npos) << result.err;

    // A prefix without the user's folder at all is named as such.
    const CliResult elsewhere =
        Run(Catalogue(ContentCategory::Winks, kPassport, {"--wine-prefix", root / "empty-prefix"}));
    EXPECT_EQ(elsewhere.exitCode, 1);
    EXPECT_EQ(elsewhere.out, "");
    EXPECT_NE(elsewhere.err.find(root / "empty-prefix"), std::string::npos) << elsewhere.err;
    EXPECT_NE(elsewhere.err.find("does not exist"), std::string::npos) << elsewhere.err;
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(CliCatalogueTest, UnprotectFailureNamesThePassportAndTheWineUser) {
    // The account's files lie in the folder of Wine user "otheruser" but were
    // protected under "testuser" (a prefix copied from another machine, say).
    MessengerAccountBuilder moved(AppDataOf("otheruser"), kPassport, protection);
    moved
        .Add(ContentCategory::CustomEmoticons,
             MessengerAccountBuilder::SampleObject(ContentCategory::CustomEmoticons, 1))
        .Write();
    const MessengerAccountBuilder builder = Builder();
    Builder()
        .Add(ContentCategory::Winks,
             MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 1))
        .Write();

    auto expectUnprotectFailure = [this](const std::vector<std::string>& args,
                                         const std::string& user) {
        const auto before = Snapshot();
        const CliResult result = Run(args);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find("could not be unprotected"), std::string::npos) << result.err;
        EXPECT_NE(result.err.find("Wine user \"" + user + "\""), std::string::npos) << result.err;
        EXPECT_NE(result.err.find("exactly as at sign-in"), std::string::npos) << result.err;
        EXPECT_EQ(Snapshot(), before);
    };
    {
        SCOPED_TRACE("--wine-user");
        expectUnprotectFailure(
            Catalogue(ContentCategory::CustomEmoticons, kPassport, {"--wine-user", "otheruser"}),
            "otheruser");
    }
    {
        SCOPED_TRACE("$USER");
        environment["USER"] = "otheruser";
        expectUnprotectFailure(Catalogue(ContentCategory::CustomEmoticons, kPassport), "otheruser");
        environment["USER"] = kWineUser;
    }
    {
        // Same account folder (named by the lower-cased passport), other
        // entropy.
        SCOPED_TRACE("passport case");
        expectUnprotectFailure(Catalogue(ContentCategory::Winks, "SomeOne@example.com"), kWineUser);
    }
    {
        SCOPED_TRACE("catalogue protected for another passport");
        test::WriteFile(
            JoinPath(builder.MapFileFolder(), builder.CatalogueFileName(ContentCategory::Winks)),
            MessengerAccountBuilder::ProtectedFile("<Items />", "x@example.com", protection));
        expectUnprotectFailure(Catalogue(ContentCategory::Winks, kPassport), kWineUser);
    }
}

// ---------------------------------------------------------------------------
// Help, version and wrong command lines

TEST_F(CliCatalogueTest, HelpAndVersionGoToStandardOutput) {
    const CliResult help = Run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.err, "");
    EXPECT_NE(help.out.find("Usage: quorvane-cli"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("catalogue"), std::string::npos) << help.out;

    const CliResult commandHelp = Run({"catalogue", "--help"});
    EXPECT_EQ(commandHelp.exitCode, 0);
    EXPECT_EQ(commandHelp.err, "");
    for (const char* word : {"--type", "--passport", "--wine-prefix", "--wine-user",
                             "dynamic-display-pictures", "display-pictures"})
        EXPECT_NE(commandHelp.out.find(word), std::string::npos) << word;

    const CliResult version = Run({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.err, "");
    EXPECT_TRUE(
        std::regex_match(version.out, std::regex("quorvane-cli [0-9]+\\.[0-9]+\\.[0-9]+\n")))
        << version.out;
}

TEST_F(CliCatalogueTest, TheCommandLineSpeaksTheUsersLanguage) {
    const auto inLanguage = [this](const char* locale, const std::vector<std::string>& args) {
        std::vector<std::string> arguments = {QUORVANE_CLI};
        arguments.insert(arguments.end(), args.begin(), args.end());
        test::ChildOptions options{&environment, "", ""};
        options.variables = {{"LC_ALL", locale}};
        return Checked(test::RunChild(arguments, options));
    };
    EXPECT_EQ(inLanguage("pt_BR.UTF-8", {"list", "--type", "0", "--passport", "x"}).err,
              "quorvane-cli list: Digite uma conta do MSN válida.\n");
    // The core's reasons and the counted sentences too.
    const std::string pack = JoinPath(root.Path(), "junk.msn");
    test::WriteFile(pack, "junk");
    const CliResult verify = inLanguage("es_ES.UTF-8", {"verify", pack});
    EXPECT_EQ(verify.out, "bad\t" + pack + "\tel paquete no es un archivo CAB sellado\n");
    EXPECT_EQ(verify.err, "quorvane-cli verify: 1 de 1 paquete no es correcto.\n");
}

TEST_F(CliCatalogueTest, WrongCommandLinesShowTheUsageAndExitWithTwo) {
    Builder()
        .Add(ContentCategory::Winks,
             MessengerAccountBuilder::SampleObject(ContentCategory::Winks, 1))
        .Write();
    const auto before = Snapshot();
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"catalog"},
        {"--bogus"},
        {"catalogue", "--type", "6", "--passport", kPassport},
        {"catalogue", "--type", "-1", "--passport", kPassport},
        {"catalogue", "--type", "wink", "--passport", kPassport},
        {"catalogue", "--type", "", "--passport", kPassport},
        {"catalogue", "--type", "00", "--passport", kPassport},
        {"catalogue", "--passport", kPassport},
        {"catalogue", "--type", "0"},
        {"catalogue", "--type", "0", "--passport"},
        {"catalogue", "--type", "0", "--passport", ""},
        {"catalogue", "--type", "0", "--passport", "--wine-user", "x"},
        {"catalogue", "--type", "0", "--passport", kPassport, "--colour"},
        {"catalogue", "--type", "0", "--type", "1", "--passport", kPassport},
        {"catalogue", "--type", "0", "--passport", kPassport, "stray"},
    };
    for (const auto& args : cases) {
        std::string line;
        for (const std::string& arg : args)
            line += "[" + arg + "] ";
        SCOPED_TRACE(line);
        const CliResult result = Run(args);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find("Usage: quorvane-cli"), std::string::npos) << result.err;
    }
    EXPECT_EQ(Snapshot(), before);
}

} // namespace
} // namespace quorvane
