#pragma once

#include "app/AccountLock.h"
#include "app/AccountSelection.h"
#include "app/Job.h"
#include "platform/Result.h"
#include "profile/ContentCategory.h"
#include "profile/MessengerProfile.h"
#include "profile/ObjectList.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorvane {

class AccountSession;

// Whether a command could have the account: another Quorvane may be working
// on it, the wait was cancelled, or the lock cannot be made.
struct LockReport {
    std::optional<Failure> lockFailure; // none when the account was had

    AccountLock::Outcome Lock() const {
        return lockFailure ? FileLock::OutcomeOf(*lockFailure) : AccountLock::Outcome::Acquired;
    }
};

// What Preview shows for a listed item: a ".swf" movie played through the
// Flash player, or a picture, and the only folders the preview may read
// from.
struct PreviewTarget {
    std::string path; // UTF-8: the picture, or the folder the movie was unpacked into
    bool movie = false;
    std::vector<std::string> allowedFolders; // the object folder and the thumbnail folders

    // The file to show now: the folder's first ".swf" file by name, or the
    // picture (stored since under another case, it is still found); "" when
    // there is none.
    std::string Locate() const;
};

// One item of the left list.
struct ListedEntry {
    std::size_t itemData = 0; // what a backup names the item by
    std::string displayName;  // code page
    std::string displayNameUtf8;
    std::string locationUtf8; // the file name in the object folder
    std::string picturePath;  // the picture its thumbnail is made of
    PreviewTarget preview;
};

// How far the catalogue could be read, and which file stopped it: what a
// front end needs to say why nothing was listed.
struct CatalogueState {
    ContentCategory category = ContentCategory::Winks;
    ListingStatus status = ListingStatus::NotListed;
    ProtectedFileContent::Problem fileProblem = ProtectedFileContent::Problem::None;
    std::string problemFile;
    std::string problemDetail;
    std::string objectFolder;
    std::string mapFileFolder;

    static CatalogueState Of(const ObjectList& list);
};

// What a List gave: the items in catalogue order, how many catalogue
// objects were left out and why, and the listing itself for the backups
// made from it.
struct ListReport : LockReport {
    std::vector<ListedEntry> items;
    CatalogueState catalogue;
    bool listed = false;                // the catalogue could be read
    bool interrupted = false;           // cancelled; the rest was not looked at
    std::optional<Failure> toolFailure; // why the cabinet tool could not work; none when it could
    std::size_t catalogueObjects = 0;
    std::size_t unsafeLocations = 0; // Location no plain file name in the object folder
    std::size_t missingFiles = 0;    // the object's file is missing or not a regular file
    std::size_t withoutPicture = 0;  // no PNG, JPEG or GIF that can be shown
    // The listing's objects and scratch; its scratch goes with the last copy.
    std::shared_ptr<AccountSession> listing;

    std::size_t LeftOut() const { return unsafeLocations + missingFiles + withoutPicture; }
};

// Lists one category of one account: takes the account, lists the objects
// that have a picture to show and works out what Preview shows for each.
class ListJob : public Job {
public:
    // Tells whether a picture can be shown; called from several threads.
    using PictureJudge = std::function<bool(const std::string& path)>;

    ListJob(AccountSelection selection, ContentCategory category);

    // A front end that shows the pictures judges them itself, so each is
    // decoded once; otherwise Qt's image reader judges.
    void SetPictureJudge(PictureJudge judge) { m_judge = std::move(judge); }
    // Keeps the account locked for as long as the listing lives, for a
    // front end that backs up right after listing.
    void KeepLock() { m_keepLock = true; }

    ListReport Run();

private:
    AccountSelection m_selection;
    ContentCategory m_category;
    PictureJudge m_judge;
    bool m_keepLock = false;
};

} // namespace quorvane
