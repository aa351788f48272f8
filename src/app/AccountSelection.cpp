#include "app/AccountSelection.h"

#include "backup/Listing.h"
#include "platform/CodePage.h"
#include "platform/SystemFolders.h"

namespace quorvane {

AccountSelection AccountSelection::Make(WineAccount wine, std::string passportUtf8) {
    AccountSelection selection;
    const CodePage& codePage = CodePage::Ansi();
    selection.wine = std::move(wine);
    selection.passportUtf8 = std::move(passportUtf8);
    selection.passport = codePage.FromUtf8(selection.passportUtf8);
    // Wine gives its programs the user name in the code page, and the key of
    // the protected files is made from those bytes.
    selection.wineUser = codePage.FromUtf8(selection.wine.user);
    return selection;
}

AccountSelection AccountSelection::Make(std::shared_ptr<const WindowsSource> windows,
                                        std::string passportUtf8) {
    AccountSelection selection = Make(WineAccount{}, std::move(passportUtf8));
    selection.windows = std::move(windows);
    return selection;
}

std::string AccountSelection::ApplicationDataFolder() const {
    return windows ? windows->profile.applicationDataFolder : wine.ApplicationDataFolder();
}

std::string AccountSelection::WindowsFolder() const {
    return windows ? TemporaryFolderPath() : wine.WindowsFolder();
}

std::string AccountSelection::SourceFolder() const {
    return windows ? windows->profile.folder : wine.prefix;
}

bool AccountSelection::HasValidPassport() const {
    return IsValidPassport(passport, CodePage::Ansi());
}

} // namespace quorvane
