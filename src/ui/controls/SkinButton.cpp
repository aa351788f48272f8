#include "ui/controls/SkinButton.h"

#include <QEvent>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

#include <utility>

namespace quorvane::ui {

namespace {

SkinButtonIcon MakeSlot(const QIcon& icon, int width, int height, QSize ownSize) {
    if (icon.isNull())
        return {};
    return {icon, width > 0 ? width : ownSize.width(), height > 0 ? height : ownSize.height()};
}

QSize LargestSize(const QIcon& icon) {
    const QList<QSize> sizes = icon.availableSizes();
    QSize largest;
    for (const QSize& size : sizes)
        largest = largest.expandedTo(size);
    return largest;
}

} // namespace

SkinButton::SkinButton(QWidget* parent) : SkinButton(QString(), parent) {}

SkinButton::SkinButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    // Hover is followed from plain pointer moves, not from enter events, so
    // that a drag coming in from elsewhere does not light the button.
    setMouseTracking(true);
}

void SkinButton::AssignIcons(const QIcon& first, int width, int height, const QIcon& second,
                             int width2, int height2) {
    m_icons[0] = MakeSlot(first, width, height, LargestSize(first));
    m_icons[1] = MakeSlot(second, width2, height2, LargestSize(second));
    update();
}

void SkinButton::SeeThrough(bool repaint) {
    m_seeThrough = true;
    m_background = QPixmap();
    m_backgroundPixels = QImage();
    if (repaint)
        update();
}

bool SkinButton::TakeBackground(const QImage& parentSkin) {
    if (!m_seeThrough || parentSkin.isNull())
        return false;
    // The skin may have been composed for a high-density screen.
    const qreal ratio = parentSkin.devicePixelRatio();
    const QRect area = geometry();
    const QRect source(qRound(area.x() * ratio), qRound(area.y() * ratio),
                       qRound(area.width() * ratio), qRound(area.height() * ratio));
    QImage pixels = parentSkin.copy(source);
    pixels.setDevicePixelRatio(ratio);
    // The window hands the skin out each time it composes it; a repaint
    // that shows the same pixels would only make the window paint again.
    const bool same = area == m_backgroundArea && !m_background.isNull() &&
                      m_backgroundPixels.devicePixelRatio() == ratio &&
                      m_backgroundPixels == pixels;
    if (same)
        return true;
    m_background = QPixmap::fromImage(pixels);
    m_backgroundPixels = pixels;
    m_backgroundArea = area;
    update();
    return true;
}

void SkinButton::CancelHover() {
    if (!m_hover)
        return;
    m_hover = false;
    update();
}

SkinButtonLook SkinButton::Look() const {
    SkinButtonLook look;
    look.rect = rect();
    look.caption = text();
    look.font = font();
    look.down = isDown();
    look.hover = m_hover;
    look.focus = hasFocus();
    look.focusFrame = m_keyboardFocus;
    look.grayed = !isEnabled();
    look.checkMode = isCheckable();
    look.checkState = isChecked() ? 1 : 0;
    look.shift = m_pressShift;
    if (m_seeThrough)
        look.background = m_background;
    // Faces take the palette's button colour, captions its button text colour.
    look.normalFace = look.hoverFace = look.focusFace =
        palette().color(QPalette::Active, QPalette::Button);
    look.normalText = look.hoverText = look.focusText =
        palette().color(QPalette::Active, QPalette::ButtonText);
    look.highlight = palette().color(QPalette::Light);
    look.shadow = palette().color(QPalette::Dark);
    look.icons = m_icons;
    return look;
}

void SkinButton::paintEvent(QPaintEvent*) {
    // The parent is being rendered for this button's own background: the
    // button must not appear in it.
    if (m_takingBackground)
        return;
    // A copy taken before the button was moved or resized shows the wrong
    // part of the skin.
    if (m_seeThrough && (m_background.isNull() || m_backgroundArea != geometry() ||
                         m_background.devicePixelRatio() != devicePixelRatioF()))
        TakeBackgroundFromParent();
    QPainter painter(this);
    SkinButtonPainter::Paint(painter, Look());
}

void SkinButton::TakeBackgroundFromParent() {
    QWidget* parent = parentWidget();
    if (!parent)
        return;
    // Like QWidget::grab() of the parent's area under the button, but
    // without the parent's children: neither this button nor a neighbour
    // belongs to the skin.
    const qreal ratio = devicePixelRatioF();
    QPixmap copy(size() * ratio);
    copy.setDevicePixelRatio(ratio);
    copy.fill(Qt::transparent);
    m_takingBackground = true;
    parent->render(&copy, QPoint(), QRegion(geometry()), QWidget::DrawWindowBackground);
    m_takingBackground = false;
    m_background = copy;
    m_backgroundPixels = copy.toImage();
    m_backgroundArea = geometry();
}

void SkinButton::mouseMoveEvent(QMouseEvent* event) {
    const bool inside = rect().contains(event->position().toPoint());
    if (!inside)
        CancelHover();
    else if (!m_hover && !(event->buttons() & Qt::LeftButton)) {
        m_hover = true;
        update();
    }
    QPushButton::mouseMoveEvent(event);
}

void SkinButton::leaveEvent(QEvent* event) {
    CancelHover();
    QPushButton::leaveEvent(event);
}

void SkinButton::focusInEvent(QFocusEvent* event) {
    switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
        m_keyboardFocus = true;
        break;
    case Qt::MouseFocusReason:
        m_keyboardFocus = false;
        break;
    default:
        // The window coming back, a menu closing or the program handing the
        // focus back after some work: the frame shows as it did before.
        break;
    }
    QPushButton::focusInEvent(event);
}

void SkinButton::focusOutEvent(QFocusEvent* event) {
    // A click elsewhere: the user is on the mouse now.
    if (event->reason() == Qt::MouseFocusReason)
        m_keyboardFocus = false;
    CancelHover();
    if (!isEnabled())
        m_focusLostToDisabling = true;
    QPushButton::focusOutEvent(event);
}

void SkinButton::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::EnabledChange:
        if (!isEnabled()) {
            CancelHover();
            PassFocusOn();
        }
        break;
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
        // The skin under the button is drawn in the old colours.
        m_background = QPixmap();
        m_backgroundPixels = QImage();
        break;
    default:
        break;
    }
    QPushButton::changeEvent(event);
}

void SkinButton::PassFocusOn() {
    // Qt has already given the focus to the next control in tab order when
    // there was one; with none the window would be left with no focus at
    // all, so the keyboard goes to the parent instead.
    if (!std::exchange(m_focusLostToDisabling, false))
        return;
    if (window()->focusWidget() == nullptr && parentWidget() != nullptr)
        parentWidget()->setFocus(Qt::OtherFocusReason);
}

bool SkinButton::event(QEvent* event) {
    // The window passes its deactivation on to every child.
    if (event->type() == QEvent::WindowDeactivate)
        CancelHover();
    return QPushButton::event(event);
}

} // namespace quorvane::ui
