#pragma once

#include "platform/Result.h"
#include "profile/ObjectList.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

class CabinetTools;
class CancelFlag;
class CodePage;
class Pause;

// How far a listing or a backup has got: items done of all. Called on the
// thread that does the work, after each item.
using ProgressFunction = std::function<void(std::size_t done, std::size_t total)>;

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

// What a listing gave: the items of the left list, and how many catalogue
// objects were left out and why.
struct ListingResult {
    std::vector<ListedItem> items;
    bool listed = false;              // the catalogue could be read (see the list's status)
    bool interrupted = false;         // stopped by the cancel flag; the rest was not looked at
    std::size_t catalogueObjects = 0; // records in the catalogue
    std::size_t unsafeLocations = 0;  // Location no plain file name in the object folder
    std::size_t missingFiles = 0;     // the object's file is missing or not a regular file
    std::size_t withoutPicture = 0;   // no PNG, JPEG or GIF that can be shown
    // Why the cabinet tool could not do its work (missing, not starting,
    // killed, unable to write into the scratch); the listing stopped there
    // and lists nothing. None when every run ended by itself.
    std::optional<Failure> toolFailure;

    std::size_t LeftOut() const { return unsafeLocations + missingFiles + withoutPicture; }
};

// Lists a packaged category: each object's cabinet is unpacked into its
// thumbnail folder in the listing's scratch, its first ".png", ".jpg" or
// ".gif" (in that order) must decode, and objects without one are left out
// of the list (and their stamp files removed). Short display names take the
// picture's name. Stops after the current object when cancel is set; the
// objects not looked at are dropped from the list. A failed run of the
// extract tool (not a cabinet it refuses) stops the listing with nothing
// listed and the reason in toolFailure.
ListingResult ListPackagedObjects(PackagedObjectList& list, std::string_view passport,
                                  CabinetTools& tools, const PictureDecoder& decoder,
                                  const CodePage& codePage, const CancelFlag* cancel = nullptr,
                                  const ProgressFunction& progress = {});

// Lists a picture category: each object's own file must decode; a 50 ms
// pause per object paces the listing.
ListingResult ListPictureObjects(PictureObjectList& list, std::string_view passport,
                                 const PictureDecoder& decoder, Pause& pause,
                                 const CancelFlag* cancel = nullptr,
                                 const ProgressFunction& progress = {});

} // namespace quorvane
