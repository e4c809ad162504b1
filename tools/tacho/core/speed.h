#pragma once

#include <array>
#include <cstdint>
#include <optional>

// A frame of the speed-measuring board: 0x55 0xAA, the revolution time high and low byte, 0xFF.
struct Frame {
    static constexpr std::uint8_t kStart = 0x55;
    static constexpr std::uint8_t kSecond = 0xAA;
    static constexpr std::uint8_t kEnd = 0xFF;
    static constexpr int kSize = 5;

    std::array<std::uint8_t, kSize> bytes{};

    bool valid() const { return bytes[0] == kStart && bytes[1] == kSecond && bytes[4] == kEnd; }
    // The revolution time in counts of 4.8 µs.
    std::uint16_t count() const { return static_cast<std::uint16_t>(bytes[2] << 8 | bytes[3]); }
};

struct Speed {
    double ms;         // per revolution, at least 1
    std::int32_t rpm;  // 60000 / ms, halves to even: 191 to 60000
};

Speed speed_of(std::uint16_t count);

// The average speed over cycles of twelve frames. A cycle that acquisition interrupts is
// completed by the frames after the next start.
class SpeedAverage {
public:
    static constexpr int kCycle = 12;

    // Adds a speed; the average when it completes a cycle.
    std::optional<std::int32_t> add(std::int32_t rpm);
    int count() const { return sample_count; }

private:
    int sample_count = 0;
    std::array<std::int32_t, kCycle> speed_samples{};
};
