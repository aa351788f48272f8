#pragma once

#include "app/BackupJob.h"
#include "app/ExportJob.h"
#include "app/ListJob.h"
#include "platform/CancelFlag.h"
#include "profile/ContentCategory.h"
#include "sources/DiskImage.h"
#include "sources/WindowsProfile.h"

#include <QFuture>
#include <QImage>
#include <QObject>

#include <memory>
#include <string>
#include <vector>

namespace quorvane::ui {

// Runs the window's long commands as jobs off the user-interface thread,
// one at a time: List (of the chosen family), Backup Now (on the last
// listing, whatever the type box shows now) and the password check of a
// Windows user's folder, and hands their reports on.
// It holds the listings the backups are made from, as the jobs' handles.
class MainController : public QObject {
    Q_OBJECT

public:
    explicit MainController(QObject* parent = nullptr);
    ~MainController() override;

    // Starts a listing of the category for the account, replacing the
    // listing of its family. Its passport must have passed the check.
    void StartList(AccountSelection selection, ContentCategory category);
    // The device pixels per pixel of the screen the thumbnails are shown on.
    void SetPictureRatio(qreal ratio) { m_pictureRatio = ratio; }
    // Opens the keys of a Windows user's folder with the credentials,
    // checking the password (thousands of hash rounds; Cancel stops them).
    void StartOpenWindows(WindowsProfile profile, dpapi::UserCredentials credentials);
    // Finds the Windows users on a disk image, then copies one user's
    // folders out of it into Quorvane's scratch (the disk-image program reads
    // the image; Cancel stops it at once).
    void StartFindDiskImageUsers(std::string image);
    void StartCopyDiskImageUser(std::string image, DiskImageUser user);
    // Starts a backup of the listed items named by their item data.
    void StartBackup(const std::vector<std::size_t>& itemData, const std::string& backupFolder);
    // Exports the listed items named by their item data (all listed items
    // when none is named) into folder.
    void StartExport(std::vector<std::size_t> itemData, const std::string& folder);
    // Stops the running command after the item it is on.
    void Cancel();
    bool IsBusy() const { return m_job != nullptr || m_opening; }
    // Waits for the running command (the window's close).
    void WaitForIdle();

    // The category of the last List whose passport passed the check, and
    // whether there is a listing to back up from.
    ContentCategory ListedCategory() const { return m_listedCategory; }
    bool HasListing() const;
    // Lets both listings go (their account is no longer the one in use).
    void ForgetListings();

signals:
    void Progress(std::size_t done, std::size_t total);
    // The report holds no listing; thumbnails: one per item, in order.
    void ListFinished(const quorvane::ListReport& report, const std::vector<QImage>& thumbnails);
    void BackupFinished(const quorvane::BackupReport& report);
    void ExportFinished(const quorvane::ExportReport& report);
    // The Windows folder's source, or none and why.
    void WindowsOpened(std::shared_ptr<const quorvane::WindowsSource> source,
                       const quorvane::Failure& failure);

    // The users found on the image, or none and why.
    void DiskImageUsersFound(const std::vector<quorvane::DiskImageUser>& users,
                             const quorvane::Failure& failure);
    // The copy, or none and why.
    void DiskImageCopied(std::shared_ptr<quorvane::DiskImageCopy> copy,
                         const quorvane::Failure& failure);
    // How many files the copy has so far.
    void DiskImageProgress(std::uint64_t files);

private:
    JobProgress Reporter();
    // Runs work off the user-interface thread as the opening of a source:
    // Cancel requests its flag; done gets its result on this thread.
    template <typename Work, typename Done> void StartOpening(Work work, Done done);
    std::shared_ptr<AccountSession>& Listing(ContentCategory category);
    std::vector<ListedEntry>& Entries(ContentCategory category);

    ContentCategory m_listedCategory = ContentCategory::Winks;
    std::shared_ptr<AccountSession> m_packagedListing;
    std::shared_ptr<AccountSession> m_pictureListing;
    // What each listing listed, as its report gave it.
    std::vector<ListedEntry> m_packagedEntries;
    std::vector<ListedEntry> m_pictureEntries;
    std::shared_ptr<Job> m_job; // the running one
    bool m_opening = false;     // a source is being opened
    // Stops that check; shared with it, as the check may outlive the window.
    std::shared_ptr<CancelFlag> m_openingCancel;
    qreal m_pictureRatio = 1;
    QFuture<void> m_running;
};

} // namespace quorvane::ui
