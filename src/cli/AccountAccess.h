#pragma once

#include "cli/CliOptions.h"
#include "platform/Clock.h"
#include "platform/DataProtection.h"
#include "platform/WineAccount.h"
#include "profile/MessengerProfile.h"

#include <memory>
#include <string>
#include <vector>

namespace quorvane {
class CancelFlag;
class FileLock;
class ObjectList;
struct ListingResult;
} // namespace quorvane

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

// How many catalogue objects a listing left out and why, as one line ending
// in a newline; "" when none was.
std::string LeftOutSummary(const ListingResult& result);

// One List or backup at a time per account: the lock in Quorvane's private
// folder that the window shares. Waits a few seconds for another Quorvane
// working on the account, then gives up. Null, with the message, when it
// cannot be had.
std::unique_ptr<FileLock> LockAccount(const AccountSelection& selection, std::string& problem);

// Set by SIGINT and SIGTERM once InstallInterruptHandlers has run: the work
// stops after the item it is on, and the command reports what was done.
CancelFlag& Interrupts();
void InstallInterruptHandlers();
// The exit status after an interrupt: 128 + the signal's number.
int InterruptedStatus();

} // namespace quorvane::cli
