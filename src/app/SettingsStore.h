#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// The program's two settings files, in $XDG_CONFIG_HOME/quorvane (else
// ~/.config/quorvane); created when first needed.
std::string SettingsFolder();
inline constexpr const char* kPassportsFileName = "passports.dat";
inline constexpr const char* kBackupFolderFileName = "backupfolder.dat";

// Both files are read only when they are regular files no larger than this
// (a link, a FIFO or a huge file counts as no file), and written to an
// exclusive hidden temporary file in their folder and renamed over their
// name: a link planted there is replaced, never followed.
inline constexpr std::size_t kMaxSettingsFileBytes = 64 * 1024;

// "backupfolder.dat" is the folder path's bytes, nothing else. The folder is
// the bytes up to the first zero byte; false (folder unchanged) when the file
// cannot be read.
bool LoadBackupFolder(const std::string& filePath, std::string& folder);
bool SaveBackupFolder(const std::string& filePath, const std::string& folder);

// The list is a convenience: at most this many passports are kept.
inline constexpr std::size_t kMaxRecentPassports = 100;

// "passports.dat" is an archived string array: a 16-bit count (0xFFFF and a
// 32-bit count beyond), then each string with a 1-, 3- or 7-byte length
// prefix. The entries are kept most recently used first. A missing file is
// created empty (exclusively, never through a link); a damaged one gives the
// entries read before the damage; a file that cannot be read gives none.
// At most kMaxRecentPassports entries are loaded, the first ones.
std::vector<std::string> LoadRecentPassports(const std::string& filePath);
// Saves the first kMaxRecentPassports entries; the caller puts the most
// recently used first.
bool SaveRecentPassports(const std::string& filePath, const std::vector<std::string>& passports);

// The pure byte format, for the two functions above and the fuzzers.
std::string EncodeStringArray(const std::vector<std::string>& strings);
// Entries in order; stops at the first damaged entry.
std::vector<std::string> DecodeStringArray(std::string_view bytes);

// The demo account's notice is shown in a box at its first start only; this
// file in the settings folder remembers that it was.
inline constexpr const char* kDemoNoticeFileName = "demo-notice-shown";
// True the first time for a settings folder (and remembered), false
// afterwards. True too when the settings folder cannot be used: a notice
// shown at every start is better than one never shown.
bool FirstDemoNotice(const std::string& filePath);

// The backup folder to use at start: the loaded one, or documentsFolder +
// "/Quorvane" when none was loaded or it is shorter than 2 characters.
std::string ChooseBackupFolder(bool loaded, const std::string& loadedFolder,
                               const std::string& documentsFolder);

} // namespace quorvane
