#include "export/SwfMovie.h"

#include "export/SwfTags.h"

#include <algorithm>
#include <set>
#include <string>

namespace quorvane {

namespace {

constexpr int kDefaultFrameRate256 = 12 * 256;

} // namespace

Result<SwfMovie> ReadSwfMovie(std::span<const std::uint8_t> bytes) {
    auto opened = swf::OpenMovie(bytes);
    if (!opened)
        return tl::unexpected(opened.error());
    const auto header = swf::ReadMovieHeader(*opened);
    if (!header)
        return tl::unexpected(header.error());

    SwfMovie movie;
    movie.version = opened->version;
    movie.width = header->width;
    movie.height = header->height;
    movie.frameRate256 = header->frameRate256 > 0 ? header->frameRate256 : kDefaultFrameRate256;
    movie.frameCount = header->frameCount;

    // Sound ids defined, and the names they are exported or bound to a class
    // by, so StartSound2's class name finds its sound.
    std::set<std::uint16_t> sounds;
    std::set<std::string, std::less<>> soundNames;
    int shownFrames = 0;
    int stopFrame = -1;
    bool streamHead = false;
    swf::TagReader tags(opened->body.subspan(header->tagsOffset));
    for (;;) {
        auto next = tags.Next();
        if (!next)
            return tl::unexpected(next.error());
        if (!*next)
            break;
        const swf::Tag& tag = **next;
        swf::FieldReader fields(tag.body);
        switch (tag.code) {
        case swf::kShowFrame:
            ++shownFrames;
            break;
        case swf::kFileAttributes:
            movie.actionScript3 = (fields.U8() & 0x08) != 0;
            break;
        case swf::kDoAction:
            if (stopFrame < 0 && swf::ActionsReachStop(tag.body))
                stopFrame = shownFrames;
            break;
        case swf::kDefineSound:
            sounds.insert(fields.U16());
            break;
        case swf::kExportAssets:
        case swf::kSymbolClass: {
            const int count = fields.U16();
            for (int i = 0; i < count && !fields.Overran(); ++i) {
                const std::uint16_t id = fields.U16();
                const std::string_view name = fields.String();
                if (!fields.Overran() && sounds.count(id) != 0)
                    soundNames.emplace(name);
            }
            break;
        }
        case swf::kStartSound:
            if (sounds.count(fields.U16()) != 0)
                movie.hasSound = true;
            break;
        case swf::kStartSound2:
            if (soundNames.count(fields.String()) != 0)
                movie.hasSound = true;
            break;
        case swf::kDefineSprite: {
            // A movie clip's own frames may start a sound of the movie.
            fields.U16();
            fields.U16();
            swf::TagReader inner(fields.Rest());
            for (auto clipTag = inner.Next(); clipTag && *clipTag; clipTag = inner.Next()) {
                swf::FieldReader clipFields((**clipTag).body);
                if (((**clipTag).code == swf::kStartSound && sounds.count(clipFields.U16()) != 0) ||
                    ((**clipTag).code == swf::kStartSound2 &&
                     soundNames.count(clipFields.String()) != 0))
                    movie.hasSound = true;
            }
            break;
        }
        case swf::kSoundStreamHead:
        case swf::kSoundStreamHead2:
            streamHead = true;
            break;
        case swf::kSoundStreamBlock:
            if (streamHead && !tag.body.empty())
                movie.hasSound = true;
            break;
        default:
            break;
        }
    }
    int frames = std::min(shownFrames, movie.frameCount);
    if (stopFrame >= 0 && stopFrame < frames)
        frames = stopFrame + 1;
    movie.playFrames = std::max(frames, 1);
    return movie;
}

} // namespace quorvane
