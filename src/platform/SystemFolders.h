#pragma once

#include "platform/Clock.h"
#include "platform/Result.h"
#include "platform/ScratchFolder.h"

#include <memory>
#include <optional>
#include <string>

namespace quorvane {

class ScratchFolder;

// The platform folders the program needs and the small file-system
// operations of the backup. One instance lives for the whole run; it is
// handed by reference to whoever needs it.
class SystemFolders {
public:
    SystemFolders(const Clock& clock, Pause& pause);
    ~SystemFolders();
    SystemFolders(SystemFolders&&) noexcept;

    // Fills every folder but workFolder (Linux stand-ins for the Windows
    // folders: the executable's folder, the Wine prefix's Windows folder,
    // $TMPDIR, the XDG desktop and documents folders). windowsFolder: the
    // cabinet tools' working folder (WineAccount::WindowsFolder for a Wine
    // prefix).
    void Locate(const std::string& windowsFolder);

    // A new, empty folder of a name nobody can predict, inside the private
    // folder (never the shared temporary folder). It replaces the previous
    // work folder, and goes when this object goes; one left by a killed run
    // is removed by the next call.
    Result<> MakeWorkFolder();

    // Deletes the folder with everything in it. A symbolic link inside is
    // removed as a link and never followed; fails when the folder is not
    // gone.
    static Result<> DeleteTree(const std::string& path);
    // True when at least one entry matches the path or pattern ("*" and "?"
    // in the last part, matched without regard to case, as on Windows).
    static bool FileExists(const std::string& pattern);
    // The first file (never a folder) matching the pattern, in name order;
    // nothing when none does (or its folder cannot be read).
    static std::optional<std::string> FindFirstMatch(const std::string& pattern);
    // Windows-style match of one name against a pattern ("*.*" matches every
    // name, also one without a dot), without regard to ASCII case.
    static bool MatchesPattern(std::string_view name, std::string_view pattern);

    std::string programFolder;
    std::string windowsFolder;
    std::string tempFolder; // ends with "/"
    std::string desktopFolder;
    std::string documentsFolder;
    std::string workFolder;
    std::string privateFolder; // Quorvane's own per-user folder

private:
    std::unique_ptr<ScratchFolder> m_work;
    const Clock& m_clock;
    Pause& m_pause;
};

// $HOME, else the password database's home folder; "" when neither says.
std::string HomeFolder();
// $TMPDIR, else /tmp, always with a trailing "/".
std::string TemporaryFolder();
// The same as a folder path, without the trailing "/": where the cabinet
// tools work when there is no Windows folder to work in.
std::string TemporaryFolderPath();
// The XDG desktop folder (user-dirs.dirs, else ~/Desktop).
std::string XdgDesktopFolder();
// The XDG documents folder (user-dirs.dirs, else ~/Documents).
std::string XdgDocumentsFolder();
// The folder of the running executable.
std::string ExecutableFolder();
// The program's read-only data (pictures, translations, help): share/quorvane
// beside the bin folder the program runs from, in the build tree as when
// installed.
std::string ProgramDataFolder();

} // namespace quorvane
