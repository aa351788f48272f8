#include "DiskImage.h"

#include "InputFile.h"

#include <unistd.h>

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libvhdi.so\nleak:libvmdk.so\nleak:libewf.so\nleak:libafflib.so\nleak:tsk_malloc\n";
}

namespace quorvane::diskimage {

std::string TakeTskError() {
    const char* text = tsk_error_get();
    std::string error = text != nullptr ? text : "";
    tsk_error_reset();
    for (char& c : error) {
        if (c == '\n' || c == '\r' || c == '\t')
            c = ' ';
    }
    while (!error.empty() && error.back() == ' ')
        error.pop_back();
    return error;
}

namespace {

// Only the file systems Windows could have held a user's folder on; The
// Sleuth Kit would also read ext4 or HFS+, which no Windows user folder is on.
// Each kind is tried on its own: the library tries one kind per call.
template <typename Open> TSK_FS_INFO* OpenWindowsFileSystem(Open open) {
    for (TSK_FS_TYPE_ENUM type : {TSK_FS_TYPE_NTFS_DETECT, TSK_FS_TYPE_FAT_DETECT}) {
        if (TSK_FS_INFO* fs = open(type))
            return fs;
        tsk_error_reset();
    }
    return nullptr;
}

std::string Describe(TSK_FS_INFO* fs, TSK_DADDR_T sector) {
    std::string name = tsk_fs_type_toname(fs->ftype);
    for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name + " at sector " + std::to_string(sector);
}

} // namespace

std::unique_ptr<DiskImage> DiskImage::Open(const std::string& path, std::string& error) {
    // The check is made on an open descriptor; the library then opens the
    // path itself (and finds the other segments of a split image by name).
    const int fd = quorvane::tools::OpenRegularFile(path, "image", error);
    if (fd < 0)
        return nullptr;
    ::close(fd);
    std::unique_ptr<DiskImage> image(new DiskImage);
    image->m_image = tsk_img_open_utf8_sing(path.c_str(), TSK_IMG_TYPE_DETECT, 0);
    if (image->m_image == nullptr) {
        error = TakeTskError();
        return nullptr;
    }
    image->m_table = tsk_vs_open(image->m_image, 0, TSK_VS_TYPE_DETECT);
    if (image->m_table == nullptr) {
        tsk_error_reset();
        if (TSK_FS_INFO* fs = OpenWindowsFileSystem(
                [&](TSK_FS_TYPE_ENUM type) { return tsk_fs_open_img(image->m_image, 0, type); }))
            image->m_volumes.push_back({1, Describe(fs, 0), fs});
        return image;
    }
    int number = 0;
    for (TSK_PNUM_T i = 0; i < image->m_table->part_count; ++i) {
        const TSK_VS_PART_INFO* part = tsk_vs_part_get(image->m_table, i);
        if (part == nullptr || (part->flags & TSK_VS_PART_FLAG_ALLOC) == 0)
            continue;
        ++number;
        // A partition that reaches past the image's end is read as far as it
        // goes: the file system's own checks refuse what is missing.
        if (TSK_FS_INFO* fs = OpenWindowsFileSystem(
                [&](TSK_FS_TYPE_ENUM type) { return tsk_fs_open_vol(part, type); }))
            image->m_volumes.push_back({number, Describe(fs, part->start), fs});
    }
    return image;
}

const char* DiskImage::Format() const {
    return tsk_img_type_toname(m_image->itype);
}

DiskImage::~DiskImage() {
    for (Volume& volume : m_volumes)
        tsk_fs_close(volume.fs);
    if (m_table != nullptr)
        tsk_vs_close(m_table);
    if (m_image != nullptr)
        tsk_img_close(m_image);
}

} // namespace quorvane::diskimage
