#pragma once

#include "ui/main/PreviewRequest.h"

#include <QDialog>
#include <QString>

class QPushButton;

namespace quorvane::ui {

class CExplorer_previewflash;

// The preview window: a fixed-size dialog whose browser view starts blank,
// at a small spot of the window, and once that blank page has loaded is sent
// to the object's file and stretched over the whole window.
class CDlgPreviewWinks : public QDialog {
    Q_OBJECT

public:
    explicit CDlgPreviewWinks(QWidget* parent = nullptr);
    ~CDlgPreviewWinks() override;

    // Sends the view to the file and stretches it over the window; 0 when
    // no entry of that path exists (then nothing else happens), else 1.
    int ShowFile(const QString& path);

    CExplorer_previewflash* Browser() const { return m_browser; }

    QString m_strPath;
    bool m_bMovie = false;
    QStringList m_allowedFolders;
    int m_bLoaded = 0;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void OnDocumentComplete();
    void FillClientArea();

    CExplorer_previewflash* m_browser = nullptr;
    QPushButton* m_btnOk = nullptr;
    QPushButton* m_btnCancel = nullptr;
};

// The program's preview: shows what the request names in a modal
// CDlgPreviewWinks over owner.
void RunPreview(QWidget* owner, const PreviewRequest& request);

} // namespace quorvane::ui
