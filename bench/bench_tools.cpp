// What one run of each cabinet tool costs against its Debian counterpart on
// the same input, on the same machine, in the same run:
//
//   extract /Y /E /L <dir> <cab>   against   cabextract -q -d <dir> <cab>
//   cabarc N <pack> <files...>     against   gcab -c -z <pack> <files...>
//
// The input is the size of a real Wink: a cabinet of about 20 KB holding a
// picture and a Flash movie. At that size a run is almost all process start,
// so the figures show what the tools cost to start: loading and relocating
// their libraries, static initialisers, the C++ runtime.
//
// The two programs of a pair run alternately, the order swapped every other
// pair, so that drift in the machine's speed falls on both alike. Each run is
// timed from spawn to exit, with its output folder or pack removed before it
// (not timed), so every run does the same work. A Debian tool that is not
// installed is named and its pair skipped.
//
//   bench_tools [runs]   runs of each program (default 400)

#include "BenchSupport.h"

#include "platform/ProcessRunner.h"
#include "platform/ScratchFolder.h"
#include "platform/SystemFolders.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <numeric>
#include <string>
#include <vector>

#include <fcntl.h>
#include <ftw.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using quorvane::bench::ScratchFolder;

// A Wink's picture and movie; the cabinet of the two comes to about 20 KB.
constexpr int kPictureBytes = 18 * 1024;
constexpr int kMovieBytes = 12 * 1024;

// Deterministic bytes: each run of the benchmark packs the same input.
class Noise {
public:
    explicit Noise(std::uint64_t seed) : m_state(seed) {}
    unsigned char Next() {
        m_state = m_state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<unsigned char>(m_state >> 56);
    }

private:
    std::uint64_t m_state;
};

// A picture's data is already compressed, so it is as good as random to the
// cabinet's deflate: a PNG signature, then noise.
std::string Picture(std::size_t size) {
    std::string bytes = "\x89PNG\r\n\x1a\n";
    Noise noise(20080614);
    while (bytes.size() < size)
        bytes.push_back(static_cast<char>(noise.Next()));
    return bytes;
}

// An uncompressed Flash movie: a header, then tags that repeat with small
// changes, which deflate shrinks to a fraction as it does the real ones.
std::string Movie(std::size_t size) {
    std::string bytes = "FWS\x06";
    Noise noise(7);
    std::uint32_t frame = 0;
    while (bytes.size() < size) {
        bytes += "\x3f\x03PlaceObject2 depth=1 frame=";
        bytes += std::to_string(frame++);
        bytes.push_back(static_cast<char>(noise.Next() & 0x0F));
        bytes += "\x40\x00";
    }
    bytes.resize(size);
    const auto length = static_cast<std::uint32_t>(size);
    bytes.replace(4, 4,
                  {static_cast<char>(length), static_cast<char>(length >> 8),
                   static_cast<char>(length >> 16), static_cast<char>(length >> 24)});
    return bytes;
}

bool WriteAll(const std::string& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return ::close(fd) == 0 && done == bytes.size();
}

std::string ReadAll(const std::string& path) {
    std::string bytes;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return bytes;
    char buffer[65536];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, static_cast<std::size_t>(n));
    ::close(fd);
    return bytes;
}

void RemoveTree(const std::string& path) {
    ::nftw(
        path.c_str(),
        [](const char* entry, const struct stat*, int, struct FTW*) { return ::remove(entry); }, 16,
        FTW_DEPTH | FTW_PHYS);
}

// Runs a program with no input and its output dropped, as the backup engine
// does; the exit code, or -1 when it could not start or did not exit.
int Run(const std::vector<std::string>& arguments, const std::string& workingFolder = {}) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    if (!workingFolder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int rc = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return -1;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// One side of a pair: the command, and what to clear before each run.
struct Contender {
    std::string label;
    std::vector<std::string> arguments;
    std::string output; // removed before every run
    std::string workingFolder;
    std::vector<double> milliseconds;
};

bool TimeOnce(Contender& contender) {
    RemoveTree(contender.output);
    const auto start = std::chrono::steady_clock::now();
    const int exitCode = Run(contender.arguments, contender.workingFolder);
    const auto end = std::chrono::steady_clock::now();
    if (exitCode != 0) {
        std::fprintf(stderr, "bench_tools: \"%s\" exited with %d\n", contender.label.c_str(),
                     exitCode);
        return false;
    }
    contender.milliseconds.push_back(
        std::chrono::duration<double, std::milli>(end - start).count());
    return true;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

double Mean(const std::vector<double>& values) {
    return std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
}

// Runs the pair `runs` times each, interleaved, and prints both and the
// ratio; false when a run failed or its output was wrong.
bool ComparePair(Contender& ours, Contender& theirs, int runs,
                 const std::function<bool()>& checkOurs, const std::function<bool()>& checkTheirs) {
    // A first run of each, not counted: it loads the files into the page
    // cache and shows that both programs do the work asked of them.
    if (!TimeOnce(ours) || !checkOurs() || !TimeOnce(theirs) || !checkTheirs())
        return false;
    ours.milliseconds.clear();
    theirs.milliseconds.clear();
    for (int i = 0; i < runs; ++i) {
        Contender& first = i % 2 == 0 ? ours : theirs;
        Contender& second = i % 2 == 0 ? theirs : ours;
        if (!TimeOnce(first) || !TimeOnce(second))
            return false;
    }
    const double oursMedian = Median(ours.milliseconds);
    const double theirsMedian = Median(theirs.milliseconds);
    const double oursMean = Mean(ours.milliseconds);
    const double theirsMean = Mean(theirs.milliseconds);
    std::printf("  %-34s %9.3f %9.3f\n", ours.label.c_str(), oursMedian, oursMean);
    std::printf("  %-34s %9.3f %9.3f\n", theirs.label.c_str(), theirsMedian, theirsMean);
    std::printf("  %-34s %9.2f %9.2f\n\n", "ratio (ours / Debian's)", oursMedian / theirsMedian,
                oursMean / theirsMean);
    return true;
}

bool SameFile(const std::string& a, const std::string& b) {
    const std::string bytes = ReadAll(a);
    return !bytes.empty() && bytes == ReadAll(b);
}

bool ExtractedBoth(const std::string& folder, const std::string& inputs) {
    const bool same = SameFile(folder + "/wink.png", inputs + "/wink.png") &&
                      SameFile(folder + "/wink.swf", inputs + "/wink.swf");
    if (!same)
        std::fprintf(stderr, "bench_tools: %s does not hold the cabinet's two files\n",
                     folder.c_str());
    return same;
}

bool Packed(const std::string& pack) {
    struct stat info {};
    const bool made = ::stat(pack.c_str(), &info) == 0 && info.st_size > 0;
    if (!made)
        std::fprintf(stderr, "bench_tools: %s was not written\n", pack.c_str());
    return made;
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 400;
    if (runs < 1) {
        std::fputs("usage: bench_tools [runs]\n", stderr);
        return 2;
    }
    const std::string programFolder = quorvane::ExecutableFolder();
    const std::string extract = quorvane::FindTool("extract", programFolder);
    const std::string cabarc = quorvane::FindTool("cabarc", programFolder);
    if (extract.empty() || cabarc.empty()) {
        std::fputs("bench_tools: the cabinet tools are not built beside the benchmark\n", stderr);
        return 1;
    }
    const std::string cabextract = quorvane::FindTool("cabextract", {});
    const std::string gcab = quorvane::FindTool("gcab", {});

    ScratchFolder scratch;
    const std::string inputs = scratch / "inputs";
    ::mkdir(inputs.c_str(), 0755);
    const std::string picture = inputs + "/wink.png";
    const std::string movie = inputs + "/wink.swf";
    if (!WriteAll(picture, Picture(kPictureBytes)) || !WriteAll(movie, Movie(kMovieBytes))) {
        std::fputs("bench_tools: cannot write the input files\n", stderr);
        return 1;
    }
    // The cabinet both expanders read, made once by our own archiver as the
    // backup makes its packs.
    const std::string cabinet = scratch / "wink.cab";
    if (Run({cabarc, "N", cabinet, picture, movie}) != 0 || !Packed(cabinet))
        return 1;
    struct stat cabinetInfo {};
    ::stat(cabinet.c_str(), &cabinetInfo);

    std::printf("bench_tools: %d runs of each program, pairs interleaved\n", runs);
    std::printf("cabinet: %lld bytes holding wink.png (%d bytes) and wink.swf (%d bytes)\n\n",
                static_cast<long long>(cabinetInfo.st_size), kPictureBytes, kMovieBytes);
    std::printf("  %-34s %9s %9s\n", "", "median ms", "mean ms");

    bool sound = true;
    if (cabextract.empty()) {
        std::puts("  cabextract is not installed (Debian package cabextract): extract pair "
                  "skipped\n");
    } else {
        const std::string oursDir = scratch / "by-extract";
        const std::string theirsDir = scratch / "by-cabextract";
        Contender ours{"extract /Y /E /L dir cab",
                       {extract, "/Y", "/E", "/L", oursDir, cabinet},
                       oursDir,
                       {},
                       {}};
        Contender theirs{"cabextract -q -d dir cab",
                         {cabextract, "-q", "-d", theirsDir, cabinet},
                         theirsDir,
                         {},
                         {}};
        sound = ComparePair(
                    ours, theirs, runs, [&] { return ExtractedBoth(oursDir, inputs); },
                    [&] { return ExtractedBoth(theirsDir, inputs); }) &&
                sound;
    }
    if (gcab.empty()) {
        std::puts("  gcab is not installed (Debian package gcab): cabarc pair skipped\n");
    } else {
        const std::string oursPack = scratch / "by-cabarc.msn";
        const std::string theirsPack = scratch / "by-gcab.cab";
        // Both run in the inputs' folder and are given bare names: gcab
        // stores a name with the folders it was given.
        Contender ours{"cabarc N pack files",
                       {cabarc, "N", oursPack, "wink.png", "wink.swf"},
                       oursPack,
                       inputs,
                       {}};
        Contender theirs{"gcab -c -z pack files",
                         {gcab, "-c", "-z", theirsPack, "wink.png", "wink.swf"},
                         theirsPack,
                         inputs,
                         {}};
        sound = ComparePair(
                    ours, theirs, runs, [&] { return Packed(oursPack); },
                    [&] { return Packed(theirsPack); }) &&
                sound;
    }
    return sound ? 0 : 1;
}
