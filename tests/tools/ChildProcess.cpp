#include "ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace quorvane::test {

namespace {

std::string ReadAndRemove(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    ::unlink(path.c_str());
    return text.str();
}

std::string CaptureFile() {
    const char* folder = std::getenv("TMPDIR");
    std::string pattern = std::string(folder != nullptr ? folder : "/tmp") + "/qv-child-XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        throw std::runtime_error("mkstemp failed");
    }
    ::close(fd);
    return pattern;
}

} // namespace

std::string ChildResult::Describe() const {
    std::string text;
    if (timedOut) {
        text = "timed out";
    } else if (signaled) {
        text = "killed by signal " + std::to_string(signal);
    } else {
        text = "exit " + std::to_string(exitCode);
    }
    return text + "\nstdout: " + out + "\nstderr: " + err;
}

ChildResult ChildProcess::Run(const std::vector<std::string>& argv, std::chrono::milliseconds limit,
                              const std::vector<std::pair<std::string, std::string>>& environment) {
    const std::string outPath = CaptureFile();
    const std::string errPath = CaptureFile();

    std::vector<char*> args;
    for (const auto& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);

    std::vector<std::string> envStrings;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string variable = *entry;
        bool replaced = false;
        for (const auto& [name, value] : environment) {
            if (variable.compare(0, name.size() + 1, name + "=") == 0) {
                replaced = true;
            }
        }
        if (!replaced) {
            envStrings.push_back(variable);
        }
    }
    for (const auto& [name, value] : environment) {
        envStrings.push_back(name + "=" + value);
    }
    std::vector<char*> env;
    for (auto& variable : envStrings) {
        env.push_back(variable.data());
    }
    env.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_TRUNC, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_TRUNC, 0);

    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, args[0], &actions, nullptr, args.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    ChildResult result;
    if (spawned != 0) {
        ::unlink(outPath.c_str());
        ::unlink(errPath.c_str());
        result.err = std::string("cannot start ") + argv[0] + ": " + std::strerror(spawned);
        return result;
    }

    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    for (;;) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            break;
        }
        if (done < 0 && errno != EINTR) {
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            result.timedOut = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (!result.timedOut) {
        if (WIFSIGNALED(status)) {
            result.signaled = true;
            result.signal = WTERMSIG(status);
        } else if (WIFEXITED(status)) {
            result.exitCode = WEXITSTATUS(status);
        }
    }
    result.out = ReadAndRemove(outPath);
    result.err = ReadAndRemove(errPath);
    return result;
}

} // namespace quorvane::test
