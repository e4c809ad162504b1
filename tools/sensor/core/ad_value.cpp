#include "ad_value.h"

#include "base/number_text.h"

#include <cmath>

QStringList orientation_names() {
    return {QStringLiteral("上拉"), QStringLiteral("下拉")};
}

Orientation orientation_named(const QString& text) {
    if (text == u"上拉") {
        return Orientation::kPullUp;
    }
    if (text == u"下拉") {
        return Orientation::kPullDown;
    }
    return Orientation::kNone;
}

int scale_of(Precision precision) {
    switch (precision) {
        case Precision::k8Bits:
            break;
        case Precision::k10Bits:
            return 1024;
        case Precision::k12Bits:
            return 4096;
    }
    return 256;
}

std::optional<std::int32_t> scaled_reading(double ratio, int scale) {
    const double counts = ratio * scale;
    // Beyond this the single-precision step could not hold the value, let alone 32 bits.
    if (!(std::fabs(counts) < 4294967296.0)) {
        return std::nullopt;
    }
    return round_to_int32(round_to_single(counts));
}

std::optional<std::int32_t> thermistor_reading(double sensor_ohms, Orientation orientation,
                                               double divider_ohms, int scale) {
    if (orientation == Orientation::kNone) {
        return 0;
    }
    const double sensor = sensor_ohms;
    const double total = divider_ohms + sensor;
    if (total == 0.0) {
        return std::nullopt;
    }
    // The converter reads the share of the supply across the lower element.
    const double lower = orientation == Orientation::kPullUp ? sensor : divider_ohms;
    return scaled_reading(lower / total, scale);
}

std::optional<HumidityReading> humidity_reading(std::int32_t sensor_ohms, int scale) {
    constexpr double kLowerOhms = 1000.0;
    constexpr double kSupplyVolts = 5.0;
    const double total = sensor_ohms + kLowerOhms;
    if (total == 0.0) {
        return std::nullopt;
    }
    const double ratio = kLowerOhms / total;
    const auto reading = scaled_reading(ratio, scale);
    if (!reading) {
        return std::nullopt;
    }
    return HumidityReading{*reading, ratio * kSupplyVolts};
}

bool divider_passes(const QString& divider_text) {
    return is_numeric(divider_text);
}

QString divider_message() {
    return QStringLiteral("上或下拉电阻阻值输入错误");
}
