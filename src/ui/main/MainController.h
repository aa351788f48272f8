#pragma once

#include "app/AccountSession.h"
#include "backup/Backup.h"
#include "backup/Manifests.h"
#include "platform/CancelFlag.h"
#include "platform/Clock.h"

#include <QFutureWatcher>
#include <QImage>
#include <QObject>

#include <memory>
#include <string>
#include <vector>

namespace quorvane::ui {

// Whether a command could have the account: another Quorvane may be working
// on it, or the lock cannot be made (reason).
struct LockReport {
    AccountLock::Outcome lock = AccountLock::Outcome::Acquired;
    std::string reason;
};

// What a List gave the window.
struct ListReport : LockReport {
    bool interrupted = false;
    std::vector<QImage> thumbnails; // one per item of the listing, in order
};

// What a Backup Now gave the window.
struct BackupReport : LockReport {
    BackupOutcome backup;
};

// Runs the window's long commands over the core, off the user-interface
// thread, one at a time: List (the account session of the chosen family) and
// Backup Now (on the last listing, whatever the type box shows now). It
// holds what the window owns of the core (the two sessions, the listed
// category, the emoticon manifest); the window lays out and shows.
class MainController : public QObject {
    Q_OBJECT

public:
    explicit MainController(QObject* parent = nullptr);
    ~MainController() override;

    // Starts a listing of the category for the passport (UTF-8), replacing
    // the session of its family. The passport must have passed the check.
    void StartList(const WineAccount& wine, const std::string& passportUtf8,
                   ContentCategory category);
    // Starts a backup of the listed items named by their item data.
    void StartBackup(const std::vector<std::size_t>& itemData, const std::string& backupFolder);
    // Stops the running command after the item it is on.
    void Cancel();
    bool IsBusy() const;
    // Waits for the running command (the window's close).
    void WaitForIdle();

    // The category of the last List whose passport passed the check, and
    // its session (null before any).
    ContentCategory ListedCategory() const { return m_listedCategory; }
    AccountSession* ListedSession() const;

signals:
    void Progress(bool listing, std::size_t done, std::size_t total);
    void ListFinished(const quorvane::ui::ListReport& report);
    void BackupFinished(const quorvane::ui::BackupReport& report);

private:
    ProgressFunction Reporter(bool listing);

    ContentCategory m_listedCategory = ContentCategory::Winks;
    std::unique_ptr<AccountSession> m_packagedSession;
    std::unique_ptr<AccountSession> m_pictureSession;
    SystemClock m_clock;
    EmoticonManifest m_emoticonManifest;
    CancelFlag m_cancel;
    QFutureWatcher<ListReport> m_listWatcher;
    QFutureWatcher<BackupReport> m_backupWatcher;
};

} // namespace quorvane::ui
