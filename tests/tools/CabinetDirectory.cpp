#include "CabinetDirectory.h"

#include <stdexcept>

namespace quorvane::test {

namespace {

std::uint32_t Get16(const std::string& bytes, std::size_t at) {
    if (at + 2 > bytes.size()) {
        throw std::runtime_error("cabinet cut short");
    }
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8;
}

std::uint32_t Get32(const std::string& bytes, std::size_t at) {
    return Get16(bytes, at) | Get16(bytes, at + 2) << 16;
}

} // namespace

CabinetDirectory CabinetDirectory::Read(const std::string& bytes) {
    if (bytes.size() < 36 || bytes.compare(0, 4, "MSCF") != 0) {
        throw std::runtime_error("not a cabinet");
    }
    CabinetDirectory directory;
    const std::uint32_t filesAt = Get32(bytes, 16);
    directory.folderCount = static_cast<std::uint16_t>(Get16(bytes, 26));
    const std::uint32_t fileCount = Get16(bytes, 28);
    const std::uint32_t flags = Get16(bytes, 30);
    if (flags != 0) {
        throw std::runtime_error("cabinet with reserved areas or set links");
    }
    directory.dataOffset = Get32(bytes, 36);
    directory.blockCount = static_cast<std::uint16_t>(Get16(bytes, 40));
    directory.compression = static_cast<std::uint16_t>(Get16(bytes, 42));
    std::size_t at = filesAt;
    for (std::uint32_t i = 0; i < fileCount; ++i) {
        CabinetEntry entry;
        entry.size = Get32(bytes, at);
        entry.folder = static_cast<std::uint16_t>(Get16(bytes, at + 8));
        entry.date = static_cast<std::uint16_t>(Get16(bytes, at + 10));
        entry.time = static_cast<std::uint16_t>(Get16(bytes, at + 12));
        entry.attributes = static_cast<std::uint16_t>(Get16(bytes, at + 14));
        const auto end = bytes.find('\0', at + 16);
        if (end == std::string::npos) {
            throw std::runtime_error("member name runs off the end");
        }
        entry.name = bytes.substr(at + 16, end - at - 16);
        at = end + 1;
        directory.entries.push_back(std::move(entry));
    }
    return directory;
}

} // namespace quorvane::test
