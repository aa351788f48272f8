#include "ui/main/MainController.h"

#include "app/RunThenCallback.h"
#include "platform/PrivateFolder.h"
#include "ui/main/Thumbnails.h"

#include <QMetaObject>

#include <map>
#include <mutex>

namespace quorvane::ui {

namespace {

// Judges a picture by making its thumbnail and keeps the thumbnail, so the
// window's List decodes each picture once. Called from the listing's
// decoding threads.
class ThumbnailMaker {
public:
    explicit ThumbnailMaker(qreal ratio) : m_ratio(ratio) {}
    bool CanDecode(const std::string& path) {
        QImage thumbnail = MakeThumbnail(path, m_ratio);
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
    const qreal m_ratio;
    mutable std::mutex m_mutex;
    std::map<std::string, QImage> m_thumbnails;
};

struct ListOutcome {
    ListReport report;
    std::vector<QImage> thumbnails;
};

} // namespace

MainController::MainController(QObject* parent) : QObject(parent) {}

MainController::~MainController() {
    Cancel();
    WaitForIdle();
}

std::shared_ptr<AccountSession>& MainController::Listing(ContentCategory category) {
    return IsPackaged(category) ? m_packagedListing : m_pictureListing;
}

std::vector<ListedEntry>& MainController::Entries(ContentCategory category) {
    return IsPackaged(category) ? m_packagedEntries : m_pictureEntries;
}

bool MainController::HasListing() const {
    return (IsPackaged(m_listedCategory) ? m_packagedListing : m_pictureListing) != nullptr;
}

void MainController::Cancel() {
    if (m_job)
        m_job->Cancel();
    if (m_openingCancel)
        m_openingCancel->Request();
}

void MainController::WaitForIdle() {
    m_running.waitForFinished();
}

JobProgress MainController::Reporter() {
    // Called on the worker thread; the window hears of it on its own.
    return [this](std::size_t done, std::size_t total) {
        QMetaObject::invokeMethod(
            this, [this, done, total] { emit Progress(done, total); }, Qt::QueuedConnection);
    };
}

void MainController::ForgetListings() {
    if (IsBusy())
        return;
    m_packagedListing.reset();
    m_pictureListing.reset();
    m_packagedEntries.clear();
    m_pictureEntries.clear();
}

void MainController::StartList(AccountSelection selection, ContentCategory category) {
    if (IsBusy())
        return;
    m_listedCategory = category;
    // A listing replaces the listing of its own family only, whose scratch
    // goes before the new one is made.
    Listing(category).reset();
    auto job = std::make_shared<ListJob>(std::move(selection), category);
    job->SetProgress(Reporter());
    m_job = job;
    m_running = RunThenCallback(
        this,
        [job, ratio = m_pictureRatio] {
            // The thumbnails are made while listing, so the window only shows them.
            auto thumbnails = std::make_shared<ThumbnailMaker>(ratio);
            job->SetPictureJudge(
                [thumbnails](const std::string& path) { return thumbnails->CanDecode(path); });
            ListOutcome outcome{job->Run(), {}};
            for (const ListedEntry& item : outcome.report.items)
                outcome.thumbnails.push_back(thumbnails->Thumbnail(item.picturePath));
            return outcome;
        },
        [this, category](ListOutcome outcome) {
            m_job.reset();
            Listing(category) = std::move(outcome.report.listing);
            Entries(category) = outcome.report.items;
            emit ListFinished(outcome.report, outcome.thumbnails);
        });
}

void MainController::StartBackup(const std::vector<std::size_t>& itemData,
                                 const std::string& backupFolder) {
    if (IsBusy() || !HasListing())
        return;
    auto job = std::make_shared<BackupJob>(Listing(m_listedCategory), itemData, backupFolder);
    job->SetProgress(Reporter());
    m_job = job;
    m_running = RunThenCallback(
        this, [job] { return job->Run(); },
        [this](const BackupReport& report) {
            m_job.reset();
            emit BackupFinished(report);
        });
}

void MainController::StartExport(std::vector<std::size_t> itemData, const std::string& folder) {
    if (IsBusy() || !HasListing())
        return;
    const std::vector<ListedEntry>& entries = Entries(m_listedCategory);
    if (itemData.empty())
        for (const ListedEntry& entry : entries)
            itemData.push_back(entry.itemData);
    std::vector<ExportChoice> choices{{Listing(m_listedCategory), entries, std::move(itemData)}};
    auto job = std::make_shared<ExportJob>(std::move(choices), folder);
    job->SetProgress(Reporter());
    m_job = job;
    m_running = RunThenCallback(
        this, [job] { return job->Run(); },
        [this](const ExportReport& report) {
            m_job.reset();
            emit ExportFinished(report);
        });
}

template <typename Work, typename Done> void MainController::StartOpening(Work work, Done done) {
    if (IsBusy())
        return;
    m_opening = true;
    m_openingCancel = std::make_shared<CancelFlag>();
    m_running = RunThenCallback(
        this, [work = std::move(work), cancel = m_openingCancel]() mutable { return work(cancel); },
        [this, done = std::move(done)](const auto& result) {
            m_opening = false;
            m_openingCancel.reset();
            done(result);
        });
}

void MainController::StartFindDiskImageUsers(std::string image) {
    StartOpening(
        [image = std::move(image)](const std::shared_ptr<CancelFlag>& cancel) {
            return FindDiskImageUsers(DiskImageTool(), image, cancel.get());
        },
        [this](const Result<std::vector<DiskImageUser>>& users) {
            if (users)
                emit DiskImageUsersFound(*users, {});
            else
                emit DiskImageUsersFound({}, users.error());
        });
}

void MainController::StartCopyDiskImageUser(std::string image, DiskImageUser user) {
    StartOpening(
        [this, image = std::move(image),
         user = std::move(user)](const std::shared_ptr<CancelFlag>& cancel) {
            // Called on the worker thread; the window hears of it on its own.
            const auto progress = [this](std::uint64_t files, std::uint64_t) {
                QMetaObject::invokeMethod(
                    this, [this, files] { emit DiskImageProgress(files); }, Qt::QueuedConnection);
            };
            Result<DiskImageCopy> copy = CopyDiskImageUser(
                DiskImageTool(), image, user, PrivateFolderPath(), cancel.get(), progress);
            using Copied = Result<std::shared_ptr<DiskImageCopy>>;
            return copy ? Copied(std::make_shared<DiskImageCopy>(std::move(*copy)))
                        : Copied(Fail(copy.error()));
        },
        [this](const Result<std::shared_ptr<DiskImageCopy>>& copy) {
            if (copy)
                emit DiskImageCopied(*copy, {});
            else
                emit DiskImageCopied(nullptr, copy.error());
        });
}

void MainController::StartOpenWindows(WindowsProfile profile, dpapi::UserCredentials credentials) {
    if (IsBusy())
        return;
    m_opening = true;
    m_openingCancel = std::make_shared<CancelFlag>();
    using Opened = Result<std::shared_ptr<const WindowsSource>>;
    m_running = RunThenCallback(
        this,
        [profile = std::move(profile), credentials = std::move(credentials),
         cancel = m_openingCancel]() mutable {
            return WindowsSource::Open(std::move(profile), std::move(credentials), cancel.get());
        },
        [this](const Opened& source) {
            m_opening = false;
            m_openingCancel.reset();
            if (source)
                emit WindowsOpened(*source, {});
            else
                emit WindowsOpened(nullptr, source.error());
        });
}

} // namespace quorvane::ui
