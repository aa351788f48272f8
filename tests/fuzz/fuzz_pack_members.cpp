// A backup compares each pack it makes with the file already under that
// name in the backup folder, which anyone may have put there, by reading
// both as cabinets in this process. The input is the unsealed cabinet; the
// first byte picks how many bytes the caller allows the members to hold.

#include "FuzzSupport.h"

#include "backup/PackVerifier.h"
#include "platform/FileIo.h"
#include "profile/PackCipher.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

using namespace quorvane;
using quorvane::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::ScratchFolder folder;
    if (size == 0)
        return 0;
    // 0 to 255 KiB in steps of 1 KiB.
    const std::size_t mostBytes = std::size_t{data[0]} * 1024;
    std::string pack(reinterpret_cast<const char*>(data + 1), size - 1);
    SealPackBytes(std::span(reinterpret_cast<std::uint8_t*>(pack.data()), pack.size()));
    const std::string path = folder.Path() + "/pack.msn";
    Require(WriteWholeFile(path, pack).has_value());
    const auto files = PackObjectFiles(path, mostBytes);
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
