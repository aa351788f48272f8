#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quorvane {

class CabinetTools;

struct PackCheck {
    bool sound = false;
    std::string reason;             // why not
    std::vector<std::string> files; // the files the pack holds, content.xml included
};

// Checks a sealed ".msn" pack the way Messenger will read it: the transform
// undone on a copy, the cabinet expanded by the project's own extract tool,
// "content.xml" well-formed XML naming only files that are in the pack, and
// the pack holding nothing content.xml does not name. The
// pack itself is never changed; the work happens in a folder under
// tempFolder that is removed afterwards.
PackCheck VerifyPack(const std::string& packPath, CabinetTools& tools,
                     const std::string& tempFolder);

} // namespace quorvane
