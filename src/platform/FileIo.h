#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// Whole-file reading; nothing when the file cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Writes bytes to path through a temporary file in the same folder, renamed
// into place, so a crash never leaves half a file.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// Creates or truncates path and writes the bytes (for files whose format
// wants no more ceremony, such as stamp files).
bool WriteWholeFile(const std::string& path, std::string_view bytes);

// Creates the folder and all its missing parents.
bool MakeFolders(const std::string& path);

bool IsDirectory(const std::string& path);

} // namespace quorvane
