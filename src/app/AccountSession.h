#pragma once

#include "app/AccountSelection.h"
#include "app/QtPictureDecoder.h"
#include "backup/BackupOperation.h"
#include "backup/CabinetTools.h"
#include "backup/Listing.h"
#include "platform/Clock.h"
#include "platform/FileLock.h"
#include "platform/PrivateFolder.h"
#include "platform/ProcessRunner.h"
#include "platform/SystemFolders.h"
#include "profile/ContentCategory.h"
#include "profile/MessengerProfile.h"
#include "protection/DataProtection.h"
#include "protection/WineDataProtection.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quorvane {

class CancelFlag;
class ObjectList;

// One listing of one category for one account and the backups made from it:
// what the List and backup jobs share. It owns the object list (and with it
// the listing's scratch), the tools and the pauses. A front end holds it only
// as the handle a ListJob hands on to the BackupJobs made from its listing.
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
    // A run's emoticon manifest is made afresh: it carries nothing from one
    // backup to the next.
    BackupOutcome Backup(const std::vector<std::size_t>& itemData, const std::string& backupFolder,
                         const CancelFlag* cancel = nullptr, const ProgressFunction& progress = {});
    // Removes the listing's scratch now (also done when the session goes).
    void Clear();
    // Keeps the account locked until the session goes, so that the backups
    // made from this listing need not wait for it again.
    void HoldLock(std::unique_ptr<FileLock> lock) { m_heldLock = std::move(lock); }
    bool HoldsLock() const { return m_heldLock != nullptr; }

    const AccountSelection& Selection() const { return m_selection; }
    ContentCategory Category() const { return m_category; }
    const ListingResult& Result() const { return m_result; }
    ObjectList& Objects() { return *m_list; }
    const ObjectList& Objects() const { return *m_list; }

private:
    AccountSelection m_selection;
    ContentCategory m_category;
    std::unique_ptr<DataProtection> m_protection;
    SystemClock m_clock;
    SleepingPause m_pause;
    ProfileServices m_services;
    SystemFolders m_folders;
    SpawnProcessRunner m_runner;
    CabinetTools m_tools;
    QtPictureDecoder m_decoder;
    std::unique_ptr<ObjectList> m_list;
    ListingResult m_result;
    std::unique_ptr<FileLock> m_heldLock;
};

} // namespace quorvane
