#pragma once

#include "platform/Result.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvane {

// The files written for one item: paths relative to the export folder,
// "/"-separated, UTF-8; empty when not written.
struct ExportedFiles {
    std::string original;  // the object as the account holds it (a movie's .swf)
    std::string picture;   // a movie's own thumbnail picture
    std::string video;     // .webm
    std::string animation; // animated .webp
    std::string gif;       // animated .gif
    std::string still;     // .png of the first frame
};

// One item of an export, as the manifest and the gallery tell it.
struct ExportedItem {
    std::string type;        // the command line's type keyword ("winks", ...)
    std::string displayName; // UTF-8
    std::string location;    // the object's file name in the account, UTF-8
    std::string shortcut;    // an emoticon's key sequence; empty otherwise
    ExportedFiles files;
    int frames = 0;       // movies: frames rendered
    double frameRate = 0; // movies
    bool sound = false;   // movies: the video has a sound track
    // Relative path -> SHA-256 in lowercase hexadecimal, for every file written.
    std::map<std::string, std::string> sha256;
    // Why the item (or part of it) was not exported; the files that were
    // written stay listed.
    std::optional<Failure> failure;
};

// quorvane-export.json, version 1: UTF-8 JSON, indented by two spaces, keys
// in a fixed order, one line end at the end:
//   {"format": "quorvane-export", "version": 1, "passport": ...,
//    "items": [{"type", "displayName", "location", "shortcut" (emoticons),
//               "files": {only those written}, "frames", "frameRate",
//               "sound" (movies), "sha256": {path: hex},
//               "failure": sentence (only when it failed)}]}
// Text that is not valid UTF-8 is written with U+FFFD in place of the bad
// bytes, so the file is always valid JSON.
std::string ExportManifestJson(std::string_view passport, const std::vector<ExportedItem>& items);

// Reads a manifest back: the passport and the items. Anything but a version 1
// manifest as written above (a path that climbs out of the export folder or
// is absolute, an unknown type or key, a bad hash) is Damaged; another
// version is Unsupported. A failure read back carries only its sentence.
Result<std::pair<std::string, std::vector<ExportedItem>>> ReadExportManifest(std::string_view json);

// True when the type keyword names a movie category (Winks, Dynamic Display
// Pictures, Dynamic Backgrounds).
bool IsMovieType(std::string_view type);

// True when path is relative, "/"-separated, with no empty, "." or ".."
// part and no backslash or NUL: a path that stays inside the export folder.
bool IsExportRelativePath(std::string_view path);

} // namespace quorvane
