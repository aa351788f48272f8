#pragma once

#include "protection/DpapiCrypto.h"

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
    // The pool keeps its threads for later jobs: each lets go of the crypto
    // state its job made.
    QFuture<Result> future = QtConcurrent::run([task = std::move(task)]() mutable {
        Result result = task();
        dpapi::ReleaseThreadCryptoState();
        return result;
    });
    watcher->setFuture(future);
    return future;
}

} // namespace quorvane
