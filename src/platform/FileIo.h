#pragma once

#include "platform/Result.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace quorvane {

// The most any file the program reads whole may hold. Messenger's objects and
// protected files are far smaller; a larger file is not one of them.
inline constexpr std::size_t kMaxReadBytes = 256u * 1024 * 1024;

// Reads a regular file whole. Only regular files are read: a FIFO or a
// device in place of a file must never make the program wait. Fails with
// ENOENT and "it does not exist" when nothing has the name, with no system
// error and a sentence such as "it is a FIFO, not a regular file" or "it is
// larger than any file Messenger keeps" when what is there is not read, and
// with the system's error otherwise.
Result<std::string> ReadRegularFile(const std::string& path, std::size_t maxBytes = kMaxReadBytes);

// Why something of the type in mode is not read as a file: "it is a folder,
// not a regular file", "it is a FIFO, not a regular file", ...
Failure NotRegularFileFailure(mode_t mode);

// The system's text for an errno value ("No space left on device").
std::string ErrorText(int error);
// The Failure for what the system refused with error: its text is the
// sentence.
Failure SystemFailure(int error);

// The functions below that fail give the system's error and its text
// (SystemFailure) unless they say otherwise.

// Writes bytes to path through a temporary file in the same folder, renamed
// into place, so a crash never leaves half a file.
Result<> WriteFileAtomically(const std::string& path, std::string_view bytes);

// A folder held open, so that files are made in it and renamed in it by name
// relative to it: a link planted at the folder's path after it was opened
// changes nothing, and no file is ever created through a link.
class OpenFolder {
public:
    OpenFolder() = default;
    ~OpenFolder();
    OpenFolder(OpenFolder&& other) noexcept;
    OpenFolder& operator=(OpenFolder&& other) noexcept;
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;

    // Opens an existing folder; a link in its last part is refused unless
    // followLink is set (for the user's own folders, which dotfile managers
    // often make links). A link refused fails with "it is a symbolic link".
    Result<> Open(const std::string& path, bool followLink = false);
    bool IsOpen() const { return m_fd >= 0; }
    int Descriptor() const { return m_fd; }
    const std::string& Path() const { return m_path; }
    std::string PathOf(std::string_view name) const;

    // Creates the file exclusively (never through a link, never over an
    // existing entry) and writes the bytes, synced to the disk when durable;
    // a partial file is removed.
    Result<> WriteNewFile(const std::string& name, std::string_view bytes, mode_t mode = 0666,
                          bool durable = false) const;
    // The same under a new hidden temporary name of this process (see
    // TemporaryFileName); its name.
    Result<std::string> WriteTemporaryFile(std::string_view bytes, mode_t mode = 0666,
                                           bool durable = false) const;
    // Renames within the folder, replacing an existing file of the new name
    // (a link there is replaced, never followed).
    Result<> Rename(const std::string& from, const std::string& to) const;
    // Renames within the folder only when nothing has the new name: fails
    // with EEXIST when it is taken, whoever took it in the meantime.
    Result<> RenameNew(const std::string& from, const std::string& to) const;
    // Whether name is a regular file itself (a link to one is not).
    bool HoldsRegularFile(const std::string& name) const;
    // Whether anything has that name in the folder: a file, a folder, a
    // link (dangling or not).
    bool HoldsEntry(const std::string& name) const;
    // Removes a file or link (never what a link points to).
    Result<> Remove(const std::string& name) const;

    // Reads a regular file of the folder whole, as ReadRegularFile does, but
    // a link at name is refused ("it is a symbolic link, not a regular file")
    // instead of followed.
    Result<std::string> ReadFile(const std::string& name, std::size_t maxBytes) const;
    // Replaces the file name with bytes: written to an exclusive hidden
    // temporary file, synced and renamed over name, so a reader sees the old
    // file or the new one whole. A link at name is replaced, never followed;
    // a regular file there keeps its permissions.
    Result<> ReplaceFile(const std::string& name, std::string_view bytes) const;

private:
    int m_fd = -1;
    std::string m_path;
};

// A name for a temporary file of this process in a shared folder, starting
// with a dot so it stays hidden: ".quorvane-<pid>-<random>.part".
std::string TemporaryFileName();
// Removes the temporary files that a process which no longer runs left in
// the folder (a run killed in the middle of writing): names that are exactly
// such a name, or the cabinet tool's "." + such a name + ".<8 letters or
// digits>.tmp" beside one, and nothing else, however alike.
void SweepTemporaryFiles(const OpenFolder& folder);
// Removes what a cabinet tool killed while writing to the temporary file
// temporary left beside it: its own ".<temporary>.<random>.tmp".
void RemoveToolLeftovers(const OpenFolder& folder, std::string_view temporary);

// Creates or truncates path and writes the bytes (for files whose format
// wants no more ceremony, such as stamp files).
Result<> WriteWholeFile(const std::string& path, std::string_view bytes);

// Creates the folder and all its missing parents.
Result<> MakeFolders(const std::string& path);

bool IsDirectory(const std::string& path);

// path as the system reaches it, every link followed and "." and ".."
// taken out, whether it exists yet or not: the longest part of it that
// exists is resolved by the system and the rest, which would be made as
// plain folders, is appended. Fails when an existing part cannot be
// resolved (a dangling link, a folder that cannot be searched).
Result<std::string> CanonicalPath(const std::string& path);
// Whether the canonical path lies in the canonical folder or is the folder.
bool IsWithinFolder(std::string_view path, std::string_view folder);

} // namespace quorvane
