#include "backup/CabinetTools.h"

#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/ProcessRunner.h"
#include "profile/PackCipher.h"
#include "support/ChildRun.h"
#include "support/IndependentReader.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane {
namespace {

using test::FilesIn;
using test::ReadFile;
using test::TempFolder;
using test::WriteFile;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

namespace fs = std::filesystem;

// The program folder of this build: the tools are found beside it, in
// ../libexec/quorvane, as they are once installed.
std::string ProgramFolder() {
    return ParentFolder(QUORVANE_CLI);
}

std::string BuiltTool(const std::string& name) {
    return JoinPath(JoinPath(ProgramFolder(), "../libexec/quorvane"), name);
}

// Looked up while PATH is still the one the tests were started with; some
// tests empty it for a while.
const std::string kCabextract = test::FindOnPath("cabextract");

// Runs for real, and remembers what it was asked to run.
class RecordingRunner final : public ProcessRunner {
public:
    ProcessResult Run(const std::vector<std::string>& arguments,
                      const std::string& workingFolder) override {
        calls.push_back(arguments);
        folders.push_back(workingFolder);
        return m_spawn.Run(arguments, workingFolder);
    }

    std::vector<std::vector<std::string>> calls;
    std::vector<std::string> folders;

private:
    SpawnProcessRunner m_spawn;
};

std::string Binary(std::size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    unsigned state = seed;
    for (char& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<char>((state >> 16) & 0xff);
    }
    return bytes;
}

void MakeExecutable(const std::string& path, const std::string& bytes) {
    WriteFile(path, bytes);
    ASSERT_EQ(chmod(path.c_str(), 0755), 0);
}

// --- argument vectors -----------------------------------------------------

TEST(CabinetToolsArguments, ObjectPackNamesTheManifestAndTheObjectFile) {
    EXPECT_THAT(CabinetTools::ObjectPackArguments("/backup/msn-winks/Kiss.msn",
                                                  "/acct/Winks3/content.xml", "/acct/Winks3",
                                                  "0a1b2c3d.cab"),
                ElementsAre("cabarc", "N", "/backup/msn-winks/Kiss.msn", "/acct/Winks3/content.xml",
                            "/acct/Winks3/0a1b2c3d.cab"));
}

TEST(CabinetToolsArguments, FolderPackNamesEveryFileItPacks) {
    EXPECT_THAT(CabinetTools::FolderPackArguments("/backup/msn-emoticons/MSNEmoticons.msn",
                                                  "work/1700000000", {"a.gif", "content.xml"}),
                ElementsAre("cabarc", "N", "/backup/msn-emoticons/MSNEmoticons.msn",
                            "work/1700000000/a.gif", "work/1700000000/content.xml"));
}

TEST(CabinetToolsArguments, ExtractNamesTheFolderBeforeTheCabinet) {
    EXPECT_THAT(
        CabinetTools::ExtractArguments("/acct/Winks3/x.cab.dir", "/acct/Winks3/x.cab"),
        ElementsAre("extract", "/Y", "/E", "/L", "/acct/Winks3/x.cab.dir", "/acct/Winks3/x.cab"));
}

TEST(CabinetToolsArguments, ArgumentsWithSpacesStayWhole) {
    // Each value is one argument; nothing is quoted or split for a shell.
    EXPECT_THAT(CabinetTools::ExtractArguments("/a b/c \"d\"", "/e f/g h.cab"),
                ElementsAre("extract", "/Y", "/E", "/L", "/a b/c \"d\"", "/e f/g h.cab"));
}

// --- running the real tools ----------------------------------------------

// Error text without its line end, as the runner reports it.
std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

class CabinetToolsRun : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(access(BuiltTool("cabarc").c_str(), X_OK), 0) << "build the cabarc target";
        ASSERT_EQ(access(BuiltTool("extract").c_str(), X_OK), 0) << "build the extract target";
        ASSERT_FALSE(kCabextract.empty()) << "cabextract is needed as an independent reader";
        MakeFolders(windowsFolder);
    }

    // Reads a cabinet with cabextract into a fresh folder.
    std::map<std::string, std::string> ReadWithCabextract(const std::string& cabinet) {
        std::string error;
        auto files = test::ReadWithCabextract(
            cabinet, temp / ("cabextract-" + std::to_string(++m_reads)), error);
        EXPECT_EQ(error, "");
        return files;
    }

    TempFolder temp;
    std::string windowsFolder = temp / "prefix/drive_c/windows";
    RecordingRunner runner;
    CabinetTools tools{runner, ProgramFolder(), windowsFolder};

private:
    int m_reads = 0;
};

TEST_F(CabinetToolsRun, PackFolderThenExtractGivesBackEveryFile) {
    const std::string source = temp / "source";
    const std::map<std::string, std::string> files = {
        {"readme.txt", "Plain text\r\nwith two lines\r\n"},
        {"no-extension", "a name without a dot"},
        {"zeros.bin", std::string(1000, '\0')},
        {"several blocks.bin", Binary(200 * 1024, 7)}, // more than one 32 KB MSZIP block
        {"empty.dat", ""},
        {"two words & $HOME 'quoted' \"x\".txt", "names reach the tool as they are"},
        {"caf\xC3\xA9.gif", "UTF-8 name"},
    };
    std::vector<std::string> names;
    for (const auto& [name, bytes] : files) {
        WriteFile(JoinPath(source, name), bytes);
        names.push_back(name);
    }

    const std::string pack = temp / "out/all.cab";
    MakeFolders(temp / "out");
    const Result<> packed = tools.PackFolder(source, names, pack);
    ASSERT_TRUE(packed.has_value()) << packed.error().sentence;
    EXPECT_THAT(packed.error().sentence, IsEmpty());

    // An independent reader sees the same files under the same names.
    EXPECT_EQ(ReadWithCabextract(pack), files);

    // The destination is made when missing.
    const std::string destination = temp / "restored/here";
    const Result<> extracted = tools.ExtractCabinet(pack, destination);
    ASSERT_TRUE(extracted.has_value()) << extracted.error().sentence;
    EXPECT_EQ(FilesIn(destination), files);
}

TEST_F(CabinetToolsRun, ExtractReplacesFilesAlreadyThere) {
    const std::string source = temp / "source";
    WriteFile(JoinPath(source, "thumb.png"), "new bytes");
    const std::string pack = temp / "thumb.cab";
    ASSERT_TRUE(tools.PackFolder(source, {"thumb.png"}, pack).has_value());

    const std::string destination = temp / "x.cab.dir";
    WriteFile(JoinPath(destination, "thumb.png"), "old bytes from an earlier listing");
    const Result<> run = tools.ExtractCabinet(pack, destination);
    ASSERT_TRUE(run.has_value()) << run.error().sentence;
    EXPECT_EQ(ReadFile(JoinPath(destination, "thumb.png")), "new bytes");
}

TEST_F(CabinetToolsRun, PackObjectHoldsTheManifestAndTheObjectUnderBareNames) {
    const std::string objectFolder = temp / "acct/Winks3";
    const std::string object = Binary(5000, 3);
    WriteFile(JoinPath(objectFolder, "0a1b2c3d.cab"), object);
    WriteFile(JoinPath(objectFolder, "content.xml"), "<package/>");

    const std::string pack = temp / "backup/Kiss.msn";
    MakeFolders(temp / "backup");
    const Result<> run =
        tools.PackObject(pack, JoinPath(objectFolder, "content.xml"), objectFolder, "0a1b2c3d.cab");
    ASSERT_TRUE(run.has_value()) << run.error().sentence;
    const std::map<std::string, std::string> expected = {{"content.xml", "<package/>"},
                                                         {"0a1b2c3d.cab", object}};
    EXPECT_EQ(ReadWithCabextract(pack), expected);
}

// A backup asks about all its packs at once: one run of the tool, one answer
// a pair in the order asked, read from the sealed packs as they are. Only a
// pack holding the same members besides its manifest is the same; a member
// one byte off, a pack whose seal is not there and a FIFO are not.
TEST_F(CabinetToolsRun, SamePacksAnswersEveryPairInOrderFromOneRun) {
    const std::string object = Binary(40000, 5);
    std::string changed = object;
    changed[20000] = static_cast<char>(changed[20000] ^ 0x01);
    auto pack = [&](const std::string& name, const std::string& manifest, const std::string& member,
                    bool seal) {
        const std::string source = temp / ("source-" + name);
        WriteFile(JoinPath(source, "content.xml"), manifest);
        WriteFile(JoinPath(source, "wink.swf"), member);
        const std::string path = temp / ("packs/" + name);
        MakeFolders(temp / "packs");
        EXPECT_TRUE(tools.PackFolder(source, {"content.xml", "wink.swf"}, path).has_value());
        if (seal) {
            EXPECT_TRUE(SealPackFile(path));
        }
        return path;
    };
    const std::string mine = pack("mine.msn", "<package id=\"1\"/>", object, true);
    const std::string earlier = pack("earlier.msn", "<package id=\"2\"/>", object, true);
    const std::string oneByte = pack("one-byte.msn", "<package id=\"1\"/>", changed, true);
    const std::string unsealed = pack("unsealed.msn", "<package id=\"1\"/>", object, false);
    const std::string fifo = temp / "packs/fifo.msn";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    runner.calls.clear();

    const std::vector<std::optional<bool>> answers = tools.SamePacks(
        {{mine, earlier}, {mine, oneByte}, {mine, fifo}, {mine, unsealed}, {earlier, mine}});
    EXPECT_THAT(answers, ElementsAre(true, false, false, false, true));
    ASSERT_EQ(runner.calls.size(), 1u);
    EXPECT_THAT(runner.calls[0], ::testing::Contains("/SEALED"));
}

TEST_F(CabinetToolsRun, ToolsRunInTheGivenWorkingFolderButPathsMeanTheCallers) {
    const std::string objectFolder = temp / "acct/Winks3";
    WriteFile(JoinPath(objectFolder, "obj.cab"), "object");
    WriteFile(JoinPath(objectFolder, "content.xml"), "manifest");
    const std::string caller = temp / "caller";
    ASSERT_TRUE(MakeFolders(caller));
    const std::string previous = fs::current_path().string();
    fs::current_path(caller);

    // The tool works in the Windows folder, yet a relative pack path names a
    // file in the caller's working folder, as the user meant it.
    const Result<> run = tools.PackObject("relative.msn", JoinPath(objectFolder, "content.xml"),
                                          objectFolder, "obj.cab");
    const Result<> folderRun = tools.PackFolder(objectFolder, {"obj.cab"}, "folder.msn");
    const Result<> extractRun = tools.ExtractCabinet("folder.msn", "unpacked");
    fs::current_path(previous);

    ASSERT_TRUE(run.has_value()) << run.error().sentence;
    ASSERT_FALSE(runner.folders.empty());
    EXPECT_EQ(runner.folders[0], windowsFolder);
    EXPECT_TRUE(fs::is_regular_file(JoinPath(caller, "relative.msn")));
    EXPECT_FALSE(fs::exists(JoinPath(windowsFolder, "relative.msn")));
    ASSERT_TRUE(folderRun.has_value()) << folderRun.error().sentence;
    ASSERT_TRUE(extractRun.has_value()) << extractRun.error().sentence;
    EXPECT_EQ(ReadFile(JoinPath(caller, "unpacked/obj.cab")), "object");
}

TEST_F(CabinetToolsRun, TheBuiltToolsAreFoundBesideTheProgram) {
    const std::string source = temp / "source";
    WriteFile(JoinPath(source, "a.txt"), "a");
    // PATH holds nothing; the tools come from <program>/../libexec/quorvane.
    test::ScopedVariable path("PATH", "");
    ASSERT_TRUE(tools.PackFolder(source, {"a.txt"}, temp / "a.cab").has_value());
    ASSERT_EQ(runner.calls.size(), 1u);
    EXPECT_EQ(fs::weakly_canonical(runner.calls[0][0]), fs::weakly_canonical(BuiltTool("cabarc")));
    EXPECT_THAT(std::vector<std::string>(runner.calls[0].begin() + 1, runner.calls[0].end()),
                ElementsAre("N", temp / "a.cab", JoinPath(source, "a.txt")));
}

TEST_F(CabinetToolsRun, ToolsBesideTheProgramComeBeforeThoseInItsFolder) {
    // <program>/../libexec/quorvane holds the real tool, <program> a file
    // that is no program: the first must win.
    const std::string programFolder = temp / "install/bin";
    MakeExecutable(JoinPath(programFolder, "extract"), "this is not a program\n");
    MakeFolders(temp / "install/libexec/quorvane");
    ASSERT_EQ(
        symlink(BuiltTool("extract").c_str(), (temp / "install/libexec/quorvane/extract").c_str()),
        0);
    const std::string source = temp / "source";
    WriteFile(JoinPath(source, "a.txt"), "a");
    ASSERT_TRUE(tools.PackFolder(source, {"a.txt"}, temp / "a.cab").has_value());

    test::ScopedVariable path("PATH", "");
    CabinetTools installed(runner, programFolder, windowsFolder);
    const Result<> first = installed.ExtractCabinet(temp / "a.cab", temp / "out1");
    EXPECT_TRUE(first.has_value()) << first.error().sentence;

    // Without it, the file in the program folder is taken, and it cannot
    // be started.
    ASSERT_EQ(unlink((temp / "install/libexec/quorvane/extract").c_str()), 0);
    const Result<> second = installed.ExtractCabinet(temp / "a.cab", temp / "out2");
    ASSERT_FALSE(second.has_value());
    EXPECT_EQ(second.error().code, FailureCode::System);
    EXPECT_THAT(second.error().sentence, HasSubstr("\"extract\""));
    EXPECT_THAT(second.error().sentence, HasSubstr("could not be started"));
}

TEST_F(CabinetToolsRun, ToolsOnPathAreUsedWhenNoneAreBesideTheProgram) {
    test::ScopedVariable path("PATH", ParentFolder(BuiltTool("cabarc")));
    CabinetTools elsewhere(runner, temp / "nowhere/bin", windowsFolder);
    const std::string source = temp / "source";
    WriteFile(JoinPath(source, "a.txt"), "a");
    const Result<> run = elsewhere.PackFolder(source, {"a.txt"}, temp / "a.cab");
    EXPECT_TRUE(run.has_value()) << run.error().sentence;
}

TEST_F(CabinetToolsRun, MissingToolIsNotStartedAndNamed) {
    test::ScopedVariable path("PATH", "");
    CabinetTools nowhere(runner, temp / "nowhere/bin", windowsFolder);

    const ToolRun unknown = nowhere.RunTool({"quorvane-no-such-tool", "x"}, windowsFolder);
    EXPECT_FALSE(unknown.started);
    EXPECT_FALSE(unknown.succeeded);
    EXPECT_THAT(unknown.reason, HasSubstr("\"quorvane-no-such-tool\""));

    const std::string source = temp / "source";
    WriteFile(JoinPath(source, "a.txt"), "a");
    const Result<> pack = nowhere.PackFolder(source, {"a.txt"}, temp / "a.cab");
    ASSERT_FALSE(pack.has_value());
    EXPECT_EQ(pack.error().code, FailureCode::Missing);
    EXPECT_THAT(pack.error().sentence, HasSubstr("\"cabarc\""));
    EXPECT_FALSE(fs::exists(temp / "a.cab"));

    const Result<> extract = nowhere.ExtractCabinet(temp / "a.cab", temp / "out");
    ASSERT_FALSE(extract.has_value());
    EXPECT_EQ(extract.error().code, FailureCode::Missing);
    EXPECT_THAT(extract.error().sentence, HasSubstr("\"extract\""));

    // Nothing was handed to the runner.
    EXPECT_THAT(runner.calls, IsEmpty());
}

TEST_F(CabinetToolsRun, FailingExtractCarriesTheToolsErrorText) {
    const std::string notCabinet = temp / "not-a-cabinet.cab";
    WriteFile(notCabinet, "This is plain text, not a Microsoft cabinet.\n");

    // What the tool itself says, asked directly.
    const test::ChildResult direct =
        test::RunChild({BuiltTool("extract"), "/Y", "/E", "/L", temp / "direct", notCabinet});
    ASSERT_NE(direct.exitCode, 0);
    ASSERT_THAT(Trimmed(direct.err), Not(IsEmpty()));

    const Result<> run = tools.ExtractCabinet(notCabinet, temp / "direct");
    ASSERT_FALSE(run.has_value());
    EXPECT_EQ(run.error().code, FailureCode::Damaged) << "the tool refused the cabinet";
    EXPECT_THAT(run.error().sentence, HasSubstr("\"extract\""));
    EXPECT_THAT(run.error().sentence, EndsWith(Trimmed(direct.err)));
}

TEST_F(CabinetToolsRun, FailingPackCarriesTheToolsErrorTextAndLeavesNoPack) {
    const std::string objectFolder = temp / "acct/Winks3";
    WriteFile(JoinPath(objectFolder, "content.xml"), "manifest");
    const std::string pack = temp / "Kiss.msn";

    const test::ChildResult direct =
        test::RunChild({BuiltTool("cabarc"), "N", pack, JoinPath(objectFolder, "content.xml"),
                        JoinPath(objectFolder, "missing.cab")});
    ASSERT_NE(direct.exitCode, 0);
    ASSERT_THAT(Trimmed(direct.err), Not(IsEmpty()));
    ASSERT_FALSE(fs::exists(pack));

    const Result<> run =
        tools.PackObject(pack, JoinPath(objectFolder, "content.xml"), objectFolder, "missing.cab");
    ASSERT_FALSE(run.has_value());
    EXPECT_EQ(run.error().code, FailureCode::System);
    EXPECT_THAT(run.error().sentence, HasSubstr("\"cabarc\""));
    EXPECT_THAT(run.error().sentence, EndsWith(Trimmed(direct.err)));
    EXPECT_FALSE(fs::exists(pack));
}

} // namespace
} // namespace quorvane
