#pragma once

#include "app/AccountSelection.h"
#include "platform/FileLock.h"
#include "platform/PrivateFolder.h"

#include <memory>
#include <string>

namespace quorvane {

class CancelFlag;

// One List or backup at a time per account: the lock in Quorvane's private
// folder that both front ends take. Waits up to waitMilliseconds for another
// Quorvane working on the account, or until cancel is set.
struct AccountLock {
    using Outcome = FileLock::Outcome;
    Outcome outcome = Outcome::Failed;
    std::string reason; // for Failed
    std::unique_ptr<FileLock> lock;

    static AccountLock Take(const AccountSelection& selection, const CancelFlag* cancel = nullptr,
                            unsigned waitMilliseconds = 5000);
};

} // namespace quorvane
