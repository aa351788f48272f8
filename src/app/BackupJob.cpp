#include "app/BackupJob.h"

#include "app/AccountSession.h"

namespace quorvane {

BackupJob::BackupJob(std::shared_ptr<AccountSession> listing, std::vector<std::size_t> itemData,
                     std::string backupFolder)
    : m_listing(std::move(listing)), m_itemData(std::move(itemData)),
      m_backupFolder(std::move(backupFolder)) {}

BackupReport BackupJob::Run() {
    BackupReport report;
    Result<std::unique_ptr<FileLock>> lock;
    if (!m_listing->HoldsLock()) {
        lock = AccountLock::Take(m_listing->Selection(), &m_cancel);
        if (!lock) {
            report.lockFailure = std::move(lock.error());
            return report;
        }
    }
    static_cast<BackupOutcome&>(report) =
        m_listing->Backup(m_itemData, m_backupFolder, &m_cancel, m_progress);
    return report;
}

} // namespace quorvane
