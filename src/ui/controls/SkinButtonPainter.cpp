#include "ui/controls/SkinButtonPainter.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <cmath>

namespace quorvane::ui {

namespace {

// The button's pressed look: held down, or checked while in check mode.
bool Pressed(const SkinButtonLook& look) {
    return look.down || (look.checkMode && look.checkState != 0);
}

// A one-pixel frame on the rectangle's edges. The top-right and bottom-left
// corners belong to the bottom/right colour, as in a classic 3D rectangle.
void DrawFrame(QPainter& painter, const QRect& r, const QColor& topLeft,
               const QColor& bottomRight) {
    painter.fillRect(r.left(), r.top(), r.width() - 1, 1, topLeft);
    painter.fillRect(r.left(), r.top(), 1, r.height() - 1, topLeft);
    painter.fillRect(r.right(), r.top(), 1, r.height(), bottomRight);
    painter.fillRect(r.left(), r.bottom(), r.width(), 1, bottomRight);
}

// The icon in the device pixels of a painter of the ratio. Above 1 it is
// made from the art for the next whole ratio (the double-size picture at
// 1.5) and shrunk: enlarging the small art would blur it.
QPixmap IconArt(const QIcon& icon, const QSize& size, qreal ratio, QIcon::Mode mode) {
    QPixmap art = icon.pixmap(size, ratio > 1 ? std::ceil(ratio) : 1.0, QIcon::Normal);
    const QSize device(qRound(size.width() * ratio), qRound(size.height() * ratio));
    if (!art.isNull() && art.size() != device)
        art = art.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    art.setDevicePixelRatio(ratio);
    // The icon would grey its small art; the style greys this one.
    if (mode != QIcon::Normal && !art.isNull()) {
        QStyleOption option;
        option.palette = QGuiApplication::palette();
        art = QApplication::style()->generatedIconPixmap(mode, art, &option);
    }
    return art;
}

// A dotted one-pixel frame whose dots alternate between two colours, so
// that it shows on a dark skin as well as on a light one.
void DrawFocusFrame(QPainter& painter, const QRect& r, const QColor& dot, const QColor& gap) {
    if (r.width() < 2 || r.height() < 2)
        return;
    int step = 0;
    const auto put = [&](int x, int y) { painter.fillRect(x, y, 1, 1, step++ % 2 ? gap : dot); };
    for (int x = r.left(); x < r.right(); ++x)
        put(x, r.top());
    for (int y = r.top(); y < r.bottom(); ++y)
        put(r.right(), y);
    for (int x = r.right(); x > r.left(); --x)
        put(x, r.bottom());
    for (int y = r.bottom(); y > r.top(); --y)
        put(r.left(), y);
}

const SkinButtonIcon& ChooseIcon(const SkinButtonLook& look, bool pressed) {
    // In check mode the first picture marks the checked button alone: the
    // pointer passing over an unchecked one does not light it up.
    if (pressed || (!look.checkMode && look.hover))
        return look.icons[0];
    return look.icons[1].IsSet() ? look.icons[1] : look.icons[0];
}

} // namespace

void SkinButtonPainter::Paint(QPainter& painter, const SkinButtonLook& look) {
    const bool pressed = Pressed(look);
    // In check mode nothing moves, so a checked button's caption stays in
    // line with its unchecked neighbours'.
    const QPoint shift = pressed && !look.checkMode ? look.shift : QPoint(0, 0);
    const QRect item = look.rect;

    painter.save();

    if (!look.background.isNull()) {
        painter.drawPixmap(item.topLeft(), look.background);
    } else {
        QColor face = look.normalFace;
        if (look.hover || pressed)
            face = look.hoverFace;
        else if (look.focus)
            face = look.focusFace;
        painter.fillRect(item, face);
    }

    if (pressed)
        DrawFrame(painter, item, look.shadow, look.highlight);
    else if (look.hover)
        DrawFrame(painter, item, look.highlight, look.shadow);

    QRect captionRect = item;
    const SkinButtonIcon& icon = ChooseIcon(look, pressed);
    if (icon.IsSet()) {
        QRect iconRect(item.left(), item.top(), icon.width, icon.height);
        if (!look.caption.isEmpty()) {
            iconRect.moveLeft(item.left() + kIconGap);
            captionRect.setLeft(captionRect.left() + icon.width + kIconGap);
        } else {
            iconRect.moveLeft(item.left() + (item.width() - icon.width) / 2);
        }
        iconRect.moveTop(item.top() + (item.height() - icon.height) / 2);
        iconRect.translate(shift);
        const qreal ratio =
            painter.device() != nullptr ? painter.device()->devicePixelRatio() : 1.0;
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(iconRect, IconArt(icon.icon, iconRect.size(), ratio,
                                             look.grayed ? QIcon::Disabled : QIcon::Normal));
        painter.restore();
    }

    if (!look.caption.isEmpty()) {
        captionRect.translate(shift);
        painter.setFont(look.font);
        const int flags = Qt::TextWordWrap | Qt::TextShowMnemonic | Qt::AlignHCenter;
        // Measured on the painter's own device, whose resolution may not be
        // the screen's.
        const QRect measured = painter.fontMetrics().boundingRect(captionRect, flags, look.caption);
        QRect box(0, 0, measured.width(), measured.height());
        box.moveTo(captionRect.left() + (captionRect.width() - box.width()) / 2,
                   captionRect.top() + (captionRect.height() - box.height()) / 2);
        if (look.grayed) {
            // Engraved, like any disabled caption on a classic 3D face.
            painter.setPen(look.highlight);
            painter.drawText(box.translated(1, 1), flags, look.caption);
            painter.setPen(look.shadow);
            painter.drawText(box, flags, look.caption);
        } else {
            QColor text = look.normalText;
            if (look.hover || pressed)
                text = look.hoverText;
            else if (look.focus)
                text = look.focusText;
            painter.setPen(text);
            painter.drawText(box, flags, look.caption);
        }
    }

    // Last, so no icon hides it; two pixels in, clear of the raised or
    // sunken frame on the edges.
    if (look.focus && look.focusFrame && !look.grayed)
        DrawFocusFrame(painter, item.adjusted(2, 2, -2, -2), look.focusText, look.highlight);

    painter.restore();
}

} // namespace quorvane::ui
