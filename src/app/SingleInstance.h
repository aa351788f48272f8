#pragma once

#include "platform/FileLock.h"
#include "platform/PrivateFolder.h"

#include <memory>
#include <string>

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
};

} // namespace quorvane
