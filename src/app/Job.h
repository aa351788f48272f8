#pragma once

#include "platform/CancelFlag.h"

#include <cstddef>
#include <functional>

namespace quorvane {

// How far a job has got: items done of all. Called on the thread the job
// runs on.
using JobProgress = std::function<void(std::size_t done, std::size_t total)>;

// What every long command shares: its own cancel flag, so one command's
// Cancel never reaches the next, and whom to tell how far it has got.
class Job {
public:
    virtual ~Job() = default;

    // Stops the job after the item it is on; also ends a wait for the
    // account. Safe from another thread and from a signal handler.
    void Cancel() noexcept { m_cancel.Request(); }
    bool IsCancelled() const noexcept { return m_cancel.Requested(); }
    // Set before the job runs.
    void SetProgress(JobProgress progress) { m_progress = std::move(progress); }

protected:
    CancelFlag m_cancel;
    JobProgress m_progress;
};

} // namespace quorvane
