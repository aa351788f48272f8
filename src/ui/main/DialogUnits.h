#pragma once

#include <QRect>

namespace quorvane::ui {

// The window is laid out in the units of its original dialog template (an
// 8-point "MS Shell Dlg" font): one horizontal unit is 1.5 pixels, one
// vertical unit 1.625 pixels at 96 dpi. Qt scales logical pixels for the
// screen's device pixel ratio itself.
QRect FromDialogUnits(int x, int y, int width, int height);

} // namespace quorvane::ui
