#pragma once

#include "platform/Clock.h"

#include <vector>

namespace quorvane::test {

// A clock that stands still unless told to move; each TickCount call can
// advance it by a step.
class FakeClock final : public Clock {
public:
    std::uint32_t TickCount() const override;
    std::int64_t SecondsSinceEpoch() const override { return seconds; }
    std::optional<std::tm> LocalTime() const override;

    mutable std::uint32_t ticks = 1000;
    std::uint32_t tickStep = 0;
    std::int64_t seconds = 1700000000;
};

// Counts the pauses instead of sleeping.
class CountingPause final : public Pause {
public:
    void Wait(unsigned milliseconds) override;

    std::vector<unsigned> waits;
    unsigned long long total = 0;
};

} // namespace quorvane::test
