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
    const auto text = [](const char16_t* chars) { return QString::fromUtf16(chars); };
    return {model, text(dialect), text(orientation), text(divider), {}, precision};
}

SensorChoices other(const QString& typed, const char16_t* divider = u"10000") {
    return {SensorModel::kOther, u"PIC"_s, u"上拉"_s, QString::fromUtf16(divider), typed, k8};
}

TEST(ThermistorReading, ScalesTheLowerShareRoundingToSingleThenHalvesToEven) {
    const std::tuple<std::int32_t, Orientation, double, Precision, std::optional<std::int32_t>>
        rows[] = {
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
    for (const auto& [ohms, orientation, divider, precision, reading] : rows) {
        EXPECT_EQ(thermistor_reading(ohms, orientation, divider, scale_of(precision)), reading)
            << ohms << " " << divider;
    }
}

// Lines of full tables, one writer for all: a text that names no dialect keeps the instruction
// word of the last one named. A reading out of range stops a table, keeping the lines before.
TEST(AdTable, WritesEachDialectAndTheNoteLine) {
    SensorTableWriter writer;
    // Before any run names a dialect there is no instruction word, and a failed run names none.
    EXPECT_EQ(writer.make_table(100, choices(k10K, u"PIC", k8, u"上拉", u"输入阻值"), {}).text,
              QString());
    EXPECT_EQ(split_lines(writer.make_table(100, choices(k10K, u""), {}).text).value(0),
              u" ED0电阻值=128000Ω"_s);
    const std::tuple<SensorModel, const char16_t*, Precision, int, const char16_t*> rows[] = {
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
    for (const auto& [model, dialect, precision, line, text] : rows) {
        const QStringList lines =
            split_lines(writer.make_table(100, choices(model, dialect, precision), u"old"_s).text);
        ASSERT_EQ(lines.size(), model == kWet ? 101 : 102);
        EXPECT_EQ(lines[line], QString::fromUtf16(text));
    }
    EXPECT_TRUE(writer.make_table(100, choices(k10K, u"PIC", k8, u"上拉", u" 1e4 "), {})
                    .text.endsWith(u"/上拉电阻= 1e4 Ω\r\n"_s));
    const AdTableRun run =
        writer.make_table(100, choices(k10K, u"PIC", k8, u"下拉", u"-10000"), u"old"_s);
    EXPECT_EQ(run.message, kInputError);
    EXPECT_EQ(split_lines(run.text).size(), 55);  // entry 55 is 10000 Ω
    EXPECT_EQ(split_lines(run.text).value(54), u"retlw 0x0FFFFE700;54电阻值=10400Ω"_s);
}

TEST(OtherModel, CountsEntriesToTheLimitThenWraps) {
    SensorTableWriter writer;
    QString text = u"kept\r\n"_s;
    const auto press = [&](const SensorChoices& choices) {
        const AdTableRun run = writer.make_table(100, choices, text);
        text = run.text;
        return run.message;
    };
    // Each press, the message it gives and the new last line.
    const std::tuple<SensorChoices, QString, const char16_t*> steps[] = {
        {other(u"12000"_s), {}, u"retlw 0x08C;0电阻值=12000Ω"},
        {other(u"abc"_s), kInputError, nullptr},
        {other(u"3e9"_s), kInputError, nullptr},
        {other(u"-10000"_s), kInputError, nullptr},  // 0 Ω in all
        {other(u"1"_s, u"输入阻值"), u"上或下拉电阻阻值输入错误"_s, nullptr},
        {other(u" 11000 "_s), {}, u"retlw 0x086;1电阻值=11000Ω"},
        {other(u"2.5"_s), {}, u"retlw 0x00;2电阻值=2Ω"},
    };
    for (const auto& [choices, message, line] : steps) {
        const QString before = text;
        EXPECT_EQ(press(choices), message);
        EXPECT_EQ(text, line ? before + QString::fromUtf16(line) + u"\r\n"_s : before);
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

// The built-in tables' bytes as they have always been: every entry of every table shows in them.
TEST(AdTable, BuiltInTablesKeepTheirBytes) {
    SensorTableWriter writer;
    QString text;
    const std::tuple<SensorModel, const char16_t*, Precision, const char16_t*> tables[] = {
        {k5K, u"PIC", k8, u"上拉"}, {k10K, u"A51", k10, u"下拉"}, {kWet, u"数组", k12, u"上拉"}};
    for (const auto& [model, dialect, precision, pull] : tables) {
        text += writer.make_table(100, choices(model, dialect, precision, pull, u"4700"), {}).text;
    }
    EXPECT_EQ(
        QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex().toStdString(),
        "c3c37f49ee118c8d6ee106af204670f875b15e54");
}

// A curve's reading comes from its exact resistance; the comment rounds it. 47.563 Ω against
// 470 Ω reads 376 of 4096, where 48 Ω would read 380.
TEST(AdTable, ACurveReadsEachEntryFromTheExactResistance) {
    const std::tuple<double, SensorChoices, const char16_t*> rows[] = {
        {47.563026902233304, choices(SensorModel::kOther, u"数组", k12, u"上拉", u"470"),
         u" 0x0178,/*0电阻值=48Ω*/"},
        {2.5, choices(SensorModel::kOther, u"PIC", k8, u"上拉", u"1"), u"retlw 0x0B7;0电阻值=2Ω"},
        {3.5, choices(SensorModel::kOther, u"PIC", k8, u"下拉", u"1"), u"retlw 0x039;0电阻值=4Ω"},
        {3e10, choices(SensorModel::kOther, u"A51", k10), u"DB 0400H;0电阻值=30000000000Ω"},
        {1000, choices(SensorModel::kOther, u"PIC", k8, u"上拉", u"输入阻值"), u""},  // refused
    };
    for (const auto& [ohms, choices, line] : rows) {
        const AdTableRun run = curve_ad_table({u"curve"_s, 25, 1, {ohms}}, choices);
        EXPECT_EQ(split_lines(run.text).value(0), QString::fromUtf16(line))
            << run.message.toStdString();
    }
}

// retlw, DB and retl take one byte; the array takes what its element type holds.
TEST(InstructionFit, OneByteDialectsHoldZeroTo255AndLinesJoinIntoRanges) {
    const std::tuple<const char16_t*, std::int32_t, bool> rows[] = {
        {u"PIC", 0, true},     {u"PIC", 255, true}, {u"PIC", 256, false},  {u"A51", 256, false},
        {u"EMC", 1024, false}, {u"EMC", -1, false}, {u"数组", 4096, true}, {u"", 4096, true},
    };
    for (const auto& [dialect, reading, holds] : rows) {
        EXPECT_EQ(instruction_holds(QString::fromUtf16(dialect), reading), holds) << reading;
    }
    EXPECT_EQ(line_ranges({1, 2, 3, 5, 7, 8}), u"1-3, 5, 7-8"_s);
    EXPECT_EQ(line_ranges({4}), u"4"_s);
}

}  // namespace
