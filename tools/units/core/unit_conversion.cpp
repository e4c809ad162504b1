#include "unit_conversion.h"

#include <cmath>

namespace {

Conversion refused(const QString& error) {
    return {0, error};
}

// `value` rounded to the 15th significant digit of `scale`: what lies below is rounding noise
// when `value` is a sum of terms of that size.
double to_digits_of(double value, double scale) {
    const double quantum = std::pow(10.0, std::floor(std::log10(scale)) - 14);
    return std::round(value / quantum) * quantum;
}

}  // namespace

Conversion convert(const UnitCategory& category, QStringView from, QStringView to, double value) {
    const Unit* source = category.unit(from.trimmed());
    const Unit* target = category.unit(to.trimmed());
    if (!source || !target) {
        return refused(QStringLiteral("“%1”不是%2的单位\r请在列表里选择单位")
                           .arg(source ? to : from, category.title));
    }

    if (value < source->lowest) {
        return refused(QStringLiteral("温度不能低于绝对零度（-273.15 摄氏度）"));
    }
    const double base = source->decibel_milliwatt ? std::pow(10.0, value / 10) / 1000
                                                  : (value - source->zero) * source->factor;
    double result;
    if (target->decibel_milliwatt) {
        if (base <= 0) {
            return refused(QStringLiteral("0 或负的功率不能换算成 dBm"));
        }
        result = 10 * std::log10(base * 1000);
    } else {
        result = base / target->factor + target->zero;
        if (source->zero != 0 || target->zero != 0) {
            // So that -459.67 °F gives 0 K, not -3E-14.
            result = to_digits_of(result, (std::abs(value) + std::abs(source->zero)) *
                                                  source->factor / target->factor +
                                              std::abs(target->zero));
        }
    }
    if (!std::isfinite(result)) {
        return refused(QStringLiteral("换算结果超出了数的范围"));
    }
    return {result, {}};
}
