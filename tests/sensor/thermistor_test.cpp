#include "tools/sensor/core/thermistor.h"
#include "tests/support/qt_printers.h"
#include "tools/sensor/core/rt_table.h"

#include <QStringEncoder>

#include <gtest/gtest.h>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Resistances worked out apart from the code: the β formula by hand; Steinhart–Hart by solving
// for T from R, which needs no root, and asking the code for R back. Without its cubic term
// Steinhart–Hart is the β form in disguise.
TEST(ThermistorTest, ResistanceAtATemperature) {
    const SteinhartHart beta_form{1 / 298.15 - std::log(10000) / 3950, 1 / 3950.0, 0};
    for (const auto& [celsius, ohms] :
         {std::pair{25.0, 10000.0}, {0.0, 33620.6037}, {-30.0, 200203.902}, {100.0, 697.519773}}) {
        SCOPED_TRACE(celsius);
        EXPECT_NEAR(beta_ohms(3950, 10000, celsius), ohms, ohms * 1e-8);
        EXPECT_NEAR(steinhart_hart_ohms(beta_form, celsius), ohms, ohms * 1e-8);
    }
    // A tiny C leaves Cardano's two cube roots nearly cancelling.
    for (const SteinhartHart sh : {SteinhartHart{1.129148e-3, 2.34125e-4, 8.76741e-8},
                                   SteinhartHart{1.129148e-3, 2.34125e-4, 1e-24}}) {
        for (const double ohms : {10000.0, 32650.0, 3e6}) {
            const double x = std::log(ohms);
            const double celsius = 1 / (sh.a + sh.b * x + sh.c * x * x * x) - 273.15;
            EXPECT_NEAR(steinhart_hart_ohms(sh, celsius), ohms, ohms * 1e-8) << sh.c;
        }
    }
}

TEST(ThermistorTest, TemperaturesOfASpan) {
    const std::pair<TemperatureSpan, std::size_t> rows[] = {
        {{-30, 70, 1}, 101}, {{0, 0.3, 0.1}, 4}, {{0, 0.95, 0.1}, 10}, {{5, 4, 1}, 0}};
    for (const auto& [span, count] : rows) {
        SCOPED_TRACE(testing::Message() << span.from << ".." << span.to << " by " << span.step);
        const std::vector<double> list = temperatures(span);
        ASSERT_EQ(list.size(), count);
        if (count > 0) {
            EXPECT_EQ(list.front(), span.from);
            EXPECT_NEAR(list.back(), span.from + (count - 1) * span.step, 1e-12);
        }
    }
}

// A β thermistor is a straight line in ln R against 1/T, so two of its points give it back
// everywhere between them; a value worked out by hand checks the interpolation itself.
TEST(ThermistorTest, ResistanceBetweenTablePoints) {
    const auto beta = [](double celsius) { return beta_ohms(3950, 10000, celsius); };
    const std::vector<RtPoint> points{{-40, beta(-40)}, {0, beta(0)}, {50, beta(50)}};
    for (const double celsius : {-40.0, -39.5, -12.25, 0.0, 0.001, 25.0, 49.99, 50.0}) {
        SCOPED_TRACE(celsius);
        EXPECT_NEAR(rt_table_ohms(points, celsius).value_or(0), beta(celsius),
                    beta(celsius) * 1e-12);
    }
    EXPECT_FALSE(rt_table_ohms(points, -40.001) || rt_table_ohms(points, 50.001));
    EXPECT_NEAR(*rt_table_ohms({{0, 32650}, {50, 3603}}, 25), 9888.76654, 1e-4);
}

// Tables as datasheets and spreadsheets write them: a header or none, kilohms named in it,
// decimal commas beside ';' or a tab, temperatures falling; the points always come back rising.
// A table refused names the line of its first fault (0: the table as a whole).
TEST(ThermistorTest, ReadingADatasheetTable) {
    const std::vector<RtPoint> two{{0, 32650}, {50, 3603}};
    const struct {
        QString text;
        std::vector<RtPoint> points;
        int line = 0;
    } rows[] = {
        {u"\uFEFF温度(℃),阻值(Ω)\r\n-30,128000\r\n\r\n25,10000\r\n"_s,
         {{-30, 128000}, {25, 10000}}},
        {u"T;R\n0;32650\n \n50 ; 3603\n100;680.6"_s, {{0, 32650}, {50, 3603}, {100, 680.6}}},
        {u"0\t32650\r50\t3603\r"_s, two},
        {u"T,R(kΩ)\n0,32.65\n50,3.603\n"_s, two},
        {u"°C;R/kohm\n0;32,65\n50;3,603\n"_s, two},
        {u"温度\t阻值 KΩ\n-5,5\t1,5\n10\t0,75\n"_s, {{-5.5, 1500}, {10, 750}}},
        {u"T,R(Ω)\n100,680.6\n50,3603\n0,32650\n"_s, {{0, 32650}, {50, 3603}, {100, 680.6}}},
        {u"25,10000\nabc,5\n"_s, {}, 2},
        {u"T,R\nT,R\n25,1\n30,2"_s, {}, 2},
        {u"25,10000\n\n20,12000\n30,9000\n"_s, {}, 4},
        {u"25,10000\n25,12000\n"_s, {}, 2},
        {u"25,0\n30,5\n"_s, {}, 1},
        {u"-273.15,5\n30,5\n"_s, {}, 1},
        {u"25,10000,2\n30,9000\n"_s, {}, 1},
        {u"T,R\n25,10000\n"_s, {}, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text.toStdString());
        const auto read = read_rt_table(row.text);
        const auto* points = std::get_if<std::vector<RtPoint>>(&read);
        ASSERT_EQ(points ? points->size() : 0u, row.points.size());
        if (!points) {
            EXPECT_EQ(std::get<RtTableError>(read).line, row.line);
        }
        for (std::size_t i = 0; i < row.points.size(); ++i) {
            EXPECT_EQ((*points)[i].celsius, row.points[i].celsius);
            EXPECT_NEAR((*points)[i].ohms, row.points[i].ohms, row.points[i].ohms * 1e-12);
        }
    }
}

// A spreadsheet's "Unicode text" is UTF-16 with its mark, in either byte order; other files
// are read as every text file is.
TEST(ThermistorTest, DatasheetFileText) {
    const QString table = u"温度\t阻值(kΩ)\r\n0\t32,65\r\n"_s;
    for (const auto order : {QStringEncoder::Utf16LE, QStringEncoder::Utf16BE}) {
        EXPECT_EQ(rt_file_text(QStringEncoder(order, QStringEncoder::Flag::WriteBom)(table)),
                  table);
    }
    EXPECT_EQ(rt_file_text(table.toUtf8()), table);
    EXPECT_EQ(rt_file_text("0,5\r\n"), u"0,5\r\n"_s);
}

TEST(ThermistorTest, WhatATableLacks) {
    const std::vector<RtPoint> points{{-40, 300000}, {125, 300}};
    const std::tuple<double, double, std::optional<QString>> rows[] = {
        {-40, 125, std::nullopt},
        {130, 130, u"the table covers -40 to 125 °C; asked 130 °C"_s},
        {-40.5, 20, u"the table covers -40 to 125 °C; asked -40.5 to 20 °C"_s},
    };
    for (const auto& [from, to, gap] : rows) {
        EXPECT_EQ(rt_table_gap(points, from, to), gap) << from << " to " << to;
    }
}

// Finite, and at least the half ohm that a line shows as 1 Ω.
TEST(ThermistorTest, ResistancesATableCanHold) {
    for (const double ohms : {0.5, 1e9, 3e38}) {
        EXPECT_TRUE(is_table_resistance(ohms)) << ohms;
    }
    for (const double ohms : {0.4999, 0.0, 1e-300, double(INFINITY), double(NAN), -5.0}) {
        EXPECT_FALSE(is_table_resistance(ohms)) << ohms;
    }
}

}  // namespace
