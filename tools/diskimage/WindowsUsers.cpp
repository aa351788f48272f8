#include "WindowsUsers.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <set>
#include <unordered_map>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane::diskimage {

namespace {

struct CloseDir {
    void operator()(TSK_FS_DIR* dir) const { tsk_fs_dir_close(dir); }
};
struct CloseFile {
    void operator()(TSK_FS_FILE* file) const { tsk_fs_file_close(file); }
};
using DirHandle = std::unique_ptr<TSK_FS_DIR, CloseDir>;
using FileHandle = std::unique_ptr<TSK_FS_FILE, CloseFile>;

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

std::optional<Entry> Find(TSK_FS_INFO* fs, TSK_INUM_T folder, std::string_view name) {
    std::vector<Entry> entries;
    std::string ignored;
    if (!ListFolder(fs, folder, entries, ignored))
        return std::nullopt;
    for (Entry& entry : entries) {
        if (SameName(entry.name, name))
            return std::move(entry);
    }
    return std::nullopt;
}

// Follows names down from folder, each a folder; the names as stored are
// added to path.
std::optional<TSK_INUM_T> FindFolder(TSK_FS_INFO* fs, TSK_INUM_T folder,
                                     std::initializer_list<std::string_view> names,
                                     std::vector<std::string>& path) {
    for (std::string_view name : names) {
        std::optional<Entry> entry = Find(fs, folder, name);
        if (!entry || !entry->folder)
            return std::nullopt;
        path.push_back(entry->name);
        folder = entry->inode;
    }
    return folder;
}

bool IsPlainName(const std::string& name) {
    if (name.empty() || name == "." || name == ".." || name.size() > 255)
        return false;
    for (unsigned char c : name) {
        if (c < 0x20 || c == '/')
            return false;
    }
    return true;
}

class Copier {
public:
    Copier(TSK_FS_INFO* fs, const CopyLimits& limits,
           const std::function<void(std::uint64_t, std::uint64_t)>& progress)
        : m_fs(fs), m_limits(limits), m_progress(progress) {}

    bool CopyFolder(TSK_INUM_T folder, int destinationFd, int depth, std::string& error) {
        if (depth > m_limits.depth) {
            error = "folders on the image are nested more than " + std::to_string(m_limits.depth) +
                    " deep";
            return false;
        }
        // A folder reached twice (a loop in a damaged or made-up volume) is
        // copied once.
        if (!m_visited.insert(folder).second)
            return true;
        std::vector<Entry> entries;
        if (!ListFolder(m_fs, folder, entries, error))
            return false;
        for (const Entry& entry : entries) {
            if (!IsPlainName(entry.name)) {
                error = "a name on the image cannot be a file name here: \"" +
                        Printable(entry.name) + "\"";
                return false;
            }
            if (entry.folder) {
                if (::mkdirat(destinationFd, entry.name.c_str(), 0700) != 0) {
                    error = "cannot create the folder " + entry.name + ": " + std::strerror(errno);
                    return false;
                }
                Descriptor child(::openat(destinationFd, entry.name.c_str(),
                                          O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
                if (child.Get() < 0) {
                    error = "cannot open the folder " + entry.name + ": " + std::strerror(errno);
                    return false;
                }
                if (!CopyFolder(entry.inode, child.Get(), depth + 1, error))
                    return false;
            } else if (!CopyFile(entry, destinationFd, error)) {
                return false;
            }
        }
        return true;
    }

private:
    static std::string Printable(const std::string& name) {
        std::string shown;
        for (unsigned char c : name.substr(0, 80))
            shown += c < 0x20 ? '?' : static_cast<char>(c);
        return shown;
    }

    bool CopyFile(const Entry& entry, int destinationFd, std::string& error) {
        FileHandle file(tsk_fs_file_open_meta(m_fs, nullptr, entry.inode));
        if (!file || file->meta == nullptr) {
            error = "cannot read " + entry.name + " on the image: " + TakeTskError();
            return false;
        }
        // Links, devices and the like are no part of what Windows kept here.
        if (file->meta->type != TSK_FS_META_TYPE_REG)
            return true;
        const auto size = static_cast<std::uint64_t>(std::max<TSK_OFF_T>(file->meta->size, 0));
        if (size > m_limits.fileBytes) {
            error = entry.name + " on the image is larger than " +
                    std::to_string(m_limits.fileBytes) + " bytes, more than anything it may hold";
            return false;
        }
        if (m_files + 1 > m_limits.files || m_bytes + size > m_limits.bytes) {
            error = "the folders to copy hold more than " + std::to_string(m_limits.files) +
                    " files or " + std::to_string(m_limits.bytes) + " bytes";
            return false;
        }
        Descriptor out(::openat(destinationFd, entry.name.c_str(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (out.Get() < 0) {
            error = "cannot create " + entry.name + ": " + std::strerror(errno);
            return false;
        }
        std::vector<char> buffer(64 * 1024);
        std::uint64_t done = 0;
        while (done < size) {
            const std::size_t want =
                static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), size - done));
            const ssize_t got = tsk_fs_file_read(file.get(), static_cast<TSK_OFF_T>(done),
                                                 buffer.data(), want, TSK_FS_FILE_READ_FLAG_NONE);
            if (got <= 0) {
                error = "cannot read " + entry.name + " on the image: " + TakeTskError();
                return false;
            }
            for (ssize_t written = 0; written < got;) {
                const ssize_t n = ::write(out.Get(), buffer.data() + written,
                                          static_cast<std::size_t>(got - written));
                if (n < 0 && errno == EINTR)
                    continue;
                if (n <= 0) {
                    error = "cannot write " + entry.name + ": " + std::strerror(errno);
                    return false;
                }
                written += n;
            }
            done += static_cast<std::uint64_t>(got);
        }
        ++m_files;
        m_bytes += size;
        if (m_progress)
            m_progress(m_files, m_bytes);
        return true;
    }

    TSK_FS_INFO* m_fs;
    const CopyLimits& m_limits;
    const std::function<void(std::uint64_t, std::uint64_t)>& m_progress;
    std::set<TSK_INUM_T> m_visited;
    std::uint64_t m_files = 0;
    std::uint64_t m_bytes = 0;
};

// Creates (or opens) the folders of path below fd, one name at a time.
int MakeFolders(int fd, const std::vector<std::string>& path, std::string& error) {
    int current = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    for (const std::string& name : path) {
        if (!IsPlainName(name)) {
            error = "a name on the image cannot be a file name here";
            ::close(current);
            return -1;
        }
        if (::mkdirat(current, name.c_str(), 0700) != 0 && errno != EEXIST) {
            error = "cannot create the folder " + name + ": " + std::strerror(errno);
            ::close(current);
            return -1;
        }
        const int next =
            ::openat(current, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        ::close(current);
        if (next < 0) {
            error = "cannot open the folder " + name + ": " + std::strerror(errno);
            return -1;
        }
        current = next;
    }
    return current;
}

} // namespace

bool ListFolder(TSK_FS_INFO* fs, TSK_INUM_T folder, std::vector<Entry>& entries,
                std::string& error) {
    DirHandle dir(tsk_fs_dir_open_meta(fs, folder));
    if (!dir) {
        error = "cannot read a folder on the image: " + TakeTskError();
        return false;
    }
    std::unordered_map<TSK_INUM_T, std::size_t> byInode;
    const std::size_t count = tsk_fs_dir_getsize(dir.get());
    for (std::size_t i = 0; i < count; ++i) {
        FileHandle file(tsk_fs_dir_get(dir.get(), i));
        if (!file || file->name == nullptr || file->name->name == nullptr)
            continue;
        const TSK_FS_NAME& name = *file->name;
        if ((name.flags & TSK_FS_NAME_FLAG_ALLOC) == 0)
            continue;
        std::string text = name.name;
        if (text == "." || text == "..")
            continue;
        const bool isFolder = name.type == TSK_FS_NAME_TYPE_DIR;
        // NTFS keeps its own records ($MFT, $Extend...) in the root folder.
        if (fs->ftype & TSK_FS_TYPE_NTFS_DETECT && !text.empty() && text[0] == '$' &&
            name.meta_addr < 27)
            continue;
        auto [at, added] = byInode.emplace(name.meta_addr, entries.size());
        if (added) {
            entries.push_back({std::move(text), name.meta_addr, isFolder});
        } else if (text.size() > entries[at->second].name.size()) {
            entries[at->second].name = std::move(text);
        }
    }
    return true;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

std::vector<WindowsUser> FindUsers(const DiskImage& image) {
    std::vector<WindowsUser> users;
    for (const Volume& volume : image.Volumes()) {
        for (std::string_view usersFolder : {"Users", "Documents and Settings"}) {
            std::vector<std::string> base;
            std::optional<TSK_INUM_T> folder =
                FindFolder(volume.fs, volume.fs->root_inum, {usersFolder}, base);
            if (!folder)
                continue;
            std::vector<Entry> entries;
            std::string ignored;
            if (!ListFolder(volume.fs, *folder, entries, ignored))
                continue;
            for (const Entry& entry : entries) {
                if (!entry.folder || !IsPlainName(entry.name))
                    continue;
                WindowsUser user;
                user.partition = volume.number;
                user.name = entry.name;
                for (auto names : {std::initializer_list<std::string_view>{"AppData", "Roaming"},
                                   std::initializer_list<std::string_view>{"Application Data"}}) {
                    std::vector<std::string> path = base;
                    path.push_back(entry.name);
                    if (auto appData = FindFolder(volume.fs, entry.inode, names, path)) {
                        user.path = std::move(path);
                        user.applicationData = *appData;
                        break;
                    }
                }
                if (user.path.empty())
                    continue;
                std::vector<std::string> ignoredPath;
                user.messenger = FindFolder(volume.fs, user.applicationData,
                                            {"Microsoft", "MSN Messenger"}, ignoredPath)
                                     .has_value();
                users.push_back(std::move(user));
            }
        }
    }
    return users;
}

bool CopyUserData(const DiskImage& image, const WindowsUser& user, int destinationFd,
                  const CopyLimits& limits,
                  const std::function<void(std::uint64_t, std::uint64_t)>& progress,
                  std::string& error) {
    TSK_FS_INFO* fs = nullptr;
    for (const Volume& volume : image.Volumes()) {
        if (volume.number == user.partition)
            fs = volume.fs;
    }
    if (fs == nullptr) {
        error = "no partition " + std::to_string(user.partition) + " on the image";
        return false;
    }
    Copier copier(fs, limits, progress);
    for (std::string_view kept : {"Protect", "MSN Messenger"}) {
        std::vector<std::string> path = user.path;
        std::optional<TSK_INUM_T> folder =
            FindFolder(fs, user.applicationData, {"Microsoft", kept}, path);
        if (!folder)
            continue;
        Descriptor copy(MakeFolders(destinationFd, path, error));
        if (copy.Get() < 0 || !copier.CopyFolder(*folder, copy.Get(), 0, error))
            return false;
    }
    return true;
}

} // namespace quorvane::diskimage
