#pragma once

#include "platform/Result.h"

#include <string>
#include <string_view>

namespace quorvane {

// Quorvane's private per-user folder for its scratch (stamp files, thumbnail
// folders, manifests and work folders while packs are built) and its locks:
// $XDG_CACHE_HOME/quorvane, else ~/.cache/quorvane. Messenger's own folders
// are only ever read.
std::string PrivateFolderPath();

// Makes the folder (and the missing folders above it) or checks the one that
// is there: it must be a real folder, not a link, and belong to the user;
// it is kept at mode 0700. Fails with a sentence that names the folder.
Result<> EnsurePrivateFolder(const std::string& path);

// Makes each level of relative ("123/Winks3") below an existing private
// folder with the same checks. The full path.
Result<std::string> EnsurePrivateSubfolder(const std::string& root, std::string_view relative);

} // namespace quorvane
