#include "backup/BackupOperation.h"

#include "backup/Manifests.h"
#include "backup/PackVerifier.h"
#include "backup/Rescue.h"
#include "platform/CancelFlag.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/PrivateFolder.h"
#include "platform/ScratchFolder.h"
#include "platform/SystemFolders.h"
#include "platform/TranslatedSentence.h"
#include "profile/PackCipher.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <ctime>
#include <map>
#include <optional>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <utility>

namespace quorvane {

namespace {

// Rewrites the bytes of a display name that cannot stand in a Linux or
// Windows file name ("/", "\\", control characters, ? " < > : * |), and
// spaces too when asked, stepping over double-byte characters whole.
std::string CleanName(std::string_view name, bool spacesToo, const CodePage& codePage) {
    static constexpr std::string_view kForbidden = "/\\?\"<>:*|";
    std::string out(name);
    for (std::size_t i = 0; i < out.size(); ++i) {
        auto byte = static_cast<unsigned char>(out[i]);
        if (codePage.IsLeadByte(byte) && i + 1 < out.size()) {
            ++i;
            continue;
        }
        if (kForbidden.find(out[i]) != std::string_view::npos || byte < 0x20 || byte == 0x7F ||
            (spacesToo && byte == ' '))
            out[i] = '-';
    }
    return out;
}

// Leading dots become "-": a name that starts with a dot is hidden from the
// user, and could be taken for one of Quorvane's temporary files.
std::string HideNothing(std::string name) {
    for (char& c : name) {
        if (c != '.')
            break;
        c = '-';
    }
    return name;
}

bool IsManifestName(std::string_view name, const CodePage& codePage) {
    return codePage.ToLower(name) == "content.xml";
}

// No Windows file name holds "*" or "?"; a name with one came from data a
// stranger wrote, and a cabinet tool would take it for other files.
bool HasWildcard(std::string_view name) {
    return name.find_first_of("*?") != std::string_view::npos;
}

// Starts the outcome of one chosen item; false, with the reason, when its
// item data names no listed object or the backup was interrupted before it.
bool StartItem(const ObjectList& list, std::size_t index, const BackupServices& services,
               BackupItemOutcome& item, BackupOutcome& outcome) {
    const CancelFlag* cancel = services.cancel;
    item.itemData = index;
    if (index < list.objects.size()) {
        item.displayName = list.objects[index].displayName;
        item.displayNameUtf8 = services.codePage.ToUtf8(item.displayName);
    }
    if (IsCancelled(cancel)) {
        outcome.interrupted = true;
        item.failure =
            Failure{0,
                    Sentence(QCoreApplication::translate(
                        "quorvane::Outcomes", "the backup was interrupted before this item")),
                    FailureCode::Cancelled};
        return false;
    }
    if (index >= list.objects.size()) {
        item.failure = Failure{0,
                               Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                                    "there is no listed item %1"),
                                        index),
                               FailureCode::Missing};
        return false;
    }
    return true;
}

// A hidden temporary file of this run in the destination, created
// exclusively (so nothing planted there is written through) and holding the
// bytes: its name.
Result<std::string> WriteTemporary(const OpenFolder& destination, std::string_view bytes) {
    Result<std::string> name = destination.WriteTemporaryFile(bytes);
    if (name)
        return name;
    // Beyond the file size limit (ulimit -f) or the file system's largest
    // file, other items may still fit.
    const Failure& failure = name.error();
    if (failure.osError == EFBIG)
        return Fail(Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                         "it is too large to be written in %1: %2"),
                             destination.Path(), failure.sentence),
                    failure.osError);
    return Fail(Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                     "no file can be written in %1: %2"),
                         destination.Path(), failure.sentence),
                failure.osError);
}

// Seals a pack the cabinet tool wrote under a temporary name; the temporary
// file is removed when that fails.
Result<> Seal(const OpenFolder& destination, const Result<>& packed, const std::string& temporary) {
    const std::string path = destination.PathOf(temporary);
    struct stat info {};
    Failure failure;
    if (!packed) {
        failure = packed.error();
        RemoveToolLeftovers(destination, temporary);
    } else if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size == 0) {
        failure.sentence = Sentence(
            QCoreApplication::translate("quorvane::Outcomes", "the cabinet tool wrote no pack"));
    } else if (Result<> sealed = SealPackFile(path); !sealed) {
        failure.osError = sealed.error().osError;
        failure.sentence = Sentence(
            QCoreApplication::translate("quorvane::Outcomes", "the pack could not be sealed: %1"),
            sealed.error().sentence);
    } else {
        return {};
    }
    destination.Remove(temporary);
    return Fail(std::move(failure));
}

// Whether name holds a copy of exactly the bytes of temporary.
bool SameBytes(const OpenFolder& folder, const std::string& name, const std::string& temporary) {
    const Result<std::string> existing = ReadRegularFile(folder.PathOf(name));
    const Result<std::string> copy = ReadRegularFile(folder.PathOf(temporary));
    return existing && copy && *existing == *copy;
}

// Whether an emoticon can go into the pack under name (Refused, saying
// why, when it cannot); names records the names taken so far.
Result<> TakeEmoticonName(const std::string& name, const CodePage& codePage,
                          std::set<std::string>& names) {
    if (IsManifestName(name, codePage))
        return Fail(FailureCode::Refused,
                    Sentence(QCoreApplication::translate(
                        "quorvane::Outcomes", "its file would be named content.xml, the name of "
                                              "the pack's manifest")));
    if (HasWildcard(name))
        return Fail(FailureCode::Refused,
                    Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                         "its file name \"%1\" holds a wildcard (* "
                                                         "or ?), which no Windows file name can"),
                             name));
    if (!IsBareFileName(name) || !names.insert(name).second)
        return Fail(FailureCode::Refused,
                    Sentence(QCoreApplication::translate(
                                 "quorvane::Outcomes",
                                 "another emoticon of this pack has the file name %1"),
                             name));
    return {};
}

// Copies the emoticon's file into the work folder under name and names it
// in the manifest; a copy the manifest refuses is taken out again.
Result<> CopyEmoticon(const PictureObjectList& list, const InstalledObject& object,
                      const std::string& name, const OpenFolder& work, EmoticonManifest& manifest) {
    const Result<std::string> file = ReadRegularFile(list.ObjectPath(object));
    if (!file)
        return Fail(Sentence(
            QCoreApplication::translate("quorvane::Outcomes", "its file %1 cannot be read: %2"),
            list.ObjectPath(object), file.error().sentence));
    if (Result<> written = work.WriteNewFile(name, *file, 0600); !written)
        return Fail(Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                         "its copy in %1 could not be written: %2"),
                             work.Path(), written.error().sentence));
    Result<> added = manifest.AddItem(object);
    if (!added)
        work.Remove(name);
    return added;
}

} // namespace

bool BackupOutcome::AllWritten() const {
    for (const BackupItemOutcome& item : items)
        if (item.failure)
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

Result<std::string> BuildPack(PackagedObjectList& list, std::size_t index,
                              const OpenFolder& destination, const OpenFolder& manifestFolder,
                              const BackupServices& services) {
    const InstalledObject& object = list.objects[index];
    const CodePage& codePage = services.codePage;
    // The pack holds the object beside its manifest under their bare names.
    if (IsManifestName(object.location, codePage))
        return Fail(Sentence(QCoreApplication::translate(
            "quorvane::Outcomes",
            "its file is named content.xml, the name of the pack's manifest")));
    if (HasWildcard(object.location))
        return Fail(
            Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                 "its file name \"%1\" holds a wildcard (* or ?), "
                                                 "which no Windows file name can"),
                     codePage.ToUtf8(object.location)));
    const Result<std::string> stamp = ReadRegularFile(list.StampPath(object));
    if (!stamp)
        return Fail(Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                         "its stamp file %1 cannot be read: %2"),
                             list.StampPath(object), stamp.error().sentence),
                    stamp.error().osError);
    if (Result<> written =
            WriteObjectManifest(list.category, manifestFolder, object, *stamp, codePage);
        !written)
        return Fail(written.error());
    Result<std::string> temporary = WriteTemporary(destination, {});
    if (!temporary)
        return temporary;
    const Result<> packed = services.tools.PackObject(
        destination.PathOf(*temporary), manifestFolder.PathOf("content.xml"), list.objectFolder,
        codePage.ToUtf8(object.location));
    services.pause.Wait(10);
    if (Result<> sealed = Seal(destination, packed, *temporary); !sealed)
        return Fail(sealed.error());
    return temporary;
}

std::string SafeFileStem(std::string_view displayName, const CodePage& codePage) {
    const std::string name = CleanName(displayName, true, codePage);
    if (name.empty() || name == "." || name == "..")
        return {};
    return codePage.ToUtf8(HideNothing(name));
}

BackupOperation::BackupOperation(const BackupServices& services) : m_services(services) {}

std::string BackupOperation::PackName(std::string_view displayName) {
    std::string name = CleanName(displayName, true, m_services.codePage);
    if (name.empty() || name == "." || name == "..") {
        name = "msn-" + std::to_string(m_services.clock.TickCount());
        m_services.pause.Wait(5);
    }
    return m_services.codePage.ToUtf8(HideNothing(name));
}

std::string BackupOperation::PictureName(std::string_view displayName,
                                         std::string_view content) const {
    std::string name = CleanName(displayName, false, m_services.codePage);
    if (name.empty() || name == "." || name == "..")
        name = "msn-" + std::to_string(m_services.clock.TickCount());
    name = HideNothing(name);
    // Other programs open a copy by its extension, so the bytes choose it:
    // "photo.jpeg" holding a JPEG stays, "photo.jpeg" holding a PNG becomes
    // "photo.png", a name without one gets the content's.
    const std::optional<RescuedKind> kind = SniffKind(content);
    if (kind && *kind != RescuedKind::Cabinet)
        return NameWithKindExtension(m_services.codePage.ToUtf8(name), *kind);
    // Bytes of no kind known here: a name that already ends in a dot and
    // three characters keeps its extension; any other gets ".png".
    if (name.size() < 5 || name[name.size() - 4] != '.')
        name += ".png";
    return m_services.codePage.ToUtf8(name);
}

Result<std::string> BackupOperation::Place(const OpenFolder& folder, const std::string& temporary,
                                           const std::string& fileName, const SameContent& same) {
    constexpr int kMostNumbers = 1000;
    Failure failure = SystemFailure(EEXIST);
    for (int n = 1; n <= kMostNumbers; ++n) {
        const std::string name = NumberedFileName(fileName, n);
        // Two items of one run never share a file.
        if (m_written.count(name) != 0)
            continue;
        Result<> done = folder.RenameNew(temporary, name);
        // A file already there is replaced only by the same content again
        // (an earlier backup of the same item): whatever else a user backed
        // up under that name stays, and this one takes the next number.
        if (!done && done.error().osError == EEXIST && folder.HoldsRegularFile(name) &&
            same(name, temporary))
            done = folder.Rename(temporary, name);
        if (done) {
            m_written.insert(name);
            return name;
        }
        failure = std::move(done.error());
        if (failure.osError != EEXIST)
            break;
    }
    folder.Remove(temporary);
    if (failure.osError == EEXIST)
        return Fail(Sentence(QCoreApplication::translate(
                                 "quorvane::Outcomes",
                                 "%1 could not be written: every numbered name is taken"),
                             folder.PathOf(fileName)),
                    failure.osError);
    return Fail(
        Sentence(QCoreApplication::translate("quorvane::Outcomes", "%1 could not be written: %2"),
                 folder.PathOf(fileName), failure.sentence),
        failure.osError);
}

std::set<std::size_t> BackupOperation::ReplaceSameFiles(const OpenFolder& destination,
                                                        const std::vector<Finished>& finished,
                                                        const SameContent& same,
                                                        BackupOutcome& outcome) {
    // The first name each file would take ("name (n)" for the n-th file of
    // that name), where it holds the same content.
    std::vector<std::pair<const Finished*, std::string>> renames;
    std::map<std::string, int> seen;
    for (const Finished& file : finished) {
        std::string name = NumberedFileName(file.fileName, ++seen[file.fileName]);
        if (m_written.count(name) != 0 || !destination.HoldsRegularFile(name) ||
            !same(name, file.temporary))
            continue;
        m_written.insert(name);
        renames.emplace_back(&file, std::move(name));
    }
    // A rename that replaces a file frees the earlier file's blocks, and the
    // file system makes each such rename wait (about 3 ms on an ext4 that
    // discards freed blocks, more than making the pack); those waits
    // overlap when a few threads rename together.
    constexpr std::size_t kMostThreads = 8;
    std::vector<char> done(renames.size(), 0);
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i = next++; i < renames.size(); i = next++)
            done[i] = destination.Rename(renames[i].first->temporary, renames[i].second) ? 1 : 0;
    };
    std::vector<std::thread> threads;
    for (std::size_t t = 1; t < std::min(kMostThreads, renames.size()); ++t) {
        try {
            threads.emplace_back(work);
        } catch (const std::system_error&) {
            break; // this thread renames the rest
        }
    }
    work();
    for (std::thread& thread : threads)
        thread.join();
    std::set<std::size_t> replaced;
    for (std::size_t i = 0; i < renames.size(); ++i) {
        const auto& [file, name] = renames[i];
        if (!done[i]) {
            // Placed one by one later, which says why it cannot be.
            m_written.erase(name);
            continue;
        }
        replaced.insert(file->item);
        outcome.items[file->item].file = destination.PathOf(name);
    }
    return replaced;
}

void BackupOperation::PlaceAll(const OpenFolder& destination, const std::vector<Finished>& finished,
                               const SameContent& same, BackupOutcome& outcome) {
    if (finished.empty())
        return;
    const bool synced = ::syncfs(destination.Descriptor()) == 0;
    const int error = errno;
    const std::set<std::size_t> replaced =
        synced ? ReplaceSameFiles(destination, finished, same, outcome) : std::set<std::size_t>();
    for (const Finished& file : finished) {
        if (replaced.count(file.item) != 0)
            continue;
        BackupItemOutcome& item = outcome.items[file.item];
        if (!synced) {
            item.failure = Failure{
                error,
                Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                     "%1 could not be written to the disk: %2"),
                         destination.PathOf(file.fileName), ErrorText(error))};
            destination.Remove(file.temporary);
        } else if (Result<std::string> placed =
                       Place(destination, file.temporary, file.fileName, same);
                   placed) {
            item.file = destination.PathOf(*placed);
        } else {
            item.failure = placed.error();
        }
    }
}

BackupOperation::SameContent BackupOperation::SamePackObjects(const OpenFolder& folder,
                                                              std::vector<Finished> finished) {
    // On the first question, the name each finished pack most likely meets
    // (the n-th pack of a name meets "name (n)", as when the run that wrote
    // them is repeated) is asked for every pack in one run of the tool;
    // starting it once per pack cost more than all the comparisons. Any
    // other name is asked alone.
    using Question = std::pair<std::string, std::string>; // name, temporary
    return [this, &folder, finished = std::move(finished),
            answers = std::optional<std::map<Question, bool>>()](
               const std::string& name, const std::string& temporary) mutable {
        if (!answers) {
            answers.emplace();
            std::map<std::string, int> seen;
            std::vector<Question> questions;
            std::vector<PackPair> pairs;
            for (const Finished& file : finished) {
                std::string guess = NumberedFileName(file.fileName, ++seen[file.fileName]);
                if (!folder.HoldsRegularFile(guess))
                    continue;
                pairs.push_back({folder.PathOf(file.temporary), folder.PathOf(guess)});
                questions.emplace_back(std::move(guess), file.temporary);
            }
            const std::vector<std::optional<bool>> same = m_services.tools.SamePacks(pairs);
            for (std::size_t i = 0; i < questions.size() && i < same.size(); ++i)
                if (same[i])
                    answers->emplace(questions[i], *same[i]);
        }
        // An answer serves once: a name asked again is looked at again.
        if (auto known = answers->find({name, temporary}); known != answers->end()) {
            const bool same = known->second;
            answers->erase(known);
            return same;
        }
        const std::vector<std::optional<bool>> same =
            m_services.tools.SamePacks({{folder.PathOf(temporary), folder.PathOf(name)}});
        return !same.empty() && same.front().value_or(false);
    };
}

BackupOutcome BackupOperation::Run(ObjectList& list, const std::vector<std::size_t>& itemData,
                                   const std::string& backupFolder, EmoticonManifest& manifest) {
    m_written.clear();
    const ContentCategory category = list.category;
    const std::string path = JoinPath(backupFolder, BackupSubfolder(category));
    OpenFolder folder;
    std::string problem;
    if (Result<> made = MakeFolders(path); !made) {
        problem = Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                       "the folder %1 could not be created: %2"),
                           path, made.error().sentence);
    } else if (Result<> opened = folder.Open(path); !opened) {
        problem = Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                       "the folder %1 cannot be written into: %2"),
                           path, opened.error().sentence);
    }
    if (!problem.empty()) {
        BackupOutcome outcome;
        for (std::size_t index : itemData) {
            BackupItemOutcome item;
            if (StartItem(list, index, m_services, item, outcome))
                item.failure = Failure{0, problem};
            outcome.items.push_back(item);
        }
        return outcome;
    }
    SweepTemporaryFiles(folder);
    if (IsPackaged(category))
        return BackupPacks(static_cast<PackagedObjectList&>(list), itemData, folder);
    if (category == ContentCategory::CustomEmoticons)
        return BackupEmoticons(static_cast<PictureObjectList&>(list), itemData, folder, manifest);
    return BackupPictures(static_cast<PictureObjectList&>(list), itemData, folder);
}

BackupOutcome BackupOperation::BackupPacks(PackagedObjectList& list,
                                           const std::vector<std::size_t>& itemData,
                                           const OpenFolder& folder) {
    BackupOutcome outcome;
    // Each pack's content.xml is written in Quorvane's own scratch, never
    // beside Messenger's objects.
    std::string problem;
    std::unique_ptr<ScratchFolder> manifests;
    OpenFolder manifestFolder;
    if (list.scratchFolder.empty()) {
        problem = Sentence(QCoreApplication::translate(
            "quorvane::Outcomes", "the listing has no scratch folder for the manifests"));
    } else if (auto made = ScratchFolder::Make(list.scratchFolder, "manifest-"); !made) {
        problem = std::move(made.error().sentence);
    } else {
        manifests = std::move(*made);
        if (Result<> opened = manifestFolder.Open(manifests->Path()); !opened)
            problem = std::move(opened.error().sentence);
    }
    std::vector<Finished> finished;
    for (std::size_t index : itemData) {
        if (m_services.progress)
            m_services.progress(outcome.items.size(), itemData.size());
        BackupItemOutcome item;
        if (!StartItem(list, index, m_services, item, outcome)) {
            outcome.items.push_back(item);
            continue;
        }
        const std::string name = PackName(item.displayName) + ".msn";
        item.file = folder.PathOf(NumberedFileName(name, 1));
        if (!manifestFolder.IsOpen()) {
            item.failure = Failure{0, problem};
        } else if (Result<std::string> temporary =
                       BuildPack(list, index, folder, manifestFolder, m_services);
                   temporary) {
            finished.push_back({outcome.items.size(), *temporary, name});
        } else {
            item.failure = temporary.error();
        }
        outcome.items.push_back(item);
    }
    PlaceAll(folder, finished, SamePackObjects(folder, finished), outcome);
    return outcome;
}

Result<> BackupOperation::FinishEmoticonPack(const OpenFolder& folder, const OpenFolder& work,
                                             EmoticonManifest& manifest,
                                             std::set<std::string> packFiles,
                                             std::size_t firstPacked, const std::string& packName,
                                             BackupOutcome& outcome) {
    if (Result<> written = manifest.Finish(); !written)
        return written;
    const Result<std::string> temporary = WriteTemporary(folder, {});
    if (!temporary)
        return Fail(temporary.error());
    packFiles.insert("content.xml");
    const Result<> packed = m_services.tools.PackFolder(
        work.Path(), {packFiles.begin(), packFiles.end()}, folder.PathOf(*temporary));
    m_services.pause.Wait(50);
    if (Result<> sealed = Seal(folder, packed, *temporary); !sealed)
        return sealed;
    PlaceAll(folder, {{firstPacked, *temporary, packName}}, SamePackObjects(folder), outcome);
    if (outcome.items[firstPacked].failure)
        return Fail(*outcome.items[firstPacked].failure);
    return {};
}

// The work folder is new and private (made by mkdtemp in Quorvane's own
// folder), so the pack holds this run's emoticons and nothing planted.
Result<> BackupOperation::OpenWorkFolder(OpenFolder& work) {
    SystemFolders& folders = m_services.folders;
    if (!folders.MakeWorkFolder())
        return Fail(Sentence(
            QCoreApplication::translate("quorvane::Outcomes", "no work folder could be made in %1"),
            folders.privateFolder));
    if (Result<> opened = work.Open(folders.workFolder); !opened)
        return Fail(Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                         "no work folder could be made in %1: %2"),
                             folders.privateFolder, opened.error().sentence),
                    opened.error().osError);
    return {};
}

BackupOutcome BackupOperation::BackupEmoticons(PictureObjectList& list,
                                               const std::vector<std::size_t>& itemData,
                                               const OpenFolder& folder,
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
    OpenFolder work;
    // What keeps the pack from being written, once something does.
    Result<> failure = OpenWorkFolder(work);
    const std::string packName = "MSNEmoticons" + stamp + ".msn";

    manifest.SetFolder(work.Path());
    manifest.Begin();
    std::set<std::string> packNames;
    // The files of the work folder the pack is made of, in byte order as
    // cabarc is handed them; the manifest joins them at the end.
    std::set<std::string> packFiles;
    std::vector<std::size_t> packed; // indices into outcome.items
    for (std::size_t index : itemData) {
        if (m_services.progress)
            m_services.progress(outcome.items.size(), itemData.size());
        BackupItemOutcome item;
        item.file = folder.PathOf(packName);
        if (!StartItem(list, index, m_services, item, outcome)) {
            outcome.items.push_back(item);
            continue;
        }
        const InstalledObject& object = list.objects[index];
        const std::string name =
            codePage.ToUtf8(EmoticonManifest::PackFileName(object.location, codePage));
        const Result<> taken = failure ? TakeEmoticonName(name, codePage, packNames) : failure;
        if (!taken) {
            item.failure = taken.error();
        } else {
            if (Result<> copied = CopyEmoticon(list, object, name, work, manifest); copied) {
                // Only emoticons whose file is in the pack are named in its
                // manifest.
                packed.push_back(outcome.items.size());
                packFiles.insert(name);
            } else {
                item.failure = copied.error();
            }
        }
        m_services.pause.Wait(10);
        outcome.items.push_back(item);
    }

    if (outcome.interrupted) {
        // One pack for all: an interrupted run writes none.
        failure = Fail(
            FailureCode::Cancelled,
            Sentence(QCoreApplication::translate(
                "quorvane::Outcomes", "the backup was interrupted before the pack was written")));
    } else if (failure && packed.empty()) {
        failure = Fail(Sentence(QCoreApplication::translate(
            "quorvane::Outcomes", "no emoticon could be copied into the pack")));
    } else if (failure) {
        failure = FinishEmoticonPack(folder, work, manifest, packFiles, packed.front(), packName,
                                     outcome);
    }
    if (!folders.workFolder.empty())
        SystemFolders::DeleteTree(folders.workFolder);
    for (std::size_t at : packed) {
        if (!failure)
            outcome.items[at].failure = failure.error();
        outcome.items[at].file = outcome.items[packed.front()].file;
    }
    return outcome;
}

BackupOutcome BackupOperation::BackupPictures(PictureObjectList& list,
                                              const std::vector<std::size_t>& itemData,
                                              const OpenFolder& folder) {
    BackupOutcome outcome;
    std::vector<Finished> finished;
    for (std::size_t index : itemData) {
        if (m_services.progress)
            m_services.progress(outcome.items.size(), itemData.size());
        BackupItemOutcome item;
        if (!StartItem(list, index, m_services, item, outcome)) {
            outcome.items.push_back(item);
            continue;
        }
        const InstalledObject& object = list.objects[index];
        const Result<std::string> file = ReadRegularFile(list.ObjectPath(object));
        const std::string name =
            PictureName(object.displayName, file ? std::string_view(*file) : std::string_view());
        item.file = folder.PathOf(NumberedFileName(name, 1));
        if (!file) {
            item.failure =
                Failure{file.error().osError,
                        Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                             "its file %1 cannot be read: %2"),
                                 list.ObjectPath(object), file.error().sentence),
                        file.error().code};
        } else {
            // Written under a hidden name and renamed: a copy is whole or absent.
            if (Result<std::string> temporary = WriteTemporary(folder, *file); temporary)
                finished.push_back({outcome.items.size(), *temporary, name});
            else
                item.failure = temporary.error();
        }
        m_services.pause.Wait(10);
        outcome.items.push_back(item);
    }
    PlaceAll(
        folder, finished,
        [&folder](const std::string& name, const std::string& temporary) {
            return SameBytes(folder, name, temporary);
        },
        outcome);
    return outcome;
}

} // namespace quorvane
