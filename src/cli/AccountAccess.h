#pragma once

#include "app/AccountSession.h"
#include "cli/CliOptions.h"

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

// The account a command line names: --passport (as typed; throws UsageError
// when empty), --wine-prefix and --wine-user.
AccountSelection SelectionFromOptions(const ParsedOptions& options);

// Why a listing gave nothing, in words for the user (one or more lines, each
// ending in a newline), or "" when it was listed.
std::string ListingProblem(const ObjectList& list, const AccountSelection& selection);

// How many catalogue objects a listing left out and why, as one line ending
// in a newline; "" when none was.
std::string LeftOutSummary(const ListingResult& result);

// One List or backup at a time per account: the lock in Quorvane's private
// folder that the window shares. Waits a few seconds for another Quorvane
// working on the account, then gives up; Ctrl-C (or SIGTERM) ends the wait
// at once. Null, with the message, when it cannot be had.
std::unique_ptr<FileLock> LockAccount(const AccountSelection& selection, std::string& problem);

// Set by SIGINT and SIGTERM once InstallInterruptHandlers has run: the work
// stops after the item it is on, and the command reports what was done.
CancelFlag& Interrupts();
void InstallInterruptHandlers();
// The exit status after an interrupt: 128 + the signal's number.
int InterruptedStatus();

} // namespace quorvane::cli
