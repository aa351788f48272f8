#include "support/ChildRun.h"

#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/SystemFolders.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace quorvane::test {

namespace {

// A file the child writes into, read back and removed afterwards.
class CaptureFile {
public:
    CaptureFile() : m_path(TemporaryFolder() + "quorvane-child-XXXXXX") {
        int fd = mkstemp(m_path.data());
        if (fd >= 0)
            close(fd);
        else
            m_path.clear();
    }
    ~CaptureFile() {
        if (!m_path.empty())
            unlink(m_path.c_str());
    }
    CaptureFile(const CaptureFile&) = delete;
    CaptureFile& operator=(const CaptureFile&) = delete;
    const std::string& Path() const { return m_path; }
    std::string Read() const { return ReadRegularFile(m_path).value_or(std::string()); }

private:
    std::string m_path;
};

} // namespace

ChildResult RunChild(const std::vector<std::string>& arguments, const ChildOptions& options) {
    ChildResult result;
    if (arguments.empty())
        return result;
    CaptureFile out;
    CaptureFile err;
    const std::string& outPath = options.stdoutPath.empty() ? out.Path() : options.stdoutPath;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(
        &actions, STDIN_FILENO, options.stdinPath.empty() ? "/dev/null" : options.stdinPath.c_str(),
        O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.Path().c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (!options.workingFolder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, options.workingFolder.c_str());

    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<std::string> entries;
    std::vector<char*> envp;
    const bool ownEnvironment = options.environment != nullptr || !options.variables.empty();
    if (ownEnvironment) {
        std::map<std::string, std::string> variables;
        if (options.environment != nullptr) {
            variables = *options.environment;
        } else {
            for (char** entry = environ; *entry != nullptr; ++entry) {
                const std::string text = *entry;
                const std::size_t equals = text.find('=');
                if (equals != std::string::npos)
                    variables[text.substr(0, equals)] = text.substr(equals + 1);
            }
        }
        for (const auto& [name, value] : options.variables)
            variables[name] = value;
        for (const auto& [name, value] : variables)
            entries.push_back(name + "=" + value);
        for (std::string& entry : entries)
            envp.push_back(entry.data());
        envp.push_back(nullptr);
    }

    pid_t pid = 0;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(),
                               ownEnvironment ? envp.data() : environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return result;
    result.started = true;
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + options.timeLimit;
    for (;;) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid)
            break;
        if (done < 0 && errno != EINTR)
            break;
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(pid, SIGKILL);
            while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            result.timedOut = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (WIFSIGNALED(status)) {
        result.signaled = true;
        result.signal = WTERMSIG(status);
    }
    if (options.stdoutPath.empty())
        result.out = out.Read();
    result.err = err.Read();
    return result;
}

bool ChildResult::SanitizerReported() const {
    return err.find("Sanitizer") != std::string::npos ||
           err.find("runtime error:") != std::string::npos;
}

std::string ChildResult::Describe() const {
    std::string text;
    if (!started)
        text = "did not start";
    else if (timedOut)
        text = "timed out";
    else if (signaled)
        text = "killed by signal " + std::to_string(signal);
    else
        text = "exit " + std::to_string(exitCode);
    return text + "\nstdout: " + out + "\nstderr: " + err;
}

std::map<std::string, std::string> IsolatedEnvironment(const std::string& root,
                                                       const std::string& winePrefix,
                                                       const std::string& wineUser) {
    const auto folder = [&](const char* name) {
        const std::string path = JoinPath(root, name);
        MakeFolders(path);
        return path;
    };
    return {
        {"HOME", folder("home")},
        {"WINEPREFIX", winePrefix},
        {"USER", wineUser},
        {"XDG_CONFIG_HOME", folder("home/.config")},
        {"XDG_DATA_HOME", folder("home/.local/share")},
        {"XDG_CACHE_HOME", folder("home/.cache")},
        {"XDG_STATE_HOME", folder("home/.local/state")},
        {"XDG_RUNTIME_DIR", folder("run")},
        {"TMPDIR", folder("tmp")},
        {"PATH", "/usr/bin:/bin"},
        // The program's output must not depend on the user's locale.
        {"LC_ALL", "C"},
    };
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t at = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', at);
        fields.push_back(line.substr(at, tab == std::string::npos ? std::string::npos : tab - at));
        if (tab == std::string::npos)
            return fields;
        at = tab + 1;
    }
}

namespace {

void SetVariable(const std::string& name, const std::optional<std::string>& value) {
    if (value)
        setenv(name.c_str(), value->c_str(), 1);
    else
        unsetenv(name.c_str());
}

} // namespace

ScopedVariable::ScopedVariable(std::string name, const std::optional<std::string>& value)
    : m_name(std::move(name)) {
    if (const char* old = std::getenv(m_name.c_str()))
        m_old = old;
    SetVariable(m_name, value);
}

ScopedVariable::~ScopedVariable() {
    SetVariable(m_name, m_old);
}

} // namespace quorvane::test
