#pragma once

#include "cli/CliOptions.h"

namespace quorvane::cli {

// "unprotect": decrypts one file a Windows user protected, with the user's
// master keys and password, for checking a password or a damaged file.
Command UnprotectCommand();

} // namespace quorvane::cli
