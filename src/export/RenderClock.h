#pragma once

#include <cstdint>

extern "C" {
#include <libavutil/mathematics.h>
}

namespace quorvane {

// When a frame starts, for a frame rate of numerator / denominator frames
// per second: in units of 1 / unitsPerSecond s, rounded to the nearest unit
// from the exact time, so durations add up to the exact total instead of
// drifting by a rounding per frame.
struct RenderClock {
    std::int64_t numerator = 1;
    std::int64_t denominator = 1;

    std::int64_t Start(std::int64_t frame, std::int64_t unitsPerSecond) const {
        return av_rescale_rnd(frame, unitsPerSecond * denominator, numerator, AV_ROUND_NEAR_INF);
    }
};

} // namespace quorvane
