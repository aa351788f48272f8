#include "cli/ListCommand.h"

#include "cli/AccountAccess.h"
#include "cli/CatalogueCommand.h"
#include "cli/ContentListing.h"
#include "platform/CodePage.h"
#include "profile/ObjectList.h"

#include <ostream>

namespace quorvane::cli {

namespace {

int RunList(const ParsedOptions& options, std::ostream& out, std::ostream& err) {
    const ContentCategory category = CategoryOption(options);
    const AccountSelection selection = AccountSelection::FromOptions(options);
    if (!CheckPassport(selection, "list", err))
        return kExitFailure;
    const CodePage& codePage = CodePage::Ansi();

    std::string lines;
    std::string problem;
    {
        // From the listing until the list is cleared, the stamp files of
        // packaged objects lie in the user's object folder.
        DeferredSignals deferred;
        ContentListing listing(selection, category);
        if (!listing.List())
            problem = listing.Problem();
        const ObjectList& list = listing.Objects();
        for (const ListedItem& item : listing.Items()) {
            const InstalledObject& object = list.objects[item.itemData];
            lines += std::to_string(item.itemData) + "\t" +
                     EscapeField(codePage.ToUtf8(object.displayName)) + "\t" +
                     EscapeField(codePage.ToUtf8(object.location)) + "\n";
        }
        // Cleared before anything is printed, so a slow or closed output
        // cannot keep the stamp files in place.
        listing.Clear();
    }

    if (!problem.empty()) {
        err << "quorvane-cli list: " << problem;
        return kExitFailure;
    }
    out << lines;
    out.flush();
    if (!out) {
        err << "quorvane-cli list: cannot write the listing to the standard output\n";
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace

Command ListCommand() {
    Command command;
    command.name = "list";
    command.summary = "Show the items of one content type that List shows, ready for backup.";
    command.options.push_back(TypeOption());
    for (Option& option : AccountOptions())
        command.options.push_back(std::move(option));
    command.description =
        "Content types:\n" + TypeChoices() +
        "\nUnlike \"catalogue\", this looks into the objects: Winks, Dynamic Display Pictures\n"
        "and Dynamic Backgrounds are expanded into a \".dir\" folder beside their cabinet\n"
        "(which stays, as after List in the window) and must hold a PNG, JPEG or GIF\n"
        "picture; the other types must be a picture themselves. Objects without one are\n"
        "left out. A display name shorter than two characters is replaced by the name of\n"
        "the object's picture.\n"
        "\nOne line per item on the standard output, fields separated by tabs: item number\n"
        "(what \"backup --items\" takes), display name and file name in the object folder,\n"
        "in UTF-8. A backslash, tab, line break or other control character in a field is\n"
        "written as a backslash escape.\n"
        "\nExit status: 0 when at least one item was listed, 1 when nothing can be listed\n"
        "or the passport cannot be an account (the reason goes to the standard error), 2\n"
        "for a wrong command line.\n";
    command.run = RunList;
    return command;
}

} // namespace quorvane::cli
