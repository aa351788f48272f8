#include "ui/controls/SkinButton.h"
#include "platform/SystemFolders.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace quorvane::ui {
namespace {

// A window whose skin gives every pixel its own colour, with two buttons.
class SkinnedWindow : public QWidget {
public:
    SkinButton button{QStringLiteral("Backup"), this};
    SkinButton other{this};

    SkinnedWindow() {
        resize(200, 100);
        button.setGeometry(20, 10, 60, 24);
        other.setGeometry(20, 50, 60, 24);
    }
    static QRgb SkinAt(int x, int y) { return qRgb(x, y, 128); }
    void ShowActive() {
        show();
        activateWindow();
        QApplication::processEvents();
        ASSERT_TRUE(isActiveWindow());
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x)
                painter.fillRect(x, y, 1, 1, QColor(SkinAt(x, y)));
    }
};

void MovePointer(SkinButton& button, Qt::MouseButtons held = Qt::NoButton) {
    const QPointF at(5, 5);
    QMouseEvent move(QEvent::MouseMove, at, button.mapToGlobal(at), Qt::NoButton, held,
                     Qt::NoModifier);
    QApplication::sendEvent(&button, &move);
}

QRgb Shown(SkinButton& button, int x, int y) {
    return button.grab().toImage().pixel(x, y);
}

TEST(SkinButtonTest, SeeThroughButtonShowsTheSkinUnderIt) {
    SkinnedWindow window;
    window.button.setText({});
    QImage skin(window.size(), QImage::Format_RGB32);
    skin.fill(Qt::darkGreen);
    skin.setPixel(20 + 7, 10 + 5, qRgb(1, 2, 3));

    EXPECT_FALSE(window.button.TakeBackground(skin));
    window.button.SeeThrough();
    EXPECT_FALSE(window.button.TakeBackground(QImage()));
    EXPECT_TRUE(window.button.TakeBackground(skin));
    EXPECT_EQ(Shown(window.button, 7, 5), qRgb(1, 2, 3));
    EXPECT_EQ(Shown(window.button, 30, 12), QColor(Qt::darkGreen).rgb());

    // New colours make that copy stale: the button copies what the window
    // shows under it instead.
    window.button.setPalette(QPalette(Qt::yellow));
    const QImage shown = window.grab().toImage();
    for (QPoint p : {QPoint(21, 11), QPoint(50, 22), QPoint(78, 32)})
        EXPECT_EQ(shown.pixel(p), SkinnedWindow::SkinAt(p.x(), p.y())) << p.x() << "," << p.y();
}

TEST(SkinButtonTest, TheSecondIconShowsAtRestAndTheFirstUnderThePointer) {
    SkinnedWindow window;
    QPixmap red(16, 16), grey(16, 16);
    red.fill(Qt::red);
    grey.fill(QColor(76, 76, 76));
    window.other.AssignIcons(QIcon(red), 16, 16, QIcon(grey), 16, 16);
    EXPECT_EQ(Shown(window.other, 30, 12), qRgb(76, 76, 76));
    MovePointer(window.other);
    EXPECT_EQ(Shown(window.other, 30, 12), qRgb(255, 0, 0));
}

TEST(SkinButtonTest, HoverNeedsThePointerOverItWithTheLeftButtonUp) {
    SkinnedWindow window;
    const QRgb face = Shown(window.button, 0, 0);
    MovePointer(window.button, Qt::LeftButton); // dragged in from elsewhere
    EXPECT_FALSE(window.button.IsHover());
    EXPECT_EQ(Shown(window.button, 0, 0), face);

    MovePointer(window.button);
    EXPECT_TRUE(window.button.IsHover());
    EXPECT_EQ(Shown(window.button, 0, 0), window.button.palette().color(QPalette::Light).rgb());
}

TEST(SkinButtonTest, HoverEndsOnLeaveFocusLossDeactivationAndDisabling) {
    SkinnedWindow window;
    window.ShowActive();
    SkinButton& button = window.button;

    MovePointer(button);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
    EXPECT_FALSE(button.IsHover());

    button.setFocus();
    MovePointer(button);
    window.other.setFocus();
    EXPECT_FALSE(button.IsHover());

    MovePointer(button);
    SkinnedWindow elsewhere;
    elsewhere.ShowActive();
    EXPECT_FALSE(button.IsHover());

    MovePointer(button);
    button.setEnabled(false);
    EXPECT_FALSE(button.IsHover());
}

TEST(SkinButtonTest, DisablingTheFocusedButtonPassesTheFocusOn) {
    SkinnedWindow window;
    window.ShowActive();
    window.button.setFocus();
    window.button.setEnabled(false);
    EXPECT_EQ(QApplication::focusWidget(), &window.other);
    // With no other control left, the window takes it.
    window.other.setEnabled(false);
    EXPECT_EQ(QApplication::focusWidget(), &window);
}

// The pixels two inside the button's edges, where a focus frame goes.
std::vector<QRgb> Ring(const QImage& image) {
    std::vector<QRgb> ring;
    const QRect r = image.rect().adjusted(2, 2, -2, -2);
    for (int x = r.left(); x <= r.right(); ++x)
        ring.insert(ring.end(), {image.pixel(x, r.top()), image.pixel(x, r.bottom())});
    for (int y = r.top() + 1; y < r.bottom(); ++y)
        ring.insert(ring.end(), {image.pixel(r.left(), y), image.pixel(r.right(), y)});
    return ring;
}

TEST(SkinButtonTest, TabShowsAFocusFrameOverTheSkinAClickDoesNot) {
    SkinnedWindow window;
    window.ShowActive();
    SkinButton& button = window.button;
    button.setText({});
    button.SeeThrough();
    QImage skin(window.size(), QImage::Format_RGB32);
    skin.fill(Qt::darkGreen);
    ASSERT_TRUE(button.TakeBackground(skin));
    window.other.setFocus();
    const std::vector<QRgb> resting = Ring(button.grab().toImage());

    QTest::keyClick(&window.other, Qt::Key_Tab);
    ASSERT_TRUE(button.hasFocus());
    const std::vector<QRgb> focused = Ring(button.grab().toImage());
    std::size_t changed = 0;
    for (std::size_t i = 0; i < resting.size(); ++i)
        changed += focused[i] != resting[i] ? 1 : 0;
    // A dotted line at least: every other pixel of the frame.
    EXPECT_GE(changed, resting.size() / 2);

    window.other.setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(Ring(button.grab().toImage()), resting) << "the frame goes with the focus";
    QTest::mouseClick(&button, Qt::LeftButton);
    ASSERT_TRUE(button.hasFocus());
    button.CancelHover();
    EXPECT_EQ(Ring(button.grab().toImage()), resting) << "no frame after a click";
}

TEST(SkinButtonTest, DoubleClickClicksTwice) {
    SkinnedWindow window;
    window.ShowActive();
    int clicks = 0;
    QObject::connect(&window.button, &QPushButton::clicked, [&] { ++clicks; });
    QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 22));
    EXPECT_EQ(clicks, 2);
}

TEST(SkinButtonTest, TheWindowsPicturesAreFoundBesideTheProgram) {
    const QString data = QString::fromStdString(ProgramDataFolder());
    EXPECT_EQ(QImage(data + QStringLiteral("/icons/backup.png")).size(), QSize(48, 48));
    EXPECT_EQ(QImage(data + QStringLiteral("/stretchPanel.png")).height(),
              QImage(data + QStringLiteral("/staticPanel.png")).height());
}

} // namespace
} // namespace quorvane::ui
