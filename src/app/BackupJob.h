#pragma once

#include "app/Job.h"
#include "app/ListJob.h"

#include <memory>
#include <string>
#include <vector>

namespace quorvane {

class AccountSession;

// What became of one chosen item.
struct BackupItemReport {
    std::size_t itemData = 0;
    std::string displayName; // code page
    std::string displayNameUtf8;
    bool written = false;
    std::string file;   // the file written (or meant), UTF-8 path
    std::string reason; // why it was not written
};

// What a backup gave: each chosen item's outcome, in the order chosen.
struct BackupReport : LockReport {
    std::vector<BackupItemReport> items;
    bool interrupted = false; // cancelled; the items not reached say so

    bool AllWritten() const;
};

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
