#include "platform/Clock.h"

#include <chrono>
#include <thread>
#include <time.h>

namespace quorvane {

std::uint32_t SystemClock::TickCount() const {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const auto ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                    static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(ms); // modulo 2^32, as GetTickCount wraps
}

std::int64_t SystemClock::SecondsSinceEpoch() const {
    return static_cast<std::int64_t>(::time(nullptr));
}

std::optional<std::tm> SystemClock::LocalTime() const {
    std::time_t now = ::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr)
        return std::nullopt;
    return local;
}

void SleepingPause::Wait(unsigned milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace quorvane
