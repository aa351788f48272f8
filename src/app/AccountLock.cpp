#include "app/AccountLock.h"

#include "platform/CodePage.h"
#include "platform/FileLock.h"
#include "platform/Paths.h"
#include "profile/MessengerProfile.h"

namespace quorvane {

Result<std::unique_ptr<FileLock>> AccountLock::Take(const AccountSelection& selection,
                                                    const CancelFlag* cancel,
                                                    unsigned waitMilliseconds) {
    const std::string root = PrivateFolderPath();
    const Result<std::string> folder = EnsurePrivateFolder(root).and_then([&] {
        return EnsurePrivateSubfolder(root, std::to_string(MessengerProfile::AccountId(
                                                selection.passport, CodePage::Ansi())));
    });
    if (!folder)
        return Fail(folder.error());
    return FileLock::Acquire(JoinPath(*folder, "lock"), waitMilliseconds, cancel);
}

} // namespace quorvane
