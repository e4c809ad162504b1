#include "tools/sensor/form/sensor_form.h"
#include "base/text_file.h"
#include "tests/support/form_test.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using Messages = std::vector<QString>;

class SensorFormTest : public FormTest<SensorForm> {
protected:
    bool drawn(const QString& image) { return find_control(m_form, image)->isVisible(); }
    QString output() { return text(u"输出窗口"_s); }
};

TEST_F(SensorFormTest, AFullTableIsSavedAsGbkText) {
    press(u"输出"_s);  // the divider box still asks for a resistance: no dialog
    EXPECT_EQ(m_host.messages, Messages{u"上或下拉电阻阻值输入错误"_s});
    // The wiring shown at load is where its list stands: one step up is 上拉.
    EXPECT_TRUE(drawn(u"Image2"_s));
    QTest::keyClick(control<ComboBox>(m_form, u"分压电阻"_s), Qt::Key_Up);
    EXPECT_TRUE(drawn(u"Image1"_s) && !drawn(u"Image2"_s));

    QTemporaryDir dir;
    choose(u"型号"_s, u"3470_10K"_s);
    retype(box(u"分压电阻阻值"_s), u"10000"_s);
    m_host.answer_dialog(dir.filePath(u"3470_10K.txt"_s));
    press(u"输出"_s);
    ASSERT_EQ(m_host.dialogs.size(), 1u);
    QFile file(dir.filePath(u"3470_10K.txt"_s));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), encode_text(output()) + "\r\n");
    EXPECT_EQ(split_lines(output()).value(101), u"3470_10K/0代表-30℃;100代表70℃/上拉电阻=10000Ω"_s);

    // A file that cannot be written is reported; the table stays on screen.
    const QString table = output();
    m_host.answer_dialog(dir.filePath(u"missing/table.txt"_s));
    press(u"输出"_s);
    ASSERT_EQ(m_host.messages.size(), 2u);
    EXPECT_TRUE(m_host.messages[1].contains(u"table.txt"_s));
    EXPECT_EQ(output(), table);

    // Humidity needs neither box nor drawing; 10 bits reach the table.
    choose(u"型号"_s, u"湿度"_s);
    EXPECT_FALSE(box(u"分压电阻阻值"_s)->isEnabled() || box(u"输入"_s)->isEnabled());
    EXPECT_FALSE(drawn(u"Image1"_s) || drawn(u"Image2"_s));
    press(u"10位"_s);
    m_host.answer_dialog(std::nullopt);
    press(u"输出"_s);
    EXPECT_EQ(m_host.dialogs.back().options.file_name, u"湿度"_s);
    EXPECT_EQ(split_lines(output()).value(0), u"retlw 0x018;湿度=0%电压=0.116279069767442V"_s);
    choose(u"型号"_s, u"3470_5K"_s);
    EXPECT_TRUE(box(u"分压电阻阻值"_s)->isEnabled() && drawn(u"Image1"_s));
}

TEST_F(SensorFormTest, OtherModelLinesGatherUntilCleared) {
    choose(u"型号"_s, u"其他型号"_s);
    choose(u"分压电阻"_s, u"上拉"_s);
    retype(box(u"分压电阻阻值"_s), u"10000"_s);
    const auto enter = [&](const QString& ohms) {
        retype(box(u"输入"_s), ohms);
        press(u"输出"_s);  // never a dialog
    };
    enter(u"12000"_s);
    enter(u"11000"_s);
    enter(u"abc"_s);
    const QString two_lines = u"retlw 0x08C;0电阻值=12000Ω\r\nretlw 0x086;1电阻值=11000Ω\r\n"_s;
    EXPECT_EQ(output(), two_lines);
    choose(u"型号"_s, u"湿度"_s);
    EXPECT_FALSE(box(u"输入"_s)->isEnabled());

    type(control<ComboBox>(m_form, u"型号"_s), u"x"_s);
    press(u"输出"_s);  // no model: nothing happens
    EXPECT_EQ(output(), two_lines);
    choose(u"型号"_s, u"其他型号"_s);

    press(u"清除"_s);
    EXPECT_EQ(output(), QString());
    type(control<ComboBox>(m_form, u"类型"_s), u"x"_s);
    enter(u"12000"_s);
    EXPECT_EQ(output(), u"retlw 8C0电阻值=12000Ω\r\n"_s);
    EXPECT_EQ(m_host.messages,
              Messages({u"输入错误"_s, u"只能在列表里选择型号"_s, u"只能在列表里选择型号"_s}));
}

}  // namespace
