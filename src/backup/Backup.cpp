#include "backup/Backup.h"

#include "backup/Manifests.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/SystemFolders.h"

#include <ctime>
#include <unistd.h>

namespace quorvane {

namespace {

// Rewrites the bytes of a display name that cannot stand in a Linux or
// Windows file name ("/", "\\", control characters), and spaces too when
// asked, stepping over double-byte characters whole.
std::string CleanName(std::string_view name, bool spacesToo, const CodePage& codePage) {
    std::string out(name);
    for (std::size_t i = 0; i < out.size(); ++i) {
        auto byte = static_cast<unsigned char>(out[i]);
        if (codePage.IsLeadByte(byte) && i + 1 < out.size()) {
            ++i;
            continue;
        }
        if (byte == '/' || byte == '\\' || byte < 0x20 || byte == 0x7F ||
            (spacesToo && byte == ' '))
            out[i] = '-';
    }
    return out;
}

bool CopyFile(const std::string& from, const std::string& to, std::string& reason) {
    auto bytes = ReadWholeFile(from);
    if (!bytes) {
        reason = "its file " + from + " could not be read";
        return false;
    }
    if (!WriteFileAtomically(to, *bytes)) {
        reason = "the copy " + to + " could not be written";
        return false;
    }
    return true;
}

bool IsManifestName(std::string_view name, const CodePage& codePage) {
    return codePage.ToLower(name) == "content.xml";
}

// Starts the outcome of one chosen item; false, with the reason, when its
// item data names no listed object.
bool StartItem(const ObjectList& list, std::size_t index, BackupItemOutcome& item) {
    item.itemData = index;
    if (index >= list.objects.size()) {
        item.reason = "there is no listed item " + std::to_string(index);
        return false;
    }
    item.displayName = list.objects[index].displayName;
    return true;
}

} // namespace

bool BackupOutcome::AllWritten() const {
    for (const BackupItemOutcome& item : items)
        if (!item.written)
            return false;
    return true;
}

std::string_view BackupSubfolder(ContentCategory category) {
    switch (category) {
    case ContentCategory::Winks:
        return "msn-winks";
    case ContentCategory::DynamicDisplayPictures:
        return "msn-dynamic-display-pictures";
    case ContentCategory::DynamicBackgrounds:
        return "msn-dynamic-backgrounds";
    case ContentCategory::CustomEmoticons:
        return "msn-emoticons";
    case ContentCategory::RegularBackgrounds:
        return "msn-regular-backgrounds";
    case ContentCategory::RegularDisplayPictures:
        return "msn-regular-display-pictures";
    }
    return {};
}

bool BuildPack(PackagedObjectList& list, std::size_t index, const std::string& packPath,
               const BackupServices& services, std::string& reason) {
    const InstalledObject& object = list.objects[index];
    const CodePage& codePage = services.codePage;
    const std::string manifest = JoinPath(list.objectFolder, "content.xml");
    const std::string stampName = codePage.ToUtf8(object.tag);
    const std::string stampPath = JoinPath(list.objectFolder, stampName);

    if (list.objectNamedLikeManifest) {
        reason = "the folder " + list.objectFolder +
                 " holds an object named content.xml, which building a pack would destroy";
        return false;
    }
    // The stamp file is named by the tag and lives next to the object. A tag
    // that is not a bare file name cannot name such a file, and following it
    // would copy some other file of the user into the backup.
    const std::optional<std::string> stamp =
        IsBareFileName(stampName) ? ReadWholeFile(stampPath) : std::nullopt;
    if (!stamp) {
        reason = "its stamp file " + stampPath + " is missing or cannot be read";
        return false;
    }
    if (!WriteObjectManifest(list.category, list.objectFolder, object, *stamp, codePage, reason)) {
        unlink(manifest.c_str());
        return false;
    }
    ToolRun run = services.tools.PackObject(packPath, manifest, list.objectFolder,
                                            codePage.ToUtf8(object.location), list.windowsFolder);
    services.pause.Wait(10);
    // The manifest is only needed while the pack is built; it never stays
    // in Messenger's folder.
    unlink(manifest.c_str());
    if (!run.succeeded) {
        reason = run.reason;
        return false;
    }
    if (access(packPath.c_str(), F_OK) != 0) {
        reason = "the pack " + packPath + " is missing after the cabinet tool ran";
        return false;
    }
    if (!list.TransformFile(packPath)) {
        unlink(packPath.c_str());
        reason = "the pack " + packPath + " could not be sealed";
        return false;
    }
    return true;
}

BackupOperation::BackupOperation(const BackupServices& services) : m_services(services) {}

std::string BackupOperation::PackName(std::string_view displayName) {
    std::string name = CleanName(displayName, true, m_services.codePage);
    if (name.empty() || name == "." || name == "..") {
        name = "msn-" + std::to_string(m_services.clock.TickCount());
        m_services.pause.Wait(5);
    }
    return m_services.codePage.ToUtf8(name);
}

std::string BackupOperation::PictureName(std::string_view displayName) const {
    // An empty name would give ".png", a file Linux hides from the user.
    std::string name = CleanName(displayName, false, m_services.codePage);
    if (name.empty() || name == "." || name == "..")
        name = "msn-" + std::to_string(m_services.clock.TickCount());
    // A name that already ends in a dot and three characters keeps its
    // extension; any other gets ".png".
    const bool hasExtension =
        name.size() >= 4 ? name[name.size() - 4] == '.' : (!name.empty() && name[0] == '.');
    if (!hasExtension)
        name += ".png";
    return m_services.codePage.ToUtf8(name);
}

std::string BackupOperation::UniquePath(const std::string& folder, const std::string& fileName) {
    std::string path = JoinPath(folder, fileName);
    std::size_t dot = fileName.find_last_of('.');
    if (dot == 0 || dot == std::string::npos)
        dot = fileName.size();
    for (int n = 2; m_written.count(path) != 0; ++n)
        path = JoinPath(folder, fileName.substr(0, dot) + " (" + std::to_string(n) + ")" +
                                    fileName.substr(dot));
    m_written.insert(path);
    return path;
}

BackupOutcome BackupOperation::Run(ContentCategory listedCategory, ObjectList& list,
                                   const std::vector<std::size_t>& itemData,
                                   const std::string& backupFolder, EmoticonManifest& manifest) {
    m_written.clear();
    const std::string folder = JoinPath(backupFolder, BackupSubfolder(listedCategory));
    if (!MakeFolders(folder)) {
        BackupOutcome outcome;
        for (std::size_t index : itemData) {
            BackupItemOutcome item;
            if (StartItem(list, index, item))
                item.reason = "the folder " + folder + " could not be created";
            outcome.items.push_back(item);
        }
        return outcome;
    }
    if (IsPackaged(listedCategory))
        return BackupPacks(static_cast<PackagedObjectList&>(list), itemData, folder);
    if (listedCategory == ContentCategory::CustomEmoticons)
        return BackupEmoticons(static_cast<PictureObjectList&>(list), itemData, folder, manifest);
    return BackupPictures(static_cast<PictureObjectList&>(list), itemData, folder);
}

BackupOutcome BackupOperation::BackupPacks(PackagedObjectList& list,
                                           const std::vector<std::size_t>& itemData,
                                           const std::string& folder) {
    BackupOutcome outcome;
    for (std::size_t index : itemData) {
        BackupItemOutcome item;
        if (!StartItem(list, index, item)) {
            outcome.items.push_back(item);
            continue;
        }
        item.file = UniquePath(folder, PackName(item.displayName) + ".msn");
        item.written = BuildPack(list, index, item.file, m_services, item.reason);
        outcome.items.push_back(item);
    }
    return outcome;
}

BackupOutcome BackupOperation::BackupEmoticons(PictureObjectList& list,
                                               const std::vector<std::size_t>& itemData,
                                               const std::string& folder,
                                               EmoticonManifest& manifest) {
    const CodePage& codePage = m_services.codePage;
    BackupOutcome outcome;
    std::string stamp;
    if (auto local = m_services.clock.LocalTime()) {
        char text[32] = {};
        if (std::strftime(text, sizeof(text), "%y%m%d-%H%M%S", &*local) > 0)
            stamp = text;
    }
    SystemFolders& folders = m_services.folders;
    // A work folder left from a run in the same second is emptied first, so
    // the pack holds this run's emoticons only.
    if (!folders.MakeWorkFolder()) {
        SystemFolders::DeleteTree(folders.workFolder);
        MakeFolders(folders.workFolder);
    }
    const std::string work = folders.workFolder;
    const std::string pack = UniquePath(folder, "MSNEmoticons" + stamp + ".msn");

    manifest.SetFolder(work);
    manifest.Begin();
    std::set<std::string> packNames;
    std::vector<std::size_t> packed; // indices into outcome.items
    for (std::size_t index : itemData) {
        BackupItemOutcome item;
        item.file = pack;
        if (!StartItem(list, index, item)) {
            outcome.items.push_back(item);
            continue;
        }
        const InstalledObject& object = list.objects[index];
        const std::string name =
            codePage.ToUtf8(EmoticonManifest::PackFileName(object.location, codePage));
        if (!IsDirectory(work)) {
            item.reason = "the work folder " + work + " could not be made";
        } else if (IsManifestName(name, codePage)) {
            item.reason = "its file would be named content.xml, the name of the pack's manifest";
        } else if (!packNames.insert(name).second) {
            item.reason = "another emoticon of this pack has the file name " + name;
        } else if (CopyFile(list.ObjectPath(object), JoinPath(work, name), item.reason)) {
            // Only emoticons whose file is in the pack are named in its
            // manifest, and only those named there stay in the pack.
            if (manifest.AddItem(object, item.reason)) {
                packed.push_back(outcome.items.size());
            } else {
                unlink(JoinPath(work, name).c_str());
                packNames.erase(name);
            }
        }
        m_services.pause.Wait(10);
        outcome.items.push_back(item);
    }

    std::string failure;
    if (packed.empty()) {
        failure = "no emoticon could be copied into the pack";
    } else if (std::string why; !manifest.Finish(why)) {
        failure = why;
    } else {
        ToolRun run = m_services.tools.PackFolder(work, pack);
        m_services.pause.Wait(50);
        if (!run.succeeded)
            failure = run.reason;
        else if (access(pack.c_str(), F_OK) != 0)
            failure = "the pack " + pack + " is missing after the cabinet tool ran";
        else if (!list.TransformFile(pack)) {
            unlink(pack.c_str());
            failure = "the pack " + pack + " could not be sealed";
        }
    }
    SystemFolders::DeleteTree(work);
    for (std::size_t at : packed) {
        outcome.items[at].written = failure.empty();
        outcome.items[at].reason = failure;
    }
    return outcome;
}

BackupOutcome BackupOperation::BackupPictures(PictureObjectList& list,
                                              const std::vector<std::size_t>& itemData,
                                              const std::string& folder) {
    BackupOutcome outcome;
    for (std::size_t index : itemData) {
        BackupItemOutcome item;
        if (!StartItem(list, index, item)) {
            outcome.items.push_back(item);
            continue;
        }
        const InstalledObject& object = list.objects[index];
        item.file = UniquePath(folder, PictureName(object.displayName));
        item.written = CopyFile(list.ObjectPath(object), item.file, item.reason);
        m_services.pause.Wait(10);
        outcome.items.push_back(item);
    }
    return outcome;
}

} // namespace quorvane
