#pragma once

#include "PackInputs.h"

#include <gio/gio.h>

#include <string>
#include <vector>

namespace quorvane::cabarc {

// Writes a new MSZIP cabinet through libgcab. The cabinet is built under a
// temporary name beside the pack and renamed over it only when complete, so
// a pack that exists is always a whole one, old or new.
class PackWriter {
public:
    explicit PackWriter(std::string packPath);

    bool Write(const std::vector<PackInput>& files, std::string& error);

private:
    bool WriteTemporary(GFileIOStream* stream, const std::vector<PackInput>& files,
                        std::string& error);

    std::string m_packPath;
    std::string m_folder;
    std::string m_baseName;
};

} // namespace quorvane::cabarc
