#pragma once

#include <tsk/libtsk.h>

#include <memory>
#include <string>
#include <vector>

namespace quorvane::diskimage {

// One file system found on the image: on a partition, or the whole image
// when it holds a bare volume with no partition table.
struct Volume {
    int number = 0;          // the partition, counted from 1 in the table's order
    std::string description; // "NTFS at sector 2048"
    TSK_FS_INFO* fs = nullptr;
};

// An image opened read-only, with the file systems The Sleuth Kit reads on
// it. Everything it opened is closed with it.
class DiskImage {
public:
    // Opens path, which must be a regular file (a FIFO or a device could
    // block the tool forever). A failure says why in error.
    static std::unique_ptr<DiskImage> Open(const std::string& path, std::string& error);
    ~DiskImage();
    DiskImage(const DiskImage&) = delete;
    DiskImage& operator=(const DiskImage&) = delete;

    const std::vector<Volume>& Volumes() const { return m_volumes; }
    const char* Format() const;

private:
    DiskImage() = default;
    TSK_IMG_INFO* m_image = nullptr;
    TSK_VS_INFO* m_table = nullptr;
    std::vector<Volume> m_volumes;
};

// The last error The Sleuth Kit recorded, on one line, and reset.
std::string TakeTskError();

} // namespace quorvane::diskimage

// The image libraries leak a little of their own state when they try an
// image that is not of their kind (The Sleuth Kit tries each kind in turn);
// the leak checker of a sanitizer build is told so, and still sees ours.
extern "C" const char* __lsan_default_suppressions();
