#include "rt_table.h"

#include "base/number_text.h"
#include "base/text_file.h"
#include "thermistor.h"

#include <QStringDecoder>

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {

// A datasheet number: digits with an optional sign, decimal point and exponent.
std::optional<double> number_in(const QString& field) {
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

// The fields of a line: split by ';' or a tab where there is one, which leaves the comma to
// the decimal point as European spreadsheets write it; else by ','.
QList<QString> pair_fields(QStringView line) {
    for (const QChar separator : {QChar(u';'), QChar(u'\t')}) {
        if (line.contains(separator)) {
            QList<QString> fields;
            for (QStringView field : line.split(separator)) {
                fields.append(field.toString().replace(u',', u'.'));
            }
            return fields;
        }
    }
    QList<QString> fields;
    for (QStringView field : line.split(u',')) {
        fields.append(field.toString());
    }
    return fields;
}

}  // namespace

QString rt_file_text(const QByteArray& bytes) {
    const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    if (!utf16) {
        return decode_text(bytes);
    }
    // The decoder reads the mark for the byte order and leaves it out.
    QStringDecoder decoder(QStringDecoder::Utf16, QStringDecoder::Flag::Stateless);
    return decoder(bytes);
}

std::variant<std::vector<RtPoint>, RtTableError> read_rt_table(const QString& text) {
    static const QRegularExpression line_end(QStringLiteral("\\r\\n|\\r|\\n"));
    static const QRegularExpression kilohms(QStringLiteral("k\\s*(\\x{03A9}|\\x{2126}|ohm)"),
                                            QRegularExpression::CaseInsensitiveOption);
    std::vector<RtPoint> points;
    bool header_passed = false;
    double unit_ohms = 1;
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
        const QList<QString> fields = pair_fields(line);
        const auto celsius = number_in(fields[0]);
        if (!celsius && points.empty() && !header_passed) {
            header_passed = true;  // the column headings
            if (fields.size() == 2 && kilohms.match(fields[1]).hasMatch()) {
                unit_ohms = 1000;
            }
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
        if (!(*ohms > 0) || !std::isfinite(*ohms * unit_ohms)) {
            return RtTableError{number, QStringLiteral("the resistance must be above 0 Ω")};
        }
        if (points.size() >= 2) {
            const bool rising = points[1].celsius > points[0].celsius;
            const bool follows =
                rising ? *celsius > points.back().celsius : *celsius < points.back().celsius;
            if (!follows) {
                return RtTableError{number, rising ? QStringLiteral("the temperatures rise, then "
                                                                    "do not rise")
                                                   : QStringLiteral("the temperatures fall, then "
                                                                    "do not fall")};
            }
        } else if (points.size() == 1 && *celsius == points.back().celsius) {
            return RtTableError{number, QStringLiteral("the temperature is the line before's")};
        }
        points.push_back({*celsius, *ohms * unit_ohms});
    }
    if (points.size() < 2) {
        return RtTableError{0, QStringLiteral("the table needs at least two temperatures")};
    }
    if (points.front().celsius > points.back().celsius) {
        std::reverse(points.begin(), points.end());
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

std::optional<QString> rt_table_gap(const std::vector<RtPoint>& points, double from, double to) {
    if (points.empty()) {
        return std::nullopt;
    }
    const double first = points.front().celsius;
    const double last = points.back().celsius;
    if (from >= first && to <= last) {
        return std::nullopt;
    }
    const QString asked = from == to
                              ? number_to_text(from)
                              : number_to_text(from) + QStringLiteral(" to ") + number_to_text(to);
    return QStringLiteral("the table covers %1 to %2 °C; asked %3 °C")
        .arg(number_to_text(first), number_to_text(last), asked);
}
