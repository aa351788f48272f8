#include "backup/PackVerifier.h"
#include "backup/CabinetTools.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/ProcessRunner.h"
#include "profile/PackCipher.h"

#include "support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace quorvane {
namespace {

using test::FolderNames;
using test::ReadFile;
using test::WriteFile;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

// Packs made with the project's own cabinet tool and sealed as a backup
// seals them, then judged by VerifyPack.
class PackVerifierTest : public ::testing::Test {
protected:
    // A sealed pack holding the given files under their names.
    std::string Pack(const std::string& name,
                     const std::vector<std::pair<std::string, std::string>>& files,
                     bool seal = true) {
        const std::string source = temp / ("source-" + name);
        std::vector<std::string> names;
        for (const auto& [file, bytes] : files) {
            WriteFile(JoinPath(source, file), bytes);
            names.push_back(file);
        }
        const std::string pack = temp / (name + ".msn");
        const Result<> packed = tools.PackFolder(source, names, pack);
        EXPECT_TRUE(packed) << packed.error().sentence;
        if (seal) {
            EXPECT_TRUE(SealPackFile(pack));
        }
        return pack;
    }

    Result<std::vector<std::string>> Verify(const std::string& pack) {
        return VerifyPack(pack, tools, temp / "scratch");
    }

    void SetUp() override { ASSERT_TRUE(MakeFolders(temp / "scratch")); }

    static std::string Manifest(const std::string& file) {
        return "<package version=\"1.0\" type=\"theme\">\r\n<item contentid=\"1a.cab\" "
               "type=\"wink\" contenttype=\"P\" mimetype=\"application/messengercontent\" file=\"" +
               file + "\" stamp=\"S\"/>\r\n</package>";
    }

    test::TempFolder temp;
    SpawnProcessRunner runner;
    CabinetTools tools{runner, ParentFolder(QUORVANE_CLI), ""};
};

TEST_F(PackVerifierTest, ASoundPackNamesItsFilesAndStaysUntouched) {
    const std::string pack =
        Pack("kiss", {{"content.xml", Manifest("kiss.cab")}, {"kiss.cab", "cabinet bytes"}});
    const std::string before = ReadFile(pack);
    const Result<std::vector<std::string>> files = Verify(pack);
    ASSERT_TRUE(files) << files.error().sentence;
    EXPECT_THAT(*files, ElementsAre("content.xml", "kiss.cab"));
    EXPECT_EQ(ReadFile(pack), before);
    // The work happens in a folder of its own, removed afterwards.
    EXPECT_TRUE(FolderNames(temp / "scratch").empty());
}

TEST_F(PackVerifierTest, EveryFaultAMessengerInstallWouldMeetIsNamed) {
    struct Case {
        std::string what;
        std::string pack;
        std::string reason;
    };
    std::vector<Case> cases = {
        {"a manifest naming a file the pack lacks",
         Pack("missing", {{"content.xml", Manifest("other.cab")}, {"kiss.cab", "x"}}),
         "names \"other.cab\", which is not in the pack"},
        {"a manifest that is not XML",
         Pack("broken", {{"content.xml", "<package><item file=\"a\"></package>"}, {"a", "x"}}),
         "not well-formed"},
        {"a manifest naming nothing", Pack("empty", {{"content.xml", "<package/>"}, {"a", "x"}}),
         "names no file"},
        {"no manifest", Pack("bare", {{"kiss.cab", "x"}}), "no content.xml"},
        {"a member the manifest does not name",
         Pack("extra",
              {{"content.xml", Manifest("kiss.cab")}, {"kiss.cab", "x"}, {"map.dat", "pointer"}}),
         "holds \"map.dat\", which content.xml does not name"},
        {"a cabinet never sealed",
         Pack("unsealed", {{"content.xml", Manifest("a")}, {"a", "x"}}, false),
         "not a sealed cabinet"},
    };
    const std::string garbage = temp / "garbage.msn";
    WriteFile(garbage, std::string(1000, 'G'));
    cases.push_back({"bytes that are no pack", garbage, "not a sealed cabinet"});
    cases.push_back({"a missing file", temp / "nowhere.msn", "cannot be read"});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Result<std::vector<std::string>> files = Verify(c.pack);
        ASSERT_FALSE(files);
        EXPECT_THAT(files.error().sentence, HasSubstr(c.reason));
    }
    EXPECT_TRUE(FolderNames(temp / "scratch").empty());
}

TEST_F(PackVerifierTest, ADamagedCabinetIsReportedByTheExtractTool) {
    const std::string pack = Pack(
        "damaged", {{"content.xml", Manifest("kiss.cab")}, {"kiss.cab", std::string(4000, 'k')}});
    std::string bytes = ReadFile(pack);
    // One byte near the end, inside the compressed data: the block's
    // checksum no longer matches. (The cabinet checksum is an XOR of words,
    // so the same change in an even number of words would go unnoticed.)
    bytes[bytes.size() - 20] = static_cast<char>(bytes[bytes.size() - 20] ^ 0x5A);
    WriteFile(pack, bytes);
    const Result<std::vector<std::string>> files = Verify(pack);
    ASSERT_FALSE(files);
    EXPECT_THAT(files.error().sentence, HasSubstr("extract"));
}

} // namespace
} // namespace quorvane
