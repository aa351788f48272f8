#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlSchemeHandler>

#include <atomic>
#include <memory>

class QIODevice;
class QWebEngineProfile;

namespace quorvane::ui {

// Everything the preview shows comes through one URL scheme of its own:
// the player page, the Flash player's files and the object's file. Only
// what this scheme hands out can reach the page; nothing is read through
// file:// and nothing leaves the machine.
inline constexpr const char* kPreviewScheme = "quorvane-preview";

// Must run before the QApplication exists (Qt WebEngine's rule), together
// with sharing OpenGL contexts, which WebEngine inside widgets needs, and
// keeping a native window from making its siblings native.
void RegisterPreviewScheme();

// The player page, which shows every file the preview is handed.
QUrl PlayerPageUrl();
// The URL the player page reads a file through.
QUrl ObjectUrl(const QString& path);

// Opens a file Resolve named, for serving: null unless it is a regular file
// at that path itself (a link, FIFO or device swapped in since is refused
// without waiting). An object's file is read whole, within the program's
// size limit; with stream (the player's own files) it is read as it is sent.
std::unique_ptr<QIODevice> OpenServedFile(const QString& file, bool stream);

// Serves the scheme. "/player/<name>" is the player page's own files in
// share/quorvane/preview, "/ruffle/<name>" the Flash player's files in
// share/quorvane/ruffle, "/object<absolute path>" a file inside one of the
// allowed folders; anything else is refused.
class PreviewSchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT

public:
    PreviewSchemeHandler(QString dataFolder, QObject* parent = nullptr);

    void SetAllowedFolders(const QStringList& folders);
    // The file a URL stands for; empty when the URL names nothing the
    // preview may read.
    QString Resolve(const QUrl& url) const;
    int Refused() const { return m_refused; }

    void requestStarted(QWebEngineUrlRequestJob* job) override;

private:
    QString m_dataFolder;
    QStringList m_allowedFolders; // canonical, each ending with "/"
    int m_refused = 0;
};

// Stops every request that is not for the preview's own scheme (or a page
// made in memory), so a movie that asks for the network gets nothing.
class PreviewRequestGuard : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT

public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;
    int Blocked() const { return m_blocked.load(); }

private:
    std::atomic<int> m_blocked{0};
};

// The profile the preview's page uses: off the record, so the preview
// writes nothing to disk; made once and kept for the program's life.
QWebEngineProfile* PreviewProfile();
PreviewSchemeHandler* PreviewHandler();
PreviewRequestGuard* PreviewGuard();

} // namespace quorvane::ui
