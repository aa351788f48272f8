#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quorvane::test {

// What a child program did.
struct ChildResult {
    bool started = false;
    int exitCode = -1;     // -1 when it did not exit normally
    std::string out;       // standard output (empty when it went to a given file)
    std::string err;       // standard error
    bool timedOut = false; // killed at the time limit
    bool signaled = false; // ended by a signal, as at the time limit
    int signal = 0;

    bool ExitedWith(int code) const { return started && !signaled && exitCode == code; }
    // In a sanitizer build a memory error ends the child with an ordinary
    // exit code, which a test expecting failure would take for a refusal.
    bool SanitizerReported() const;
    // For assertion messages: how the child ended and what it said.
    std::string Describe() const;
};

struct ChildOptions {
    // The child's whole environment; null keeps the test's own.
    const std::map<std::string, std::string>* environment = nullptr;
    std::string workingFolder; // "" keeps the test's own
    std::string stdoutPath;    // "" captures standard output
    // The two below have default initialisers, so that callers listing only
    // the fields above stay complete under -Wmissing-field-initializers.
    // Set in the child on top of its environment (the test's own or the
    // one given), replacing variables of the same name.
    std::map<std::string, std::string> variables{};
    // A child still running after this long is killed (SIGKILL, which no
    // program can turn into a cancel) and reported as timed out, so a
    // hanging program fails its test instead of stalling the run.
    std::chrono::milliseconds timeLimit{std::chrono::minutes(2)};
    // A file to read standard input from; "" gives an empty one.
    std::string stdinPath{};
};

// Runs a program directly, never through a shell, with empty standard input,
// and waits for it (within options.timeLimit, when set). Independent of the
// program's own process runner.
ChildResult RunChild(const std::vector<std::string>& arguments, const ChildOptions& options = {});

// An environment for a child that touches nothing of the real user's: home,
// the XDG folders, the runtime and temporary folders are made under root;
// the Wine prefix and user are as given; PATH is the system's, the locale C.
std::map<std::string, std::string> IsolatedEnvironment(const std::string& root,
                                                       const std::string& winePrefix,
                                                       const std::string& wineUser);

// The lines of a program's output, without their line ends.
std::vector<std::string> Lines(const std::string& text);
// The tab-separated fields of one output line.
std::vector<std::string> Fields(const std::string& line);

// Sets (or, with nullopt, removes) an environment variable of the test
// process for the life of the object.
class ScopedVariable {
public:
    ScopedVariable(std::string name, const std::optional<std::string>& value);
    ~ScopedVariable();
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_old;
};

} // namespace quorvane::test
