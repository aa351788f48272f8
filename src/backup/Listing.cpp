#include "backup/Listing.h"

#include "backup/CabinetTools.h"
#include "platform/CancelFlag.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/SystemFolders.h"

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

} // namespace

ListingResult ListPackagedObjects(PackagedObjectList& list, std::string_view passport,
                                  CabinetTools& tools, const PictureDecoder& decoder,
                                  const CodePage& codePage, const CancelFlag* cancel) {
    ListingResult result = Started(list, passport);
    if (!result.listed)
        return result;
    for (std::size_t i = 0; i < list.objects.size();) {
        if (IsCancelled(cancel)) {
            DropRest(list, i, result);
            break;
        }
        InstalledObject& object = list.objects[i];
        const std::string folder = list.ThumbnailFolder(object);
        const std::string cabinet = list.ObjectPath(object);
        std::string picture;
        bool found = false;
        if (!IsRegularFile(cabinet)) {
            ++result.missingFiles;
        } else if (MakeFolders(folder) && tools.ExtractCabinet(cabinet, folder).succeeded) {
            // A cabinet that could not be expanded is not shown.
            for (const char* pattern : {"*.png", "*.jpg", "*.gif"}) {
                if (SystemFolders::FindFirstMatch(JoinPath(folder, pattern), picture)) {
                    found = decoder.CanDecode(picture);
                    break;
                }
            }
            if (!found)
                ++result.withoutPicture;
        } else {
            ++result.withoutPicture;
        }
        if (!found) {
            // The object is left out; its stamp file would otherwise stay
            // until the list is cleared.
            unlink(list.StampPath(object).c_str());
            SystemFolders::DeleteTree(folder);
            list.objects.erase(list.objects.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        if (object.displayName.size() < 2) {
            std::string name = BaseName(picture);
            name = name.size() >= 4 ? name.substr(0, name.size() - 4) : std::string();
            object.displayName = InstalledObject::Field(codePage.FromUtf8(name));
        }
        result.items.push_back({i, picture});
        ++i;
    }
    return result;
}

ListingResult ListPictureObjects(PictureObjectList& list, std::string_view passport,
                                 const PictureDecoder& decoder, Pause& pause,
                                 const CancelFlag* cancel) {
    ListingResult result = Started(list, passport);
    if (!result.listed)
        return result;
    for (std::size_t i = 0; i < list.objects.size();) {
        if (IsCancelled(cancel)) {
            DropRest(list, i, result);
            break;
        }
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
    return result;
}

} // namespace quorvane
