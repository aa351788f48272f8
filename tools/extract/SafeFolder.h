#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quorvane::extract {

// What one run added: folders outside the destination (its missing parents
// and the destination itself), then folders and files below it, in the
// order they appeared. A run that has to stop half-way removes them again,
// so it leaves nothing behind but files it replaced.
class CreatedByRun {
public:
    void OuterFolder(std::string path) { m_outer.push_back(std::move(path)); }
    void Inner(std::vector<std::string> parts, bool folder) {
        m_inner.push_back({std::move(parts), folder});
    }

    // Removes everything recorded, newest first, below destinationFd never
    // following a link. False when something could not be removed (a folder
    // that someone else filled meanwhile is left as it is).
    bool Remove(int destinationFd) const;

private:
    struct Entry {
        std::vector<std::string> parts; // below the destination
        bool folder;
    };
    std::vector<std::string> m_outer;
    std::vector<Entry> m_inner;
};

// An open folder below which members are placed. Everything is reached from
// the destination's descriptor one name at a time, with O_NOFOLLOW, so a
// symbolic link planted inside the destination (by an earlier member or by
// anyone else) cannot carry a write outside it.
class SafeFolder {
public:
    // Creates the destination and its missing parents and opens it. Links
    // among the parents are followed (the user named this path), but the
    // destination itself must be a real folder: a link there would send
    // every member somewhere the user did not name.
    static std::optional<SafeFolder> OpenDestination(const std::string& path, CreatedByRun& created,
                                                     std::string& error);

    SafeFolder(SafeFolder&& other) noexcept;
    SafeFolder& operator=(SafeFolder&& other) noexcept;
    SafeFolder(const SafeFolder&) = delete;
    SafeFolder& operator=(const SafeFolder&) = delete;
    ~SafeFolder();

    int Fd() const { return m_fd; }

    // The folder reached by the first count parts, each created when
    // missing (and recorded); refuses a part that is a symbolic link or not
    // a folder.
    std::optional<SafeFolder> Descend(const std::vector<std::string>& parts, std::size_t count,
                                      CreatedByRun& created, std::string& error) const;

private:
    explicit SafeFolder(int fd) : m_fd(fd) {}

    int m_fd = -1;
};

} // namespace quorvane::extract
