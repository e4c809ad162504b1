#include "bar_graph.h"

#include "base/number_text.h"

#include <algorithm>

namespace {

const QString kUpperReset = QStringLiteral("100");
const QString kLowerReset = QStringLiteral("0");

}  // namespace

LimitReview review_limits(const QString& upper, const QString& lower) {
    LimitReview review;
    QString up = upper;
    QString low = lower;
    if (!is_numeric(up)) {
        up = kUpperReset;
        review.failures.push_back({up, std::nullopt});
    }
    if (!is_numeric(low)) {
        low = kLowerReset;
        review.failures.push_back({std::nullopt, low});
    }
    double high_value = text_to_number(up);
    double low_value = text_to_number(low);
    auto step = round_to_int32((high_value - low_value) / kBarSegments);
    if (high_value < low_value || !step) {
        up = kUpperReset;
        low = kLowerReset;
        review.failures.push_back({up, low});
        high_value = text_to_number(up);
        low_value = text_to_number(low);
        step = round_to_int32((high_value - low_value) / kBarSegments);
    }
    review.scale = {low_value, *step};
    return review;
}

int lit_segments(std::int32_t rpm, const BarScale& scale) {
    int lit = 0;
    for (int k = 1; k <= kBarSegments; ++k) {
        if (rpm > scale.lower + static_cast<double>(k) * scale.step) {
            ++lit;
        }
    }
    return lit;
}

Rgb segment_colour(int k) {
    // Three segments to a colour from the bottom up; the top four are red.
    static constexpr Rgb kColours[] = {
        {255, 0, 255},  // magenta
        {0, 0, 255},    // blue
        {0, 255, 255},  // cyan
        {0, 255, 0},    // green
        {255, 255, 0},  // yellow
        {255, 128, 0},  // orange
        {255, 0, 0},    // red
    };
    return kColours[std::min((k - 1) / 3, 6)];
}
