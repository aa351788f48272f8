// cabarc: packs files into a new MSZIP cabinet.
//
//   cabarc N <pack> <file> [<file> ...]
//
// The backup engine runs it with exactly this argument vector; the command
// line is the one a Windows cabinet archiver takes, so a pack made here reads
// like one made there. Unlike that archiver it expands no wildcards: the
// engine names every file it packs, and a file name that came from a
// stranger's data must never stand for other files.

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
               "\n"
               "Writes a new MSZIP cabinet <pack> holding the files, in the order given,\n"
               "under their bare names. Each <file> is one file, its name taken literally:\n"
               "\"*\" and \"?\" are no wildcards. The pack is written beside itself under a\n"
               "temporary name and then replaces <pack>.\n"
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
