#include "tools/sensor/core/thermistor.h"
#include "tests/support/qt_printers.h"
#include "tools/sensor/core/rt_table.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Resistances worked out apart from the code: the β formula by hand, Steinhart–Hart by solving
// for T from R (which needs no root) and asking the code for R back.
TEST(ThermistorTest, ResistanceAtATemperature) {
    struct Row {
        double celsius;
        double beta;  // 0: Steinhart–Hart with kTenK below
        double expected_ohms;
    };
    constexpr SteinhartHart kTenK{1.129148e-3, 2.34125e-4, 8.76741e-8};
    const auto celsius_of = [](const SteinhartHart& sh, double ohms) {
        const double x = std::log(ohms);
        return 1 / (sh.a + sh.b * x + sh.c * x * x * x) - kZeroCelsiusKelvin;
    };
    const Row rows[] = {
        {25, 3950, 10000},
        {0, 3950, 33620.6037},
        {-30, 3950, 200203.902},
        {100, 3950, 697.519773},
        {celsius_of(kTenK, 10000), 0, 10000},
        {celsius_of(kTenK, 32650), 0, 32650},
        {celsius_of(kTenK, 3603), 0, 3603},
        {celsius_of(kTenK, 250), 0, 250},
        {celsius_of(kTenK, 3e6), 0, 3e6},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.celsius << " °C, β " << row.beta);
        const double ohms = row.beta > 0 ? beta_ohms(row.beta, 10000, row.celsius)
                                         : steinhart_hart_ohms(kTenK, row.celsius);
        EXPECT_NEAR(ohms, row.expected_ohms, row.expected_ohms * 1e-8);
    }
    // Without the cubic term the equation is the β form in disguise.
    EXPECT_NEAR(steinhart_hart_ohms({1 / 298.15 - std::log(10000) / 3950, 1 / 3950.0, 0}, 0),
                33620.6037, 1e-3);
    EXPECT_FALSE(is_solvable({1e-3, 0, 1e-7}));
    EXPECT_FALSE(is_solvable({1e-3, 2e-4, -1e-7}));
}

TEST(ThermistorTest, TemperaturesOfASpan) {
    struct Row {
        TemperatureSpan span;
        std::size_t count;
        double last;
    };
    const Row rows[] = {
        {{-30, 70, 1}, 101, 70},   {{0, 100, 5}, 21, 100}, {{0, 1, 0.1}, 11, 1},
        {{0, 0.95, 0.1}, 10, 0.9}, {{5, 5, 1}, 1, 5},      {{5, 4, 1}, 0, 0},
        {{0, 10, 0}, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message()
                     << row.span.from << ".." << row.span.to << " by " << row.span.step);
        const std::vector<double> list = temperatures(row.span);
        ASSERT_EQ(list.size(), row.count);
        if (row.count > 0) {
            EXPECT_EQ(list.front(), row.span.from);
            EXPECT_NEAR(list.back(), row.last, 1e-12);
        }
    }
}

TEST(ThermistorTest, ReadingADatasheetTable) {
    struct Row {
        QString text;
        int points;      // 0: refused
        int error_line;  // of a refused table
    };
    const Row rows[] = {
        {u"\uFEFF温度(℃),阻值(Ω)\r\n-30,128000\r\n\r\n25,10000\r\n"_s, 2, 0},
        {u"T;R\n0;32650\n \n50 ; 3603\n100;680.6"_s, 3, 0},
        {u"0\t32650\r50\t3603\r"_s, 2, 0},
        {u"1e1,1e4\n2e1,8e3\n"_s, 2, 0},
        {u"25,10000\nabc,5\n"_s, 0, 2},
        {u"T,R\nT,R\n25,1\n30,2"_s, 0, 2},
        {u"25,10000\n\n20,12000\n"_s, 0, 3},
        {u"25,10000\n25,9000\n"_s, 0, 2},
        {u"25,0\n30,5\n"_s, 0, 1},
        {u"-273.15,5\n30,5\n"_s, 0, 1},
        {u"25,10000,2\n30,9000\n"_s, 0, 1},
        {u"25,\n30,9000\n"_s, 0, 1},
        {u"T,R\n25,10000\n"_s, 0, 0},
        {QString(), 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text.toStdString());
        const auto read = read_rt_table(row.text);
        if (row.points > 0) {
            ASSERT_TRUE(std::holds_alternative<std::vector<RtPoint>>(read));
            EXPECT_EQ(std::get<std::vector<RtPoint>>(read).size(), std::size_t(row.points));
        } else {
            ASSERT_TRUE(std::holds_alternative<RtTableError>(read));
            EXPECT_EQ(std::get<RtTableError>(read).line, row.error_line);
        }
    }
}

// A β thermistor is a straight line in ln R against 1/T, so two of its points give it back
// everywhere between them; an independent worked value checks the interpolation itself.
TEST(ThermistorTest, ResistanceBetweenTablePoints) {
    const std::vector<RtPoint> beta_points{{-40, beta_ohms(3950, 10000, -40)},
                                           {0, beta_ohms(3950, 10000, 0)},
                                           {50, beta_ohms(3950, 10000, 50)}};
    const double rows[] = {-40, -39.5, -12.25, 0, 0.001, 25, 37.5, 49.99, 50};
    for (const double celsius : rows) {
        SCOPED_TRACE(celsius);
        const auto ohms = rt_table_ohms(beta_points, celsius);
        ASSERT_TRUE(ohms.has_value());
        EXPECT_NEAR(*ohms, beta_ohms(3950, 10000, celsius), *ohms * 1e-12);
    }
    EXPECT_FALSE(rt_table_ohms(beta_points, -40.001));
    EXPECT_FALSE(rt_table_ohms(beta_points, 50.001));
    EXPECT_NEAR(*rt_table_ohms({{0, 32650}, {50, 3603}}, 25), 9888.76654, 1e-4);
}

}  // namespace
