#pragma once

#include "app/Job.h"
#include "app/ListJob.h"
#include "backup/BackupOperation.h"

#include <memory>
#include <string>
#include <vector>

namespace quorvane {

class AccountSession;

// What a backup gave: whether the account could be locked, and the core's
// own outcome of each chosen item, in the order chosen.
struct BackupReport : LockReport, BackupOutcome {};

// Backs up chosen items of one listing (by their item data, in that order)
// into the category's subfolder of the backup folder.
class BackupJob : public Job {
public:
    // listing: the handle a ListJob's report gave; the job keeps it while
    // it lives.
    BackupJob(std::shared_ptr<AccountSession> listing, std::vector<std::size_t> itemData,
              std::string backupFolder);

    BackupReport Run();

private:
    std::shared_ptr<AccountSession> m_listing;
    std::vector<std::size_t> m_itemData;
    std::string m_backupFolder;
};

} // namespace quorvane
