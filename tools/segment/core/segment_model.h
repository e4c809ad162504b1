#pragma once

#include <QString>

#include <array>
#include <cstdint>

// A seven-segment digit wired to the eight bits of one output port: the bit that drives each
// segment letter, the lettering of the seven drawn segments, the display type, and the port
// bytes that show the 25 characters of the table.

inline constexpr int kLetterCount = 8;  // A to G, and H, the decimal point
inline constexpr int kPositionCount = 7;
inline constexpr int kCharacterCount = 25;

// The drawn segments of the digit.
enum class Position { kTop, kUpperRight, kLowerRight, kBottom, kLowerLeft, kUpperLeft, kMiddle };

enum class DisplayType { kCommonAnode = 0, kCommonCathode = 1 };

using BitValues = std::array<double, kLetterCount>;  // A to H
using Codes = std::array<int, kCharacterCount>;

// The weight of a port bit: 0 to 7 give 1, 2, 4 ... 128, any other value 0.
std::int16_t port_bit_weight(std::int16_t bit);

// The weight of a typed bit value: rounded, halves to even, then port_bit_weight. A value that
// rounds outside 0..7, however large, gives 0.
std::int16_t bit_weight(double bit_value);

// "A" to "H" for the letters 0 to 7.
QString letter_name(int letter);

// The label a table writes for character `index`: "0" to "9", "A", "b", "C", "d" ... "_".
QString character_label(int index);

// "共阳" or "共阴".
QString display_type_text(DisplayType type);

// True when no two of the eight bit values are equal.
bool check_bits(const BitValues& values);

class SegmentModel {
public:
    // Before the window loads: every weight 0, no lettering.
    SegmentModel() = default;
    // The state at load: letter weights from `bits`, the standard lettering (top A, upper right
    // B ... middle G), counter 7, common anode.
    explicit SegmentModel(const BitValues& bits);

    // Gives `letter` the weight of `bit_value`; true when the value is refused (above 7).
    bool set_bit(int letter, double bit_value);
    // Takes every letter off the digit; the positions keep their weights.
    void clear_lettering();
    // Letters the position with the next letter; the eighth click clears the lettering instead
    // and answers true.
    bool click_position(Position position);
    DisplayType toggle_display_type();

    // The letter on `position`, or "".
    QString caption(Position position) const;
    DisplayType display_type() const { return m_display_type; }
    // The lettering counts as chosen after exactly seven clicks.
    bool check_pattern() const { return m_label_counter == kPositionCount; }
    Codes build_codes() const;

private:
    struct Lettering {
        int letter = -1;  // none
        std::int16_t weight = 0;
    };

    std::array<std::int16_t, kLetterCount> m_letter_weights{};
    std::array<Lettering, kPositionCount> m_positions{};
    int m_label_counter = 0;
    DisplayType m_display_type = DisplayType::kCommonAnode;
};
