#pragma once

#include <QWebEngineView>

namespace quorvane::ui {

// The preview's browser view: a web view on the preview's own profile that
// is navigated to a URL and reports each finished document.
class CExplorer_previewflash : public QWebEngineView {
    Q_OBJECT

public:
    explicit CExplorer_previewflash(QWidget* parent = nullptr);

    void Navigate(const QUrl& url);

signals:
    // One for every finished load, whatever it loaded and whether it
    // succeeded.
    void DocumentComplete(const QUrl& url);
};

} // namespace quorvane::ui
