#include "tools/picc/form/picc_form.h"
#include "shell/host/text_file.h"
#include "tests/support/form_test.h"

#include <QDir>
#include <QTemporaryDir>

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
    QPushButton* button(const QString& name) { return control<QPushButton>(m_form, name); }
    TextBox* text() { return control<TextBox>(m_form, u"Text1"_s); }
    void press(const QString& name, const std::optional<QString>& dialog_answer) {
        m_host.answer_dialog(dialog_answer);
        click(button(name));
    }
    // "1" for each of 转换, 查找, 保存 that is enabled.
    std::string enabled() {
        std::string flags;
        for (const QString& name : {u"Command1"_s, u"Command2"_s, u"Command3"_s}) {
            flags += button(name)->isEnabled() ? '1' : '0';
        }
        return flags;
    }

    QTemporaryDir m_dir;
    QString m_listing = m_dir.filePath(u"main.lst"_s);
};

TEST_F(PiccFormTest, ConvertsTheChosenListingAndSavesTheEditedTextUnderOneFileName) {
    EXPECT_EQ(enabled(), "011");
    press(u"Command2"_s, m_listing);
    EXPECT_EQ(enabled(), "111");
    retype(control<ComboBox>(m_form, u"Combo1"_s), u"16F84A"_s);
    click(button(u"Command1"_s));
    EXPECT_EQ(text()->text(), kDirective + u"16F84A\r\n\tMOVLW 0x83 ;温度\r\n"_s);
    EXPECT_EQ(enabled(), "011");

    text()->setText(u"0000  3083    nop"_s);
    const QString saved = m_dir.filePath(u"out.asm"_s);
    press(u"Command2"_s, m_listing);
    EXPECT_EQ(m_host.dialogs.back().options.file_name, m_listing);
    press(u"Command3"_s, saved);
    EXPECT_EQ(m_host.dialogs.back().options.file_name, u"picctoasm"_s);
    EXPECT_EQ(m_host.dialogs.back().options.default_extension, u".asm"_s);
    QString written;
    EXPECT_FALSE(read_text_file(saved, written));
    EXPECT_EQ(written, u"0000  3083    nop\r\n"_s);
    click(button(u"Command1"_s));  // reads the file just saved
    EXPECT_EQ(text()->text(), kDirective + u"16F84A\r\nnop\r\n"_s);
    EXPECT_TRUE(m_host.messages.empty());
}

TEST_F(PiccFormTest, AFailedStepShowsWhyAndLosesNothing) {
    const QString gone = m_dir.filePath(u"gone.lst"_s);
    const QString unwritable = m_dir.filePath(u"no/dir/picctoasm.asm"_s);
    const struct {
        const char* button;
        std::optional<QString> answer;
        QString message;
    } cases[] = {
        {"Command1", std::nullopt, u"没有选择要转换的文件\r请先按“查找”选择一个文件"_s},
        {"Command1", gone, u"无法读取文件："_s + gone + u"\r"_s},
        {"Command1", m_dir.path(), u"无法读取文件："_s + m_dir.path() + u"\r"_s},
        {"Command1", u"/proc/self/mem"_s, u"无法读取文件：/proc/self/mem\r"_s},  // opens, no read
        {"Command3", unwritable, u"无法保存文件："_s + unwritable + u"\r"_s},
        {"Command4", std::nullopt, u"无法启动汇编程序：Mpasmwin.exe\rexecv: not found"_s},
    };
    for (const auto& c : cases) {
        const QString name = QString::fromUtf8(c.button);
        SCOPED_TRACE(c.message.toStdString());
        reopen();
        m_host.messages.clear();
        m_host.start_failure = u"execv: not found"_s;
        text()->setText(u"kept\r\n"_s);
        const QStringList files = QDir(m_dir.path()).entryList(QDir::AllEntries);
        if (name == u"Command1"_s) {
            press(u"Command2"_s, c.answer);
            click(button(name));
        } else {
            press(name, c.answer);
        }
        ASSERT_EQ(m_host.messages.size(), 1u);
        EXPECT_TRUE(m_host.messages[0].startsWith(c.message)) << m_host.messages[0].toStdString();
        EXPECT_EQ(text()->text(), u"kept\r\n"_s);
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::AllEntries), files);
        EXPECT_EQ(enabled(), name == u"Command1"_s ? "111" : "011");
    }
    EXPECT_EQ(m_host.started_programs, std::vector<QString>{u"Mpasmwin.exe"_s});
}

}  // namespace
