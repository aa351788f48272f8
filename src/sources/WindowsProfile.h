#pragma once

#include "platform/Result.h"
#include "protection/WindowsKeyring.h"

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
    // <application data>/Microsoft/Protect/<SID> and the SID: once a
    // WindowsSource is open, those whose keys the password opened; before,
    // the first by name. Empty when there is no folder named by a user's SID.
    std::string protectFolder;
    std::string sid;
    // Every folder there named by a user's SID, by name: a disk may hold
    // another user's keys beside its owner's.
    struct KeyFolder {
        std::string sid;
        std::string folder;
    };
    std::vector<KeyFolder> keyFolders;
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
    // unlock the Windows profile of <user>". When that key cannot be read,
    // another of the folder's keys is checked; each folder named by a SID is
    // tried until one opens. Fails as Missing (no master keys), WrongPassword,
    // Damaged or System (a key file is damaged or cannot be read; osError
    // says why for the latter), TooMuchWork (the keys ask for more hashing
    // than Windows ever needs) or Cancelled (cancel stopped the check).
    static Result<std::shared_ptr<const WindowsSource>> Open(WindowsProfile profile,
                                                             dpapi::UserCredentials credentials,
                                                             const CancelFlag* cancel = nullptr);
};

} // namespace quorvane
