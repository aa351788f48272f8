#pragma once

#include "cli/CliOptions.h"

namespace quorvane::cli {

// "verify": checks sealed ".msn" packs the way Messenger will read them.
Command VerifyCommand();

} // namespace quorvane::cli
