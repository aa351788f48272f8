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
// Quorvane working on the account, or until cancel is set; FileLock::OutcomeOf
// tells which way it failed.
struct AccountLock {
    using Outcome = FileLock::Outcome;

    static Result<std::unique_ptr<FileLock>> Take(const AccountSelection& selection,
                                                  const CancelFlag* cancel = nullptr,
                                                  unsigned waitMilliseconds = 5000);
};

} // namespace quorvane
