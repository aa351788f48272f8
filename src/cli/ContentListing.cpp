#include "cli/ContentListing.h"

#include "app/ListingWords.h"
#include "app/QtPictureDecoder.h"
#include "app/Words.h"
#include "platform/TranslatedSentence.h"

#include <QCoreApplication>

#include <ostream>

namespace quorvane::cli {

Option TypeOption() {
    return {"type", "TYPE",
            QCoreApplication::translate("quorvane::cli",
                                        "the content type: a number 0 to 5 or its name (see below)")
                .toStdString(),
            true};
}

std::string TypeChoices() {
    std::string text;
    for (int i = 0; i < kCategoryCount; ++i) {
        const auto category = static_cast<ContentCategory>(i);
        text += "    " + std::to_string(i) + "  " + std::string(CategoryKeyword(category)) + " (" +
                CategoryLabel(category) + ")\n";
    }
    return text;
}

Result<ContentCategory> CategoryOption(const ParsedOptions& options) {
    const std::string& text = options.Required("type");
    if (auto category = ParseCategory(text))
        return *category;
    std::string names;
    for (int i = 0; i < kCategoryCount; ++i)
        names +=
            (i == 0 ? "" : ", ") + std::string(CategoryKeyword(static_cast<ContentCategory>(i)));
    return UsageFailure(
        Sentence(QCoreApplication::translate(
                     "quorvane::cli", "unknown --type \"%1\": use a number 0 to 5 or one of %2"),
                 text, names));
}

bool CheckPassport(const AccountSelection& selection, std::string_view commandName,
                   std::ostream& err) {
    if (selection.HasValidPassport())
        return true;
    err << "quorvane-cli " << commandName << ": " << InvalidPassportText().toStdString() << "\n";
    return false;
}

Result<ContentRequest> ContentRequestFromOptions(const ParsedOptions& options) {
    const Result<ContentCategory> category = CategoryOption(options);
    if (!category)
        return Fail(category.error());
    Result<AccountSelection> selection = SelectionFromOptions(options);
    if (!selection)
        return Fail(selection.error());
    return ContentRequest{*category, std::move(*selection)};
}

ListReport ListContent(const AccountSelection& selection, ContentCategory category, bool keepLock,
                       std::string& problem) {
    problem.clear();
    if (!QtPictureDecoder::EnsureImageCodec()) {
        // Every object would be left out for want of a picture.
        problem = Sentence(QCoreApplication::translate(
                               "quorvane::cli",
                               "Qt cannot read PNG, JPEG and GIF pictures here (its image format "
                               "plugins are missing), so no %1 can be shown."),
                           CategoryLabel(category)) +
                  "\n";
        ListReport report;
        report.catalogue.category = category;
        return report;
    }
    ListJob job(selection, category);
    if (keepLock)
        job.KeepLock();
    ListReport report;
    {
        const InterruptibleJob interruptible(job);
        report = job.Run();
    }
    problem =
        report.lockFailure ? LockProblem(report, selection) : NothingListed(report, selection);
    return report;
}

} // namespace quorvane::cli
