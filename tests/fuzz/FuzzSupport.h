#pragma once
#include "platform/ScratchFolder.h"

// Small helpers the fuzz targets and their seed maker share. Kept apart from
// the test-support library so the fuzzers link nothing but the code under
// test.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

#include <ftw.h>
#include <unistd.h>

namespace quorvane::fuzz {

// An invariant of the code under test. A trap rather than an assert: it
// survives NDEBUG, and libFuzzer reports it as a crash with the input saved.
inline void Require(bool holds) {
    if (!holds)
        __builtin_trap();
}

inline std::string_view AsText(std::span<const std::uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

inline std::span<const std::uint8_t> AsBytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Standard Base64 with "=" padding, the form Messenger writes.
inline std::string EncodeBase64(std::string_view bytes) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t left = bytes.size() - i;
        std::uint32_t group = static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i]))
                              << 16;
        if (left > 1)
            group |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
        if (left > 2)
            group |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 2]));
        out.push_back(kAlphabet[(group >> 18) & 63]);
        out.push_back(kAlphabet[(group >> 12) & 63]);
        out.push_back(left > 1 ? kAlphabet[(group >> 6) & 63] : '=');
        out.push_back(left > 2 ? kAlphabet[group & 63] : '=');
    }
    return out;
}

// Code-page text widened byte by byte: exact for ASCII, which is all the
// seeds need.
inline std::string Utf16LeOfAscii(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text) {
        out.push_back(c);
        out.push_back('\0');
    }
    return out;
}

// A fresh folder under $TMPDIR (else /tmp), removed with its contents when
// the object goes. A fuzz run that ends in a crash leaves it behind, which is
// harmless: it only ever holds the last input.
class ScratchFolder {
public:
    ScratchFolder() {
        const char* base = std::getenv("TMPDIR");
        std::string pattern =
            std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/quorvane-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        m_path = pattern;
    }
    ~ScratchFolder() {
        nftw(
            m_path.c_str(),
            [](const char* path, const struct stat*, int, struct FTW*) { return ::remove(path); },
            16, FTW_DEPTH | FTW_PHYS);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace quorvane::fuzz
