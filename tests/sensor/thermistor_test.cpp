#include "tools/sensor/core/thermistor.h"
#include "tests/support/qt_printers.h"
#include "tools/sensor/core/rt_table.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Resistances worked out apart from the code: the β formula by hand; Steinhart–Hart by solving
// for T from R, which needs no root, and asking the code for R back. Without its cubic term
// Steinhart–Hart is the β form in disguise.
TEST(ThermistorTest, ResistanceAtATemperature) {
    struct Row {
        double beta;  // 0: Steinhart–Hart
        SteinhartHart sh;
        double ohms;
    };
    const SteinhartHart ten_k{1.129148e-3, 2.34125e-4, 8.76741e-8};
    const SteinhartHart beta_form{1 / 298.15 - std::log(10000) / 3950, 1 / 3950.0, 0};
    const auto celsius_of = [](const SteinhartHart& sh, double ohms) {
        const double x = std::log(ohms);
        return 1 / (sh.a + sh.b * x + sh.c * x * x * x) - kZeroCelsiusKelvin;
    };
    const std::pair<double, Row> rows[] = {
        {25, {3950, {}, 10000}},
        {0, {3950, {}, 33620.6037}},
        {-30, {3950, {}, 200203.902}},
        {100, {3950, {}, 697.519773}},
        {celsius_of(ten_k, 10000), {0, ten_k, 10000}},
        {celsius_of(ten_k, 32650), {0, ten_k, 32650}},
        {celsius_of(ten_k, 3e6), {0, ten_k, 3e6}},
        {0, {0, beta_form, 33620.6037}},
    };
    for (const auto& [celsius, row] : rows) {
        SCOPED_TRACE(testing::Message() << celsius << " °C, β " << row.beta);
        const double ohms = row.beta > 0 ? beta_ohms(row.beta, 10000, celsius)
                                         : steinhart_hart_ohms(row.sh, celsius);
        EXPECT_NEAR(ohms, row.ohms, row.ohms * 1e-8);
    }
}

TEST(ThermistorTest, TemperaturesOfASpan) {
    const std::pair<TemperatureSpan, std::size_t> rows[] = {
        {{-30, 70, 1}, 101}, {{0, 1, 0.1}, 11}, {{0, 0.95, 0.1}, 10}, {{5, 4, 1}, 0}};
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
    const std::vector<RtPoint> beta_points{{-40, beta_ohms(3950, 10000, -40)},
                                           {0, beta_ohms(3950, 10000, 0)},
                                           {50, beta_ohms(3950, 10000, 50)}};
    for (const double celsius : {-40.0, -39.5, -12.25, 0.0, 0.001, 25.0, 49.99, 50.0}) {
        SCOPED_TRACE(celsius);
        EXPECT_NEAR(rt_table_ohms(beta_points, celsius).value_or(0),
                    beta_ohms(3950, 10000, celsius), beta_ohms(3950, 10000, celsius) * 1e-12);
    }
    EXPECT_FALSE(rt_table_ohms(beta_points, -40.001));
    EXPECT_FALSE(rt_table_ohms(beta_points, 50.001));
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
    QByteArray little("\xFF\xFE");
    QByteArray big("\xFE\xFF");
    for (const QChar c : table) {
        little += char(c.unicode() & 0xFF);
        little += char(c.unicode() >> 8);
        big += char(c.unicode() >> 8);
        big += char(c.unicode() & 0xFF);
    }
    const std::pair<QByteArray, QString> rows[] = {
        {little, table},
        {big, table},
        {table.toUtf8(), table},
        {"0,5\r\n", u"0,5\r\n"_s},
    };
    for (const auto& [bytes, text] : rows) {
        SCOPED_TRACE(bytes.toHex().toStdString());
        EXPECT_EQ(rt_file_text(bytes), text);
    }
}

TEST(ThermistorTest, WhatATableLacks) {
    const std::vector<RtPoint> points{{-40, 300000}, {125, 300}};
    const std::tuple<double, double, std::optional<QString>> rows[] = {
        {-40, 125, std::nullopt},
        {0, 0, std::nullopt},
        {130, 130, u"the table covers -40 to 125 °C; asked 130 °C"_s},
        {0, 130, u"the table covers -40 to 125 °C; asked 0 to 130 °C"_s},
        {-40.5, 20, u"the table covers -40 to 125 °C; asked -40.5 to 20 °C"_s},
    };
    for (const auto& [from, to, gap] : rows) {
        SCOPED_TRACE(testing::Message() << from << " to " << to);
        EXPECT_EQ(rt_table_gap(points, from, to), gap);
    }
}

// Finite, and at least the half ohm that a line shows as 1 Ω.
TEST(ThermistorTest, ResistancesATableCanHold) {
    const std::pair<double, bool> rows[] = {
        {0.5, true},       {1e9, true},  {0.4999, false}, {0, false},   {1e-300, false},
        {INFINITY, false}, {NAN, false}, {-5, false},     {3e38, true},
    };
    for (const auto& [ohms, usable] : rows) {
        SCOPED_TRACE(ohms);
        EXPECT_EQ(is_table_resistance(ohms), usable);
    }
}

}  // namespace
