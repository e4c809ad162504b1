#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

// The number rules every window follows when it reads a number from a text box or writes one
// back. None of them looks at the locale the program runs in.

// The value of the longest numeric prefix of `text`, after removing every blank, tab and line
// feed: sign, digits, one decimal point and an exponent, or &H / &O followed by hexadecimal or
// octal digits. Text without such a prefix reads as 0; a value beyond double range as +/-inf.
double text_to_number(QStringView text);

// True when `text`, less surrounding blanks and tabs, is one whole number (sign, digits,
// decimal point, exponent) that a double can hold. The empty text is not numeric.
bool is_numeric(QStringView text);

// Shortest general form with at most 15 significant digits: "0.47", "-3", "1E+20", "1E-05".
QString number_to_text(double value);

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double round_half_even(double value);

// round_half_even, or nothing when the result does not fit a signed 32-bit integer.
std::optional<std::int32_t> round_to_int32(double value);

// Rounds to the nearest single-precision value (halves to even), as a 32-bit float holds it.
float round_to_single(double value);

// Hexadecimal with capital digits and no leading zeros; a negative value gives the eight digits
// of its 32-bit two's complement.
QString hex_text(std::int32_t value);

// The value of a hexadecimal digit (0-9, a-f, A-F), or -1 for any other character.
int hex_digit_value(char16_t c);
