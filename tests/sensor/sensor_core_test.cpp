#include "shell/host/text_file.h"
#include "tests/support/qt_printers.h"
#include "tools/sensor/core/ad_table.h"

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
    const QStringList eight = split_lines(writer.gen_ad_table(100, choices, u"old"_s).text);
    choices.precision = Precision::k10Bits;
    const QStringList ten = split_lines(writer.gen_ad_table(100, choices, {}).text);
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
    EXPECT_EQ(writer.gen_ad_table(100, thermistor(u"PIC"_s, u"输入阻值"_s), {}).text, QString());
    EXPECT_EQ(split_lines(writer.gen_ad_table(100, thermistor({}), {}).text).value(0),
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
        const QStringList lines = split_lines(writer.gen_ad_table(100, choices, {}).text);
        ASSERT_EQ(lines.size(), 102);
        EXPECT_EQ(lines[0], QString::fromUtf16(row.first));
        EXPECT_EQ(lines[55], QString::fromUtf16(row.at_25));
        EXPECT_EQ(lines[101], model_name(row.model) + u"/0代表-30℃;100代表70℃/上拉电阻=10000Ω"_s);
    }
    EXPECT_TRUE(writer.gen_ad_table(100, thermistor(u"PIC"_s, u" 1e4 "_s), {})
                    .text.endsWith(u"/上拉电阻= 1e4 Ω\r\n"_s));
}

TEST(OtherModel, CountsEntriesToTheLimitThenWraps) {
    SensorTableWriter writer;
    QString text = u"kept\r\n"_s;
    const auto press = [&](const SensorChoices& choices) {
        const AdTableRun run = writer.gen_ad_table(100, choices, text);
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
    writer.gen_ad_table(100, thermistor(u"PIC"_s), {});
    press(other(u"1"_s));
    EXPECT_TRUE(text.endsWith(u";0电阻值=1Ω\r\n"_s));
}

TEST(ThermistorTable, StopsAtAReadingOutOfRangeKeepingTheLinesBefore) {
    SensorTableWriter writer;
    SensorChoices choices = thermistor(u"PIC"_s, u"-10000"_s);
    choices.orientation = u"下拉"_s;
    const AdTableRun run = writer.gen_ad_table(100, choices, u"old"_s);
    EXPECT_EQ(run.message, kInputError);
    const QStringList lines = split_lines(run.text);
    ASSERT_EQ(lines.size(), 55);  // entry 55 is 10000 Ω
    EXPECT_EQ(lines[54], u"retlw 0x0FFFFE700;54电阻值=10400Ω"_s);
}

}  // namespace
