#pragma once

#include "platform/Result.h"
#include "platform/WindowsDataProtection.h"

#include <memory>
#include <string>
#include <vector>

namespace quorvane {

// The folder of one Windows user, on an old disk (mounted read-only, or an
// image) or copied from one: "Documents and Settings/<user>" on Windows XP,
// "Users/<user>" from Vista on. Names are found ignoring case, since an
// NTFS disk mounted by Linux shows them as stored. Nothing in it is written.
struct WindowsProfile {
    std::string folder;   // the user's folder, as given
    std::string userName; // its last part
    // "Application Data" (XP) or "AppData/Roaming" (Vista on).
    std::string applicationDataFolder;
    // <application data>/Microsoft/Protect/<SID>, the SID and CREDHIST;
    // empty when there is no Protect folder with a user's SID.
    std::string protectFolder;
    std::string sid;
    std::string credHist;

    // The profile at folder. Fails, saying so, when folder is not a user's
    // folder; when it is a drive's root or its "Documents and Settings" or
    // "Users" folder, the sentence names the users found there (the only
    // one is opened).
    static Result<WindowsProfile> Open(const std::string& folder);
    // The users' folders under a drive's root, its "Documents and Settings"
    // or "Users" folder, in name order.
    static std::vector<std::string> UsersUnder(const std::string& folder);
};

// A Windows profile with the keyring its user's password opens: what the
// account is read from in place of a Wine prefix.
struct WindowsSource {
    WindowsProfile profile;
    std::unique_ptr<WindowsKeyring> keyring;

    // Opens the keyring and checks the password on the key Windows used
    // last, so a wrong password is said at once: "the password does not
    // unlock the Windows profile of <user>".
    static Result<std::shared_ptr<const WindowsSource>> Open(WindowsProfile profile,
                                                             dpapi::UserCredentials credentials);
};

} // namespace quorvane
