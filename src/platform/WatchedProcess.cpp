#include "platform/WatchedProcess.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace quorvane {

namespace {

constexpr std::size_t kMostErrorText = 8192;
// How often a quiet program is looked at for Cancel and the time limit.
constexpr int kPollMilliseconds = 50;

class Pipe {
public:
    Pipe() {
        if (::pipe2(m_ends, O_CLOEXEC) != 0)
            m_ends[0] = m_ends[1] = -1;
    }
    ~Pipe() {
        CloseRead();
        CloseWrite();
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    bool Made() const { return m_ends[0] >= 0; }
    int Read() const { return m_ends[0]; }
    int Write() const { return m_ends[1]; }
    void CloseRead() { Close(m_ends[0]); }
    void CloseWrite() { Close(m_ends[1]); }

private:
    static void Close(int& fd) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
    int m_ends[2] = {-1, -1};
};

} // namespace

WatchedRun RunWatchedStream(const std::vector<std::string>& arguments,
                            const std::function<bool(std::string_view bytes)>& onOutput,
                            const CancelFlag* cancel, std::chrono::milliseconds timeLimit,
                            std::chrono::milliseconds quietLimit) {
    WatchedRun run;
    if (arguments.empty() || arguments[0].empty()) {
        run.startError = std::strerror(ENOENT);
        return run;
    }
    Pipe output;
    Pipe errors;
    if (!output.Made() || !errors.Made()) {
        run.startError = std::strerror(errno);
        return run;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, output.Write(), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errors.Write(), STDERR_FILENO);
    // A process group of its own: a terminal's Ctrl-C is ours to handle, and
    // a kill reaches whatever the program started.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int rc =
        posix_spawn(&pid, arguments[0].c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    output.CloseWrite();
    errors.CloseWrite();
    if (rc != 0) {
        run.startError = std::strerror(rc);
        return run;
    }
    run.started = true;

    const auto deadline = std::chrono::steady_clock::now() + timeLimit;
    auto lastOutput = std::chrono::steady_clock::now();
    bool killed = false;
    std::chrono::steady_clock::time_point killedAt;
    const auto kill = [&] {
        if (!killed) {
            ::kill(-pid, SIGKILL);
            killedAt = std::chrono::steady_clock::now();
        }
        killed = true;
    };
    pollfd watched[2] = {{output.Read(), POLLIN, 0}, {errors.Read(), POLLIN, 0}};
    int open = 2;
    char buffer[16 * 1024];
    while (open > 0) {
        if (!killed && IsCancelled(cancel)) {
            run.cancelled = true;
            kill();
        } else if (!killed && std::chrono::steady_clock::now() >= deadline) {
            run.timedOut = true;
            kill();
        } else if (!killed && std::chrono::steady_clock::now() - lastOutput >= quietLimit) {
            run.quiet = true;
            kill();
        } else if (killed &&
                   std::chrono::steady_clock::now() - killedAt > std::chrono::seconds(2)) {
            // Something that left the group still holds the pipes: the
            // program itself is gone, and nothing it says matters now.
            break;
        }
        const int ready = ::poll(watched, 2, kPollMilliseconds);
        if (ready < 0 && errno != EINTR)
            break;
        for (pollfd& entry : watched) {
            if (entry.fd < 0 || (entry.revents & (POLLIN | POLLHUP | POLLERR)) == 0)
                continue;
            const ssize_t got = ::read(entry.fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0) {
                entry.fd = -1;
                --open;
                continue;
            }
            const std::string_view bytes(buffer, static_cast<std::size_t>(got));
            if (entry.fd == errors.Read()) {
                run.errorText.append(bytes.substr(
                    0, kMostErrorText - std::min(kMostErrorText, run.errorText.size())));
                continue;
            }
            if (killed)
                continue;
            lastOutput = std::chrono::steady_clock::now();
            if (onOutput && !onOutput(bytes)) {
                run.stopped = true;
                kill();
            }
        }
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    while (!run.errorText.empty() && (run.errorText.back() == '\n' || run.errorText.back() == '\r'))
        run.errorText.pop_back();
    return run;
}

WatchedRun RunWatched(const std::vector<std::string>& arguments,
                      const std::function<void(std::string_view line)>& onLine,
                      const CancelFlag* cancel, std::chrono::milliseconds timeLimit,
                      std::size_t mostLineBytes) {
    std::string pending;
    bool tooLong = false;
    WatchedRun run = RunWatchedStream(
        arguments,
        [&](std::string_view bytes) {
            pending.append(bytes);
            std::size_t start = 0;
            for (std::size_t end; (end = pending.find('\n', start)) != std::string::npos;
                 start = end + 1) {
                if (onLine)
                    onLine(std::string_view(pending).substr(start, end - start));
            }
            pending.erase(0, start);
            tooLong = pending.size() > mostLineBytes;
            return !tooLong;
        },
        cancel, timeLimit, timeLimit);
    if (tooLong) {
        run.tooMuchOutput = true;
        run.stopped = false;
    }
    return run;
}

} // namespace quorvane
