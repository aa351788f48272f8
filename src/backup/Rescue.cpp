#include "backup/Rescue.h"

#include "backup/CabinetTools.h"
#include "platform/CancelFlag.h"
#include "platform/Clock.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/ScratchFolder.h"
#include "platform/SystemFolders.h"
#include "platform/TranslatedSentence.h"
#include "profile/ContentCategory.h"

#include <QByteArray>
#include <QXmlStreamReader>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane {

namespace {

// Messenger's objects are a few hundred kilobytes at most; anything far
// larger on an old disk is not one of them and is not held in memory.
constexpr std::size_t kMaxObjectBytes = 64u * 1024 * 1024;
constexpr std::size_t kMaxManifestBytes = 1024u * 1024;
// Folders below an account folder that are looked into: Messenger uses one
// level; a few more cover what a user or another program put there.
constexpr int kMaxDepth = 6;
constexpr int kMaxNumberedNames = 1000;

// The entries of a folder held open, by name order, with what each is
// (never following a link). At most limit entries are taken; cut tells
// whether there were more.
struct FolderEntry {
    enum class Type { File, Folder, Other };
    std::string name;
    Type type = Type::Other;
};

Result<std::vector<FolderEntry>> EntriesOf(const OpenFolder& folder, std::size_t limit, bool& cut) {
    const int fd = ::dup(folder.Descriptor());
    if (fd < 0) {
        const int error = errno;
        return Fail(SystemFailure(error));
    }
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::fdopendir(fd), &::closedir);
    if (!dir) {
        const int error = errno;
        ::close(fd);
        return Fail(SystemFailure(error));
    }
    // The copy shares the held folder's position.
    ::rewinddir(dir.get());
    std::vector<FolderEntry> entries;
    errno = 0;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        if (entries.size() == limit) {
            cut = true;
            break;
        }
        FolderEntry found{std::string(name), FolderEntry::Type::Other};
        struct stat info {};
        if (::fstatat(folder.Descriptor(), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0) {
            if (S_ISREG(info.st_mode))
                found.type = FolderEntry::Type::File;
            else if (S_ISDIR(info.st_mode))
                found.type = FolderEntry::Type::Folder;
        }
        entries.push_back(std::move(found));
        errno = 0;
    }
    if (errno != 0 && !cut) {
        const int error = errno;
        return Fail(SystemFailure(error));
    }
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    return entries;
}

std::string LocalTimeText(const Clock& clock) {
    if (const std::optional<std::tm> local = clock.LocalTime()) {
        char text[32] = {};
        if (std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S %z", &*local) > 0)
            return text;
    }
    return std::to_string(clock.SecondsSinceEpoch());
}

class Rescuer {
public:
    Rescuer(RescueReport& report, OpenFolder out, CabinetTools& tools, const RescueRequest& request,
            const Clock& clock, const CancelFlag* cancel)
        : m_report(report), m_out(std::move(out)), m_tools(tools), m_tempFolder(request.tempFolder),
          m_entriesPerFolder(request.entriesPerFolder), m_clock(clock), m_cancel(cancel) {
        // What a rescue killed while writing its marker left.
        SweepTemporaryFiles(m_out);
    }

    // Whether the rescue has come to a stop: cancelled, or the marker
    // could not be written.
    bool Stopped() {
        if (IsCancelled(m_cancel))
            m_report.interrupted = true;
        return m_stopped || m_report.interrupted;
    }

    // Messenger's own object folders first, so that nothing else in the
    // account, however crowded, keeps them from being looked at.
    void WalkAccount(const OpenFolder& account, std::vector<std::string>& outParts) {
        std::set<std::string> known;
        for (int category = 0; category < kCategoryCount; ++category) {
            const std::string found = FindEntryIgnoringCase(
                account.Path(), CategoryFolderName(static_cast<ContentCategory>(category)));
            const std::string name = BaseName(found);
            struct stat info {};
            if (found.empty() ||
                ::fstatat(account.Descriptor(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 ||
                !S_ISDIR(info.st_mode) || !known.insert(name).second)
                continue;
            Descend(account, name, outParts, 0);
        }
        Walk(account, outParts, 0, known);
    }

    // Problems that leave something in the account folders not looked at.
    void Unvisited(std::string sentence) {
        m_report.unvisited = true;
        Problem(std::move(sentence));
    }

private:
    // Problems that leave a file found not copied.
    void Unwritten(std::string sentence) {
        ++m_report.unwritten;
        Problem(std::move(sentence));
    }

    // The folder's entries but those named in skip, files and folders alike.
    void Walk(const OpenFolder& folder, std::vector<std::string>& outParts, int depth,
              const std::set<std::string>& skip = {}) {
        if (Stopped())
            return;
        bool cut = false;
        Result<std::vector<FolderEntry>> entries = EntriesOf(folder, m_entriesPerFolder, cut);
        if (!entries) {
            Unvisited(Sentence(
                QCoreApplication::translate("quorvane::Outcomes", "%1 could not be read: %2"),
                folder.Path(), entries.error().sentence));
            return;
        }
        if (cut)
            Unvisited(Sentence(QCoreApplication::translate(
                                   "quorvane::Outcomes",
                                   "more than %1 entries under %2: the rest was not looked at"),
                               m_entriesPerFolder, folder.Path()));
        for (const FolderEntry& entry : *entries) {
            if (Stopped())
                return;
            if (skip.count(entry.name) != 0)
                continue;
            if (entry.type == FolderEntry::Type::File)
                RescueFile(folder, entry.name, outParts);
            else if (entry.type == FolderEntry::Type::Folder)
                Descend(folder, entry.name, outParts, depth);
            // Links, FIFOs, devices and sockets are not Messenger's files.
        }
    }

    void Descend(const OpenFolder& folder, const std::string& name,
                 std::vector<std::string>& outParts, int depth) {
        if (Stopped())
            return;
        const std::string path = folder.PathOf(name);
        if (depth >= kMaxDepth) {
            Unvisited(Sentence(
                QCoreApplication::translate(
                    "quorvane::Outcomes", "%1 lies deeper than %2 folders and was not looked into"),
                path, kMaxDepth));
            return;
        }
        OpenFolder inner;
        if (Result<> opened = inner.Open(path); !opened) {
            Unvisited(Sentence(
                QCoreApplication::translate("quorvane::Outcomes", "%1 could not be read: %2"), path,
                opened.error().sentence));
            return;
        }
        outParts.push_back(OutputFolderName(name));
        Walk(inner, outParts, depth + 1);
        outParts.pop_back();
    }

    static std::string OutputFolderName(const std::string& name) {
        std::string safe = SafeFileName(name);
        return safe.empty() ? std::string("_") : safe;
    }

    void Problem(std::string sentence) { m_report.problems.push_back(std::move(sentence)); }

    void RescueFile(const OpenFolder& folder, const std::string& name,
                    const std::vector<std::string>& outParts) {
        const std::string source = folder.PathOf(name);
        Result<std::string> bytes = folder.ReadFile(name, kMaxObjectBytes);
        if (!bytes) {
            Unvisited(Sentence(
                QCoreApplication::translate("quorvane::Outcomes", "%1 could not be read: %2"),
                source, bytes.error().sentence));
            return;
        }
        const std::optional<RescuedKind> kind = SniffKind(*bytes);
        if (!kind)
            return;
        std::string base;
        if (*kind == RescuedKind::Cabinet)
            base = CabinetDisplayName(*bytes);
        if (base.empty())
            base = SafeFileName(name);
        if (base.empty())
            base = "_";
        const std::string wanted = NameWithKindExtension(base, *kind);

        if (!MarkOutput())
            return;
        const OpenFolder* target = OutputFolder(outParts);
        if (target == nullptr) {
            ++m_report.unwritten;
            return;
        }
        Result<std::string> temporary = target->WriteTemporaryFile(*bytes, 0666, true);
        if (!temporary) {
            Unwritten(Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                           "%1 could not be copied into %2: %3"),
                               source, target->Path(), temporary.error().sentence));
            return;
        }
        for (int n = 1; n <= kMaxNumberedNames; ++n) {
            const std::string candidate = NumberedFileName(wanted, n);
            Result<> renamed = target->RenameNew(*temporary, candidate);
            if (renamed) {
                ::fsync(target->Descriptor());
                m_report.rescued.push_back({target->PathOf(candidate), *kind, source});
                return;
            }
            if (renamed.error().osError != EEXIST) {
                target->Remove(*temporary);
                Unwritten(Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                               "%1 could not be written: %2"),
                                   target->PathOf(candidate), renamed.error().sentence));
                return;
            }
        }
        target->Remove(*temporary);
        Unwritten(Sentence(
            QCoreApplication::translate(
                "quorvane::Outcomes", "%1 was not copied: %2 and %3 more names like it are taken"),
            source, target->PathOf(wanted), kMaxNumberedNames - 1));
    }

    // The display name of a cabinet's content.xml, made a file name; "" when
    // it has none or the cabinet cannot be expanded. A cabinet the tool
    // refuses is still copied, under its own name.
    std::string CabinetDisplayName(const std::string& bytes) {
        if (m_report.toolProblem)
            return {};
        if (!m_scratch) {
            // What a rescue that was killed left behind goes first.
            SweepStaleScratch(m_tempFolder, "rescue-");
            Result<std::unique_ptr<ScratchFolder>> made =
                ScratchFolder::Make(m_tempFolder, "rescue-");
            if (!made) {
                m_report.toolProblem = made.error();
                return {};
            }
            m_scratch = std::move(*made);
        }
        const std::string cabinet = JoinPath(m_scratch->Path(), "object.cab");
        const std::string contents = JoinPath(m_scratch->Path(), "contents");
        if (Result<> written = WriteWholeFile(cabinet, bytes); !written) {
            m_report.toolProblem =
                Failure{written.error().osError,
                        Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                             "%1 could not be written: %2"),
                                 cabinet, written.error().sentence),
                        written.error().code};
            return {};
        }
        const Result<> extracted = m_tools.ExtractCabinet(cabinet, contents);
        ::unlink(cabinet.c_str());
        std::string name;
        if (extracted) {
            const std::string manifest = FindEntryIgnoringCase(contents, "content.xml");
            if (!manifest.empty())
                if (Result<std::string> text = ReadRegularFile(manifest, kMaxManifestBytes))
                    name = SafeFileName(ManifestDisplayName(*text));
        } else if (extracted.error().code != FailureCode::Damaged) {
            // Every other cabinet would fail alike.
            m_report.toolProblem = extracted.error();
        }
        SystemFolders::DeleteTree(contents);
        return name;
    }

    // Adds this run's paragraph to the marker before the first file is
    // copied; false, and nothing is copied, when it cannot be written.
    bool MarkOutput() {
        if (m_marked)
            return true;
        const std::string marker(kRescueMarkerName);
        std::string text;
        Result<std::string> existing = m_out.ReadFile(marker, kMaxManifestBytes);
        if (existing) {
            text = std::move(*existing);
            if (!text.empty() && text.back() != '\n')
                text += "\n";
            text += "\n";
        } else if (existing.error().osError != ENOENT) {
            m_stopped = true;
            Problem(
                Sentence(QCoreApplication::translate(
                             "quorvane::Outcomes", "nothing was copied: %1 could not be read: %2"),
                         m_out.PathOf(marker), existing.error().sentence));
            return false;
        }
        text += Sentence(
            QCoreApplication::translate(
                "quorvane::Outcomes",
                "Rescued by Quorvane on %1 from %2.\n"
                "These files were copied by their content alone, without Messenger's catalogue\n"
                "(which cannot be read without the Windows password): every file in the account\n"
                "folders that is a cabinet or a GIF, PNG, JPEG or BMP picture. This is not a\n"
                "backup. The names were taken from the files themselves (a cabinet's content.xml\n"
                "where it gives one, else the file's own name); the display names, emoticon\n"
                "shortcuts and stamps that only the catalogue holds are missing. A cabinet (.cab)\n"
                "is an object as Messenger installed it, not a .msn pack: Messenger cannot "
                "install\n"
                "it again, but any cabinet tool opens it.\n"),
            LocalTimeText(m_clock), m_report.messengerFolder);
        if (Result<> written = m_out.ReplaceFile(marker, text); !written) {
            m_stopped = true;
            Problem(Sentence(
                QCoreApplication::translate("quorvane::Outcomes",
                                            "nothing was copied: %1 could not be written: %2"),
                m_out.PathOf(marker), written.error().sentence));
            return false;
        }
        m_report.markerPath = m_out.PathOf(marker);
        m_marked = true;
        return true;
    }

    // The output folder for outParts, made level by level inside the
    // output folder and never through a link; the last one is kept open.
    const OpenFolder* OutputFolder(const std::vector<std::string>& outParts) {
        if (m_currentOpen && outParts == m_currentParts)
            return &m_current;
        m_currentOpen = false;
        OpenFolder folder;
        const OpenFolder* parent = &m_out;
        for (const std::string& part : outParts) {
            const std::string path = parent->PathOf(part);
            if (::mkdirat(parent->Descriptor(), part.c_str(), 0777) != 0 && errno != EEXIST) {
                const int error = errno;
                Problem(Sentence(
                    QCoreApplication::translate("quorvane::Outcomes", "%1 could not be made: %2"),
                    path, ErrorText(error)));
                return nullptr;
            }
            OpenFolder inner;
            if (Result<> opened = inner.Open(path); !opened) {
                Problem(Sentence(
                    QCoreApplication::translate("quorvane::Outcomes", "%1 could not be made: %2"),
                    path, opened.error().sentence));
                return nullptr;
            }
            folder = std::move(inner);
            parent = &folder;
        }
        if (outParts.empty())
            return &m_out;
        m_current = std::move(folder);
        m_currentParts = outParts;
        m_currentOpen = true;
        // What a killed rescue left in a folder it was writing into goes
        // before this run writes there.
        if (m_swept.insert(outParts).second)
            SweepTemporaryFiles(m_current);
        return &m_current;
    }

    RescueReport& m_report;
    OpenFolder m_out;
    CabinetTools& m_tools;
    std::string m_tempFolder;
    std::size_t m_entriesPerFolder;
    const Clock& m_clock;
    const CancelFlag* m_cancel;
    std::unique_ptr<ScratchFolder> m_scratch;
    bool m_marked = false;
    bool m_stopped = false;
    OpenFolder m_current;
    std::vector<std::string> m_currentParts;
    bool m_currentOpen = false;
    std::set<std::vector<std::string>> m_swept;
};

// The output lies outside the user's folder, and Messenger's folder inside
// it. Links count: a folder reached through one is where the link leads.
Result<> CheckFolders(const RescueRequest& request, const std::string& messengerFolder) {
    const Result<std::string> userFolder = CanonicalPath(request.userFolder);
    if (!userFolder)
        return Fail(
            Sentence(QCoreApplication::translate("quorvane::Outcomes", "%1 could not be read: %2"),
                     request.userFolder, userFolder.error().sentence),
            userFolder.error().osError);
    const Result<std::string> outFolder = CanonicalPath(request.outFolder);
    if (!outFolder)
        return Fail(
            Sentence(QCoreApplication::translate("quorvane::Outcomes", "%1 could not be made: %2"),
                     request.outFolder, outFolder.error().sentence),
            outFolder.error().osError);
    // Writing there would change the folder that is only read, and a later
    // rescue would copy its own output again.
    if (IsWithinFolder(*outFolder, *userFolder))
        return Fail(Sentence(QCoreApplication::translate(
                                 "quorvane::Outcomes",
                                 "%1 lies inside the Windows user's folder %2, which is only "
                                 "read: choose a folder outside it"),
                             request.outFolder, request.userFolder));
    // A link on the disk may point anywhere on this machine; what lies
    // outside the user's folder is not the user's Messenger.
    if (const Result<std::string> messenger = CanonicalPath(messengerFolder);
        messenger && !IsWithinFolder(*messenger, *userFolder))
        return Fail(Sentence(QCoreApplication::translate(
                                 "quorvane::Outcomes",
                                 "Messenger's folder %1 leads to %2, outside the Windows user's "
                                 "folder %3: it is not read"),
                             messengerFolder, *messenger, request.userFolder));
    return {};
}

} // namespace

Result<RescueReport> RescueMessengerFiles(const RescueRequest& request, CabinetTools& tools,
                                          const Clock& clock, const CancelFlag* cancel) {
    RescueReport report;
    report.messengerFolder =
        ResolveIgnoringCase(request.applicationDataFolder, "Microsoft/MSN Messenger");
    if (Result<> checked = CheckFolders(request, report.messengerFolder); !checked)
        return Fail(checked.error());
    OpenFolder messenger;
    if (Result<> opened = messenger.Open(report.messengerFolder, true); !opened)
        return Fail(Sentence(QCoreApplication::translate(
                                 "quorvane::Outcomes", "Messenger's folder %1 cannot be read: %2"),
                             report.messengerFolder, opened.error().sentence),
                    opened.error().osError);
    bool cut = false;
    Result<std::vector<FolderEntry>> accounts = EntriesOf(messenger, request.entriesPerFolder, cut);
    if (!accounts)
        return Fail(Sentence(QCoreApplication::translate(
                                 "quorvane::Outcomes", "Messenger's folder %1 cannot be read: %2"),
                             report.messengerFolder, accounts.error().sentence),
                    accounts.error().osError);
    std::erase_if(*accounts,
                  [](const FolderEntry& entry) { return entry.type != FolderEntry::Type::Folder; });
    if (accounts->empty())
        return Fail(Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                         "Messenger's folder %1 holds no account"),
                             report.messengerFolder));

    if (Result<> made = MakeFolders(request.outFolder); !made)
        return Fail(
            Sentence(QCoreApplication::translate("quorvane::Outcomes", "%1 could not be made: %2"),
                     request.outFolder, made.error().sentence),
            made.error().osError);
    // The output folder is the user's choice; a link there is theirs.
    OpenFolder out;
    if (Result<> opened = out.Open(request.outFolder, true); !opened)
        return Fail(
            Sentence(QCoreApplication::translate("quorvane::Outcomes", "%1 could not be made: %2"),
                     request.outFolder, opened.error().sentence),
            opened.error().osError);

    Rescuer rescuer(report, std::move(out), tools, request, clock, cancel);
    if (cut)
        rescuer.Unvisited(Sentence(
            QCoreApplication::translate(
                "quorvane::Outcomes", "more than %1 entries under %2: the rest was not looked at"),
            request.entriesPerFolder, report.messengerFolder));
    for (const FolderEntry& account : *accounts) {
        const std::string path = messenger.PathOf(account.name);
        OpenFolder folder;
        if (Result<> opened = folder.Open(path); !opened) {
            rescuer.Unvisited(Sentence(
                QCoreApplication::translate("quorvane::Outcomes", "%1 could not be read: %2"), path,
                opened.error().sentence));
            continue;
        }
        std::vector<std::string> outParts = {SafeFileName(account.name)};
        if (outParts.front().empty())
            outParts.front() = "_";
        rescuer.WalkAccount(folder, outParts);
    }
    return report;
}

} // namespace quorvane
