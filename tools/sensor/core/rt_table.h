#pragma once

#include <QByteArray>
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

// The text of a datasheet file as datasheets and spreadsheets save it: UTF-16 when it opens
// with a UTF-16 byte-order mark (a spreadsheet's "Unicode text"), else UTF-8 or GBK.
QString rt_file_text(const QByteArray& bytes);

// Reads the pairs of `text`. A pair is split by ';' or a tab where the line has one, and then
// a comma in a number is its decimal point ("25;10,5"); else by ','. Blank lines, one header
// line before the first pair and a leading byte-order mark are passed over; a header whose
// resistance column names kΩ (or kohm) makes every resistance kilohms. At least two pairs, the
// temperatures rising or falling throughout, every resistance above 0 Ω. The points come back
// with the temperatures rising.
std::variant<std::vector<RtPoint>, RtTableError> read_rt_table(const QString& text);

// The resistance at `celsius`, or nothing outside the table's first and last temperature.
std::optional<double> rt_table_ohms(const std::vector<RtPoint>& points, double celsius);

// Nothing when the table covers `from` to `to` °C; else what it lacks, as "the table covers -40
// to 125 °C; asked 130 °C" (or "asked 0 to 130 °C" for a span).
std::optional<QString> rt_table_gap(const std::vector<RtPoint>& points, double from, double to);
