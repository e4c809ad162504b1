#include "shell/host/number_text.h"

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

struct TextToNumberCase {
    const char* text;
    double expected;
};

TEST(TextToNumber, ReadsTheLongestNumericPrefix) {
    const TextToNumberCase cases[] = {
        {"", 0},        {"123", 123},  {"-3", -3},      {"+4.5", 4.5}, {"7.2", 7.2},
        {".5", 0.5},    {"5.", 5},     {"-.5", -0.5},   {"000", 0},    {"100", 100},
        {"1.2.3", 1.2}, {"12abc", 12}, {"abc", 0},      {"-", 0},      {".", 0},
        {"+", 0},       {"1,5", 1},    {"0x10", 0},     {"1e3", 1000}, {"1E+3", 1000},
        {"1e-2", 0.01}, {"2.5E", 2.5}, {"1e+", 1},      {"e5", 0},     {"1e3.5", 1000},
        {"--1", 0},     {"1-2", 1},    {"输入阻值", 0}, {"１２", 0},   {"12Ω", 12},
        {"1\r2", 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(text_to_number(QString::fromUtf8(c.text)), c.expected) << c.text;
    }
}

TEST(TextToNumber, IgnoresBlanksTabsAndLineFeedsAnywhere) {
    const TextToNumberCase cases[] = {
        {"  12 3 ", 123},    {"1\t2\n3", 123}, {"- 5", -5},
        {" 1 . 5 e 2", 150}, {"\n\t7", 7},     {"& H 10", 16},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(text_to_number(QString::fromUtf8(c.text)), c.expected) << c.text;
    }
}

TEST(TextToNumber, ReadsHexadecimalAndOctalPrefixes) {
    const TextToNumberCase cases[] = {
        {"&H1F", 31}, {"&hff", 255}, {"&HFFFF", 65535}, {"&O17", 15},  {"&o8", 0},
        {"&H", 0},    {"&HG", 0},    {"&17", 0},        {"&H1FZ", 31}, {"-&H10", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(text_to_number(QString::fromUtf8(c.text)), c.expected) << c.text;
    }
}

TEST(TextToNumber, SaturatesOutOfRangeValues) {
    const std::string nines(400, '9');
    const std::string big_negative = std::string("-") + kBigExp;
    const TextToNumberCase cases[] = {
        {"1e400", kInf},      {"-1e400", -kInf},     {"1e-400", 0},
        {"0.000001e-400", 0}, {nines.c_str(), kInf}, {"1e308", 1e308},
        {"0.001e311", 1e308}, {kBigExp, kInf},       {big_negative.c_str(), -kInf},
        {kSmallExp, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(text_to_number(QString::fromUtf8(c.text)), c.expected) << c.text;
    }
}

struct NumericCase {
    const char* text;
    bool numeric;
};

TEST(IsNumeric, AcceptsOnlyOneWholeNumber) {
    const NumericCase cases[] = {
        {"", false},      {" ", false},      {"12", true},     {" 12 ", true},
        {"\t12\t", true}, {"1 2", false},    {"12a", false},   {"abc", false},
        {"-", false},     {".", false},      {"+", false},     {"1.", true},
        {".5", true},     {"-.5", true},     {"+3", true},     {"1e5", true},
        {"1E-05", true},  {"1e", false},     {"e5", false},    {"1e+", false},
        {"&H10", false},  {"1,5", false},    {"1.2.3", false}, {"000", true},
        {"12\n", false},  {"1e400", false},  {"1e-400", true}, {"输入阻值", false},
        {"- 5", false},   {"0", true},       {"-0", true},     {"１", false},
        {kBigExp, false}, {kSmallExp, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(is_numeric(QString::fromUtf8(c.text)), c.numeric) << c.text;
    }
}

struct NumberToTextCase {
    double value;
    const char* text;
};

TEST(NumberToText, WritesTheShortestFormWithFifteenDigits) {
    const NumberToTextCase cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {1, "1"},
        {-3, "-3"},
        {0.47, "0.47"},
        {-0.47, "-0.47"},
        {48, "48"},
        {59.256, "59.256"},
        {314.568, "314.568"},
        {65535 * 3 / 625.0, "314.568"},
        {209 * 3 / 625.0, "1.0032"},
        {0.1 + 0.2, "0.3"},
        {47 * 0.01, "0.47"},
        {4750 * 0.1 / 10, "47.5"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {99 * 1000000.0, "99000000"},
        {1000.0 / 43000 * 5, "0.116279069767442"},
        {1000.0 / 1520 * 5, "3.28947368421053"},
        {123456789012345.0, "123456789012345"},
        {0.0001, "0.0001"},
        {0.00012345, "0.00012345"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(number_to_text(c.value).toStdString(), c.text) << c.value;
    }
}

TEST(NumberToText, UsesExponentFormForVeryLargeAndSmallValues) {
    const NumberToTextCase cases[] = {
        {1e20, "1E+20"}, {1e15, "1E+15"},       {1234567890123456.0, "1.23456789012346E+15"},
        {1e-5, "1E-05"}, {-2.5e-7, "-2.5E-07"}, {1.5e300, "1.5E+300"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(number_to_text(c.value).toStdString(), c.text) << c.value;
    }
}

struct RoundCase {
    double value;
    double rounded;
};

TEST(RoundHalfEven, SendsHalvesToTheEvenNeighbour) {
    const RoundCase cases[] = {
        {2.5, 2},       {3.5, 4},
        {-2.5, -2},     {-3.5, -4},
        {0.5, 0},       {1.5, 2},
        {2.4, 2},       {2.6, 3},
        {-0.4, 0},      {7812.5, 7812},
        {1562.5, 1562}, {1250.5, 1250},
        {255.5, 256},   {0.4999999999999999, 0},
        {1e300, 1e300}, {4503599627370497.0, 4503599627370497.0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(round_half_even(c.value), c.rounded) << c.value;
    }
}

TEST(RoundToInt32, RefusesResultsOutsideTheRange) {
    EXPECT_EQ(round_to_int32(2147483647.4), 2147483647);
    EXPECT_EQ(round_to_int32(2147483647.5), std::nullopt);  // even neighbour is 2^31
    EXPECT_EQ(round_to_int32(-2147483648.5), -2147483647 - 1);
    EXPECT_EQ(round_to_int32(-2147483649.0), std::nullopt);
    EXPECT_EQ(round_to_int32(4.7e10 / 22), 2136363636);
    EXPECT_EQ(round_to_int32(4.8e10 / 22), std::nullopt);
    EXPECT_EQ(round_to_int32(std::nan("")), std::nullopt);
    EXPECT_EQ(round_to_int32(kInf), std::nullopt);
    EXPECT_EQ(round_to_int32(100.0 / 22), 5);
}

TEST(HexText, WritesCapitalDigitsWithoutLeadingZeros) {
    const std::pair<std::int32_t, const char*> cases[] = {
        {0, "0"},     {13, "D"},     {192, "C0"},      {237, "ED"},        {255, "FF"},
        {256, "100"}, {1024, "400"}, {-1, "FFFFFFFF"}, {-237, "FFFFFF13"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(hex_text(value).toStdString(), text) << value;
    }
}

// The rules must not follow the locale the program runs in: a German or Chinese user sees the
// same numbers.
class UnderLocale : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        m_saved = std::setlocale(LC_ALL, nullptr);
        if (!std::setlocale(LC_ALL, GetParam())) {
            GTEST_SKIP() << GetParam() << " is not installed";
        }
        QLocale::setDefault(QLocale(QString::fromLatin1(GetParam()).section(u'.', 0, 0)));
    }
    void TearDown() override {
        std::setlocale(LC_ALL, m_saved.c_str());
        QLocale::setDefault(QLocale::c());
    }

private:
    std::string m_saved;
};

TEST_P(UnderLocale, NumbersReadAndWriteTheSame) {
    EXPECT_EQ(text_to_number(u"1.5"), 1.5);
    EXPECT_EQ(text_to_number(u"1,5"), 1.0);
    EXPECT_EQ(text_to_number(u"1 234.5"), 1234.5);
    EXPECT_TRUE(is_numeric(u"0.47"));
    EXPECT_FALSE(is_numeric(u"0,47"));
    EXPECT_EQ(number_to_text(0.47), QStringLiteral("0.47"));
    EXPECT_EQ(number_to_text(1234567.5), QStringLiteral("1234567.5"));
    EXPECT_EQ(number_to_text(1e-5), QStringLiteral("1E-05"));
}

INSTANTIATE_TEST_SUITE_P(Locales, UnderLocale,
                         ::testing::Values("de_DE.UTF-8", "zh_CN.UTF-8", "fr_FR.UTF-8"));

}  // namespace
