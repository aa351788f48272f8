#pragma once

#include "export/ExportManifest.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// The words of the gallery, in the user's language: the app layer fills them
// through tr(). All UTF-8 plain text; the gallery escapes them.
struct GalleryWords {
    std::string language; // BCP 47, "pt-BR"
    std::string title;    // "Messenger content of someone@example.com", filled in
    // Names of the links to an item's files.
    std::string original, video, animation, gif, still, picture;
    std::string shortcut;                            // the label before an emoticon's key sequence
    std::string playHint;                            // beside a video with a sound track
    std::string noItems;                             // the whole page when nothing was exported
    std::string failed;                              // the label before an item's failure sentence
    std::map<std::string, std::string> typeHeadings; // type keyword -> "Winks", ...
};

// The gallery's words in English, with the passport in the title.
GalleryWords EnglishGalleryWords(std::string_view passport);

// index.html of an export folder: one section per type (in the order of the
// backup-type list, any other type after them) and one figure per item, with
// its animated render or picture, its video, links to every file written and
// the reason when it failed. One self-contained HTML file that works opened
// from disk with no network and no script: inline style only, and a
// Content-Security-Policy that allows no request outside the page's own files
// and no script at all. Every text is escaped; every link is a relative,
// percent-encoded path, and a path that would lead out of the export folder
// is not linked.
std::string GalleryHtml(std::string_view passport, const std::vector<ExportedItem>& items,
                        const GalleryWords& words);

// A relative "/"-separated UTF-8 path as a URL path: every byte but the
// unreserved ASCII ones and "/" percent-encoded.
std::string PercentEncodedPath(std::string_view path);

} // namespace quorvane
