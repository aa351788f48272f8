#include "app/AccountLock.h"

#include "platform/CodePage.h"
#include "platform/FileLock.h"
#include "platform/Paths.h"
#include "profile/MessengerProfile.h"

namespace quorvane {

AccountLock AccountLock::Take(const AccountSelection& selection, const CancelFlag* cancel,
                              unsigned waitMilliseconds) {
    AccountLock taken;
    const std::string root = PrivateFolderPath();
    std::string folder;
    if (EnsurePrivateFolder(root, taken.reason))
        folder = EnsurePrivateSubfolder(
            root, std::to_string(MessengerProfile::AccountId(selection.passport, CodePage::Ansi())),
            taken.reason);
    if (folder.empty())
        return taken;
    taken.lock = FileLock::Acquire(JoinPath(folder, "lock"), waitMilliseconds, taken.outcome,
                                   taken.reason, cancel);
    return taken;
}

} // namespace quorvane
