#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quorvane::test {

// What a child program did.
struct ChildResult {
    bool started = false;
    int exitCode = -1; // -1 when it did not exit normally
    std::string out;   // standard output (empty when it went to a given file)
    std::string err;   // standard error
};

struct ChildOptions {
    // The child's whole environment; null keeps the test's own.
    const std::map<std::string, std::string>* environment = nullptr;
    std::string workingFolder; // "" keeps the test's own
    std::string stdoutPath;    // "" captures standard output
};

// Runs a program directly, never through a shell, with empty standard input,
// and waits for it. Independent of the program's own process runner.
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
