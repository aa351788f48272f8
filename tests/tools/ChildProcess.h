#pragma once

#include <chrono>
#include <string>
#include <utility>
#include <vector>

namespace quorvane::test {

struct ChildResult {
    bool timedOut = false;
    bool signaled = false;
    int signal = 0;
    int exitCode = -1;
    std::string out;
    std::string err;

    bool ExitedWith(int code) const { return !timedOut && !signaled && exitCode == code; }
    // In a sanitizer build a memory error ends the child with an ordinary
    // exit code, which a test expecting failure would take for a refusal.
    bool SanitizerReported() const {
        return err.find("Sanitizer") != std::string::npos ||
               err.find("runtime error:") != std::string::npos;
    }
    // For assertion messages: how the child ended and what it said.
    std::string Describe() const;
};

// Runs a program directly (posix_spawn, no shell), stdin from /dev/null,
// stdout and stderr captured. A child still running at the time limit is
// killed and reported as timed out, so a hanging program fails its test
// instead of stalling the whole run.
class ChildProcess {
public:
    static ChildResult
    Run(const std::vector<std::string>& argv,
        std::chrono::milliseconds limit = std::chrono::seconds(20),
        const std::vector<std::pair<std::string, std::string>>& environment = {});
};

} // namespace quorvane::test
