#include "app/CatalogueJob.h"

#include "app/AccountSession.h"
#include "platform/CodePage.h"

namespace quorvane {

CatalogueJob::CatalogueJob(AccountSelection selection, ContentCategory category)
    : m_selection(std::move(selection)), m_category(category) {}

CatalogueReport CatalogueJob::Run() {
    CatalogueReport report;
    AccountSession session(m_selection, m_category);
    ObjectList& list = session.Objects();
    report.catalogue = CatalogueState::Of(list);
    const Result<std::unique_ptr<FileLock>> lock = AccountLock::Take(m_selection, &m_cancel);
    if (!lock) {
        report.lockFailure = lock.error();
        return report;
    }
    // A catalogue that cannot be unprotected still "lists" (nothing); the
    // status says why it is empty.
    report.listed = list.ListObjects(m_selection.passport) && list.status == ListingStatus::Listed;
    report.catalogue = CatalogueState::Of(list);
    const CodePage& codePage = CodePage::Ansi();
    for (const InstalledObject& object : list.objects)
        report.entries.push_back({codePage.ToUtf8(object.location), codePage.ToUtf8(object.tag),
                                  codePage.ToUtf8(object.displayName)});
    list.Clear();
    return report;
}

} // namespace quorvane
