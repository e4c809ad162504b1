#include "segment_model.h"

#include "base/number_text.h"

namespace {

constexpr int bit(Position position) {
    return 1 << static_cast<int>(position);
}

constexpr int kTop = bit(Position::kTop);
constexpr int kUpperRight = bit(Position::kUpperRight);
constexpr int kLowerRight = bit(Position::kLowerRight);
constexpr int kBottom = bit(Position::kBottom);
constexpr int kLowerLeft = bit(Position::kLowerLeft);
constexpr int kUpperLeft = bit(Position::kUpperLeft);
constexpr int kMiddle = bit(Position::kMiddle);

struct Character {
    const char* label;
    int lit;  // positions
};

constexpr Character kCharacters[kCharacterCount] = {
    {"0", kTop | kUpperRight | kLowerRight | kBottom | kLowerLeft | kUpperLeft},
    {"1", kUpperRight | kLowerRight},
    {"2", kTop | kUpperRight | kBottom | kLowerLeft | kMiddle},
    {"3", kTop | kUpperRight | kLowerRight | kBottom | kMiddle},
    {"4", kUpperRight | kLowerRight | kUpperLeft | kMiddle},
    {"5", kTop | kLowerRight | kBottom | kUpperLeft | kMiddle},
    {"6", kTop | kLowerRight | kBottom | kLowerLeft | kUpperLeft | kMiddle},
    {"7", kTop | kUpperRight | kLowerRight},
    {"8", kTop | kUpperRight | kLowerRight | kBottom | kLowerLeft | kUpperLeft | kMiddle},
    {"9", kTop | kUpperRight | kLowerRight | kBottom | kUpperLeft | kMiddle},
    {"A", kTop | kUpperRight | kLowerRight | kLowerLeft | kUpperLeft | kMiddle},
    {"b", kLowerRight | kBottom | kLowerLeft | kUpperLeft | kMiddle},
    {"C", kBottom | kLowerLeft | kMiddle},  // the small c
    {"d", kUpperRight | kLowerRight | kBottom | kLowerLeft | kMiddle},
    {"E", kTop | kBottom | kLowerLeft | kUpperLeft | kMiddle},
    {"F", kTop | kLowerLeft | kUpperLeft | kMiddle},
    {"h", kLowerRight | kLowerLeft | kUpperLeft | kMiddle},
    {"H", kUpperRight | kLowerRight | kLowerLeft | kUpperLeft | kMiddle},
    {"o", kLowerRight | kBottom | kLowerLeft | kMiddle},
    {"p", kTop | kUpperRight | kLowerLeft | kUpperLeft | kMiddle},  // the capital P
    {"L", kBottom | kLowerLeft | kUpperLeft},
    {"r", kLowerLeft | kMiddle},
    {"y", kUpperRight | kLowerRight | kBottom | kUpperLeft | kMiddle},
    {"-", kMiddle},
    {"_", kBottom},
};

}  // namespace

std::int16_t port_bit_weight(std::int16_t bit) {
    return bit >= 0 && bit <= 7 ? static_cast<std::int16_t>(1 << bit) : 0;
}

std::int16_t bit_weight(double bit_value) {
    // Rounding to 32 bits first keeps huge values from wrapping into 0..7.
    const auto rounded = round_to_int32(bit_value);
    if (!rounded || *rounded < 0 || *rounded > 7) {
        return 0;
    }
    return port_bit_weight(static_cast<std::int16_t>(*rounded));
}

QString letter_name(int letter) {
    return QString(QChar(u'A' + letter));
}

QString character_label(int index) {
    return QString::fromLatin1(kCharacters[index].label);
}

QString display_type_text(DisplayType type) {
    return type == DisplayType::kCommonAnode ? QStringLiteral("共阳") : QStringLiteral("共阴");
}

bool check_bits(const BitValues& values) {
    for (int i = 0; i < kLetterCount; ++i) {
        for (int j = i + 1; j < kLetterCount; ++j) {
            if (values[i] == values[j]) {
                return false;
            }
        }
    }
    return true;
}

SegmentModel::SegmentModel(const BitValues& bits) {
    for (int letter = 0; letter < kLetterCount; ++letter) {
        set_bit(letter, bits[letter]);
    }
    // The buttons show the standard lettering: position n carries letter n.
    for (int position = 0; position < kPositionCount; ++position) {
        m_positions[position] = {position, m_letter_weights[position]};
    }
    m_label_counter = kPositionCount;
}

bool SegmentModel::set_bit(int letter, double bit_value) {
    m_letter_weights[letter] = bit_weight(bit_value);
    return bit_value > 7;
}

void SegmentModel::clear_lettering() {
    m_label_counter = 0;
    for (Lettering& lettering : m_positions) {
        lettering.letter = -1;
    }
}

bool SegmentModel::click_position(Position position) {
    ++m_label_counter;
    if (m_label_counter > kPositionCount) {
        clear_lettering();
        return true;
    }
    const int letter = m_label_counter - 1;
    m_positions[static_cast<int>(position)] = {letter, m_letter_weights[letter]};
    return false;
}

DisplayType SegmentModel::toggle_display_type() {
    m_display_type = m_display_type == DisplayType::kCommonAnode ? DisplayType::kCommonCathode
                                                                 : DisplayType::kCommonAnode;
    return m_display_type;
}

QString SegmentModel::caption(Position position) const {
    const int letter = m_positions[static_cast<int>(position)].letter;
    return letter < 0 ? QString() : letter_name(letter);
}

Codes SegmentModel::build_codes() const {
    Codes codes{};
    for (int i = 0; i < kCharacterCount; ++i) {
        int code = 0;
        for (int position = 0; position < kPositionCount; ++position) {
            if (kCharacters[i].lit & (1 << position)) {
                code |= m_positions[position].weight;
            }
        }
        // A common-anode digit lights a segment with a 0 bit.
        codes[i] = m_display_type == DisplayType::kCommonAnode ? code ^ 255 : code;
    }
    return codes;
}
