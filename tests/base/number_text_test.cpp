#include "base/number_text.h"

#include <QLocale>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// Exponents too long for any integer type.
constexpr char kBigExp[] = "1e99999999999999999999";
constexpr char kSmallExp[] = "10e-99999999999999999999";

// The longest numeric prefix is read, without blanks; the shortest form is written with fifteen
// digits. Neither follows the locale the program runs in: a German user sees the same numbers.
TEST(NumberText, ReadsAndWritesTheSameInEveryLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    QLocale::setDefault(QLocale(QLocale::German));
    // The text, its value, and whether it is one whole number and nothing else.
    const std::tuple<const char*, double, bool> rows[] = {
        {"", 0, false},          {" -.5 ", -0.5, true},      {"1.2.3", 1.2, false},
        {"1,5", 1, false},       {"1E-05", 0.00001, true},   {"2.5E", 2.5, false},
        {"1e3.5", 1000, false},  {"输入阻值", 0, false},     {"１２", 0, false},
        {"1\t2\n3", 123, false}, {" 1 . 5 e 2", 150, false}, {"&H1F", 31, false},
        {"& h ff", 255, false},  {"-&H10", 0, false},        {"1e400", kInf, false},
        {"1e-400", 0, true},     {"0.001e311", 1e308, true}, {kBigExp, kInf, false},
        {kSmallExp, 0, true},
    };
    for (const auto& [text, value, numeric] : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(text_to_number(QString::fromUtf8(text)), value);
        EXPECT_EQ(is_numeric(QString::fromUtf8(text)), numeric);
    }
    const std::pair<double, const char*> written[] = {
        {-0.0, "0"},     {2.0 / 3, "0.666666666666667"}, {123456789012345.0, "123456789012345"},
        {1e15, "1E+15"}, {-2.5e-7, "-2.5E-07"},          {1.5e300, "1.5E+300"},
    };
    for (const auto& [value, text] : written) {
        EXPECT_EQ(number_to_text(value).toStdString(), text) << value;
    }
    std::setlocale(LC_ALL, saved.c_str());
    QLocale::setDefault(QLocale::c());
}

TEST(NumberText, RoundsHalvesToTheEvenNeighbourWithin32BitsAndWritesHex) {
    const std::pair<double, std::optional<std::int32_t>> rows[] = {
        {2.5, 2},
        {3.5, 4},
        {0.4999999999999999, 0},
        {2147483647.4, 2147483647},
        {2147483647.5, std::nullopt},  // the even neighbour is 2^31
        {-2147483648.5, -2147483647 - 1},
        {std::nan(""), std::nullopt},
    };
    for (const auto& [value, rounded] : rows) {
        EXPECT_EQ(round_to_int32(value), rounded) << value;
    }
    EXPECT_EQ(round_half_even(4503599627370497.0), 4503599627370497.0);
    // Hexadecimal: capital digits, no leading zeros, a negative number as its 32 bits.
    EXPECT_EQ(hex_text(237) + u' ' + hex_text(256) + u' ' + hex_text(-237), u"ED 100 FFFFFF13");
}

}  // namespace
