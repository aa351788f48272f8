#pragma once

#include "sources/WindowsProfile.h"
#include "sources/WineAccount.h"

#include <memory>

#include <string>

namespace quorvane {

// The account a front end works on. Front ends speak UTF-8; Messenger and
// Wine's data protection work in the code page.
struct AccountSelection {
    WineAccount wine; // prefix and user as UTF-8 (the user folder's name)
    // Set when the account is read from a Windows user's folder (an old
    // disk) with the user's password, in place of the Wine prefix.
    std::shared_ptr<const WindowsSource> windows;
    std::string passportUtf8; // as typed, for messages
    std::string passport;     // code-page bytes: folder hash and entropy
    std::string wineUser;     // code-page bytes: part of the protection key

    static AccountSelection Make(WineAccount wine, std::string passportUtf8);
    static AccountSelection Make(std::shared_ptr<const WindowsSource> windows,
                                 std::string passportUtf8);

    // Where the account's data is: the Wine user's or the Windows user's
    // application-data folder.
    std::string ApplicationDataFolder() const;
    // The cabinet tools' working folder: the prefix's Windows folder, or
    // the temporary folder for a Windows disk, which is never written.
    std::string WindowsFolder() const;
    // The folder the account's data is read from, for messages and the
    // lock: the Wine prefix or the Windows user's folder.
    std::string SourceFolder() const;
    // Whether the passport can be an account at all: something before its
    // first "@" and at least three bytes after it.
    bool HasValidPassport() const;
};

} // namespace quorvane
