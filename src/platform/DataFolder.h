#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The program's read-only data (the window's pictures, icons and help, the
// demo account's files): share/quorvane beside the bin folder the program
// runs from, in the build tree as when installed.
std::string DataFolder();

// relativePath inside DataFolder(), e.g. "icons/backup.png".
std::string DataFilePath(std::string_view relativePath);

} // namespace quorvane
