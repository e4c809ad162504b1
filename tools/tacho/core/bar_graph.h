#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// The 22-segment bar graph between a lower and an upper limit that the user types.

inline constexpr int kBarSegments = 22;

// One failed check of the limits: the texts the boxes are reset to. Each failure closes the
// port and is reported with "输入错误" and "采集结束".
struct LimitFailure {
    std::optional<QString> upper;
    std::optional<QString> lower;
};

struct BarScale {
    double lower;
    std::int32_t step;
};

struct LimitReview {
    std::vector<LimitFailure> failures;  // in the order they are found
    BarScale scale;                      // from the limits as the failures leave them
};

// Checks the upper limit, then the lower one, then their order, each on the texts as the check
// before left them. A step that does not fit 32 bits fails the order check too.
LimitReview review_limits(const QString& upper, const QString& lower);

// How many segments light, from the bottom: segment k lights when rpm > lower + k * step.
int lit_segments(std::int32_t rpm, const BarScale& scale);

struct Rgb {
    int red;
    int green;
    int blue;
    bool operator==(const Rgb&) const = default;
};

// The colour of segment k (1 at the bottom to 22 at the top) when it is lit.
Rgb segment_colour(int k);
