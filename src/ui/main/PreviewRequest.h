#pragma once

#include <QString>
#include <QStringList>

#include <cstddef>

class QWidget;

namespace quorvane {
class ObjectList;
}

namespace quorvane::ui {

// What the Preview command hands the preview window: the file to show and
// the only folders the window may read from.
struct PreviewRequest {
    QString path;               // a ".swf" movie or a picture
    bool movie = false;         // played through the Flash player rather than shown as a picture
    QStringList allowedFolders; // the object folder and the listing's thumbnail folders
};

// Works out what to show for the listed object with this item data. False
// (and nothing to show) when the object is gone, a packaged object's folder
// holds no ".swf" file or a picture's file does not exist.
bool FindPreviewTarget(const ObjectList& list, std::size_t itemData, PreviewRequest& request);

// The preview window lives in a library of its own, built only where Qt
// WebEngine is available; the program registers it at start, and a window
// without one says so. Runs the preview modally over owner.
using PreviewRunner = void (*)(QWidget* owner, const PreviewRequest& request);
void SetPreviewRunner(PreviewRunner runner);
PreviewRunner CurrentPreviewRunner();

} // namespace quorvane::ui
