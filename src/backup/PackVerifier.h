#pragma once

#include "platform/Result.h"

#include <string>
#include <vector>

namespace quorvane {

class CabinetTools;

// Checks a sealed ".msn" pack the way Messenger will read it: the transform
// undone on a copy, the cabinet expanded by the project's own extract tool,
// "content.xml" well-formed XML naming only files that are in the pack, and
// the pack holding nothing content.xml does not name. The
// pack itself is never changed; the work happens in a folder under
// tempFolder that is removed afterwards. The files a sound pack holds,
// content.xml included, by name; Damaged when the pack is not sound.
Result<std::vector<std::string>> VerifyPack(const std::string& packPath, CabinetTools& tools,
                                            const std::string& tempFolder);

} // namespace quorvane
