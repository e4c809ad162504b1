#include "tools/sensor/cli/sensor_command.h"
#include "shell/cli/command_kit.h"
#include "shell/host/text_file.h"
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
         u"--divider: '-10000' gives no reading (输入错误)"_s},
        {thermistor + u" --bits 16"_s, 2, u"--bits: '16' is not valid. Valid values: 8, 10, 12"_s},
        {thermistor + u" --from 0"_s, 2, u"--from: only for --beta, --steinhart and --rt"_s},
        {sensor + u" --beta 0 --r25 10000"_s, 2, u"--beta: '0' is not valid"_s},
        {sensor + u" --steinhart 1e-3,-2e-4,1e-7"_s, 2, u"--steinhart: '1e-3,-2e-4,1e-7'"_s},
        {beta + u" --step 0"_s, 2, u"--step: '0' is not valid"_s},
        {beta + u" --to -40"_s, 2, u"--to: -40 °C lies below --from, -30 °C"_s},
        {beta + u" --step 0.001"_s, 2, u"makes more than 10000 lines"_s},
        {sensor + u" --beta 3950 --r25 1e9 --from -200"_s, 2,
         u"--beta: the resistance at -200 °C is beyond 2147483647 Ω"_s},
        {sensor + u" --rt bad.csv"_s, 2, u"--rt: bad.csv line 3: expected a temperature"_s},
        {sensor + u" --rt short.csv"_s, 2,
         u"--rt: short.csv runs from 0 to 50 °C; no resistance for -30 to -1 °C and 51 to 70 °C"_s},
        {sensor + u" --rt missing.csv"_s, 1, u"cannot read missing.csv: "_s},
        {u"--model 3470_5K --dialect pic --pull up --divider 10000 --letters ABCDEFG"_s, 2,
         u"Unknown option --letters. Valid options: --model"_s},
    };
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    write_file(path(u"bad.csv"_s), "T,R\n0,32650\nzero,1\n");
    write_file(path(u"short.csv"_s), "0,32650\n50,3603\n");
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
        EXPECT_EQ(datasheet.errors, QString());
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

}  // namespace
