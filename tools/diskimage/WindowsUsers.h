#pragma once

#include "DiskImage.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::diskimage {

// One entry of a folder on the image.
struct Entry {
    std::string name; // as stored, UTF-8
    TSK_INUM_T inode = 0;
    bool folder = false;
};

// The allocated entries of a folder, without "." and "..", one per inode
// (a file with a short 8.3 name beside its long one is listed once, by the
// long name). Deleted entries are not listed: they are not the user's.
bool ListFolder(TSK_FS_INFO* fs, TSK_INUM_T folder, std::vector<Entry>& entries,
                std::string& error);

// Names compare as Windows compared them on these volumes: letters
// regardless of case.
bool SameName(std::string_view a, std::string_view b);

// A user's folder on a volume that holds application data.
struct WindowsUser {
    int partition = 0;
    std::string name;
    // The names from the volume's root to the application-data folder, as
    // stored: {"Users", "ann", "AppData", "Roaming"} or
    // {"Documents and Settings", "ann", "Application Data"}.
    std::vector<std::string> path;
    TSK_INUM_T applicationData = 0;
    bool messenger = false; // it holds a Microsoft/MSN Messenger folder
};

// The users of every Windows installation on the image, partition by
// partition: only the folders named "Users" and "Documents and Settings"
// at each volume's root are looked into, never the whole volume.
std::vector<WindowsUser> FindUsers(const DiskImage& image);

struct CopyLimits {
    std::uint64_t bytes = 0; // in all
    std::uint64_t fileBytes = 0;
    std::uint64_t files = 0;
    int depth = 0; // folders below each copied folder
};

// Copies a user's Microsoft/Protect and Microsoft/MSN Messenger folders
// into the empty folder destinationFd, under the same names as on the image
// (so the copy is a user's folder as Windows left it). progress is told of
// every file written. False, with the reason, when a limit is passed or a
// name on the image could not be a file name here.
bool CopyUserData(const DiskImage& image, const WindowsUser& user, int destinationFd,
                  const CopyLimits& limits,
                  const std::function<void(std::uint64_t files, std::uint64_t bytes)>& progress,
                  std::string& error);

} // namespace quorvane::diskimage
