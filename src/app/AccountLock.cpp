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
    Result<std::unique_ptr<FileLock>> lock =
        FileLock::Acquire(JoinPath(*folder, "lock"), waitMilliseconds, cancel);
    taken.outcome = FileLock::OutcomeOf(lock);
    if (lock)
        taken.lock = std::move(*lock);
    else if (taken.outcome == Outcome::Failed)
        taken.reason = std::move(lock.error().sentence);
    return taken;
}

} // namespace quorvane
