// movierender: plays Flash movies with the Ruffle player inside Qt WebEngine,
// on Qt's offscreen platform, one frame interval at a time, and streams each
// frame's pixels to its standard output. A separate program, because the
// movies are input from strangers and the player is a whole browser.
//
// The movies come as arguments, five for each:
//
//   <frames> <frame rate * 256> <width> <height> <path>
//
// and for each in turn the standard output carries "frame\n" followed by width *
// height * 4 bytes of RGBA per frame, then "done\n", or "failed\t<reason>\n"
// (also after some frames). It ends after the last movie.

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* kScheme = "quorvane-render";
constexpr qint64 kMaxMovieBytes = 64LL * 1024 * 1024;
constexpr int kMostFrames = 100000;
constexpr int kMostSide = 4096;

QString g_dataFolder;
QByteArray g_movie; // the movie being rendered, served at /movie

bool IsPlainName(const QString& name) {
    return !name.isEmpty() && !name.startsWith(QLatin1Char('.')) &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

QByteArray ReadFileBytes(const QString& path, qint64 limit, bool* ok) {
    *ok = false;
    const QByteArray name = QFile::encodeName(path);
    int fd;
    do {
        fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return {};
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > limit) {
        ::close(fd);
        return {};
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {};
    }
    QByteArray bytes = file.read(limit + 1);
    if (bytes.size() > limit)
        return {};
    *ok = true;
    return bytes;
}

class SchemeHandler : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
    void requestStarted(QWebEngineUrlRequestJob* job) override {
        const QString path = job->requestUrl().path(QUrl::FullyDecoded);
        QByteArray type = "application/octet-stream";
        QByteArray bytes;
        bool ok = false;
        if (path == QLatin1String("/movie")) {
            bytes = g_movie;
            ok = true;
            type = "application/x-shockwave-flash";
        } else if (path.startsWith(QLatin1String("/render/")) && IsPlainName(path.mid(8))) {
            bytes = ReadFileBytes(g_dataFolder + QStringLiteral("/render/") + path.mid(8),
                                  kMaxMovieBytes, &ok);
        } else if (path.startsWith(QLatin1String("/preview/")) && IsPlainName(path.mid(9))) {
            // The preview's page's reading through the scheme, shared.
            bytes = ReadFileBytes(g_dataFolder + QStringLiteral("/preview/") + path.mid(9),
                                  kMaxMovieBytes, &ok);
        } else if (path.startsWith(QLatin1String("/ruffle/")) && IsPlainName(path.mid(8))) {
            bytes = ReadFileBytes(g_dataFolder + QStringLiteral("/ruffle/") + path.mid(8),
                                  kMaxMovieBytes, &ok);
        }
        if (!ok || job->requestMethod() != "GET") {
            job->fail(QWebEngineUrlRequestJob::RequestDenied);
            return;
        }
        if (path.endsWith(QLatin1String(".wasm")))
            type = "application/wasm";
        else if (path.endsWith(QLatin1String(".js")))
            type = "text/javascript";
        else if (path.endsWith(QLatin1String(".html")))
            type = "text/html";
        auto* buffer = new QBuffer(job);
        buffer->setData(bytes);
        buffer->open(QIODevice::ReadOnly);
        job->reply(type, buffer);
    }
};

// Nothing but the renderer's own scheme reaches the page.
class RequestGuard : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        const QString scheme = info.requestUrl().scheme();
        if (scheme != QLatin1String(kScheme) && scheme != QLatin1String("data") &&
            scheme != QLatin1String("blob") && scheme != QLatin1String("about"))
            info.block(true);
    }
};

// One movie to render: how many frames, at what rate, at what size.
struct Request {
    int frames = 0;
    int rate256 = 0;
    int width = 0;
    int height = 0;
    QString path;
};

void WriteAll(const char* bytes, std::size_t count) {
    while (count > 0) {
        const ssize_t written = ::write(STDOUT_FILENO, bytes, count);
        if (written < 0 && errno == EINTR)
            continue;
        // The program that asked has gone: nobody wants the rest.
        if (written <= 0)
            std::_Exit(3);
        bytes += written;
        count -= static_cast<std::size_t>(written);
    }
}

void WriteLine(const QByteArray& line) {
    WriteAll(line.constData(), static_cast<std::size_t>(line.size()));
    WriteAll("\n", 1);
}

// Plays the requests one after another in one page.
class Renderer : public QObject {
public:
    Renderer(QWebEngineProfile* profile, std::vector<Request> requests)
        : m_page(profile), m_requests(std::move(requests)) {
        QWebEngineSettings* settings = m_page.settings();
        settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
        settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
        settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
        connect(&m_page, &QWebEnginePage::loadFinished, this, &Renderer::OnPageLoaded);
        connect(&m_page, &QWebEnginePage::titleChanged, this, &Renderer::OnTitle);
        connect(&m_page, &QWebEnginePage::renderProcessTerminated, this, &Renderer::OnRendererGone);
        LoadPage();
    }

private:
    void LoadPage() {
        m_page.setUrl(QUrl(QStringLiteral("quorvane-render://render/render/render.html")));
    }

    void OnPageLoaded(bool ok) {
        if (!ok) {
            // The page itself is missing: no movie can be rendered.
            for (; m_next < m_requests.size(); ++m_next)
                WriteLine("failed\tThe Flash player is missing from this installation.");
            QCoreApplication::exit(0);
            return;
        }
        Next();
    }

    void Next() {
        if (m_next >= m_requests.size()) {
            QCoreApplication::exit(0);
            return;
        }
        const Request& request = m_requests[m_next];
        bool read = false;
        g_movie = ReadFileBytes(request.path, kMaxMovieBytes, &read);
        if (!read) {
            Finish("failed\tThe movie cannot be read.");
            return;
        }
        m_framesSent = 0;
        m_busy = true;
        m_page.runJavaScript(QStringLiteral("window.quorvane.load('/movie', %1, %2, %3 / 256);")
                                 .arg(request.width)
                                 .arg(request.height)
                                 .arg(request.rate256));
    }

    void Finish(const QByteArray& line) {
        WriteLine(line);
        m_busy = false;
        g_movie.clear();
        ++m_next;
        m_page.runJavaScript(QStringLiteral("window.quorvane.unload();"));
        Next();
    }

    void OnTitle(const QString& title) {
        if (!m_busy)
            return;
        if (title.startsWith(QLatin1String("failed "))) {
            m_page.runJavaScript(
                QStringLiteral("window.quorvane.failure"),
                [this](const QVariant& why) { Finish("failed\t" + why.toString().toUtf8()); });
        } else if (title.startsWith(QLatin1String("frame "))) {
            m_page.runJavaScript(QStringLiteral("window.quorvane.take()"),
                                 [this](const QVariant& picture) { OnPicture(picture); });
        }
    }

    void OnPicture(const QVariant& picture) {
        const Request& request = m_requests[m_next];
        const QByteArray bytes = picture.toByteArray();
        const qsizetype size = qsizetype(request.width) * request.height * 4;
        if (bytes.size() != size) {
            Finish("failed\tThe Flash player drew nothing.");
            return;
        }
        WriteLine("frame");
        WriteAll(bytes.constData(), static_cast<std::size_t>(size));
        if (++m_framesSent >= request.frames) {
            Finish("done");
            return;
        }
        m_page.runJavaScript(QStringLiteral("window.quorvane.step();"));
    }

    void OnRendererGone() {
        // A movie that crashed the page's renderer fails alone; the page is
        // loaded again for the next.
        if (m_busy) {
            WriteLine("failed\tThe Flash player stopped on this movie.");
            m_busy = false;
            ++m_next;
        }
        LoadPage();
    }

    QWebEnginePage m_page;
    std::vector<Request> m_requests;
    std::size_t m_next = 0;
    int m_framesSent = 0;
    bool m_busy = false;
};

std::optional<std::vector<Request>> ParseRequests(const QStringList& arguments) {
    std::vector<Request> requests;
    if (arguments.size() < 2 || (arguments.size() - 1) % 5 != 0)
        return std::nullopt;
    for (qsizetype i = 1; i + 4 < arguments.size(); i += 5) {
        Request request;
        bool ok[4] = {};
        request.frames = arguments[i].toInt(&ok[0]);
        request.rate256 = arguments[i + 1].toInt(&ok[1]);
        request.width = arguments[i + 2].toInt(&ok[2]);
        request.height = arguments[i + 3].toInt(&ok[3]);
        request.path = arguments[i + 4];
        if (!(ok[0] && ok[1] && ok[2] && ok[3]) || request.frames < 1 ||
            request.frames > kMostFrames || request.rate256 < 1 || request.rate256 > 120 * 256 ||
            request.width < 1 || request.width > kMostSide || request.height < 1 ||
            request.height > kMostSide || request.path.isEmpty())
            return std::nullopt;
        requests.push_back(request);
    }
    return requests;
}

} // namespace

int main(int argc, char** argv) {
    // Never on a screen: Qt's offscreen platform, whatever the desktop.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "qt.webenginecontext.debug=false");
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // Ruffle's core compiled by V8's baseline compiler only: it starts at
    // once, and a movie plays well on it.
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--js-flags"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags + " --js-flags=--liftoff-only");
    QWebEngineUrlScheme scheme(kScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme);
    QWebEngineUrlScheme::registerScheme(scheme);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QGuiApplication app(argc, argv);

    const std::optional<std::vector<Request>> requests = ParseRequests(app.arguments());
    if (!requests) {
        std::fputs("usage: movierender (FRAMES RATE*256 WIDTH HEIGHT MOVIE)...\n", stderr);
        return 2;
    }
    // Relative to the program, as the program's own data is:
    // libexec/quorvane/../../share/quorvane.
    g_dataFolder = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                   QStringLiteral("/../../share/quorvane"));

    // Off the record: nothing of the page is written to disk.
    QWebEngineProfile profile;
    profile.setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    profile.setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    SchemeHandler handler;
    profile.installUrlSchemeHandler(kScheme, &handler);
    RequestGuard guard;
    profile.setUrlRequestInterceptor(&guard);
    Renderer renderer(&profile, *requests);
    return app.exec();
}
