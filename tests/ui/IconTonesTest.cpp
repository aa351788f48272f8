#include "ui/controls/IconTones.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorvane {
namespace {

QImage Row(const std::vector<QRgb>& pixels) {
    QImage image(static_cast<int>(pixels.size()), 1, QImage::Format_ARGB32);
    for (int x = 0; x < image.width(); ++x)
        image.setPixel(x, 0, pixels[static_cast<std::size_t>(x)]);
    return image;
}

std::vector<QRgb> Pixels(const QImage& row) {
    std::vector<QRgb> pixels;
    for (int x = 0; x < row.width(); ++x)
        pixels.push_back(row.pixel(x, 0));
    return pixels;
}

TEST(IconTonesTest, GreyIconWeighsGreenMostThenRedThenBlueAndKeepsAlpha) {
    const QImage grey =
        MakeGreyIcon(Row({qRgb(255, 255, 255), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255),
                          qRgb(100, 150, 200), qRgb(0, 0, 0), qRgba(255, 0, 0, 128)}));
    EXPECT_EQ(Pixels(grey),
              (std::vector<QRgb>{qRgb(255, 255, 255), qRgb(76, 76, 76), qRgb(149, 149, 149),
                                 qRgb(29, 29, 29), qRgb(140, 140, 140), qRgb(0, 0, 0),
                                 qRgba(76, 76, 76, 128)}));
}

TEST(IconTonesTest, DimTakesTheFactorOffEachChannelAndKeepsAlpha) {
    EXPECT_EQ(DimColor(QColor(255, 128, 1), 0.25), QColor(191, 96, 0));
    EXPECT_EQ(DimColor(QColor(255, 128, 1), 1.0), QColor(0, 0, 0));
    EXPECT_EQ(DimColor(QColor(255, 128, 1), 0.0), QColor(255, 128, 1));
    EXPECT_EQ(DimColor(QColor(255, 128, 1), 1.5), QColor(255, 128, 1));
    EXPECT_EQ(Pixels(MakeDimIcon(Row({qRgba(255, 128, 1, 200), qRgb(0, 0, 0)}))),
              (std::vector<QRgb>{qRgba(191, 96, 0, 200), qRgb(0, 0, 0)}));
}

} // namespace
} // namespace quorvane
