#pragma once

#include "backup/CabinetTools.h"
#include "backup/Listing.h"
#include "profile/ObjectList.h"

#include <set>
#include <string>
#include <vector>

namespace quorvane {

class CancelFlag;
class Clock;
class CodePage;
class OpenFolder;
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
    bool interrupted = false; // the cancel flag stopped it; later items say so
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
    const CancelFlag* cancel;       // stops the backup after the current item; may be null
    ProgressFunction progress = {}; // told before each item; may be empty
};

// Builds one sealed single-object pack under a hidden temporary name in the
// destination folder (given back in temporary): writes the object's
// manifest into manifestFolder (Quorvane's own scratch), runs the cabinet
// tool and seals the result with the transform. The backup renames it into
// place only then, so a pack is whole and sealed or absent. False, with the
// reason and nothing left behind, when no sealed pack was made.
bool BuildPack(PackagedObjectList& list, std::size_t index, const OpenFolder& destination,
               const OpenFolder& manifestFolder, const BackupServices& services,
               std::string& temporary, std::string& reason);

// Backs up the chosen items (item data, in list order) of the last listing
// into backupFolder, and says what became of each.
class BackupOperation {
public:
    explicit BackupOperation(const BackupServices& services);

    // The category is the list's own, so the list and what is done with it
    // can never disagree.
    BackupOutcome Run(ObjectList& list, const std::vector<std::size_t>& itemData,
                      const std::string& backupFolder, EmoticonManifest& manifest);

    // The file name for a display name: spaces become "-" in pack names;
    // "/", "\\", control characters and what Windows forbids in file names
    // (? " < > : * |) always do, since packs go back to a Windows program;
    // an empty name or one that would be "." or ".." becomes "msn-" and the
    // tick count. Code page in, UTF-8 out.
    std::string PackName(std::string_view displayName);
    std::string PictureName(std::string_view displayName) const;

private:
    BackupOutcome BackupPacks(PackagedObjectList& list, const std::vector<std::size_t>& itemData,
                              const OpenFolder& folder);
    BackupOutcome BackupEmoticons(PictureObjectList& list, const std::vector<std::size_t>& itemData,
                                  const OpenFolder& folder, EmoticonManifest& manifest);
    BackupOutcome BackupPictures(PictureObjectList& list, const std::vector<std::size_t>& itemData,
                                 const OpenFolder& folder);
    // Gives a file name not yet written in this run ("name (2).ext", ...),
    // shortened to what a file system takes (255 bytes) at a character
    // boundary, keeping the extension and the number.
    std::string UniqueName(const std::string& fileName);

    BackupServices m_services;
    std::set<std::string> m_written;
};

} // namespace quorvane
