#include "ui/preview/PreviewScheme.h"

#include "platform/FileIo.h"
#include "platform/SystemFolders.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane::ui {
namespace {

constexpr const char* kHost = "preview";

// A plain file name: no folder part, nothing hidden, no way upwards.
bool IsPlainName(const QString& name) {
    return !name.isEmpty() && !name.startsWith(QLatin1Char('.')) &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

QByteArray MimeType(const QString& path, const QByteArray& head) {
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
    // say what a file holds. The bytes already read are looked at; the path
    // is never opened a second time.
    return QMimeDatabase().mimeTypeForFileNameAndData(path, head).name().toLatin1();
}

} // namespace

void RegisterPreviewScheme() {
    // Ruffle's core is a large WebAssembly module. V8 compiles it quickly
    // with its baseline compiler, then by default compiles it all over again
    // optimised, on the same two cores the first movie waits for; that costs
    // the first preview most of a second. Baseline code plays a Wink well.
    // Flags the user gives V8 are left alone.
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--js-flags")) {
        flags += flags.isEmpty() ? "" : " ";
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags + "--js-flags=--liftoff-only");
    }
    QWebEngineUrlScheme scheme(kPreviewScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    // Secure, so the page counts as a secure context (WebAssembly streaming
    // wants one); local, so web content could not reach it; and no access
    // to file:// from it.
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme);
    QWebEngineUrlScheme::registerScheme(scheme);
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // A native window among a widget's children makes Qt turn all its
    // siblings native too; the main window's controls must stay plain
    // widgets (a native label takes the frameless window's drag as its own).
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
}

QUrl PlayerPageUrl() {
    QUrl page;
    page.setScheme(QString::fromLatin1(kPreviewScheme));
    page.setHost(QString::fromLatin1(kHost));
    page.setPath(QStringLiteral("/player/player.html"));
    return page;
}

QUrl ObjectUrl(const QString& path) {
    QUrl object = PlayerPageUrl();
    object.setPath(QStringLiteral("/object") + QFileInfo(path).absoluteFilePath());
    return object;
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

std::unique_ptr<QIODevice> OpenServedFile(const QString& file, bool stream) {
    const std::string path = QFile::encodeName(file).toStdString();
    if (!stream) {
        // What a stranger's folder holds is read whole, bounded, and only
        // when it is a regular file there and then: a FIFO or a link swapped
        // in after Resolve looked is refused at once.
        const std::size_t slash = path.rfind('/');
        OpenFolder folder;
        if (slash == std::string::npos ||
            !folder.Open(slash == 0 ? "/" : path.substr(0, slash), true))
            return nullptr;
        const Result<std::string> read = folder.ReadFile(path.substr(slash + 1), kMaxReadBytes);
        if (!read)
            return nullptr;
        auto buffer = std::make_unique<QBuffer>();
        buffer->setData(QByteArray::fromStdString(*read));
        buffer->open(QIODevice::ReadOnly);
        return buffer;
    }
    // The player's own files are large (Ruffle's core is several megabytes)
    // and are handed over as they are read. Opened without following a link
    // and without waiting on a FIFO, and used only when a regular file.
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return nullptr;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    auto in = std::make_unique<QFile>();
    if (!in->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return nullptr;
    }
    return in;
}

void PreviewSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
    const QUrl url = job->requestUrl();
    const QString file = job->requestMethod() == "GET" ? Resolve(url) : QString();
    const bool stream = !url.path(QUrl::FullyDecoded).startsWith(QLatin1String("/object/"));
    std::unique_ptr<QIODevice> device = file.isEmpty() ? nullptr : OpenServedFile(file, stream);
    if (device == nullptr) {
        ++m_refused;
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    // The job reads the device on another thread, for as long as the job
    // lives; the device goes with the job.
    const QByteArray type = MimeType(file, stream ? QByteArray() : device->peek(4096));
    QIODevice* served = device.release();
    served->setParent(job);
    job->reply(type, served);
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
        made.handler =
            new PreviewSchemeHandler(QString::fromStdString(ProgramDataFolder()), made.profile);
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
