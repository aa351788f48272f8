#include "ui/controls/IconTones.h"

namespace quorvane {

namespace {

constexpr double kIconDimFactor = 0.25;

int Dim(int channel, double factor) {
    return static_cast<int>(channel - factor * channel);
}

QRgb DimRgb(QRgb pixel, double factor) {
    if (!(factor > 0.0 && factor <= 1.0))
        return pixel;
    return qRgba(Dim(qRed(pixel), factor), Dim(qGreen(pixel), factor), Dim(qBlue(pixel), factor),
                 qAlpha(pixel));
}

QRgb GreyRgb(QRgb pixel) {
    // A floating-point sum depends on its order; this one is kept fixed so
    // a colour always truncates to the same grey, and white stays 255.
    const double luma = 0.587 * qGreen(pixel) + 0.114 * qBlue(pixel) + 0.299 * qRed(pixel);
    const int v = static_cast<int>(luma);
    return qRgba(v, v, v, qAlpha(pixel));
}

// Applies map to every pixel of a straight-alpha copy of the icon, so that
// colour and coverage are changed independently.
template <typename Map> QImage MapPixels(const QImage& icon, Map map) {
    if (icon.isNull())
        return {};
    QImage result = icon.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            line[x] = map(line[x]);
    }
    return result;
}

} // namespace

QColor DimColor(const QColor& colour, double factor) {
    const QRgb dimmed = DimRgb(colour.rgba(), factor);
    return QColor::fromRgba(dimmed);
}

QImage MakeGreyIcon(const QImage& icon) {
    return MapPixels(icon, GreyRgb);
}

QImage MakeDimIcon(const QImage& icon) {
    return MapPixels(icon, [](QRgb pixel) { return DimRgb(pixel, kIconDimFactor); });
}

} // namespace quorvane
