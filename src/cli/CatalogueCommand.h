#pragma once

#include "cli/CliOptions.h"

#include <string>
#include <string_view>

namespace quorvane::cli {

// "catalogue": lists the objects of one content type of an account, one
// tab-separated line each (index, location, tag, display name).
Command CatalogueCommand();

// A field of an output line in UTF-8: tabs, line breaks and other control
// characters (which a hostile catalogue can put into names) are written as
// backslash escapes, and so is the backslash itself, so each object stays on
// one line with exactly four fields.
std::string EscapeField(std::string_view utf8);

} // namespace quorvane::cli
