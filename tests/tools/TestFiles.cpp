#include "TestFiles.h"

#include <openssl/evp.h>

#include <random>
#include <stdexcept>

#include <sys/stat.h>

namespace quorvane::test {

namespace fs = std::filesystem;

std::string Md5Hex(const std::string& bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_md5(), nullptr) != 1) {
        throw std::runtime_error("md5 failed");
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string hex;
    for (unsigned int i = 0; i < length; ++i) {
        hex.push_back(kHex[digest[i] >> 4]);
        hex.push_back(kHex[digest[i] & 0x0F]);
    }
    return hex;
}

std::string RandomBytes(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(count, '\0');
    for (auto& byte : bytes) {
        byte = static_cast<char>(random() & 0xFF);
    }
    return bytes;
}

std::map<std::string, std::string> Snapshot(const fs::path& root, const std::string& skip) {
    std::map<std::string, std::string> entries;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
         ++it) {
        const std::string relative = fs::relative(it->path(), root).string();
        if (!skip.empty() && (relative == skip || relative.rfind(skip + "/", 0) == 0)) {
            if (it->is_directory() && !it->is_symlink()) {
                it.disable_recursion_pending();
            }
            continue;
        }
        struct stat info {};
        ::lstat(it->path().c_str(), &info);
        std::string description =
            std::to_string(info.st_mode) + " " + std::to_string(info.st_size) + " " +
            std::to_string(info.st_mtim.tv_sec) + "." + std::to_string(info.st_mtim.tv_nsec);
        if (S_ISLNK(info.st_mode)) {
            description += " -> " + fs::read_symlink(it->path()).string();
        } else if (S_ISREG(info.st_mode)) {
            description += " md5 " + Md5Hex(ReadFile(it->path()));
        }
        entries[relative] = description;
    }
    return entries;
}

std::set<std::string> RegularFiles(const fs::path& root) {
    std::set<std::string> files;
    if (!fs::exists(root)) {
        return files;
    }
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file() && !entry.is_symlink()) {
            files.insert(fs::relative(entry.path(), root).string());
        }
    }
    return files;
}

std::set<std::string> LeftoverTemporaries(const fs::path& root) {
    std::set<std::string> found;
    if (!fs::exists(root)) {
        return found;
    }
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = entry.path().filename().string();
        const bool extractTemporary = name.rfind(".qv-extract-", 0) == 0;
        const bool packTemporary =
            name.size() > 4 && name[0] == '.' && name.compare(name.size() - 4, 4, ".tmp") == 0;
        if (extractTemporary || packTemporary) {
            found.insert(fs::relative(entry.path(), root).string());
        }
    }
    return found;
}

} // namespace quorvane::test
