#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// The program's two settings files, in $XDG_CONFIG_HOME/quorvane (else
// ~/.config/quorvane); created when first needed.
std::string SettingsFolder();
inline constexpr const char* kPassportsFileName = "passports.dat";
inline constexpr const char* kBackupFolderFileName = "backupfolder.dat";

// "backupfolder.dat" is the folder path's bytes, nothing else. The folder is
// the bytes up to the first zero byte; false (folder unchanged) when the file
// cannot be read.
bool LoadBackupFolder(const std::string& filePath, std::string& folder);
// Written to a temporary name and renamed into place.
bool SaveBackupFolder(const std::string& filePath, const std::string& folder);

// "passports.dat" is an archived string array: a 16-bit count (0xFFFF and a
// 32-bit count beyond), then each string with a 1-, 3- or 7-byte length
// prefix. A missing file is created empty; a damaged one gives the entries
// read before the damage.
std::vector<std::string> LoadRecentPassports(const std::string& filePath);
bool SaveRecentPassports(const std::string& filePath, const std::vector<std::string>& passports);

// The pure byte format, for the two functions above and the fuzzers.
std::string EncodeStringArray(const std::vector<std::string>& strings);
// Entries in order; stops at the first damaged entry.
std::vector<std::string> DecodeStringArray(std::string_view bytes);

// The backup folder to use at start: the loaded one, or documentsFolder +
// "/Quorvane" when none was loaded or it is shorter than 2 characters.
std::string ChooseBackupFolder(bool loaded, const std::string& loadedFolder,
                               const std::string& documentsFolder);

} // namespace quorvane
