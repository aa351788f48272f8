#pragma once

#include <QColor>
#include <QImage>

namespace quorvane {

// Each colour channel c becomes trunc(c - factor * c) when 0 < factor <= 1;
// any other factor leaves the colour as it is. Alpha is kept.
QColor DimColor(const QColor& colour, double factor);

// The resting picture of a button that has only one icon: the icon in
// shades of grey (a pixel's brightness as the eye weighs red, green and
// blue). Every pixel keeps its alpha, so the shape stays the same.
QImage MakeGreyIcon(const QImage& icon);

// The same icon a quarter darker (DimColor with 0.25), alpha kept.
QImage MakeDimIcon(const QImage& icon);

} // namespace quorvane
