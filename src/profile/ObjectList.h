#pragma once

#include "platform/FileIo.h"
#include "platform/ScratchFolder.h"
#include "profile/CatalogueFiles.h"
#include "profile/ContentCategory.h"
#include "profile/InstalledObject.h"
#include "profile/MessengerProfile.h"

#include <memory>
#include <string>
#include <vector>

namespace quorvane {

class ScratchFolder;

// Why the last listing gave what it gave, for front ends that explain.
enum class ListingStatus {
    NotListed,
    Listed,
    WrongCategory,
    NoPrivateFolder,         // Quorvane's own folder cannot be used (see problemDetail)
    NoPointerFile,           // map.dat missing, empty or unreadable (see fileProblem)
    PointerNotUnprotected,   // map.dat damaged or not for this passport (see fileProblem)
    NoCatalogueName,         // the pointer text names no catalogue
    NoCatalogueFile,         // the catalogue missing, empty or unreadable (see fileProblem)
    CatalogueNotUnprotected, // listed true but empty (see fileProblem)
};

// What both object lists share: the category, the records of the last
// listing in catalogue order, the object folder, and the reading of the
// pointer and catalogue files.
class ObjectList : public MessengerProfile {
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
    // For the statuses about a file: which file, and what was wrong with it.
    std::string problemFile;
    ProtectedFileContent::Problem fileProblem = ProtectedFileContent::Problem::None;
    std::string problemDetail;
    // Catalogue records left out because their Location is no plain file
    // name in the object folder.
    std::size_t unsafeLocations = 0;
    // This listing's scratch in Quorvane's private folder (stamp files,
    // thumbnail folders); "" when it has none. Removed by Clear.
    std::string scratchFolder;

protected:
    // Takes the passport, sets objectFolder and reads the category's
    // catalogue text; false (with status set) when the listing fails, also
    // when the category is not one of this list's family (packaged or not).
    bool ReadCatalogue(std::string_view passport, bool packagedFamily, std::string& text);
    // Makes this listing's scratch folder below the private folder, one
    // subfolder per account and category, after removing what killed runs
    // left there. False (with status set) when it cannot be made.
    bool MakeScratchFolder();

    std::unique_ptr<ScratchFolder> m_scratch;
    OpenFolder m_stamps; // the scratch's stamp folder, held open while listing

private:
    bool Failed(ListingStatus why, const std::string& file, const ProtectedFileContent& content);
};

// Winks, Dynamic Display Pictures and Dynamic Backgrounds. Listing writes
// each object's stamp into a stamp file named after its tag, in the listing's
// scratch folder (never in Messenger's folder); the files are removed when
// the list is cleared.
class PackagedObjectList final : public ObjectList {
public:
    PackagedObjectList(const ProfileServices& services, ContentCategory category);
    ~PackagedObjectList() override;

    bool ListObjects(std::string_view passport) override;
    // Writes a listed object's stamp into its new stamp file.
    Result<> WriteStampFile(const std::string& tag, const char* bytes, std::size_t count) const;

    // The stamp file of a listed object.
    std::string StampPath(const InstalledObject& object) const;
    // The folder a listed object's cabinet is unpacked into for its
    // thumbnail, and where the preview finds its movie.
    std::string ThumbnailFolder(const InstalledObject& object) const;
};

// Custom Emoticons, Regular Backgrounds and Regular Display Pictures.
class PictureObjectList final : public ObjectList {
public:
    PictureObjectList(const ProfileServices& services, ContentCategory category);
    ~PictureObjectList() override;

    bool ListObjects(std::string_view passport) override;
};

} // namespace quorvane
