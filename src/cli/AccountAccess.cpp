#include "cli/AccountAccess.h"

#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "profile/ObjectList.h"

#include <pthread.h>
#include <system_error>

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

AccountSelection AccountSelection::FromOptions(const ParsedOptions& options) {
    AccountSelection selection;
    selection.passportUtf8 = options.Required("passport");
    if (selection.passportUtf8.empty())
        throw UsageError("--passport must not be empty");
    selection.wine =
        WineAccount::Discover(options.Value("wine-prefix"), options.Value("wine-user"));
    const CodePage& codePage = CodePage::Ansi();
    selection.passport = codePage.FromUtf8(selection.passportUtf8);
    // Wine gives its programs the user name in the code page, and the key of
    // the protected files is made from those bytes.
    selection.wineUser = codePage.FromUtf8(selection.wine.user);
    return selection;
}

AccountServices::AccountServices(const AccountSelection& selection)
    : m_protection(selection.wineUser),
      m_clock(), m_services{m_protection, m_clock, CodePage::Ansi(),
                            selection.wine.ApplicationDataFolder(),
                            selection.wine.WindowsFolder()} {}

std::string ListingProblem(const ObjectList& list, const AccountSelection& selection) {
    const std::string label(CategoryLabel(list.category));
    const std::string pointer = JoinPath(list.objectFolder, "map.dat");
    const std::string passport = "\"" + selection.passportUtf8 + "\"";
    const std::string wineUser = "\"" + selection.wine.user + "\"";
    switch (list.status) {
    case ListingStatus::NotListed:
    case ListingStatus::Listed:
        return {};
    case ListingStatus::NoPointerFile: {
        std::string text = "there is no Messenger data (" + label + ") for the passport " +
                           passport + " at " + list.objectFolder +
                           " (no readable map.dat there).\n";
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
        return "the " + label + " catalogue of " + passport +
               " could not be unprotected (Wine user " + wineUser + ").\n" +
               "The passport must be typed exactly as at sign-in, with the same upper and lower "
               "case, and Messenger must have run as the Wine user " +
               wineUser + " (see --wine-user).\n";
    case ListingStatus::NoCatalogueName:
        return pointer + " names no catalogue file in " + list.mapFileFolder + ".\n";
    case ListingStatus::NoCatalogueFile:
        return "the catalogue file named by " + pointer + " is missing from " + list.mapFileFolder +
               " or cannot be read.\n";
    case ListingStatus::WrongCategory:
        return "the " + label + " cannot be listed by this kind of list.\n";
    }
    return "the " + label + " could not be listed.\n";
}

DeferredSignals::DeferredSignals() {
    sigset_t blocked;
    sigemptyset(&blocked);
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
        sigaddset(&blocked, signal);
    m_active = pthread_sigmask(SIG_BLOCK, &blocked, &m_previous) == 0;
}

DeferredSignals::~DeferredSignals() {
    if (m_active)
        pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
}

} // namespace quorvane::cli
