#pragma once

#include "cli/CliOptions.h"
#include "sources/DiskImage.h"

#include <memory>
#include <vector>

namespace quorvane::cli {

// --disk-image, --windows-user and --partition: reading an account from an
// old computer's disk image instead of a Wine prefix.
std::vector<Option> DiskImageOptions();

// The Windows user's folders copied out of the image --disk-image names,
// kept until the program ends; null when it is not given. A Usage failure
// for options that do not go with it, Cancelled when an interrupt stopped
// the reading, and a failure with the reason when the image holds no user
// to read (or more than one and none was chosen).
Result<std::shared_ptr<const DiskImageCopy>> DiskImageCopyFromOptions(const ParsedOptions& options);

} // namespace quorvane::cli
