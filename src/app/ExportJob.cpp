#include "app/ExportJob.h"

#include "app/AccountSession.h"
#include "app/GalleryText.h"
#include "backup/BackupOperation.h"
#include "export/MovieRenderer.h"
#include "platform/CodePage.h"

#include <algorithm>

namespace quorvane {

ExportJob::ExportJob(std::vector<ExportChoice> choices, std::string folder)
    : m_choices(std::move(choices)), m_folder(std::move(folder)) {}

std::vector<ExportSource> ExportJob::Sources() const {
    const CodePage& codePage = CodePage::Ansi();
    std::vector<ExportSource> sources;
    for (const ExportChoice& choice : m_choices) {
        const ObjectList& list = choice.listing->Objects();
        const ContentCategory category = choice.listing->Category();
        for (std::size_t data : choice.itemData) {
            const auto entry =
                std::find_if(choice.entries.begin(), choice.entries.end(),
                             [data](const ListedEntry& listed) { return listed.itemData == data; });
            if (entry == choice.entries.end() || data >= list.objects.size())
                continue;
            const InstalledObject& object = list.objects[data];
            ExportSource source;
            source.type = std::string(CategoryKeyword(category));
            source.displayNameUtf8 = entry->displayNameUtf8;
            source.locationUtf8 = entry->locationUtf8;
            source.fileStem = SafeFileStem(entry->displayName, codePage);
            if (source.fileStem.empty())
                source.fileStem = SafeFileStem(object.location, codePage);
            if (source.fileStem.empty())
                source.fileStem = "msn-" + std::to_string(data);
            if (category == ContentCategory::CustomEmoticons)
                source.shortcutUtf8 = codePage.ToUtf8(object.tag);
            source.movie = IsPackaged(category);
            // A movie as its cabinet holds it, unpacked by the listing; a
            // picture's own file, found as the preview finds it.
            source.originalPath = entry->preview.Locate();
            if (source.movie)
                source.picturePath = entry->picturePath;
            else if (source.originalPath.empty())
                source.originalPath = list.ObjectPath(object);
            sources.push_back(std::move(source));
        }
    }
    return sources;
}

ExportReport ExportJob::Run() {
    ExportReport report;
    // The account is held for the whole export, as for a backup.
    std::vector<std::unique_ptr<FileLock>> locks;
    for (const ExportChoice& choice : m_choices) {
        if (choice.listing->HoldsLock() || !locks.empty())
            continue;
        Result<std::unique_ptr<FileLock>> lock =
            AccountLock::Take(choice.listing->Selection(), &m_cancel);
        if (!lock) {
            report.lockFailure = std::move(lock.error());
            return report;
        }
        locks.push_back(std::move(*lock));
    }
    ExportServices services;
    if (!m_choices.empty())
        services.passport = m_choices.front().listing->Selection().passportUtf8;
    services.rendererTool = MovieRendererTool();
    services.words = TranslatedGalleryWords(services.passport);
    services.cancel = &m_cancel;
    services.progress = m_progress;
    static_cast<ExportOutcome&>(report) = ExportItems(Sources(), m_folder, services);
    return report;
}

} // namespace quorvane
