#include "tools/picc/form/picc_form.h"
#include "base/text_file.h"
#include "tests/support/form_test.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString kDirective = u"                    List p ="_s;

class PiccFormTest : public FormTest<PiccForm> {
protected:
    TextBox* text() { return control<TextBox>(m_form, u"汇编源程序"_s); }
    // Clicks the button; the next dialog gets `answer`.
    void press(const QString& caption, const std::optional<QString>& answer) {
        m_host.answer_dialog(answer);
        click(button(caption));
    }
};

// 转换 turns the listing 查找 chose into source; 保存 saves the edited text, and 查找 and 转换
// then read the file just saved. 编译 runs the real gpasm on the saved text, saving it first
// when it changed since.
TEST_F(PiccFormTest, ConvertsTheChosenListingSavesTheEditedTextAndAssemblesIt) {
    QTemporaryDir dir;
    const QString listing = dir.filePath(u"main.lst"_s);
    // Saved as a Chinese system saves it: GBK, CR LF.
    ASSERT_FALSE(write_text_file(listing, u"0000  3083    \tMOVLW 0x83 ;温度"_s));
    EXPECT_FALSE(button(u"转换"_s)->isEnabled());
    press(u"查找"_s, std::nullopt);
    click(button(u"转换"_s));
    EXPECT_EQ(m_host.messages, std::vector{u"没有选择要转换的文件\r请先按“查找”选择一个文件"_s});
    press(u"查找"_s, listing);
    retype(control<ComboBox>(m_form, u"芯片类型"_s), u"16F84A"_s);
    click(button(u"转换"_s));
    EXPECT_EQ(text()->text(), kDirective + u"16F84A\r\n\tMOVLW 0x83 ;温度\r\n"_s);
    EXPECT_FALSE(button(u"转换"_s)->isEnabled());

    text()->setText(u"0000  3083    nop"_s);
    press(u"查找"_s, listing);
    press(u"保存"_s, dir.filePath(u"out.asm"_s));
    click(button(u"转换"_s));
    EXPECT_EQ(text()->text(), kDirective + u"16F84A\r\nnop\r\n"_s);

#ifndef Q_OS_WIN
    const QString hex = QDir::toNativeSeparators(dir.filePath(u"ok.hex"_s));
    const auto messages = [this](std::size_t count) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return m_host.messages.size() >= count; }, 3000));
        return std::exchange(m_host.messages, {});
    };
    m_host.messages.clear();
    // The lines of the text, the name it is saved as, where gpasm is looked for, what it says.
    const std::tuple<const char16_t*, const char16_t*, const char*, QString> rows[] = {
        {u"\tnop", u"main.asm", nullptr,  // gpasm would overwrite the compiler's listing
         u"编译会覆盖列表文件："_s + QDir::toNativeSeparators(listing) +
             u"\r请把源程序换个名字保存"_s},
        {u"\tnop\r\n\tbogus\r\n\tmovlw 0x1ff\r\n\tfoo", u"bad.asm", nullptr,
         u"编译出错：\rbad.asm:3:Error[181]   Unknown opcode: \"bogus\"\r"
         u"bad.asm:5:Error[181]   Unknown opcode: \"foo\""_s},
        {u"\tnop", u"ok.asm", "/nonexistent", u"找不到汇编程序 gpasm\r请安装软件包 gputils"_s},
        {u"\tMOVLW 0x83 ;温度", u"ok.asm", nullptr, u"编译成功，已写入 "_s + hex},
    };
    const QByteArray path = qgetenv("PATH");
    for (const auto& [lines, save_as, gpasm_path, message] : rows) {
        qputenv("PATH", gpasm_path ? QByteArray(gpasm_path) : path);
        text()->setText(kDirective + u"16F877\r\n"_s + QString::fromUtf16(lines) + u"\r\n\tend"_s);
        press(u"编译"_s, dir.filePath(QString::fromUtf16(save_as)));
        EXPECT_EQ(messages(1), std::vector{message});
        qputenv("PATH", path);
    }
    EXPECT_TRUE(QFile::exists(hex));  // the text changed each time: each was saved first

    // Saved and unchanged: no dialog; a second 编译 while gpasm runs is refused.
    click(button(u"编译"_s));
    click(button(u"编译"_s));
    EXPECT_EQ(messages(2),
              (std::vector{u"正在编译，请等这次编译结束"_s, u"编译成功，已写入 "_s + hex}));
    // Changed since: the save dialog first, and cancelling it assembles nothing.
    text()->append(u" "_s);
    press(u"编译"_s, std::nullopt);
    EXPECT_EQ(m_host.runs.size(), 4u);
#endif
}

}  // namespace
