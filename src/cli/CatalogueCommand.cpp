#include "cli/CatalogueCommand.h"

#include "app/CatalogueJob.h"
#include "cli/AccountAccess.h"
#include "cli/ContentListing.h"

#include <QCoreApplication>

#include <ostream>

namespace quorvane::cli {

namespace {

Result<int> RunCatalogue(const ParsedOptions& options, std::ostream& out, std::ostream& err) {
    const Result<ContentRequest> request = ContentRequestFromOptions(options);
    if (!request)
        return Fail(request.error());
    const ContentCategory category = request->category;
    const AccountSelection& selection = request->selection;

    CatalogueJob job(selection, category);
    CatalogueReport report;
    {
        const InterruptibleJob interruptible(job);
        report = job.Run();
    }
    if (report.lockFailure) {
        err << "quorvane-cli catalogue: " << LockProblem(report, selection);
        return report.Lock() == AccountLock::Outcome::Cancelled ? InterruptedStatus()
                                                                : kExitFailure;
    }
    const bool failed = !report.listed;
    std::string problem;
    if (failed)
        problem = ListingProblem(report.catalogue, selection);
    std::string lines;
    for (std::size_t i = 0; i < report.entries.size(); ++i) {
        const CatalogueEntry& entry = report.entries[i];
        lines += std::to_string(i) + "\t" + EscapeField(entry.location) + "\t" +
                 EscapeField(entry.tag) + "\t" + EscapeField(entry.displayName) + "\n";
    }

    if (failed) {
        if (problem.empty())
            problem = QCoreApplication::translate("quorvane::cli", "nothing could be listed.")
                          .toStdString() +
                      "\n";
        err << "quorvane-cli catalogue: " << problem;
        return kExitFailure;
    }
    out << lines;
    out.flush();
    if (!out) {
        err << "quorvane-cli catalogue: "
            << QCoreApplication::translate("quorvane::cli",
                                           "cannot write the listing to the standard output")
                   .toStdString()
            << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace

std::string EscapeField(std::string_view utf8) {
    std::string escaped;
    escaped.reserve(utf8.size());
    for (char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '\\':
            escaped += "\\\\";
            break;
        case '\t':
            escaped += "\\t";
            break;
        case '\n':
            escaped += "\\n";
            break;
        case '\r':
            escaped += "\\r";
            break;
        default:
            if (byte < 0x20 || byte == 0x7f) {
                char hex[5];
                std::snprintf(hex, sizeof hex, "\\x%02x", byte);
                escaped += hex;
            } else {
                escaped.push_back(c);
            }
        }
    }
    return escaped;
}

Command CatalogueCommand() {
    Command command;
    command.name = "catalogue";
    command.summary =
        QCoreApplication::translate(
            "quorvane::cli",
            "List the objects of one content type that Messenger keeps for an account.")
            .toStdString();
    command.options.push_back(TypeOption());
    for (Option& option : AccountOptions())
        command.options.push_back(std::move(option));
    command.description =
        QCoreApplication::translate("quorvane::cli", "Content types:").toStdString() + "\n" +
        TypeChoices() + "\n" +
        QCoreApplication::translate(
            "quorvane::cli",
            "One line per object on the standard output, fields separated by tabs: index (from "
            "0),\n"
            "file name in the object folder, tag (content id of packaged objects, key sequence of\n"
            "emoticons, else empty) and display name, in UTF-8. A backslash, tab, line break or\n"
            "other control character in a field is written as a backslash escape.\n")
            .toStdString() +
        "\n" +
        QCoreApplication::translate(
            "quorvane::cli",
            "Exit status: 0 when the catalogue was read (also when it lists nothing), 1 when\n"
            "nothing could be listed (the reason goes to the standard error), 2 for a wrong\n"
            "command line.\n")
            .toStdString();
    command.run = RunCatalogue;
    return command;
}

} // namespace quorvane::cli
