#pragma once

#include "cli/CliOptions.h"
#include "platform/Clock.h"
#include "platform/DataProtection.h"
#include "platform/WineAccount.h"
#include "profile/MessengerProfile.h"

#include <csignal>
#include <string>
#include <vector>

namespace quorvane {
class ObjectList;
}

namespace quorvane::cli {

// The options of every command that reads a Messenger account: the
// passport (required) and where Wine keeps the account's data.
std::vector<Option> AccountOptions();

// The account a command line names. Command-line text is UTF-8; Messenger
// and Wine's data protection work in the code page.
struct AccountSelection {
    WineAccount wine;         // absolute prefix and user as UTF-8 (the user folder's name)
    std::string passportUtf8; // as typed, for messages
    std::string passport;     // code-page bytes: folder hash and entropy
    std::string wineUser;     // code-page bytes: part of the protection key

    // Throws UsageError when the passport is empty.
    static AccountSelection FromOptions(const ParsedOptions& options);
};

// What the profile store needs for the selected account, kept alive for as
// long as the object lists that use it.
class AccountServices {
public:
    explicit AccountServices(const AccountSelection& selection);
    AccountServices(const AccountServices&) = delete;
    AccountServices& operator=(const AccountServices&) = delete;

    const ProfileServices& Services() const { return m_services; }

private:
    WineDataProtection m_protection;
    SystemClock m_clock;
    ProfileServices m_services;
};

// Why a listing gave nothing, in words for the user (one or more lines, each
// ending in a newline), or "" when it was listed.
std::string ListingProblem(const ObjectList& list, const AccountSelection& selection);

// Holds back interrupt and termination signals while a listing has stamp
// files in the user's Messenger folders, so Ctrl-C cannot leave them
// behind: a signal that arrived meanwhile takes effect when the guard goes,
// after the list has been cleared.
class DeferredSignals {
public:
    DeferredSignals();
    ~DeferredSignals();
    DeferredSignals(const DeferredSignals&) = delete;
    DeferredSignals& operator=(const DeferredSignals&) = delete;

private:
    sigset_t m_previous{};
    bool m_active = false;
};

} // namespace quorvane::cli
