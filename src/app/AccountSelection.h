#pragma once

#include "platform/WineAccount.h"

#include <string>

namespace quorvane {

// The account a front end works on. Front ends speak UTF-8; Messenger and
// Wine's data protection work in the code page.
struct AccountSelection {
    WineAccount wine;         // prefix and user as UTF-8 (the user folder's name)
    std::string passportUtf8; // as typed, for messages
    std::string passport;     // code-page bytes: folder hash and entropy
    std::string wineUser;     // code-page bytes: part of the protection key

    static AccountSelection Make(WineAccount wine, std::string passportUtf8);
    // Whether the passport can be an account at all: something before its
    // first "@" and at least three bytes after it.
    bool HasValidPassport() const;
};

} // namespace quorvane
