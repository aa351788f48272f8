#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quorvane::extract {

// An open folder below which members are placed. Everything is reached from
// the destination's descriptor one name at a time, with O_NOFOLLOW, so a
// symbolic link planted inside the destination (by an earlier member or by
// anyone else) cannot carry a write outside it.
class SafeFolder {
public:
    // Creates the destination and its missing parents (the user named this
    // path, so links in it are followed) and opens it.
    static std::optional<SafeFolder> OpenDestination(const std::string& path, std::string& error);

    SafeFolder(SafeFolder&& other) noexcept;
    SafeFolder& operator=(SafeFolder&& other) noexcept;
    SafeFolder(const SafeFolder&) = delete;
    SafeFolder& operator=(const SafeFolder&) = delete;
    ~SafeFolder();

    int Fd() const { return m_fd; }

    // The folder reached by the first count parts, each created when
    // missing; refuses a part that is a symbolic link or not a folder.
    std::optional<SafeFolder> Descend(const std::vector<std::string>& parts, std::size_t count,
                                      std::string& error) const;

private:
    explicit SafeFolder(int fd) : m_fd(fd) {}

    int m_fd = -1;
};

} // namespace quorvane::extract
