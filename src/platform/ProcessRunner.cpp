#include "platform/ProcessRunner.h"

#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/TranslatedSentence.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace quorvane {

namespace {

constexpr std::size_t kMaxErrorText = 8192;
constexpr std::size_t kMaxOutputText = 64 * 1024;

bool IsExecutableFile(const std::string& path) {
    return access(path.c_str(), X_OK) == 0 && !IsDirectory(path);
}

class FileActions {
public:
    FileActions() { posix_spawn_file_actions_init(&m_actions); }
    ~FileActions() { posix_spawn_file_actions_destroy(&m_actions); }
    FileActions(const FileActions&) = delete;
    FileActions& operator=(const FileActions&) = delete;
    posix_spawn_file_actions_t* Get() { return &m_actions; }

private:
    posix_spawn_file_actions_t m_actions{};
};

} // namespace

ProcessResult SpawnProcessRunner::Run(const std::vector<std::string>& arguments,
                                      const std::string& workingFolder) {
    ProcessResult result;
    if (arguments.empty() || arguments[0].empty()) {
        result.startError =
            Sentence(QCoreApplication::translate("quorvane::Outcomes", "no program to run"));
        return result;
    }
    int errorPipe[2];
    if (pipe2(errorPipe, O_CLOEXEC) != 0) {
        result.startError = std::strerror(errno);
        return result;
    }
    int outputPipe[2];
    if (pipe2(outputPipe, O_CLOEXEC) != 0) {
        result.startError = std::strerror(errno);
        close(errorPipe[0]);
        close(errorPipe[1]);
        return result;
    }

    // The child gets no input, its output and error text are kept (each up
    // to a bound, the rest read and dropped, so it never blocks on a full
    // pipe); nothing else of ours is inherited (O_CLOEXEC).
    FileActions actions;
    posix_spawn_file_actions_addopen(actions.Get(), STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(actions.Get(), outputPipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(actions.Get(), errorPipe[1], STDERR_FILENO);
    if (!workingFolder.empty())
        posix_spawn_file_actions_addchdir_np(actions.Get(), workingFolder.c_str());

    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    // The child runs in a process group of its own, so the Ctrl-C meant for
    // us does not kill a cabinet tool half-way through a pack: we stop after
    // the item it is working on.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t pid = 0;
    int rc =
        posix_spawn(&pid, arguments[0].c_str(), actions.Get(), &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    close(errorPipe[1]);
    close(outputPipe[1]);
    if (rc != 0) {
        close(errorPipe[0]);
        close(outputPipe[0]);
        result.startError = std::strerror(rc);
        return result;
    }
    result.started = true;

    struct Stream {
        int fd;
        std::string& text;
        std::size_t most;
    };
    Stream streams[] = {{errorPipe[0], result.errorText, kMaxErrorText},
                        {outputPipe[0], result.outputText, kMaxOutputText}};
    char buffer[4096];
    for (std::size_t open = 2; open > 0;) {
        pollfd waiting[2] = {{streams[0].fd, POLLIN, 0}, {streams[1].fd, POLLIN, 0}};
        if (poll(waiting, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        for (std::size_t i = 0; i < 2; ++i) {
            if (streams[i].fd < 0 || waiting[i].revents == 0)
                continue;
            const ssize_t got = read(streams[i].fd, buffer, sizeof(buffer));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0) {
                close(streams[i].fd);
                streams[i].fd = -1;
                --open;
                continue;
            }
            std::string& text = streams[i].text;
            if (text.size() < streams[i].most)
                text.append(buffer,
                            std::min(static_cast<std::size_t>(got), streams[i].most - text.size()));
        }
    }
    for (const Stream& stream : streams)
        if (stream.fd >= 0)
            close(stream.fd);

    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    while (!result.errorText.empty() &&
           (result.errorText.back() == '\n' || result.errorText.back() == '\r'))
        result.errorText.pop_back();
    return result;
}

std::string FindTool(const std::string& name, const std::string& programFolder) {
    if (!programFolder.empty()) {
        for (const char* relative : {"../libexec/quorvane", "."}) {
            std::string candidate = JoinPath(JoinPath(programFolder, relative), name);
            if (IsExecutableFile(candidate))
                return candidate;
        }
    }
    const char* path = std::getenv("PATH");
    std::string_view rest = path != nullptr ? path : "";
    while (!rest.empty()) {
        std::size_t colon = rest.find(':');
        std::string_view folder = rest.substr(0, colon);
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        if (folder.empty())
            continue;
        std::string candidate = JoinPath(folder, name);
        if (IsExecutableFile(candidate))
            return candidate;
    }
    return {};
}

} // namespace quorvane
