#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QString>

#include <array>

class QPainter;

namespace quorvane::ui {

// One of a skinned button's two pictures, shown at the size it was given.
struct SkinButtonIcon {
    QIcon icon;
    int width = 0;
    int height = 0;

    bool IsSet() const { return !icon.isNull() && width > 0 && height > 0; }
};

// Everything that decides how a skinned button looks at one moment. The
// button fills one in from its own state; tests fill one in by hand and
// paint it into a picture.
struct SkinButtonLook {
    QRect rect; // the whole button, in the painter's coordinates
    QString caption;
    QFont font;

    bool down = false;  // held down by mouse or keyboard
    bool hover = false; // the pointer is over it
    bool focus = false;
    // The focus came from the keyboard: a dotted frame inside the edges
    // shows where it is, over a face or the skin alike.
    bool focusFrame = false;
    bool grayed = false; // disabled
    bool checkMode = false;
    int checkState = 0; // 1 shows the button held down, in check mode only

    // How far the icon and caption move while the button is held down.
    QPoint shift{1, 1};

    // The skin under the button; when set it is drawn instead of the face.
    QPixmap background;

    QColor hoverFace, hoverText;
    QColor normalFace, normalText;
    QColor focusFace, focusText; // focusText also dots the focus frame
    QColor highlight;            // the lit edges of the frame
    QColor shadow;               // the shaded edges of the frame

    // [0] is shown while hovered or held down; [1], when set, otherwise.
    std::array<SkinButtonIcon, 2> icons;
};

class SkinButtonPainter {
public:
    // Space left of the icon when a caption follows it.
    static constexpr int kIconGap = 3;

    static void Paint(QPainter& painter, const SkinButtonLook& look);
};

} // namespace quorvane::ui
