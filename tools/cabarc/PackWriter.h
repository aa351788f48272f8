#pragma once

#include "PackInputs.h"

#include <string>
#include <vector>

namespace quorvane::cabarc {

// Writes a new MSZIP cabinet through libgcab. The cabinet is built in a new
// file beside the pack, created exclusively under a random hidden name and
// never through a link, and renamed over the pack only when complete: a pack
// that exists is always a whole one, old or new, and a link planted at the
// pack's name (or at any name) is replaced, never written through.
class PackWriter {
public:
    explicit PackWriter(std::string packPath);

    bool Write(const std::vector<PackInput>& files, std::string& error);

private:
    bool WriteCabinet(int fd, const std::vector<PackInput>& files, std::string& error);

    std::string m_packPath;
    std::string m_folder;
    std::string m_baseName;
};

} // namespace quorvane::cabarc
