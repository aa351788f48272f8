#include "backup/Listing.h"

#include "backup/CabinetTools.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/SystemFolders.h"

#include <unistd.h>

namespace quorvane {

bool IsValidPassport(std::string_view passport, const CodePage& codePage) {
    if (passport.empty())
        return false;
    std::size_t at = codePage.Find(passport, "@", 0);
    return at != std::string_view::npos && at >= 1 && at + 4 <= passport.size();
}

std::string ThumbnailFolder(const ObjectList& list, const InstalledObject& object,
                            const CodePage& codePage) {
    return JoinPath(list.objectFolder, codePage.ToUtf8(object.location) + ".dir");
}

std::vector<ListedItem> ListPackagedObjects(PackagedObjectList& list, std::string_view passport,
                                            CabinetTools& tools, const PictureDecoder& decoder,
                                            const CodePage& codePage) {
    std::vector<ListedItem> items;
    if (!list.ListObjects(passport))
        return items;
    for (std::size_t i = 0; i < list.objects.size();) {
        InstalledObject& object = list.objects[i];
        const std::string folder = ThumbnailFolder(list, object, codePage);
        MakeFolders(folder);
        // A cabinet that could not be expanded is not shown, even when its
        // folder still holds a picture from an earlier listing.
        const bool expanded = tools.ExtractCabinet(list.ObjectPath(object), folder).succeeded;

        std::string picture;
        bool found = false;
        for (const char* pattern : {"*.png", "*.jpg", "*.gif"}) {
            if (!expanded)
                break;
            if (SystemFolders::FindFirstMatch(JoinPath(folder, pattern), picture)) {
                found = true;
                break;
            }
        }
        if (!found || !decoder.CanDecode(picture)) {
            // The object is left out; its stamp file would otherwise stay
            // behind, since Clear no longer knows it.
            unlink(JoinPath(list.objectFolder, codePage.ToUtf8(object.tag)).c_str());
            list.objects.erase(list.objects.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        if (object.displayName.size() < 2) {
            std::string name = BaseName(picture);
            name = name.size() >= 4 ? name.substr(0, name.size() - 4) : std::string();
            object.displayName = InstalledObject::Field(codePage.FromUtf8(name));
        }
        items.push_back({i, picture});
        ++i;
    }
    return items;
}

std::vector<ListedItem> ListPictureObjects(PictureObjectList& list, std::string_view passport,
                                           const PictureDecoder& decoder, Pause& pause) {
    std::vector<ListedItem> items;
    if (!list.ListObjects(passport))
        return items;
    for (std::size_t i = 0; i < list.objects.size();) {
        const std::string path = list.ObjectPath(list.objects[i]);
        pause.Wait(50);
        if (!decoder.CanDecode(path)) {
            list.objects.erase(list.objects.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        items.push_back({i, path});
        ++i;
    }
    return items;
}

} // namespace quorvane
