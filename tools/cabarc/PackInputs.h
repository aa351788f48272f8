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
    // The pack being replaced may sit in a folder that is packed with "*.*":
    // the old pack is then left out. Named as an input, it is refused.
    void ExcludePack(dev_t device, ino_t inode);

    // One argument: a file, or "<folder>/*.*" (also "<folder>/*") for every
    // regular file of the folder, names with and without a dot alike,
    // subfolders (and FIFOs, devices, sockets) left out, in byte order of the
    // names. A file named on its own must be a regular file.
    bool Add(const std::string& argument, std::string& error);

    // What the cabinet format cannot hold, and names that would collide.
    bool Check(std::string& error) const;

    const std::vector<PackInput>& Files() const { return m_files; }

private:
    bool AddFolder(const std::string& folder, std::string& error);
    bool AddFile(const std::string& path, const std::string& name, std::string& error);

    std::vector<PackInput> m_files;
    bool m_hasExcluded = false;
    dev_t m_excludedDevice = 0;
    ino_t m_excludedInode = 0;
};

} // namespace quorvane::cabarc
