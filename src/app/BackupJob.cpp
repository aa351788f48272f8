#include "app/BackupJob.h"

#include "app/AccountSession.h"
#include "platform/CodePage.h"

#include <algorithm>

namespace quorvane {

bool BackupReport::AllWritten() const {
    return std::all_of(items.begin(), items.end(),
                       [](const BackupItemReport& item) { return item.written; });
}

BackupJob::BackupJob(std::shared_ptr<AccountSession> listing, std::vector<std::size_t> itemData,
                     std::string backupFolder)
    : m_listing(std::move(listing)), m_itemData(std::move(itemData)),
      m_backupFolder(std::move(backupFolder)) {}

BackupReport BackupJob::Run() {
    BackupReport report;
    AccountLock lock;
    if (!m_listing->HoldsLock()) {
        lock = AccountLock::Take(m_listing->Selection(), &m_cancel);
        report.lock = lock.outcome;
        report.reason = lock.reason;
        if (!lock.lock)
            return report;
    }
    const BackupOutcome outcome =
        m_listing->Backup(m_itemData, m_backupFolder, &m_cancel, m_progress);
    const CodePage& codePage = CodePage::Ansi();
    for (const BackupItemOutcome& item : outcome.items)
        report.items.push_back({item.itemData, item.displayName, codePage.ToUtf8(item.displayName),
                                item.written, item.file, item.reason});
    report.interrupted = outcome.interrupted;
    return report;
}

} // namespace quorvane
