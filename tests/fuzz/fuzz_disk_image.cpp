// A disk image is anybody's file: the disk-image tool finds the users on it
// and copies one user's folders out. The input is the image; every user
// found is copied, under small limits, into a fresh folder.

#include "FuzzSupport.h"

#include "DiskImage.h"
#include "WindowsUsers.h"

#include <cstddef>
#include <cstdint>
#include <string>

#include <fcntl.h>
#include <ftw.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

std::uint64_t g_bytes = 0;
bool g_onlyFilesAndFolders = true;

int Count(const char*, const struct stat* status, int kind, struct FTW*) {
    if (kind == FTW_F)
        g_bytes += static_cast<std::uint64_t>(status->st_size);
    else if (kind != FTW_D && kind != FTW_DP)
        g_onlyFilesAndFolders = false;
    return 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvane::diskimage;
    const int fd = memfd_create("image", MFD_CLOEXEC);
    quorvane::fuzz::Require(fd >= 0);
    for (std::size_t done = 0; done < size;) {
        const ssize_t n = write(fd, data + done, size - done);
        quorvane::fuzz::Require(n > 0);
        done += static_cast<std::size_t>(n);
    }
    const std::string path = "/proc/self/fd/" + std::to_string(fd);
    std::string error;
    if (auto image = DiskImage::Open(path, error)) {
        const CopyLimits limits{256 * 1024, 64 * 1024, 64, 8};
        for (const WindowsUser& user : FindUsers(*image)) {
            quorvane::fuzz::ScratchFolder out;
            const int destination = open(out.Path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            quorvane::fuzz::Require(destination >= 0);
            CopyUserData(*image, user, destination, limits, {}, error);
            close(destination);
            g_bytes = 0;
            nftw(out.Path().c_str(), Count, 16, FTW_PHYS);
            quorvane::fuzz::Require(g_bytes <= limits.bytes);
            quorvane::fuzz::Require(g_onlyFilesAndFolders);
        }
    }
    close(fd);
    return 0;
}
