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

TEST(NumberText, ReadsTheLongestNumericPrefixWithoutBlanks) {
    const struct {
        const char* text;
        double value;
        bool numeric;  // one whole number and nothing else
    } rows[] = {
        {"", 0, false},          {" -.5 ", -0.5, true},      {"1.2.3", 1.2, false},
        {"1,5", 1, false},       {"1E-05", 0.00001, true},   {"2.5E", 2.5, false},
        {"1e3.5", 1000, false},  {"输入阻值", 0, false},     {"１２", 0, false},
        {"1\t2\n3", 123, false}, {" 1 . 5 e 2", 150, false}, {"&H1F", 31, false},
        {"& h ff", 255, false},  {"-&H10", 0, false},        {"1e400", kInf, false},
        {"1e-400", 0, true},     {"0.001e311", 1e308, true}, {kBigExp, kInf, false},
        {kSmallExp, 0, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(text_to_number(QString::fromUtf8(row.text)), row.value);
        EXPECT_EQ(is_numeric(QString::fromUtf8(row.text)), row.numeric);
    }
}

TEST(NumberText, WritesTheShortestFormWithFifteenDigits) {
    const struct {
        double value;
        const char* text;
    } rows[] = {
        {-0.0, "0"},
        {65535 * 3 / 625.0, "314.568"},
        {0.1 + 0.2, "0.3"},
        {2.0 / 3, "0.666666666666667"},
        {1000.0 / 1520 * 5, "3.28947368421053"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E+15"},
        {1234567890123456.0, "1.23456789012346E+15"},
        {-2.5e-7, "-2.5E-07"},
        {1.5e300, "1.5E+300"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(number_to_text(row.value).toStdString(), row.text) << row.value;
    }
}

TEST(NumberText, RoundsHalvesToTheEvenNeighbourWithin32Bits) {
    const struct {
        double value;
        std::optional<std::int32_t> rounded;
    } rows[] = {
        {2.5, 2},
        {3.5, 4},
        {0.4999999999999999, 0},
        {2147483647.4, 2147483647},
        {2147483647.5, std::nullopt},  // the even neighbour is 2^31
        {-2147483648.5, -2147483647 - 1},
        {std::nan(""), std::nullopt},
        {kInf, std::nullopt},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(round_to_int32(row.value), row.rounded) << row.value;
    }
    EXPECT_EQ(round_half_even(4503599627370497.0), 4503599627370497.0);
}

TEST(NumberText, HexadecimalHasCapitalDigitsAndNoLeadingZeros) {
    const std::pair<std::int32_t, const char*> rows[] = {
        {0, "0"},
        {237, "ED"},
        {256, "100"},
        {-237, "FFFFFF13"},
    };
    for (const auto& [value, text] : rows) {
        EXPECT_EQ(hex_text(value).toStdString(), text) << value;
    }
}

// The rules do not follow the locale the program runs in: a German user sees the same numbers.
TEST(NumberText, IgnoresTheLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    QLocale::setDefault(QLocale(QLocale::German));
    EXPECT_EQ(text_to_number(u"1 234.5"), 1234.5);
    EXPECT_FALSE(is_numeric(u"0,47"));
    EXPECT_EQ(number_to_text(1234567.5), QStringLiteral("1234567.5"));
    std::setlocale(LC_ALL, saved.c_str());
    QLocale::setDefault(QLocale::c());
}

}  // namespace
