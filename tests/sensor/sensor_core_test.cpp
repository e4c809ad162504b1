#include "base/text_file.h"
#include "tests/support/qt_printers.h"
#include "tools/sensor/core/ad_table.h"

#include <QCryptographicHash>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr auto kUp = Orientation::kPullUp;
constexpr auto kDown = Orientation::kPullDown;
constexpr auto k5K = SensorModel::k3470_5K;
constexpr auto k10K = SensorModel::k3470_10K;
const QString kInputError = u"输入错误"_s;

SensorChoices thermistor(const QString& dialect, const QString& divider = u"10000"_s) {
    return {k10K, dialect, u"上拉"_s, divider, {}, Precision::k8Bits};
}

SensorChoices other(const QString& typed, const QString& divider = u"10000"_s) {
    return {SensorModel::kOther, u"PIC"_s, u"上拉"_s, divider, typed, Precision::k8Bits};
}

TEST(ThermistorReading, ScalesTheLowerShareRoundingToSingleThenHalvesToEven) {
    const struct {
        std::int32_t ohms;
        Orientation orientation;
        double divider;
        Precision precision;
        std::optional<std::int32_t> reading;
    } cases[] = {
        {128000, kUp, 10000, Precision::k8Bits, 237},
        {10000, kUp, 10000, Precision::k8Bits, 128},
        {2152, kUp, 10000, Precision::k8Bits, 45},
        {128000, kDown, 10000, Precision::k8Bits, 19},
        {2152, kDown, 10000, Precision::k8Bits, 211},
        {128000, kUp, 10000, Precision::k10Bits, 950},
        {1, kUp, 511, Precision::k8Bits, 0},
        {3, kUp, 509, Precision::k8Bits, 2},
        {511, kUp, 1, Precision::k8Bits, 256},
        // 3.49999999993 is 3.5 in single precision, so it goes to 4.
        {7, kUp, 505.00000001, Precision::k8Bits, 4},
        {128000, Orientation::kNone, 10000, Precision::k8Bits, 0},
        {10000, kDown, -10000, Precision::k8Bits, std::nullopt},
        {2147483647, kUp, -2147483646, Precision::k8Bits, std::nullopt},
        {-20000, kUp, 10000, Precision::k8Bits, 512},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(thermistor_reading(c.ohms, c.orientation, c.divider, scale_of(c.precision)),
                  c.reading)
            << c.ohms << " " << c.divider;
    }
}

TEST(HumidityTable, ReadsTheNextEntryAgainstAThousandOhmsAtFiveVolts) {
    SensorTableWriter writer;
    SensorChoices choices{SensorModel::kHumidity, u"PIC"_s, {}, u"x"_s, {}, Precision::k8Bits};
    const QStringList eight = split_lines(writer.make_table(100, choices, u"old"_s).text);
    choices.precision = Precision::k10Bits;
    const QStringList ten = split_lines(writer.make_table(100, choices, {}).text);
    ASSERT_EQ(eight.size(), 101);
    const std::pair<QString, QString> cases[] = {
        {eight[0], u"retlw 0x06;湿度=0%电压=0.116279069767442V"_s},
        {eight[97], u"retlw 0x0A8;湿度=97%电压=3.28947368421053V"_s},
        {eight[98], u"retlw 0x0100;湿度=98%电压=5V"_s},
        {eight[100], u"retlw 0x0100;湿度=100%电压=5V"_s},
        {ten[0], u"retlw 0x018;湿度=0%电压=0.116279069767442V"_s},
        {ten[99], u"retlw 0x0400;湿度=99%电压=5V"_s},
    };
    for (const auto& [line, expected] : cases) {
        EXPECT_EQ(line, expected);
    }
}

TEST(ThermistorTable, WritesEachDialectThenTheNoteLine) {
    SensorTableWriter writer;
    // Before any run names a dialect there is no instruction word, and a failed run names none.
    EXPECT_EQ(writer.make_table(100, thermistor(u"PIC"_s, u"输入阻值"_s), {}).text, QString());
    EXPECT_EQ(split_lines(writer.make_table(100, thermistor({}), {}).text).value(0),
              u" ED0电阻值=128000Ω"_s);
    const struct {
        SensorModel model;
        const char16_t* dialect;
        const char16_t* first;
        const char16_t* at_25;
    } rows[] = {
        {k10K, u"PIC", u"retlw 0x0ED;0电阻值=128000Ω", u"retlw 0x080;55电阻值=10000Ω"},
        {k10K, u"A51", u"DB 0EDH;0电阻值=128000Ω", u"DB 080H;55电阻值=10000Ω"},
        {k10K, u"数组", u" 0x0ED,/*0电阻值=128000Ω*/", u" 0x080,/*55电阻值=10000Ω*/"},
        {k10K, u"EMC", u"retl 0x0ED;0电阻值=128000Ω", u"retl 0x080;55电阻值=10000Ω"},
        {k10K, u"", u"retl ED0电阻值=128000Ω", u"retl 8055电阻值=10000Ω"},
        {k5K, u"PIC", u"retlw 0x0DD;0电阻值=63730Ω", u"retlw 0x055;55电阻值=5000Ω"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(model_name(row.model).toStdString() +
                     QString::fromUtf16(row.dialect).toStdString());
        SensorChoices choices = thermistor(QString::fromUtf16(row.dialect));
        choices.model = row.model;
        const QStringList lines = split_lines(writer.make_table(100, choices, {}).text);
        ASSERT_EQ(lines.size(), 102);
        EXPECT_EQ(lines[0], QString::fromUtf16(row.first));
        EXPECT_EQ(lines[55], QString::fromUtf16(row.at_25));
        EXPECT_EQ(lines[101], model_name(row.model) + u"/0代表-30℃;100代表70℃/上拉电阻=10000Ω"_s);
    }
    EXPECT_TRUE(writer.make_table(100, thermistor(u"PIC"_s, u" 1e4 "_s), {})
                    .text.endsWith(u"/上拉电阻= 1e4 Ω\r\n"_s));
}

TEST(OtherModel, CountsEntriesToTheLimitThenWraps) {
    SensorTableWriter writer;
    QString text = u"kept\r\n"_s;
    const auto press = [&](const SensorChoices& choices) {
        const AdTableRun run = writer.make_table(100, choices, text);
        text = run.text;
        return run.message;
    };
    const struct {
        SensorChoices choices;
        QString message;
        const char16_t* line;  // the new last line
    } steps[] = {
        {other(u"12000"_s), {}, u"retlw 0x08C;0电阻值=12000Ω"},
        {other(u"abc"_s), kInputError, nullptr},
        {other(u"3e9"_s), kInputError, nullptr},
        {other(u"-10000"_s), kInputError, nullptr},  // 0 Ω in all
        {other(u"1"_s, u"输入阻值"_s), u"上或下拉电阻阻值输入错误"_s, nullptr},
        {other(u" 11000 "_s), {}, u"retlw 0x086;1电阻值=11000Ω"},
        {other(u"2.5"_s), {}, u"retlw 0x00;2电阻值=2Ω"},
    };
    for (const auto& step : steps) {
        const QString before = text;
        EXPECT_EQ(press(step.choices), step.message);
        EXPECT_EQ(text, step.line ? before + QString::fromUtf16(step.line) + u"\r\n"_s : before);
    }
    for (int entry = 3; entry < kWorkingEntries; ++entry) {
        ASSERT_EQ(press(other(u"1"_s)), QString());
    }
    const QString full = text;
    EXPECT_EQ(press(other(u"1"_s)), u"超出范围"_s);
    EXPECT_EQ(text, full);
    press(other(u"1"_s));
    EXPECT_TRUE(text.endsWith(u";0电阻值=1Ω\r\n"_s));

    // A built-in run starts the count again.
    press(other(u"1"_s));
    writer.make_table(100, thermistor(u"PIC"_s), {});
    press(other(u"1"_s));
    EXPECT_TRUE(text.endsWith(u";0电阻值=1Ω\r\n"_s));
}

TEST(ThermistorTable, StopsAtAReadingOutOfRangeKeepingTheLinesBefore) {
    SensorTableWriter writer;
    SensorChoices choices = thermistor(u"PIC"_s, u"-10000"_s);
    choices.orientation = u"下拉"_s;
    const AdTableRun run = writer.make_table(100, choices, u"old"_s);
    EXPECT_EQ(run.message, kInputError);
    const QStringList lines = split_lines(run.text);
    ASSERT_EQ(lines.size(), 55);  // entry 55 is 10000 Ω
    EXPECT_EQ(lines[54], u"retlw 0x0FFFFE700;54电阻值=10400Ω"_s);
}

// The built-in tables' bytes, every model, dialect, precision and pull once, as they have always
// been: a change to the readings or the lines of the curves must leave them alone.
TEST(BuiltInTables, KeepTheirBytes) {
    const struct {
        SensorModel model;
        const char16_t* dialect;
        Precision precision;
        const char16_t* orientation;
        const char* sha1;
    } rows[] = {
        {k5K, u"PIC", Precision::k8Bits, u"上拉", "67912b7c78e8ad55f20fd60dad088edf07aaf039"},
        {k5K, u"A51", Precision::k10Bits, u"下拉", "76e4ebc0bb2e91e0a7e8eeafa19af01786a4fccb"},
        {k5K, u"EMC", Precision::k12Bits, u"上拉", "dd97d05c604cbd6e5c194aecd2bc186e0ba561ae"},
        {k10K, u"PIC", Precision::k10Bits, u"上拉", "fab8ef242bdc71388b932d989caedf2ef3bf2a12"},
        {k10K, u"A51", Precision::k8Bits, u"上拉", "ae4044a801f02a5e19136747feebea6672dcf0d8"},
        {k10K, u"数组", Precision::k12Bits, u"上拉", "be61dccb69db844fbd6c5d68623c7a6fe077bb64"},
        {k10K, u"EMC", Precision::k8Bits, u"下拉", "6e45ef8955e4862ecfd837c8459e3dd5c9908b9b"},
        {SensorModel::kHumidity, u"PIC", Precision::k8Bits, u"下拉",
         "0d56b7e0609dfa454e8f690c668b50c3271caf9d"},
        {SensorModel::kHumidity, u"A51", Precision::k12Bits, u"上拉",
         "022747d11e20e95c7592e4c984f67e18dad1e71d"},
        {SensorModel::kHumidity, u"数组", Precision::k10Bits, u"上拉",
         "f7a3bfd17375e895256ca7f8e16433f402e4beab"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(model_name(row.model).toStdString() + " " +
                     QString::fromUtf16(row.dialect).toStdString() + " " +
                     std::to_string(scale_of(row.precision)));
        SensorTableWriter writer;
        const SensorChoices choices{row.model,
                                    QString::fromUtf16(row.dialect),
                                    QString::fromUtf16(row.orientation),
                                    u"4700"_s,
                                    {},
                                    row.precision};
        const QString text = writer.make_table(100, choices, {}).text;
        EXPECT_EQ(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex(),
                  QByteArray(row.sha1));
    }
}

// A curve's reading comes from its exact resistance; the comment rounds it. 47.563 Ω against
// 470 Ω reads 376 of 4096, where 48 Ω would read 380.
TEST(CurveTable, ReadsEachEntryFromTheExactResistance) {
    const struct {
        double ohms;
        const char16_t* dialect;
        Precision precision;
        const char16_t* orientation;
        const char16_t* divider;
        const char16_t* line;
    } rows[] = {
        {47.563026902233304, u"数组", Precision::k12Bits, u"上拉", u"470",
         u" 0x0178,/*0电阻值=48Ω*/"},
        {2.5, u"PIC", Precision::k8Bits, u"上拉", u"1", u"retlw 0x0B7;0电阻值=2Ω"},
        {3.5, u"PIC", Precision::k8Bits, u"下拉", u"1", u"retlw 0x039;0电阻值=4Ω"},
        {3e10, u"A51", Precision::k10Bits, u"上拉", u"10000", u"DB 0400H;0电阻值=30000000000Ω"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.ohms);
        const ThermistorCurve curve{u"curve"_s, 25, 1, {row.ohms}};
        const SensorChoices choices{SensorModel::kOther,
                                    QString::fromUtf16(row.dialect),
                                    QString::fromUtf16(row.orientation),
                                    QString::fromUtf16(row.divider),
                                    {},
                                    row.precision};
        const AdTableRun run = curve_ad_table(curve, choices);
        ASSERT_TRUE(run.completed());
        EXPECT_EQ(split_lines(run.text).value(0), QString::fromUtf16(row.line));
    }
}

// retlw, DB and retl take one byte; the array takes what its element type holds.
TEST(InstructionFit, OneByteDialectsHoldZeroTo255) {
    const struct {
        const char16_t* dialect;
        std::int32_t reading;
        bool holds;
    } rows[] = {
        {u"PIC", 0, true},     {u"PIC", 255, true}, {u"PIC", 256, false},  {u"A51", 256, false},
        {u"EMC", 1024, false}, {u"EMC", -1, false}, {u"数组", 4096, true}, {u"", 4096, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(QString::fromUtf16(row.dialect).toStdString() + " " +
                     std::to_string(row.reading));
        EXPECT_EQ(instruction_holds(QString::fromUtf16(row.dialect), row.reading), row.holds);
    }
}

// The lines a run cannot hold, found while it writes them: the full-scale humidity lines in
// 8 bits, the wet end of a 10-bit thermistor table.
TEST(InstructionFit, ARunListsTheLinesThatDoNotFit) {
    const struct {
        SensorModel model;
        const char16_t* dialect;
        Precision precision;
        const char16_t* ranges;
    } rows[] = {
        {SensorModel::kHumidity, u"PIC", Precision::k8Bits, u"99-101"},
        {SensorModel::kHumidity, u"数组", Precision::k10Bits, u""},
        {k10K, u"A51", Precision::k8Bits, u""},
        {k10K, u"EMC", Precision::k10Bits, u"1-87"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(model_name(row.model).toStdString() + " " +
                     QString::fromUtf16(row.dialect).toStdString());
        SensorTableWriter writer;
        const SensorChoices choices{
            row.model, QString::fromUtf16(row.dialect), u"上拉"_s, u"10000"_s, {}, row.precision};
        EXPECT_EQ(line_ranges(writer.make_table(100, choices, {}).unfit_lines),
                  QString::fromUtf16(row.ranges));
    }
}

TEST(InstructionFit, LineRangesJoinRuns) {
    const std::pair<std::vector<int>, const char16_t*> rows[] = {
        {{}, u""}, {{3}, u"3"}, {{1, 2, 3, 5, 7, 8}, u"1-3, 5, 7-8"}, {{4, 9}, u"4, 9"}};
    for (const auto& [lines, ranges] : rows) {
        EXPECT_EQ(line_ranges(lines), QString::fromUtf16(ranges));
    }
}

}  // namespace
