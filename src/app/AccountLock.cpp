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
    const Result<std::string> folder = EnsurePrivateFolder(root).and_then([&] {
        return EnsurePrivateSubfolder(root, std::to_string(MessengerProfile::AccountId(
                                                selection.passport, CodePage::Ansi())));
    });
    if (!folder) {
        taken.reason = folder.error().sentence;
        return taken;
    }
    taken.lock = FileLock::Acquire(JoinPath(*folder, "lock"), waitMilliseconds, taken.outcome,
                                   taken.reason, cancel);
    return taken;
}

} // namespace quorvane
