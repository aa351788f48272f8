#pragma once

#include "support/ChildRun.h"

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace quorvane::test {

inline const std::string kCabarc = QUORVANE_CABARC;
inline const std::string kExtract = QUORVANE_EXTRACT;
inline const std::filesystem::path kCorpus = QUORVANE_CABINET_CORPUS;

// Environment variables set for one child on top of the test's own.
using Variables = std::map<std::string, std::string>;

// Long enough for any cabinet here on a loaded machine, short enough that a
// tool waiting on something that never comes fails its test.
inline constexpr std::chrono::seconds kToolTime{20};

// Runs a program directly, killing it when it outlives the limit.
inline ChildResult RunWithin(const std::vector<std::string>& argv,
                             std::chrono::milliseconds limit = kToolTime,
                             const Variables& variables = {}) {
    ChildOptions options;
    options.variables = variables;
    options.timeLimit = limit;
    return RunChild(argv, options);
}

// The argument vector the backup engine uses.
inline ChildResult RunExtract(const std::filesystem::path& destination,
                              const std::filesystem::path& cabinet,
                              const Variables& variables = {}) {
    return RunWithin({kExtract, "/Y", "/E", "/L", destination.string(), cabinet.string()},
                     kToolTime, variables);
}

inline ChildResult RunCabarc(const std::vector<std::string>& arguments,
                             const Variables& variables = {},
                             std::chrono::milliseconds limit = std::chrono::seconds(60)) {
    std::vector<std::string> argv{kCabarc};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return RunWithin(argv, limit, variables);
}

} // namespace quorvane::test
