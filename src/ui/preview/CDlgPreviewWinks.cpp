#include "ui/preview/CDlgPreviewWinks.h"

#include "ui/main/DialogUnits.h"
#include "ui/preview/PreviewScheme.h"

#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

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
    // The view takes every key it has the focus for, and a hidden default
    // button is never pressed by QDialog; shortcuts of the window come
    // before the view and press the buttons themselves.
    const std::pair<QKeySequence, QPushButton*> keys[] = {
        {QKeySequence(Qt::Key_Return), m_btnOk},
        {QKeySequence(Qt::Key_Enter), m_btnOk},
        {QKeySequence(Qt::Key_Escape), m_btnCancel}};
    for (const auto& [key, button] : keys)
        connect(new QShortcut(key, this), &QShortcut::activated, button, &QPushButton::click);

    m_browser = new CExplorer_previewflash(this);
    m_browser->setObjectName(QStringLiteral("browser"));
    connect(m_browser->Player(), &PreviewPlayerPage::StateChanged, this,
            &CDlgPreviewWinks::OnPlayerState);

    m_cover = new QLabel(tr("Loading..."), this);
    m_cover->setObjectName(QStringLiteral("loading"));
    m_cover->setAlignment(Qt::AlignCenter);
    m_cover->setAutoFillBackground(true);
    m_cover->setBackgroundRole(QPalette::Window);
    m_cover->raise();
    FillClientArea();
}

CDlgPreviewWinks::~CDlgPreviewWinks() {
    // The page outlives the window: it must not go on playing unseen.
    if (m_started)
        m_browser->Player()->Stop();
}

void CDlgPreviewWinks::CentreOn(const QScreen& screen) {
    // The frame is known once the native window exists; it is the frame
    // that is centred, and move() places the frame. create(), not winId():
    // winId() marks the dialog a native window, and Qt then makes every
    // control of the owner a native window of its own.
    create();
    QRect frame = frameGeometry();
    frame.moveCenter(screen.availableGeometry().center());
    move(frame.topLeft());
}

int CDlgPreviewWinks::ShowFile(const QString& path) {
    if (!QFileInfo::exists(path))
        return 0;
    PreviewHandler()->SetAllowedFolders(m_allowedFolders);
    m_started = true;
    m_number = m_browser->Player()->Show(path, m_bMovie);
    return 1;
}

void CDlgPreviewWinks::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_started && !m_strPath.isEmpty())
        ShowFile(m_strPath);
}

void CDlgPreviewWinks::OnPlayerState(int number, PreviewPlayerPage::State state) {
    using State = PreviewPlayerPage::State;
    // Reports of an earlier window's file, or of this file still loading,
    // leave "Loading..." up.
    if (number != m_number || m_number == 0 ||
        (state != State::Playing && state != State::Showing && state != State::Failed))
        return;
    m_bLoaded = 1;
    m_cover->hide();
}

void CDlgPreviewWinks::FillClientArea() {
    m_browser->setGeometry(rect());
    m_cover->setGeometry(rect());
}

void CDlgPreviewWinks::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    FillClientArea();
}

void CDlgPreviewWinks::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // Qt keeps a minimised window's size, where Windows shrinks its client
    // area to nothing; the view follows the window as Windows would have it,
    // so a minimised preview gives the movie nothing to draw into.
    if (event->type() != QEvent::WindowStateChange)
        return;
    if (isMinimized())
        m_browser->setGeometry(QRect());
    else
        FillClientArea();
}

void CDlgPreviewWinks::done(int result) {
    if (m_started) {
        m_browser->Player()->Stop();
        m_started = false;
    }
    QDialog::done(result);
}

void RunPreview(QWidget* owner, const PreviewRequest& request) {
    CDlgPreviewWinks dialog(owner);
    dialog.m_strPath = request.path;
    dialog.m_bMovie = request.movie;
    dialog.m_allowedFolders = request.allowedFolders;
    // Several previews side by side, or a screen reader, tell them apart.
    if (!request.name.isEmpty())
        dialog.setWindowTitle(CDlgPreviewWinks::tr("%1 - Preview - Quorvane").arg(request.name));
    // In the middle of the screen's working area, not over the owner.
    const QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr)
        dialog.CentreOn(*screen);
    dialog.exec();
}

void WarmUpPreview() {
    PreviewPlayerPage::Instance();
}

} // namespace quorvane::ui
