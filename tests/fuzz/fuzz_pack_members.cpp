// Before a pack replaces the file already under its name in the backup
// folder, which anyone may have put there, the extract tool reads both as
// cabinets in memory. The input is the cabinet; the first byte picks how
// many bytes its members may hold.

#include "FuzzSupport.h"

#include "CabinetComparison.h"

#include <cstddef>
#include <cstdint>
#include <string>

using quorvane::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // 0 to 255 KiB in steps of 1 KiB.
    const std::size_t mostBytes = std::size_t{data[0]} * 1024;
    const std::string cabinet(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto files = quorvane::extract::CabinetMembers(cabinet, mostBytes);
    if (!files)
        return 0;
    std::size_t total = 0;
    for (const auto& [name, bytes] : *files) {
        Require(name != "content.xml");
        Require(name.find_first_of("/\\") == std::string::npos);
        total += bytes.size();
    }
    Require(total <= mostBytes);
    return 0;
}
