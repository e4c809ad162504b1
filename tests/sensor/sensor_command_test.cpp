#include "tools/sensor/cli/sensor_command.h"
#include "base/text_file.h"
#include "shell/cli/command_kit.h"
#include "tests/support/qt_printers.h"
#include "tools/sensor/core/sensor_model.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

void write_file(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

CommandRun run(const QString& arguments) {
    return run_command({sensor_table_command()},
                       (u"table sensor "_s + arguments).split(u' ', Qt::SkipEmptyParts));
}

class SensorCommandTest : public testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

// Each refusal of the sensor options names the option and its valid values, exits with 2 and
// writes nothing; a datasheet file that cannot be read exits with 1.
TEST_F(SensorCommandTest, RefusedOptions) {
    const QString sensor = u"--dialect pic --pull up --divider 10000"_s;
    const QString thermistor = sensor + u" --model 3470_10K"_s;
    const QString beta = sensor + u" --beta 3950 --r25 10000"_s;
    const struct {
        QString arguments;
        int status;
        QString message;
    } rows[] = {
        {u"--dialect pic"_s, 2, u"--model is missing. Valid values: --model 3470_5K"_s},
        {sensor + u" --model 3470_20K"_s, 2,
         u"--model: '3470_20K' is not valid. Valid values: 3470_5K, 3470_10K, humidity (湿度)"_s},
        {thermistor + u" --rt x.csv"_s, 2, u"each name the sensor: give one"_s},
        {sensor + u" --beta 3950"_s, 2, u"--beta and --r25 come together"_s},
        {u"--model 3470_5K --dialect pic --divider 1"_s, 2,
         u"--pull is missing. Valid values: up, down"_s},
        {u"--model 3470_5K --dialect pic --pull down"_s, 2, u"--divider is missing"_s},
        {u"--model 3470_5K --dialect pic --pull up --divider 输入阻值"_s, 2,
         u"--divider: '输入阻值' is not valid (上或下拉电阻阻值输入错误)"_s},
        {u"--model 3470_10K --dialect pic --pull up --divider -10000"_s, 2,
         u"--divider: '-10000' is not valid: a divider of 0 Ω or less gives no reading"_s},
        {u"--dialect pic --pull up --divider 0 --beta 3950 --r25 10000"_s, 2,
         u"--divider: '0' is not valid: a divider of 0 Ω or less"_s},
        {thermistor + u" --bits 16"_s, 2, u"--bits: '16' is not valid. Valid values: 8, 10, 12"_s},
        {thermistor + u" --from 0"_s, 2, u"--from: only for --beta, --steinhart and --rt"_s},
        {sensor + u" --beta 0 --r25 10000"_s, 2, u"--beta: '0' is not valid"_s},
        {sensor + u" --steinhart 1e-3,-2e-4,1e-7"_s, 2, u"--steinhart: '1e-3,-2e-4,1e-7'"_s},
        {beta + u" --step 0"_s, 2, u"--step: '0' is not valid"_s},
        {beta + u" --to -40"_s, 2, u"--to: -40 °C lies below --from, -30 °C"_s},
        {beta + u" --step 0.001"_s, 2, u"makes more than 10000 lines"_s},
        {sensor + u" --beta 3950 --r25 1e300 --from -200"_s, 2,
         u"--beta: the resistance at -200 °C is beyond any number"_s},
        {sensor + u" --beta 3950 --r25 1e-300"_s, 2,
         u"--beta: the resistance at -30 °C is 2.00203902446684E-299 Ω, which a line would show as "
         u"0 Ω"_s},
        {sensor + u" --beta 3950 --r25 1 --from 120 --to 150"_s, 2,
         u"--beta: the resistance at 120 °C is 0.04"_s},
        {sensor + u" --rt falling.csv"_s, 2, u"falling.csv line 3: the temperatures fall, then"_s},
        {sensor + u" --rt bad.csv"_s, 2, u"--rt: bad.csv line 3: expected a temperature"_s},
        {sensor + u" --rt short.csv"_s, 2,
         u"--rt: short.csv: the table covers 0 to 50 °C; asked -30 to 70 °C. Valid values: a "
         u"table that spans --from to --to"_s},
        {sensor + u" --rt short.csv --from 130 --to 130"_s, 2,
         u"--rt: short.csv: the table covers 0 to 50 °C; asked 130 °C"_s},
        {sensor + u" --rt missing.csv"_s, 1, u"cannot read missing.csv: "_s},
        {u"--model 3470_5K --dialect pic --pull up --divider 10000 --letters ABCDEFG"_s, 2,
         u"Unknown option --letters. Valid options: --model"_s},
    };
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    write_file(path(u"bad.csv"_s), "T,R\n0,32650\nzero,1\n");
    write_file(path(u"short.csv"_s), "0,32650\n50,3603\n");
    write_file(path(u"falling.csv"_s), "50,3603\n0,32650\n25,10000\n");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments.toStdString());
        const CommandRun result = run(row.arguments);
        EXPECT_EQ(result.exit_status, row.status);
        EXPECT_TRUE(result.errors.startsWith(u"brevik table sensor: "_s) &&
                    result.errors.contains(row.message))
            << result.errors.toStdString();
        EXPECT_TRUE(result.output.isEmpty());
    }
}

// The window's names (湿度, 数组) and the file that -o writes, the same bytes as standard output.
TEST_F(SensorCommandTest, TheWindowsNamesAndTheFile) {
    const QString table = u"--model 湿度 --dialect 数组"_s;
    const CommandRun to_stdout = run(table);
    EXPECT_TRUE(to_stdout.output.startsWith(" 0x06,/*\xCA\xAA\xB6\xC8=0%"));
    EXPECT_EQ(run(u"--model HUMIDITY --dialect C"_s).output, to_stdout.output);
    EXPECT_EQ(run(table + u" -o "_s + path(u"table.txt"_s)).exit_status, 0);
    QFile file(path(u"table.txt"_s));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), to_stdout.output);
}

// A datasheet table holding a built-in model's resistances, under the model's name, gives the
// model's own table byte for byte; the β model gives the lines worked out by hand.
TEST_F(SensorCommandTest, ThermistorsFromTheirDatasheet) {
    const SensorModel models[] = {SensorModel::k3470_5K, SensorModel::k3470_10K};
    for (const SensorModel model : models) {
        const QString name = model_name(model);
        SCOPED_TRACE(name.toStdString());
        const WorkingTable ohms = working_table(model);
        QByteArray rt = "\xEF\xBB\xBF\xE2\x84\x83;\xCE\xA9\r\n";
        for (int i = 0; i <= kLastTableIndex; ++i) {
            rt += QByteArray::number(i - 30) + ';' + QByteArray::number(ohms[i]) + "\r\n";
        }
        write_file(path(name + u".csv"_s), rt);
        const QString choices = u"--dialect a51 --pull down --divider 4700 --bits 10"_s;
        const CommandRun built_in = run(choices + u" --model "_s + name);
        const CommandRun datasheet = run(choices + u" --rt "_s + path(name + u".csv"_s));
        EXPECT_EQ(datasheet.errors, built_in.errors);
        EXPECT_EQ(datasheet.output, built_in.output);
        EXPECT_EQ(split_lines(decode_text(datasheet.output)).size(), 103);  // and the file's end
    }

    const CommandRun beta =
        run(u"--beta 3950 --r25 10000 --from 0 --to 25 "
            u"--step 25 --dialect pic --pull up --divider 10000"_s);
    EXPECT_EQ(decode_text(beta.output),
              u"retlw 0x0C5;0电阻值=33621Ω\r\nretlw 0x080;1电阻值=10000Ω\r\n"
              u"β=3950,R25=10000Ω/0代表0℃;1代表25℃/上拉电阻=10000Ω\r\n\r\n"_s);
    // A quarter of the supply in 12 bits.
    const CommandRun twelve_bits =
        run(u"--beta 3950 --r25 10000 --from 25 --to 25 --dialect pic --pull up "
            u"--divider 30000 --bits 12"_s);
    EXPECT_TRUE(decode_text(twelve_bits.output).startsWith(u"retlw 0x0400;0电阻值=10000Ω\r\n"_s));
}

// A spreadsheet's "Unicode text": UTF-16 with its mark, tab-separated, decimal commas, kilohms,
// the temperatures falling. It holds a built-in model's resistances and gives its table.
TEST_F(SensorCommandTest, ADatasheetAsASpreadsheetSavesIt) {
    const WorkingTable ohms = working_table(SensorModel::k3470_10K);
    QString text = u"温度 (°C)\t阻值 (kΩ)\r\n"_s;
    for (int i = kLastTableIndex; i >= 0; --i) {
        text += QString::number(i - 30) + u'\t' +
                QString::number(ohms[i] / 1000.0, 'g', 10).replace(u'.', u',') + u"\r\n"_s;
    }
    QByteArray bytes("\xFF\xFE");
    for (const QChar c : text) {
        bytes += char(c.unicode() & 0xFF);
        bytes += char(c.unicode() >> 8);
    }
    write_file(path(u"3470_10K.txt"_s), bytes);
    const QString choices = u"--dialect c --pull up --divider 10000 --bits 12"_s;
    const CommandRun built_in = run(choices + u" --model 3470_10K"_s);
    const CommandRun sheet = run(choices + u" --rt "_s + path(u"3470_10K.txt"_s));
    EXPECT_EQ(sheet.errors, QString());
    EXPECT_EQ(sheet.output, built_in.output);
}

// Readings a one-byte instruction cannot take: the table is written as the window writes it,
// and standard error names the lines once, with what to do about them.
TEST_F(SensorCommandTest, LinesTheInstructionCannotHoldAreNamedOnce) {
    const struct {
        QString arguments;
        QString notes;
    } rows[] = {
        {u"--model humidity --dialect pic"_s,
         u"brevik table sensor: warning: lines 99-101 hold values above 255, which retlw cannot "
         u"take; use --dialect c\n"_s},
        {u"--model 3470_10K --dialect emc --pull up --divider 10000 --bits 10"_s,
         u"brevik table sensor: warning: lines 1-87 hold values above 255, which retl cannot "
         u"take; use --dialect c, or --bits 8\n"_s},
        {u"--beta 3950 --r25 10000 --from 25 --to 25 --dialect a51 --pull up --divider 30000 "
         u"--bits 12"_s,
         u"brevik table sensor: warning: line 1 hold values above 255, which DB cannot take; use "
         u"--dialect c, or --bits 8\n"_s},
        {u"--model 3470_10K --dialect c --pull up --divider 10000 --bits 12"_s, {}},
        {u"--model 3470_10K --dialect a51 --pull up --divider 10000"_s, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments.toStdString());
        const CommandRun result = run(row.arguments);
        EXPECT_EQ(result.exit_status, 0);
        EXPECT_EQ(result.errors, row.notes);
        EXPECT_FALSE(result.output.isEmpty());
    }
}

// The reading comes from the curve's exact resistance, 47.563 Ω here: 376 of 4096, where the
// 48 Ω the comment shows would read 380.
TEST_F(SensorCommandTest, ACurveReadsFromItsExactResistance) {
    const CommandRun small =
        run(u"--beta 3380 --r25 470 --dialect c --pull up --divider 470 --bits 12 --from 100.5 "
            u"--to 100.5"_s);
    EXPECT_EQ(small.exit_status, 0);
    EXPECT_TRUE(decode_text(small.output).startsWith(u" 0x0178,/*0电阻值=48Ω*/\r\n"_s))
        << decode_text(small.output).toStdString();
}

}  // namespace
