#include "app/SingleInstance.h"

#include "platform/FileLock.h"
#include "platform/Paths.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace quorvane {

namespace {

// The address of path, or false when it is too long for one.
bool SocketAddress(const std::string& path, sockaddr_un& address) {
    address = {};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof(address.sun_path))
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

} // namespace

std::string SingleInstance::LockPath() {
    std::string folder;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime == '/')
        folder = runtime;
    else
        folder = "/tmp/quorvane-" + std::to_string(::getuid());
    return JoinPath(folder, "QUORVANE-466B-8212C782E42C");
}

std::string SingleInstance::CallPath() {
    return LockPath() + ".socket";
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

bool SingleInstance::CallFirst() {
    sockaddr_un address;
    if (!SocketAddress(CallPath(), address))
        return false;
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (socket < 0)
        return false;
    // A full backlog (a first copy that hangs) refuses at once instead of
    // keeping this copy waiting.
    const bool called =
        ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    ::close(socket);
    return called;
}

std::unique_ptr<InstanceCalls> InstanceCalls::Listen(const std::string& path,
                                                     std::function<void()> onCall) {
    sockaddr_un address;
    if (!SocketAddress(path, address))
        return nullptr;
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (socket < 0)
        return nullptr;
    ::unlink(path.c_str());
    if (::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
        ::listen(socket, 8) != 0) {
        ::close(socket);
        return nullptr;
    }
    return std::unique_ptr<InstanceCalls>(new InstanceCalls(socket, path, std::move(onCall)));
}

InstanceCalls::InstanceCalls(int socket, std::string path, std::function<void()> onCall)
    : m_socket(socket), m_path(std::move(path)), m_onCall(std::move(onCall)),
      m_notifier(std::make_unique<QSocketNotifier>(socket, QSocketNotifier::Read)) {
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { Answer(); });
}

InstanceCalls::~InstanceCalls() {
    m_notifier.reset();
    ::close(m_socket);
    ::unlink(m_path.c_str());
}

void InstanceCalls::Answer() {
    // Every waiting call is taken; several at once bring the window forward
    // once.
    bool called = false;
    for (int caller; (caller = ::accept4(m_socket, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;) {
        ::close(caller);
        called = true;
    }
    if (called && m_onCall)
        m_onCall();
}

} // namespace quorvane
