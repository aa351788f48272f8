// The window's skin as the user sees it: still when left alone.

#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "ui/WindowAccountTest.h"
#include "ui/main/CDlgMain.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace quorvane::ui {
namespace {

// Counts the paint events of one window and everything in it.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* window) : m_window(window) {
        QApplication::instance()->installEventFilter(this);
    }
    ~PaintCounter() override { QApplication::instance()->removeEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            (watched == m_window || m_window->isAncestorOf(static_cast<QWidget*>(watched))))
            ++count;
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* m_window;
};

class WindowSkinTest : public test::WindowAccountTest {
protected:
    std::string DataFolder() const { return JoinPath(ExecutableFolder(), "../share/quorvane"); }
    std::unique_ptr<CDlgMain> Open() {
        auto window = std::make_unique<CDlgMain>(WineAccount{root / "wine", test::kWindowWineUser},
                                                 DataFolder());
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }
};

TEST_F(WindowSkinTest, AWindowLeftAloneDrawsNothing) {
    for (int n = 0; n < 3; ++n)
        builder.Add(ContentCategory::Winks,
                    test::MessengerAccountBuilder::SampleObject(ContentCategory::Winks, n));
    builder.Write();
    auto window = Open();
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

} // namespace
} // namespace quorvane::ui
