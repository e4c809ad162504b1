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
constexpr auto kWet = SensorModel::kHumidity;
constexpr auto k8 = Precision::k8Bits;
constexpr auto k10 = Precision::k10Bits;
constexpr auto k12 = Precision::k12Bits;
const QString kInputError = u"输入错误"_s;

SensorChoices choices(SensorModel model, const char16_t* dialect, Precision precision = k8,
                      const char16_t* orientation = u"上拉", const char16_t* divider = u"10000") {
    return {model,
            QString::fromUtf16(dialect),
            QString::fromUtf16(orientation),
            QString::fromUtf16(divider),
            {},
            precision};
}

SensorChoices other(const QString& typed, const char16_t* divider = u"10000") {
    SensorChoices other = choices(SensorModel::kOther, u"PIC", k8, u"上拉", divider);
    other.typed = typed;
    return other;
}

TEST(ThermistorReading, ScalesTheLowerShareRoundingToSingleThenHalvesToEven) {
    const struct {
        std::int32_t ohms;
        Orientation orientation;
        double divider;
        Precision precision;
        std::optional<std::int32_t> reading;
    } rows[] = {
        {128000, kUp, 10000, k8, 237},
        {10000, kUp, 10000, k8, 128},
        {2152, kUp, 10000, k8, 45},
        {128000, kDown, 10000, k8, 19},
        {2152, kDown, 10000, k8, 211},
        {128000, kUp, 10000, k10, 950},
        {128000, kUp, 10000, k12, 3799},
        {1, kUp, 511, k8, 0},
        {3, kUp, 509, k8, 2},
        {511, kUp, 1, k8, 256},
        {7, kUp, 505.00000001, k8, 4},  // 3.49999999993 is 3.5 in single precision
        {128000, Orientation::kNone, 10000, k8, 0},
        {10000, kDown, -10000, k8, std::nullopt},
        {2147483647, kUp, -2147483646, k8, std::nullopt},
        {-20000, kUp, 10000, k8, 512},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(
            thermistor_reading(row.ohms, row.orientation, row.divider, scale_of(row.precision)),
            row.reading)
            << row.ohms << " " << row.divider;
    }
}

// Lines of full tables, one writer for all: a text that names no dialect keeps the instruction
// word of the last one named.
TEST(AdTable, WritesEachDialectAndTheNoteLine) {
    SensorTableWriter writer;
    // Before any run names a dialect there is no instruction word, and a failed run names none.
    EXPECT_EQ(writer.make_table(100, choices(k10K, u"PIC", k8, u"上拉", u"输入阻值"), {}).text,
              QString());
    EXPECT_EQ(split_lines(writer.make_table(100, choices(k10K, u""), {}).text).value(0),
              u" ED0电阻值=128000Ω"_s);
    const struct {
        SensorModel model;
        const char16_t* dialect;
        Precision precision;
        int line;
        const char16_t* text;
    } rows[] = {
        {k10K, u"PIC", k8, 0, u"retlw 0x0ED;0电阻值=128000Ω"},
        {k10K, u"PIC", k8, 101, u"3470_10K/0代表-30℃;100代表70℃/上拉电阻=10000Ω"},
        {k10K, u"A51", k8, 0, u"DB 0EDH;0电阻值=128000Ω"},
        {k10K, u"数组", k8, 55, u" 0x080,/*55电阻值=10000Ω*/"},
        {k10K, u"EMC", k8, 0, u"retl 0x0ED;0电阻值=128000Ω"},
        {k10K, u"", k8, 55, u"retl 8055电阻值=10000Ω"},
        {k5K, u"PIC", k8, 0, u"retlw 0x0DD;0电阻值=63730Ω"},
        {kWet, u"PIC", k8, 0, u"retlw 0x06;湿度=0%电压=0.116279069767442V"},
        {kWet, u"PIC", k8, 98, u"retlw 0x0100;湿度=98%电压=5V"},
        {kWet, u"A51", k8, 0, u"DB 06H;湿度=0%电压=0.116279069767442V"},
        {kWet, u"PIC", k10, 100, u"retlw 0x0400;湿度=100%电压=5V"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(QString::fromUtf16(row.text).toStdString());
        const QStringList lines = split_lines(
            writer.make_table(100, choices(row.model, row.dialect, row.precision), u"old"_s).text);
        ASSERT_EQ(lines.size(), row.model == kWet ? 101 : 102);
        EXPECT_EQ(lines[row.line], QString::fromUtf16(row.text));
    }
    EXPECT_TRUE(writer.make_table(100, choices(k10K, u"PIC", k8, u"上拉", u" 1e4 "), {})
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
        {other(u"1"_s, u"输入阻值"), u"上或下拉电阻阻值输入错误"_s, nullptr},
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
    writer.make_table(100, choices(k10K, u"PIC"), {});
    press(other(u"1"_s));
    EXPECT_TRUE(text.endsWith(u";0电阻值=1Ω\r\n"_s));
}

TEST(AdTable, StopsAtAReadingOutOfRangeKeepingTheLinesBefore) {
    SensorTableWriter writer;
    const AdTableRun run =
        writer.make_table(100, choices(k10K, u"PIC", k8, u"下拉", u"-10000"), u"old"_s);
    EXPECT_EQ(run.message, kInputError);
    const QStringList lines = split_lines(run.text);
    ASSERT_EQ(lines.size(), 55);  // entry 55 is 10000 Ω
    EXPECT_EQ(lines[54], u"retlw 0x0FFFFE700;54电阻值=10400Ω"_s);
}

// The built-in tables' bytes, every model, dialect, precision and pull once, as they have always
// been: every entry of every table shows in them.
TEST(AdTable, BuiltInTablesKeepTheirBytes) {
    const struct {
        SensorModel model;
        const char16_t* dialect;
        Precision precision;
        const char16_t* orientation;
        const char* sha1;
    } rows[] = {
        {k5K, u"PIC", k8, u"上拉", "67912b7c78e8ad55f20fd60dad088edf07aaf039"},
        {k5K, u"A51", k10, u"下拉", "76e4ebc0bb2e91e0a7e8eeafa19af01786a4fccb"},
        {k5K, u"EMC", k12, u"上拉", "dd97d05c604cbd6e5c194aecd2bc186e0ba561ae"},
        {k10K, u"PIC", k10, u"上拉", "fab8ef242bdc71388b932d989caedf2ef3bf2a12"},
        {k10K, u"A51", k8, u"上拉", "ae4044a801f02a5e19136747feebea6672dcf0d8"},
        {k10K, u"数组", k12, u"上拉", "be61dccb69db844fbd6c5d68623c7a6fe077bb64"},
        {k10K, u"EMC", k8, u"下拉", "6e45ef8955e4862ecfd837c8459e3dd5c9908b9b"},
        {kWet, u"PIC", k8, u"下拉", "0d56b7e0609dfa454e8f690c668b50c3271caf9d"},
        {kWet, u"A51", k12, u"上拉", "022747d11e20e95c7592e4c984f67e18dad1e71d"},
        {kWet, u"数组", k10, u"上拉", "f7a3bfd17375e895256ca7f8e16433f402e4beab"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.sha1);
        SensorTableWriter writer;
        const QString text =
            writer
                .make_table(
                    100, choices(row.model, row.dialect, row.precision, row.orientation, u"4700"),
                    {})
                .text;
        EXPECT_EQ(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex(),
                  QByteArray(row.sha1));
    }
}

// A curve's reading comes from its exact resistance; the comment rounds it. 47.563 Ω against
// 470 Ω reads 376 of 4096, where 48 Ω would read 380.
TEST(AdTable, ACurveReadsEachEntryFromTheExactResistance) {
    const struct {
        double ohms;
        SensorChoices choices;
        const char16_t* line;
    } rows[] = {
        {47.563026902233304, choices(SensorModel::kOther, u"数组", k12, u"上拉", u"470"),
         u" 0x0178,/*0电阻值=48Ω*/"},
        {2.5, choices(SensorModel::kOther, u"PIC", k8, u"上拉", u"1"), u"retlw 0x0B7;0电阻值=2Ω"},
        {3.5, choices(SensorModel::kOther, u"PIC", k8, u"下拉", u"1"), u"retlw 0x039;0电阻值=4Ω"},
        {3e10, choices(SensorModel::kOther, u"A51", k10), u"DB 0400H;0电阻值=30000000000Ω"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.ohms);
        const AdTableRun run = curve_ad_table({u"curve"_s, 25, 1, {row.ohms}}, row.choices);
        ASSERT_TRUE(run.completed());
        EXPECT_EQ(split_lines(run.text).value(0), QString::fromUtf16(row.line));
    }
}

// retlw, DB and retl take one byte; the array takes what its element type holds.
TEST(InstructionFit, OneByteDialectsHoldZeroTo255AndLinesJoinIntoRanges) {
    const struct {
        const char16_t* dialect;
        std::int32_t reading;
        bool holds;
    } rows[] = {
        {u"PIC", 0, true},     {u"PIC", 255, true}, {u"PIC", 256, false},  {u"A51", 256, false},
        {u"EMC", 1024, false}, {u"EMC", -1, false}, {u"数组", 4096, true}, {u"", 4096, true},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(instruction_holds(QString::fromUtf16(row.dialect), row.reading), row.holds)
            << row.reading;
    }
    const std::pair<std::vector<int>, const char16_t*> ranges[] = {
        {{}, u""}, {{3}, u"3"}, {{1, 2, 3, 5, 7, 8}, u"1-3, 5, 7-8"}, {{4, 9}, u"4, 9"}};
    for (const auto& [lines, joined] : ranges) {
        EXPECT_EQ(line_ranges(lines), QString::fromUtf16(joined));
    }
}

}  // namespace
