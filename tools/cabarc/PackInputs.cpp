#include "PackInputs.h"

#include "InputFile.h"
#include "Utf8.h"

#include <cerrno>
#include <cstring>
#include <set>

#include <sys/stat.h>

namespace quorvane::cabarc {

namespace {

std::string ErrnoText(int error) {
    return std::strerror(error);
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
    // Every argument is one file, "*" and "?" included: a name that came
    // from a stranger's data must never stand for other files beside it.
    const auto slash = argument.rfind('/');
    return AddFile(argument, slash == std::string::npos ? argument : argument.substr(slash + 1),
                   error);
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
