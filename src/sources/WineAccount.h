#pragma once

#include <optional>
#include <string>

namespace quorvane {

// Where Messenger's data lives when it runs under Wine: the prefix and the
// user whose folder under drive_c/users holds the account data.
struct WineAccount {
    std::string prefix; // $WINEPREFIX, else ~/.wine; no trailing "/"
    std::string user;   // the Wine user name, as UTF-8 from the environment

    // Finds the prefix and the user as Wine itself does. Either may be given
    // explicitly (the command line's --wine-prefix and --wine-user).
    static WineAccount Discover(const std::optional<std::string>& prefix = std::nullopt,
                                const std::optional<std::string>& user = std::nullopt);

    // <prefix>/drive_c/users/<user>/AppData/Roaming, or the older
    // "Application Data" folder when only that one exists.
    std::string ApplicationDataFolder() const;

    // The working folder of the cabinet tools: <prefix>/drive_c/windows when
    // it exists, else the temporary folder without its trailing "/".
    std::string WindowsFolder() const;
};

} // namespace quorvane
