#include "cli/ListCommand.h"

#include "cli/AccountAccess.h"
#include "cli/CatalogueCommand.h"
#include "cli/ContentListing.h"

#include <QCoreApplication>

#include <ostream>

namespace quorvane::cli {

namespace {

Result<int> RunList(const ParsedOptions& options, std::ostream& out, std::ostream& err) {
    const Result<ContentRequest> request = ContentRequestFromOptions(options);
    if (!request)
        return Fail(request.error());
    const ContentCategory category = request->category;
    const AccountSelection& selection = request->selection;
    if (!CheckPassport(selection, "list", err))
        return kExitFailure;
    std::string lines;
    std::string problem;
    std::string leftOut;
    {
        ListReport report = ListContent(selection, category, false, problem);
        if (problem.empty())
            leftOut = LeftOutSummary(report);
        for (const ListedEntry& item : report.items)
            lines += std::to_string(item.itemData) + "\t" + EscapeField(item.displayNameUtf8) +
                     "\t" + EscapeField(item.locationUtf8) + "\n";
        // The listing's scratch goes before anything is printed.
        report.listing.reset();
    }

    if (!problem.empty()) {
        err << "quorvane-cli list: " << problem;
        return Interrupts().Requested() ? InterruptedStatus() : kExitFailure;
    }
    if (!leftOut.empty())
        err << "quorvane-cli list: " << leftOut;
    out << lines;
    out.flush();
    if (!out) {
        err << "quorvane-cli list: "
            << QCoreApplication::translate("quorvane::cli",
                                           "cannot write the listing to the standard output")
                   .toStdString()
            << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace

Command ListCommand() {
    Command command;
    command.name = "list";
    command.summary = QCoreApplication::translate(
                          "quorvane::cli",
                          "Show the items of one content type that List shows, ready for backup.")
                          .toStdString();
    command.options.push_back(TypeOption());
    for (Option& option : AccountOptions())
        command.options.push_back(std::move(option));
    command.description =
        QCoreApplication::translate("quorvane::cli", "Content types:").toStdString() + "\n" +
        TypeChoices() + "\n" +
        QCoreApplication::translate(
            "quorvane::cli",
            "Unlike \"catalogue\", this looks into the objects: Winks, Dynamic Display Pictures\n"
            "and Dynamic Backgrounds are expanded into a scratch folder of Quorvane's own\n"
            "(under $XDG_CACHE_HOME/quorvane, removed afterwards; Messenger's folders are\n"
            "only read) and must hold a PNG, JPEG or GIF picture; the other types must be a\n"
            "picture themselves. Objects without one are left out, and the standard error\n"
            "says how many and why. When the cabinet tool cannot do its work (it is missing\n"
            "or was killed, or the scratch folder cannot be written), nothing is listed and\n"
            "the standard error says why. A display name shorter than two characters is\n"
            "replaced by the name of the object's picture.\n")
            .toStdString() +
        "\n" +
        QCoreApplication::translate(
            "quorvane::cli",
            "One line per item on the standard output, fields separated by tabs: item number\n"
            "(what \"backup --items\" takes), display name and file name in the object folder,\n"
            "in UTF-8. A backslash, tab, line break or other control character in a field is\n"
            "written as a backslash escape.\n")
            .toStdString() +
        "\n" +
        QCoreApplication::translate(
            "quorvane::cli",
            "Exit status: 0 when at least one item was listed, 1 when nothing can be listed\n"
            "or the passport cannot be an account (the reason goes to the standard error), 2\n"
            "for a wrong command line, 130 or 143 after an interrupt (SIGINT, SIGTERM).\n")
            .toStdString();
    command.run = RunList;
    return command;
}

} // namespace quorvane::cli
