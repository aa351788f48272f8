#include "ui/main/PreviewRequest.h"

#include "platform/Paths.h"
#include "platform/SystemFolders.h"
#include "profile/ObjectList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quorvane::ui {
namespace {

PreviewRunner g_runner = nullptr;

QString FromPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// Messenger's catalogue names a picture as Windows saw it, where case does
// not matter; on Linux the file may be stored under another case. The stored
// name is found by a case-blind look at the folder, in name order so the
// choice is the same every time.
QString FindIgnoringCase(const QString& folder, const QString& name) {
    const QStringList entries =
        QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return QDir(folder).filePath(entry);
    return {};
}

} // namespace

bool FindPreviewTarget(const ObjectList& list, std::size_t itemData, PreviewRequest& request) {
    if (itemData >= list.objects.size())
        return false;
    const InstalledObject& object = list.objects[itemData];
    request = {};
    request.allowedFolders.append(FromPath(list.objectFolder));
    if (IsPackaged(list.category)) {
        const auto* packaged = dynamic_cast<const PackagedObjectList*>(&list);
        if (packaged == nullptr)
            return false;
        // The movie was unpacked with the thumbnail, into the listing's
        // scratch; only files count, a folder called "x.swf" is no movie.
        std::string movie;
        if (!SystemFolders::FindFirstMatch(JoinPath(packaged->ThumbnailFolder(object), "*.swf"),
                                           movie))
            return false;
        request.path = FromPath(movie);
        request.movie = true;
        request.allowedFolders.append(FromPath(JoinPath(list.scratchFolder, "thumbnails")));
        return true;
    }
    const QString path = FromPath(list.ObjectPath(object));
    if (QFileInfo::exists(path)) {
        request.path = path;
        return true;
    }
    request.path = FindIgnoringCase(FromPath(list.objectFolder), QFileInfo(path).fileName());
    return !request.path.isEmpty();
}

void SetPreviewRunner(PreviewRunner runner) {
    g_runner = runner;
}

PreviewRunner CurrentPreviewRunner() {
    return g_runner;
}

} // namespace quorvane::ui
