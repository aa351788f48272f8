#pragma once

#include "support/TempFolder.h"

#include <filesystem>
#include <map>
#include <set>
#include <string>

namespace quorvane::test {

// Files are read and written with support/TempFolder.h's ReadFile and
// WriteFile, which take these paths as they are.
std::string Md5Hex(const std::string& bytes);
// Bytes that do not compress, so a file spans several cabinet data blocks.
std::string RandomBytes(std::size_t count, unsigned seed);

// Every entry below root (root itself not included) with its type, size,
// modification time and link target, keyed by relative path. Links are
// listed, never followed. Entries under the relative path skip are left out.
std::map<std::string, std::string> Snapshot(const std::filesystem::path& root,
                                            const std::string& skip = {});

// Relative paths of the regular files below root.
std::set<std::string> RegularFiles(const std::filesystem::path& root);

// Relative paths below root whose last part starts as the extractor's and
// the archiver's temporary files do.
std::set<std::string> LeftoverTemporaries(const std::filesystem::path& root);

} // namespace quorvane::test
