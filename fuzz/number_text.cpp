// The number rules on any text. is_numeric holds exactly when the text, less surrounding blanks
// and tabs, is one decimal number (sign, digits, point, exponent) within double range, and such
// a text reads as the C library's correctly rounded value; a finite number's text reads back
// within 15 significant digits; and no result changes with the C locale. The input is the text
// in UTF-8; its first eight bytes are also taken as a double.

#include "base/number_text.h"
#include "fuzz/fuzz_check.h"

#include <QRegularExpression>
#include <QString>

#include <locale.h>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// One whole number as the numeric test takes it.
const QRegularExpression kNumber(
    QStringLiteral(R"(\A[+-]?(?:[0-9]+\.?[0-9]*|\.[0-9]+)(?:[eE][+-]?[0-9]+)?\z)"));

// The C library's reading in the "C" locale: correctly rounded, +/-inf beyond double range.
double reference_value(QStringView number) {
    static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", nullptr);
    return strtod_l(number.toLatin1().constData(), nullptr, c_locale);
}

QStringView without_surrounding_blanks(QStringView text) {
    while (!text.isEmpty() && (text.front() == u' ' || text.front() == u'\t')) {
        text = text.sliced(1);
    }
    while (!text.isEmpty() && (text.back() == u' ' || text.back() == u'\t')) {
        text.chop(1);
    }
    return text;
}

void check_reads_back(double value) {
    if (!std::isfinite(value)) {
        return;
    }
    const QString text = number_to_text(value);
    const double read = text_to_number(text);
    if (std::isinf(read)) {
        // Only the largest doubles round, at 15 digits, beyond the range, and read as overflow.
        FUZZ_REQUIRE(text == (value > 0 ? QStringLiteral("1.79769313486232E+308")
                                        : QStringLiteral("-1.79769313486232E+308")));
        return;
    }
    FUZZ_REQUIRE(is_numeric(text));
    // Half a unit of the 15th digit, and the rounding of that text to a double.
    FUZZ_REQUIRE(std::fabs(read - value) <= std::fabs(value) * (5e-15 + 0x1p-52));
    FUZZ_REQUIRE(number_to_text(read) == text);
}

struct Results {
    double number;
    bool numeric;
    QString number_text;
    QString value_text;
    bool operator==(const Results&) const = default;
};

Results results(const QString& text, double value) {
    const double number = text_to_number(text);
    return {number, is_numeric(text), number_to_text(number), number_to_text(value)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    double value = 0;
    std::memcpy(&value, data, std::min(size, sizeof value));

    const Results in_c = results(text, value);
    FUZZ_REQUIRE(!std::isnan(in_c.number));

    const QStringView trimmed = without_surrounding_blanks(text);
    const bool one_number = kNumber.match(trimmed).hasMatch();
    const double reference = one_number ? reference_value(trimmed) : 0;
    FUZZ_REQUIRE(in_c.numeric == (one_number && std::isfinite(reference)));
    if (one_number) {
        FUZZ_REQUIRE(in_c.number == reference);
    }

    check_reads_back(in_c.number);
    check_reads_back(value);

    for (const char* locale : {"de_DE.UTF-8", "zh_CN.UTF-8", "fr_FR.UTF-8"}) {
        if (std::setlocale(LC_ALL, locale)) {
            FUZZ_REQUIRE(results(text, value) == in_c);
        }
    }
    std::setlocale(LC_ALL, "C");
    return 0;
}
