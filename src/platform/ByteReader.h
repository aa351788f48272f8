#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace quorvane {

// Reads little-endian fields front to back from untrusted bytes. Every
// length is compared with what is left before anything is taken, so a
// damaged file ends the read, never the program.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    bool Byte(std::uint8_t& value) {
        std::span<const std::uint8_t> bytes;
        if (!Fixed(1, bytes))
            return false;
        value = bytes[0];
        return true;
    }

    bool Dword(std::uint32_t& value) {
        std::uint64_t wide = 0;
        if (!Number(4, wide))
            return false;
        value = static_cast<std::uint32_t>(wide);
        return true;
    }

    bool Qword(std::uint64_t& value) { return Number(8, value); }

    // The next four bytes as a number, or fallback when fewer are left.
    std::uint32_t DwordOr(std::uint32_t fallback) {
        std::uint32_t value = 0;
        return Dword(value) ? value : fallback;
    }

    bool Fixed(std::size_t length, std::span<const std::uint8_t>& bytes) {
        if (length > Left())
            return false;
        bytes = m_bytes.subspan(m_offset, length);
        m_offset += length;
        return true;
    }

    // A 32-bit length followed by that many bytes.
    bool Counted(std::span<const std::uint8_t>& bytes) {
        std::uint32_t length = 0;
        return Dword(length) && Fixed(length, bytes);
    }

    std::size_t Offset() const { return m_offset; }
    std::size_t Left() const { return m_bytes.size() - m_offset; }
    std::span<const std::uint8_t> Rest() const { return m_bytes.subspan(m_offset); }

private:
    bool Number(std::size_t size, std::uint64_t& value) {
        std::span<const std::uint8_t> bytes;
        if (!Fixed(size, bytes))
            return false;
        value = 0;
        for (std::size_t i = size; i-- > 0;)
            value = value << 8 | bytes[i];
        return true;
    }

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_offset = 0;
};

} // namespace quorvane
