#include "ui/preview/PreviewScheme.h"

#include "ui/controls/DataFolder.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace quorvane::ui {
namespace {

constexpr const char* kHost = "preview";

// A plain file name: no folder part, nothing hidden, no way upwards.
bool IsPlainName(const QString& name) {
    return !name.isEmpty() && !name.startsWith(QLatin1Char('.')) &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

QByteArray MimeType(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    // Chromium compiles a .wasm while it streams in only when it is served
    // under this type.
    if (suffix == QLatin1String("wasm"))
        return "application/wasm";
    if (suffix == QLatin1String("js"))
        return "text/javascript";
    if (suffix == QLatin1String("html"))
        return "text/html";
    if (suffix == QLatin1String("swf"))
        return "application/x-shockwave-flash";
    // A picture is recognised by its bytes: Messenger's names do not always
    // say what a file holds.
    return QMimeDatabase().mimeTypeForFile(path).name().toLatin1();
}

} // namespace

void RegisterPreviewScheme() {
    QWebEngineUrlScheme scheme(kPreviewScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    // Secure, so the page counts as a secure context (WebAssembly streaming
    // wants one); local, so web content could not reach it; and no access
    // to file:// from it.
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme);
    QWebEngineUrlScheme::registerScheme(scheme);
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

QUrl PreviewUrl(const QString& path, bool movie) {
    QUrl object;
    object.setScheme(QString::fromLatin1(kPreviewScheme));
    object.setHost(QString::fromLatin1(kHost));
    object.setPath(QStringLiteral("/object") + QFileInfo(path).absoluteFilePath());
    if (!movie)
        return object;
    QUrl page = object;
    page.setPath(QStringLiteral("/player/player.html"));
    // The page reads the movie itself; the path is encoded whole so that a
    // "+" or "&" in a name survives the query.
    page.setQuery(QStringLiteral("movie=") +
                  QString::fromLatin1(QUrl::toPercentEncoding(object.path(QUrl::FullyDecoded))));
    return page;
}

PreviewSchemeHandler::PreviewSchemeHandler(QString dataFolder, QObject* parent)
    : QWebEngineUrlSchemeHandler(parent), m_dataFolder(std::move(dataFolder)) {}

void PreviewSchemeHandler::SetAllowedFolders(const QStringList& folders) {
    m_allowedFolders.clear();
    for (const QString& folder : folders) {
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        if (!canonical.isEmpty())
            m_allowedFolders.append(
                canonical.endsWith(QLatin1Char('/')) ? canonical : canonical + QLatin1Char('/'));
    }
}

QString PreviewSchemeHandler::Resolve(const QUrl& url) const {
    if (url.scheme() != QLatin1String(kPreviewScheme) || url.host() != QLatin1String(kHost))
        return {};
    const QString path = url.path(QUrl::FullyDecoded);
    QString file;
    if (path.startsWith(QLatin1String("/player/"))) {
        const QString name = path.mid(8);
        if (!IsPlainName(name))
            return {};
        file = m_dataFolder + QStringLiteral("/preview/") + name;
    } else if (path.startsWith(QLatin1String("/ruffle/"))) {
        const QString name = path.mid(8);
        if (!IsPlainName(name))
            return {};
        file = m_dataFolder + QStringLiteral("/ruffle/") + name;
    } else if (path.startsWith(QLatin1String("/object/"))) {
        // Links and "..": judged by where the path really leads.
        const QFileInfo info(path.mid(7));
        const QString canonical = info.canonicalFilePath();
        if (canonical.isEmpty() || !QFileInfo(canonical).isFile())
            return {};
        for (const QString& folder : m_allowedFolders)
            if (canonical.startsWith(folder))
                return canonical;
        return {};
    } else {
        return {};
    }
    return QFileInfo(file).isFile() ? file : QString();
}

void PreviewSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
    const QString file = job->requestMethod() == "GET" ? Resolve(job->requestUrl()) : QString();
    QFile in(file);
    if (file.isEmpty() || !in.open(QIODevice::ReadOnly)) {
        ++m_refused;
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    auto* buffer = new QBuffer(job);
    buffer->setData(in.readAll());
    job->reply(MimeType(file), buffer);
}

void PreviewRequestGuard::interceptRequest(QWebEngineUrlRequestInfo& info) {
    const QString scheme = info.requestUrl().scheme();
    if (scheme == QLatin1String(kPreviewScheme) || scheme == QLatin1String("about") ||
        scheme == QLatin1String("data") || scheme == QLatin1String("blob"))
        return;
    ++m_blocked;
    info.block(true);
}

namespace {

struct PreviewServices {
    QWebEngineProfile* profile = nullptr;
    PreviewSchemeHandler* handler = nullptr;
    PreviewRequestGuard* guard = nullptr;
};

PreviewServices& Services() {
    static PreviewServices services = [] {
        PreviewServices made;
        // No storage name: off the record, nothing is written to disk.
        made.profile = new QWebEngineProfile(qApp);
        made.profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
        made.profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
        made.profile->setSpellCheckEnabled(false);
        made.handler = new PreviewSchemeHandler(DataFolder(), made.profile);
        made.profile->installUrlSchemeHandler(kPreviewScheme, made.handler);
        made.guard = new PreviewRequestGuard(made.profile);
        made.profile->setUrlRequestInterceptor(made.guard);
        return made;
    }();
    return services;
}

} // namespace

QWebEngineProfile* PreviewProfile() {
    return Services().profile;
}

PreviewSchemeHandler* PreviewHandler() {
    return Services().handler;
}

PreviewRequestGuard* PreviewGuard() {
    return Services().guard;
}

} // namespace quorvane::ui
