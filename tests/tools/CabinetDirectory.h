#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorvane::test {

// The member table of a cabinet as stored, read straight from the bytes
// without any cabinet library, to check what the archiver wrote.
struct CabinetEntry {
    std::string name;
    std::uint32_t size = 0;
    std::uint16_t folder = 0;
    std::uint16_t date = 0; // DOS date: year-1980 << 9 | month << 5 | day
    std::uint16_t time = 0; // DOS time: hour << 11 | minute << 5 | second / 2
    std::uint16_t attributes = 0;
};

struct CabinetDirectory {
    std::uint16_t folderCount = 0;
    std::uint16_t compression = 0; // of the first folder
    std::uint32_t dataOffset = 0;  // of the first folder's first block
    std::uint16_t blockCount = 0;  // of the first folder
    std::vector<CabinetEntry> entries;

    // Throws on anything that is not a plain single cabinet.
    static CabinetDirectory Read(const std::string& bytes);
};

} // namespace quorvane::test
