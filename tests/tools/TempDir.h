#pragma once

#include <filesystem>
#include <string>

namespace quorvane::test {

// A fresh folder under the system's temporary folder, removed with all its
// contents when the object goes. Removal never follows symbolic links, so a
// link planted by a test cannot make the clean-up reach outside.
class TempDir {
public:
    TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir();

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const std::string& relative) const { return m_path / relative; }

private:
    std::filesystem::path m_path;
};

} // namespace quorvane::test
