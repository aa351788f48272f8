// Runs extract over every cabinet of the corpus in data/cabinets/: cabinets
// from the test suites of two cabinet libraries, many of them damaged on
// purpose. Each must give the outcome listed in expected.tsv, leave the
// number of files CORPUS.md lists, never crash or hang, and never touch
// anything outside the destination.

#include "CabinetTools.h"
#include "TestFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

namespace quorvane::test {
namespace {

namespace fs = std::filesystem;

struct CorpusCase {
    std::string cabinet; // relative to the corpus folder
    bool ok = false;
    int filesLeft = -1;
};

// Names the case in failure messages instead of dumping its bytes.
void PrintTo(const CorpusCase& item, std::ostream* out) {
    *out << item.cabinet;
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    const auto last = text.find_last_not_of(" \t");
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

// "| `folder/name.cab` | purpose | outcome | files left |" rows of CORPUS.md.
std::map<std::string, std::pair<std::string, int>> ReadCorpusTable() {
    std::map<std::string, std::pair<std::string, int>> rows;
    std::ifstream in(kCorpus / "CORPUS.md");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("| `", 0) != 0) {
            continue;
        }
        std::vector<std::string> cells;
        std::stringstream cellStream(line);
        std::string cell;
        while (std::getline(cellStream, cell, '|')) {
            cells.push_back(Trim(cell));
        }
        // cells[0] is the empty text before the first bar.
        if (cells.size() < 5 || cells[1].size() < 3 || cells[1].find(".cab") == std::string::npos) {
            continue;
        }
        const std::string name = cells[1].substr(1, cells[1].size() - 2);
        rows[name] = {cells[cells.size() - 2], std::stoi(cells.back())};
    }
    return rows;
}

std::vector<CorpusCase> LoadCorpus() {
    const auto table = ReadCorpusTable();
    std::vector<CorpusCase> cases;
    std::ifstream in(kCorpus / "expected.tsv");
    std::string line;
    while (std::getline(in, line)) {
        const auto tab = line.find('\t');
        if (line.empty() || line[0] == '#' || tab == std::string::npos) {
            continue;
        }
        CorpusCase item;
        item.cabinet = line.substr(0, tab);
        item.ok = Trim(line.substr(tab + 1)) == "ok";
        const auto row = table.find(item.cabinet);
        if (row != table.end()) {
            item.filesLeft = row->second.second;
        }
        cases.push_back(item);
    }
    return cases;
}

std::string CaseName(const testing::TestParamInfo<CorpusCase>& info) {
    std::string name;
    for (const char c : info.param.cabinet) {
        name.push_back(std::isalnum(static_cast<unsigned char>(c)) ? c : '_');
    }
    return name;
}

TEST(CorpusFiles, EveryCabinetHasAnOutcomeAndAFileCount) {
    const auto cases = LoadCorpus();
    const auto table = ReadCorpusTable();
    // A truncated or unreadable list would quietly shrink the corpus tests.
    ASSERT_GE(cases.size(), 60u);
    for (const auto& item : cases) {
        EXPECT_TRUE(fs::is_regular_file(kCorpus / item.cabinet)) << item.cabinet;
        ASSERT_TRUE(table.count(item.cabinet)) << item.cabinet << " is not in CORPUS.md";
        EXPECT_EQ(table.at(item.cabinet).first, item.ok ? "ok" : "error") << item.cabinet;
    }
}

class CorpusExtraction : public testing::TestWithParam<CorpusCase> {};

TEST_P(CorpusExtraction, GivesTheExpectedOutcomeAndStaysInsideTheDestination) {
    const CorpusCase& item = GetParam();
    TempFolder sandboxFolder;
    const fs::path sandbox = sandboxFolder.Path();
    fs::create_directories(sandbox / "outside");
    WriteFile(sandbox / "outside" / "victim.txt", "must stay as it is\n");
    WriteFile(sandbox / "sibling.txt", "next to the destination\n");
    const fs::path destination = sandbox / "restore" / "dest"; // created by extract
    const auto before = Snapshot(sandbox);

    const ChildResult result = RunExtract(destination, kCorpus / item.cabinet);

    ASSERT_FALSE(result.timedOut) << item.cabinet;
    ASSERT_FALSE(result.signaled) << item.cabinet << ": " << result.Describe();
    ASSERT_FALSE(result.SanitizerReported()) << result.err;
    if (item.ok) {
        EXPECT_TRUE(result.ExitedWith(0)) << result.Describe();
    } else {
        EXPECT_TRUE(!result.ExitedWith(0)) << result.Describe();
        EXPECT_FALSE(result.err.empty()) << "a refusal must say why";
    }
    EXPECT_EQ(Snapshot(sandbox, "restore"), before) << "something changed outside";
    EXPECT_TRUE(LeftoverTemporaries(sandbox).empty());

    const auto files = RegularFiles(destination);
    if (item.cabinet == "cabextract-cabs/dirwalk-vulns.cab") {
        // CORPUS.md counts 11 here, what an extractor leaves when it repairs
        // invalid UTF-8 with replacement characters. We refuse such names:
        // all 15 names flagged as UTF-8 in this cabinet are overlong forms.
        // Of the rest, only "/absolute/path" is harmless, and
        // "\absolute\path\reverse\slashes" then finds a file where it needs
        // a folder.
        EXPECT_EQ(files, (std::set<std::string>{"absolute/path"}));
    } else {
        ASSERT_GE(item.filesLeft, 0) << "no file count in CORPUS.md";
        EXPECT_EQ(files.size(), static_cast<std::size_t>(item.filesLeft)) << result.err;
    }
}

// The same cabinets again, into a destination where every top-level name
// the first run produced is now a symbolic link leading outside. Whatever
// the cabinet says, nothing outside may change.
TEST_P(CorpusExtraction, NeverFollowsLinksPlantedInTheDestination) {
    const CorpusCase& item = GetParam();
    TempFolder firstFolder;
    const fs::path first = firstFolder.Path();
    const ChildResult clean = RunExtract(first / "dest", kCorpus / item.cabinet);
    ASSERT_FALSE(clean.timedOut || clean.signaled) << clean.Describe();

    TempFolder sandboxFolder;
    const fs::path sandbox = sandboxFolder.Path();
    fs::create_directories(sandbox / "outside" / "folder");
    WriteFile(sandbox / "outside" / "victim.txt", "must stay as it is\n");
    const fs::path destination = sandbox / "dest";
    fs::create_directories(destination);
    fs::create_directory_symlink(sandbox / "outside" / "folder", destination / "escape");
    bool plantedFolderLink = false;
    if (fs::exists(first / "dest")) {
        for (const auto& entry : fs::directory_iterator(first / "dest")) {
            const fs::path link = destination / entry.path().filename();
            if (entry.is_directory()) {
                fs::create_directory_symlink(sandbox / "outside" / "folder", link);
                plantedFolderLink = true;
            } else {
                fs::create_symlink(sandbox / "outside" / "victim.txt", link);
            }
        }
    }
    const auto before = Snapshot(sandbox, "dest");

    const ChildResult result = RunExtract(destination, kCorpus / item.cabinet);

    ASSERT_FALSE(result.timedOut) << item.cabinet;
    ASSERT_FALSE(result.signaled) << result.Describe();
    ASSERT_FALSE(result.SanitizerReported()) << result.err;
    EXPECT_EQ(Snapshot(sandbox, "dest"), before) << "something changed outside";
    if (plantedFolderLink) {
        // Members below a linked folder had to be refused.
        EXPECT_FALSE(result.ExitedWith(0)) << result.Describe();
        EXPECT_NE(result.err.find("symbolic link"), std::string::npos) << result.err;
    }
    EXPECT_TRUE(LeftoverTemporaries(sandbox).empty());
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusExtraction, testing::ValuesIn(LoadCorpus()), CaseName);

TEST(CorpusChecksums, MembersMatchThePublishedChecksums) {
    std::ifstream in(kCorpus / "expected.md5");
    std::string line;
    std::map<std::string, std::unique_ptr<TempFolder>> extracted;
    int checked = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        std::string cabinet;
        std::string member;
        std::string md5;
        ASSERT_TRUE(fields >> cabinet >> member >> md5) << line;
        auto& folder = extracted[cabinet];
        if (!folder) {
            folder = std::make_unique<TempFolder>();
            const ChildResult result =
                RunExtract(fs::path(folder->Path()) / "dest", kCorpus / cabinet);
            ASSERT_TRUE(result.ExitedWith(0)) << cabinet << ": " << result.Describe();
        }
        const fs::path file = fs::path(folder->Path()) / "dest" / member;
        ASSERT_TRUE(fs::is_regular_file(file)) << cabinet << " " << member;
        EXPECT_EQ(Md5Hex(ReadFile(file)), md5) << cabinet << " " << member;
        ++checked;
    }
    EXPECT_EQ(checked, 11);
}

// split-1.cab begins a five-part set whose later parts it names
// "Split-2.CAB" and so on. Alone in its folder, only the member it holds
// whole can come out; the parts sitting one folder up must not be used.
TEST(CorpusSplitSet, FirstPartAloneGivesOnlyItsWholeMember) {
    TempFolder sandboxFolder;
    const fs::path sandbox = sandboxFolder.Path();
    fs::create_directories(sandbox / "alone");
    fs::copy_file(kCorpus / "cabextract-cabs/split-1.cab", sandbox / "alone" / "split-1.cab");
    for (int part = 2; part <= 5; ++part) {
        const std::string name = "split-" + std::to_string(part) + ".cab";
        fs::copy_file(kCorpus / "cabextract-cabs" / name, sandbox / name);
    }

    const ChildResult result = RunExtract(sandbox / "dest", sandbox / "alone" / "split-1.cab");

    EXPECT_FALSE(result.ExitedWith(0)) << result.Describe();
    ASSERT_FALSE(result.timedOut || result.signaled) << result.Describe();
    EXPECT_EQ(RegularFiles(sandbox / "dest"), (std::set<std::string>{"small1.bin"}));
    EXPECT_EQ(Md5Hex(ReadFile(sandbox / "dest" / "small1.bin")),
              "2ad5ba0f497f1e597ab187a2dfaa2e29");
    EXPECT_TRUE(LeftoverTemporaries(sandbox).empty());
}

} // namespace
} // namespace quorvane::test
