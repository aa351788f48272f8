#include "cli/ContentListing.h"

#include "backup/Manifests.h"
#include "platform/CancelFlag.h"
#include "platform/CodePage.h"
#include "platform/Sentence.h"
#include "profile/ObjectList.h"

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

ContentCategory CategoryOption(const ParsedOptions& options) {
    const std::string& text = options.Required("type");
    if (auto category = ParseCategory(text))
        return *category;
    std::string names;
    for (int i = 0; i < kCategoryCount; ++i)
        names +=
            (i == 0 ? "" : ", ") + std::string(CategoryKeyword(static_cast<ContentCategory>(i)));
    throw UsageError(
        Sentence(QCoreApplication::translate(
                     "quorvane::cli", "unknown --type \"%1\": use a number 0 to 5 or one of %2"),
                 text, names));
}

bool CheckPassport(const AccountSelection& selection, std::string_view commandName,
                   std::ostream& err) {
    if (IsValidPassport(selection.passport, CodePage::Ansi()))
        return true;
    // The window's words.
    err << "quorvane-cli " << commandName << ": "
        << QCoreApplication::translate("quorvane::cli", "Please enter an valid MSN account.")
               .toStdString()
        << "\n";
    return false;
}

ContentListing::ContentListing(const AccountSelection& selection, ContentCategory category)
    : m_session(selection, category) {}

ContentListing::~ContentListing() {
    Clear();
}

void ContentListing::Clear() {
    m_session.Clear();
}

bool ContentListing::List() {
    m_problem.clear();
    const ContentCategory category = m_session.Category();
    if (!QtPictureDecoder::EnsureImageCodec()) {
        // Every object would be left out for want of a picture.
        m_problem = Sentence(QCoreApplication::translate(
                                 "quorvane::cli",
                                 "Qt cannot read PNG, JPEG and GIF pictures here (its image format "
                                 "plugins are missing), so no %1 can be shown."),
                             CategoryLabel(category)) +
                    "\n";
        return false;
    }
    if (!m_lock && !(m_lock = LockAccount(m_session.Selection(), m_problem)))
        return false;
    const ListingResult& result = m_session.List(&Interrupts());
    if (result.interrupted) {
        m_problem = QCoreApplication::translate("quorvane::cli", "interrupted; nothing was listed.")
                        .toStdString() +
                    "\n";
        return false;
    }
    if (!result.toolFailure.empty()) {
        m_problem =
            Sentence(QCoreApplication::translate("quorvane::cli", "the %1 cannot be listed: %2."),
                     CategoryLabel(category), result.toolFailure) +
            "\n";
        return false;
    }
    if (!result.items.empty())
        return true;
    m_problem = ListingProblem(m_session.Objects(), m_session.Selection());
    if (m_problem.empty())
        m_problem = Sentence(QCoreApplication::translate(
                                 "quorvane::cli",
                                 "there is nothing to list among the %1 of \"%2\": the catalogue "
                                 "names no object, or none whose file holds a picture that can be "
                                 "shown."),
                             CategoryLabel(category), m_session.Selection().passportUtf8) +
                    "\n" + LeftOutSummary(result);
    return false;
}

BackupOutcome ContentListing::BackUp(const std::vector<std::size_t>& itemData,
                                     const std::string& backupFolder) {
    EmoticonManifest manifest(m_session.SystemTime(), CodePage::Ansi());
    return m_session.BackUp(itemData, backupFolder, manifest, &Interrupts());
}

} // namespace quorvane::cli
