// The window's skin as the user sees it: still when left alone, sharp on a
// screen of two device pixels per pixel, and the instructions fitting their
// frame.

#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "support/PaintCounter.h"
#include "ui/WindowAccountTest.h"
#include "ui/controls/SkinButton.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace quorvane::ui {
namespace {

using test::PaintCounter;

class WindowSkinTest : public test::WindowAccountTest {
protected:
    std::unique_ptr<MainWindow> OpenExposed() {
        auto window = Open();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }
    QImage DataPicture(const char* name) const {
        return QImage(QString::fromStdString(JoinPath(ProgramDataFolder(), name)))
            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
};

TEST_F(WindowSkinTest, AWindowLeftAloneDrawsNothing) {
    for (int n = 0; n < 3; ++n)
        builder.Add(ContentCategory::Winks,
                    test::MessengerAccountBuilder::SampleObject(ContentCategory::Winks, n));
    builder.Write();
    auto window = OpenExposed();
    // The caret blinking in the passport box, where the focus starts, is
    // drawing a user expects; the focus waits on the type box instead.
    window->findChild<QComboBox*>("backupType")->setFocus();
    // The first frames after showing may take a few passes.
    QTest::qWait(100);
    {
        PaintCounter paints(window.get());
        QTest::qWait(300);
        EXPECT_EQ(paints.count, 0) << "paint events at rest after showing";
    }

    window->findChild<QComboBox*>("passport")->setEditText(test::kWindowPassport);
    QSignalSpy finished(&window->Controller(), &MainController::ListFinished);
    window->findChild<QPushButton*>("list")->click();
    ASSERT_TRUE(finished.count() > 0 || finished.wait(60000));
    QTest::qWait(100);
    PaintCounter paints(window.get());
    QTest::qWait(300);
    EXPECT_EQ(paints.count, 0) << "paint events at rest after a List";
}

TEST_F(WindowSkinTest, AtScaleTwoTheHeaderAndIconsUseTheirDoubleSizePictures) {
    auto window = OpenExposed();
    QImage skin(window->size() * 2, QImage::Format_RGB32);
    skin.setDevicePixelRatio(2);
    {
        QPainter painter(&skin);
        window->PaintSkin(painter, window->size());
    }
    const QImage header = DataPicture("staticPanel@2x.png");
    ASSERT_FALSE(header.isNull());
    EXPECT_TRUE(skin.copy(header.rect()).convertToFormat(QImage::Format_ARGB32_Premultiplied) ==
                header)
        << "the header is not the double-size picture";

    const SkinButtonLook look = window->findChild<SkinButton*>("backupNow")->Look();
    const QImage icon = look.icons[0]
                            .icon.pixmap(QSize(look.icons[0].width, look.icons[0].height), 2.0)
                            .toImage()
                            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    EXPECT_TRUE(icon == DataPicture("icons/backup@2x.png"))
        << "the Backup Now icon is not the double-size picture";
}

TEST_F(WindowSkinTest, EveryInstructionLineFitsInsideItsFrame) {
    auto window = OpenExposed();
    // The steps, under the line that says where the account is read from.
    const auto* instructions = window->findChild<QLabel*>("instructions");
    ASSERT_NE(instructions, nullptr);
    ASSERT_TRUE(instructions->text().contains(QStringLiteral("\n1. ")));
    const auto* frame = window->findChild<QGroupBox*>();
    ASSERT_NE(frame, nullptr);
    const QFontMetrics metrics(instructions->font());
    for (const QString& line : instructions->text().split(QLatin1Char('\n'))) {
        // A screen of another scale may set a line a pixel or two wider.
        EXPECT_LE(metrics.horizontalAdvance(line.trimmed()) + 2, instructions->width())
            << line.toStdString();
    }
    // The frame's line is drawn on its outer pixels; the text keeps clear of it.
    EXPECT_TRUE(frame->geometry().adjusted(2, 2, -2, -2).contains(instructions->geometry()));
}

} // namespace
} // namespace quorvane::ui
