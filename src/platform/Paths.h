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

// fileName numbered n, as a file takes the next free name: "Name (n).ext"
// (n below 2 gives the name itself), the stem cut at a UTF-8 character
// boundary so the whole fits in the 255 bytes of a Linux file name.
std::string NumberedFileName(const std::string& fileName, int n);

// Files from Windows were named where case does not matter; on Linux (an
// NTFS disk mounted by Linux, a copied folder) a name may be stored in
// another case. The path of folder's entry that is name, ignoring case: the
// exact name when it is there, else the first match in name order, so the
// choice is the same every time; "" when there is none.
std::string FindEntryIgnoringCase(const std::string& folder, std::string_view name);

// relative ("a/b/c") looked up under folder part by part, ignoring case;
// where a part is not found the rest is joined as given, so the result
// names what is missing.
std::string ResolveIgnoringCase(const std::string& folder, std::string_view relative);

} // namespace quorvane
