#pragma once

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

namespace quorvane::test {

// Counts the paint events of one window and everything in it, for as long
// as the object lives.
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

} // namespace quorvane::test
