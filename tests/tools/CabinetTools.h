#pragma once

#include "ChildProcess.h"

#include <filesystem>
#include <string>
#include <vector>

namespace quorvane::test {

inline const std::string kCabarc = QUORVANE_CABARC;
inline const std::string kExtract = QUORVANE_EXTRACT;
inline const std::filesystem::path kCorpus = QUORVANE_CABINET_CORPUS;

// The argument vector the backup engine uses.
inline ChildResult RunExtract(const std::filesystem::path& destination,
                              const std::filesystem::path& cabinet,
                              const std::vector<std::pair<std::string, std::string>>& env = {}) {
    return ChildProcess::Run({kExtract, "/Y", "/E", "/L", destination.string(), cabinet.string()},
                             std::chrono::seconds(20), env);
}

inline ChildResult RunCabarc(const std::vector<std::string>& arguments,
                             const std::vector<std::pair<std::string, std::string>>& env = {},
                             std::chrono::milliseconds limit = std::chrono::seconds(60)) {
    std::vector<std::string> argv{kCabarc};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return ChildProcess::Run(argv, limit, env);
}

} // namespace quorvane::test
