#include "tools/segment/form/segment_form.h"
#include "shell/host/text_file.h"
#include "tests/support/form_test.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

const QString kDash = u"--------------"_s;
const QString kPattern = u"你没选择码型"_s;
const QString kBits = u"你的段位与比特位对应有问题！"_s;
using Messages = std::vector<QString>;

// Label, common-cathode and common-anode code of every character with the load mapping.
const char* const kCodes[][3] = {
    {"0", "FC", "03"}, {"1", "60", "9F"}, {"2", "DA", "25"}, {"3", "F2", "0D"}, {"4", "66", "99"},
    {"5", "B6", "49"}, {"6", "BE", "41"}, {"7", "E0", "1F"}, {"8", "FE", "01"}, {"9", "F6", "09"},
    {"A", "EE", "11"}, {"b", "3E", "C1"}, {"C", "1A", "E5"}, {"d", "7A", "85"}, {"E", "9E", "61"},
    {"F", "8E", "71"}, {"h", "2E", "D1"}, {"H", "6E", "91"}, {"o", "3A", "C5"}, {"p", "CE", "31"},
    {"L", "1C", "E3"}, {"r", "0A", "F5"}, {"y", "76", "89"}, {"-", "02", "FD"}, {"_", "10", "EF"},
};

QStringList pic_lines(int column) {
    QStringList lines;
    for (const auto& code : kCodes) {
        lines << u"retlw  0x%1;%2"_s.arg(QLatin1String(code[column]), QLatin1String(code[0]));
    }
    return lines << kDash;
}

// The segment buttons in the order that letters them A to G as at load.
const QStringList kStandardOrder = {u"Command7"_s,  u"Command9"_s, u"Command13"_s, u"Command12"_s,
                                    u"Command11"_s, u"Command8"_s, u"Command10"_s};

class SegmentFormTest : public FormTest<SegmentForm> {
protected:
    TextBox* box(const QString& name) { return control<TextBox>(m_form, name); }
    ComboBox* combo() { return control<ComboBox>(m_form, u"Combo1"_s); }
    void press(const QString& name, int times = 1) {
        for (int i = 0; i < times; ++i) {
            click(control<QPushButton>(m_form, name));
        }
    }
    void letter(const QStringList& buttons = kStandardOrder) {
        for (const QString& name : buttons) {
            press(name);
        }
    }
    QStringList shown() { return split_lines(box(u"文本框"_s)->text()); }
    QStringList captions() {  // Command7 to Command13
        QStringList texts;
        for (int i = 7; i <= 13; ++i) {
            texts << control<QPushButton>(m_form, u"Command%1"_s.arg(i))->text();
        }
        return texts;
    }
    // Convert all, cancelling the save dialog: the table stays in the output box.
    QStringList convert_all() {
        m_host.answer_dialog(std::nullopt);
        press(u"全部转换"_s);
        return shown();
    }
    void choose(const QString& dialect) {
        combo()->showPopup();
        QAbstractItemView* list = combo()->view();
        const QModelIndex item = list->model()->index(combo()->findText(dialect), 0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
    }
    // Replaces a box's text in one change, as pasting does.
    void paste(const QString& name, const QString& text) {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(box(name)->editor(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box(name)->editor(), Qt::Key_V, Qt::ControlModifier);
    }
};

TEST_F(SegmentFormTest, AtLoadGivesTheCodesOfAllCharactersInBothDisplayTypes) {
    EXPECT_EQ(m_form->windowTitle(), u"七段码"_s);
    EXPECT_EQ(captions(), QStringList({u"A"_s, u"F"_s, u"B"_s, u"G"_s, u"E"_s, u"D"_s, u"C"_s}));
    EXPECT_EQ(convert_all(), pic_lines(2));
    for (const QString& type : {u"共阴"_s, u"共阳"_s}) {
        press(u"显示方式"_s);
        EXPECT_EQ(box(u"Text5"_s)->text(), type);
        EXPECT_TRUE(shown().isEmpty());
        EXPECT_EQ(convert_all(), pic_lines(type == u"共阴"_s ? 1 : 2));
    }
}

TEST_F(SegmentFormTest, EachDialectWritesItsLines) {
    // Before any generation named a dialect there is no instruction word.
    type(combo(), u"x"_s);
    EXPECT_EQ(m_host.messages, Messages{u"只能在列表里选择型号"_s});
    press(u"单步转换"_s);
    EXPECT_EQ(box(u"文本框"_s)->text(), u"  30\r\n--------------\r\n"_s);
    const struct {
        const char16_t* dialect;
        int index;
        const char16_t* line;
    } cases[] = {
        {u"PIC", 0, u"retlw  0x03;0"},   {u"PIC", 3, u"retlw  0x0D;3"},
        {u"PIC", 10, u"retlw  0x11;A"},  {u"PIC", 23, u"retlw  0xFD;-"},
        {u"A51", 1, u"DB  09FH;1"},      {u"A51", 3, u"DB  00DH;3"},
        {u"数组", 0, u"    0x03,/*0*/"}, {u"数组", 24, u"    0xEF,/*_*/"},
        {u"EMC", 10, u"retl  0x11;A"},   {u"", 1, u"retl  9F1"},
    };
    for (const auto& c : cases) {
        const QStringList before = shown();
        c.dialect[0] ? choose(QString::fromUtf16(c.dialect)) : type(combo(), u"x"_s);
        EXPECT_EQ(shown(), before) << "choosing a dialect changed the table";
        const QStringList lines = convert_all();
        EXPECT_EQ(lines.value(c.index), QString::fromUtf16(c.line));
    }

    // G on no bit: the middle segment alone never lights.
    retype(box(u"SEG_G"_s), u"-3"_s);
    letter();
    const char16_t* none_and_all[][3] = {{u"A51", u"DB  0FFH;-", u"DB  000H;-"},
                                         {u"数组", u"    0xFF,/*-*/", u"    0x00,/*-*/"}};
    for (const auto& c : none_and_all) {
        choose(QString::fromUtf16(c[0]));
        EXPECT_EQ(convert_all().value(23), QString::fromUtf16(c[1]));
        press(u"显示方式"_s);
        EXPECT_EQ(convert_all().value(23), QString::fromUtf16(c[2]));
        press(u"显示方式"_s);
    }
}

TEST_F(SegmentFormTest, BitEntry) {
    const struct {
        const char16_t* box;
        const char16_t* text;
        bool pasted;
        bool refused;
        const char16_t* all_seven;  // the common-anode line of "8"; null: the bits clash
    } cases[] = {
        {u"SEG_C", u"8", false, true, u"retlw  0x20;8"},  // C on bit 0
        {u"SEG_A", u"7.2", false, true, u"retlw  0x80;8"},
        {u"SEG_A", u"1e400", true, true, u"retlw  0x80;8"},
        {u"SEG_A", u"&H7FFFFFFF", true, true, u"retlw  0x80;8"},
        {u"SEG_A", u"6.6", false, false, u"retlw  0x01;8"},
        {u"SEG_A", u"-3", false, false, u"retlw  0x81;8"},
        {u"SEG_A", u"-1e400", true, false, u"retlw  0x81;8"},
        {u"SEG_A", u"-65536", true, false, u"retlw  0x81;8"},
        {u"SEG_A", u"-0.5", false, false, u"retlw  0x80;8"},
        {u"SEG_C", u"2.5", false, false, u"retlw  0x21;8"},
        {u"SEG_B", u"7", false, false, nullptr},
        {u"SEG_H", u"1", false, false, nullptr},  // H lights nothing but needs a bit of its own
    };
    for (const auto& c : cases) {
        const QString name = QString::fromUtf16(c.box);
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        reopen();
        retype(box(u"SEG_H"_s), u"-1"_s);  // frees bit 0 for a refused letter
        letter();
        press(u"单步转换"_s);
        c.pasted ? paste(name, text) : retype(box(name), text);
        EXPECT_EQ(box(name)->text(), c.refused ? QString() : text);
        EXPECT_EQ(captions(), QStringList(7, QString()));
        EXPECT_TRUE(shown().isEmpty());

        press(u"全部转换"_s);  // no dialog
        Messages expected = c.refused ? Messages{u"输入错误"_s, kPattern} : Messages{kPattern};
        if (!c.all_seven) {
            expected.push_back(kBits);
        }
        EXPECT_EQ(m_host.messages, expected);
        EXPECT_TRUE(shown().isEmpty());
        letter();
        if (c.all_seven) {
            EXPECT_EQ(convert_all().value(8), QString::fromUtf16(c.all_seven));
        }
        m_host.messages.clear();
    }
}

TEST_F(SegmentFormTest, PositionClicks) {
    // At load the counter stands at 7, so the first click letters nothing.
    press(u"单步转换"_s);
    press(u"Command7"_s);
    EXPECT_EQ(captions(), QStringList(7, QString()));
    EXPECT_TRUE(shown().isEmpty());

    // Clicked seven times, the top takes G and its bit; the others keep their former bits.
    press(u"Command7"_s, 7);
    EXPECT_EQ(captions(), QStringList({u"G"_s, "", "", "", "", "", ""}));
    QStringList lines = convert_all();
    EXPECT_EQ(QStringList({lines[0], lines[7], lines[23]}),
              QStringList({u"retlw  0x81;0"_s, u"retlw  0x9D;7"_s, u"retlw  0xFD;-"_s}));

    press(u"Command9"_s);  // the eighth click
    EXPECT_EQ(captions(), QStringList(7, QString()));
    EXPECT_TRUE(shown().isEmpty());
    letter({u"Command10"_s, u"Command8"_s, u"Command11"_s, u"Command12"_s, u"Command13"_s,
            u"Command9"_s, u"Command7"_s});
    EXPECT_EQ(captions(), QStringList({u"G"_s, u"B"_s, u"F"_s, u"A"_s, u"C"_s, u"D"_s, u"E"_s}));
    lines = convert_all();
    EXPECT_EQ(QStringList({lines[0], lines[1], lines[23]}),
              QStringList({u"retlw  0x81;0"_s, u"retlw  0xF3;1"_s, u"retlw  0x7F;-"_s}));

    press(u"Command7"_s);
    letter(kStandardOrder.mid(0, 6));
    press(u"单步转换"_s);
    EXPECT_EQ(m_host.messages, Messages{kPattern});
    EXPECT_TRUE(shown().isEmpty());
}

TEST_F(SegmentFormTest, SingleStepShowsOneMoreEntryEachTimeAndWraps) {
    press(u"单步转换"_s);
    EXPECT_EQ(box(u"文本框"_s)->text(), u"retlw  0x03;0\r\n--------------\r\n"_s);
    press(u"单步转换"_s, 24);
    EXPECT_EQ(shown(), pic_lines(2));
    press(u"单步转换"_s);
    EXPECT_EQ(shown().size(), 2);

    const std::function<void()> resets[] = {
        [&] { press(u"清除"_s); },
        [&] { press(u"显示方式"_s); },
        [&] { convert_all(); },
        [&] { retype(box(u"SEG_H"_s), {}), letter(); },
        [&] { press(u"Command7"_s), letter(); },
    };
    for (const auto& reset : resets) {
        press(u"单步转换"_s, 5);
        reset();
        press(u"单步转换"_s);
        EXPECT_EQ(shown().size(), 2);
    }
    // Steps without a lettering still count.
    press(u"Command7"_s);
    press(u"单步转换"_s, 3);
    letter();
    press(u"单步转换"_s);
    EXPECT_EQ(shown().size(), 5);
    EXPECT_EQ(m_host.messages, Messages(3, kPattern));
}

TEST_F(SegmentFormTest, ConvertAllSavesTheTable) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"七段码查询.txt"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4000, 'x'));  // a longer file is emptied first
    file.close();
    m_host.answer_dialog(path);
    press(u"全部转换"_s);
    ASSERT_EQ(m_host.dialogs.size(), 1u);
    const FileDialogOptions& dialog = m_host.dialogs[0].options;
    EXPECT_EQ(
        QStringList({dialog.title, dialog.filter, dialog.default_extension, dialog.file_name}),
        QStringList({u"保存文件"_s, u"文本文件（*.TXT）|*.txt|所有文件（*.*）|*.*"_s, u".txt"_s,
                     u"七段码查询"_s}));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), (pic_lines(2).join(u"\r\n"_s) + u"\r\n\r\n"_s).toLatin1());

    // A cancelled dialog or a file that cannot be written leaves the table on screen.
    const QString unwritable = dir.filePath(u"missing/table.txt"_s);
    for (const auto& answer : {std::optional<QString>(), std::optional(unwritable)}) {
        box(u"文本框"_s)->setText({});
        m_host.answer_dialog(answer);
        press(u"全部转换"_s);
        EXPECT_EQ(shown(), pic_lines(2));
    }
    ASSERT_EQ(m_host.messages.size(), 1u);
    EXPECT_TRUE(m_host.messages[0].contains(u"table.txt"_s));
}

}  // namespace
