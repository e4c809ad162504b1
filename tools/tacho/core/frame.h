#pragma once

#include <array>
#include <cstdint>

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
