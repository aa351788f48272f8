#pragma once

#include <QFuture>
#include <QFutureWatcher>
#include <QObject>
#include <QtConcurrent/QtConcurrentRun>

#include <utility>

namespace quorvane {

// Runs task on Qt's thread pool and hands its result to callback on the
// thread of context, unless context is gone by then. The future lets a
// caller wait for the task.
template <typename Task, typename Callback>
auto RunThenCallback(QObject* context, Task task, Callback callback) {
    using Result = decltype(task());
    auto* watcher = new QFutureWatcher<Result>(context);
    QObject::connect(watcher, &QFutureWatcher<Result>::finished, context,
                     [watcher, callback = std::move(callback)]() mutable {
                         callback(watcher->result());
                         watcher->deleteLater();
                     });
    QFuture<Result> future = QtConcurrent::run(std::move(task));
    watcher->setFuture(future);
    return future;
}

} // namespace quorvane
