// The cap on what one extract run may write. A cabinet of a few hundred
// kilobytes can expand to gigabytes; the cap stops it before the disk fills,
// and /MAX raises it for the rare object that needs more.

#include "CabinetBuilder.h"
#include "CabinetTools.h"
#include "TestFiles.h"
#include "support/CabinetWriter.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace quorvane::test {
namespace {

namespace fs = std::filesystem;

class ExtractCap : public testing::Test {
protected:
    fs::path Dest() const { return m_sandbox / "dest"; }

    ChildResult Extract(const std::vector<std::string>& switches, const fs::path& cabinet) const {
        std::vector<std::string> argv{kExtract};
        argv.insert(argv.end(), switches.begin(), switches.end());
        argv.push_back(Dest().string());
        argv.push_back(cabinet.string());
        return RunWithin(argv, std::chrono::seconds(60));
    }

    TempFolder m_folder;
    const fs::path m_sandbox{m_folder.Path()};
};

TEST_F(ExtractCap, RefusesACabinetThatExpandsPastTheCapUnlessMaxAllowsIt) {
    // 80 MiB of zeros squeeze into a few hundred kilobytes.
    const std::string zeros(80u << 20, '\0');
    const fs::path cab = m_sandbox / "bomb.cab";
    WriteCabinet(cab.string(), {{"note.txt", "read me"}, {"zeros.bin", zeros}});
    ASSERT_LT(fs::file_size(cab), 1u << 20);
    fs::create_directories(Dest());
    WriteFile(Dest() / "kept.txt", "there before");
    const auto before = Snapshot(Dest());

    const ChildResult capped = Extract({"/Y", "/E", "/L"}, cab);

    EXPECT_TRUE(capped.ExitedWith(1)) << capped.Describe();
    EXPECT_NE(capped.err.find("64 MiB"), std::string::npos) << capped.err;
    EXPECT_NE(capped.err.find("/MAX:"), std::string::npos) << "how to raise it: " << capped.err;
    EXPECT_EQ(Snapshot(Dest()), before) << "the refused run left something behind";

    const ChildResult raised = Extract({"/Y", "/E", "/L", "/MAX:100M"}, cab);

    ASSERT_TRUE(raised.ExitedWith(0)) << raised.Describe();
    EXPECT_EQ(RegularFiles(Dest()), (std::set<std::string>{"kept.txt", "note.txt", "zeros.bin"}));
    EXPECT_EQ(ReadFile(Dest() / "zeros.bin"), zeros);
}

// The backup engine's own command line has no /MAX; a hand-typed one may
// put it anywhere among the switches, in either case, with or without a
// unit. The cap is a cap on bytes, not on each member.
TEST_F(ExtractCap, MaxIsReadAnywhereAmongTheSwitches) {
    CabinetBuilder cabinet;
    cabinet.Add("a.txt", std::string(600, 'a')).Add("b.txt", std::string(600, 'b'));
    const fs::path cab = m_sandbox / "small.cab";
    WriteFile(cab, cabinet.Build());

    for (const std::vector<std::string>& switches :
         std::vector<std::vector<std::string>>{{"/MAX:2K", "/Y", "/E", "/L"},
                                               {"/y", "/max:2k", "/e", "/l"},
                                               {"/L", "/E", "/Y", "/MAX:1200"},
                                               {"/Y", "/E", "/L", "/MAX:1G"}}) {
        fs::remove_all(Dest());
        const ChildResult result = Extract(switches, cab);
        EXPECT_TRUE(result.ExitedWith(0)) << switches.front() << ": " << result.Describe();
        EXPECT_EQ(RegularFiles(Dest()), (std::set<std::string>{"a.txt", "b.txt"}));
    }

    // One byte short of both members together.
    fs::remove_all(Dest());
    const ChildResult under = Extract({"/Y", "/E", "/L", "/MAX:1199"}, cab);
    EXPECT_TRUE(under.ExitedWith(1)) << under.Describe();
    EXPECT_NE(under.err.find("1199 bytes"), std::string::npos) << under.err;
    EXPECT_FALSE(fs::exists(Dest()));
}

TEST_F(ExtractCap, RefusesMalformedOrTooHighCapsWithUsage) {
    CabinetBuilder cabinet;
    cabinet.Add("a.txt", "a");
    const fs::path cab = m_sandbox / "small.cab";
    WriteFile(cab, cabinet.Build());

    for (const std::string bad :
         {"/MAX:", "/MAX:K", "/MAX:12X", "/MAX:-5", "/MAX:1.5M", "/MAX:0x10", "/MAX:1 K", "/MAX:2G",
          "/MAX:1025M", "/MAX:1073741825", "/MAX:99999999999999999999999"}) {
        const ChildResult result = Extract({"/Y", "/E", "/L", bad}, cab);
        EXPECT_TRUE(result.ExitedWith(2)) << bad << ": " << result.Describe();
        EXPECT_NE(result.err.find("Usage: extract"), std::string::npos) << bad;
        EXPECT_FALSE(fs::exists(Dest())) << bad;
    }
    const ChildResult twice = Extract({"/Y", "/MAX:1M", "/E", "/L", "/MAX:2M"}, cab);
    EXPECT_TRUE(twice.ExitedWith(2)) << twice.Describe();
    EXPECT_FALSE(fs::exists(Dest()));
}

} // namespace
} // namespace quorvane::test
