#pragma once

#include "cli/CliOptions.h"

namespace quorvane::cli {

// "list": what the window's left list shows after List, one tab-separated
// line per item (item data, display name, file name in the object folder).
Command ListCommand();

} // namespace quorvane::cli
