#include "cli/AccountAccess.h"

#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "profile/ObjectList.h"

#include "backup/Listing.h"
#include "platform/CancelFlag.h"
#include "platform/PrivateFolder.h"

#include <csignal>

namespace quorvane::cli {

std::vector<Option> AccountOptions() {
    return {
        {"passport", "PASSPORT",
         "the account's sign-in name, typed exactly as at sign-in (upper and lower case count)",
         true},
        {"wine-prefix", "DIR",
         "the Wine prefix Messenger runs in (default: $WINEPREFIX, else ~/.wine)", false},
        {"wine-user", "NAME",
         "the Wine user Messenger ran as (default: $USER); its name is part of the key that "
         "protects the catalogues",
         false},
    };
}

AccountSelection SelectionFromOptions(const ParsedOptions& options) {
    const std::string& passport = options.Required("passport");
    if (passport.empty())
        throw UsageError("--passport must not be empty");
    return AccountSelection::Make(
        WineAccount::Discover(options.Value("wine-prefix"), options.Value("wine-user")), passport);
}

namespace {

// What was wrong with a protected file, as the end of a sentence that
// begins with its path.
std::string FileProblemText(const ObjectList& list, const AccountSelection& selection) {
    const std::string wineUser = "\"" + selection.wine.user + "\"";
    switch (list.fileProblem) {
    case ProtectedFileContent::Problem::Missing:
        return " does not exist";
    case ProtectedFileContent::Problem::Unreadable:
        return " cannot be read: " + list.problemDetail;
    case ProtectedFileContent::Problem::Empty:
        return " is empty";
    case ProtectedFileContent::Problem::Damaged:
        return " is damaged: it is not a protected file Messenger could have written "
               "(truncated or changed)";
    case ProtectedFileContent::Problem::WrongKey:
    case ProtectedFileContent::Problem::None:
        break;
    }
    return " could not be unprotected with the passport \"" + selection.passportUtf8 +
           "\" as the Wine user " + wineUser +
           ".\nThe passport must be typed exactly as at sign-in, with the same upper and "
           "lower case, and Messenger must have run as the Wine user " +
           wineUser + " (see --wine-user)";
}

} // namespace

std::string ListingProblem(const ObjectList& list, const AccountSelection& selection) {
    const std::string label(CategoryLabel(list.category));
    const std::string pointer = JoinPath(list.objectFolder, "map.dat");
    const std::string passport = "\"" + selection.passportUtf8 + "\"";
    const std::string wineUser = "\"" + selection.wine.user + "\"";
    switch (list.status) {
    case ListingStatus::NotListed:
    case ListingStatus::Listed:
        return {};
    case ListingStatus::NoPrivateFolder:
        return "Quorvane's own folder " + list.problemFile +
               " cannot be used: " + list.problemDetail + ".\n";
    case ListingStatus::NoPointerFile: {
        if (list.fileProblem != ProtectedFileContent::Problem::Missing)
            return "the " + label + " of " + passport + " cannot be listed: " + pointer +
                   FileProblemText(list, selection) + ".\n";
        std::string text = "there is no Messenger data (" + label + ") for the passport " +
                           passport + " at " + list.objectFolder + " (no map.dat there).\n";
        const std::string appData = selection.wine.ApplicationDataFolder();
        if (!IsDirectory(appData))
            text +=
                "The folder " + appData + " does not exist: check --wine-prefix and --wine-user.\n";
        else
            text += "Check the passport and that Messenger signed in with it in the Wine prefix " +
                    selection.wine.prefix + " as the Wine user " + wineUser + ".\n";
        return text;
    }
    case ListingStatus::PointerNotUnprotected:
    case ListingStatus::CatalogueNotUnprotected:
    case ListingStatus::NoCatalogueFile:
        return "the " + label + " of " + passport + " cannot be listed: " + list.problemFile +
               FileProblemText(list, selection) + ".\n";
    case ListingStatus::NoCatalogueName:
        return pointer + " names no catalogue file in " + list.mapFileFolder + ".\n";
    case ListingStatus::WrongCategory:
        return "the " + label + " cannot be listed by this kind of list.\n";
    }
    return "the " + label + " could not be listed.\n";
}

std::string LeftOutSummary(const ListingResult& result) {
    if (result.LeftOut() == 0)
        return {};
    std::vector<std::string> parts;
    auto add = [&parts](std::size_t count, const char* one, const char* many) {
        if (count > 0)
            parts.push_back(std::to_string(count) + " " + (count == 1 ? one : many));
    };
    add(result.missingFiles, "whose file is missing or not a regular file",
        "whose files are missing or not regular files");
    add(result.withoutPicture, "without a picture that can be shown",
        "without a picture that can be shown");
    add(result.unsafeLocations, "whose Location is not a plain file name (unsafe)",
        "whose Locations are not plain file names (unsafe)");
    std::string text = std::to_string(result.LeftOut()) + " of " +
                       std::to_string(result.catalogueObjects) +
                       (result.catalogueObjects == 1 ? " catalogue object" : " catalogue objects") +
                       (result.LeftOut() == 1 ? " was" : " were") + " left out: ";
    for (std::size_t i = 0; i < parts.size(); ++i)
        text += (i == 0 ? "" : ", ") + parts[i];
    return text + ".\n";
}

std::unique_ptr<FileLock> LockAccount(const AccountSelection& selection, std::string& problem) {
    AccountLock taken = AccountLock::Take(selection, &Interrupts());
    switch (taken.outcome) {
    case AccountLock::Outcome::Acquired:
        break;
    case AccountLock::Outcome::Busy:
        problem = "another Quorvane is working on the account \"" + selection.passportUtf8 +
                  "\"; try again when it has finished.\n";
        break;
    case AccountLock::Outcome::Failed:
        problem = "Quorvane's own folder cannot be used: " + taken.reason + ".\n";
        break;
    case AccountLock::Outcome::Cancelled:
        problem = "interrupted while waiting for another Quorvane to finish with the account "
                  "\"" +
                  selection.passportUtf8 + "\".\n";
        break;
    }
    return std::move(taken.lock);
}

namespace {

CancelFlag g_interrupts;

void OnInterrupt(int signal) {
    g_interrupts.Request(signal);
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

} // namespace quorvane::cli
