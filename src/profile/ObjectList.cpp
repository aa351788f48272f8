#include "profile/ObjectList.h"

#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/PrivateFolder.h"
#include "platform/ScratchFolder.h"
#include "platform/TranslatedSentence.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
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
// from a value that was read past its end. Nor can "*" or "?", which a
// cabinet tool would take for wildcards standing for other files of the
// folder (map.dat among them).
bool IsUsableLocation(const std::string& location) {
    return IsBareFileName(location) && location.find_first_of("\"*?") == std::string::npos;
}

} // namespace

ObjectList::ObjectList(const ProfileServices& services, ContentCategory listCategory)
    : MessengerProfile(services), category(listCategory) {}

ObjectList::~ObjectList() = default;

void ObjectList::Clear() {
    objects.clear();
    unsafeLocations = 0;
    m_stamps = OpenFolder();
    m_scratch.reset();
    scratchFolder.clear();
}

std::string ObjectList::ObjectPath(const InstalledObject& object) const {
    return Under(objectFolder, m_services.codePage.ToUtf8(object.location));
}

bool ObjectList::Failed(ListingStatus why, const std::string& file,
                        const ProtectedFileContent& content) {
    status = why;
    problemFile = file;
    fileProblem = content.problem;
    problemDetail = content.detail;
    return false;
}

bool ObjectList::ReadCatalogue(std::string_view newPassport, bool packagedFamily,
                               std::string& text) {
    SetPassport(newPassport);
    problemFile.clear();
    problemDetail.clear();
    fileProblem = ProtectedFileContent::Problem::None;
    if (IsPackaged(category) != packagedFamily) {
        status = ListingStatus::WrongCategory;
        return false;
    }
    objectFolder = Under(accountFolder, CategoryFolderName(category));

    const std::string pointerPath = Under(objectFolder, "map.dat");
    ProtectedFileContent pointer = ReadProtectedFile(pointerPath);
    if (!pointer.read)
        return Failed(ListingStatus::NoPointerFile, pointerPath, pointer);
    if (!pointer.unprotected)
        return Failed(ListingStatus::PointerNotUnprotected, pointerPath, pointer);
    const CodePage& codePage = m_services.codePage;
    auto name = CatalogueNameFromPointer(DecodedText(pointer.decoded, codePage), codePage);
    // The catalogue must lie in the MapFile folder itself.
    if (!name || !IsBareFileName(*name))
        return Failed(ListingStatus::NoCatalogueName, pointerPath, {});
    const std::string cataloguePath = Under(mapFileFolder, codePage.ToUtf8(*name));
    ProtectedFileContent catalogue = ReadProtectedFile(cataloguePath);
    if (!catalogue.read)
        return Failed(ListingStatus::NoCatalogueFile, cataloguePath, catalogue);
    if (!catalogue.unprotected)
        Failed(ListingStatus::CatalogueNotUnprotected, cataloguePath, catalogue);
    else
        status = ListingStatus::Listed;
    text = DecodedText(catalogue.decoded, codePage);
    return true;
}

bool ObjectList::MakeScratchFolder() {
    std::string reason;
    const std::string root = m_services.privateFolder;
    if (!root.empty()) {
        Result<std::unique_ptr<ScratchFolder>> made =
            EnsurePrivateFolder(root)
                .and_then([&] {
                    return EnsurePrivateSubfolder(root,
                                                  std::to_string(accountId) + "/" +
                                                      std::string(CategoryFolderName(category)));
                })
                .and_then([&](const std::string& parent) {
                    SweepStaleScratch(parent, "listing-");
                    return ScratchFolder::Make(parent, "listing-");
                });
        if (made)
            m_scratch = std::move(*made);
        else
            reason = std::move(made.error().sentence);
    }
    if (!m_scratch) {
        status = ListingStatus::NoPrivateFolder;
        problemFile = root;
        problemDetail = root.empty() ? Sentence(QCoreApplication::translate(
                                           "quorvane::Outcomes", "no private folder is known"))
                                     : reason;
        return false;
    }
    scratchFolder = m_scratch->Path();
    const std::string stamps = JoinPath(scratchFolder, "stamps");
    if (::mkdir(stamps.c_str(), 0700) != 0 ||
        ::mkdir(JoinPath(scratchFolder, "thumbnails").c_str(), 0700) != 0) {
        const int error = errno;
        status = ListingStatus::NoPrivateFolder;
        problemFile = scratchFolder;
        problemDetail = ErrorText(error);
        return false;
    }
    if (Result<> opened = m_stamps.Open(stamps); !opened) {
        status = ListingStatus::NoPrivateFolder;
        problemFile = scratchFolder;
        problemDetail = std::move(opened.error().sentence);
        return false;
    }
    return true;
}

PackagedObjectList::PackagedObjectList(const ProfileServices& services,
                                       ContentCategory listCategory)
    : ObjectList(services, listCategory) {}

PackagedObjectList::~PackagedObjectList() = default;

// The scratch of an object is named after its tag, which is unique within a
// listing, never after Messenger's names themselves.
std::string PackagedObjectList::StampPath(const InstalledObject& object) const {
    return JoinPath(JoinPath(scratchFolder, "stamps"), ScratchName(object.tag));
}

std::string PackagedObjectList::ThumbnailFolder(const InstalledObject& object) const {
    return JoinPath(JoinPath(scratchFolder, "thumbnails"), ScratchName(object.tag) + ".dir");
}

Result<> PackagedObjectList::WriteStampFile(const std::string& tag, const char* bytes,
                                            std::size_t count) const {
    if (!m_stamps.IsOpen())
        return Fail(SystemFailure(EBADF));
    return m_stamps.WriteNewFile(ScratchName(tag), std::string_view(bytes, count), 0600);
}

bool PackagedObjectList::ListObjects(std::string_view newPassport) {
    Clear();
    std::string text;
    if (!ReadCatalogue(newPassport, true, text))
        return false;
    if (!MakeScratchFolder())
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
        if (!IsUsableLocation(object.location)) {
            ++unsafeLocations;
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
        // An object whose stamp could not be written is still listed: backing
        // it up fails then, saying that its stamp file cannot be read.
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
        if (!IsUsableLocation(object.location)) {
            ++unsafeLocations;
            continue;
        }
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
