#include "CabinetBuilder.h"

namespace quorvane::test {

namespace {

void Put16(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::string& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

std::uint32_t Checksum(const unsigned char* data, std::size_t bytes, std::uint32_t seed) {
    std::uint32_t sum = seed;
    std::size_t i = 0;
    for (; i + 4 <= bytes; i += 4) {
        sum ^= static_cast<std::uint32_t>(data[i]) | static_cast<std::uint32_t>(data[i + 1]) << 8 |
               static_cast<std::uint32_t>(data[i + 2]) << 16 |
               static_cast<std::uint32_t>(data[i + 3]) << 24;
    }
    std::uint32_t tail = 0;
    switch (bytes - i) {
    case 3:
        tail |= static_cast<std::uint32_t>(data[i++]) << 16;
        [[fallthrough]];
    case 2:
        tail |= static_cast<std::uint32_t>(data[i++]) << 8;
        [[fallthrough]];
    case 1:
        tail |= data[i];
        break;
    default:
        break;
    }
    return sum ^ tail;
}

} // namespace

CabinetBuilder& CabinetBuilder::Add(const std::string& rawName, const std::string& data,
                                    std::uint16_t attributes,
                                    std::optional<std::uint32_t> declaredSize) {
    m_members.push_back({rawName, data, attributes,
                         declaredSize.value_or(static_cast<std::uint32_t>(data.size()))});
    return *this;
}

std::string CabinetBuilder::Build() const {
    constexpr std::size_t kHeader = 36;
    constexpr std::size_t kFolder = 8;
    constexpr std::size_t kBlock = 32768;

    std::string stream;
    std::string entries;
    std::uint32_t offset = 0;
    for (const auto& member : m_members) {
        Put32(entries, member.declaredSize);
        Put32(entries, offset);
        Put16(entries, 0);                                // folder 0
        Put16(entries, (2010 - 1980) << 9 | 6 << 5 | 15); // 15 June 2010
        Put16(entries, 12 << 11 | 30 << 5);               // 12:30:00
        Put16(entries, member.attributes);
        entries += member.name;
        entries.push_back('\0');
        stream += member.data;
        offset += static_cast<std::uint32_t>(member.data.size());
    }

    std::string blocks;
    std::uint32_t blockCount = 0;
    for (std::size_t at = 0; at < stream.size(); at += kBlock) {
        const std::string chunk = stream.substr(at, kBlock);
        std::string sizes;
        Put16(sizes, static_cast<std::uint32_t>(chunk.size()));
        Put16(sizes, static_cast<std::uint32_t>(chunk.size()));
        const auto* bytes = reinterpret_cast<const unsigned char*>(chunk.data());
        const std::uint32_t dataSum = Checksum(bytes, chunk.size(), 0);
        Put32(blocks, Checksum(reinterpret_cast<const unsigned char*>(sizes.data()), 4, dataSum));
        blocks += sizes;
        blocks += chunk;
        ++blockCount;
    }

    const std::size_t filesAt = kHeader + kFolder;
    const std::size_t dataAt = filesAt + entries.size();
    const std::size_t total = dataAt + blocks.size();

    std::string cabinet = "MSCF";
    Put32(cabinet, 0);
    Put32(cabinet, static_cast<std::uint32_t>(total));
    Put32(cabinet, 0);
    Put32(cabinet, static_cast<std::uint32_t>(filesAt));
    Put32(cabinet, 0);
    cabinet.push_back(3); // format version 1.3
    cabinet.push_back(1);
    Put16(cabinet, 1); // one folder
    Put16(cabinet, static_cast<std::uint32_t>(m_members.size()));
    Put16(cabinet, 0); // no flags
    Put16(cabinet, 0x5156);
    Put16(cabinet, 0);
    Put32(cabinet, static_cast<std::uint32_t>(dataAt));
    Put16(cabinet, blockCount);
    Put16(cabinet, 0); // stored, no compression
    cabinet += entries;
    cabinet += blocks;
    return cabinet;
}

} // namespace quorvane::test
