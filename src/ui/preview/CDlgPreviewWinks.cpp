#include "ui/preview/CDlgPreviewWinks.h"

#include "ui/main/DialogUnits.h"
#include "ui/preview/CExplorer_previewflash.h"
#include "ui/preview/PreviewScheme.h"

#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

namespace quorvane::ui {

CDlgPreviewWinks::CDlgPreviewWinks(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("preview"));
    setWindowTitle(tr("Preview - Quorvane"));
    setFixedSize(FromDialogUnits(0, 0, 337, 243).size());

    // The two buttons are never shown: Enter and Escape end the window
    // through them, as the close box does.
    m_btnOk = new QPushButton(tr("OK"), this);
    m_btnOk->setObjectName(QStringLiteral("ok"));
    m_btnOk->setGeometry(FromDialogUnits(0, 229, 50, 14));
    m_btnOk->setDefault(true);
    m_btnOk->hide();
    m_btnCancel = new QPushButton(tr("Cancel"), this);
    m_btnCancel->setObjectName(QStringLiteral("cancel"));
    m_btnCancel->setGeometry(FromDialogUnits(285, 229, 50, 14));
    m_btnCancel->hide();
    connect(m_btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    m_browser = new CExplorer_previewflash(this);
    m_browser->setObjectName(QStringLiteral("browser"));
    m_browser->setGeometry(FromDialogUnits(2, 70, 28, 25));
    connect(m_browser, &CExplorer_previewflash::DocumentComplete, this,
            &CDlgPreviewWinks::OnDocumentComplete);
    m_browser->Navigate(QUrl(QStringLiteral("about:blank")));
}

CDlgPreviewWinks::~CDlgPreviewWinks() = default;

int CDlgPreviewWinks::ShowFile(const QString& path) {
    if (!QFileInfo::exists(path))
        return 0;
    PreviewHandler()->SetAllowedFolders(m_allowedFolders);
    m_browser->Navigate(PreviewUrl(path, m_bMovie));
    FillClientArea();
    return 1;
}

void CDlgPreviewWinks::OnDocumentComplete() {
    // Only the blank page's load counts; the file's own load, and any
    // later one, changes nothing.
    if (m_bLoaded == 0)
        ShowFile(m_strPath);
    m_bLoaded = 1;
}

void CDlgPreviewWinks::FillClientArea() {
    m_browser->setGeometry(rect());
}

void CDlgPreviewWinks::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (m_bLoaded != 0)
        FillClientArea();
}

void CDlgPreviewWinks::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // Qt keeps a minimised window's size, where Windows shrinks its client
    // area to nothing; the view follows the window as Windows would have it,
    // so a minimised preview gives the movie nothing to draw into.
    if (event->type() != QEvent::WindowStateChange || m_bLoaded == 0)
        return;
    if (isMinimized())
        m_browser->setGeometry(QRect());
    else
        FillClientArea();
}

void RunPreview(QWidget* owner, const PreviewRequest& request) {
    CDlgPreviewWinks dialog(owner);
    dialog.m_strPath = request.path;
    dialog.m_bMovie = request.movie;
    dialog.m_allowedFolders = request.allowedFolders;
    // In the middle of the screen's working area, not over the owner.
    const QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        // The frame is known once the native window exists; it is the
        // frame that is centred, and move() places the frame.
        dialog.winId();
        QRect frame = dialog.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        dialog.move(frame.topLeft());
    }
    dialog.exec();
}

} // namespace quorvane::ui
