#pragma once

#include <QString>
#include <QWebEnginePage>

namespace quorvane::ui {

// The page every preview shows its file in: the player page, loaded once on
// the preview's profile and kept for the program's life, so that Chromium,
// Ruffle's script and its compiled core are ready when Preview is pressed.
// Each file is handed to the loaded page; the page is never navigated again.
class PreviewPlayerPage : public QWebEnginePage {
    Q_OBJECT

public:
    // What became of the file last handed over.
    enum class State { Starting, Ready, Loading, Playing, Showing, Failed, Stopped };

    // The page of the program, made (and its loading started) on the first
    // call. Called once the main window is up, so the first preview finds
    // the player ready.
    static PreviewPlayerPage* Instance();

    // A page of its own that loads the player only when Start is called.
    explicit PreviewPlayerPage(QObject* parent = nullptr);
    // Loads the player page (again).
    void Start();

    // Hands the page a file: a movie to play or a picture to show. Files
    // handed over before the player page has loaded wait for it. The number
    // the file's reports carry.
    int Show(const QString& path, bool movie);
    // Clears the page (a movie's sound ends with it).
    void Stop();

    bool IsLoaded() const { return m_loaded; }
    State CurrentState() const { return m_state; }
    int CurrentNumber() const { return m_number; }

signals:
    // The file with this number is loading, drawn or refused.
    void StateChanged(int number, quorvane::ui::PreviewPlayerPage::State state);

private:
    void OnTitle(const QString& title);
    void OnLoaded(bool ok);
    void OnRendererGone();
    // Runs the script in the player page, once it has loaded (loading it
    // again if it failed or its renderer went).
    void Run(const QString& script);

    bool m_loading = false;
    bool m_loaded = false;
    int m_next = 0;
    int m_number = 0;
    State m_state = State::Starting;
    QStringList m_waiting; // scripts for the page once it has loaded
};

} // namespace quorvane::ui
