#include "ui/preview/PreviewPlayerPage.h"

#include "ui/preview/PreviewScheme.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <utility>

namespace quorvane::ui {

namespace {

PreviewPlayerPage* g_page = nullptr;

// Text as a JavaScript string literal (JSON's), whatever it holds: nothing
// in a file name can break out of it.
QString JavaScriptString(const QString& text) {
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    // "[...]" around the one string.
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

} // namespace

PreviewPlayerPage* PreviewPlayerPage::Instance() {
    if (g_page == nullptr) {
        g_page = new PreviewPlayerPage();
        g_page->Start();
        // Qt WebEngine lets its profiles go in a routine of its own as the
        // application ends, and a page must be gone by then; a routine added
        // later runs earlier.
        qAddPostRoutine([] { delete std::exchange(g_page, nullptr); });
    }
    return g_page;
}

PreviewPlayerPage::PreviewPlayerPage(QObject* parent) : QWebEnginePage(PreviewProfile(), parent) {
    // A movie may not open windows, use plugins or wander off to the
    // network; it plays inside this page and nowhere else.
    QWebEngineSettings* settings = this->settings();
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, true);
    // A Wink is a sound as much as a picture, and the user asked for it by
    // pressing Preview: the movie's sound starts with it.
    settings->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
    // The page's own colour until it draws anything.
    setBackgroundColor(Qt::black);
    connect(this, &QWebEnginePage::titleChanged, this, &PreviewPlayerPage::OnTitle);
    connect(this, &QWebEnginePage::loadFinished, this, &PreviewPlayerPage::OnLoaded);
    connect(this, &QWebEnginePage::renderProcessTerminated, this,
            &PreviewPlayerPage::OnRendererGone);
}

void PreviewPlayerPage::Start() {
    m_loading = true;
    m_loaded = false;
    setUrl(PlayerPageUrl());
}

void PreviewPlayerPage::Run(const QString& script) {
    if (m_loaded) {
        runJavaScript(script);
        return;
    }
    m_waiting.append(script);
    if (!m_loading)
        Start();
}

void PreviewPlayerPage::OnLoaded(bool ok) {
    m_loading = false;
    m_loaded = ok;
    if (ok) {
        const QStringList waiting = std::exchange(m_waiting, {});
        for (const QString& script : waiting)
            runJavaScript(script);
        return;
    }
    // The player page itself did not load (a broken installation): the
    // view shows Chromium's error page, and the file waiting for it has
    // failed. The next file tries the page again.
    m_waiting.clear();
    if (m_state == State::Loading) {
        m_state = State::Failed;
        emit StateChanged(m_number, State::Failed);
    }
}

void PreviewPlayerPage::OnRendererGone() {
    // The page lives as long as the program, so a renderer that crashed
    // (or was killed) is replaced by loading the player page again. The
    // file it was showing is not tried again, or a movie that crashes it
    // would do so for ever; the page says why it stopped.
    m_waiting.clear();
    if (m_state == State::Loading || m_state == State::Playing || m_state == State::Showing)
        m_waiting.append(QStringLiteral("window.quorvane.fail(%1, %2);")
                             .arg(m_number)
                             .arg(JavaScriptString(tr("The Flash player stopped on this file."))));
    Start();
}

int PreviewPlayerPage::Show(const QString& path, bool movie) {
    m_number = ++m_next;
    m_state = State::Loading;
    Run(QStringLiteral("window.quorvane.show(%1, %2, %3);")
            .arg(JavaScriptString(path), movie ? QStringLiteral("true") : QStringLiteral("false"))
            .arg(m_number));
    return m_number;
}

void PreviewPlayerPage::Stop() {
    m_number = ++m_next;
    m_state = State::Stopped;
    Run(QStringLiteral("window.quorvane && window.quorvane.stop(%1);").arg(m_number));
}

void PreviewPlayerPage::OnTitle(const QString& title) {
    // "<state> <number>", set by the page for the file of that number.
    const QStringList parts = title.split(QLatin1Char(' '));
    bool numbered = false;
    const int number = parts.size() == 2 ? parts[1].toInt(&numbered) : 0;
    if (!numbered)
        return;
    static const std::pair<const char*, State> kStates[] = {
        {"ready", State::Ready},     {"loading", State::Loading}, {"playing", State::Playing},
        {"showing", State::Showing}, {"failed", State::Failed},   {"stopped", State::Stopped}};
    for (const auto& [name, state] : kStates)
        if (parts[0] == QLatin1String(name)) {
            if (number == m_number)
                m_state = state;
            emit StateChanged(number, state);
        }
    // Warmed up while no preview shows it. Chromium takes a page that was
    // never shown and never hidden for one in use, and polls for gamepads
    // for it dozens of times a second (about 1.5 % of a core, for ever):
    // shown and hidden once, it rests. A preview's view shows it again.
    if (parts[0] == QLatin1String("ready")) {
        const QWebEngineView* shown = QWebEngineView::forPage(this);
        if (shown == nullptr || !shown->isVisible()) {
            setVisible(true);
            setVisible(false);
        }
    }
}

} // namespace quorvane::ui
