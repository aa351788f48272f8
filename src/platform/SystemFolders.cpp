#include "platform/SystemFolders.h"

#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/PrivateFolder.h"
#include "platform/ScratchFolder.h"

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quorvane {

namespace {

// Where a user folder falls back to when no home folder is known.
std::string HomeOrRoot() {
    const std::string home = HomeFolder();
    return home.empty() ? std::string("/") : home;
}

// Reads XDG_<NAME>_DIR from user-dirs.dirs, as the desktop does.
std::string XdgUserFolder(const char* key, const char* fallback) {
    std::string config;
    if (const char* env = std::getenv("XDG_CONFIG_HOME"); env != nullptr && *env == '/')
        config = env;
    else
        config = JoinPath(HomeOrRoot(), ".config");
    std::ifstream file(JoinPath(config, "user-dirs.dirs"));
    std::string line;
    const std::string wanted = std::string(key) + "=";
    while (std::getline(file, line)) {
        if (line.rfind(wanted, 0) != 0)
            continue;
        std::string value = line.substr(wanted.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.rfind("$HOME", 0) == 0)
            value = HomeOrRoot() + value.substr(5);
        if (!value.empty() && value.front() == '/') {
            while (value.size() > 1 && value.back() == '/')
                value.pop_back();
            return value;
        }
    }
    return JoinPath(HomeOrRoot(), fallback);
}

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

std::vector<std::string> SortedEntries(DIR* dir) {
    std::vector<std::string> names;
    while (const dirent* entry = readdir(dir)) {
        std::string_view name = entry->d_name;
        if (name != "." && name != "..")
            names.emplace_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Removes everything inside the folder open as dirFd; never follows a
// symbolic link (a link is removed as a link).
bool DeleteContents(int dirFd) {
    int dupFd = dup(dirFd);
    if (dupFd < 0)
        return false;
    std::unique_ptr<DIR, DirCloser> dir(fdopendir(dupFd));
    if (!dir) {
        close(dupFd);
        return false;
    }
    bool all = true;
    for (const std::string& name : SortedEntries(dir.get())) {
        struct stat info {};
        if (fstatat(dirFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
            all = false;
            continue;
        }
        if (S_ISDIR(info.st_mode)) {
            int child =
                openat(dirFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (child < 0) {
                all = false;
                continue;
            }
            all = DeleteContents(child) && all;
            close(child);
            if (unlinkat(dirFd, name.c_str(), AT_REMOVEDIR) != 0)
                all = false;
        } else if (unlinkat(dirFd, name.c_str(), 0) != 0) {
            all = false;
        }
    }
    return all;
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool Match(std::string_view name, std::string_view pattern) {
    // Iterative wildcard match with backtracking to the last "*": linear
    // enough for file names and free of recursion.
    std::size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() &&
            (pattern[p] == '?' || AsciiLower(pattern[p]) == AsciiLower(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

// Calls visit(folder, name, isDirectory) for each entry of the pattern's
// folder matching its last part, in name order, until visit returns true.
template <typename Visit> bool ForEachMatch(const std::string& pattern, Visit visit) {
    const std::string parent = ParentFolder(pattern);
    const std::string folder = parent.empty() ? std::string(".") : parent;
    const std::string last = BaseName(pattern);
    if (last.find_first_of("*?") == std::string::npos) {
        struct stat info {};
        if (lstat(pattern.c_str(), &info) != 0)
            return false;
        return visit(folder, last, S_ISDIR(info.st_mode));
    }
    std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
    if (!dir)
        return false;
    for (const std::string& name : SortedEntries(dir.get())) {
        if (!SystemFolders::MatchesPattern(name, last))
            continue;
        struct stat info {};
        if (fstatat(dirfd(dir.get()), name.c_str(), &info, 0) != 0)
            continue;
        if (visit(folder, name, S_ISDIR(info.st_mode)))
            return true;
    }
    return false;
}

} // namespace

SystemFolders::SystemFolders(const Clock& clock, Pause& pause) : m_clock(clock), m_pause(pause) {}

SystemFolders::~SystemFolders() = default;
SystemFolders::SystemFolders(SystemFolders&&) noexcept = default;

void SystemFolders::Locate(const std::string& windows) {
    programFolder = ExecutableFolder();
    tempFolder = TemporaryFolder();
    windowsFolder = windows;
    privateFolder = PrivateFolderPath();
    desktopFolder = XdgDesktopFolder();
    // Messenger-era Windows kept documents beside the desktop; where that
    // folder does not exist the user's real documents folder is meant.
    documentsFolder = CodePage::Ansi().ReplaceAll(desktopFolder, "Desktop", "My Documents");
    if (!IsDirectory(documentsFolder))
        documentsFolder = XdgDocumentsFolder();
}

Result<> SystemFolders::MakeWorkFolder() {
    m_pause.Wait(100);
    m_work.reset();
    workFolder.clear();
    if (Result<> ensured = EnsurePrivateFolder(privateFolder); !ensured)
        return ensured;
    SweepStaleScratch(privateFolder, "work-");
    Result<std::unique_ptr<ScratchFolder>> made = ScratchFolder::Make(privateFolder, "work-");
    if (!made)
        return Fail(std::move(made.error()));
    m_work = std::move(*made);
    workFolder = m_work->Path();
    return {};
}

Result<> SystemFolders::DeleteTree(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return Fail(SystemFailure(errno));
    DeleteContents(fd);
    close(fd);
    if (rmdir(path.c_str()) != 0)
        return Fail(SystemFailure(errno));
    return {};
}

bool SystemFolders::FileExists(const std::string& pattern) {
    return ForEachMatch(pattern, [](const std::string&, const std::string&, bool) { return true; });
}

std::optional<std::string> SystemFolders::FindFirstMatch(const std::string& pattern) {
    std::optional<std::string> found;
    ForEachMatch(pattern, [&](const std::string& folder, const std::string& name, bool isDir) {
        if (isDir)
            return false;
        found = JoinPath(folder, name);
        return true;
    });
    return found;
}

bool SystemFolders::MatchesPattern(std::string_view name, std::string_view pattern) {
    // On Windows "*.*" matches every name, including names without a dot.
    if (pattern == "*.*" || pattern == "*")
        return true;
    return Match(name, pattern);
}

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr)
        return entry->pw_dir;
    return {};
}

std::string TemporaryFolder() {
    std::string folder = "/tmp";
    if (const char* env = std::getenv("TMPDIR"); env != nullptr && *env != '\0')
        folder = AbsolutePath(env);
    if (folder.back() != '/')
        folder.push_back('/');
    return folder;
}

std::string TemporaryFolderPath() {
    std::string folder = TemporaryFolder();
    if (folder.size() > 1)
        folder.pop_back();
    return folder;
}

std::string XdgDesktopFolder() {
    return XdgUserFolder("XDG_DESKTOP_DIR", "Desktop");
}

std::string XdgDocumentsFolder() {
    return XdgUserFolder("XDG_DOCUMENTS_DIR", "Documents");
}

std::string ExecutableFolder() {
    std::vector<char> buffer(4096);
    ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0)
        return {};
    return ParentFolder(std::string_view(buffer.data(), static_cast<std::size_t>(length)));
}

std::string ProgramDataFolder() {
    // Relative to the program, so a build tree and any install prefix work
    // without being told where they are.
    // "bin/../share/quorvane" read as ".../share/quorvane" in messages.
    return std::filesystem::path(JoinPath(ExecutableFolder(), QUORVANE_DATA_FROM_BIN))
        .lexically_normal()
        .string();
}

} // namespace quorvane
