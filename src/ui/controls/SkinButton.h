#pragma once

#include "ui/controls/SkinButtonPainter.h"

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QPushButton>
#include <QString>

#include <array>

namespace quorvane::ui {

// A push button drawn by the program instead of the style: an icon and a
// caption over the window's skin, a thin raised frame while the pointer is
// over it, a thin sunken frame while it is held down. In all else it is a
// QPushButton: clicked(), default button, shortcuts, checkable. Reached
// from the keyboard, it shows a dotted focus frame.
class SkinButton : public QPushButton {
    Q_OBJECT

public:
    explicit SkinButton(QWidget* parent = nullptr);
    explicit SkinButton(const QString& caption, QWidget* parent = nullptr);

    // The first icon is shown while the pointer is over the button or it is
    // held down, the second (when there is one) otherwise. A width or height
    // of 0 takes the picture's own.
    void AssignIcons(const QIcon& first, int width, int height, const QIcon& second = QIcon(),
                     int width2 = 0, int height2 = 0);

    // From now on the button shows the skin under it instead of a face. The
    // copy of that skin is taken again at the next paint, or given by
    // TakeBackground.
    void SeeThrough(bool repaint = true);
    // parentSkin is the parent's composed skin at the parent's size; the part
    // under the button becomes its background. The button is repainted only
    // when those pixels differ from the ones it shows. False, and nothing
    // changes, when the button is not see-through or the picture is null.
    bool TakeBackground(const QImage& parentSkin);

    bool IsHover() const { return m_hover; }
    void CancelHover();

    // The button as it would be painted now.
    SkinButtonLook Look() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void TakeBackgroundFromParent();
    void PassFocusOn();

    const QPoint m_pressShift{1, 1};
    bool m_hover = false;
    bool m_seeThrough = false;
    // Set while the parent renders the skin under the button for its copy.
    bool m_takingBackground = false;
    // Whether the focus came, or last came, from the keyboard.
    bool m_keyboardFocus = false;
    // Set when the button lost the focus because it was disabled.
    bool m_focusLostToDisabling = false;
    QPixmap m_background;
    // m_background's pixels, to tell whether a new copy changes anything.
    QImage m_backgroundPixels;
    // Where in the parent m_background was copied from.
    QRect m_backgroundArea;
    std::array<SkinButtonIcon, 2> m_icons;
};

} // namespace quorvane::ui
