#include "app/SingleInstance.h"

#include "platform/FileLock.h"
#include "platform/Paths.h"

#include <cstdlib>
#include <unistd.h>

namespace quorvane {

std::string SingleInstance::LockPath() {
    std::string folder;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime == '/')
        folder = runtime;
    else
        folder = "/tmp/quorvane-" + std::to_string(::getuid());
    return JoinPath(folder, "QUORVANE-466B-8212C782E42C");
}

SingleInstance SingleInstance::Take() {
    SingleInstance taken;
    const std::string path = LockPath();
    // The fallback folder under /tmp is shared with everyone: it must be the
    // user's own and not a link.
    if (ParentFolder(path).starts_with("/tmp/") && !EnsurePrivateFolder(ParentFolder(path)))
        return taken;
    Result<std::unique_ptr<FileLock>> lock = FileLock::Acquire(path, 0);
    taken.busy = FileLock::OutcomeOf(lock) == FileLock::Outcome::Busy;
    if (lock)
        taken.lock = std::move(*lock);
    return taken;
}

} // namespace quorvane
