#pragma once

#include "app/AccountSession.h"
#include "cli/AccountAccess.h"
#include "cli/CliOptions.h"
#include "platform/PrivateFolder.h"
#include "profile/ContentCategory.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {
class ObjectList;
}

namespace quorvane::cli {

// The "--type" option and the table of content types for the help texts.
Option TypeOption();
std::string TypeChoices();
// The content type the command line names; UsageError when it names none.
ContentCategory CategoryOption(const ParsedOptions& options);

// The left list of the window after List, for the commands that work on
// it: the account session's listing, with the account locked from List
// until the object goes, and the outcome in words for the command line.
class ContentListing {
public:
    ContentListing(const AccountSelection& selection, ContentCategory category);
    ~ContentListing();
    ContentListing(const ContentListing&) = delete;
    ContentListing& operator=(const ContentListing&) = delete;

    // Lists the category for the selection's passport. Returns false, with
    // Problem() saying why, when nothing can be listed (also when another
    // Quorvane works on the account, or an interrupt came first).
    bool List();
    // Backs up the listed items named by their item data; an interrupt
    // stops it after the current item.
    BackupOutcome BackUp(const std::vector<std::size_t>& itemData, const std::string& backupFolder);
    // Removes the listing's scratch now (also done when the object goes).
    void Clear();

    const std::vector<ListedItem>& Items() const { return m_session.Result().items; }
    const ListingResult& Result() const { return m_session.Result(); }
    ObjectList& Objects() { return m_session.Objects(); }
    const ObjectList& Objects() const { return m_session.Objects(); }
    // Why List gave nothing, one or more lines each ending in a newline.
    const std::string& Problem() const { return m_problem; }

private:
    AccountSession m_session;
    std::unique_ptr<FileLock> m_lock;
    std::string m_problem;
};

// The window's check before it lists: the passport must look like one.
// False, with the window's message on err, when it cannot be an account.
bool CheckPassport(const AccountSelection& selection, std::string_view commandName,
                   std::ostream& err);

} // namespace quorvane::cli
