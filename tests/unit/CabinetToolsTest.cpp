#include "backup/CabinetTools.h"

#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/ProcessRunner.h"
#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace quorvane {
namespace {

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

std::string FindOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string rest = path != nullptr ? path : "";
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const std::string folder = rest.substr(0, colon);
        rest = colon == std::string::npos ? std::string() : rest.substr(colon + 1);
        const std::string candidate = JoinPath(folder, name);
        if (!folder.empty() && access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

// Looked up while PATH is still the one the tests were started with; some
// tests empty it for a while.
const std::string kCabextract = FindOnPath("cabextract");

struct ChildRun {
    int exitCode = -1;
    std::string errorText;
};

// Starts a program directly (never through a shell) and keeps what it says
// on standard error. Independent of the runner under test.
ChildRun RunChild(const std::vector<std::string>& arguments) {
    ChildRun run;
    int errorPipe[2];
    if (pipe2(errorPipe, O_CLOEXEC) != 0)
        return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, errorPipe[1], STDERR_FILENO);
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, arguments[0].c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(errorPipe[1]);
    if (rc == 0) {
        char buffer[512];
        ssize_t got = 0;
        while ((got = read(errorPipe[0], buffer, sizeof buffer)) > 0)
            run.errorText.append(buffer, static_cast<std::size_t>(got));
        int status = 0;
        waitpid(pid, &status, 0);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    close(errorPipe[0]);
    while (!run.errorText.empty() && (run.errorText.back() == '\n' || run.errorText.back() == '\r'))
        run.errorText.pop_back();
    return run;
}

// The entries directly in a folder: files with their bytes, anything else
// marked so that a stray folder shows up in a comparison.
std::map<std::string, std::string> FilesIn(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        files[name] = entry.is_regular_file() ? ReadFile(entry.path().string()) : "<not a file>";
    }
    return files;
}

// Replaces PATH for the life of the object.
class PathVariable {
public:
    explicit PathVariable(const std::string& value) {
        if (const char* old = std::getenv("PATH")) {
            m_had = true;
            m_old = old;
        }
        setenv("PATH", value.c_str(), 1);
    }
    ~PathVariable() {
        if (m_had)
            setenv("PATH", m_old.c_str(), 1);
        else
            unsetenv("PATH");
    }
    PathVariable(const PathVariable&) = delete;
    PathVariable& operator=(const PathVariable&) = delete;

private:
    bool m_had = false;
    std::string m_old;
};

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

TEST(CabinetToolsArguments, FolderPackTakesEveryFileOfTheFolder) {
    EXPECT_THAT(CabinetTools::FolderPackArguments("/backup/msn-emoticons/MSNEmoticons.msn",
                                                  "work/1700000000"),
                ElementsAre("cabarc", "N", "/backup/msn-emoticons/MSNEmoticons.msn",
                            "work/1700000000/*.*"));
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
        const std::string out = temp / ("cabextract-" + std::to_string(++m_reads));
        EXPECT_TRUE(MakeFolders(out));
        const ChildRun run = RunChild({kCabextract, "-q", "-d", out, cabinet});
        EXPECT_EQ(run.exitCode, 0) << run.errorText;
        return FilesIn(out);
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
        {"no-extension", "a name without a dot is taken by *.* too"},
        {"zeros.bin", std::string(1000, '\0')},
        {"several blocks.bin", Binary(200 * 1024, 7)}, // more than one 32 KB MSZIP block
        {"empty.dat", ""},
        {"two words & $HOME 'quoted' \"x\".txt", "names reach the tool as they are"},
        {"caf\xC3\xA9.gif", "UTF-8 name"},
    };
    for (const auto& [name, bytes] : files)
        WriteFile(JoinPath(source, name), bytes);
    // Subfolders are not files of the folder and stay out of the pack.
    WriteFile(JoinPath(source, "sub/inner.txt"), "not packed");

    const std::string pack = temp / "out/all.cab";
    MakeFolders(temp / "out");
    const ToolRun packed = tools.PackFolder(source, pack);
    ASSERT_TRUE(packed.succeeded) << packed.reason;
    EXPECT_TRUE(packed.started);
    EXPECT_THAT(packed.reason, IsEmpty());

    // An independent reader sees the same files under the same names.
    EXPECT_EQ(ReadWithCabextract(pack), files);

    // The destination is made when missing.
    const std::string destination = temp / "restored/here";
    const ToolRun extracted = tools.ExtractCabinet(pack, destination);
    ASSERT_TRUE(extracted.succeeded) << extracted.reason;
    EXPECT_EQ(FilesIn(destination), files);
}

TEST_F(CabinetToolsRun, ExtractReplacesFilesAlreadyThere) {
    const std::string source = temp / "source";
    WriteFile(JoinPath(source, "thumb.png"), "new bytes");
    const std::string pack = temp / "thumb.cab";
    ASSERT_TRUE(tools.PackFolder(source, pack).succeeded);

    const std::string destination = temp / "x.cab.dir";
    WriteFile(JoinPath(destination, "thumb.png"), "old bytes from an earlier listing");
    const ToolRun run = tools.ExtractCabinet(pack, destination);
    ASSERT_TRUE(run.succeeded) << run.reason;
    EXPECT_EQ(ReadFile(JoinPath(destination, "thumb.png")), "new bytes");
}

TEST_F(CabinetToolsRun, PackObjectHoldsTheManifestAndTheObjectUnderBareNames) {
    const std::string objectFolder = temp / "acct/Winks3";
    const std::string object = Binary(5000, 3);
    WriteFile(JoinPath(objectFolder, "0a1b2c3d.cab"), object);
    WriteFile(JoinPath(objectFolder, "content.xml"), "<package/>");

    const std::string pack = temp / "backup/Kiss.msn";
    MakeFolders(temp / "backup");
    const ToolRun run = tools.PackObject(pack, JoinPath(objectFolder, "content.xml"), objectFolder,
                                         "0a1b2c3d.cab", windowsFolder);
    ASSERT_TRUE(run.succeeded) << run.reason;
    const std::map<std::string, std::string> expected = {{"content.xml", "<package/>"},
                                                         {"0a1b2c3d.cab", object}};
    EXPECT_EQ(ReadWithCabextract(pack), expected);
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
    const ToolRun run = tools.PackObject("relative.msn", JoinPath(objectFolder, "content.xml"),
                                         objectFolder, "obj.cab", windowsFolder);
    const ToolRun folderRun = tools.PackFolder(objectFolder, "folder.msn");
    const ToolRun extractRun = tools.ExtractCabinet("folder.msn", "unpacked");
    fs::current_path(previous);

    ASSERT_TRUE(run.succeeded) << run.reason;
    ASSERT_FALSE(runner.folders.empty());
    EXPECT_EQ(runner.folders[0], windowsFolder);
    EXPECT_TRUE(fs::is_regular_file(JoinPath(caller, "relative.msn")));
    EXPECT_FALSE(fs::exists(JoinPath(windowsFolder, "relative.msn")));
    ASSERT_TRUE(folderRun.succeeded) << folderRun.reason;
    ASSERT_TRUE(extractRun.succeeded) << extractRun.reason;
    EXPECT_EQ(ReadFile(JoinPath(caller, "unpacked/obj.cab")), "object");
}

TEST_F(CabinetToolsRun, TheBuiltToolsAreFoundBesideTheProgram) {
    const std::string source = temp / "source";
    WriteFile(JoinPath(source, "a.txt"), "a");
    // PATH holds nothing; the tools come from <program>/../libexec/quorvane.
    PathVariable path("");
    ASSERT_TRUE(tools.PackFolder(source, temp / "a.cab").succeeded);
    ASSERT_EQ(runner.calls.size(), 1u);
    EXPECT_EQ(fs::weakly_canonical(runner.calls[0][0]), fs::weakly_canonical(BuiltTool("cabarc")));
    EXPECT_THAT(std::vector<std::string>(runner.calls[0].begin() + 1, runner.calls[0].end()),
                ElementsAre("N", temp / "a.cab", JoinPath(source, "*.*")));
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
    ASSERT_TRUE(tools.PackFolder(source, temp / "a.cab").succeeded);

    PathVariable path("");
    CabinetTools installed(runner, programFolder, windowsFolder);
    const ToolRun first = installed.ExtractCabinet(temp / "a.cab", temp / "out1");
    EXPECT_TRUE(first.succeeded) << first.reason;

    // Without it, the file in the program folder is taken, and it cannot
    // be started.
    ASSERT_EQ(unlink((temp / "install/libexec/quorvane/extract").c_str()), 0);
    const ToolRun second = installed.ExtractCabinet(temp / "a.cab", temp / "out2");
    EXPECT_FALSE(second.started);
    EXPECT_FALSE(second.succeeded);
    EXPECT_THAT(second.reason, HasSubstr("\"extract\""));
    EXPECT_THAT(second.reason, HasSubstr("could not be started"));
}

TEST_F(CabinetToolsRun, ToolsOnPathAreUsedWhenNoneAreBesideTheProgram) {
    PathVariable path(ParentFolder(BuiltTool("cabarc")));
    CabinetTools elsewhere(runner, temp / "nowhere/bin", windowsFolder);
    const std::string source = temp / "source";
    WriteFile(JoinPath(source, "a.txt"), "a");
    const ToolRun run = elsewhere.PackFolder(source, temp / "a.cab");
    EXPECT_TRUE(run.succeeded) << run.reason;
}

TEST_F(CabinetToolsRun, MissingToolIsNotStartedAndNamed) {
    PathVariable path("");
    CabinetTools nowhere(runner, temp / "nowhere/bin", windowsFolder);

    const ToolRun unknown = nowhere.RunTool({"quorvane-no-such-tool", "x"}, windowsFolder);
    EXPECT_FALSE(unknown.started);
    EXPECT_FALSE(unknown.succeeded);
    EXPECT_THAT(unknown.reason, HasSubstr("\"quorvane-no-such-tool\""));

    const std::string source = temp / "source";
    WriteFile(JoinPath(source, "a.txt"), "a");
    const ToolRun pack = nowhere.PackFolder(source, temp / "a.cab");
    EXPECT_FALSE(pack.started);
    EXPECT_THAT(pack.reason, HasSubstr("\"cabarc\""));
    EXPECT_FALSE(fs::exists(temp / "a.cab"));

    const ToolRun extract = nowhere.ExtractCabinet(temp / "a.cab", temp / "out");
    EXPECT_FALSE(extract.started);
    EXPECT_THAT(extract.reason, HasSubstr("\"extract\""));

    // Nothing was handed to the runner.
    EXPECT_THAT(runner.calls, IsEmpty());
}

TEST_F(CabinetToolsRun, FailingExtractCarriesTheToolsErrorText) {
    const std::string notCabinet = temp / "not-a-cabinet.cab";
    WriteFile(notCabinet, "This is plain text, not a Microsoft cabinet.\n");

    // What the tool itself says, asked directly.
    const ChildRun direct =
        RunChild({BuiltTool("extract"), "/Y", "/E", "/L", temp / "direct", notCabinet});
    ASSERT_NE(direct.exitCode, 0);
    ASSERT_THAT(direct.errorText, Not(IsEmpty()));

    const ToolRun run = tools.ExtractCabinet(notCabinet, temp / "direct");
    EXPECT_TRUE(run.started);
    EXPECT_FALSE(run.succeeded);
    EXPECT_THAT(run.reason, HasSubstr("\"extract\""));
    EXPECT_THAT(run.reason, EndsWith(direct.errorText));
}

TEST_F(CabinetToolsRun, FailingPackCarriesTheToolsErrorTextAndLeavesNoPack) {
    const std::string objectFolder = temp / "acct/Winks3";
    WriteFile(JoinPath(objectFolder, "content.xml"), "manifest");
    const std::string pack = temp / "Kiss.msn";

    const ChildRun direct =
        RunChild({BuiltTool("cabarc"), "N", pack, JoinPath(objectFolder, "content.xml"),
                  JoinPath(objectFolder, "missing.cab")});
    ASSERT_NE(direct.exitCode, 0);
    ASSERT_THAT(direct.errorText, Not(IsEmpty()));
    ASSERT_FALSE(fs::exists(pack));

    const ToolRun run = tools.PackObject(pack, JoinPath(objectFolder, "content.xml"), objectFolder,
                                         "missing.cab", windowsFolder);
    EXPECT_TRUE(run.started);
    EXPECT_FALSE(run.succeeded);
    EXPECT_THAT(run.reason, HasSubstr("\"cabarc\""));
    EXPECT_THAT(run.reason, EndsWith(direct.errorText));
    EXPECT_FALSE(fs::exists(pack));
}

} // namespace
} // namespace quorvane
