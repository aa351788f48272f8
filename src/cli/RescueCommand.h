#pragma once

#include "cli/CliOptions.h"

namespace quorvane::cli {

// "rescue": copies the pictures and cabinets of a Windows user's Messenger
// folders by their content, for when the Windows password is not known and
// the catalogues cannot be read. One tab-separated line per file copied
// (the file written, its kind, the file it came from).
Command RescueCommand();

} // namespace quorvane::cli
