#pragma once

#include <map>
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

} // namespace quorvane::test
