#include "cli/BackupCommand.h"

#include "app/BackupJob.h"
#include "app/Words.h"
#include "backup/BackupOperation.h"
#include "cli/AccountAccess.h"
#include "cli/CatalogueCommand.h"
#include "cli/ContentListing.h"
#include "cli/ItemChoice.h"
#include "platform/Paths.h"
#include "platform/TranslatedSentence.h"

#include <QCoreApplication>

#include <algorithm>
#include <limits>
#include <optional>
#include <ostream>
#include <set>
#include <string_view>

namespace quorvane::cli {

namespace {

std::string SubfolderChoices() {
    std::string text;
    for (int i = 0; i < kCategoryCount; ++i) {
        const auto category = static_cast<ContentCategory>(i);
        const std::string keyword(CategoryKeyword(category));
        text += "    " + std::to_string(i) + "  " + keyword +
                std::string(keyword.size() < 26 ? 26 - keyword.size() : 1, ' ') +
                std::string(BackupSubfolder(category)) + "/\n";
    }
    return text;
}

std::string SucceededMessage() {
    return BackupSucceededText().toStdString();
}

std::string OutcomeLine(const BackupItemOutcome& item) {
    std::string line = std::to_string(item.itemData) + "\t" + EscapeField(item.displayNameUtf8);
    if (item.failure)
        line += "\tfailed\t" + EscapeField(item.failure->sentence);
    else
        line += "\twritten\t" + EscapeField(item.file);
    return line + "\n";
}

// What listing and backing up gave, gathered before anything is printed.
struct BackupRun {
    std::string lines;                // one outcome line per chosen item
    std::string problem;              // why nothing could be listed
    std::optional<Failure> complaint; // --items names an item the listing does not hold
    std::string leftOut;
    bool nothingListed = false;
    bool allWritten = false;
    bool interrupted = false;
    std::size_t failed = 0;
    std::size_t chosen = 0;
};

BackupRun ListAndBackup(const AccountSelection& selection, ContentCategory category,
                        const ItemChoice& choice, const std::string& backupFolder) {
    BackupRun run;
    // The account stays locked from the listing to the end of the backup;
    // the listing's scratch and the lock go with the job and the report,
    // before anything is printed.
    ListReport listed = ListContent(selection, category, true, run.problem);
    if (!run.problem.empty()) {
        run.nothingListed = listed.catalogue.status == ListingStatus::Listed && !listed.interrupted;
        // Interrupted while listing, or before that while waiting for the
        // account.
        run.interrupted = listed.interrupted || Interrupts().Requested();
        return run;
    }
    run.leftOut = LeftOutSummary(listed);
    Result<std::vector<std::size_t>> itemData = ItemData(choice, listed.items);
    if (!itemData) {
        run.complaint = std::move(itemData.error());
        return run;
    }
    BackupJob job(std::move(listed.listing), std::move(*itemData), backupFolder);
    const InterruptibleJob interruptible(job);
    const BackupReport outcome = job.Run();
    for (const BackupItemOutcome& item : outcome.items) {
        run.lines += OutcomeLine(item);
        if (item.failure)
            ++run.failed;
    }
    run.chosen = outcome.items.size();
    run.allWritten = run.chosen > 0 && outcome.AllWritten();
    run.interrupted = outcome.interrupted;
    return run;
}

Result<int> RunBackup(const ParsedOptions& options, std::ostream& out, std::ostream& err) {
    const Result<ContentRequest> request = ContentRequestFromOptions(options);
    if (!request)
        return Fail(request.error());
    const ContentCategory category = request->category;
    const AccountSelection& selection = request->selection;
    const Result<ItemChoice> chosen = ChosenItems(options);
    if (!chosen)
        return Fail(chosen.error());
    const ItemChoice& choice = *chosen;
    if (options.Required("to").empty())
        return UsageFailure(
            Sentence(QCoreApplication::translate("quorvane::cli", "--%1 must not be empty"), "to"));
    // Absolute, so every line of the report names its file wherever it is read.
    const std::string backupFolder = AbsolutePath(options.Required("to"));

    // The window's words, then how a command line chooses.
    const std::string nothingSelected = NothingSelectedText().toStdString();
    if (!choice.all && choice.numbers.empty()) {
        err << "quorvane-cli backup: " << nothingSelected << "\n"
            << Sentence(QCoreApplication::translate(
                            "quorvane::cli",
                            "Choose them with --all or --items (numbers as \"%1\" shows them)."),
                        "quorvane-cli list")
            << "\n";
        return kExitFailure;
    }
    if (!CheckPassport(selection, "backup", err))
        return kExitFailure;

    const BackupRun run = ListAndBackup(selection, category, choice, backupFolder);
    if (run.complaint)
        return Fail(*run.complaint);
    if (!run.problem.empty()) {
        err << "quorvane-cli backup: ";
        if (run.nothingListed)
            err << nothingSelected << "\n";
        err << run.problem;
        return run.interrupted ? InterruptedStatus() : kExitFailure;
    }
    if (!run.leftOut.empty())
        err << "quorvane-cli backup: " << run.leftOut;
    out << run.lines;
    if (run.allWritten)
        out << SucceededMessage() << "\n";
    out.flush();
    const auto chosenCount = static_cast<int>(run.chosen);
    if (run.interrupted)
        err << "quorvane-cli backup: "
            << Sentence(QCoreApplication::translate("quorvane::cli",
                                                    "interrupted; %1 of %n items were written.",
                                                    nullptr, chosenCount),
                        run.chosen - run.failed)
            << "\n";
    else if (!run.allWritten)
        err << "quorvane-cli backup: "
            << Sentence(QCoreApplication::translate("quorvane::cli",
                                                    "%1 of %n items could not be written.", nullptr,
                                                    chosenCount),
                        run.failed)
            << "\n";
    if (!out) {
        err << "quorvane-cli backup: "
            << QCoreApplication::translate("quorvane::cli",
                                           "cannot write the outcome to the standard output")
                   .toStdString()
            << "\n";
        return kExitFailure;
    }
    if (run.interrupted)
        return InterruptedStatus();
    return run.allWritten ? kExitOk : kExitFailure;
}

} // namespace

Command BackupCommand() {
    Command command;
    command.name = "backup";
    command.summary = QCoreApplication::translate(
                          "quorvane::cli", "Back up items of one content type, as Backup Now does.")
                          .toStdString();
    command.options.push_back(TypeOption());
    for (Option& option : AccountOptions())
        command.options.push_back(std::move(option));
    command.options.push_back(
        {"to", "DIR",
         QCoreApplication::translate(
             "quorvane::cli", "the backup folder; the files go into a subfolder per content type")
             .toStdString(),
         true});
    command.options.push_back(
        {"all", "",
         QCoreApplication::translate("quorvane::cli", "back up every listed item, in list order")
             .toStdString(),
         false});
    command.options.push_back(
        {"items", "N,N,...",
         QCoreApplication::translate(
             "quorvane::cli",
             "back up these items, in this order (numbers as \"quorvane-cli list\" shows them)")
             .toStdString(),
         false});
    command.description =
        QCoreApplication::translate(
            "quorvane::cli",
            "Content types (as in \"list\") and the subfolders of the backup folder:")
            .toStdString() +
        "\n" + SubfolderChoices() + "\n" +
        QCoreApplication::translate(
            "quorvane::cli",
            "The items are listed first, exactly as \"quorvane-cli list\" lists them. Each\n"
            "Wink, Dynamic Display Picture and Dynamic Background becomes a sealed .msn pack\n"
            "named after it; the chosen Custom Emoticons go together into one dated .msn\n"
            "pack; Regular Backgrounds and Display Pictures are copied as they are. A file of\n"
            "the same name from an earlier backup is replaced, but only by a complete new\n"
            "one: each file is written under a hidden temporary name and renamed into place.\n")
            .toStdString() +
        "\n" +
        //: "written", "failed" and "list" are words the program prints or takes; they stay as
        //: they are. %1 is the sentence that ends a backup in which every item was written.
        Sentence(
            QCoreApplication::translate(
                "quorvane::cli",
                "One line per chosen item on the standard output, fields separated by tabs: item\n"
                "number, display name, then \"written\" and the file written, or \"failed\" and\n"
                "the reason (escaped as in \"list\"). When every item was written, the last line\n"
                "is \"%1\"; otherwise the\n"
                "standard error says how many could not be.\n"),
            SucceededMessage()) +
        "\n" +
        QCoreApplication::translate(
            "quorvane::cli",
            "An interrupt (Ctrl-C, SIGTERM) stops the backup after the item it is on; the\n"
            "items not reached are reported as not written.\n")
            .toStdString() +
        "\n" +
        QCoreApplication::translate(
            "quorvane::cli",
            "Exit status: 0 when every chosen item was written; 1 when some could not be,\n"
            "nothing can be listed or none is chosen, or the passport cannot be an account;\n"
            "2 for a wrong command line (also an item number that is not in the listing);\n"
            "130 or 143 after an interrupt.\n")
            .toStdString();
    command.run = RunBackup;
    return command;
}

} // namespace quorvane::cli
