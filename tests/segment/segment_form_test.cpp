#include "tools/segment/form/segment_form.h"
#include "shell/host/text_file.h"
#include "tests/support/form_test.h"

#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

const QString kPattern = u"你没选择码型"_s;
const QString kBits = u"你的段位与比特位对应有问题！"_s;
using Messages = std::vector<QString>;

// The segment buttons in the order that letters them A to G as at load.
const QStringList kStandardOrder = {u"Command7"_s,  u"Command9"_s, u"Command13"_s, u"Command12"_s,
                                    u"Command11"_s, u"Command8"_s, u"Command10"_s};

class SegmentFormTest : public FormTest<SegmentForm> {
protected:
    TextBox* box(const QString& name) { return control<TextBox>(m_form, name); }
    void press(const QString& name, int times = 1) {
        for (int i = 0; i < times; ++i) {
            click(control<QPushButton>(m_form, name));
        }
    }
    void letter() {
        for (const QString& name : kStandardOrder) {
            press(name);
        }
    }
    QStringList shown() { return split_lines(box(u"文本框"_s)->text()); }
    QStringList captions() {
        QStringList texts;
        for (const QString& name : kStandardOrder) {
            texts << control<QPushButton>(m_form, name)->text();
        }
        return texts;
    }
};

// Right after load, "全部转换" offers the table for saving; the file is the box text and CR LF.
TEST_F(SegmentFormTest, ConvertAllSavesTheTable) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"七段码查询.txt"_s);
    m_host.answer_dialog(path);
    press(u"全部转换"_s);
    ASSERT_EQ(m_host.dialogs.size(), 1u);
    const FileDialogOptions& dialog = m_host.dialogs[0].options;
    EXPECT_EQ(
        QStringList({dialog.title, dialog.filter, dialog.default_extension, dialog.file_name}),
        QStringList({u"保存文件"_s, u"文本文件（*.TXT）|*.txt|所有文件（*.*）|*.*"_s, u".txt"_s,
                     u"七段码查询"_s}));
    const QStringList table = shown();
    ASSERT_EQ(table.size(), 26);
    EXPECT_EQ(table.first(), u"retlw  0x03;0"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), (table.join(u"\r\n"_s) + u"\r\n\r\n"_s).toLatin1());

    // A cancelled dialog or a file that cannot be written leaves the table on screen.
    const QString unwritable = dir.filePath(u"missing/table.txt"_s);
    for (const auto& answer : {std::optional<QString>(), std::optional(unwritable)}) {
        m_host.answer_dialog(answer);
        press(u"全部转换"_s);
        EXPECT_EQ(shown(), table);
    }
    ASSERT_EQ(m_host.messages.size(), 1u);
    EXPECT_TRUE(m_host.messages[0].contains(u"table.txt"_s));
}

// A changed bit box clears the lettering and the table; a refused one is emptied. Convert all
// then reports each failed check, empties the box and offers no file.
TEST_F(SegmentFormTest, BitEntryResetsTheLetteringAndTheChecksGuardTheTable) {
    const struct {
        const char16_t* box;
        const char16_t* text;
        Messages messages;
    } cases[] = {
        {u"SEG_C", u"8", {u"输入错误"_s, kPattern, kBits}},  // emptied: C reads 0, as H does
        {u"SEG_C", u"-3", {kPattern}},
        {u"SEG_B", u"7", {kPattern, kBits}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.text).toStdString());
        reopen();
        m_host.messages.clear();
        press(u"单步转换"_s);
        retype(box(QString::fromUtf16(c.box)), QString::fromUtf16(c.text));
        EXPECT_EQ(captions(), QStringList(7, QString()));
        EXPECT_TRUE(shown().isEmpty());
        press(u"全部转换"_s);
        EXPECT_EQ(m_host.messages, c.messages);
        EXPECT_TRUE(shown().isEmpty());
    }
    EXPECT_EQ(box(u"SEG_B"_s)->text(), u"7"_s);
}

TEST_F(SegmentFormTest, SegmentClicksLetterTheDigit) {
    press(u"单步转换"_s);
    press(u"Command7"_s);  // the counter stands at 7 after load: this click clears
    EXPECT_EQ(captions(), QStringList(7, QString()));
    EXPECT_TRUE(shown().isEmpty());
    letter();
    EXPECT_EQ(captions(), QStringList({u"A"_s, u"B"_s, u"C"_s, u"D"_s, u"E"_s, u"F"_s, u"G"_s}));
    press(u"单步转换"_s);
    EXPECT_EQ(shown(), QStringList({u"retlw  0x03;0"_s, u"--------------"_s}));
}

// Steps move on through failed checks and start again after a reset.
TEST_F(SegmentFormTest, SingleStepsCountOnAndResetsStartThemAgain) {
    press(u"Command7"_s);
    press(u"单步转换"_s, 3);
    EXPECT_EQ(m_host.messages, Messages(3, kPattern));
    letter();
    press(u"单步转换"_s);
    EXPECT_EQ(shown().size(), 5);
    for (const QString& reset : {u"清除"_s, u"显示方式"_s}) {
        press(u"单步转换"_s, 2);
        press(reset);
        EXPECT_TRUE(shown().isEmpty());
        press(u"单步转换"_s);
        EXPECT_EQ(shown().size(), 2);
    }
    EXPECT_EQ(box(u"Text5"_s)->text(), u"共阴"_s);
    EXPECT_EQ(shown().first(), u"retlw  0xFC;0"_s);
}

TEST_F(SegmentFormTest, TheDialectListRefusesEdits) {
    auto* dialects = control<ComboBox>(m_form, u"Combo1"_s);
    type(dialects, u"x"_s);
    EXPECT_EQ(dialects->text(), QString());
    EXPECT_EQ(m_host.messages, Messages{u"只能在列表里选择型号"_s});
    press(u"单步转换"_s);
    EXPECT_EQ(shown().first(), u"  30"_s);
}

}  // namespace
