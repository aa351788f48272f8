#pragma once

#include <string>
#include <vector>

namespace quorvane {

// How one run of an external program went. Callers judge their own outcome
// by what is on disk; the exit code and the program's error text serve to
// say why something is missing.
struct ProcessResult {
    bool started = false;
    int exitCode = -1;      // -1 when the program did not exit normally
    int signal = 0;         // the signal that ended it, when one did
    std::string errorText;  // what it wrote on standard error (cut to a few KB)
    std::string outputText; // what it wrote on standard output (cut to 64 KiB)
    std::string startError; // why it could not be started
};

// Starts programs and waits for them. An interface so tests and benchmarks
// can hand in their own.
class ProcessRunner {
public:
    virtual ~ProcessRunner() = default;
    // arguments[0] is the program's path. Never runs through a shell: each
    // argument reaches the program as it is.
    virtual ProcessResult Run(const std::vector<std::string>& arguments,
                              const std::string& workingFolder) = 0;
};

class SpawnProcessRunner final : public ProcessRunner {
public:
    ProcessResult Run(const std::vector<std::string>& arguments,
                      const std::string& workingFolder) override;
};

// Finds a tool named bare: first beside the program's installed tools
// (<programFolder>/../libexec/quorvane), then in the program's own folder,
// then on PATH. Empty when it is nowhere.
std::string FindTool(const std::string& name, const std::string& programFolder);

} // namespace quorvane
