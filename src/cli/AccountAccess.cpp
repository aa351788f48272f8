#include "cli/AccountAccess.h"
#include "cli/WindowsAccess.h"

#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "profile/ObjectList.h"

#include "platform/CancelFlag.h"
#include "platform/FileLock.h"
#include "platform/PrivateFolder.h"
#include "platform/Sentence.h"

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

AccountSelection SelectionFromOptions(const ParsedOptions& options) {
    const std::string& passport = options.Required("passport");
    if (passport.empty())
        throw UsageError(Sentence(
            QCoreApplication::translate("quorvane::cli", "--%1 must not be empty"), "passport"));
    if (auto windows = WindowsSourceFromOptions(options))
        return AccountSelection::Make(std::move(windows), passport);
    return AccountSelection::Make(
        WineAccount::Discover(options.Value("wine-prefix"), options.Value("wine-user")), passport);
}

namespace {

// What is wrong with the protected file, a sentence without its full stop.
std::string FileProblem(const CatalogueState& list, const std::string& file,
                        const AccountSelection& selection) {
    switch (list.fileProblem) {
    case ProtectedFileContent::Problem::Missing:
        return Sentence(QCoreApplication::translate("quorvane::cli", "%1 does not exist"), file);
    case ProtectedFileContent::Problem::Unreadable:
        return Sentence(QCoreApplication::translate("quorvane::cli", "%1 cannot be read: %2"), file,
                        list.problemDetail);
    case ProtectedFileContent::Problem::Empty:
        return Sentence(QCoreApplication::translate("quorvane::cli", "%1 is empty"), file);
    case ProtectedFileContent::Problem::Damaged:
        return Sentence(QCoreApplication::translate(
                            "quorvane::cli", "%1 is damaged: it is not a protected file Messenger "
                                             "could have written (truncated or changed)"),
                        file);
    case ProtectedFileContent::Problem::MissingKey:
        return Sentence(
            QCoreApplication::translate("quorvane::cli",
                                        "%1 was protected with a master key that is not in %2"),
            file, selection.windows->profile.protectFolder);
    case ProtectedFileContent::Problem::Locked:
        return Sentence(
            QCoreApplication::translate("quorvane::cli",
                                        "the password does not unlock the Windows profile of %1"),
            selection.windows->profile.userName);
    case ProtectedFileContent::Problem::WrongKey:
    case ProtectedFileContent::Problem::None:
        break;
    }
    if (selection.windows)
        return Sentence(
            QCoreApplication::translate(
                "quorvane::cli",
                "%1 could not be unprotected with the passport \"%2\": it was protected "
                "for another passport, or changed"),
            file, selection.passportUtf8);
    return Sentence(
        QCoreApplication::translate(
            "quorvane::cli",
            "%1 could not be unprotected with the passport \"%2\" as the Wine user \"%3\""),
        file, selection.passportUtf8, selection.wine.user);
}

// "The MSN Winks of ... cannot be listed" for a protected file that could not
// be read, and what to check when it could not be unprotected.
std::string CannotBeListed(const CatalogueState& list, const std::string& file,
                           const AccountSelection& selection) {
    std::string text = Sentence(QCoreApplication::translate(
                                    "quorvane::cli", "the %1 of \"%2\" cannot be listed: %3."),
                                CategoryLabel(list.category), selection.passportUtf8,
                                FileProblem(list, file, selection)) +
                       "\n";
    if (!selection.windows && (list.fileProblem == ProtectedFileContent::Problem::WrongKey ||
                               list.fileProblem == ProtectedFileContent::Problem::None))
        text +=
            Sentence(QCoreApplication::translate(
                         "quorvane::cli",
                         "The passport must be typed exactly as at sign-in, with the same upper "
                         "and lower case, and Messenger must have run as the Wine user \"%1\" "
                         "(see --wine-user)."),
                     selection.wine.user) +
            "\n";
    return text;
}

} // namespace

std::string ListingProblem(const CatalogueState& list, const AccountSelection& selection) {
    const std::string label = CategoryLabel(list.category);
    const std::string pointer = JoinPath(list.objectFolder, "map.dat");
    switch (list.status) {
    case ListingStatus::NotListed:
    case ListingStatus::Listed:
        return {};
    case ListingStatus::NoPrivateFolder:
        return Sentence(QCoreApplication::translate("quorvane::cli",
                                                    "Quorvane's own folder %1 cannot be used: %2."),
                        list.problemFile, list.problemDetail) +
               "\n";
    case ListingStatus::NoPointerFile: {
        if (list.fileProblem != ProtectedFileContent::Problem::Missing)
            return CannotBeListed(list, pointer, selection);
        std::string text =
            Sentence(
                QCoreApplication::translate(
                    "quorvane::cli",
                    "there is no Messenger data (%1) for the passport \"%2\" at %3 (no map.dat "
                    "there)."),
                label, selection.passportUtf8, list.objectFolder) +
            "\n";
        const std::string appData = selection.ApplicationDataFolder();
        if (selection.windows)
            text += Sentence(QCoreApplication::translate(
                                 "quorvane::cli", "Check the passport and that Messenger signed in "
                                                  "with it as the Windows user of %1."),
                             selection.windows->profile.folder) +
                    "\n";
        else if (!IsDirectory(appData))
            text +=
                Sentence(QCoreApplication::translate(
                             "quorvane::cli",
                             "The folder %1 does not exist: check --wine-prefix and --wine-user."),
                         appData) +
                "\n";
        else
            text += Sentence(QCoreApplication::translate(
                                 "quorvane::cli", "Check the passport and that Messenger signed in "
                                                  "with it in the Wine prefix %1 as the Wine user "
                                                  "\"%2\"."),
                             selection.wine.prefix, selection.wine.user) +
                    "\n";
        return text;
    }
    case ListingStatus::PointerNotUnprotected:
    case ListingStatus::CatalogueNotUnprotected:
    case ListingStatus::NoCatalogueFile:
        return CannotBeListed(list, list.problemFile, selection);
    case ListingStatus::NoCatalogueName:
        return Sentence(QCoreApplication::translate("quorvane::cli",
                                                    "%1 names no catalogue file in %2."),
                        pointer, list.mapFileFolder) +
               "\n";
    case ListingStatus::WrongCategory:
        return Sentence(QCoreApplication::translate(
                            "quorvane::cli", "the %1 cannot be listed by this kind of list."),
                        label) +
               "\n";
    }
    return Sentence(QCoreApplication::translate("quorvane::cli", "the %1 could not be listed."),
                    label) +
           "\n";
}

std::string LeftOutSummary(const ListReport& result) {
    if (result.LeftOut() == 0)
        return {};
    // The reasons, each with how many objects it left out, as a list. (The
    // counts are taken out of the calls: lupdate does not read a cast there.)
    const auto missing = static_cast<int>(result.missingFiles);
    const auto withoutPicture = static_cast<int>(result.withoutPicture);
    const auto unsafe = static_cast<int>(result.unsafeLocations);
    std::vector<std::string> reasons;
    if (missing > 0)
        reasons.push_back(
            QCoreApplication::translate(
                "quorvane::cli", "%n whose file is missing or not a regular file", nullptr, missing)
                .toStdString());
    if (withoutPicture > 0)
        reasons.push_back(QCoreApplication::translate("quorvane::cli",
                                                      "%n without a picture that can be shown",
                                                      nullptr, withoutPicture)
                              .toStdString());
    if (unsafe > 0)
        reasons.push_back(
            QCoreApplication::translate("quorvane::cli",
                                        "%n whose Location is not a plain file name (unsafe)",
                                        nullptr, unsafe)
                .toStdString());
    std::string list;
    for (std::size_t i = 0; i < reasons.size(); ++i) {
        //: Between the reasons in the list of why catalogue objects were left out.
        list += (i == 0 ? std::string()
                        : QCoreApplication::translate("quorvane::cli", ", ").toStdString()) +
                reasons[i];
    }
    const auto leftOut = static_cast<int>(result.LeftOut());
    if (result.LeftOut() == result.catalogueObjects)
        return Sentence(QCoreApplication::translate("quorvane::cli",
                                                    "%n of %n catalogue object was left out: %1.",
                                                    nullptr, leftOut),
                        list) +
               "\n";
    return Sentence(QCoreApplication::translate("quorvane::cli",
                                                "%n of %1 catalogue objects was left out: %2.",
                                                nullptr, leftOut),
                    result.catalogueObjects, list) +
           "\n";
}

std::string LockProblem(const LockReport& report, const AccountSelection& selection) {
    switch (report.lock) {
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
                        report.reason) +
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
