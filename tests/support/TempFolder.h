#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::test {

// A fresh folder under the temporary folder, deleted with everything in it
// when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string operator/(std::string_view name) const;

private:
    std::string m_path;
};

// Writes a file, creating its folders.
void WriteFile(const std::string& path, std::string_view bytes);
std::string ReadFile(const std::string& path);
// The names of a folder's entries, sorted.
std::vector<std::string> FolderNames(const std::string& folder);

// Every regular file below folder, by path relative to it, with a hash of its
// bytes: two snapshots compare equal when nothing was added, removed or
// changed.
std::map<std::string, std::string> SnapshotTree(const std::string& folder);

} // namespace quorvane::test
