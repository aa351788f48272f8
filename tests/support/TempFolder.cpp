#include "support/TempFolder.h"

#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/SystemFolders.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace quorvane::test {

namespace {

// 64-bit FNV-1a: enough to tell two versions of a test file apart, and free
// of any library.
std::string HashHex(std::string_view bytes) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

} // namespace

TempFolder::TempFolder() {
    std::string base = "/tmp";
    if (const char* tmp = std::getenv("TMPDIR"); tmp != nullptr && *tmp != '\0')
        base = tmp;
    std::string pattern = JoinPath(base, "quorvane-test-XXXXXX");
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder under " + base + ": " +
                                 std::strerror(errno));
    m_path = pattern;
}

TempFolder::~TempFolder() {
    namespace fs = std::filesystem;
    // Tests make folders read-only; give the permissions back first, so an
    // unprivileged run can remove them.
    std::error_code ignored;
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ignored);
    for (auto it = fs::recursive_directory_iterator(m_path, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        if (it->is_directory(ignored) && !it->is_symlink(ignored))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    // DeleteTree removes symbolic links as links, so a test that plants a
    // link to a real folder never takes that folder with it.
    SystemFolders::DeleteTree(m_path);
}

std::string TempFolder::operator/(std::string_view name) const {
    return JoinPath(m_path, name);
}

void WriteFile(const std::string& path, std::string_view bytes) {
    const std::string parent = ParentFolder(path);
    if (!parent.empty() && !MakeFolders(parent))
        throw std::runtime_error("cannot create the folder " + parent);
    if (!WriteWholeFile(path, bytes))
        throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path) {
    auto bytes = ReadRegularFile(path);
    if (!bytes)
        throw std::runtime_error("cannot read " + path + ": " + bytes.error().sentence);
    return *bytes;
}

std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::map<std::string, std::string> SnapshotTree(const std::string& folder) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> snapshot;
    // The iterator does not descend into linked folders, and a link itself
    // is not a regular file here: only what really lies below is counted.
    for (auto it = fs::recursive_directory_iterator(folder);
         it != fs::recursive_directory_iterator(); ++it) {
        if (!it->is_symlink() && it->is_regular_file()) {
            const std::string path = it->path().string();
            snapshot[it->path().lexically_relative(folder).string()] = HashHex(ReadFile(path));
        }
    }
    return snapshot;
}

} // namespace quorvane::test
