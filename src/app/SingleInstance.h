#pragma once

#include "platform/FileLock.h"
#include "platform/PrivateFolder.h"

#include <functional>
#include <memory>
#include <string>

class QSocketNotifier;

namespace quorvane {

// One copy of the window per user session: a lock file named
// "QUORVANE-466B-8212C782E42C" in $XDG_RUNTIME_DIR (else
// /tmp/quorvane-<uid>/), held with flock for the life of the process; the
// kernel drops it when the process ends. Null when another copy holds it (or
// the lock cannot be made, which must not keep the program from running:
// then the result says so through acquired = false and busy = false).
struct SingleInstance {
    bool busy = false;
    std::unique_ptr<FileLock> lock;

    static SingleInstance Take();
    static std::string LockPath();
    // The socket the first copy listens at, beside the lock.
    static std::string CallPath();
    // What a second copy does before it ends: tells the first one that the
    // user started Quorvane again. Never waits: false when nobody listens.
    static bool CallFirst();
};

// The first copy's ear: a Unix socket at SingleInstance::CallPath(), in the
// user's private folder, through which a later copy says it was started.
// Each connection is one call; nothing is read from it, so no caller can
// hold the window up.
class InstanceCalls {
public:
    // Listens at path (a socket a dead copy left there is replaced: only
    // the holder of the lock listens); null when it cannot.
    static std::unique_ptr<InstanceCalls> Listen(const std::string& path,
                                                 std::function<void()> onCall);
    ~InstanceCalls();
    InstanceCalls(const InstanceCalls&) = delete;
    InstanceCalls& operator=(const InstanceCalls&) = delete;

private:
    InstanceCalls(int socket, std::string path, std::function<void()> onCall);
    void Answer();

    int m_socket;
    std::string m_path;
    std::function<void()> m_onCall;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace quorvane
