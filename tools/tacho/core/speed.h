#pragma once

#include <array>
#include <cstdint>
#include <optional>

struct Speed {
    double ms;         // per revolution, at least 1
    std::int32_t rpm;  // 60000 / ms, halves to even: 191 to 60000
};

// The time per revolution and the speed for a revolution time in counts of 4.8 µs.
Speed speed_of(std::uint16_t count);

// The average speed over cycles of twelve frames. A cycle that acquisition interrupts is
// completed by the frames after the next start.
class SpeedAverage {
public:
    static constexpr int kCycle = 12;

    // Adds a speed; the average when it completes a cycle.
    std::optional<std::int32_t> add(std::int32_t rpm);

private:
    int sample_count = 0;
    std::array<std::int32_t, kCycle> speed_samples{};
};
