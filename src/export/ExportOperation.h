#pragma once

#include "backup/Listing.h"
#include "export/ExportManifest.h"
#include "export/Gallery.h"
#include "platform/CancelFlag.h"
#include "platform/Result.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvane {

// One listed item to export, as the front ends' listing found it.
struct ExportSource {
    std::string type;            // the command line's type keyword: the subfolder
    std::string displayNameUtf8; // as the list shows it
    std::string fileStem;        // the safe file name its files are named after (UTF-8)
    std::string locationUtf8;    // the object's file name in the account
    std::string shortcutUtf8;    // emoticons: the keys that show it
    // The file kept as it is: a movie's .swf as its cabinet holds it, or a
    // picture's own file.
    std::string originalPath;
    std::string picturePath; // a movie's thumbnail picture; "" for pictures
    bool movie = false;      // Winks, Dynamic Display Pictures and Backgrounds
};

struct ExportServices {
    std::string passport;     // UTF-8
    std::string rendererTool; // MovieRendererTool(), or a test's
    GalleryWords words;       // the gallery in the user's language
    const CancelFlag* cancel = nullptr;
    ProgressFunction progress; // items done of all, after each
};

// What an export gave: each item's files (paths relative to the export
// folder) or why not, the gallery's and manifest's paths, and why nothing
// could be written at all.
struct ExportOutcome {
    std::vector<ExportedItem> items;
    std::string gallery;  // absolute path of index.html; "" when it could not be written
    std::string manifest; // absolute path of quorvane-export.json
    bool interrupted = false;
    std::optional<Failure> failure; // the folder, the gallery or the manifest failed

    bool AllExported() const;
};

// The render size of a stage: vector movies are drawn afresh at any size,
// so a small one is drawn with its longest side at 512 pixels (a sticker's
// size) and a large one at most at 1280.
std::pair<int, int> RenderSize(int stageWidth, int stageHeight);

// Writes every item into folder/<type>/: its original, and for a movie its
// thumbnail and its renders (a VP9 video with its sound, an animated WebP
// and GIF, and its first frame as PNG); then index.html and
// quorvane-export.json in folder, with the items an earlier export left
// there kept. Every file is written under a hidden temporary name and
// renamed into place whole; a file of the same name is never replaced (the
// new one is numbered), except the gallery and manifest of an earlier
// export. A movie the player or the decoders refuse fails alone; cancel
// stops at once and leaves no part of a file.
ExportOutcome ExportItems(const std::vector<ExportSource>& sources, const std::string& folder,
                          const ExportServices& services);

} // namespace quorvane
