#include "sources/WineAccount.h"

#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/SystemFolders.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace quorvane {

namespace {

std::string StripTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

} // namespace

WineAccount WineAccount::Discover(const std::optional<std::string>& prefix,
                                  const std::optional<std::string>& user) {
    WineAccount account;
    if (prefix) {
        account.prefix = *prefix;
    } else if (const char* env = std::getenv("WINEPREFIX"); env != nullptr && *env != '\0') {
        account.prefix = env;
    } else {
        const std::string home = HomeFolder();
        account.prefix = JoinPath(home.empty() ? std::string("/") : home, ".wine");
    }
    account.prefix = StripTrailingSlashes(AbsolutePath(account.prefix));

    if (user) {
        account.user = *user;
    } else if (const char* env = std::getenv("USER"); env != nullptr && *env != '\0') {
        // Wine keeps only what follows the last "/" or "\\" of $USER.
        std::string name = env;
        std::size_t cut = name.find_last_of("/\\");
        account.user = cut == std::string::npos ? name : name.substr(cut + 1);
    } else if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_name) {
        account.user = entry->pw_name;
    }
    return account;
}

std::string WineAccount::ApplicationDataFolder() const {
    const std::string userFolder = JoinPath(JoinPath(prefix, "drive_c/users"), user);
    const std::string roaming = JoinPath(userFolder, "AppData/Roaming");
    const std::string older = JoinPath(userFolder, "Application Data");
    if (!IsDirectory(roaming) && IsDirectory(older))
        return older;
    return roaming;
}

std::string WineAccount::WindowsFolder() const {
    const std::string windows = JoinPath(prefix, "drive_c/windows");
    if (IsDirectory(windows))
        return windows;
    // Without one the cabinet tools work in the temporary folder.
    return TemporaryFolderPath();
}

} // namespace quorvane
