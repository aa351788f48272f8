#include "PackInputs.h"

#include "InputFile.h"
#include "Utf8.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane::cabarc {

namespace {

std::string ErrnoText(int error) {
    return std::strerror(error);
}

bool IsWildcard(const std::string& lastPart) {
    return lastPart == "*.*" || lastPart == "*";
}

// A name goes into the cabinet as it is; the reader on the other side splits
// on both slashes, so a backslash in a Linux file name would come back as a
// folder. Names that are not UTF-8 would be stored flagged as UTF-8 and then
// refused on the way out. Both are caught here, before anything is written.
bool CheckStoredName(const std::string& name, std::string& error) {
    if (name.empty() || name == "." || name == "..") {
        error = tools::Quoted(name) + " is not a file name";
        return false;
    }
    if (name.find('\\') != std::string::npos) {
        error = tools::Quoted(name) +
                " contains a backslash, which a cabinet reads as a folder separator";
        return false;
    }
    if (!tools::IsValidUtf8(name)) {
        error = tools::Quoted(name) + " is not valid UTF-8";
        return false;
    }
    return true;
}

} // namespace

void PackInputs::ExcludePack(dev_t device, ino_t inode) {
    m_hasExcluded = true;
    m_excludedDevice = device;
    m_excludedInode = inode;
}

bool PackInputs::Add(const std::string& argument, std::string& error) {
    if (argument.empty()) {
        error = "empty file argument";
        return false;
    }
    const auto slash = argument.rfind('/');
    const std::string lastPart = slash == std::string::npos ? argument : argument.substr(slash + 1);
    if (IsWildcard(lastPart)) {
        std::string folder;
        if (slash == std::string::npos) {
            folder = ".";
        } else if (slash == 0) {
            folder = "/";
        } else {
            folder = argument.substr(0, slash);
        }
        return AddFolder(folder, error);
    }
    return AddFile(argument, lastPart, error);
}

bool PackInputs::AddFolder(const std::string& folder, std::string& error) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot open folder \"" + tools::Printable(folder) + "\": " + ErrnoText(errno);
        return false;
    }
    DIR* dir = ::fdopendir(fd);
    if (dir == nullptr) {
        error = "cannot read folder \"" + tools::Printable(folder) + "\": " + ErrnoText(errno);
        ::close(fd);
        return false;
    }
    std::vector<std::string> names;
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        struct stat info {};
        if (::fstatat(fd, name.c_str(), &info, 0) != 0) {
            // A dangling link or a file deleted meanwhile: not a regular
            // file of the folder any more.
            continue;
        }
        if (!S_ISREG(info.st_mode)) {
            continue;
        }
        if (m_hasExcluded && info.st_dev == m_excludedDevice && info.st_ino == m_excludedInode) {
            continue;
        }
        names.push_back(name);
        errno = 0;
    }
    const int readError = errno;
    ::closedir(dir);
    if (readError != 0) {
        error = "cannot read folder \"" + tools::Printable(folder) + "\": " + ErrnoText(readError);
        return false;
    }
    std::sort(names.begin(), names.end());
    const std::string prefix = folder.back() == '/' ? folder : folder + "/";
    for (const auto& name : names) {
        if (!AddFile(prefix + name, name, error)) {
            return false;
        }
    }
    return true;
}

bool PackInputs::AddFile(const std::string& path, const std::string& name, std::string& error) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        error = "cannot read input file " + tools::Quoted(path) + ": " + ErrnoText(errno);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        error = tools::NotRegularFile(path, "input", info.st_mode);
        return false;
    }
    if (m_hasExcluded && info.st_dev == m_excludedDevice && info.st_ino == m_excludedInode) {
        // Replacing the pack would destroy this input the moment it is saved.
        error = "input \"" + tools::Printable(path) + "\" is the pack being written";
        return false;
    }
    if (!CheckStoredName(name, error)) {
        return false;
    }
    PackInput input;
    input.path = path;
    input.name = name;
    input.size = static_cast<std::uint64_t>(info.st_size);
    input.modified = static_cast<std::int64_t>(info.st_mtim.tv_sec);
    input.device = info.st_dev;
    input.inode = info.st_ino;
    m_files.push_back(std::move(input));
    return true;
}

bool PackInputs::Check(std::string& error) const {
    if (m_files.empty()) {
        error = "no files to pack";
        return false;
    }
    if (m_files.size() > kMaxFiles) {
        error = std::to_string(m_files.size()) + " files given, but a cabinet holds at most " +
                std::to_string(kMaxFiles);
        return false;
    }
    std::uint64_t total = 0;
    for (const auto& file : m_files) {
        // Each size is below 2^63, so adding one at a time cannot wrap
        // before the sum is seen to be over the limit.
        total += file.size;
        if (total > kMaxFolderBytes) {
            error = "the files add up to more than " + std::to_string(kMaxFolderBytes) +
                    " bytes, the most one cabinet folder can hold";
            return false;
        }
    }
    std::set<std::string> seen;
    for (const auto& file : m_files) {
        if (!seen.insert(file.name).second) {
            error = "two input files are both named \"" + tools::Printable(file.name) +
                    "\"; a cabinet keeps bare names, so one would hide the other";
            return false;
        }
    }
    return true;
}

} // namespace quorvane::cabarc
