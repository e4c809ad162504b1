#include "number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

bool is_ignored_blank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

// The written exponent after "e": sign and digits. Its size is capped far beyond any double's
// range, so that an exponent too long for an integer still counts by its sign.
long long written_exponent(std::string_view exponent) {
    constexpr long long kCap = 100'000'000'000'000'000;
    const bool negative = !exponent.empty() && exponent.front() == '-';
    if (!exponent.empty() && (exponent.front() == '-' || exponent.front() == '+')) {
        exponent.remove_prefix(1);
    }
    long long value = 0;
    for (char c : exponent) {
        value = std::min(value * 10 + (c - '0'), kCap);
    }
    return negative ? -value : value;
}

// Decimal exponent of the first significant digit of a mantissa ("123.4" gives 2, "0.05"
// gives -2), plus the written exponent. Only used to tell overflow from underflow.
long long magnitude(const std::string& number) {
    const std::size_t e = number.find_first_of("eE");
    const std::string_view mantissa = std::string_view(number).substr(0, e);
    const long long written =
        e == std::string::npos ? 0 : written_exponent(std::string_view(number).substr(e + 1));
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string::npos) {
        return 0;
    }
    const long long lead = first < point ? static_cast<long long>(point - first) - 1
                                         : -static_cast<long long>(first - point);
    return lead + written;
}

// Parses ASCII number text with from_chars, which never looks at the locale. Out-of-range
// results saturate: overflow to +/-inf, underflow to 0.
double parse_decimal(const std::string& text) {
    if (text.empty()) {
        return 0.0;
    }
    const bool negative = text.front() == '-';
    const std::string unsigned_text = text.substr((text.front() == '+' || negative) ? 1 : 0);
    double value = 0.0;
    const auto result =
        std::from_chars(unsigned_text.data(), unsigned_text.data() + unsigned_text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        value = magnitude(unsigned_text) > 0 ? HUGE_VAL : 0.0;
    }
    return negative ? -value : value;
}

double parse_radix(const std::string& digits, int radix) {
    double value = 0.0;
    for (char c : digits) {
        const int d = hex_digit_value(static_cast<unsigned char>(c));
        if (d < 0 || d >= radix) {
            break;
        }
        value = value * radix + d;
    }
    return value;
}

// Length of the longest prefix of `s` that reads as sign, digits, one point and an exponent;
// 0 when it holds no digit before the exponent.
std::size_t decimal_prefix_length(const std::string& s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        ++i;
    }
    std::size_t mantissa_digits = 0;
    while (i < s.size() && is_digit(s[i])) {
        ++i;
        ++mantissa_digits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && is_digit(s[i])) {
            ++i;
            ++mantissa_digits;
        }
    }
    if (mantissa_digits == 0) {
        return 0;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            ++j;
        }
        if (j < s.size() && is_digit(s[j])) {
            while (j < s.size() && is_digit(s[j])) {
                ++j;
            }
            i = j;
        }
    }
    return i;
}

// Only ASCII can take part in a number; anything else ends the prefix, so it maps to a byte
// that no rule accepts.
std::string to_ascii(QStringView text, bool drop_blanks) {
    std::string out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (drop_blanks && is_ignored_blank(c)) {
            continue;
        }
        out.push_back(c.unicode() < 128 ? static_cast<char>(c.unicode()) : '\x7f');
    }
    return out;
}

}  // namespace

double text_to_number(QStringView text) {
    const std::string s = to_ascii(text, true);
    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h') {
            return parse_radix(s.substr(2), 16);
        }
        if (s[1] == 'O' || s[1] == 'o') {
            return parse_radix(s.substr(2), 8);
        }
        return 0.0;
    }
    return parse_decimal(s.substr(0, decimal_prefix_length(s)));
}

bool is_numeric(QStringView text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && (text[first] == u' ' || text[first] == u'\t')) {
        ++first;
    }
    while (last > first && (text[last - 1] == u' ' || text[last - 1] == u'\t')) {
        --last;
    }
    const std::string s = to_ascii(text.sliced(first, last - first), false);
    if (s.empty() || decimal_prefix_length(s) != s.size()) {
        return false;
    }
    return std::isfinite(parse_decimal(s));
}

QString number_to_text(double value) {
    if (std::isnan(value)) {
        return QStringLiteral("NaN");
    }
    if (std::isinf(value)) {
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    }
    if (value == 0.0) {
        return QStringLiteral("0");  // also for -0
    }
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::replace(buffer, result.ptr, 'e', 'E');
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

double round_half_even(double value) {
    if (!std::isfinite(value)) {
        return value;
    }
    if (std::fabs(value - std::trunc(value)) == 0.5) {
        return 2.0 * std::round(value / 2.0);
    }
    return std::round(value);
}

std::optional<std::int32_t> round_to_int32(double value) {
    const double rounded = round_half_even(value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) {
        return std::nullopt;  // also NaN
    }
    return static_cast<std::int32_t>(rounded);
}

float round_to_single(double value) {
    return static_cast<float>(value);
}

QString hex_text(std::int32_t value) {
    return QString::number(static_cast<std::uint32_t>(value), 16).toUpper();
}

int hex_digit_value(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return -1;
}
