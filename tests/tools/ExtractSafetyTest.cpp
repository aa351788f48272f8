// extract on cabinets made to attack it or to fail half-way: names that
// climb out of the destination, links planted in it or standing for it,
// FIFOs standing for the cabinet, names in the two encodings a cabinet can
// carry, damaged data, sizes that do not fit.

#include "CabinetBuilder.h"
#include "CabinetDirectory.h"
#include "CabinetTools.h"
#include "TestFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace quorvane::test {
namespace {

namespace fs = std::filesystem;

class ExtractSafety : public testing::Test {
protected:
    // sandbox/dest is where members go; sandbox/outside stands for the rest
    // of the user's files.
    void SetUp() override {
        fs::create_directories(m_sandbox / "outside");
        WriteFile(m_sandbox / "outside" / "victim.txt", "original\n");
    }

    fs::path Dest() const { return m_sandbox / "dest"; }

    fs::path WriteCabinet(const CabinetBuilder& builder, const std::string& name = "test.cab") {
        const fs::path path = m_sandbox / name;
        WriteFile(path, builder.Build());
        return path;
    }

    TempFolder m_folder;
    const fs::path m_sandbox{m_folder.Path()};
};

TEST_F(ExtractSafety, RefusesClimbingMembersAndStillExtractsTheirSiblings) {
    CabinetBuilder cabinet;
    cabinet.Add("first.txt", "one")
        .Add("../evil", "escaped")
        .Add("a/../../b", "escaped too")
        .Add("..\\..\\outside\\victim.txt", "overwritten")
        .Add("sub\\second.txt", "two")
        .Add("last.txt", "three");
    const fs::path cab = WriteCabinet(cabinet);
    const auto before = Snapshot(m_sandbox, "dest");

    const ChildResult result = RunExtract(Dest(), cab);

    EXPECT_TRUE(result.ExitedWith(1)) << result.Describe();
    EXPECT_NE(result.err.find("../evil"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("a/../../b"), std::string::npos) << result.err;
    EXPECT_EQ(Snapshot(m_sandbox, "dest"), before);
    EXPECT_FALSE(fs::exists(m_sandbox / "evil"));
    EXPECT_FALSE(fs::exists(m_sandbox / "b"));
    EXPECT_EQ(RegularFiles(Dest()),
              (std::set<std::string>{"first.txt", "sub/second.txt", "last.txt"}));
    EXPECT_EQ(ReadFile(Dest() / "sub" / "second.txt"), "two");
    EXPECT_EQ(ReadFile(Dest() / "last.txt"), "three");
}

TEST_F(ExtractSafety, KeepsAbsoluteAndDriveNamesInsideTheDestination) {
    CabinetBuilder cabinet;
    cabinet.Add("/abs/one.txt", "1")
        .Add("C:\\Windows\\two.txt", "2")
        .Add("\\\\server\\share\\three.txt", "3")
        .Add("./here/./four.txt", "4")
        .Add("d:five.txt", "5");
    const ChildResult result = RunExtract(Dest(), WriteCabinet(cabinet));

    EXPECT_TRUE(result.ExitedWith(0)) << result.Describe();
    EXPECT_EQ(RegularFiles(Dest()),
              (std::set<std::string>{"abs/one.txt", "Windows/two.txt", "server/share/three.txt",
                                     "here/four.txt", "d:five.txt"}));
    EXPECT_EQ(ReadFile(Dest() / "Windows" / "two.txt"), "2");
}

TEST_F(ExtractSafety, RefusesNamesThatAreOnlySeparators) {
    CabinetBuilder cabinet;
    cabinet.Add("/", "a").Add("\\\\", "b").Add("C:\\", "c").Add("./.", "d").Add("kept", "e");
    const ChildResult result = RunExtract(Dest(), WriteCabinet(cabinet));

    EXPECT_TRUE(result.ExitedWith(1)) << result.Describe();
    EXPECT_EQ(RegularFiles(Dest()), (std::set<std::string>{"kept"}));
}

TEST_F(ExtractSafety, DoesNotFollowLinksPlantedInTheDestination) {
    fs::create_directories(Dest());
    fs::create_directory_symlink(m_sandbox / "outside", Dest() / "linked");
    fs::create_symlink(m_sandbox / "outside" / "victim.txt", Dest() / "victim.txt");
    CabinetBuilder cabinet;
    cabinet.Add("linked/planted.txt", "through a folder link")
        .Add("linked\\victim.txt", "through a folder link")
        .Add("victim.txt", "replaces the link itself")
        .Add("plain.txt", "plain");
    const fs::path cab = WriteCabinet(cabinet);
    const auto before = Snapshot(m_sandbox, "dest");

    const ChildResult result = RunExtract(Dest(), cab);

    EXPECT_TRUE(result.ExitedWith(1)) << result.Describe();
    EXPECT_EQ(Snapshot(m_sandbox, "dest"), before);
    EXPECT_EQ(ReadFile(m_sandbox / "outside" / "victim.txt"), "original\n");
    EXPECT_FALSE(fs::exists(m_sandbox / "outside" / "planted.txt"));
    // The file link was replaced by the member, not written through.
    EXPECT_FALSE(fs::is_symlink(Dest() / "victim.txt"));
    EXPECT_EQ(ReadFile(Dest() / "victim.txt"), "replaces the link itself");
    EXPECT_TRUE(fs::is_symlink(Dest() / "linked"));
    EXPECT_EQ(ReadFile(Dest() / "plain.txt"), "plain");
}

// A destination that is itself a link would send every member to wherever
// it leads, which the caller never named.
TEST_F(ExtractSafety, RefusesADestinationThatIsALinkAndWritesNothing) {
    fs::create_directory_symlink(m_sandbox / "outside", Dest());
    CabinetBuilder cabinet;
    cabinet.Add("planted.txt", "through the link").Add("sub\\deeper.txt", "through the link");
    const fs::path cab = WriteCabinet(cabinet);
    const auto before = Snapshot(m_sandbox / "outside");

    // With a trailing slash the kernel would resolve the link by itself.
    for (const std::string& destination : {Dest().string(), Dest().string() + "/"}) {
        const ChildResult result = RunExtract(destination, cab);

        EXPECT_TRUE(result.ExitedWith(3)) << destination << ": " << result.Describe();
        EXPECT_NE(result.err.find("symbolic link"), std::string::npos) << result.err;
        EXPECT_EQ(Snapshot(m_sandbox / "outside"), before) << destination;
        EXPECT_TRUE(fs::is_symlink(Dest()));
    }
}

// A FIFO blocks whoever opens it until someone writes to it; the backup
// engine waits for the tool, so the tool must not wait for the FIFO.
TEST_F(ExtractSafety, EndsAtOnceWhenTheCabinetOrAPartIsNotARegularFile) {
    const fs::path fifo = m_sandbox / "pipe.cab";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const ChildResult piped = RunWithin(
        {kExtract, "/Y", "/E", "/L", Dest().string(), fifo.string()}, std::chrono::seconds(10));
    EXPECT_TRUE(piped.ExitedWith(1)) << piped.Describe();
    EXPECT_NE(piped.err.find("pipe.cab\" is not a regular file (a FIFO)"), std::string::npos)
        << piped.err;
    EXPECT_FALSE(fs::exists(Dest()));

    const ChildResult folder = RunExtract(Dest(), m_sandbox / "outside");
    EXPECT_TRUE(folder.ExitedWith(1)) << folder.Describe();
    EXPECT_NE(folder.err.find("is not a regular file (a folder)"), std::string::npos) << folder.err;

    // The first part of a split set, whose second part (stored as
    // "Split-2.CAB") is a FIFO: what lies wholly in the first part still
    // comes out.
    fs::create_directories(m_sandbox / "set");
    fs::copy_file(kCorpus / "cabextract-cabs/split-1.cab", m_sandbox / "set" / "split-1.cab");
    ASSERT_EQ(::mkfifo((m_sandbox / "set" / "split-2.cab").c_str(), 0644), 0);
    const ChildResult split = RunWithin(
        {kExtract, "/Y", "/E", "/L", Dest().string(), (m_sandbox / "set" / "split-1.cab").string()},
        std::chrono::seconds(10));
    EXPECT_TRUE(split.ExitedWith(1)) << split.Describe();
    EXPECT_NE(split.err.find("split-2.cab\" is not a regular file (a FIFO)"), std::string::npos)
        << split.err;
    EXPECT_EQ(RegularFiles(Dest()), (std::set<std::string>{"small1.bin"}));
}

// /SAME answers whether a pack found under a backup's name may be replaced:
// only when its members besides the manifest are the same, byte for byte,
// and never on anything it cannot read, with nothing written.
TEST_F(ExtractSafety, SameComparesMembersBesideTheManifestAndRefusesTheRest) {
    const fs::path mine = WriteCabinet(
        CabinetBuilder().Add("wink.swf", "movie").Add("content.xml", "<a/>"), "mine.cab");
    const std::vector<std::pair<fs::path, int>> others = {
        {WriteCabinet(
             CabinetBuilder().Add("content.xml", "<another manifest/>").Add("wink.swf", "movie"),
             "manifest.cab"),
         0},
        {WriteCabinet(CabinetBuilder().Add("wink.swf", "mOvie"), "byte.cab"), 1},
        {WriteCabinet(CabinetBuilder().Add("wink.swf", "movie").Add("x", "y"), "extra.cab"), 1},
        {WriteCabinet(CabinetBuilder().Add("sub\\wink.swf", "movie"), "path.cab"), 1},
        {m_sandbox / "garbage.msn", 1},
        {m_sandbox / "pipe.msn", 1},
    };
    WriteFile(m_sandbox / "garbage.msn", "MSCF and nothing a cabinet needs");
    ASSERT_EQ(::mkfifo((m_sandbox / "pipe.msn").c_str(), 0644), 0);
    const auto before = Snapshot(m_sandbox, "");
    for (const auto& [other, status] : others) {
        const ChildResult result =
            RunWithin({kExtract, "/SAME", mine.string(), other.string()}, std::chrono::seconds(10));
        EXPECT_TRUE(result.ExitedWith(status)) << other << ": " << result.Describe();
    }
    EXPECT_EQ(Snapshot(m_sandbox, ""), before);
}

// A member may itself try to become a link on the way: first a file, then a
// folder of the same name. The second must not replace the file.
TEST_F(ExtractSafety, RefusesAFolderWhereAFileWasWritten) {
    CabinetBuilder cabinet;
    cabinet.Add("x", "file").Add("x/y", "needs x as a folder");
    const ChildResult result = RunExtract(Dest(), WriteCabinet(cabinet));

    EXPECT_TRUE(result.ExitedWith(1)) << result.Describe();
    EXPECT_EQ(ReadFile(Dest() / "x"), "file");
}

TEST_F(ExtractSafety, DecodesNamesByTheirFlag) {
    CabinetBuilder cabinet;
    // Flagged UTF-8 and valid.
    cabinet.Add("gr\xC3\xBC\xC3\x9F"
                "e.txt",
                "utf8", CabinetBuilder::kUtf8Name);
    // Not flagged: Windows-1252, where 0x80 is the euro sign and 0xE9 is e-acute.
    cabinet.Add("\xE9t\xE9 \x80.txt", "ansi");
    // Not flagged, and bytes that would be invalid as UTF-8: still a name.
    cabinet.Add("\xC0\xAF"
                "ansi2.txt",
                "ansi2");
    // Flagged, but an overlong "/" hides a climb: refused.
    cabinet.Add("x\xC0\xAF..\xC0\xAF..\xC0\xAF"
                "evil",
                "bad", CabinetBuilder::kUtf8Name);
    // Flagged, a lone continuation byte: refused.
    cabinet.Add("bad\x80name", "bad", CabinetBuilder::kUtf8Name);
    // Flagged, an encoded surrogate: refused.
    cabinet.Add("sur\xED\xA0\x80", "bad", CabinetBuilder::kUtf8Name);

    const ChildResult result = RunExtract(Dest(), WriteCabinet(cabinet));

    EXPECT_TRUE(result.ExitedWith(1)) << result.Describe();
    EXPECT_EQ(RegularFiles(Dest()), (std::set<std::string>{"gr\xC3\xBC\xC3\x9F"
                                                           "e.txt",
                                                           "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC.txt",
                                                           "\xC3\x80\xC2\xAF"
                                                           "ansi2.txt"}));
    EXPECT_EQ(ReadFile(Dest() / "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC.txt"), "ansi");
}

// Refused names are shown as the user would write them; only what could
// steer the terminal, and bytes that are no character, are escaped.
TEST_F(ExtractSafety, ShowsRefusedNamesAsTheUserKnowsThem) {
    CabinetBuilder cabinet;
    cabinet.Add("\xE2\x82\xAC"
                "50/../../euro.txt",
                "x", CabinetBuilder::kUtf8Name);
    cabinet.Add("\x1B[2Jclear/../../c.txt", "x");
    cabinet.Add("bad\xFFname", "x", CabinetBuilder::kUtf8Name);
    const ChildResult result = RunExtract(Dest(), WriteCabinet(cabinet));

    EXPECT_TRUE(result.ExitedWith(1)) << result.Describe();
    EXPECT_NE(result.err.find("\"\xE2\x82\xAC"
                              "50/../../euro.txt\""),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("\"\\x1B[2Jclear/../../c.txt\""), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("\"bad\\xFFname\""), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find('\x1B'), std::string::npos) << "a raw escape reached stderr";
}

TEST_F(ExtractSafety, ReplacesExistingFilesAndCreatesMissingFolders) {
    const fs::path nested = m_sandbox / "deep" / "er" / "dest";
    fs::create_directories(nested);
    WriteFile(nested / "a.txt", "old contents that are longer");
    CabinetBuilder cabinet;
    cabinet.Add("a.txt", "new").Add("b/c/d.txt", "deep");
    const ChildResult result = RunExtract(nested, WriteCabinet(cabinet));

    EXPECT_TRUE(result.ExitedWith(0)) << result.Describe();
    EXPECT_EQ(ReadFile(nested / "a.txt"), "new");
    EXPECT_EQ(ReadFile(nested / "b" / "c" / "d.txt"), "deep");

    const ChildResult fresh =
        RunExtract(m_sandbox / "not" / "yet" / "there", WriteCabinet(cabinet));
    EXPECT_TRUE(fresh.ExitedWith(0)) << fresh.Describe();
    EXPECT_EQ(ReadFile(m_sandbox / "not" / "yet" / "there" / "a.txt"), "new");
}

TEST_F(ExtractSafety, RestoresTheStoredTimeAsLocalTime) {
    CabinetBuilder cabinet; // every member is stamped 15 June 2010 12:30:00
    cabinet.Add("stamped.txt", "x");
    const Variables zone{{"TZ", "QVT-05:30"}};
    const ChildResult result = RunExtract(Dest(), WriteCabinet(cabinet), zone);
    ASSERT_TRUE(result.ExitedWith(0)) << result.Describe();

    struct stat info {};
    ASSERT_EQ(::stat((Dest() / "stamped.txt").c_str(), &info), 0);
    // 12:30 at UTC+05:30 is 07:00 UTC.
    EXPECT_EQ(info.st_mtim.tv_sec, 1276585200);
}

TEST_F(ExtractSafety, MemberWithDamagedDataLeavesNoFile) {
    // A real pack from cabarc: a small file, then one large enough to span
    // several MSZIP blocks. Damage lands in the last block only.
    const fs::path input = m_sandbox / "input";
    fs::create_directories(input);
    WriteFile(input / "a_small.txt", "small and early");
    WriteFile(input / "b_large.bin", RandomBytes(150000, 7));
    const fs::path pack = m_sandbox / "pack.msn";
    ASSERT_TRUE(RunCabarc({"N", pack.string(), (input / "a_small.txt").string(),
                           (input / "b_large.bin").string()})
                    .ExitedWith(0));
    std::string bytes = ReadFile(pack);
    const auto directory = CabinetDirectory::Read(bytes);
    ASSERT_GE(directory.blockCount, 4);
    bytes[bytes.size() - 100] = static_cast<char>(bytes[bytes.size() - 100] ^ 0x55);
    WriteFile(pack, bytes);

    // An older copy of the damaged member is in place: it must survive whole.
    fs::create_directories(Dest());
    WriteFile(Dest() / "b_large.bin", "previous version");

    const ChildResult result = RunExtract(Dest(), pack);

    EXPECT_TRUE(result.ExitedWith(1)) << result.Describe();
    EXPECT_NE(result.err.find("b_large.bin"), std::string::npos) << result.err;
    EXPECT_EQ(ReadFile(Dest() / "a_small.txt"), "small and early");
    EXPECT_EQ(ReadFile(Dest() / "b_large.bin"), "previous version");
    EXPECT_TRUE(LeftoverTemporaries(Dest()).empty());

    fs::remove(Dest() / "b_large.bin");
    const ChildResult again = RunExtract(Dest(), pack);
    EXPECT_TRUE(again.ExitedWith(1)) << again.Describe();
    EXPECT_FALSE(fs::exists(Dest() / "b_large.bin"));
    EXPECT_TRUE(LeftoverTemporaries(Dest()).empty());
}

TEST_F(ExtractSafety, MemberLongerThanItsDataLeavesNoFile) {
    CabinetBuilder cabinet;
    cabinet.Add("whole.txt", "0123456789").Add("short.txt", "abc", CabinetBuilder::kArchive, 5000);
    const ChildResult result = RunExtract(Dest(), WriteCabinet(cabinet));

    EXPECT_TRUE(result.ExitedWith(1)) << result.Describe();
    EXPECT_EQ(RegularFiles(Dest()), (std::set<std::string>{"whole.txt"}));
    EXPECT_TRUE(LeftoverTemporaries(Dest()).empty());
}

// All or nothing on space: a cabinet whose members (within the cap) need
// more than the destination's disk has free is refused before anything is
// written, as the destination's fault (3), not the cabinet's. The small
// disk is a file system mounted in a user namespace.
TEST_F(ExtractSafety, RefusesTheWholeCabinetWhenMembersDoNotFitOnTheDisk) {
    if (RunWithin({"/usr/bin/unshare", "-rm", "/bin/true"}).exitCode != 0) {
        GTEST_SKIP() << "no user namespace can be made here to mount a small file system";
    }
    const fs::path disk = m_sandbox / "disk";
    fs::create_directories(disk);
    CabinetBuilder cabinet;
    cabinet.Add("small.txt", "would fit on its own");
    cabinet.Add("large.bin", "", CabinetBuilder::kArchive, 2 << 20);
    const fs::path cab = WriteCabinet(cabinet);

    // What the disk holds afterwards is listed before the namespace goes.
    const ChildResult result =
        RunWithin({"/usr/bin/unshare", "-rm", "/bin/sh", "-c",
                   "mount -t tmpfs -o size=1m tmpfs \"$1\" || exit 99; "
                   "\"$2\" /Y /E /L \"$1/dest\" \"$3\"; status=$?; ls -A \"$1\"; exit $status",
                   "sh", disk.string(), kExtract, cab.string()});

    EXPECT_TRUE(result.ExitedWith(3)) << result.Describe();
    EXPECT_NE(result.err.find("free"), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "") << "written on the small disk";
}

TEST_F(ExtractSafety, FailsCleanlyOnBadCommandLinesAndMissingCabinets) {
    const ChildResult missing = RunExtract(Dest(), m_sandbox / "no-such.cab");
    EXPECT_TRUE(missing.ExitedWith(1)) << missing.Describe();
    EXPECT_FALSE(missing.err.empty());
    EXPECT_FALSE(fs::exists(Dest()));

    const ChildResult tooFew = RunWithin({kExtract, "/Y", "/E", Dest().string()});
    EXPECT_FALSE(tooFew.ExitedWith(0)) << tooFew.Describe();
    EXPECT_FALSE(tooFew.signaled);
    const ChildResult unknown = RunWithin({kExtract, "/Y", "/E", "/Q", Dest().string(), "x.cab"});
    EXPECT_FALSE(unknown.ExitedWith(0)) << unknown.Describe();
    EXPECT_FALSE(fs::exists(Dest()));

    const ChildResult help = RunWithin({kExtract, "--help"});
    EXPECT_TRUE(help.ExitedWith(0)) << help.Describe();
    EXPECT_NE(help.out.find("extract /Y /E /L [/MAX:<bytes>] <folder> <cabinet>"),
              std::string::npos)
        << help.out;
}

} // namespace
} // namespace quorvane::test
