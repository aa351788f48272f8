#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace quorvane::ui {

// What the Preview command hands the preview window: the file to show and
// the only folders the window may read from.
struct PreviewRequest {
    QString name;               // the item's, for the window's title
    QString path;               // a ".swf" movie or a picture
    bool movie = false;         // played through the Flash player rather than shown as a picture
    QStringList allowedFolders; // the object folder and the listing's thumbnail folders
};

// The preview window lives in a library of its own, built only where Qt
// WebEngine is available; the program registers it at start, and a window
// without one says so. Runs the preview modally over owner.
using PreviewRunner = void (*)(QWidget* owner, const PreviewRequest& request);
void SetPreviewRunner(PreviewRunner runner);
PreviewRunner CurrentPreviewRunner();

} // namespace quorvane::ui
