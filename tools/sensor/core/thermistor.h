#pragma once

#include <vector>

// Thermistors given by their datasheet rather than by a built-in table: the resistance at a
// temperature from the β model or from Steinhart–Hart coefficients.

inline constexpr double kZeroCelsiusKelvin = 273.15;

// R = R25 · exp(B · (1/T − 1/298.15)), T in kelvin.
double beta_ohms(double beta, double r25_ohms, double celsius);

// 1/T = A + B·ln R + C·(ln R)³.
struct SteinhartHart {
    double a;
    double b;
    double c;
};
// The equation has one real root in ln R when B > 0 and C >= 0 (it rises with ln R); those are
// the coefficients of every thermistor that gets colder as its resistance grows.
bool is_solvable(const SteinhartHart& coefficients);
// The resistance at `celsius`: the equation solved for R. Only for solvable coefficients.
double steinhart_hart_ohms(const SteinhartHart& coefficients, double celsius);

// Whether a curve's resistance can stand in a table: finite, and not below half an ohm, which a
// line would show as 0 Ω (a curve typed with an R25 of 1e-300 Ω, say).
bool is_table_resistance(double ohms);

// The temperatures of a table: `from`, then one `step` more each, up to `to` (a last step that
// would pass `to` is left out).
struct TemperatureSpan {
    double from = -30;
    double to = 70;
    double step = 1;
};
// How many temperatures the span holds; 0 when `step` is not above 0 or `to` lies below `from`.
double temperature_count(const TemperatureSpan& span);
std::vector<double> temperatures(const TemperatureSpan& span);
