#pragma once

#include "ui/main/PreviewRequest.h"
#include "ui/preview/PlayerView.h"

#include <QDialog>
#include <QString>

class QLabel;
class QScreen;
class QPushButton;

namespace quorvane::ui {

// The preview window: a fixed-size dialog whose browser view fills the
// window and shows the program's player page. Until the file's first frame
// is drawn the window shows its own colour and "Loading...", never the
// black of a page still starting.
class PreviewDialog : public QDialog {
    Q_OBJECT

public:
    // The window for the request's file, titled with its name when there
    // is one; the file is handed to the player when the window is shown.
    explicit PreviewDialog(PreviewRequest request, QWidget* parent = nullptr);
    ~PreviewDialog() override;

    // Places the window's frame in the middle of the screen's working area.
    void CentreOn(const QScreen& screen);

    PlayerView* Browser() const { return m_browser; }
    // Whether the file is on screen (or the page has said why it is not).
    bool IsLoaded() const { return m_loaded; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void done(int result) override;

private:
    // Hands the file to the player page; false when no entry of that path
    // exists (then nothing else happens).
    bool ShowFile();
    void FillClientArea();
    void OnPlayerState(int number, PreviewPlayerPage::State state);

    PreviewRequest m_request;
    PlayerView* m_browser = nullptr;
    QLabel* m_cover = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    int m_number = 0; // the player's number for this window's file
    bool m_started = false;
    bool m_loaded = false;
};

// The program's preview: shows what the request names in a modal
// PreviewDialog over owner.
void RunPreview(QWidget* owner, const PreviewRequest& request);

// Loads the player page in the background, so that the first Preview finds
// it ready. Called once the main window is shown.
void WarmUpPreview();

} // namespace quorvane::ui
