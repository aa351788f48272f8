#include "backup/Rescue.h"

#include "backup/CabinetTools.h"
#include "platform/CancelFlag.h"
#include "platform/Clock.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/ScratchFolder.h"
#include "platform/Sentence.h"
#include "platform/SystemFolders.h"

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
// Entries looked at in all: a damaged or hostile disk cannot keep the
// rescue busy without end.
constexpr std::size_t kMaxEntries = 200000;
constexpr int kMaxNumberedNames = 1000;

// The entries of a folder held open, by name order, with what each is
// (never following a link). At most budget entries are taken; budget is
// counted down.
struct FolderEntry {
    enum class Type { File, Folder, Other };
    std::string name;
    Type type = Type::Other;
};

Result<std::vector<FolderEntry>> EntriesOf(const OpenFolder& folder, std::size_t& budget,
                                           bool& cut) {
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
        if (budget == 0) {
            cut = true;
            break;
        }
        --budget;
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
    Rescuer(RescueReport& report, OpenFolder out, CabinetTools& tools, std::string tempFolder,
            const Clock& clock, const CancelFlag* cancel)
        : m_report(report), m_out(std::move(out)), m_tools(tools),
          m_tempFolder(std::move(tempFolder)), m_clock(clock), m_cancel(cancel) {}

    // Whether the rescue has come to a stop: cancelled, or the marker
    // could not be written.
    bool Stopped() {
        if (IsCancelled(m_cancel))
            m_report.interrupted = true;
        return m_stopped || m_report.interrupted;
    }

    void Walk(const OpenFolder& folder, std::vector<std::string>& outParts, int depth) {
        if (Stopped())
            return;
        Result<std::vector<FolderEntry>> entries = EntriesOf(folder, m_entriesLeft, m_cut);
        if (!entries) {
            Problem(Sentence(
                QCoreApplication::translate("quorvane::Outcomes", "%1 could not be read: %2"),
                folder.Path(), entries.error().sentence));
            return;
        }
        if (m_cut && !m_cutSaid) {
            m_cutSaid = true;
            Problem(Sentence(QCoreApplication::translate(
                                 "quorvane::Outcomes",
                                 "more than %1 entries under %2: the rest was not looked at"),
                             kMaxEntries, m_report.messengerFolder));
        }
        for (const FolderEntry& entry : *entries) {
            if (Stopped())
                return;
            if (entry.type == FolderEntry::Type::File) {
                RescueFile(folder, entry.name, outParts);
            } else if (entry.type == FolderEntry::Type::Folder) {
                const std::string path = folder.PathOf(entry.name);
                if (depth >= kMaxDepth) {
                    Problem(Sentence(QCoreApplication::translate(
                                         "quorvane::Outcomes",
                                         "%1 lies deeper than %2 folders and was not looked into"),
                                     path, kMaxDepth));
                    continue;
                }
                OpenFolder inner;
                if (Result<> opened = inner.Open(path); !opened) {
                    Problem(Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                                 "%1 could not be read: %2"),
                                     path, opened.error().sentence));
                    continue;
                }
                outParts.push_back(OutputFolderName(entry.name));
                Walk(inner, outParts, depth + 1);
                outParts.pop_back();
            }
            // Links, FIFOs, devices and sockets are not Messenger's files.
        }
    }

private:
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
            Problem(Sentence(
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
        if (target == nullptr)
            return;
        Result<std::string> temporary = target->WriteTemporaryFile(*bytes, 0666, true);
        if (!temporary) {
            Problem(Sentence(QCoreApplication::translate("quorvane::Outcomes",
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
                Problem(Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                             "%1 could not be written: %2"),
                                 target->PathOf(candidate), renamed.error().sentence));
                return;
            }
        }
        target->Remove(*temporary);
        Problem(Sentence(
            QCoreApplication::translate(
                "quorvane::Outcomes", "%1 was not copied: %2 and %3 more names like it are taken"),
            source, target->PathOf(wanted), kMaxNumberedNames - 1));
    }

    // The display name of a cabinet's content.xml, made a file name; "" when
    // it has none or the cabinet cannot be expanded. A cabinet the tool
    // refuses is still copied, under its own name.
    std::string CabinetDisplayName(const std::string& bytes) {
        if (!m_report.toolProblem.empty())
            return {};
        if (!m_scratch) {
            // What a rescue that was killed left behind goes first.
            SweepStaleScratch(m_tempFolder, "rescue-");
            Result<std::unique_ptr<ScratchFolder>> made =
                ScratchFolder::Make(m_tempFolder, "rescue-");
            if (!made) {
                m_report.toolProblem = made.error().sentence;
                return {};
            }
            m_scratch = std::move(*made);
        }
        const std::string cabinet = JoinPath(m_scratch->Path(), "object.cab");
        const std::string contents = JoinPath(m_scratch->Path(), "contents");
        if (Result<> written = WriteWholeFile(cabinet, bytes); !written) {
            m_report.toolProblem = Sentence(
                QCoreApplication::translate("quorvane::Outcomes", "%1 could not be written: %2"),
                cabinet, written.error().sentence);
            return {};
        }
        const ToolRun run = m_tools.ExtractCabinet(cabinet, contents);
        ::unlink(cabinet.c_str());
        std::string name;
        if (run.succeeded) {
            const std::string manifest = FindEntryIgnoringCase(contents, "content.xml");
            if (!manifest.empty())
                if (Result<std::string> text = ReadRegularFile(manifest, kMaxManifestBytes))
                    name = SafeFileName(ManifestDisplayName(*text));
        } else if (!run.inputRefused) {
            // Every other cabinet would fail alike.
            m_report.toolProblem = run.reason;
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
        return &m_current;
    }

    RescueReport& m_report;
    OpenFolder m_out;
    CabinetTools& m_tools;
    std::string m_tempFolder;
    const Clock& m_clock;
    const CancelFlag* m_cancel;
    std::unique_ptr<ScratchFolder> m_scratch;
    std::size_t m_entriesLeft = kMaxEntries;
    bool m_cut = false;
    bool m_cutSaid = false;
    bool m_marked = false;
    bool m_stopped = false;
    OpenFolder m_current;
    std::vector<std::string> m_currentParts;
    bool m_currentOpen = false;
};

} // namespace

Result<RescueReport> RescueMessengerFiles(const std::string& applicationDataFolder,
                                          const std::string& outFolder, CabinetTools& tools,
                                          const std::string& tempFolder, const Clock& clock,
                                          const CancelFlag* cancel) {
    RescueReport report;
    report.messengerFolder = ResolveIgnoringCase(applicationDataFolder, "Microsoft/MSN Messenger");
    OpenFolder messenger;
    // The folders above come from the user's path; links among them are
    // the user's own.
    if (Result<> opened = messenger.Open(report.messengerFolder, true); !opened)
        return Fail(Sentence(QCoreApplication::translate(
                                 "quorvane::Outcomes", "Messenger's folder %1 cannot be read: %2"),
                             report.messengerFolder, opened.error().sentence),
                    opened.error().osError);
    std::size_t budget = kMaxEntries;
    bool cut = false;
    Result<std::vector<FolderEntry>> accounts = EntriesOf(messenger, budget, cut);
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

    if (Result<> made = MakeFolders(outFolder); !made)
        return Fail(
            Sentence(QCoreApplication::translate("quorvane::Outcomes", "%1 could not be made: %2"),
                     outFolder, made.error().sentence),
            made.error().osError);
    // The output folder is the user's choice; a link there is theirs.
    OpenFolder out;
    if (Result<> opened = out.Open(outFolder, true); !opened)
        return Fail(
            Sentence(QCoreApplication::translate("quorvane::Outcomes", "%1 could not be made: %2"),
                     outFolder, opened.error().sentence),
            opened.error().osError);

    Rescuer rescuer(report, std::move(out), tools, tempFolder, clock, cancel);
    for (const FolderEntry& account : *accounts) {
        const std::string path = messenger.PathOf(account.name);
        OpenFolder folder;
        if (Result<> opened = folder.Open(path); !opened) {
            report.problems.push_back(Sentence(
                QCoreApplication::translate("quorvane::Outcomes", "%1 could not be read: %2"), path,
                opened.error().sentence));
            continue;
        }
        std::vector<std::string> outParts = {SafeFileName(account.name)};
        if (outParts.front().empty())
            outParts.front() = "_";
        rescuer.Walk(folder, outParts, 0);
    }
    return report;
}

} // namespace quorvane
