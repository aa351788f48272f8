#include "cli/ContentListing.h"

#include "backup/Manifests.h"
#include "platform/CancelFlag.h"
#include "platform/CodePage.h"
#include "profile/ObjectList.h"

#include <ostream>

namespace quorvane::cli {

Option TypeOption() {
    return {"type", "TYPE", "the content type: a number 0 to 5 or its name (see below)", true};
}

std::string TypeChoices() {
    std::string text;
    for (int i = 0; i < kCategoryCount; ++i) {
        const auto category = static_cast<ContentCategory>(i);
        text += "    " + std::to_string(i) + "  " + std::string(CategoryKeyword(category)) + " (" +
                std::string(CategoryLabel(category)) + ")\n";
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
    throw UsageError("unknown --type \"" + text + "\": use a number 0 to 5 or one of " + names);
}

bool CheckPassport(const AccountSelection& selection, std::string_view commandName,
                   std::ostream& err) {
    if (IsValidPassport(selection.passport, CodePage::Ansi()))
        return true;
    err << "quorvane-cli " << commandName << ": Please enter an valid MSN account.\n";
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
        m_problem = "Qt cannot read PNG, JPEG and GIF pictures here (its image format plugins "
                    "are missing), so no " +
                    std::string(CategoryLabel(category)) + " can be shown.\n";
        return false;
    }
    if (!m_lock && !(m_lock = LockAccount(m_session.Selection(), m_problem)))
        return false;
    const ListingResult& result = m_session.List(&Interrupts());
    if (result.interrupted) {
        m_problem = "interrupted; nothing was listed.\n";
        return false;
    }
    if (!result.toolFailure.empty()) {
        m_problem = "the " + std::string(CategoryLabel(category)) +
                    " cannot be listed: " + result.toolFailure + ".\n";
        return false;
    }
    if (!result.items.empty())
        return true;
    m_problem = ListingProblem(m_session.Objects(), m_session.Selection());
    if (m_problem.empty())
        m_problem = "there is nothing to list among the " + std::string(CategoryLabel(category)) +
                    " of \"" + m_session.Selection().passportUtf8 +
                    "\": the catalogue names no object, or none whose file holds a picture that "
                    "can be shown.\n" +
                    LeftOutSummary(result);
    return false;
}

BackupOutcome ContentListing::BackUp(const std::vector<std::size_t>& itemData,
                                     const std::string& backupFolder) {
    EmoticonManifest manifest(m_session.SystemTime(), CodePage::Ansi());
    return m_session.BackUp(itemData, backupFolder, manifest, &Interrupts());
}

} // namespace quorvane::cli
