#pragma once

#include "app/QtPictureDecoder.h"
#include "backup/CabinetTools.h"
#include "backup/Listing.h"
#include "cli/AccountAccess.h"
#include "cli/CliOptions.h"
#include "platform/Clock.h"
#include "platform/PrivateFolder.h"
#include "platform/ProcessRunner.h"
#include "platform/SystemFolders.h"
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

// The left list of the window after List, for the commands that work on it:
// the same listing (cabinets expanded into their ".dir" folders, pictures
// decoded, objects without one left out) with the same tools, folders and
// pauses the backup then uses. It holds the account's lock from List until
// it goes, and the list is cleared then, so no scratch outlives the command.
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
    // Removes the listing's scratch now (also done when the object goes).
    void Clear();

    const std::vector<ListedItem>& Items() const { return m_result.items; }
    const ListingResult& Result() const { return m_result; }
    ObjectList& Objects() { return *m_list; }
    const ObjectList& Objects() const { return *m_list; }
    // Why List gave nothing, one or more lines each ending in a newline.
    const std::string& Problem() const { return m_problem; }

    // What the backup needs besides the listing.
    SystemFolders& Folders() { return m_folders; }
    CabinetTools& Tools() { return m_tools; }
    const Clock& SystemTime() const { return m_clock; }
    Pause& Pauses() { return m_pause; }

private:
    const AccountSelection& m_selection;
    ContentCategory m_category;
    AccountServices m_account;
    SystemClock m_clock;
    SleepingPause m_pause;
    SystemFolders m_folders;
    SpawnProcessRunner m_runner;
    CabinetTools m_tools;
    QtPictureDecoder m_decoder;
    std::unique_ptr<FileLock> m_lock;
    std::unique_ptr<ObjectList> m_list;
    ListingResult m_result;
    std::string m_problem;
};

// The window's check before it lists: the passport must look like one.
// False, with the window's message on err, when it cannot be an account.
bool CheckPassport(const AccountSelection& selection, std::string_view commandName,
                   std::ostream& err);

} // namespace quorvane::cli
