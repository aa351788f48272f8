#include "cli/RescueCommand.h"

#include "backup/CabinetTools.h"
#include "backup/Rescue.h"
#include "cli/AccountAccess.h"
#include "cli/CatalogueCommand.h"
#include "cli/DiskImageAccess.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/PrivateFolder.h"
#include "platform/ProcessRunner.h"
#include "platform/SystemFolders.h"
#include "platform/TranslatedSentence.h"
#include "sources/WindowsProfile.h"

#include <QCoreApplication>

#include <ostream>

namespace quorvane::cli {

namespace {

constexpr const char* kPrefix = "quorvane-cli rescue: ";

Result<int> RunRescue(const ParsedOptions& options, std::ostream& out, std::ostream& err) {
    if (options.Has("windows-profile") == options.Has("disk-image"))
        return UsageFailure(QCoreApplication::translate(
                                "quorvane::cli", "give either --windows-profile or --disk-image")
                                .toStdString());
    for (const char* name : {"windows-profile", "to"})
        if (options.Value(name) && options.Value(name)->empty())
            return UsageFailure(Sentence(
                QCoreApplication::translate("quorvane::cli", "--%1 must not be empty"), name));
    // Absolute, so every line of the report names its file wherever it is read.
    const std::string outFolder = AbsolutePath(options.Required("to"));
    // A disk image's user is rescued from the copy of its folders; the
    // report names the files by the image and their path on it.
    Result<std::shared_ptr<const DiskImageCopy>> copy = DiskImageCopyFromOptions(options);
    if (!copy)
        return Fail(copy.error());
    Result<WindowsProfile> profile = WindowsProfile::Open(
        *copy ? (*copy)->userFolder : AbsolutePath(*options.Value("windows-profile")));
    if (!profile) {
        err << kPrefix << profile.error().sentence << "\n";
        return kExitFailure;
    }
    const std::string tempFolder = PrivateFolderPath();
    if (Result<> ensured = EnsurePrivateFolder(tempFolder); !ensured) {
        err << kPrefix
            << Sentence(QCoreApplication::translate("quorvane::cli",
                                                    "Quorvane's own folder cannot be used: %1"),
                        ensured.error().sentence)
            << "\n";
        return kExitFailure;
    }
    SpawnProcessRunner runner;
    // No Wine prefix is involved: extract runs in the working folder of the
    // command, on copies in Quorvane's own folder.
    CabinetTools tools(runner, ExecutableFolder(), std::string());
    const SystemClock clock;
    RescueRequest request;
    request.userFolder = profile->folder;
    request.applicationDataFolder = profile->applicationDataFolder;
    request.outFolder = outFolder;
    request.tempFolder = tempFolder;
    const Result<RescueReport> report = RescueMessengerFiles(request, tools, clock, &Interrupts());
    if (!report) {
        err << kPrefix << report.error().sentence << "\n";
        return kExitFailure;
    }

    const std::string copied = *copy ? (*copy)->scratch->Path() + "/" : std::string();
    for (const RescuedFile& file : report->rescued) {
        std::string source = file.sourcePath;
        if (!copied.empty() && source.starts_with(copied))
            source = *options.Value("disk-image") + ":" + source.substr(copied.size());
        out << EscapeField(file.writtenPath) << "\t" << KindWord(file.kind) << "\t"
            << EscapeField(source) << "\n";
    }
    out.flush();
    for (const std::string& problem : report->problems)
        err << kPrefix << problem << "\n";
    if (report->toolProblem)
        err << kPrefix
            << Sentence(QCoreApplication::translate(
                            "quorvane::cli",
                            "cabinets keep their own names, as none could be looked into: %1"),
                        report->toolProblem->sentence)
            << "\n";
    const auto rescued = static_cast<int>(report->rescued.size());
    const auto found = static_cast<int>(report->rescued.size() + report->unwritten);
    if (report->unwritten > 0)
        err << kPrefix
            << Sentence(QCoreApplication::translate("quorvane::cli",
                                                    "%1 of %n files could not be written.", nullptr,
                                                    found),
                        report->unwritten)
            << "\n";
    err << kPrefix
        << Sentence(QCoreApplication::translate("quorvane::cli", "%n files rescued into %1.",
                                                nullptr, rescued),
                    outFolder)
        << "\n";
    if (!out) {
        err << kPrefix
            << QCoreApplication::translate("quorvane::cli",
                                           "cannot write the report to the standard output")
                   .toStdString()
            << "\n";
        return kExitFailure;
    }
    if (report->interrupted)
        return InterruptedStatus();
    const bool everything = report->unwritten == 0 && !report->unvisited;
    return rescued > 0 && everything ? kExitOk : kExitFailure;
}

} // namespace

Command RescueCommand() {
    Command command;
    command.name = "rescue";
    command.summary =
        QCoreApplication::translate(
            "quorvane::cli",
            "Copy Messenger's pictures and cabinets from a Windows user's folder without the "
            "password.")
            .toStdString();
    command.options = {
        {"windows-profile", "DIR",
         QCoreApplication::translate("quorvane::cli",
                                     "the Windows user's folder (\"Documents and Settings/NAME\" "
                                     "or \"Users/NAME\" on an old disk)")
             .toStdString(),
         false},
        {"to", "DIR",
         QCoreApplication::translate("quorvane::cli",
                                     "the folder to copy into, outside the Windows user's folder; "
                                     "a subfolder per account and content type")
             .toStdString(),
         true},
    };
    for (Option& option : DiskImageOptions())
        command.options.push_back(std::move(option));
    command.description =
        QCoreApplication::translate(
            "quorvane::cli",
            "Without the Windows password Messenger's catalogues cannot be read, and so no\n"
            "backup can be made. This saves what can be saved without them: every regular\n"
            "file in the account folders under \"Microsoft/MSN Messenger\" whose content is\n"
            "a cabinet or a GIF, PNG, JPEG or BMP picture is copied to\n"
            "DIR/<account>/<folder as on the disk>/<name>. Nothing else is copied (the\n"
            "protected catalogues and map.dat files are not), links, FIFOs and devices are\n"
            "passed over, and the user's folder is only read: DIR may not lie inside it, and\n"
            "a Messenger folder that leads out of it through a link is not read. Messenger's\n"
            "own folders (Winks3, UserTile...) are looked at first; at most 200000 entries\n"
            "of one folder are.\n")
            .toStdString() +
        "\n" +
        QCoreApplication::translate(
            "quorvane::cli",
            "Names come from the files themselves: a cabinet is named after the display name\n"
            "in its content.xml where it has one (it is expanded in Quorvane's own folder,\n"
            "under $XDG_CACHE_HOME), else a file keeps its name; the extension is made to\n"
            "match the content. A cabinet is saved with \".cab\": it is an object as Messenger\n"
            "installed it, not a .msn pack (a pack is sealed and carries the stamp that only\n"
            "the catalogue holds), so Messenger cannot install it again, but any cabinet tool\n"
            "opens it. Nothing is overwritten: a name already taken gets \" (2)\", \" (3)\"...\n"
            "Each file is written whole or not at all.\n")
            .toStdString() +
        "\n" +
        QCoreApplication::translate(
            "quorvane::cli",
            "Before the first file, DIR/RESCUE.txt gets a paragraph saying that the files\n"
            "were copied by their content without the catalogue, from which folder and when,\n"
            "so the folder is never taken for a backup.\n")
            .toStdString() +
        "\n" +
        QCoreApplication::translate(
            "quorvane::cli",
            "One line per file copied on the standard output, fields separated by tabs: the\n"
            "file written, its kind (cabinet, gif, png, jpeg or bmp) and the file it was\n"
            "copied from (escaped as in \"list\"). Files that cannot be read or written, and\n"
            "folders not looked into, are named on the standard error and the rescue goes on;\n"
            "the last line there says how many files were rescued. A rescue killed half-way\n"
            "leaves hidden \".quorvane-*.part\" files, which the next rescue into DIR removes.\n")
            .toStdString() +
        "\n" +
        QCoreApplication::translate(
            "quorvane::cli",
            "Exit status: 0 when files were rescued and everything in the account folders\n"
            "was looked at and copied; 1 when none was rescued, a file could not be read or\n"
            "written, something was not looked at, or the folder cannot be read or DIR not\n"
            "used; 2 for a wrong command line; 130 or 143 after an interrupt (SIGINT,\n"
            "SIGTERM: the rescue stops after the file it is on, and the files copied until\n"
            "then are reported).\n")
            .toStdString();
    command.run = RunRescue;
    return command;
}

} // namespace quorvane::cli
