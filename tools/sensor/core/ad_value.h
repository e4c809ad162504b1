#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// The reading of the microcontroller's converter for one sensor resistance: the sensor and a
// resistor divide the supply, and the converter scales the divided voltage to 8 or 10 bits.

// How the divider resistor is wired: pull-up runs it from the supply to the converter input
// with the sensor below; pull-down puts the sensor above it. kNone draws no reading.
enum class Orientation { kNone, kPullUp, kPullDown };

// "上拉", "下拉", in list order.
QStringList orientation_names();
// kNone unless `text` is exactly one of the names.
Orientation orientation_named(const QString& text);

// The window offers 8 and 10 bits; tables made from the command line may take 12.
enum class Precision { k8Bits, k10Bits, k12Bits };
// 256, 1024 or 4096: the full-scale count, one past the largest reading.
int scale_of(Precision precision);

// `ratio` times `scale`, rounded first to single precision and then to the nearest integer,
// halves to even. Nothing when the result is not finite or does not fit 32 bits.
std::optional<std::int32_t> scaled_reading(double ratio, int scale);

// The reading for a thermistor of `sensor_ohms` with a divider resistor of `divider_ohms`;
// 0 without an orientation. Nothing when the two resistances add up to 0 Ω or the reading is
// out of range.
std::optional<std::int32_t> thermistor_reading(double sensor_ohms, Orientation orientation,
                                               double divider_ohms, int scale);

// The humidity sensor sits between a 5 V supply and the input, with 1000 Ω from the input to
// ground.
struct HumidityReading {
    std::int32_t reading;
    double volts;
};
std::optional<HumidityReading> humidity_reading(std::int32_t sensor_ohms, int scale);

// The divider resistance must be one whole number; the message stops a thermistor run.
bool divider_passes(const QString& divider_text);
QString divider_message();
