#pragma once

#include <cstdint>
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

// The files a sealed pack holds besides its manifest, by name, with their
// bytes; nothing when it cannot be read as a pack, or its files would hold
// more than mostBytes in all. Two backups of the same object hold the same
// files, while their manifests differ (a manifest carries the content id of
// the listing it came from). Read in memory, with no tool run: a backup
// compares each pack it makes with the one already under its name.
std::optional<std::map<std::string, std::string>> PackObjectFiles(const std::string& packPath,
                                                                  std::size_t mostBytes = SIZE_MAX);

} // namespace quorvane
