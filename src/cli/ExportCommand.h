#pragma once

#include "cli/CliOptions.h"

namespace quorvane::cli {

// "export": lists one or more content types as "list" does, then writes the
// chosen items as files any program opens, with renders of the movies, a
// gallery and a manifest.
Command ExportCommand();

} // namespace quorvane::cli
