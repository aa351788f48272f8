#include "app/ListJob.h"

#include "app/AccountSession.h"
#include "platform/CodePage.h"
#include "platform/Paths.h"
#include "platform/SystemFolders.h"

#include <optional>

namespace quorvane {

namespace {

// The listing's own decoder, handed the front end's judge.
class JudgeDecoder final : public PictureDecoder {
public:
    explicit JudgeDecoder(const ListJob::PictureJudge& judge) : m_judge(judge) {}
    bool CanDecode(const std::string& path) const override { return m_judge(path); }

private:
    const ListJob::PictureJudge& m_judge;
};

// Where Preview looks for the object; the folder is only read when Preview
// is pressed, so listing costs nothing more.
PreviewTarget PreviewTargetOf(const ObjectList& list, const InstalledObject& object) {
    PreviewTarget target;
    target.allowedFolders.push_back(list.objectFolder);
    if (const auto* packaged = dynamic_cast<const PackagedObjectList*>(&list)) {
        // The movie was unpacked with the thumbnail, into the listing's scratch.
        target.path = packaged->ThumbnailFolder(object);
        target.movie = true;
        target.allowedFolders.push_back(JoinPath(list.scratchFolder, "thumbnails"));
        return target;
    }
    target.path = list.ObjectPath(object);
    return target;
}

} // namespace

std::string PreviewTarget::Locate() const {
    if (movie) {
        // Only files count: a folder called "x.swf" is no movie.
        return SystemFolders::FindFirstMatch(JoinPath(path, "*.swf")).value_or("");
    }
    // Messenger's catalogue names a picture as Windows saw it, where case
    // does not matter; on Linux the file may be stored under another case.
    if (path.empty() || allowedFolders.empty())
        return path;
    return FindEntryIgnoringCase(allowedFolders.front(), BaseName(path));
}

CatalogueState CatalogueState::Of(const ObjectList& list) {
    return {list.category,      list.status,       list.fileProblem,  list.problemFile,
            list.problemDetail, list.objectFolder, list.mapFileFolder};
}

ListJob::ListJob(AccountSelection selection, ContentCategory category)
    : m_selection(std::move(selection)), m_category(category) {}

ListReport ListJob::Run() {
    ListReport report;
    auto session = std::make_shared<AccountSession>(m_selection, m_category);
    report.listing = session;
    report.catalogue = CatalogueState::Of(session->Objects());
    Result<std::unique_ptr<FileLock>> lock = AccountLock::Take(m_selection, &m_cancel);
    if (!lock) {
        report.lockFailure = std::move(lock.error());
        return report;
    }
    std::optional<JudgeDecoder> judge;
    if (m_judge)
        judge.emplace(m_judge);
    const ListingResult& result = session->List(&m_cancel, m_progress, judge ? &*judge : nullptr);
    const ObjectList& list = session->Objects();
    const CodePage& codePage = CodePage::Ansi();
    for (const ListedItem& item : result.items) {
        if (item.itemData >= list.objects.size())
            continue;
        const InstalledObject& object = list.objects[item.itemData];
        report.items.push_back(
            {item.itemData, object.displayName, codePage.ToUtf8(object.displayName),
             codePage.ToUtf8(object.location), item.picturePath, PreviewTargetOf(list, object)});
    }
    report.catalogue = CatalogueState::Of(list);
    report.listed = result.listed;
    report.interrupted = result.interrupted;
    report.toolFailure = result.toolFailure;
    report.catalogueObjects = result.catalogueObjects;
    report.unsafeLocations = result.unsafeLocations;
    report.missingFiles = result.missingFiles;
    report.withoutPicture = result.withoutPicture;
    if (m_keepLock)
        session->HoldLock(std::move(*lock));
    return report;
}

} // namespace quorvane
