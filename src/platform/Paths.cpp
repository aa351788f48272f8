#include "platform/Paths.h"

#include <unistd.h>

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

} // namespace quorvane
