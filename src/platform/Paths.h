#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The one place where paths are joined: folder paths carry no trailing
// separator (the temporary folder excepted) and names are appended with "/".
std::string JoinPath(std::string_view folder, std::string_view name);

// True when name can stand for one file inside a folder: not empty, not "."
// or "..", and holding neither "/" nor "\\" (Messenger's files may come from
// Windows, where both separate path parts) nor a zero byte.
bool IsBareFileName(std::string_view name);

// The folder part of a path (everything before its last "/"), or "" when the
// path has none.
std::string ParentFolder(std::string_view path);

// The path made absolute against the working folder (not normalised:
// "link/.." must mean what the file system says). The cabinet tools run in
// another working folder, so every path handed to them must be absolute.
// "" stays "".
std::string AbsolutePath(std::string_view path);

// The last part of a path.
std::string BaseName(std::string_view path);

} // namespace quorvane
