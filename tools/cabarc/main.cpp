// cabarc: packs files into a new MSZIP cabinet.
//
//   cabarc N <pack> <file> [<file> ...]
//   cabarc N <pack> <folder>/*.*
//
// The backup engine runs it with exactly these argument vectors; the
// command line is the one a Windows cabinet archiver takes, so a pack made
// here reads like one made there.

#include "PackInputs.h"
#include "PackWriter.h"
#include "Utf8.h"

#include <csignal>
#include <cstdio>
#include <string>

#include <sys/stat.h>

namespace {

void PrintUsage(std::FILE* to) {
    std::fputs("Usage: cabarc N <pack> <file> [<file> ...]\n"
               "       cabarc N <pack> <folder>/*.*\n"
               "\n"
               "Writes a new MSZIP cabinet <pack> holding the files under their bare\n"
               "names. \"<folder>/*.*\" (or \"<folder>/*\") stands for every regular file of\n"
               "the folder, names without a dot included, subfolders not. The pack is\n"
               "written beside itself under a temporary name and then replaces <pack>.\n"
               "\n"
               "Refused: more than 65535 files, more than 2147450880 bytes in all, a\n"
               "missing input, an input that is not a regular file (a FIFO, a device),\n"
               "two inputs with the same name.\n",
               to);
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "cabarc: %s\n", message.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    // Under a file size limit (ulimit -f) a write beyond it fails with EFBIG,
    // which is reported and cleaned up like any other failed write, instead
    // of killing the tool with its temporary file left behind.
    std::signal(SIGXFSZ, SIG_IGN);
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h" ||
                      std::string(argv[1]) == "/?")) {
        PrintUsage(stdout);
        return 0;
    }
    if (argc < 2) {
        PrintUsage(stderr);
        return 2;
    }
    const std::string command = argv[1];
    if (command != "N" && command != "n") {
        std::fprintf(stderr, "cabarc: unknown command %s; only N (new cabinet) is known\n",
                     quorvane::tools::Quoted(command).c_str());
        return 2;
    }
    if (argc < 4) {
        std::fputs("cabarc: N needs a pack and at least one file\n", stderr);
        PrintUsage(stderr);
        return 2;
    }

    const std::string packPath = argv[2];
    quorvane::cabarc::PackInputs inputs;
    struct stat pack {};
    if (::stat(packPath.c_str(), &pack) == 0) {
        inputs.ExcludePack(pack.st_dev, pack.st_ino);
    }
    std::string error;
    for (int i = 3; i < argc; ++i) {
        if (!inputs.Add(argv[i], error)) {
            return Fail(error);
        }
    }
    if (!inputs.Check(error)) {
        return Fail(error);
    }
    quorvane::cabarc::PackWriter writer(packPath);
    if (!writer.Write(inputs.Files(), error)) {
        return Fail(error);
    }
    return 0;
}
