#pragma once

#include "app/QtPictureDecoder.h"
#include "backup/Backup.h"
#include "backup/CabinetTools.h"
#include "backup/Listing.h"
#include "platform/Clock.h"
#include "platform/DataProtection.h"
#include "platform/PrivateFolder.h"
#include "platform/ProcessRunner.h"
#include "platform/SystemFolders.h"
#include "platform/WineAccount.h"
#include "profile/ContentCategory.h"
#include "profile/MessengerProfile.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quorvane {

class CancelFlag;
class EmoticonManifest;
class FileLock;
class ObjectList;

// The account a front end works on. Front ends speak UTF-8; Messenger and
// Wine's data protection work in the code page.
struct AccountSelection {
    WineAccount wine;         // prefix and user as UTF-8 (the user folder's name)
    std::string passportUtf8; // as typed, for messages
    std::string passport;     // code-page bytes: folder hash and entropy
    std::string wineUser;     // code-page bytes: part of the protection key

    static AccountSelection Make(WineAccount wine, std::string passportUtf8);
};

// One listing of one category for one account and the backups made from it:
// the list-then-back-up work both front ends share. It owns the object list
// (and with it the listing's scratch), the tools and the pauses; the front
// end only gathers what the user chose and turns the outcomes into words.
class AccountSession {
public:
    AccountSession(AccountSelection selection, ContentCategory category);
    ~AccountSession();
    AccountSession(const AccountSession&) = delete;
    AccountSession& operator=(const AccountSession&) = delete;

    // Lists the category: the objects that have a picture to show, in
    // catalogue order. Stops after the current object when cancel is set.
    // A front end that shows the pictures may judge them with its own
    // decoder, so each is decoded once.
    const ListingResult& List(const CancelFlag* cancel = nullptr,
                              const ProgressFunction& progress = {},
                              const PictureDecoder* decoder = nullptr);
    // Backs up the listed objects named by their item data, in that order,
    // into the category's subfolder of backupFolder.
    BackupOutcome BackUp(const std::vector<std::size_t>& itemData, const std::string& backupFolder,
                         EmoticonManifest& manifest, const CancelFlag* cancel = nullptr,
                         const ProgressFunction& progress = {});
    // Removes the listing's scratch now (also done when the session goes).
    void Clear();

    const AccountSelection& Selection() const { return m_selection; }
    ContentCategory Category() const { return m_category; }
    const ListingResult& Result() const { return m_result; }
    ObjectList& Objects() { return *m_list; }
    const ObjectList& Objects() const { return *m_list; }
    const Clock& SystemTime() const { return m_clock; }

private:
    AccountSelection m_selection;
    ContentCategory m_category;
    WineDataProtection m_protection;
    SystemClock m_clock;
    SleepingPause m_pause;
    ProfileServices m_services;
    SystemFolders m_folders;
    SpawnProcessRunner m_runner;
    CabinetTools m_tools;
    QtPictureDecoder m_decoder;
    std::unique_ptr<ObjectList> m_list;
    ListingResult m_result;
};

// One List or backup at a time per account: the lock in Quorvane's private
// folder that both front ends take. Waits up to waitMilliseconds for another
// Quorvane working on the account, or until cancel is set.
struct AccountLock {
    using Outcome = FileLock::Outcome;
    Outcome outcome = Outcome::Failed;
    std::string reason; // for Failed
    std::unique_ptr<FileLock> lock;

    static AccountLock Take(const AccountSelection& selection, const CancelFlag* cancel = nullptr,
                            unsigned waitMilliseconds = 5000);
};

} // namespace quorvane
