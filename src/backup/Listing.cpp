#include "backup/Listing.h"

#include "backup/CabinetTools.h"
#include "platform/CancelFlag.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/SystemFolders.h"

#include <deque>
#include <future>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane {

bool IsValidPassport(std::string_view passport, const CodePage& codePage) {
    if (passport.empty())
        return false;
    std::size_t at = codePage.Find(passport, "@", 0);
    return at != std::string_view::npos && at >= 1 && at + 4 <= passport.size();
}

namespace {

// What is at an object's path, before anything is handed a file that may be
// missing, or a FIFO that would never give an end.
bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

template <typename List> ListingResult Started(List& list, std::string_view passport) {
    ListingResult result;
    result.listed = list.ListObjects(passport);
    result.unsafeLocations = list.unsafeLocations;
    result.catalogueObjects = list.objects.size() + list.unsafeLocations;
    return result;
}

void DropRest(ObjectList& list, std::size_t from, ListingResult& result) {
    result.interrupted = true;
    list.objects.erase(list.objects.begin() + static_cast<std::ptrdiff_t>(from),
                       list.objects.end());
}

// What listing found for one packaged object: its picture, and whether it
// decodes (told by another thread).
struct Look {
    std::string picture;
    std::future<bool> decodes;
    bool shown = false;
};

// The first picture the extract tool wrote into folder, PNG before JPEG
// before GIF; "" when there is none.
std::string FirstPicture(const std::string& folder) {
    for (const char* pattern : {"*.png", "*.jpg", "*.gif"})
        if (std::optional<std::string> picture =
                SystemFolders::FindFirstMatch(JoinPath(folder, pattern)))
            return std::move(*picture);
    return {};
}

// Objects left out leave the list, and their stamp files and thumbnail
// folders go with them; the objects not looked at after an interrupt leave
// it too, and after a failed tool run every object does.
void KeepShown(PackagedObjectList& list, const std::vector<Look>& looks, std::size_t looked,
               const CodePage& codePage, ListingResult& result) {
    const bool failed = result.toolFailure.has_value();
    std::vector<InstalledObject> kept;
    for (std::size_t i = 0; i < list.objects.size(); ++i) {
        InstalledObject& object = list.objects[i];
        if (failed || i >= looked || !looks[i].shown) {
            unlink(list.StampPath(object).c_str());
            if (failed || i < looked)
                SystemFolders::DeleteTree(list.ThumbnailFolder(object));
            continue;
        }
        if (object.displayName.size() < 2) {
            std::string name = BaseName(looks[i].picture);
            name = name.size() >= 4 ? name.substr(0, name.size() - 4) : std::string();
            object.displayName = InstalledObject::Field(codePage.FromUtf8(name));
        }
        result.items.push_back({kept.size(), looks[i].picture});
        kept.push_back(std::move(object));
    }
    list.objects = std::move(kept);
}

} // namespace

ListingResult ListPackagedObjects(PackagedObjectList& list, std::string_view passport,
                                  CabinetTools& tools, const PictureDecoder& decoder,
                                  const CodePage& codePage, const CancelFlag* cancel,
                                  const ProgressFunction& progress) {
    ListingResult result = Started(list, passport);
    if (!result.listed)
        return result;

    // Each object's picture is decoded on another thread while the next
    // cabinet is being expanded: the listing waits on the extract tool
    // anyway, and the two together take little more than the tool alone.
    constexpr std::size_t kDecodesInFlight = 4;
    std::vector<Look> looks(list.objects.size());
    std::deque<std::size_t> inFlight;
    const auto settle = [&](std::size_t at) {
        looks[at].shown = looks[at].decodes.get();
        if (!looks[at].shown)
            ++result.withoutPicture;
    };
    std::size_t looked = 0;
    for (; looked < list.objects.size(); ++looked) {
        if (IsCancelled(cancel)) {
            result.interrupted = true;
            break;
        }
        if (progress)
            progress(looked, list.objects.size());
        const InstalledObject& object = list.objects[looked];
        const std::string folder = list.ThumbnailFolder(object);
        const std::string cabinet = list.ObjectPath(object);
        Look& look = looks[looked];
        if (!IsRegularFile(cabinet)) {
            ++result.missingFiles;
            continue;
        }
        // A cabinet the extract tool refuses is not shown. A run that failed
        // by itself (the tool missing, killed, or unable to write into the
        // scratch) says nothing about this cabinet, and every other one
        // would fail alike: the listing stops and says why, once. The
        // extract tool makes the thumbnail folder itself.
        const Result<> extracted = tools.ExtractCabinet(cabinet, folder);
        if (!extracted && extracted.error().code != FailureCode::Damaged) {
            result.toolFailure = extracted.error();
            break;
        }
        if (extracted)
            look.picture = FirstPicture(folder);
        if (look.picture.empty()) {
            ++result.withoutPicture;
            continue;
        }
        look.decodes = std::async(std::launch::async, [&decoder, picture = look.picture] {
            return decoder.CanDecode(picture);
        });
        inFlight.push_back(looked);
        if (inFlight.size() > kDecodesInFlight) {
            settle(inFlight.front());
            inFlight.pop_front();
        }
    }
    for (std::size_t at : inFlight)
        settle(at);
    if (progress && !result.interrupted)
        progress(looked, looked);

    KeepShown(list, looks, looked, codePage, result);
    return result;
}

ListingResult ListPictureObjects(PictureObjectList& list, std::string_view passport,
                                 const PictureDecoder& decoder, Pause& pause,
                                 const CancelFlag* cancel, const ProgressFunction& progress) {
    ListingResult result = Started(list, passport);
    if (!result.listed)
        return result;
    const std::size_t total = list.objects.size();
    for (std::size_t i = 0, seen = 0; i < list.objects.size(); ++seen) {
        if (IsCancelled(cancel)) {
            DropRest(list, i, result);
            break;
        }
        if (progress)
            progress(seen, total);
        const std::string path = list.ObjectPath(list.objects[i]);
        pause.Wait(50);
        const bool present = IsRegularFile(path);
        if (!present || !decoder.CanDecode(path)) {
            ++(present ? result.withoutPicture : result.missingFiles);
            list.objects.erase(list.objects.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        result.items.push_back({i, path});
        ++i;
    }
    if (progress && !result.interrupted)
        progress(total, total);
    return result;
}

} // namespace quorvane
