#include "tools/sensor/cli/sensor_command.h"
#include "base/text_file.h"
#include "shell/cli/command_kit.h"
#include "tests/support/qt_printers.h"
#include "tools/sensor/core/sensor_model.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

CommandRun run(const QString& arguments) {
    return run_command({sensor_table_command()},
                       (u"table sensor "_s + arguments).split(u' ', Qt::SkipEmptyParts));
}

// Each test runs in a directory of its own, where it writes its datasheet files.
class SensorCommandTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QDir::setCurrent(m_dir.path())); }
    static void write_file(const QString& name, const QByteArray& bytes) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QTemporaryDir m_dir;
};

// Each refusal of the sensor options names the option and its valid values, exits with 2 and
// writes nothing; a datasheet file that cannot be read exits with 1. The rules every subcommand
// shares are tested over all of them in the command kit's test.
TEST_F(SensorCommandTest, RefusedOptions) {
    const QString sensor = u"--dialect pic --pull up --divider 10000"_s;
    const QString thermistor = sensor + u" --model 3470_10K"_s;
    const QString beta = sensor + u" --beta 3950 --r25 10000"_s;
    const QString pic = u"--model 3470_5K --dialect pic"_s;
    const std::pair<QString, const char16_t*> rows[] = {
        {u"--dialect pic"_s, u"--model is missing. Valid values: --model 3470_5K"},
        {sensor + u" --model 3470_20K"_s,
         u"--model: '3470_20K' is not valid. Valid values: 3470_5K, 3470_10K, humidity (湿度)"},
        {thermistor + u" --rt x.csv"_s, u"each name the sensor: give one"},
        {sensor + u" --beta 3950"_s, u"--beta and --r25 come together"},
        {pic + u" --divider 1"_s, u"--pull is missing. Valid values: up, down"},
        {pic + u" --pull down"_s, u"--divider is missing"},
        {pic + u" --pull up --divider 输入阻值"_s,
         u"'输入阻值' is not valid (上或下拉电阻阻值输入错误)"},
        {pic + u" --pull up --divider -10000"_s,
         u"'-10000' is not valid: a divider of 0 Ω or less"},
        {u"--dialect pic --pull up --divider 0 --beta 3950 --r25 10000"_s,
         u"--divider: '0' is not valid: a divider of 0 Ω or less"},
        {thermistor + u" --bits 16"_s, u"--bits: '16' is not valid. Valid values: 8, 10, 12"},
        {thermistor + u" --from 0"_s, u"--from: only for --beta, --steinhart and --rt"},
        {sensor + u" --beta 0 --r25 10000"_s, u"--beta: '0' is not valid"},
        {sensor + u" --steinhart 1e-3,-2e-4,1e-7"_s, u"--steinhart: '1e-3,-2e-4,1e-7'"},
        {beta + u" --step 0"_s, u"--step: '0' is not valid"},
        {beta + u" --to -40"_s, u"--to: -40 °C lies below --from, -30 °C"},
        {beta + u" --step 0.001"_s, u"makes more than 10000 lines"},
        {sensor + u" --beta 3950 --r25 1e300 --from -200"_s,
         u"--beta: the resistance at -200 °C is beyond any number"},
        {sensor + u" --beta 3950 --r25 1e-300"_s,
         u"at -30 °C is 2.00203902446684E-299 Ω, which a line would show as 0 Ω"},
        {sensor + u" --beta 3950 --r25 1 --from 120 --to 150"_s, u"at 120 °C is 0.04"},
        {sensor + u" --rt bad.csv"_s, u"--rt: bad.csv line 3: expected a temperature"},
        {sensor + u" --rt short.csv"_s,
         u"--rt: short.csv: the table covers 0 to 50 °C; asked -30 to 70 °C. Valid values: a table "
         u"that spans --from to --to"},
        {sensor + u" --rt missing.csv"_s, u"cannot read missing.csv: "},
    };
    write_file(u"bad.csv"_s, "T,R\n0,32650\nzero,1\n");
    write_file(u"short.csv"_s, "0,32650\n50,3603\n");
    for (const auto& [arguments, message] : rows) {
        SCOPED_TRACE(arguments.toStdString());
        const CommandRun result = run(arguments);
        const QString expected = QString::fromUtf16(message);
        EXPECT_EQ(result.exit_status, expected.startsWith(u"cannot read"_s) ? 1 : 2);
        EXPECT_TRUE(result.errors.startsWith(u"brevik table sensor: "_s) &&
                    result.errors.contains(expected))
            << result.errors.toStdString();
        EXPECT_TRUE(result.output.isEmpty());
    }
}

// The β model gives the lines worked out by hand; the reading comes from the curve's exact
// resistance, 47.563 Ω at 100.5 °C: 376 of 4096, where the 48 Ω the comment shows reads 380.
// The window's names (湿度, 数组) name what the command line's do.
TEST_F(SensorCommandTest, TablesByTheWindowsNamesAndFromADatasheet) {
    const QString pic = u" --dialect pic --pull up --divider "_s;
    const std::pair<QString, QString> rows[] = {
        {u"--beta 3950 --r25 10000 --from 0 --to 25 --step 25"_s + pic + u"10000"_s,
         u"retlw 0x0C5;0电阻值=33621Ω\r\nretlw 0x080;1电阻值=10000Ω\r\n"
         u"β=3950,R25=10000Ω/0代表0℃;1代表25℃/上拉电阻=10000Ω\r\n\r\n"_s},
        {u"--beta 3950 --r25 10000 --from 25 --to 25 --bits 12"_s + pic + u"30000"_s,
         u"retlw 0x0400;0电阻值=10000Ω\r\n"_s},  // a quarter of the supply in 12 bits
        {u"--beta 3380 --r25 470 --bits 12 --from 100.5 --to 100.5 --dialect c --pull up "
         u"--divider 470"_s,
         u" 0x0178,/*0电阻值=48Ω*/\r\n"_s},
        {u"--model 湿度 --dialect 数组"_s, u" 0x06,/*湿度=0%"_s},
    };
    for (const auto& [arguments, start] : rows) {
        const QString output = decode_text(run(arguments).output);
        EXPECT_TRUE(output.startsWith(start)) << output.toStdString();
    }
    EXPECT_EQ(run(u"--model HUMIDITY --dialect C"_s).output,
              run(u"--model 湿度 --dialect 数组"_s).output);

    // A spreadsheet's "Unicode text": UTF-16 with its mark, tab-separated, decimal commas,
    // kilohms, the temperatures falling. It holds a built-in model's resistances and gives its
    // table.
    const WorkingTable ohms = working_table(SensorModel::k3470_10K);
    QString text = u"温度 (°C)\t阻值 (kΩ)\r\n"_s;
    for (int i = kLastTableIndex; i >= 0; --i) {
        text += QString::number(i - 30) + u'\t' +
                QString::number(ohms[i] / 1000.0, 'g', 10).replace(u'.', u',') + u"\r\n"_s;
    }
    write_file(u"3470_10K.txt"_s,
               QStringEncoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom)(text));
    const QString choices = u"--dialect c --pull up --divider 10000 --bits 12"_s;
    const CommandRun sheet = run(choices + u" --rt 3470_10K.txt"_s);
    EXPECT_EQ(sheet.errors, QString());
    EXPECT_EQ(sheet.output, run(choices + u" --model 3470_10K"_s).output);
}

// Readings a one-byte instruction cannot take: the table is written as the window writes it,
// and standard error names the lines once, with what to do about them.
TEST_F(SensorCommandTest, LinesTheInstructionCannotHoldAreNamedOnce) {
    const std::pair<QString, QString> rows[] = {
        {u"--model humidity --dialect pic"_s,
         u"lines 99-101 hold values above 255, which retlw cannot take; use --dialect c"_s},
        {u"--model 3470_10K --dialect emc --pull up --divider 10000 --bits 10"_s,
         u"lines 1-87 hold values above 255, which retl cannot take; use --dialect c, or --bits 8"_s},
        {u"--beta 3950 --r25 10000 --from 25 --to 25 --dialect a51 --pull up --divider 30000 "
         u"--bits 12"_s,
         u"line 1 hold values above 255, which DB cannot take; use --dialect c, or --bits 8"_s},
        {u"--model 3470_10K --dialect a51 --pull up --divider 10000"_s, {}},
    };
    for (const auto& [arguments, note] : rows) {
        SCOPED_TRACE(arguments.toStdString());
        const CommandRun result = run(arguments);
        EXPECT_EQ(result.exit_status, 0);
        EXPECT_EQ(result.errors,
                  note.isEmpty() ? note : u"brevik table sensor: warning: "_s + note + u'\n');
        EXPECT_FALSE(result.output.isEmpty());
    }
}

}  // namespace
