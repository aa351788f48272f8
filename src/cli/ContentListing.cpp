#include "cli/ContentListing.h"

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

namespace {

SystemFolders Located(const Clock& clock, Pause& pause, const WineAccount& wine) {
    SystemFolders folders(clock, pause);
    folders.Locate(wine);
    return folders;
}

} // namespace

ContentListing::ContentListing(const AccountSelection& selection, ContentCategory category)
    : m_selection(selection), m_category(category), m_account(selection),
      m_folders(Located(m_clock, m_pause, selection.wine)),
      m_tools(m_runner, m_folders.programFolder, m_folders.windowsFolder) {
    if (IsPackaged(category))
        m_list = std::make_unique<PackagedObjectList>(m_account.Services(), category);
    else
        m_list = std::make_unique<PictureObjectList>(m_account.Services(), category);
}

ContentListing::~ContentListing() {
    Clear();
}

void ContentListing::Clear() {
    m_list->Clear();
}

bool ContentListing::List() {
    m_problem.clear();
    m_result = {};
    if (!QtPictureDecoder::EnsureImageCodec()) {
        // Every object would be left out for want of a picture.
        m_problem = "Qt cannot read PNG, JPEG and GIF pictures here (its image format plugins "
                    "are missing), so no " +
                    std::string(CategoryLabel(m_category)) + " can be shown.\n";
        return false;
    }
    if (!m_lock && !(m_lock = LockAccount(m_selection, m_problem)))
        return false;
    const CancelFlag* cancel = &Interrupts();
    if (IsPackaged(m_category))
        m_result =
            ListPackagedObjects(static_cast<PackagedObjectList&>(*m_list), m_selection.passport,
                                m_tools, m_decoder, CodePage::Ansi(), cancel);
    else
        m_result = ListPictureObjects(static_cast<PictureObjectList&>(*m_list),
                                      m_selection.passport, m_decoder, m_pause, cancel);
    if (m_result.interrupted) {
        m_problem = "interrupted; nothing was listed.\n";
        return false;
    }
    if (!m_result.items.empty())
        return true;
    m_problem = ListingProblem(*m_list, m_selection);
    if (m_problem.empty())
        m_problem = "there is nothing to list among the " + std::string(CategoryLabel(m_category)) +
                    " of \"" + m_selection.passportUtf8 +
                    "\": the catalogue names no object, or none whose file holds a picture that "
                    "can be shown.\n" +
                    LeftOutSummary(m_result);
    return false;
}

} // namespace quorvane::cli
