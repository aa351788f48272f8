#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <sys/types.h>

namespace quorvane::cabarc {

// What one cabinet folder can hold: file entries are counted in 16 bits, and
// a folder's data blocks (at most 32 KiB each) in 16 bits too, so 65,535 full
// blocks is the most a folder can carry.
inline constexpr std::size_t kMaxFiles = 65535;
inline constexpr std::uint64_t kMaxFolderBytes = 0x7FFF8000;

struct PackInput {
    std::string path; // as it is opened
    std::string name; // the bare name stored in the cabinet
    std::uint64_t size = 0;
    std::int64_t modified = 0; // seconds since 1970, UTC
    // Which file it was when counted, to notice one replaced before it is
    // read.
    dev_t device = 0;
    ino_t inode = 0;
};

// The files a command line names, in the order they will be packed.
class PackInputs {
public:
    // The pack being replaced, which is refused when named as an input:
    // replacing it would destroy the input.
    void ExcludePack(dev_t device, ino_t inode);

    // One argument: one regular file, its name taken literally. "*" and "?"
    // are characters of the name like any other; nothing is expanded.
    bool Add(const std::string& argument, std::string& error);

    // What the cabinet format cannot hold, and names that would collide.
    bool Check(std::string& error) const;

    const std::vector<PackInput>& Files() const { return m_files; }

private:
    bool AddFile(const std::string& path, const std::string& name, std::string& error);

    std::vector<PackInput> m_files;
    bool m_hasExcluded = false;
    dev_t m_excludedDevice = 0;
    ino_t m_excludedInode = 0;
};

} // namespace quorvane::cabarc
