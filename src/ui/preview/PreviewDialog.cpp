#include "ui/preview/PreviewDialog.h"

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

#include <utility>

namespace quorvane::ui {

PreviewDialog::PreviewDialog(PreviewRequest request, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_request(std::move(request)) {
    setObjectName(QStringLiteral("preview"));
    // Several previews side by side, or a screen reader, tell them apart.
    setWindowTitle(m_request.name.isEmpty() ? tr("Preview - Quorvane")
                                            : tr("%1 - Preview - Quorvane").arg(m_request.name));
    setFixedSize(FromDialogUnits(0, 0, 337, 243).size());

    // The two buttons are never shown: Enter and Escape end the window
    // through them, as the close box does.
    m_okButton = new QPushButton(tr("OK"), this);
    m_okButton->setObjectName(QStringLiteral("ok"));
    m_okButton->setGeometry(FromDialogUnits(0, 229, 50, 14));
    m_okButton->setDefault(true);
    m_okButton->hide();
    m_cancelButton = new QPushButton(tr("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("cancel"));
    m_cancelButton->setGeometry(FromDialogUnits(285, 229, 50, 14));
    m_cancelButton->hide();
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    // The view takes every key it has the focus for, and a hidden default
    // button is never pressed by QDialog; shortcuts of the window come
    // before the view and press the buttons themselves.
    const std::pair<QKeySequence, QPushButton*> keys[] = {
        {QKeySequence(Qt::Key_Return), m_okButton},
        {QKeySequence(Qt::Key_Enter), m_okButton},
        {QKeySequence(Qt::Key_Escape), m_cancelButton}};
    for (const auto& [key, button] : keys)
        connect(new QShortcut(key, this), &QShortcut::activated, button, &QPushButton::click);

    m_browser = new PlayerView(this);
    m_browser->setObjectName(QStringLiteral("browser"));
    connect(m_browser->Player(), &PreviewPlayerPage::StateChanged, this,
            &PreviewDialog::OnPlayerState);

    m_cover = new QLabel(tr("Loading..."), this);
    m_cover->setObjectName(QStringLiteral("loading"));
    m_cover->setAlignment(Qt::AlignCenter);
    m_cover->setAutoFillBackground(true);
    m_cover->setBackgroundRole(QPalette::Window);
    m_cover->raise();
    FillClientArea();
}

PreviewDialog::~PreviewDialog() {
    // The page outlives the window: it must not go on playing unseen.
    if (m_started)
        m_browser->Player()->Stop();
}

void PreviewDialog::CentreOn(const QScreen& screen) {
    // The frame is known once the native window exists; it is the frame
    // that is centred, and move() places the frame. create(), not winId():
    // winId() marks the dialog a native window, and Qt then makes every
    // control of the owner a native window of its own.
    create();
    QRect frame = frameGeometry();
    frame.moveCenter(screen.availableGeometry().center());
    move(frame.topLeft());
}

bool PreviewDialog::ShowFile() {
    if (!QFileInfo::exists(m_request.path))
        return false;
    PreviewHandler()->SetAllowedFolders(m_request.allowedFolders);
    m_started = true;
    m_number = m_browser->Player()->Show(m_request.path, m_request.movie);
    return true;
}

void PreviewDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_started && !m_request.path.isEmpty())
        ShowFile();
}

void PreviewDialog::OnPlayerState(int number, PreviewPlayerPage::State state) {
    using State = PreviewPlayerPage::State;
    // Reports of an earlier window's file, or of this file still loading,
    // leave "Loading..." up.
    if (number != m_number || m_number == 0 ||
        (state != State::Playing && state != State::Showing && state != State::Failed))
        return;
    m_loaded = true;
    m_cover->hide();
}

void PreviewDialog::FillClientArea() {
    m_browser->setGeometry(rect());
    m_cover->setGeometry(rect());
}

void PreviewDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    FillClientArea();
}

void PreviewDialog::changeEvent(QEvent* event) {
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

void PreviewDialog::done(int result) {
    if (m_started) {
        m_browser->Player()->Stop();
        m_started = false;
    }
    QDialog::done(result);
}

void RunPreview(QWidget* owner, const PreviewRequest& request) {
    PreviewDialog dialog(request, owner);
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
