#include "speed.h"

#include "base/number_text.h"

#include <numeric>

Speed speed_of(std::uint16_t count) {
    double ms = count * 3.0 / 625.0;  // 4.8 µs a count
    if (ms < 1) {
        ms = 1;
    }
    return {ms, static_cast<std::int32_t>(round_half_even(60000.0 / ms))};
}

std::optional<std::int32_t> SpeedAverage::add(std::int32_t rpm) {
    speed_samples[sample_count] = rpm;
    ++sample_count;
    if (sample_count < kCycle) {
        return std::nullopt;
    }
    sample_count = 0;
    const double sum = std::accumulate(speed_samples.begin(), speed_samples.end(), 0.0);
    return static_cast<std::int32_t>(round_half_even(sum / kCycle));
}
