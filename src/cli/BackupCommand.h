#pragma once

#include "cli/CliOptions.h"

namespace quorvane::cli {

// "backup": lists as "list" does, then backs up the chosen items into a
// folder and says what became of each, one tab-separated line per item.
Command BackupCommand();

} // namespace quorvane::cli
