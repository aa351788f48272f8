#pragma once

#include "backup/CabinetTools.h"
#include "backup/Listing.h"
#include "platform/Result.h"
#include "profile/ObjectList.h"

#include <functional>
#include <optional>
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

// What became of one chosen item; both front ends show it as it is.
struct BackupItemOutcome {
    std::size_t itemData = 0;
    std::string displayName; // code page
    std::string displayNameUtf8;
    std::string file; // the file written (or meant), UTF-8 path
    // Why it was not written; none once it was.
    std::optional<Failure> failure;

    bool Written() const { return !failure.has_value(); }
};

struct BackupOutcome {
    std::vector<BackupItemOutcome> items;
    bool interrupted = false; // the cancel flag stopped it; later items say so
    bool AllWritten() const;
};

// The subfolder of the backup folder for a category ("msn-winks", ...).
std::string_view BackupSubfolder(ContentCategory category);

// A display name as a file name, as a pack is named ("-" for spaces and for
// what Windows forbids, no leading dot), without extension; "" when nothing
// of it is left. Code page in, UTF-8 out.
std::string SafeFileStem(std::string_view displayName, const CodePage& codePage);

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
// destination folder and gives that name: writes the object's manifest into
// manifestFolder (Quorvane's own scratch), runs the cabinet tool and seals
// the result with the transform. The backup renames it into place only then,
// so a pack is whole and sealed or absent. A failure leaves nothing behind.
Result<std::string> BuildPack(PackagedObjectList& list, std::size_t index,
                              const OpenFolder& destination, const OpenFolder& manifestFolder,
                              const BackupServices& services);

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
    // tick count; leading dots become "-", so no file is hidden. Code page
    // in, UTF-8 out. A picture's name ends in the extension of the picture
    // content is (".jpg", ".gif", ".bmp", ".png"; ".jpeg" kept for a JPEG).
    std::string PackName(std::string_view displayName);
    std::string PictureName(std::string_view displayName, std::string_view content = {}) const;

private:
    BackupOutcome BackupPacks(PackagedObjectList& list, const std::vector<std::size_t>& itemData,
                              const OpenFolder& folder);
    BackupOutcome BackupEmoticons(PictureObjectList& list, const std::vector<std::size_t>& itemData,
                                  const OpenFolder& folder, EmoticonManifest& manifest);
    BackupOutcome BackupPictures(PictureObjectList& list, const std::vector<std::size_t>& itemData,
                                 const OpenFolder& folder);
    // Makes and opens this run's work folder, or says why it could not.
    Result<> OpenWorkFolder(OpenFolder& work);
    // The emoticons copied into work become one sealed pack, placed in
    // folder under packName for the item at firstPacked.
    Result<> FinishEmoticonPack(const OpenFolder& folder, const OpenFolder& work,
                                EmoticonManifest& manifest, std::set<std::string> packFiles,
                                std::size_t firstPacked, const std::string& packName,
                                BackupOutcome& outcome);
    // Whether the file name in the folder holds the same content as the
    // finished temporary file.
    using SameContent = std::function<bool(const std::string& name, const std::string& temporary)>;
    // Renames a finished temporary file to fileName, or to the first free
    // "name (2).ext", "name (3).ext", ... (each cut to 255 bytes at a
    // character boundary, extension and number kept). A file already there
    // is replaced only when it holds the same content; no name is used twice
    // in one run. Gives the name taken.
    Result<std::string> Place(const OpenFolder& folder, const std::string& temporary,
                              const std::string& fileName, const SameContent& same);
    // A finished file of this run under its temporary name, and the item it
    // belongs to.
    struct Finished {
        std::size_t item = 0;
        std::string temporary;
        std::string fileName;
    };
    // Puts the run's finished files in place together, after one sync of
    // the backup folder's file system: after a crash each file is whole and
    // sealed, or absent. A sync per file would cost more than writing it.
    void PlaceAll(const OpenFolder& destination, const std::vector<Finished>& finished,
                  const SameContent& same, BackupOutcome& outcome);
    // After the sync: renames together each finished file whose first name
    // ("name (n)" for the n-th file of that name) holds the same content over
    // that file, and gives the items it placed.
    std::set<std::size_t> ReplaceSameFiles(const OpenFolder& destination,
                                           const std::vector<Finished>& finished,
                                           const SameContent& same, BackupOutcome& outcome);
    // Packs are the same when they hold the same files besides their
    // manifests, compared byte for byte by the extract tool on the sealed
    // packs as they are; the packs of finished are asked about together.
    SameContent SamePackObjects(const OpenFolder& folder, std::vector<Finished> finished = {});

    BackupServices m_services;
    std::set<std::string> m_written; // the names this run placed
};

} // namespace quorvane
