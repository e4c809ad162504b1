#include "app/table_command.h"
#include "tests/support/form_test.h"
#include "tools/segment/form/segment_form.h"
#include "tools/sensor/form/sensor_form.h"

#include <QAbstractItemView>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

using namespace Qt::StringLiterals;

namespace {

void choose(QWidget* form, const QString& name, const QString& item) {
    auto* combo = control<ComboBox>(form, name);
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    const QModelIndex index = list->model()->index(combo->findText(item), 0);
    ASSERT_TRUE(index.isValid()) << item.toStdString();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
}

// What the window saved through the scripted host's dialog, as the user would find it.
QByteArray saved_file(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(nothing saved)");
}

QByteArray command_output(const QString& arguments) {
    const TableCommandResult result = run_table_command(arguments.split(u' '));
    EXPECT_EQ(result.exit_status, 0) << result.errors.toStdString();
    return result.output;
}

struct DialectName {
    const char16_t* window;
    const char* option;
};
constexpr DialectName kDialects[] = {
    {u"PIC", "pic"}, {u"A51", "a51"}, {u"数组", "c"}, {u"EMC", "emc"}};

class SegmentTableTest : public FormTest<SegmentForm> {};
class SensorTableTest : public FormTest<SensorForm> {};

// The buttons of the drawn segments in the order --letters names them.
const QStringList kSegmentButtons = {u"Command7"_s,  u"Command9"_s, u"Command13"_s, u"Command12"_s,
                                     u"Command11"_s, u"Command8"_s, u"Command10"_s};

TEST_F(SegmentTableTest, ConvertAllSavesWhatTheCommandLineWrites) {
    struct Lettering {
        const char* bits;  // A to H; empty: as at load
        const char* letters;
    };
    constexpr Lettering kLetterings[] = {{"", "ABCDEFG"}, {"03456712", "BCDEFGA"}};
    QTemporaryDir dir;
    int run = 0;
    for (const Lettering& lettering : kLetterings) {
        for (const bool cathode : {false, true}) {
            for (const DialectName& dialect : kDialects) {
                QString arguments = u"segment --dialect %1 --common %2 --letters %3"_s.arg(
                    QLatin1String(dialect.option), cathode ? u"cathode"_s : u"anode"_s,
                    QLatin1String(lettering.letters));
                reopen();
                if (*lettering.bits) {
                    arguments += u" --bits "_s;
                    for (int letter = 0; letter < 8; ++letter) {
                        const QString bit(QChar(lettering.bits[letter]));
                        retype(control<TextBox>(m_form, u"SEG_"_s + QChar(u'A' + letter)), bit);
                        arguments += u"%1%2=%3"_s.arg(letter ? u","_s : QString(),
                                                      QChar(u'A' + letter), bit);
                    }
                    // The segments lettered in letter order: A first.
                    for (char letter = 'A'; letter <= 'G'; ++letter) {
                        const auto position =
                            std::strchr(lettering.letters, letter) - lettering.letters;
                        click(control<QPushButton>(m_form, kSegmentButtons[position]));
                    }
                }
                SCOPED_TRACE(arguments.toStdString());
                choose(m_form, u"Combo1"_s, QString::fromUtf16(dialect.window));
                if (cathode) {
                    click(control<QPushButton>(m_form, u"显示方式"_s));
                }
                const QString path = dir.filePath(QString::number(++run));
                m_host.answer_dialog(path);
                click(control<QPushButton>(m_form, u"全部转换"_s));
                EXPECT_EQ(saved_file(path), command_output(arguments));
            }
        }
    }
    EXPECT_TRUE(m_host.messages.empty());
}

TEST_F(SensorTableTest, OutputSavesWhatTheCommandLineWrites) {
    struct Model {
        const char16_t* window;
        const char* option;
    };
    constexpr Model kModels[] = {
        {u"3470_5K", "3470_5K"}, {u"3470_10K", "3470_10K"}, {u"湿度", "humidity"}};
    QTemporaryDir dir;
    int run = 0;
    retype(control<TextBox>(m_form, u"Text6"_s), u"4700"_s);
    for (const Model& model : kModels) {
        choose(m_form, u"Combo2"_s, QString::fromUtf16(model.window));
        for (const DialectName& dialect : kDialects) {
            choose(m_form, u"Combo3"_s, QString::fromUtf16(dialect.window));
            for (const bool pull_up : {false, true}) {
                choose(m_form, u"Combo4"_s, pull_up ? u"上拉"_s : u"下拉"_s);
                for (const bool ten_bits : {false, true}) {
                    click(control<QRadioButton>(m_form, ten_bits ? u"10位"_s : u"8位"_s));
                    const QString arguments =
                        u"sensor --model %1 --dialect %2 --pull %3 --divider 4700 --bits %4"_s.arg(
                            QLatin1String(model.option), QLatin1String(dialect.option),
                            pull_up ? u"up"_s : u"down"_s, ten_bits ? u"10"_s : u"8"_s);
                    SCOPED_TRACE(arguments.toStdString());
                    const QString path = dir.filePath(QString::number(++run));
                    m_host.answer_dialog(path);
                    click(control<QPushButton>(m_form, u"Command65"_s));  // 输出
                    EXPECT_EQ(saved_file(path), command_output(arguments));
                }
            }
        }
    }
    EXPECT_TRUE(m_host.messages.empty());
}

}  // namespace
