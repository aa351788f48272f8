#pragma once

#include "platform/CancelFlag.h"
#include "platform/Result.h"
#include "platform/ScratchFolder.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quorvane {

// An old computer's disk image (raw, split raw, VMDK, VHD, VHDX, E01) as a
// place an account is read from. The image is only ever read, and only by
// the separate diskimage program: it may hold anything. What Quorvane needs
// of one Windows user (the data protection keys and the Messenger folders)
// is copied into Quorvane's scratch, and read there as a Windows user's
// folder.

// A Windows user's folder found on the image.
struct DiskImageUser {
    int partition = 0; // counted from 1 in the partition table's order
    std::string name;  // as stored on the volume
    bool messenger = false;
};

// What a read of an image is told as it goes: files and bytes copied.
using DiskImageProgress = std::function<void(std::uint64_t files, std::uint64_t bytes)>;

// The users on every Windows volume of image. tool is the diskimage
// program. Fails with the reason when the image cannot be read.
Result<std::vector<DiskImageUser>>
FindDiskImageUsers(const std::string& tool, const std::string& image, const CancelFlag* cancel);

// The user to read: the one named (case ignored, as Windows names) on the
// partition given (0: any), else the only user with Messenger data. Fails
// with FailureCode::Refused, naming the users found, when that is not one.
Result<DiskImageUser> ChooseDiskImageUser(const std::vector<DiskImageUser>& users,
                                          const std::string& image, const std::string& name,
                                          int partition);

// A user's folders copied out of an image; the copy goes with the object.
struct DiskImageCopy {
    std::unique_ptr<ScratchFolder> scratch;
    std::string userFolder; // <scratch>/Users/<name> or .../Documents and Settings/<name>
};

// Copies user's data protection keys and Messenger folders from image into
// a new scratch folder under scratchParent (Quorvane's private folder).
Result<DiskImageCopy> CopyDiskImageUser(const std::string& tool, const std::string& image,
                                        const DiskImageUser& user, const std::string& scratchParent,
                                        const CancelFlag* cancel,
                                        const DiskImageProgress& progress = {});

// The disk-image program beside Quorvane's other tools; "" when it is not
// installed (the functions above then say so).
std::string DiskImageTool();

// The user named (case ignored) on the partition given (0: any), else the
// one user with Messenger data, copied out as CopyDiskImageUser does, in one
// run of the disk-image program: what a command line that names its user
// needs. Fails as ChooseDiskImageUser does when not one user fits.
Result<DiskImageCopy> ReadDiskImageUser(const std::string& tool, const std::string& image,
                                        const std::string& name, int partition,
                                        const std::string& scratchParent, const CancelFlag* cancel,
                                        const DiskImageProgress& progress = {});

// The users for a sentence: "Ann (partition 1), Bob (partition 2)".
std::string DescribeDiskImageUsers(const std::vector<DiskImageUser>& users);

} // namespace quorvane
