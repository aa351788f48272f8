#pragma once

#include "app/AccountLock.h"
#include "app/AccountSelection.h"
#include "app/Job.h"
#include "app/ListJob.h"
#include "app/ListingWords.h"
#include "cli/CliOptions.h"
#include "platform/FileLock.h"

#include <memory>
#include <string>
#include <vector>

namespace quorvane {
class CancelFlag;
class FileLock;
} // namespace quorvane

namespace quorvane::cli {

// The options of every command that reads a Messenger account: the
// passport (required) and where the account's data is: the Wine prefix, or
// a Windows user's folder with the user's password.
std::vector<Option> AccountOptions();

// The account a command line names: --passport (as typed; a Usage failure
// when empty), --wine-prefix and --wine-user, or --windows-profile and the
// password (see WindowsSourceFromOptions, whose failures it passes on).
Result<AccountSelection> SelectionFromOptions(const ParsedOptions& options);

// Why a job could not have the account (its lockFailure), in the same words.
std::string LockProblem(const LockReport& report, const AccountSelection& selection);

// Set by SIGINT and SIGTERM once InstallInterruptHandlers has run: the work
// stops after the item it is on, and the command reports what was done.
CancelFlag& Interrupts();
void InstallInterruptHandlers();

// While it lives, SIGINT and SIGTERM cancel the job as well (an interrupt
// that came first cancels it at once). The command line runs its jobs on
// its own thread, one at a time.
class InterruptibleJob {
public:
    explicit InterruptibleJob(Job& job);
    ~InterruptibleJob();
    InterruptibleJob(const InterruptibleJob&) = delete;
    InterruptibleJob& operator=(const InterruptibleJob&) = delete;
};
// The exit status after an interrupt: 128 + the signal's number.
int InterruptedStatus();

} // namespace quorvane::cli
