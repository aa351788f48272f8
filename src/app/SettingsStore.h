#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvane {

// $XDG_CONFIG_HOME/quorvane (else ~/.config/quorvane), created when first
// asked for.
std::string SettingsFolder();

// The program's settings, each in a file of its own in one folder:
//
//   passports.dat       the recent passports
//   backupfolder.dat    the backup folder
//   demo-notice-shown   that the demo account's notice was shown
//   window.dat          where the window was left
//   backuptype.dat      the backup type chosen last
//
// The files are read only when they are regular files no larger than
// kMaxSettingsFileBytes (a link, a FIFO or a huge file counts as no file),
// and written to an exclusive hidden temporary file in the folder and renamed
// over their name: a link planted there is replaced, never followed. The
// folder itself may be a link.
class SettingsStore {
public:
    explicit SettingsStore(std::string folder) : m_folder(std::move(folder)) {}

    // The passports most recently used first, at most kMaxRecentPassports
    // (the first ones). A missing file is created empty (exclusively, never
    // through a link); a damaged one gives the entries read before the
    // damage; a file that cannot be read gives none.
    std::vector<std::string> RecentPassports() const;
    // Keeps the first kMaxRecentPassports; false when they could not be
    // written.
    bool SetRecentPassports(const std::vector<std::string>& passports) const;

    // The saved backup folder, or documentsFolder + "/Quorvane" when none can
    // be read or it is shorter than 2 characters. Asking creates nothing.
    std::string BackupFolder(const std::string& documentsFolder) const;
    bool SetBackupFolder(const std::string& folder) const;

    // The window's place on the desktop, in pixels ("window.dat": "x y"),
    // and the backup type chosen last ("backuptype.dat": its number);
    // nothing when none was saved or the file holds something else.
    std::optional<std::pair<int, int>> WindowPosition() const;
    bool SetWindowPosition(int x, int y) const;
    std::optional<int> BackupType() const;
    bool SetBackupType(int type) const;

    // True the first time for this folder (and remembered), false afterwards.
    // True too when the folder cannot be used: a notice shown at every start
    // is better than one never shown.
    bool FirstDemoNotice() const;

private:
    std::string m_folder;
};

inline constexpr std::size_t kMaxSettingsFileBytes = 64 * 1024;
// The list is a convenience: at most this many passports are kept.
inline constexpr std::size_t kMaxRecentPassports = 100;

// "passports.dat" is an archived string array: a 16-bit count (0xFFFF and a
// 32-bit count beyond), then each string with a 1-, 3- or 7-byte length
// prefix. The pure byte format, for the store and the fuzzers.
std::string EncodeStringArray(const std::vector<std::string>& strings);
// Entries in order; stops at the first damaged entry.
std::vector<std::string> DecodeStringArray(std::string_view bytes);

} // namespace quorvane
