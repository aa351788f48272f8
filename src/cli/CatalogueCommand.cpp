#include "cli/CatalogueCommand.h"

#include "app/AccountSession.h"
#include "cli/AccountAccess.h"
#include "cli/ContentListing.h"
#include "platform/CancelFlag.h"
#include "platform/CodePage.h"
#include "platform/FileLock.h"
#include "platform/PrivateFolder.h"
#include "profile/ObjectList.h"

#include <QCoreApplication>

#include <cstdio>
#include <memory>
#include <ostream>

namespace quorvane::cli {

namespace {

int RunCatalogue(const ParsedOptions& options, std::ostream& out, std::ostream& err) {
    const ContentCategory category = CategoryOption(options);
    const AccountSelection selection = SelectionFromOptions(options);
    const CodePage& codePage = CodePage::Ansi();

    std::string lines;
    std::string problem;
    bool failed = false;
    {
        std::unique_ptr<FileLock> lock = LockAccount(selection, problem);
        if (!lock) {
            err << "quorvane-cli catalogue: " << problem;
            return Interrupts().Requested() ? InterruptedStatus() : kExitFailure;
        }
        AccountSession session(selection, category);
        ObjectList* list = &session.Objects();

        const bool listed = list->ListObjects(selection.passport);
        // A catalogue that cannot be unprotected still "lists" (nothing);
        // the user needs to hear why it is empty.
        failed = !listed || list->status != ListingStatus::Listed;
        if (failed)
            problem = ListingProblem(CatalogueState::Of(*list), selection);
        for (std::size_t i = 0; i < list->objects.size(); ++i) {
            const InstalledObject& object = list->objects[i];
            lines += std::to_string(i) + "\t" + EscapeField(codePage.ToUtf8(object.location)) +
                     "\t" + EscapeField(codePage.ToUtf8(object.tag)) + "\t" +
                     EscapeField(codePage.ToUtf8(object.displayName)) + "\n";
        }
        // Cleared before anything is printed, so a slow or closed output
        // cannot keep the account locked.
        list->Clear();
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
