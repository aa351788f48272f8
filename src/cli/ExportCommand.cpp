#include "cli/ExportCommand.h"

#include "app/ExportJob.h"
#include "cli/AccountAccess.h"
#include "cli/CatalogueCommand.h"
#include "cli/ContentListing.h"
#include "cli/ItemChoice.h"
#include "platform/Paths.h"
#include "platform/TranslatedSentence.h"

#include <QCoreApplication>

#include <algorithm>
#include <ostream>

namespace quorvane::cli {

namespace {

// "--type winks,emoticons" or "--all-types": the types in the order of the
// type list, each once.
Result<std::vector<ContentCategory>> ChosenTypes(const ParsedOptions& options) {
    const std::optional<std::string> types = options.Value("type");
    if (types && options.Has("all-types"))
        return UsageFailure(QCoreApplication::translate(
                                "quorvane::cli", "--type and --all-types cannot be given together")
                                .toStdString());
    std::vector<ContentCategory> chosen;
    if (!types) {
        if (!options.Has("all-types"))
            return UsageFailure(
                QCoreApplication::translate("quorvane::cli", "give --type or --all-types")
                    .toStdString());
        for (int i = 0; i < kCategoryCount; ++i)
            chosen.push_back(static_cast<ContentCategory>(i));
        return chosen;
    }
    std::string_view rest = *types;
    for (;;) {
        const std::size_t comma = rest.find(',');
        const std::string name(rest.substr(0, comma));
        const std::optional<ContentCategory> category = ParseCategory(name);
        if (!category)
            return UsageFailure(Sentence(
                QCoreApplication::translate("quorvane::cli",
                                            "unknown --type \"%1\": use a number 0 to 5 or a name"),
                name));
        if (std::find(chosen.begin(), chosen.end(), *category) == chosen.end())
            chosen.push_back(*category);
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    std::sort(chosen.begin(), chosen.end());
    return chosen;
}

std::string FileList(const ExportedFiles& files) {
    std::string text;
    for (const std::string* file : {&files.original, &files.picture, &files.video, &files.animation,
                                    &files.gif, &files.still})
        if (!file->empty())
            text += (text.empty() ? "" : "\t") + EscapeField(*file);
    return text;
}

Result<int> RunExport(const ParsedOptions& options, std::ostream& out, std::ostream& err) {
    Result<std::vector<ContentCategory>> types = ChosenTypes(options);
    if (!types)
        return Fail(types.error());
    Result<AccountSelection> selection = SelectionFromOptions(options);
    if (!selection)
        return Fail(selection.error());
    ItemChoice choice{true, {}};
    if (options.Has("items")) {
        if (types->size() != 1)
            return UsageFailure(QCoreApplication::translate(
                                    "quorvane::cli", "--items needs exactly one content type")
                                    .toStdString());
        Result<ItemChoice> chosen = ChosenItems(options);
        if (!chosen)
            return Fail(chosen.error());
        choice = *chosen;
    }
    if (options.Required("to").empty())
        return UsageFailure(
            Sentence(QCoreApplication::translate("quorvane::cli", "--%1 must not be empty"), "to"));
    const std::string folder = AbsolutePath(options.Required("to"));
    if (!CheckPassport(*selection, "export", err))
        return kExitFailure;

    // Every type is listed first, as "list" lists it; a type with nothing
    // to list is said and skipped.
    std::vector<ExportChoice> choices;
    for (ContentCategory category : *types) {
        std::string problem;
        ListReport listed = ListContent(*selection, category, false, problem);
        if (Interrupts().Requested()) {
            err << "quorvane-cli export: " << problem;
            return InterruptedStatus();
        }
        if (!problem.empty()) {
            err << "quorvane-cli export: " << problem;
            if (types->size() == 1 || listed.lockFailure)
                return kExitFailure;
            continue;
        }
        if (const std::string leftOut = LeftOutSummary(listed); !leftOut.empty())
            err << "quorvane-cli export: " << leftOut;
        Result<std::vector<std::size_t>> itemData = ItemData(choice, listed.items);
        if (!itemData)
            return Fail(itemData.error());
        choices.push_back(
            {std::move(listed.listing), std::move(listed.items), std::move(*itemData)});
    }
    std::size_t chosen = 0;
    for (const ExportChoice& exported : choices)
        chosen += exported.itemData.size();
    if (chosen == 0) {
        err << "quorvane-cli export: "
            << QCoreApplication::translate("quorvane::cli", "nothing to export.").toStdString()
            << "\n";
        return kExitFailure;
    }

    ExportJob job(std::move(choices), folder);
    ExportReport report;
    {
        const InterruptibleJob interruptible(job);
        report = job.Run();
    }
    if (report.lockFailure) {
        err << "quorvane-cli export: " << LockProblem(report, *selection);
        return Interrupts().Requested() ? InterruptedStatus() : kExitFailure;
    }
    std::size_t failed = 0;
    for (const ExportedItem& item : report.items) {
        out << item.type << "\t" << EscapeField(item.displayName);
        if (item.failure) {
            ++failed;
            out << "\tfailed\t" << EscapeField(item.failure->sentence);
            if (const std::string files = FileList(item.files); !files.empty())
                out << "\t" << files;
        } else {
            out << "\texported\t" << FileList(item.files);
        }
        out << "\n";
    }
    if (!report.gallery.empty())
        out << report.gallery << "\n";
    out.flush();
    if (report.failure)
        err << "quorvane-cli export: " << report.failure->sentence << "\n";
    const auto count = static_cast<int>(report.items.size());
    if (report.interrupted) {
        err << "quorvane-cli export: "
            << Sentence(QCoreApplication::translate("quorvane::cli",
                                                    "interrupted; %1 of %n items were exported.",
                                                    nullptr, count),
                        report.items.size() - failed)
            << "\n";
        return InterruptedStatus();
    }
    if (failed > 0)
        err << "quorvane-cli export: "
            << Sentence(QCoreApplication::translate("quorvane::cli",
                                                    "%1 of %n items could not be exported whole.",
                                                    nullptr, count),
                        failed)
            << "\n";
    if (!out) {
        err << "quorvane-cli export: "
            << QCoreApplication::translate("quorvane::cli",
                                           "cannot write the outcome to the standard output")
                   .toStdString()
            << "\n";
        return kExitFailure;
    }
    return failed == 0 && !report.failure ? kExitOk : kExitFailure;
}

} // namespace

Command ExportCommand() {
    Command command;
    command.name = "export";
    command.summary =
        QCoreApplication::translate(
            "quorvane::cli",
            "Save items as files any program opens, with videos of the movies and a gallery.")
            .toStdString();
    Option type = TypeOption();
    type.valueName = "TYPE[,TYPE...]";
    type.help = QCoreApplication::translate(
                    "quorvane::cli",
                    "the content types: numbers 0 to 5 or names (see below), separated by commas")
                    .toStdString();
    type.required = false;
    command.options.push_back(type);
    command.options.push_back(
        {"all-types", "",
         QCoreApplication::translate("quorvane::cli", "export every content type").toStdString(),
         false});
    for (Option& option : AccountOptions())
        command.options.push_back(std::move(option));
    command.options.push_back(
        {"to", "DIR",
         QCoreApplication::translate(
             "quorvane::cli", "the export folder; the files go into a subfolder per content type")
             .toStdString(),
         true});
    command.options.push_back(
        {"items", "N,N,...",
         QCoreApplication::translate(
             "quorvane::cli",
             "export only these items of the one type (numbers as \"quorvane-cli list\" shows "
             "them); every listed item otherwise")
             .toStdString(),
         false});
    command.description =
        QCoreApplication::translate("quorvane::cli", "Content types (and their subfolders):")
            .toStdString() +
        "\n" + TypeChoices() + "\n" +
        QCoreApplication::translate(
            "quorvane::cli",
            "The items are listed first, exactly as \"quorvane-cli list\" lists them. Each goes\n"
            "into DIR/<type>/ under a name made from its display name: its original file as\n"
            "it is (a movie's .swf as its cabinet holds it, with its thumbnail picture; an\n"
            "emoticon's or picture's own GIF, PNG, JPEG or BMP). Every Wink, Dynamic Display\n"
            "Picture and Dynamic Background is also played once by the preview's Flash\n"
            "player, frame by frame at its own frame rate, into a .webm video (VP9, with the\n"
            "movie's sound as Opus), an animated .webp no larger than 512 pixels (a sticker),\n"
            "an animated .gif and a .png of its first frame. No display is needed.\n")
            .toStdString() +
        "\n" +
        QCoreApplication::translate(
            "quorvane::cli",
            "DIR/index.html is a gallery of everything exported there, for any web browser,\n"
            "and DIR/quorvane-export.json lists the same for programs, with each file's\n"
            "SHA-256. A file of the same name is never replaced: the new one is numbered.\n"
            "Exporting into the same folder again adds to its gallery.\n")
            .toStdString() +
        "\n" +
        QCoreApplication::translate(
            "quorvane::cli",
            "One line per item on the standard output, fields separated by tabs: type,\n"
            "display name, then \"exported\" and the files written (relative to DIR), or\n"
            "\"failed\", the reason and the files that were written. The last line is the\n"
            "gallery's path.\n")
            .toStdString() +
        "\n" +
        QCoreApplication::translate(
            "quorvane::cli",
            "Exit status: 0 when every item was exported whole; 1 when some could not be,\n"
            "nothing can be listed or the passport cannot be an account; 2 for a wrong\n"
            "command line; 130 or 143 after an interrupt, which stops at once and leaves no\n"
            "part of a file.\n")
            .toStdString();
    command.run = RunExport;
    return command;
}

} // namespace quorvane::cli
