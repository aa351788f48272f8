#pragma once

#include "ui/main/PreviewRequest.h"
#include "ui/preview/CExplorer_previewflash.h"

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
class CDlgPreviewWinks : public QDialog {
    Q_OBJECT

public:
    explicit CDlgPreviewWinks(QWidget* parent = nullptr);
    ~CDlgPreviewWinks() override;

    // Hands the file to the player page; 0 when no entry of that path
    // exists (then nothing else happens), else 1.
    int ShowFile(const QString& path);

    // Places the window's frame in the middle of the screen's working area.
    void CentreOn(const QScreen& screen);

    CExplorer_previewflash* Browser() const { return m_browser; }

    QString m_strPath;
    bool m_bMovie = false;
    QStringList m_allowedFolders;
    // 1 once the file is on screen (or the page says why it is not).
    int m_bLoaded = 0;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void done(int result) override;

private:
    void FillClientArea();
    void OnPlayerState(int number, PreviewPlayerPage::State state);

    CExplorer_previewflash* m_browser = nullptr;
    QLabel* m_cover = nullptr;
    QPushButton* m_btnOk = nullptr;
    QPushButton* m_btnCancel = nullptr;
    int m_number = 0; // the player's number for this window's file
    bool m_started = false;
};

// The program's preview: shows what the request names in a modal
// CDlgPreviewWinks over owner.
void RunPreview(QWidget* owner, const PreviewRequest& request);

// Loads the player page in the background, so that the first Preview finds
// it ready. Called once the main window is shown.
void WarmUpPreview();

} // namespace quorvane::ui
