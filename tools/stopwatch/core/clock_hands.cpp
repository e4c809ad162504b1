#include "clock_hands.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159;

// Lengths in twips.
constexpr double kHourHand = 300;
constexpr double kMinuteHand = 400;
constexpr double kSecondHand = 540;

// `angle` in radians, counter-clockwise from three o'clock.
Hand hand(double length, double angle) {
    const double x = kFaceCentre.x + length * std::cos(angle);
    const double y = kFaceCentre.y - length * std::sin(angle);
    return {kFaceCentre, {static_cast<float>(x), static_cast<float>(y)}};
}

}  // namespace

ClockHands clock_hands(const QTime& time) {
    const double h = time.hour();
    const double m = time.minute();
    const double s = time.second();
    return {
        hand(kHourHand, kPi / 2 - 5 * (h + m / 60) * kPi / 30),
        hand(kMinuteHand, kPi / 2 - m * kPi / 30),
        hand(kSecondHand, kPi / 2 - s * kPi / 30),
    };
}
