#pragma once

#include <cstdint>
#include <ctime>
#include <optional>

namespace quorvane {

// The clock of the program: a millisecond tick count (as Windows'
// GetTickCount: wraps modulo 2^32), the time in seconds since 1970 and the
// local time. Passed to whoever needs it so tests can hand in their own.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::uint32_t TickCount() const = 0;
    virtual std::int64_t SecondsSinceEpoch() const = 0;
    virtual std::optional<std::tm> LocalTime() const = 0;
};

class SystemClock final : public Clock {
public:
    std::uint32_t TickCount() const override;
    std::int64_t SecondsSinceEpoch() const override;
    std::optional<std::tm> LocalTime() const override;
};

// The fixed short pauses between steps of a listing or a backup. One
// injectable pause, so tests and benchmarks can count the waiting instead of
// sleeping.
class Pause {
public:
    virtual ~Pause() = default;
    virtual void Wait(unsigned milliseconds) = 0;
};

class SleepingPause final : public Pause {
public:
    void Wait(unsigned milliseconds) override;
};

} // namespace quorvane
