#pragma once

#include <QString>

#include <optional>
#include <variant>
#include <vector>

// A thermistor's datasheet table: one "°C,Ω" pair a line, the resistance between two points
// following a straight line in ln R against 1/T.

struct RtPoint {
    double celsius;
    double ohms;
};

struct RtTableError {
    int line;  // counted from 1; 0 for the table as a whole
    QString reason;
};

// Reads the pairs of `text`. A pair is split by ',', ';' or a tab; blank lines, one header line
// before the first pair and a leading byte-order mark are passed over. At least two pairs, the
// temperatures rising, every resistance above 0 Ω.
std::variant<std::vector<RtPoint>, RtTableError> read_rt_table(const QString& text);

// The resistance at `celsius`, or nothing outside the table's first and last temperature.
std::optional<double> rt_table_ohms(const std::vector<RtPoint>& points, double celsius);
