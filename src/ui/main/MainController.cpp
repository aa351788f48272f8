#include "ui/main/MainController.h"

#include "platform/CodePage.h"
#include "platform/PrivateFolder.h"
#include "profile/ObjectList.h"
#include "ui/main/Thumbnails.h"

#include <QMetaObject>
#include <QtConcurrent/QtConcurrentRun>

#include <map>
#include <mutex>

namespace quorvane::ui {

namespace {

// Judges a picture by making its thumbnail and keeps the thumbnail, so the
// window's List decodes each picture once. Called from the listing's
// decoding threads.
class ThumbnailMaker final : public PictureDecoder {
public:
    bool CanDecode(const std::string& path) const override {
        QImage thumbnail = MakeThumbnail(path);
        const bool decoded = !thumbnail.isNull();
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_thumbnails[path] = std::move(thumbnail);
        return decoded;
    }
    QImage Thumbnail(const std::string& path) const {
        const std::lock_guard<std::mutex> lock(m_mutex);
        const auto found = m_thumbnails.find(path);
        return found != m_thumbnails.end() ? found->second : QImage();
    }

private:
    mutable std::mutex m_mutex;
    mutable std::map<std::string, QImage> m_thumbnails;
};

// Takes the account for one command; the report says why not. Cancel ends
// the wait for another Quorvane too.
AccountLock Locked(const AccountSession& session, const CancelFlag& cancel, LockReport& report) {
    AccountLock lock = AccountLock::Take(session.Selection(), &cancel);
    report.lock = lock.outcome;
    report.reason = lock.reason;
    return lock;
}

} // namespace

MainController::MainController(QObject* parent)
    : QObject(parent), m_emoticonManifest(m_clock, CodePage::Ansi()) {
    connect(&m_listWatcher, &QFutureWatcher<ListReport>::finished, this,
            [this] { emit ListFinished(m_listWatcher.result()); });
    connect(&m_backupWatcher, &QFutureWatcher<BackupReport>::finished, this,
            [this] { emit BackupFinished(m_backupWatcher.result()); });
}

MainController::~MainController() {
    Cancel();
    WaitForIdle();
}

AccountSession* MainController::ListedSession() const {
    return IsPackaged(m_listedCategory) ? m_packagedSession.get() : m_pictureSession.get();
}

bool MainController::IsBusy() const {
    return m_listWatcher.isRunning() || m_backupWatcher.isRunning();
}

void MainController::Cancel() {
    m_cancel.Request();
}

void MainController::WaitForIdle() {
    m_listWatcher.waitForFinished();
    m_backupWatcher.waitForFinished();
}

ProgressFunction MainController::Reporter(bool listing) {
    // Called on the worker thread; the window hears of it on its own.
    return [this, listing](std::size_t done, std::size_t total) {
        QMetaObject::invokeMethod(
            this, [this, listing, done, total] { emit Progress(listing, done, total); },
            Qt::QueuedConnection);
    };
}

void MainController::StartList(const WineAccount& wine, const std::string& passportUtf8,
                               ContentCategory category) {
    if (IsBusy())
        return;
    m_listedCategory = category;
    // A listing replaces the session of its own family only.
    std::unique_ptr<AccountSession>& session =
        IsPackaged(category) ? m_packagedSession : m_pictureSession;
    session.reset();
    session =
        std::make_unique<AccountSession>(AccountSelection::Make(wine, passportUtf8), category);
    m_cancel.Reset();
    AccountSession* working = session.get();
    ProgressFunction progress = Reporter(true);
    m_listWatcher.setFuture(QtConcurrent::run([working, progress, this] {
        ListReport report;
        const AccountLock lock = Locked(*working, m_cancel, report);
        if (!lock.lock)
            return report;
        // The thumbnails are made while listing, so the window only shows them.
        const ThumbnailMaker thumbnails;
        const ListingResult& result = working->List(&m_cancel, progress, &thumbnails);
        report.interrupted = result.interrupted;
        for (const ListedItem& item : result.items)
            report.thumbnails.push_back(thumbnails.Thumbnail(item.picturePath));
        return report;
    }));
}

void MainController::StartBackup(const std::vector<std::size_t>& itemData,
                                 const std::string& backupFolder) {
    AccountSession* working = ListedSession();
    if (IsBusy() || working == nullptr)
        return;
    m_cancel.Reset();
    ProgressFunction progress = Reporter(false);
    m_backupWatcher.setFuture(QtConcurrent::run([working, itemData, backupFolder, progress, this] {
        BackupReport report;
        const AccountLock lock = Locked(*working, m_cancel, report);
        if (!lock.lock)
            return report;
        report.backup =
            working->BackUp(itemData, backupFolder, m_emoticonManifest, &m_cancel, progress);
        return report;
    }));
}

} // namespace quorvane::ui
