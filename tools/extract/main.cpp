// extract: expands every member of a cabinet into a folder.
//
//   extract /Y /E /L <folder> <cabinet>
//
// The command line is the one the Windows cabinet expander takes (/Y: replace
// without asking, /E: all members, /L: into this folder). A cabinet is input
// from outside, so nothing it says may place a file outside <folder>.

#include "CabinetSet.h"
#include "FdSystem.h"
#include "MemberExtractor.h"
#include "SafeFolder.h"
#include "Utf8.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include <sys/stat.h>
#include <sys/statvfs.h>

namespace {

void PrintUsage(std::FILE* to) {
    std::fputs("Usage: extract /Y /E /L <folder> <cabinet>\n"
               "\n"
               "Expands every member of <cabinet> into <folder>, creating it when missing\n"
               "and replacing files already there. Members whose names climb out of the\n"
               "folder (\"..\") or are not valid are refused; the others are still\n"
               "extracted. The exit status is 0 only when every member was extracted.\n",
               to);
}

std::string Upper(std::string text) {
    for (auto& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
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

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h" ||
                      std::string(argv[1]) == "/?")) {
        PrintUsage(stdout);
        return 0;
    }
    std::set<std::string> switches;
    for (int i = 1; i < argc && i <= 3; ++i) {
        switches.insert(Upper(argv[i]));
    }
    if (argc != 6 || switches != std::set<std::string>{"/Y", "/E", "/L"}) {
        PrintUsage(stderr);
        return 2;
    }
    const std::string destination = argv[4];
    const std::string cabinetPath = argv[5];

    quorvane::extract::FdSystem system;
    quorvane::extract::CabinetSet cabinet(system);
    std::string error;
    if (!cabinet.Open(cabinetPath, error)) {
        std::fprintf(stderr, "extract: %s\n", error.c_str());
        return 1;
    }

    // All or nothing on space: a restore that stops half-way because the
    // disk filled up is worse than one that never starts.
    std::uint64_t needed = 0;
    for (const mscabd_file* member = cabinet.Files(); member != nullptr; member = member->next) {
        needed += member->length;
    }
    const std::string probe = ExistingAncestor(destination);
    struct statvfs space {};
    if (::statvfs(probe.c_str(), &space) != 0) {
        std::fprintf(stderr, "extract: cannot read the free space of \"%s\": %s\n",
                     quorvane::tools::Printable(probe).c_str(), std::strerror(errno));
        return 1;
    }
    const std::uint64_t available =
        static_cast<std::uint64_t>(space.f_bavail) * static_cast<std::uint64_t>(space.f_frsize);
    if (needed > available) {
        std::fprintf(stderr,
                     "extract: the cabinet's members need %llu bytes but only %llu are free "
                     "at \"%s\"; nothing was extracted\n",
                     static_cast<unsigned long long>(needed),
                     static_cast<unsigned long long>(available),
                     quorvane::tools::Printable(probe).c_str());
        return 1;
    }

    auto folder = quorvane::extract::SafeFolder::OpenDestination(destination, error);
    if (!folder) {
        std::fprintf(stderr, "extract: %s\n", error.c_str());
        return 1;
    }
    quorvane::extract::MemberExtractor extractor(cabinet.Decompressor(), system, *folder);
    std::size_t failed = 0;
    for (mscabd_file* member = cabinet.Files(); member != nullptr; member = member->next) {
        if (!extractor.Extract(member)) {
            ++failed;
        }
    }
    if (failed != 0) {
        std::fprintf(stderr, "extract: %zu member(s) of \"%s\" were not extracted\n", failed,
                     quorvane::tools::Printable(cabinetPath).c_str());
        return 1;
    }
    return 0;
}
