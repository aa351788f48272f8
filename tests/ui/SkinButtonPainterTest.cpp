#include "ui/controls/SkinButtonPainter.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace quorvane::ui {
namespace {

const QColor kFace(200, 200, 200), kHoverFace(180, 210, 240), kLight(Qt::white), kDark(90, 90, 90);
const QColor kText(Qt::black), kHoverText(0, 0, 160), kRed(Qt::red), kBlue(Qt::blue);

SkinButtonIcon Solid(const QColor& colour) {
    QPixmap pixmap(8, 8);
    pixmap.fill(colour);
    return {QIcon(pixmap), 8, 8};
}

// A 61 x 21 button (odd sizes leave halves to drop when centring) with a red
// first and a blue second icon, and its caption in whole pixels.
SkinButtonLook Look(const QString& caption) {
    SkinButtonLook look;
    look.rect = QRect(0, 0, 61, 21);
    look.caption = caption;
    look.font.setPixelSize(11);
    look.font.setStyleStrategy(QFont::NoAntialias);
    look.normalFace = look.focusFace = kFace;
    look.hoverFace = kHoverFace;
    look.normalText = look.focusText = kText;
    look.hoverText = kHoverText;
    look.highlight = kLight;
    look.shadow = kDark;
    look.icons = {Solid(kRed), Solid(kBlue)};
    return look;
}

QImage Paint(const SkinButtonLook& look) {
    QImage image(look.rect.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    SkinButtonPainter::Paint(painter, look);
    return image;
}

QRect Where(const QImage& image, const QColor& colour) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                box |= QRect(x, y, 1, 1);
    return box;
}

// The top, left, bottom and right edges.
using Edges = std::array<QColor, 4>;
Edges Frame(const QImage& image) {
    return {image.pixelColor(30, 0), image.pixelColor(0, 10), image.pixelColor(30, 20),
            image.pixelColor(60, 10)};
}

TEST(SkinButtonPainterTest, IconIsCentredAloneAndLeftOfTheCaptionWithOne) {
    EXPECT_EQ(Where(Paint(Look({})), kBlue), QRect(26, 6, 8, 8));

    const QImage image = Paint(Look(QStringLiteral("Backup")));
    EXPECT_EQ(Where(image, kBlue), QRect(3, 6, 8, 8));
    // The caption is centred in the space right of the icon, 11 to 60.
    const QRect caption = Where(image, kText);
    EXPECT_GE(caption.left(), 11);
    EXPECT_NEAR(caption.center().x(), 35.5, 2.0);
    EXPECT_NEAR(caption.center().y(), 10.0, 2.0);
}

TEST(SkinButtonPainterTest, HoverShowsARaisedFrameTheFirstIconAndTheHoverColours) {
    SkinButtonLook look = Look(QStringLiteral("Backup"));
    EXPECT_EQ(Frame(Paint(look)), (Edges{kFace, kFace, kFace, kFace}));

    look.hover = true;
    const QImage image = Paint(look);
    EXPECT_EQ(Frame(image), (Edges{kLight, kLight, kDark, kDark}));
    EXPECT_EQ(image.pixelColor(30, 2), kHoverFace);
    EXPECT_EQ(Where(image, kRed), QRect(3, 6, 8, 8));
    EXPECT_FALSE(Where(image, kHoverText).isEmpty());
    EXPECT_TRUE(Where(image, kText).isEmpty());

    // A checkable button lights its first icon only when checked.
    look.checkMode = true;
    EXPECT_EQ(Where(Paint(look), kBlue), QRect(3, 6, 8, 8));
}

TEST(SkinButtonPainterTest, HeldDownSinksTheFrameAndShiftsIconAndCaption) {
    SkinButtonLook look = Look(QStringLiteral("Backup"));
    const QRect resting = Where(Paint(look), kText);

    look.down = true;
    QImage image = Paint(look);
    EXPECT_EQ(Frame(image), (Edges{kDark, kDark, kLight, kLight}));
    EXPECT_EQ(Where(image, kRed), QRect(4, 7, 8, 8));
    EXPECT_EQ(Where(image, kHoverText), resting.translated(1, 1));

    // Checked in check mode, it looks held down but does not move.
    look.down = false;
    look.checkMode = true;
    look.checkState = 1;
    image = Paint(look);
    EXPECT_EQ(Frame(image), (Edges{kDark, kDark, kLight, kLight}));
    EXPECT_EQ(Where(image, kRed), QRect(3, 6, 8, 8));
    EXPECT_EQ(Where(image, kHoverText), resting);
}

TEST(SkinButtonPainterTest, DisabledButtonIsEngravedAndItsIconGrey) {
    SkinButtonLook look = Look(QStringLiteral("Backup"));
    look.icons[1] = {};
    const QRect resting = Where(Paint(look), kText);

    look.grayed = true;
    const QImage image = Paint(look);
    // The caption in the shadow colour over a copy in the highlight colour,
    // one pixel down and right.
    EXPECT_TRUE(Where(image, kText).isEmpty());
    EXPECT_EQ(Where(image, kDark), resting);
    EXPECT_EQ(Where(image, kLight).bottomRight(), resting.bottomRight() + QPoint(1, 1));
    // The red icon has lost its colour.
    EXPECT_TRUE(Where(image, kRed).isEmpty());
    EXPECT_LT(image.pixelColor(6, 9).hsvSaturation(), 40);
}

// Art at twice the size is shrunk for any ratio above 1, so a screen at 1.5
// never shows the small art enlarged.
TEST(SkinButtonPainterTest, AtAFractionalScaleTheIconIsTheDoubleSizeArt) {
    QPixmap twice(16, 16);
    twice.fill(kBlue);
    twice.setDevicePixelRatio(2);
    QIcon icon(Solid(kRed).icon);
    icon.addPixmap(twice);
    SkinButtonLook look = Look({});
    look.icons = {SkinButtonIcon{icon, 8, 8}, SkinButtonIcon{icon, 8, 8}};
    QImage image(QSize(92, 32), QImage::Format_ARGB32);
    image.setDevicePixelRatio(1.5);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        SkinButtonPainter::Paint(painter, look);
    }
    // The icon's 8 pixels are 12 device pixels, from 39 on.
    EXPECT_EQ(image.pixelColor(45, 15), kBlue) << "the small red art was enlarged";
}

} // namespace
} // namespace quorvane::ui
