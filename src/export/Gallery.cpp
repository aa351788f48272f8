#include "export/Gallery.h"

#include "export/Utf8Text.h"
#include "profile/ContentCategory.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace quorvane {

namespace {

// Text and attribute values alike: a display name is whatever a contact
// typed, markup included. Control characters, which HTML does not allow in
// text, become spaces.
std::string Escaped(std::string_view text) {
    std::string out;
    for (const char c : ValidUtf8(text)) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) ? ' ' : c;
        }
    }
    return out;
}

// The page allows nothing but its own style and the files beside it ("file:"
// when opened from disk, where browsers differ on what 'self' covers), and
// no script, form or base: it needs none.
constexpr std::string_view kPolicy =
    "default-src 'none'; img-src 'self' file:; media-src 'self' file:; "
    "style-src 'unsafe-inline'; script-src 'none'; object-src 'none'; base-uri 'none'; "
    "form-action 'none'";

constexpr std::string_view kStyle = R"(
:root{color-scheme:light dark;--bg:#f6f6f8;--fg:#1b1b1f;--card:#fff;--line:#c4c4cc;--muted:#4d4d5c;--link:#0b57d0;--focus:#c2410c;--bad:#a1160a;--badbg:#fdecea;--pic:#ececf0}
@media (prefers-color-scheme:dark){:root{--bg:#131318;--fg:#ececf1;--card:#22222a;--line:#4a4a56;--muted:#b9b9c8;--link:#9ec1ff;--focus:#ffb27a;--bad:#ffb4a9;--badbg:#3d1e1a;--pic:#2d2d36}}
*{box-sizing:border-box}
body{margin:0;padding:1rem clamp(.5rem,3vw,2rem) 2rem;background:var(--bg);color:var(--fg);font:1rem/1.5 system-ui,-apple-system,"Segoe UI",sans-serif}
h1{font-size:1.6rem;line-height:1.25;margin:.5rem 0 1rem;overflow-wrap:anywhere}
h2{font-size:1.3rem;margin:2rem 0 .75rem;overflow-wrap:anywhere}
.count{color:var(--muted);font-weight:normal}
.grid{list-style:none;margin:0;padding:0;display:grid;gap:1rem;grid-template-columns:repeat(auto-fill,minmax(min(100%,14rem),1fr))}
figure{position:relative;margin:0;height:100%;padding:.75rem;display:flex;flex-direction:column;gap:.5rem;background:var(--card);border:1px solid var(--line);border-radius:.5rem}
figure.failed{border:2px solid var(--bad)}
.pic{height:9rem;background:var(--pic);border-radius:.25rem;display:flex;align-items:center;justify-content:center}
.pic img{display:block;width:100%;height:100%;object-fit:contain}
.pic.small img{image-rendering:pixelated}
video{display:block;width:100%;max-height:14rem;background:#000;border-radius:.25rem}
figcaption{display:flex;flex-direction:column;gap:.25rem}
.name{font-weight:600;overflow-wrap:anywhere}
.hint{color:var(--muted);font-size:.875rem;margin:0}
kbd{font-family:ui-monospace,monospace;padding:0 .3rem;border:1px solid var(--line);border-radius:.25rem;overflow-wrap:anywhere}
.links{list-style:none;margin:0;padding:0;display:flex;flex-wrap:wrap;gap:.25rem 1rem;font-size:.9375rem}
a{color:var(--link);text-underline-offset:.15em}
a:focus-visible,video:focus-visible{outline:3px solid var(--focus);outline-offset:2px;border-radius:2px}
.failure{margin:0;padding:.25rem .5rem;color:var(--bad);background:var(--badbg);border-radius:.25rem;overflow-wrap:anywhere}
.aside{position:absolute;width:1px;height:1px;margin:-1px;overflow:hidden;clip:rect(0 0 0 0);white-space:nowrap}
)";

std::string Href(std::string_view path) {
    return Escaped(PercentEncodedPath(path));
}

bool Linkable(std::string_view path) {
    return !path.empty() && IsExportRelativePath(path);
}

bool LooksLikePicture(std::string_view path) {
    const auto dot = path.rfind('.');
    if (dot == std::string_view::npos)
        return false;
    std::string extension(path.substr(dot + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == "png" || extension == "gif" || extension == "jpg" || extension == "jpeg" ||
           extension == "bmp" || extension == "webp";
}

// What the figure shows: a movie's animation (moving, as the movie does),
// else whatever picture of it was written.
std::string ShownPicture(const ExportedItem& item) {
    const ExportedFiles& files = item.files;
    std::vector<std::string_view> choices;
    if (IsMovieType(item.type))
        choices = {files.animation, files.gif, files.still, files.picture};
    else
        choices = {files.animation, files.gif, files.picture, files.still};
    if (!IsMovieType(item.type) && LooksLikePicture(files.original))
        choices.insert(choices.begin() + 2, files.original);
    for (const std::string_view path : choices) {
        if (Linkable(path))
            return std::string(path);
    }
    return {};
}

void AppendItem(std::string& out, const ExportedItem& item, const GalleryWords& words) {
    const std::string name = Escaped(item.displayName.empty() ? item.location : item.displayName);
    out += item.failure ? "<li><figure class=\"failed\">\n" : "<li><figure>\n";
    if (const std::string picture = ShownPicture(item); !picture.empty()) {
        // Emoticons are a few pixels across: shown larger, their pixels stay
        // sharp as they were drawn.
        out +=
            item.type == "custom-emoticons" ? "<div class=\"pic small\">" : "<div class=\"pic\">";
        out += "<img src=\"" + Href(picture) + "\" alt=\"" + name +
               "\" loading=\"lazy\" decoding=\"async\"></div>\n";
    }
    if (Linkable(item.files.video)) {
        out += "<video controls preload=\"none\"";
        if (Linkable(item.files.still))
            out += " poster=\"" + Href(item.files.still) + "\"";
        out += " aria-label=\"" + name + "\"><source src=\"" + Href(item.files.video) +
               "\" type=\"video/webm\"></video>\n";
        if (item.sound)
            out += "<p class=\"hint\">" + Escaped(words.playHint) + "</p>\n";
    }
    out += "<figcaption>\n<span class=\"name\">" + name + "</span>\n";
    if (!item.shortcut.empty()) {
        out += "<span>" + Escaped(words.shortcut) + " <kbd>" + Escaped(item.shortcut) +
               "</kbd></span>\n";
    }
    const std::array<std::pair<const std::string*, const std::string*>, 6> links{{
        {&item.files.original, &words.original},
        {&item.files.picture, &words.picture},
        {&item.files.video, &words.video},
        {&item.files.animation, &words.animation},
        {&item.files.gif, &words.gif},
        {&item.files.still, &words.still},
    }};
    std::string list;
    for (const auto& [path, label] : links) {
        if (Linkable(*path)) {
            // Every item has its "Original": the name it is of goes with the
            // link, unseen, for those who hear the page or list its links.
            list += "<li><a href=\"" + Href(*path) + "\">" + Escaped(*label) +
                    "<span class=\"aside\"> (" + name + ")</span></a></li>\n";
        }
    }
    if (!list.empty())
        out += "<ul class=\"links\">\n" + list + "</ul>\n";
    if (item.failure) {
        out += "<p class=\"failure\"><strong>" + Escaped(words.failed) + "</strong> " +
               Escaped(item.failure->sentence) + "</p>\n";
    }
    out += "</figcaption>\n</figure></li>\n";
}

} // namespace

std::string PercentEncodedPath(std::string_view path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) && byte < 0x80)
            out += c;
        else if (c == '-' || c == '.' || c == '_' || c == '~' || c == '/')
            out += c;
        else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0xf];
        }
    }
    return out;
}

GalleryWords EnglishGalleryWords(std::string_view passport) {
    GalleryWords words;
    words.language = "en";
    words.title = "Messenger content of " + std::string(passport);
    words.original = "Original";
    words.video = "Video (WebM)";
    words.animation = "Animation (WebP)";
    words.gif = "Animation (GIF)";
    words.still = "First frame (PNG)";
    words.picture = "Thumbnail";
    words.shortcut = "Shortcut:";
    words.playHint = "Play the video to hear its sound.";
    words.noItems = "Nothing was exported.";
    words.failed = "Failed:";
    words.typeHeadings = {
        {"winks", "Winks"},
        {"dynamic-display-pictures", "Dynamic Display Pictures"},
        {"dynamic-backgrounds", "Dynamic Backgrounds"},
        {"custom-emoticons", "Custom Emoticons"},
        {"backgrounds", "Backgrounds"},
        {"display-pictures", "Display Pictures"},
    };
    return words;
}

std::string GalleryHtml(std::string_view passport, const std::vector<ExportedItem>& items,
                        const GalleryWords& words) {
    // The types in the order of the backup-type list, then any other in the
    // order it first comes.
    std::vector<std::string> types;
    for (int i = 0; i < kCategoryCount; ++i)
        types.emplace_back(CategoryKeyword(static_cast<ContentCategory>(i)));
    for (const ExportedItem& item : items) {
        if (std::find(types.begin(), types.end(), item.type) == types.end())
            types.push_back(item.type);
    }

    const std::string title = Escaped(words.title.empty() ? passport : words.title);
    std::string out = "<!DOCTYPE html>\n<html lang=\"" + Escaped(words.language) +
                      "\">\n<head>\n<meta charset=\"utf-8\">\n"
                      "<meta http-equiv=\"Content-Security-Policy\" content=\"" +
                      std::string(kPolicy) +
                      "\">\n<meta name=\"referrer\" content=\"no-referrer\">\n"
                      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                      "<meta name=\"color-scheme\" content=\"light dark\">\n<title>" +
                      title + "</title>\n<style>" + std::string(kStyle) +
                      "</style>\n</head>\n<body>\n<main>\n<h1>" + title + "</h1>\n";
    if (items.empty())
        out += "<p>" + Escaped(words.noItems) + "</p>\n";
    int section = 0;
    for (const std::string& type : types) {
        const auto count = std::count_if(items.begin(), items.end(), [&](const ExportedItem& item) {
            return item.type == type;
        });
        if (count == 0)
            continue;
        const auto heading = words.typeHeadings.find(type);
        const std::string id = "type-" + std::to_string(++section);
        out += "<section aria-labelledby=\"" + id + "\">\n<h2 id=\"" + id + "\">" +
               Escaped(heading != words.typeHeadings.end() ? heading->second : type) +
               " <span class=\"count\">(" + std::to_string(count) +
               ")</span></h2>\n<ul class=\"grid\">\n";
        for (const ExportedItem& item : items) {
            if (item.type == type)
                AppendItem(out, item, words);
        }
        out += "</ul>\n</section>\n";
    }
    out += "</main>\n</body>\n</html>\n";
    return out;
}

} // namespace quorvane
