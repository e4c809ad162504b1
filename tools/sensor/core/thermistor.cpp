#include "thermistor.h"

#include <cmath>

namespace {

// Steps are typed in decimals such as 0.1, which binary fractions miss by a hair; a span that
// ends a hair short of `to` still reaches it.
constexpr double kSpanSlack = 1e-9;

}  // namespace

double beta_ohms(double beta, double r25_ohms, double celsius) {
    const double kelvin = celsius + kZeroCelsiusKelvin;
    return r25_ohms * std::exp(beta * (1.0 / kelvin - 1.0 / (25.0 + kZeroCelsiusKelvin)));
}

bool is_solvable(const SteinhartHart& coefficients) {
    return std::isfinite(coefficients.a) && coefficients.b > 0 && std::isfinite(coefficients.b) &&
           coefficients.c >= 0 && std::isfinite(coefficients.c);
}

double steinhart_hart_ohms(const SteinhartHart& coefficients, double celsius) {
    const auto [a, b, c] = coefficients;
    const double target = 1.0 / (celsius + kZeroCelsiusKelvin);
    const double linear = (target - a) / b;  // the root when C is 0
    double x = linear;
    if (c > 0) {
        // C x³ + B x + (A − 1/T) = 0 as x³ + p x + q = 0; with p > 0 Cardano's form gives the one
        // real root.
        const double p = b / c;
        const double q = (a - target) / c;
        const double root = std::sqrt(q * q / 4 + p * p * p / 27);
        x = std::cbrt(-q / 2 + root) + std::cbrt(-q / 2 - root);
        if (!std::isfinite(x)) {
            x = linear;  // C so small that p³ overflows: the cubic term hardly counts
        }
        // The two cube roots nearly cancel when C is small; Newton's steps win the digits back.
        for (int i = 0; i < 4; ++i) {
            x -= (a + b * x + c * x * x * x - target) / (b + 3 * c * x * x);
        }
    }
    return std::exp(x);
}

bool is_table_resistance(double ohms) {
    return std::isfinite(ohms) && ohms >= 0.5;
}

double temperature_count(const TemperatureSpan& span) {
    if (!(span.step > 0) || !(span.to >= span.from)) {
        return 0;
    }
    return std::floor((span.to - span.from) / span.step + kSpanSlack) + 1;
}

std::vector<double> temperatures(const TemperatureSpan& span) {
    const auto count = static_cast<std::size_t>(temperature_count(span));
    std::vector<double> list(count);
    for (std::size_t i = 0; i < count; ++i) {
        // Multiplied rather than summed, so no error builds up along a long table.
        list[i] = span.from + static_cast<double>(i) * span.step;
    }
    if (count > 0 && std::fabs(list.back() - span.to) < kSpanSlack * span.step) {
        list.back() = span.to;
    }
    return list;
}
