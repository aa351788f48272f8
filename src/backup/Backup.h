#pragma once

#include "backup/CabinetTools.h"
#include "profile/ObjectList.h"

#include <set>
#include <string>
#include <vector>

namespace quorvane {

class Clock;
class CodePage;
class EmoticonManifest;
class Pause;
class SystemFolders;

// What became of one chosen item.
struct BackupItemOutcome {
    std::size_t itemData = 0;
    std::string displayName; // code page
    bool written = false;
    std::string file;   // the file written (or meant), UTF-8 path
    std::string reason; // why it was not written
};

struct BackupOutcome {
    std::vector<BackupItemOutcome> items;
    bool AllWritten() const;
};

inline constexpr const char* kBackupSucceededMessage =
    "Congratulation! Backup finished successfully.";
inline constexpr const char* kNothingSelectedMessage =
    "Please list and select the items to backup.";

// The subfolder of the backup folder for a category ("msn-winks", ...).
std::string_view BackupSubfolder(ContentCategory category);

// Everything a backup needs besides its inputs.
struct BackupServices {
    CabinetTools& tools;
    SystemFolders& folders;
    const Clock& clock;
    Pause& pause;
    const CodePage& codePage;
};

// Builds one sealed single-object pack: writes the object's manifest into
// its folder, runs the cabinet tool, seals the pack with the transform and
// removes the manifest. False (with the reason) when no sealed pack exists.
bool BuildPack(PackagedObjectList& list, std::size_t index, const std::string& packPath,
               const BackupServices& services, std::string& reason);

// Backs up the chosen items (item data, in list order) of the last listing
// into backupFolder, and says what became of each.
class BackupOperation {
public:
    explicit BackupOperation(const BackupServices& services);

    BackupOutcome Run(ContentCategory listedCategory, ObjectList& list,
                      const std::vector<std::size_t>& itemData, const std::string& backupFolder,
                      EmoticonManifest& manifest);

    // The file name for a display name: spaces become "-" in pack names,
    // "/", "\\" and control characters always do; an empty name or one that
    // would be "." or ".." becomes "msn-" and the tick count. Code page in,
    // UTF-8 out.
    std::string PackName(std::string_view displayName);
    std::string PictureName(std::string_view displayName) const;

private:
    BackupOutcome BackupPacks(PackagedObjectList& list, const std::vector<std::size_t>& itemData,
                              const std::string& folder);
    BackupOutcome BackupEmoticons(PictureObjectList& list, const std::vector<std::size_t>& itemData,
                                  const std::string& folder, EmoticonManifest& manifest);
    BackupOutcome BackupPictures(PictureObjectList& list, const std::vector<std::size_t>& itemData,
                                 const std::string& folder);
    // Gives a path not yet written in this run: "name (2).ext", ...
    std::string UniquePath(const std::string& folder, const std::string& fileName);

    BackupServices m_services;
    std::set<std::string> m_written;
};

} // namespace quorvane
