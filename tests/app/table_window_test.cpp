#include "shell/cli/command_kit.h"
#include "tests/support/form_test.h"
#include "tools/segment/cli/segment_command.h"
#include "tools/segment/form/segment_form.h"
#include "tools/sensor/cli/sensor_command.h"
#include "tools/sensor/form/sensor_form.h"

#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

// Every choice made in the window and on the command line: the window's file, saved through the
// scripted host's dialog, and the command's output are the same bytes.
template <typename Window>
class TableWindowTest : public FormTest<Window> {
protected:
    void expect_saved_as_command(const QString& button, const QString& arguments) {
        SCOPED_TRACE(arguments.toStdString());
        const QString path = m_dir.filePath(u"table.txt"_s);
        this->m_host.answer_dialog(path);
        this->press(button);
        QFile saved(path);
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        const CommandRun result = run_command({segment_table_command(), sensor_table_command()},
                                              (u"table "_s + arguments).split(u' '));
        // Standard error may name lines too wide for the instruction; the bytes are the same.
        EXPECT_EQ(result.exit_status, 0) << result.errors.toStdString();
        EXPECT_EQ(saved.readAll(), result.output);
    }

    QTemporaryDir m_dir;
};

const std::pair<QString, QString> kDialects[] = {
    {u"PIC"_s, u"pic"_s}, {u"A51"_s, u"a51"_s}, {u"数组"_s, u"c"_s}, {u"EMC"_s, u"emc"_s}};

using SegmentTableTest = TableWindowTest<SegmentForm>;
using SensorTableTest = TableWindowTest<SensorForm>;

TEST_F(SegmentTableTest, ConvertAllSavesWhatTheCommandLineWrites) {
    // The buttons of the drawn segments in the order --letters names them.
    const QStringList buttons = {u"Command7"_s,  u"Command9"_s, u"Command13"_s, u"Command12"_s,
                                 u"Command11"_s, u"Command8"_s, u"Command10"_s};
    // The bits typed for A to H (none: the window's own) and the letters of the segments.
    const std::pair<QString, QString> letterings[] = {{{}, u"ABCDEFG"_s},
                                                      {u"03456712"_s, u"BCDEFGA"_s}};
    for (const auto& [bits, letters] : letterings) {
        for (const QString& common : {u"anode"_s, u"cathode"_s}) {
            for (const auto& [window_dialect, dialect] : kDialects) {
                reopen();
                QString command = u"segment --dialect %1 --common %2 --letters %3"_s.arg(
                    dialect, common, letters);
                for (int letter = 0; letter < bits.size(); ++letter) {
                    const QString name = QChar(u'A' + letter);
                    retype(control<TextBox>(m_form, u"SEG_"_s + name), bits.sliced(letter, 1));
                    command += (letter ? u","_s : u" --bits "_s) + name + u'=' + bits[letter];
                }
                // The segments lettered in letter order: A first.
                for (int letter = 0; letter < 7 && !bits.isEmpty(); ++letter) {
                    press(buttons[letters.indexOf(QChar(u'A' + letter))]);
                }
                choose(u"Combo1"_s, window_dialect);
                if (common == u"cathode") {
                    press(u"显示方式"_s);
                }
                expect_saved_as_command(u"全部转换"_s, command);
            }
        }
    }
}

TEST_F(SensorTableTest, OutputSavesWhatTheCommandLineWrites) {
    retype(control<TextBox>(m_form, u"Text6"_s), u"4700"_s);
    for (const QString& model : {u"3470_5K"_s, u"3470_10K"_s, u"湿度"_s}) {
        choose(u"Combo2"_s, model);
        for (const auto& [window_dialect, dialect] : kDialects) {
            choose(u"Combo3"_s, window_dialect);
            for (const QString& pull : {u"up"_s, u"down"_s}) {
                choose(u"Combo4"_s, pull == u"up" ? u"上拉"_s : u"下拉"_s);
                for (const QString& bits : {u"8"_s, u"10"_s}) {
                    press(bits == u"8" ? u"Option3"_s : u"Option4"_s);
                    expect_saved_as_command(
                        u"Command65"_s,  // 输出
                        u"sensor --model %1 --dialect %2 --pull %3 --divider 4700 --bits %4"_s.arg(
                            model == u"湿度" ? u"humidity"_s : model, dialect, pull, bits));
                }
            }
        }
    }
}

}  // namespace
