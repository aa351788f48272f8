#include "ui/preview/CExplorer_previewflash.h"

#include "ui/preview/PreviewScheme.h"

#include <QWebEnginePage>
#include <QWebEngineSettings>

namespace quorvane::ui {

CExplorer_previewflash::CExplorer_previewflash(QWidget* parent) : QWebEngineView(parent) {
    auto* page = new QWebEnginePage(PreviewProfile(), this);
    // A movie may not open windows, use plugins or wander off to the
    // network; it plays inside this view and nowhere else.
    QWebEngineSettings* settings = page->settings();
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, true);
    // A Wink is a sound as much as a picture, and the user asked for it by
    // pressing Preview: the movie's sound starts with it.
    settings->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
    setPage(page);
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(page, &QWebEnginePage::loadFinished, this,
            [this](bool) { emit DocumentComplete(url()); });
}

void CExplorer_previewflash::Navigate(const QUrl& url) {
    setUrl(url);
}

} // namespace quorvane::ui
