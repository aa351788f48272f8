#include "support/FakeClock.h"

#include <ctime>

namespace quorvane::test {

std::uint32_t FakeClock::TickCount() const {
    const std::uint32_t now = ticks;
    ticks += tickStep; // wraps modulo 2^32, as the real tick count does
    return now;
}

std::optional<std::tm> FakeClock::LocalTime() const {
    // UTC stands in for local time so results do not depend on the machine's
    // time zone.
    const auto time = static_cast<std::time_t>(seconds);
    std::tm broken{};
    if (gmtime_r(&time, &broken) == nullptr)
        return std::nullopt;
    return broken;
}

void CountingPause::Wait(unsigned milliseconds) {
    waits.push_back(milliseconds);
    total += milliseconds;
}

} // namespace quorvane::test
