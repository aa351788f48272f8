#include "ui/main/DialogUnits.h"

#include <cmath>

namespace quorvane::ui {

namespace {

int Horizontal(int units) {
    return static_cast<int>(std::lround(units * 1.5));
}

int Vertical(int units) {
    return static_cast<int>(std::lround(units * 1.625));
}

} // namespace

QRect FromDialogUnits(int x, int y, int width, int height) {
    // Edges are converted, not sizes, so that neighbouring controls that
    // touch in units still touch in pixels.
    const int left = Horizontal(x);
    const int top = Vertical(y);
    return QRect(left, top, Horizontal(x + width) - left, Vertical(y + height) - top);
}

} // namespace quorvane::ui
