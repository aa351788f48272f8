#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorvane::test {

// Writes cabinets byte by byte, for the ones no archiver would make: member
// names that climb out of the folder, names flagged as UTF-8 that are not,
// sizes that lie. One uncompressed folder holds every member's data in
// order, in blocks of at most 32 KiB, each with its checksum.
class CabinetBuilder {
public:
    static constexpr std::uint16_t kArchive = 0x20;
    static constexpr std::uint16_t kUtf8Name = 0x80;

    // rawName goes into the cabinet exactly as given. declaredSize, when
    // set, is the size written into the member's entry instead of the
    // length of data.
    CabinetBuilder& Add(const std::string& rawName, const std::string& data,
                        std::uint16_t attributes = kArchive,
                        std::optional<std::uint32_t> declaredSize = std::nullopt);

    std::string Build() const;

private:
    struct Member {
        std::string name;
        std::string data;
        std::uint16_t attributes;
        std::uint32_t declaredSize;
    };
    std::vector<Member> m_members;
};

} // namespace quorvane::test
