#include "tools/segment/form/segment_form.h"
#include "base/text_file.h"
#include "tests/support/form_test.h"

#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

// The segment buttons bear no caption of their own, only the letter they were given: these
// are the top, upper right, lower right, bottom, lower left, upper left and middle.
const QStringList kSegments = {u"Command7"_s,  u"Command9"_s, u"Command13"_s, u"Command12"_s,
                               u"Command11"_s, u"Command8"_s, u"Command10"_s};

class SegmentFormTest : public FormTest<SegmentForm> {
protected:
    QStringList shown() { return split_lines(text(u"输出"_s)); }
    QString letters() {
        QString captions;
        for (const QString& segment : kSegments) {
            captions += button(segment)->text();
        }
        return captions;
    }
};

// Right after load "全部转换" offers the table for saving. Single steps show one more entry each
// and start again after a reset; a changed bit clears the lettering, which clicks on the digit
// give again; the checks empty the box with their messages.
TEST_F(SegmentFormTest, ConvertsSavesAndStepsThroughTheTable) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"七段码查询.txt"_s);
    m_host.answer_dialog(path);
    press(u"全部转换"_s);
    EXPECT_EQ(m_host.dialogs.at(0).options.file_name, u"七段码查询"_s);
    const QStringList table = shown();
    ASSERT_EQ(table.size(), 26);
    EXPECT_EQ(table.first(), u"retlw  0x03;0"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), (table.join(u"\r\n"_s) + u"\r\n\r\n"_s).toLatin1());

    press(u"单步转换"_s, 2);
    EXPECT_EQ(shown(), QStringList({u"retlw  0x03;0"_s, u"retlw  0x9F;1"_s, u"--------------"_s}));
    press(u"显示方式"_s);
    EXPECT_EQ(text(u"显示方式"_s), u"共阴"_s);
    EXPECT_TRUE(shown().isEmpty());
    press(u"单步转换"_s);
    EXPECT_EQ(shown().first(), u"retlw  0xFC;0"_s);

    retype(box(u"C 比特"_s), u"8"_s);  // refused and emptied: C then reads 0, as H does
    EXPECT_EQ(text(u"C 比特"_s) + letters(), QString());
    EXPECT_TRUE(shown().isEmpty());
    press(u"全部转换"_s);  // refused: no save dialog
    EXPECT_EQ(m_host.messages,
              std::vector({u"输入错误"_s, u"你没选择码型"_s, u"你的段位与比特位对应有问题！"_s}));
    EXPECT_TRUE(shown().isEmpty());

    retype(box(u"C 比特"_s), u"5"_s);
    for (const QString& segment : kSegments) {
        click(button(segment));
    }
    EXPECT_EQ(letters(), u"ABCDEFG"_s);
    click(button(u"Command7"_s));  // an eighth click clears
    EXPECT_EQ(letters(), QString());
    type(control<ComboBox>(m_form, u"输出方式"_s), u"x"_s);
    press(u"单步转换"_s);
    EXPECT_EQ(m_host.messages.end()[-2], u"只能在列表里选择型号"_s);
    EXPECT_EQ(m_host.messages.back(), u"你没选择码型"_s);
    EXPECT_EQ(shown(), QStringList());
}

}  // namespace
