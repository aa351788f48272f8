#pragma once

#include "cli/CliOptions.h"

#include <string>
#include <string_view>

namespace quorvane::cli {

// "demo": writes Quorvane's demo account (or finds it written) and says how
// to list it.
Command DemoCommand();

// An argument as a POSIX shell reads it back: bare when it holds only
// characters the shell leaves alone, else in single quotes.
std::string ShellQuoted(std::string_view argument);

} // namespace quorvane::cli
