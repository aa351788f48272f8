#include "platform/Paths.h"

#include <QString>

#include <algorithm>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quorvane {

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '/')
        path.push_back('/');
    path.append(name);
    return path;
}

bool IsBareFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..")
        return false;
    return name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

std::string ParentFolder(std::string_view path) {
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string_view::npos)
        return {};
    if (slash == 0)
        return "/";
    return std::string(path.substr(0, slash));
}

std::string AbsolutePath(std::string_view path) {
    if (path.empty() || path.front() == '/')
        return std::string(path);
    std::string working(4096, '\0');
    // Without a working folder the path is kept; whoever uses it then fails
    // with a message that names it.
    if (getcwd(working.data(), working.size()) == nullptr)
        return std::string(path);
    working.resize(std::char_traits<char>::length(working.c_str()));
    std::string absolute = JoinPath(working, path);
    while (absolute.size() > 1 && absolute.back() == '/')
        absolute.pop_back();
    return absolute;
}

std::string BaseName(std::string_view path) {
    std::size_t slash = path.find_last_of('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string NumberedFileName(const std::string& fileName, int n) {
    // The longest file name Linux file systems take, in bytes.
    constexpr std::size_t kMaxFileNameBytes = 255;
    std::size_t dot = fileName.find_last_of('.');
    if (dot == 0 || dot == std::string::npos)
        dot = fileName.size();
    const std::string stem = fileName.substr(0, dot);
    const std::string tail =
        n < 2 ? fileName.substr(dot) : " (" + std::to_string(n) + ")" + fileName.substr(dot);
    if (stem.size() + tail.size() <= kMaxFileNameBytes)
        return stem + tail;
    std::size_t keep = tail.size() < kMaxFileNameBytes ? kMaxFileNameBytes - tail.size() : 0;
    while (keep > 0 && (static_cast<unsigned char>(stem[keep]) & 0xC0) == 0x80)
        --keep;
    return stem.substr(0, keep) + tail;
}

std::string FindEntryIgnoringCase(const std::string& folder, std::string_view name) {
    const std::string exact = JoinPath(folder, name);
    struct stat info {};
    if (::lstat(exact.c_str(), &info) == 0)
        return exact;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
    if (!dir)
        return {};
    const QString wanted = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    std::vector<std::string> matches;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view entryName(entry->d_name);
        if (QString::fromUtf8(entryName.data(), static_cast<qsizetype>(entryName.size()))
                .compare(wanted, Qt::CaseInsensitive) == 0)
            matches.emplace_back(entryName);
    }
    if (matches.empty())
        return {};
    return JoinPath(folder, *std::min_element(matches.begin(), matches.end()));
}

std::string ResolveIgnoringCase(const std::string& folder, std::string_view relative) {
    std::string path = folder;
    while (!relative.empty()) {
        const std::size_t slash = relative.find('/');
        const std::string_view part = relative.substr(0, slash);
        const std::string found = part.empty() ? std::string() : FindEntryIgnoringCase(path, part);
        if (found.empty())
            return JoinPath(path, relative);
        path = found;
        relative =
            slash == std::string_view::npos ? std::string_view() : relative.substr(slash + 1);
    }
    return path;
}

} // namespace quorvane
