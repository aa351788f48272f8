#pragma once

#include "profile/ContentCategory.h"
#include "profile/InstalledObject.h"
#include "profile/MapFiles.h"
#include "profile/MessengerProfile.h"
#include "profile/PackCipher.h"

#include <string>
#include <vector>

namespace quorvane {

// Why the last listing gave what it gave, for front ends that explain.
enum class ListingStatus {
    NotListed,
    Listed,
    WrongCategory,
    NoPointerFile,           // map.dat missing or unreadable
    PointerNotUnprotected,   // map.dat could not be unprotected
    NoCatalogueName,         // the pointer text names no catalogue
    NoCatalogueFile,         // the catalogue missing or unreadable
    CatalogueNotUnprotected, // listed true but empty
};

// What both object lists share: the category, the records of the last
// listing in catalogue order, the object folder, and the reading of the
// pointer and catalogue files.
class ObjectList : public MessengerProfile, public PackCipher {
public:
    ObjectList(const ProfileServices& services, ContentCategory category);
    ~ObjectList() override;

    virtual void Clear();

    // The path of an object's file: objectFolder joined with its location
    // as a file name.
    std::string ObjectPath(const InstalledObject& object) const;

    ContentCategory category;
    std::vector<InstalledObject> objects;
    std::string objectFolder;
    ListingStatus status = ListingStatus::NotListed;

protected:
    // Takes the passport, sets objectFolder and reads the category's
    // catalogue text; false (with status set) when the listing fails, also
    // when the category is not one of this list's family (packaged or not).
    bool ReadCatalogue(std::string_view passport, bool packagedFamily, std::string& text);
};

// Winks, Dynamic Display Pictures and Dynamic Backgrounds. Listing writes
// each object's stamp into a stamp file named by its tag in the object
// folder; the files are removed when the list is cleared.
class PackagedObjectList final : public ObjectList {
public:
    PackagedObjectList(const ProfileServices& services, ContentCategory category);
    ~PackagedObjectList() override;

    bool ListObjects(std::string_view passport) override;
    void Clear() override;
    bool WriteStampFile(const std::string& name, const char* bytes, std::size_t count) const;

    // The catalogue names an object "content.xml", the name under which each
    // pack's manifest is written beside the objects: such an object is left
    // out, and no pack may be built in the folder, or it would be destroyed.
    bool objectNamedLikeManifest = false;
};

// Custom Emoticons, Regular Backgrounds and Regular Display Pictures.
class PictureObjectList final : public ObjectList {
public:
    PictureObjectList(const ProfileServices& services, ContentCategory category);
    ~PictureObjectList() override;

    bool ListObjects(std::string_view passport) override;
};

} // namespace quorvane
