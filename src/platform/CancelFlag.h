#pragma once

#include <atomic>

namespace quorvane {

// Asks long work (a listing, a backup) to stop after the item it is on. Set
// from a signal handler or another thread; read between items. Lock-free, so
// a signal handler may set it.
class CancelFlag {
public:
    // reason: what asked (the command line keeps the signal's number).
    void Request(int reason = 1) noexcept { m_reason.store(reason, std::memory_order_relaxed); }
    void Reset() noexcept { m_reason.store(0, std::memory_order_relaxed); }
    bool Requested() const noexcept { return m_reason.load(std::memory_order_relaxed) != 0; }
    int Reason() const noexcept { return m_reason.load(std::memory_order_relaxed); }

private:
    std::atomic<int> m_reason{0};
    static_assert(std::atomic<int>::is_always_lock_free);
};

inline bool IsCancelled(const CancelFlag* flag) {
    return flag != nullptr && flag->Requested();
}

} // namespace quorvane
