#pragma once

#include "app/BackupJob.h"
#include "app/ListJob.h"
#include "platform/WineAccount.h"
#include "profile/ContentCategory.h"

#include <QFuture>
#include <QImage>
#include <QObject>

#include <memory>
#include <string>
#include <vector>

namespace quorvane::ui {

// Runs the window's long commands as jobs off the user-interface thread,
// one at a time: List (of the chosen family) and Backup Now (on the last
// listing, whatever the type box shows now), and hands their reports on.
// It holds the listings the backups are made from, as the jobs' handles.
class MainController : public QObject {
    Q_OBJECT

public:
    explicit MainController(QObject* parent = nullptr);
    ~MainController() override;

    // Starts a listing of the category for the passport (UTF-8), replacing
    // the listing of its family. The passport must have passed the check.
    void StartList(const WineAccount& wine, const std::string& passportUtf8,
                   ContentCategory category);
    // Starts a backup of the listed items named by their item data.
    void StartBackup(const std::vector<std::size_t>& itemData, const std::string& backupFolder);
    // Stops the running command after the item it is on.
    void Cancel();
    bool IsBusy() const { return m_job != nullptr; }
    // Waits for the running command (the window's close).
    void WaitForIdle();

    // The category of the last List whose passport passed the check, and
    // whether there is a listing to back up from.
    ContentCategory ListedCategory() const { return m_listedCategory; }
    bool HasListing() const;

signals:
    void Progress(bool listing, std::size_t done, std::size_t total);
    // The report holds no listing; thumbnails: one per item, in order.
    void ListFinished(const quorvane::ListReport& report, const std::vector<QImage>& thumbnails);
    void BackupFinished(const quorvane::BackupReport& report);

private:
    JobProgress Reporter(bool listing);
    std::shared_ptr<AccountSession>& Listing(ContentCategory category);

    ContentCategory m_listedCategory = ContentCategory::Winks;
    std::shared_ptr<AccountSession> m_packagedListing;
    std::shared_ptr<AccountSession> m_pictureListing;
    std::shared_ptr<Job> m_job; // the running one
    QFuture<void> m_running;
};

} // namespace quorvane::ui
