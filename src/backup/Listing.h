#pragma once

#include "profile/ObjectList.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

class CabinetTools;
class CodePage;
class Pause;

// Tells whether a picture file can be shown. The front ends fill it with
// Qt's image reader, which knows the format by content, not by name.
class PictureDecoder {
public:
    virtual ~PictureDecoder() = default;
    virtual bool CanDecode(const std::string& path) const = 0;
};

// A passport has something before its first "@" and at least three bytes
// after it; the search steps over double-byte characters whole.
bool IsValidPassport(std::string_view passport, const CodePage& codePage);

// One item of the left list after List: the index of its object in the
// list's objects (the item data), and the picture its thumbnail is made of.
struct ListedItem {
    std::size_t itemData = 0;
    std::string picturePath;
};

// Lists a packaged category: each object's cabinet is unpacked into its
// ".dir" folder beside it, its first ".png", ".jpg" or ".gif" (in that
// order) must decode, and objects without one are left out of the list (and
// their stamp files removed). Short display names take the picture's name.
// Returns the items in list order; empty when ListObjects failed.
std::vector<ListedItem> ListPackagedObjects(PackagedObjectList& list, std::string_view passport,
                                            CabinetTools& tools, const PictureDecoder& decoder,
                                            const CodePage& codePage);

// Lists a picture category: each object's own file must decode; a 50 ms
// pause per object paces the listing.
std::vector<ListedItem> ListPictureObjects(PictureObjectList& list, std::string_view passport,
                                           const PictureDecoder& decoder, Pause& pause);

// The ".dir" folder a packaged object is unpacked into for its thumbnail.
std::string ThumbnailFolder(const ObjectList& list, const InstalledObject& object,
                            const CodePage& codePage);

} // namespace quorvane
