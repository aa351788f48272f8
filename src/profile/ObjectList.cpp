#include "profile/ObjectList.h"

#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"

#include <algorithm>
#include <unistd.h>
#include <unordered_map>
#include <unordered_set>

namespace quorvane {

namespace {

CatalogueLayout LayoutOf(ContentCategory category) {
    switch (category) {
    case ContentCategory::CustomEmoticons:
        return CatalogueLayout::CustomEmoticons;
    case ContentCategory::RegularBackgrounds:
        return CatalogueLayout::RegularBackgrounds;
    case ContentCategory::RegularDisplayPictures:
        return CatalogueLayout::RegularDisplayPictures;
    default:
        return CatalogueLayout::Packaged;
    }
}

// A Location names a file in the object folder, never a path. A double
// quote cannot stand in a Windows file name either; one in a Location comes
// from a value that was read past its end.
bool IsUsableLocation(const std::string& location) {
    return IsBareFileName(location) && location.find('"') == std::string::npos;
}

} // namespace

ObjectList::ObjectList(const ProfileServices& services, ContentCategory listCategory)
    : MessengerProfile(services), PackCipher(services.windowsFolder), category(listCategory) {}

ObjectList::~ObjectList() = default;

void ObjectList::Clear() {
    objects.clear();
}

std::string ObjectList::ObjectPath(const InstalledObject& object) const {
    return JoinPath(objectFolder, m_services.codePage.ToUtf8(object.location));
}

bool ObjectList::ReadCatalogue(std::string_view newPassport, bool packagedFamily,
                               std::string& text) {
    SetPassport(newPassport);
    if (IsPackaged(category) != packagedFamily) {
        status = ListingStatus::WrongCategory;
        return false;
    }
    objectFolder = JoinPath(accountFolder, CategoryFolderName(category));

    ProtectedFileContent pointer = ReadProtectedFile(JoinPath(objectFolder, "map.dat"));
    if (!pointer.read) {
        status = ListingStatus::NoPointerFile;
        return false;
    }
    if (!pointer.unprotected) {
        status = ListingStatus::PointerNotUnprotected;
        return false;
    }
    const CodePage& codePage = m_services.codePage;
    auto name = CatalogueNameFromPointer(DecodedText(pointer.decoded, codePage), codePage);
    // The catalogue must lie in the MapFile folder itself.
    if (!name || !IsBareFileName(*name)) {
        status = ListingStatus::NoCatalogueName;
        return false;
    }
    ProtectedFileContent catalogue =
        ReadProtectedFile(JoinPath(mapFileFolder, codePage.ToUtf8(*name)));
    if (!catalogue.read) {
        status = ListingStatus::NoCatalogueFile;
        return false;
    }
    status = catalogue.unprotected ? ListingStatus::Listed : ListingStatus::CatalogueNotUnprotected;
    text = DecodedText(catalogue.decoded, codePage);
    return true;
}

PackagedObjectList::PackagedObjectList(const ProfileServices& services,
                                       ContentCategory listCategory)
    : ObjectList(services, listCategory) {}

PackagedObjectList::~PackagedObjectList() {
    PackagedObjectList::Clear();
}

void PackagedObjectList::Clear() {
    // The stamp files of the last listing go with its records.
    for (const InstalledObject& object : objects)
        unlink(JoinPath(objectFolder, m_services.codePage.ToUtf8(object.tag)).c_str());
    ObjectList::Clear();
}

bool PackagedObjectList::WriteStampFile(const std::string& name, const char* bytes,
                                        std::size_t count) const {
    return WriteWholeFile(JoinPath(objectFolder, m_services.codePage.ToUtf8(name)),
                          std::string_view(bytes, count));
}

bool PackagedObjectList::ListObjects(std::string_view newPassport) {
    Clear();
    objectNamedLikeManifest = false;
    std::string text;
    if (!ReadCatalogue(newPassport, true, text))
        return false;

    const CodePage& codePage = m_services.codePage;
    std::unordered_set<std::string> tags;
    // The next tick not yet used with each Location, so that many records of
    // one Location do not each start the search for a free tag anew.
    std::unordered_map<std::string, std::uint32_t> nextTick;
    for (const CatalogueRecord& record : ScanCatalogue(CatalogueLayout::Packaged, text, codePage)) {
        InstalledObject object;
        object.location = InstalledObject::Field(record.location);
        // A Location is a file in the object folder, never a path: a record
        // that would lead elsewhere is left out.
        if (!IsUsableLocation(object.location))
            continue;
        if (codePage.ToLower(object.location) == "content.xml") {
            objectNamedLikeManifest = true;
            continue;
        }
        object.displayName = InstalledObject::Field(DecodeFriendlyName(record.friendly, codePage));
        // The tag names the stamp file and is the pack's content id, so it
        // must be unique even for two records of one Location listed within
        // the same millisecond: the tick is stepped on until it is.
        std::uint32_t tick = m_services.clock.TickCount();
        if (auto used = nextTick.find(object.location); used != nextTick.end())
            tick = std::max(tick, used->second);
        do {
            object.tag = InstalledObject::Field(std::to_string(tick++) + object.location);
        } while (!tags.insert(object.tag).second);
        nextTick[object.location] = tick;
        WriteStampFile(object.tag, record.stamp.data(), record.stamp.size());
        objects.push_back(std::move(object));
    }
    return true;
}

PictureObjectList::PictureObjectList(const ProfileServices& services, ContentCategory listCategory)
    : ObjectList(services, listCategory) {}

PictureObjectList::~PictureObjectList() = default;

bool PictureObjectList::ListObjects(std::string_view newPassport) {
    Clear();
    std::string text;
    if (!ReadCatalogue(newPassport, false, text))
        return false;

    const CodePage& codePage = m_services.codePage;
    for (const CatalogueRecord& record : ScanCatalogue(LayoutOf(category), text, codePage)) {
        InstalledObject object;
        object.location = InstalledObject::Field(record.location);
        if (!IsUsableLocation(object.location))
            continue;
        switch (category) {
        case ContentCategory::CustomEmoticons:
            object.tag = InstalledObject::Field(record.field1);
            object.displayName = InstalledObject::Field(record.field2);
            break;
        case ContentCategory::RegularBackgrounds:
            object.displayName =
                InstalledObject::Field(DecodeFriendlyName(record.friendly, codePage));
            break;
        default:
            object.displayName = InstalledObject::Field(record.field1);
            break;
        }
        objects.push_back(std::move(object));
    }
    return true;
}

} // namespace quorvane
