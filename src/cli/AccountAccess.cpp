#include "cli/AccountAccess.h"
#include "cli/WindowsAccess.h"

#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "profile/ObjectList.h"

#include "platform/CancelFlag.h"
#include "platform/FileLock.h"
#include "platform/PrivateFolder.h"
#include "platform/TranslatedSentence.h"

#include <QCoreApplication>

#include <atomic>
#include <csignal>

namespace quorvane::cli {

std::vector<Option> AccountOptions() {
    std::vector<Option> options = {
        {"passport", "PASSPORT",
         QCoreApplication::translate("quorvane::cli",
                                     "the account's sign-in name, typed exactly as at sign-in "
                                     "(upper and lower case count)")
             .toStdString(),
         true},
        {"wine-prefix", "DIR",
         QCoreApplication::translate(
             "quorvane::cli",
             "the Wine prefix Messenger runs in (default: $WINEPREFIX, else ~/.wine)")
             .toStdString(),
         false},
        {"wine-user", "NAME",
         QCoreApplication::translate("quorvane::cli",
                                     "the Wine user Messenger ran as (default: $USER); its name is "
                                     "part of the key that protects the catalogues")
             .toStdString(),
         false},
    };
    for (Option& option : WindowsOptions())
        options.push_back(std::move(option));
    return options;
}

Result<AccountSelection> SelectionFromOptions(const ParsedOptions& options) {
    const std::string& passport = options.Required("passport");
    if (passport.empty())
        return UsageFailure(Sentence(
            QCoreApplication::translate("quorvane::cli", "--%1 must not be empty"), "passport"));
    Result<std::shared_ptr<const WindowsSource>> windows = WindowsSourceFromOptions(options);
    if (!windows)
        return Fail(windows.error());
    if (*windows)
        return AccountSelection::Make(std::move(*windows), passport);
    return AccountSelection::Make(
        WineAccount::Discover(options.Value("wine-prefix"), options.Value("wine-user")), passport);
}

std::string LockProblem(const LockReport& report, const AccountSelection& selection) {
    switch (report.Lock()) {
    case AccountLock::Outcome::Acquired:
        break;
    case AccountLock::Outcome::Busy:
        return Sentence(QCoreApplication::translate("quorvane::cli",
                                                    "another Quorvane is working on the account "
                                                    "\"%1\"; try again when it has finished."),
                        selection.passportUtf8) +
               "\n";
    case AccountLock::Outcome::Failed:
        return Sentence(QCoreApplication::translate("quorvane::cli",
                                                    "Quorvane's own folder cannot be used: %1."),
                        report.lockFailure->sentence) +
               "\n";
    case AccountLock::Outcome::Cancelled:
        return Sentence(QCoreApplication::translate(
                            "quorvane::cli", "interrupted while waiting for another Quorvane to "
                                             "finish with the account \"%1\"."),
                        selection.passportUtf8) +
               "\n";
    }
    return {};
}

namespace {

CancelFlag g_interrupts;
std::atomic<Job*> g_runningJob{nullptr};
static_assert(std::atomic<Job*>::is_always_lock_free);

void OnInterrupt(int signal) {
    g_interrupts.Request(signal);
    if (Job* job = g_runningJob.load())
        job->Cancel();
}

} // namespace

CancelFlag& Interrupts() {
    return g_interrupts;
}

void InstallInterruptHandlers() {
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // Interrupted reads and waits carry on; the work looks at the flag
    // between items.
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

int InterruptedStatus() {
    return 128 + g_interrupts.Reason();
}

InterruptibleJob::InterruptibleJob(Job& job) {
    g_runningJob.store(&job);
    if (g_interrupts.Requested())
        job.Cancel();
}

InterruptibleJob::~InterruptibleJob() {
    g_runningJob.store(nullptr);
}

} // namespace quorvane::cli
