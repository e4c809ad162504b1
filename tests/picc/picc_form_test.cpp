#include "tools/picc/form/picc_form.h"
#include "shell/host/text_file.h"
#include "tests/support/form_test.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString kDirective = u"                    List p ="_s;

class PiccFormTest : public FormTest<PiccForm> {
protected:
    void SetUp() override {
        FormTest::SetUp();
        // Saved as a Chinese system saves it: GBK, CR LF.
        ASSERT_FALSE(write_text_file(m_listing, u"0000  3083    \tMOVLW 0x83 ;温度"_s));
    }
    QPushButton* button(const QString& caption) {
        for (QPushButton* button : m_form->findChildren<QPushButton*>()) {
            if (button->text() == caption) {
                return button;
            }
        }
        ADD_FAILURE() << "no button " << caption.toStdString();
        return nullptr;
    }
    TextBox* text() { return control<TextBox>(m_form, u"汇编源程序"_s); }
    void press(const QString& caption, const std::optional<QString>& dialog_answer) {
        m_host.answer_dialog(dialog_answer);
        click(button(caption));
    }
    // "1" for each of 转换, 查找, 保存 that is enabled.
    std::string enabled() {
        std::string flags;
        for (const QString& caption : {u"转换"_s, u"查找"_s, u"保存"_s}) {
            flags += button(caption)->isEnabled() ? '1' : '0';
        }
        return flags;
    }
    // The messages once `count` have come, or after 3 s.
    std::vector<QString> messages(std::size_t count) {
        (void)QTest::qWaitFor([&] { return m_host.messages.size() >= count; }, 3000);
        return m_host.messages;
    }

    QTemporaryDir m_dir;
    QString m_listing = m_dir.filePath(u"main.lst"_s);
};

TEST_F(PiccFormTest, ConvertsTheChosenListingAndSavesTheEditedTextUnderOneFileName) {
    EXPECT_EQ(enabled(), "011");
    press(u"查找"_s, m_listing);
    EXPECT_EQ(m_host.dialogs.back().options.filter,
              u"文本文件（*.TXT）|*.txt|列表文件（*.lst）|*.lst|所有文件（*.*）|*.*"_s);
    EXPECT_EQ(enabled(), "111");
    retype(control<ComboBox>(m_form, u"芯片类型"_s), u"16F84A"_s);
    click(button(u"转换"_s));
    EXPECT_EQ(text()->text(), kDirective + u"16F84A\r\n\tMOVLW 0x83 ;温度\r\n"_s);
    EXPECT_EQ(enabled(), "011");

    text()->setText(u"0000  3083    nop"_s);
    const QString saved = m_dir.filePath(u"out.asm"_s);
    press(u"查找"_s, m_listing);
    EXPECT_EQ(m_host.dialogs.back().options.file_name, m_listing);
    press(u"保存"_s, saved);
    EXPECT_EQ(m_host.dialogs.back().options.file_name, u"picctoasm"_s);
    EXPECT_EQ(m_host.dialogs.back().options.default_extension, u".asm"_s);
    QString written;
    EXPECT_FALSE(read_text_file(saved, written));
    EXPECT_EQ(written, u"0000  3083    nop\r\n"_s);
    click(button(u"转换"_s));  // reads the file just saved
    EXPECT_EQ(text()->text(), kDirective + u"16F84A\r\nnop\r\n"_s);
    EXPECT_TRUE(m_host.messages.empty());
}

TEST_F(PiccFormTest, AFailedStepShowsWhyAndLosesNothing) {
    const QString gone = m_dir.filePath(u"gone.lst"_s);
    const QString unwritable = m_dir.filePath(u"no/dir/picctoasm.asm"_s);
    const struct {
        const char16_t* button;
        std::optional<QString> answer;
        QString message;
    } cases[] = {
        {u"转换", std::nullopt, u"没有选择要转换的文件\r请先按“查找”选择一个文件"_s},
        {u"转换", gone, u"无法读取文件："_s + gone + u"\r"_s},
        {u"保存", unwritable, u"无法保存文件："_s + unwritable + u"\r"_s},
    };
    for (const auto& c : cases) {
        const QString caption = QString::fromUtf16(c.button);
        SCOPED_TRACE(c.message.toStdString());
        reopen();
        m_host.messages.clear();
        text()->setText(u"kept\r\n"_s);
        const QStringList files = QDir(m_dir.path()).entryList(QDir::AllEntries);
        press(caption == u"转换"_s ? u"查找"_s : caption, c.answer);
        if (caption == u"转换"_s) {
            click(button(caption));
        }
        ASSERT_EQ(m_host.messages.size(), 1u);
        EXPECT_TRUE(m_host.messages[0].startsWith(c.message)) << m_host.messages[0].toStdString();
        EXPECT_EQ(text()->text(), u"kept\r\n"_s);
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::AllEntries), files);
    }
}

#ifndef Q_OS_WIN
// 编译 runs the real gpasm on the saved text, saving it first when it changed since.
TEST_F(PiccFormTest, AssemblesTheSavedTextWithGpasmAndReportsWhatItSays) {
    const QString ok = m_dir.filePath(u"ok.asm"_s);
    const QString hex = QDir::toNativeSeparators(m_dir.filePath(u"ok.hex"_s));
    const struct {
        const char16_t* lines;
        QString save_as;
        const char* path;  // the search path gpasm is looked for on
        QString message;
    } cases[] = {
        {u"\tnop", m_dir.filePath(u"main.asm"_s), nullptr,
         u"编译会覆盖列表文件："_s + QDir::toNativeSeparators(m_listing) +
             u"\r请把源程序换个名字保存"_s},
        {u"\tnop\r\n\tbogus", m_dir.filePath(u"bad.asm"_s), nullptr,
         u"编译出错：\rbad.asm:3:Error[181]   Unknown opcode: \"bogus\""_s},
        {u"\tnop", ok, "/nonexistent", u"找不到汇编程序 gpasm\r请安装软件包 gputils"_s},
        {u"\tMOVLW 0x83 ;温度", ok, nullptr, u"编译成功，已写入 "_s + hex},
    };
    const QByteArray path = qgetenv("PATH");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        reopen();
        m_host.messages.clear();
        qputenv("PATH", c.path ? QByteArray(c.path) : path);
        text()->setText(kDirective + u"16F877\r\n"_s + QString::fromUtf16(c.lines) +
                        u"\r\n\tend"_s);
        press(u"编译"_s, c.save_as);
        EXPECT_EQ(messages(1), std::vector<QString>{c.message});
        qputenv("PATH", path);
    }
    EXPECT_TRUE(QFile::exists(hex));

    // Saved and unchanged: no dialog; a second 编译 while gpasm runs is refused.
    m_host.messages.clear();
    click(button(u"编译"_s));
    click(button(u"编译"_s));
    EXPECT_EQ(messages(2), (std::vector<QString>{u"正在编译，请等这次编译结束"_s,
                                                 u"编译成功，已写入 "_s + hex}));
    // Changed since: the save dialog first, and cancelling it assembles nothing.
    text()->append(u" "_s);
    press(u"编译"_s, std::nullopt);
    EXPECT_EQ(m_host.runs.size(), 4u);
}
#endif

}  // namespace
