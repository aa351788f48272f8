// diskimage: finds the Windows users on an old computer's disk image and
// copies out what Quorvane reads of one of them.
//
//   diskimage /USERS <image>
//   diskimage /COPY [/PART:<n>] [/USER:<name>] [/MAX:<bytes>] <image> <folder>
//
// A disk image is input from outside like a cabinet: it is read here, in a
// process of its own under limits of memory and processor time, and never
// in the program that asks. The image is opened read-only and never written.
// Only the folders named below are looked into (the users' folders at each
// volume's root, then a user's application data), so a disk with millions
// of files is searched in moments.
//
// Output, one record a line, fields split by tabs:
//   /USERS  "volume\t<n>\t<what>" for each Windows file system found, then
//           "user\t<n>\t<messenger|none>\t<name>" for each user's folder;
//   /COPY   the user chosen, as /USERS names it, then
//           "progress\t<files>\t<bytes>" after each file copied. Without
//           /USER it copies the one user with Messenger data; without /PART
//           it looks on every partition. When not one user fits, it prints
//           what /USERS prints and ends with status 5.
// <folder> must be an empty folder; it receives the user's Microsoft/Protect
// and Microsoft/MSN Messenger folders at their paths from the volume's root
// ("Users/<name>/AppData/Roaming/Microsoft/...").

#include "DiskImage.h"
#include "WindowsUsers.h"

#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using namespace quorvane::diskimage;

// Whose fault a failure is, as for the cabinet tools: the image's, the
// command line's, or the destination's.
constexpr int kRefused = 1;
constexpr int kUsage = 2;
constexpr int kCannotWrite = 3;
// Readable as an image, but with no NTFS or FAT volume on it: a caller words
// this one itself.
constexpr int kNoVolume = 4;
// /COPY was not told of one user, and the image holds not one that fits:
// the users found are printed as /USERS prints them.
constexpr int kNotOneUser = 5;

constexpr std::uint64_t kMiB = 1024 * 1024;
constexpr std::uint64_t kDefaultCap = 1024 * kMiB;
constexpr std::uint64_t kHighestCap = 16 * 1024 * kMiB;

void PrintUsage(std::FILE* to) {
    std::fputs("Usage: diskimage /USERS <image>\n"
               "       diskimage /COPY [/PART:<n>] [/USER:<name>] [/MAX:<bytes>] <image> <folder>\n"
               "\n"
               "/USERS lists the Windows file systems on <image> and the users' folders on\n"
               "them. /COPY copies one user's Microsoft/Protect and Microsoft/MSN Messenger\n"
               "folders (the user named, else the one with Messenger data; status 5 and the\n"
               "users found when not one fits) into the empty <folder>, at most 1G in all\n"
               "unless /MAX says otherwise (K, M and G stand for 1024, 1024^2 and 1024^3).\n"
               "The image is only read.\n",
               to);
}

bool SwitchIs(std::string_view argument, std::string_view name) {
    return argument.size() >= name.size() && SameName(argument.substr(0, name.size()), name);
}

std::optional<std::uint64_t> ParseSize(std::string_view text) {
    std::uint64_t unit = 1;
    if (!text.empty()) {
        switch (text.back()) {
        case 'K':
        case 'k':
            unit = 1024;
            break;
        case 'M':
        case 'm':
            unit = kMiB;
            break;
        case 'G':
        case 'g':
            unit = 1024 * kMiB;
            break;
        default:
            break;
        }
        if (unit != 1)
            text.remove_suffix(1);
    }
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value == 0 ||
        value > kHighestCap / unit)
        return std::nullopt;
    return value * unit;
}

// Limits that hold whatever the image says: The Sleuth Kit is careful, but
// a made-up volume must not be able to take the machine's memory or keep a
// processor busy for good. Not under the sanitizers, whose shadow memory
// needs an address space of terabytes.
void LimitResources() {
#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define QUORVANE_SHADOW_MEMORY 1
#endif
#endif
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__) &&                             \
    !defined(QUORVANE_SHADOW_MEMORY)
    const rlimit memory{2048 * kMiB, 2048 * kMiB};
    setrlimit(RLIMIT_AS, &memory);
#endif
    const rlimit processor{300, 310};
    setrlimit(RLIMIT_CPU, &processor);
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
}

// The image with at least one Windows volume, or null with the exit status
// that says why not.
std::unique_ptr<DiskImage> OpenImage(const std::string& path, int& status) {
    std::string error;
    std::unique_ptr<DiskImage> image = DiskImage::Open(path, error);
    if (!image) {
        std::fprintf(stderr, "diskimage: %s\n", error.c_str());
        status = kRefused;
        return nullptr;
    }
    if (image->Volumes().empty()) {
        std::fprintf(stderr, "diskimage: no NTFS or FAT file system on %s\n", path.c_str());
        status = kNoVolume;
        return nullptr;
    }
    return image;
}

void PrintUsers(const DiskImage& image, const std::vector<WindowsUser>& users) {
    for (const Volume& volume : image.Volumes())
        std::printf("volume\t%d\t%s\n", volume.number, volume.description.c_str());
    for (const WindowsUser& user : users)
        std::printf("user\t%d\t%s\t%s\n", user.partition, user.messenger ? "messenger" : "none",
                    user.name.c_str());
}

int ListUsers(const std::string& path) {
    int status = 0;
    const std::unique_ptr<DiskImage> image = OpenImage(path, status);
    if (!image)
        return status;
    PrintUsers(*image, FindUsers(*image));
    return std::fflush(stdout) == 0 ? 0 : kCannotWrite;
}

int CopyUser(const std::string& path, int partition, const std::string& name, std::uint64_t cap,
             const std::string& destination) {
    const int destinationFd =
        ::open(destination.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (destinationFd < 0) {
        std::fprintf(stderr, "diskimage: cannot open the folder %s: %s\n", destination.c_str(),
                     std::strerror(errno));
        return kCannotWrite;
    }
    int status = 0;
    const std::unique_ptr<DiskImage> image = OpenImage(path, status);
    if (!image) {
        ::close(destinationFd);
        return status;
    }
    // The user named (as stored, else ignoring case) on the partition given
    // (0: any); without a name, the one user with Messenger data.
    const std::vector<WindowsUser> users = FindUsers(*image);
    std::vector<const WindowsUser*> named;
    for (bool exact : {true, false}) {
        for (const WindowsUser& user : users) {
            const bool matches = name.empty() ? user.messenger
                                 : exact      ? user.name == name
                                              : SameName(user.name, name);
            if (matches && (partition == 0 || user.partition == partition))
                named.push_back(&user);
        }
        if (!named.empty() || name.empty())
            break;
    }
    if (named.size() != 1) {
        // Not one: the caller says so, with the users found.
        PrintUsers(*image, users);
        ::close(destinationFd);
        return kNotOneUser;
    }
    const WindowsUser* chosen = named.front();
    std::printf("user\t%d\t%s\t%s\n", chosen->partition, chosen->messenger ? "messenger" : "none",
                chosen->name.c_str());
    const CopyLimits limits{cap, 256 * kMiB, 100000, 32};
    const auto progress = [](std::uint64_t files, std::uint64_t bytes) {
        std::printf("progress\t%llu\t%llu\n", static_cast<unsigned long long>(files),
                    static_cast<unsigned long long>(bytes));
        std::fflush(stdout);
    };
    std::string error;
    const bool copied = CopyUserData(*image, *chosen, destinationFd, limits, progress, error);
    ::close(destinationFd);
    if (!copied) {
        std::fprintf(stderr, "diskimage: %s\n", error.c_str());
        return error.rfind("cannot create", 0) == 0 || error.rfind("cannot write", 0) == 0
                   ? kCannotWrite
                   : kRefused;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // A closed pipe makes the write fail instead of killing the tool.
    std::signal(SIGPIPE, SIG_IGN);
    LimitResources();
    std::vector<std::string_view> arguments(argv + 1, argv + argc);
    if (arguments.size() == 2 && SwitchIs(arguments[0], "/USERS") && arguments[0].size() == 6)
        return ListUsers(std::string(arguments[1]));
    if (arguments.empty() || !SwitchIs(arguments[0], "/COPY") || arguments[0].size() != 5) {
        PrintUsage(stderr);
        return kUsage;
    }
    int partition = 0;
    std::optional<std::string> user;
    std::uint64_t cap = kDefaultCap;
    std::vector<std::string> paths;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (SwitchIs(argument, "/PART:")) {
            const std::string_view number = argument.substr(6);
            const auto [end, error] =
                std::from_chars(number.data(), number.data() + number.size(), partition);
            if (error != std::errc() || end != number.data() + number.size() || partition < 1) {
                std::fprintf(stderr, "diskimage: not a partition number: %s\n", argv[i + 1]);
                return kUsage;
            }
        } else if (SwitchIs(argument, "/USER:")) {
            user = std::string(argument.substr(6));
        } else if (SwitchIs(argument, "/MAX:")) {
            const std::optional<std::uint64_t> parsed = ParseSize(argument.substr(5));
            if (!parsed) {
                std::fprintf(stderr, "diskimage: not a size from 1 to 16G: %s\n", argv[i + 1]);
                return kUsage;
            }
            cap = *parsed;
        } else {
            paths.emplace_back(argument);
        }
    }
    if ((user && user->empty()) || paths.size() != 2) {
        PrintUsage(stderr);
        return kUsage;
    }
    return CopyUser(paths[0], partition, user.value_or(""), cap, paths[1]);
}
