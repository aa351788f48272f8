// extract: expands every member of a cabinet into a folder.
//
//   extract /Y /E /L [/MAX:<bytes>] <folder> <cabinet>
//   extract /SAME [/MAX:<bytes>] [/SEALED] <cabinet> <other> [<cabinet> <other>]...
//
// The command line is the one the Windows cabinet expander takes (/Y: replace
// without asking, /E: all members, /L: into this folder), which is what the
// backup engine runs. A cabinet is input from outside, so nothing it says may
// place a file outside <folder>, and nothing it says may make one run write
// more than the cap: a few megabytes of cabinet can expand to gigabytes.
//
// /SAME tells whether two cabinets hold the same members besides their
// "content.xml", byte for byte, without writing anything: a backup asks it
// before a pack replaces the one already under its name, which may be
// anybody's file, so it is read here and not in the program that asks. A
// backup asks for all its packs in one run (pairs after pairs, one answer a
// line), since starting the tool once per pack cost as much as the
// comparisons; /SEALED reads the packs as they are on disk, sealed, so no
// unsealed copy has to be written first.

#include "CabinetComparison.h"
#include "CabinetSet.h"
#include "FdSystem.h"
#include "InputFile.h"
#include "MemberExtractor.h"
#include "PackSeal.h"
#include "SafeFolder.h"
#include "Utf8.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include <unistd.h>

#include <sys/stat.h>
#include <sys/statvfs.h>

namespace {

constexpr std::uint64_t kKiB = 1024;
constexpr std::uint64_t kMiB = 1024 * kKiB;
constexpr std::uint64_t kGiB = 1024 * kMiB;
// Real objects are well under 10 MB; the default leaves room for the
// largest and stops a cabinet made to fill the disk long before it does.
constexpr std::uint64_t kDefaultCap = 64 * kMiB;
constexpr std::uint64_t kHighestCap = kGiB;

// The exit status tells whose fault a failure is: the cabinet's (the
// caller leaves that cabinet out), the command line's, or the destination's
// (the caller's own environment: no other cabinet would fare better).
constexpr int kRefused = 1;
constexpr int kUsage = 2;
constexpr int kCannotWrite = 3;

void PrintUsage(std::FILE* to) {
    std::fputs("Usage: extract /Y /E /L [/MAX:<bytes>] <folder> <cabinet>\n"
               "\n"
               "Expands every member of <cabinet> into <folder>, creating it when missing\n"
               "and replacing files already there. Members whose names climb out of the\n"
               "folder (\"..\") or are not valid are refused; the others are still\n"
               "extracted.\n"
               "\n"
               "<folder> must not itself be a symbolic link, and <cabinet> and the later\n"
               "parts of a split set must be regular files.\n"
               "\n"
               "One run writes at most 64 MiB. /MAX:<bytes> sets another cap, at most 1G\n"
               "(K, M and G stand for 1024, 1024^2 and 1024^3: /MAX:200M). A cabinet whose\n"
               "members add up to more is refused before anything is written; one that\n"
               "writes more than it declared is stopped, and every file and folder the\n"
               "run created is removed again.\n"
               "\n"
               "Switches are read in any order and either case, and may be given before\n"
               "<folder> only.\n"
               "\n"
               "Exit status:\n"
               "  0  every member was extracted\n"
               "  1  the cabinet is refused: it cannot be read as a cabinet, a member is\n"
               "     damaged or refused, or it would write more than the cap\n"
               "  2  the command line is not valid\n"
               "  3  <folder> cannot be written into: it cannot be made or opened, the\n"
               "     disk is full, no permission, an I/O error (what this run created\n"
               "     is removed again)\n"
               "\n"
               "Usage: extract /SAME [/MAX:<bytes>] [/SEALED] <cabinet> <other>\n"
               "                     [<cabinet> <other>]...\n"
               "\n"
               "For each pair, prints \"same\" when <other> holds the same members as\n"
               "<cabinet> besides \"content.xml\", byte for byte, and \"differs\" when it\n"
               "does not or either cannot be read as a single cabinet of plain files\n"
               "within the cap, one line a pair in order; nothing is written. <other> is\n"
               "expanded no further than <cabinet>'s members and a manifest's worth.\n"
               "/SEALED: both files of every pair are sealed \".msn\" packs, unsealed in\n"
               "memory before they are read. Exit status 0 when every pair is the same,\n"
               "1 when one is not, 2 when the command line is not valid.\n",
               to);
}

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SwitchIs(std::string_view argument, std::string_view name) {
    if (argument.size() != name.size()) {
        return false;
    }
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (Upper(argument[i]) != name[i]) {
            return false;
        }
    }
    return true;
}

// "<digits>" with an optional K, M or G; nothing else, and nothing above
// the highest cap.
std::optional<std::uint64_t> ParseSize(std::string_view text) {
    std::uint64_t unit = 1;
    if (!text.empty()) {
        switch (Upper(text.back())) {
        case 'K':
            unit = kKiB;
            break;
        case 'M':
            unit = kMiB;
            break;
        case 'G':
            unit = kGiB;
            break;
        default:
            break;
        }
        if (unit != 1) {
            text.remove_suffix(1);
        }
    }
    if (text.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        // Checked at every digit, so the product below cannot wrap either.
        if (value > kHighestCap) {
            return kHighestCap + 1;
        }
    }
    return value * unit;
}

// "64 MiB (67108864 bytes)", or the bytes alone when no unit divides them.
std::string DescribeBytes(std::uint64_t bytes) {
    std::string text;
    if (bytes != 0 && bytes % kGiB == 0) {
        text = std::to_string(bytes / kGiB) + " GiB (";
    } else if (bytes != 0 && bytes % kMiB == 0) {
        text = std::to_string(bytes / kMiB) + " MiB (";
    } else if (bytes != 0 && bytes % kKiB == 0) {
        text = std::to_string(bytes / kKiB) + " KiB (";
    } else {
        return std::to_string(bytes) + " bytes";
    }
    return text + std::to_string(bytes) + " bytes)";
}

constexpr const char* kRaiseCap =
    "/MAX:<bytes> raises the cap, up to /MAX:1G (K, M and G suffixes)";

struct CommandLine {
    std::string destination;
    std::string cabinet;
    std::uint64_t cap = kDefaultCap;
};

// The switches, then <folder> and <cabinet>; nullopt (with the reason on
// stderr when there is one beyond the usage) when the line is not valid.
std::optional<CommandLine> Parse(int argc, char** argv) {
    if (argc < 6) {
        return std::nullopt;
    }
    bool replace = false;
    bool all = false;
    bool into = false;
    bool capGiven = false;
    CommandLine line;
    for (int i = 1; i < argc - 2; ++i) {
        const std::string_view argument = argv[i];
        bool* seen = nullptr;
        if (SwitchIs(argument, "/Y")) {
            seen = &replace;
        } else if (SwitchIs(argument, "/E")) {
            seen = &all;
        } else if (SwitchIs(argument, "/L")) {
            seen = &into;
        } else if (argument.size() >= 5 && SwitchIs(argument.substr(0, 5), "/MAX:")) {
            seen = &capGiven;
            const auto cap = ParseSize(argument.substr(5));
            if (!cap) {
                std::fprintf(stderr, "extract: %s is not a size in bytes\n",
                             quorvane::tools::Quoted(argument).c_str());
                return std::nullopt;
            }
            if (*cap > kHighestCap) {
                std::fprintf(stderr, "extract: %s is more than the highest cap, 1G\n",
                             quorvane::tools::Quoted(argument).c_str());
                return std::nullopt;
            }
            line.cap = *cap;
        } else {
            std::fprintf(stderr, "extract: unknown switch %s\n",
                         quorvane::tools::Quoted(argument).c_str());
            return std::nullopt;
        }
        if (*seen) {
            std::fprintf(stderr, "extract: %s is given twice\n",
                         quorvane::tools::Quoted(argument).c_str());
            return std::nullopt;
        }
        *seen = true;
    }
    if (!replace || !all || !into) {
        return std::nullopt;
    }
    line.destination = argv[argc - 2];
    line.cabinet = argv[argc - 1];
    return line;
}

// The folder that will hold the destination: the destination itself when it
// exists, otherwise its nearest existing parent, whose file system the
// destination will be made on.
std::string ExistingAncestor(std::string path) {
    struct stat info {};
    while (!path.empty() && ::stat(path.c_str(), &info) != 0) {
        const auto slash = path.find_last_of('/');
        if (slash == std::string::npos) {
            return ".";
        }
        path = slash == 0 ? "/" : path.substr(0, slash);
    }
    return path.empty() ? "." : path;
}

// The whole of a regular file of at most cap bytes, or nothing with the
// reason on stderr.
std::optional<std::string> ReadCabinet(const std::string& path, std::uint64_t cap) {
    std::string error;
    const int fd = quorvane::tools::OpenRegularFile(path, "cabinet", error);
    if (fd < 0) {
        std::fprintf(stderr, "extract: %s\n", error.c_str());
        return std::nullopt;
    }
    std::string bytes;
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            std::fprintf(stderr, "extract: %s cannot be read: %s\n",
                         quorvane::tools::Quoted(path).c_str(), std::strerror(errno));
            ::close(fd);
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        if (bytes.size() + static_cast<std::size_t>(got) > cap) {
            std::fprintf(stderr, "extract: %s is larger than %s\n",
                         quorvane::tools::Quoted(path).c_str(), DescribeBytes(cap).c_str());
            ::close(fd);
            return std::nullopt;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return bytes;
}

// Whether other holds the same members as cabinet besides "content.xml",
// each read whole within cap and unsealed first when sealed; the reason on
// stderr when either cannot be read.
bool SameMembers(const char* cabinet, const char* other, std::uint64_t cap, bool sealed) {
    auto mine = ReadCabinet(cabinet, cap);
    if (!mine) {
        return false;
    }
    if (sealed) {
        quorvane::extract::UnsealPack(*mine);
    }
    const auto members = quorvane::extract::CabinetMembers(*mine, cap);
    if (!members) {
        std::fprintf(stderr, "extract: %s is not a cabinet of plain files within %s\n",
                     quorvane::tools::Quoted(cabinet).c_str(), DescribeBytes(cap).c_str());
        return false;
    }
    mine.reset();
    std::size_t size = 0;
    for (const auto& member : *members) {
        size += member.second.size();
    }
    auto theirs = ReadCabinet(other, cap);
    if (!theirs) {
        return false;
    }
    if (sealed) {
        quorvane::extract::UnsealPack(*theirs);
    }
    const auto found = quorvane::extract::CabinetMembers(*theirs, size);
    return found && *found == *members;
}

// extract /SAME [/MAX:<bytes>] [/SEALED] <cabinet> <other> [<cabinet> <other>]...
int CompareCabinets(int argc, char** argv) {
    std::uint64_t cap = kDefaultCap;
    bool capGiven = false;
    bool sealed = false;
    int first = 2;
    // Switches come first; a path is never taken for one while the pairs
    // after it would be incomplete.
    while (argc - first > 2) {
        const std::string_view argument = argv[first];
        if (!sealed && SwitchIs(argument, "/SEALED")) {
            sealed = true;
        } else if (!capGiven && argument.size() >= 5 && SwitchIs(argument.substr(0, 5), "/MAX:")) {
            const auto given = ParseSize(argument.substr(5));
            if (!given || *given > kHighestCap) {
                PrintUsage(stderr);
                return kUsage;
            }
            cap = *given;
            capGiven = true;
        } else {
            break;
        }
        ++first;
    }
    if (argc - first < 2 || (argc - first) % 2 != 0) {
        PrintUsage(stderr);
        return kUsage;
    }
    // One answer a line, each written as soon as it is known: a caller that
    // loses the tool half-way still has the answers before.
    int status = 0;
    for (int i = first; i < argc; i += 2) {
        const bool same = SameMembers(argv[i], argv[i + 1], cap, sealed);
        std::fputs(same ? "same\n" : "differs\n", stdout);
        std::fflush(stdout);
        if (!same) {
            status = kRefused;
        }
    }
    return status;
}

} // namespace

int main(int argc, char** argv) {
    // Under a file size limit (ulimit -f) a write beyond it fails with EFBIG,
    // which is reported and cleaned up like any other failed write, instead
    // of killing the tool with its temporary file left behind.
    std::signal(SIGXFSZ, SIG_IGN);
    using quorvane::tools::Printable;
    using quorvane::tools::Quoted;

    if (argc == 2 &&
        (SwitchIs(argv[1], "--HELP") || SwitchIs(argv[1], "-H") || SwitchIs(argv[1], "/?"))) {
        PrintUsage(stdout);
        return 0;
    }
    if (argc >= 2 && SwitchIs(argv[1], "/SAME")) {
        return CompareCabinets(argc, argv);
    }
    const auto line = Parse(argc, argv);
    if (!line) {
        PrintUsage(stderr);
        return kUsage;
    }

    quorvane::extract::FdSystem system;
    quorvane::extract::CabinetSet cabinet(system);
    std::string error;
    if (!cabinet.Open(line->cabinet, error)) {
        std::fprintf(stderr, "extract: %s\n", error.c_str());
        return kRefused;
    }

    // All or nothing on space and on the cap: a restore that stops half-way
    // is worse than one that never starts.
    std::uint64_t needed = 0;
    for (const mscabd_file* member = cabinet.Files(); member != nullptr; member = member->next) {
        needed += member->length;
    }
    // The cap first: a cabinet over it is refused for what it is, whatever
    // space happens to be free.
    if (needed > line->cap) {
        std::fprintf(stderr,
                     "extract: the members of %s add up to %llu bytes, more than the %s one "
                     "run may write; nothing was extracted. %s.\n",
                     Quoted(line->cabinet).c_str(), static_cast<unsigned long long>(needed),
                     DescribeBytes(line->cap).c_str(), kRaiseCap);
        return kRefused;
    }
    const std::string probe = ExistingAncestor(line->destination);
    struct statvfs space {};
    if (::statvfs(probe.c_str(), &space) != 0) {
        std::fprintf(stderr, "extract: cannot read the free space of %s: %s\n",
                     Quoted(probe).c_str(), std::strerror(errno));
        return kCannotWrite;
    }
    const std::uint64_t available =
        static_cast<std::uint64_t>(space.f_bavail) * static_cast<std::uint64_t>(space.f_frsize);
    if (needed > available) {
        std::fprintf(stderr,
                     "extract: the cabinet's members need %llu bytes but only %llu are free "
                     "at %s; nothing was extracted\n",
                     static_cast<unsigned long long>(needed),
                     static_cast<unsigned long long>(available), Quoted(probe).c_str());
        return kCannotWrite;
    }
    system.SetRunLimit(line->cap);

    quorvane::extract::CreatedByRun created;
    auto folder = quorvane::extract::SafeFolder::OpenDestination(line->destination, created, error);
    if (!folder) {
        std::fprintf(stderr, "extract: %s; nothing was extracted\n", error.c_str());
        return kCannotWrite;
    }
    quorvane::extract::MemberExtractor extractor(cabinet.Decompressor(), system, *folder, created);
    std::size_t failed = 0;
    for (mscabd_file* member = cabinet.Files(); member != nullptr; member = member->next) {
        using Outcome = quorvane::extract::MemberExtractor::Outcome;
        const Outcome outcome = extractor.Extract(member);
        if (outcome == Outcome::kCannotWrite) {
            const bool removed = created.Remove(folder->Fd());
            std::fprintf(stderr, "extract: %s could not be written into; stopped, and %s\n",
                         Quoted(line->destination).c_str(),
                         removed ? "every file and folder this run created was removed"
                                 : "some of what this run created could not be removed");
            return kCannotWrite;
        }
        if (outcome == Outcome::kStopped) {
            const bool removed = created.Remove(folder->Fd());
            std::fprintf(stderr,
                         "extract: %s wrote more than its members declare and reached the %s "
                         "one run may write; stopped, and %s. %s.\n",
                         Quoted(line->cabinet).c_str(), DescribeBytes(line->cap).c_str(),
                         removed ? "every file and folder this run created was removed"
                                 : "some of what this run created could not be removed",
                         kRaiseCap);
            return kRefused;
        }
        if (outcome == Outcome::kRefused) {
            ++failed;
        }
    }
    if (failed != 0) {
        std::fprintf(stderr, "extract: %zu member(s) of \"%s\" were not extracted\n", failed,
                     Printable(line->cabinet).c_str());
        return kRefused;
    }
    return 0;
}
