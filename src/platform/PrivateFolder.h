#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace quorvane {

class CancelFlag;

// Quorvane's private per-user folder for its scratch (stamp files, thumbnail
// folders, manifests and work folders while packs are built) and its locks:
// $XDG_CACHE_HOME/quorvane, else ~/.cache/quorvane. Messenger's own folders
// are only ever read.
std::string PrivateFolderPath();

// Makes the folder (and the missing folders above it) or checks the one that
// is there: it must be a real folder, not a link, and belong to the user;
// it is kept at mode 0700. False with the reason when it cannot be used.
bool EnsurePrivateFolder(const std::string& path, std::string& reason);

// Makes each level of relative ("123/Winks3") below an existing private
// folder with the same checks. The full path, or "" with the reason.
std::string EnsurePrivateSubfolder(const std::string& root, std::string_view relative,
                                   std::string& reason);

// A short file name for scratch that belongs to one piece of Messenger's
// data (a stamp file, a thumbnail folder): 32 hexadecimal digits of the
// text's SHA-256. Messenger's names can fill a whole file name, and ours add
// to them; these always fit, never lead elsewhere, and differ for different
// texts.
std::string ScratchName(std::string_view text);

// A folder of one run's scratch inside a private folder, made by mkdtemp and
// locked for as long as the object lives; deleted with everything in it when
// the object goes. A scratch folder whose owner was killed is no longer
// locked, and SweepStaleScratch removes it.
class ScratchFolder {
public:
    // parent must be a private folder; the name is prefix + six random
    // characters. Null with the reason when it cannot be made.
    static std::unique_ptr<ScratchFolder> Make(const std::string& parent, std::string_view prefix,
                                               std::string& reason);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return m_path; }

private:
    ScratchFolder(int fd, std::string path);
    int m_fd;
    std::string m_path;
};

// Removes the scratch folders named prefix... in parent that no living
// process holds.
void SweepStaleScratch(const std::string& parent, std::string_view prefix);

// An advisory lock (flock) on a file, held for the life of the object. One
// List or backup at a time per account: a second Quorvane, window or command
// line, waits for the first a little and then gives up.
class FileLock {
public:
    // Cancelled: the cancel flag was set while waiting.
    enum class Outcome { Acquired, Busy, Failed, Cancelled };

    // Waits up to waitMilliseconds for the lock, or until cancel is set. The
    // file is created when missing, never through a link.
    static std::unique_ptr<FileLock> Acquire(const std::string& path, unsigned waitMilliseconds,
                                             Outcome& outcome, std::string& reason,
                                             const CancelFlag* cancel = nullptr);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    explicit FileLock(int fd) : m_fd(fd) {}
    int m_fd;
};

} // namespace quorvane
