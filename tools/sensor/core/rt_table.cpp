#include "rt_table.h"

#include "thermistor.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {

// A datasheet number: digits with an optional sign, decimal point and exponent.
std::optional<double> number_in(QStringView field) {
    bool ok = false;
    const double value = field.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

QString pair_expected() {
    return QStringLiteral(
        "expected a temperature in °C and a resistance in Ω, separated by ',', "
        "';' or a tab");
}

}  // namespace

std::variant<std::vector<RtPoint>, RtTableError> read_rt_table(const QString& text) {
    static const QRegularExpression separator(QStringLiteral("[,;\\t]"));
    static const QRegularExpression line_end(QStringLiteral("\\r\\n|\\r|\\n"));
    std::vector<RtPoint> points;
    bool header_passed = false;
    int number = 0;
    for (QStringView line : QStringView(text).split(line_end)) {
        ++number;
        if (number == 1 && line.startsWith(u'\uFEFF')) {
            line = line.sliced(1);
        }
        line = line.trimmed();
        if (line.isEmpty()) {
            continue;
        }
        const QList<QStringView> fields = line.split(separator);
        const auto celsius = number_in(fields[0]);
        if (!celsius && points.empty() && !header_passed) {
            header_passed = true;  // the column headings
            continue;
        }
        const auto ohms = fields.size() == 2 ? number_in(fields[1]) : std::nullopt;
        if (!celsius || !ohms) {
            return RtTableError{number, pair_expected()};
        }
        if (*celsius <= -kZeroCelsiusKelvin) {
            return RtTableError{number, QStringLiteral("the temperature lies at or below absolute "
                                                       "zero, -273.15 °C")};
        }
        if (!(*ohms > 0)) {
            return RtTableError{number, QStringLiteral("the resistance must be above 0 Ω")};
        }
        if (!points.empty() && !(*celsius > points.back().celsius)) {
            return RtTableError{number, QStringLiteral("the temperatures must rise from line to "
                                                       "line")};
        }
        points.push_back({*celsius, *ohms});
    }
    if (points.size() < 2) {
        return RtTableError{0, QStringLiteral("the table needs at least two temperatures")};
    }
    return points;
}

std::optional<double> rt_table_ohms(const std::vector<RtPoint>& points, double celsius) {
    if (points.empty() || celsius < points.front().celsius || celsius > points.back().celsius) {
        return std::nullopt;
    }
    // The first point above `celsius`, or the last point itself.
    auto upper = std::upper_bound(points.begin(), points.end(), celsius,
                                  [](double t, const RtPoint& point) { return t < point.celsius; });
    if (upper == points.end()) {
        return points.back().ohms;
    }
    const RtPoint& low = *(upper - 1);
    if (celsius == low.celsius) {
        return low.ohms;
    }
    const RtPoint& high = *upper;
    const auto inverse_kelvin = [](double t) { return 1.0 / (t + kZeroCelsiusKelvin); };
    // Rounding may carry the share a hair past 0 or 1 for points very close together.
    const double share =
        std::clamp((inverse_kelvin(celsius) - inverse_kelvin(low.celsius)) /
                       (inverse_kelvin(high.celsius) - inverse_kelvin(low.celsius)),
                   0.0, 1.0);
    return std::exp(std::log(low.ohms) + share * (std::log(high.ohms) - std::log(low.ohms)));
}
