#include "tools/picc/form/picc_form.h"
#include "shell/host/text_file.h"
#include "tests/support/form_test.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString kDirective = u"                    List p ="_s;
// A listing saved by a Chinese system: GBK bytes, CR LF.
const QString kListing = u"0000  3083    \tMOVLW 0x83 ;温度\r\n0001  0085       MOVWF 5\r\n"_s;
const QString kSource = u"\tMOVLW 0x83 ;温度\r\nMOVWF 5\r\n"_s;

QByteArray bytes_of(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void put_bytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

class PiccFormTest : public FormTest<PiccForm> {
protected:
    void SetUp() override {
        FormTest::SetUp();
        m_listing = m_dir.filePath(u"main.lst"_s);
        put_bytes(m_listing, encode_text(kListing));
    }
    QPushButton* button(const QString& name) { return control<QPushButton>(m_form, name); }
    TextBox* text() { return control<TextBox>(m_form, u"Text1"_s); }
    void press(const QString& name, const std::optional<QString>& dialog_answer) {
        m_host.answer_dialog(dialog_answer);
        click(button(name));
    }
    std::vector<bool> enabled() {
        return {button(u"Command1"_s)->isEnabled(), button(u"Command2"_s)->isEnabled(),
                button(u"Command3"_s)->isEnabled()};
    }

    QTemporaryDir m_dir;
    QString m_listing;
};

TEST_F(PiccFormTest, ConvertsTheChosenListingAndSavesTheEditedText) {
    const std::vector<bool> opened = {false, true, true};
    const std::vector<bool> found = {true, true, true};
    const std::vector<bool> converted = {false, true, true};
    EXPECT_EQ(enabled(), opened);
    press(u"Command2"_s, m_listing);
    EXPECT_EQ(enabled(), found);
    retype(control<ComboBox>(m_form, u"Combo1"_s), u"16F84A"_s);
    click(button(u"Command1"_s));
    EXPECT_EQ(text()->text(), kDirective + u"16F84A\r\n"_s + kSource);
    EXPECT_EQ(enabled(), converted);

    type(text(), u";"_s);
    const QString saved = m_dir.filePath(u"picctoasm.asm"_s);
    press(u"Command3"_s, saved);
    EXPECT_EQ(bytes_of(saved),
              encode_text(u";"_s + kDirective + u"16F84A\r\n"_s + kSource) + "\r\n");
    EXPECT_EQ(enabled(), converted);

    ASSERT_EQ(m_host.dialogs.size(), 2u);
    const FileDialogOptions& open = m_host.dialogs[0].options;
    EXPECT_EQ(open.filter, u"文本文件（*.TXT）|*.txt|所有文件（*.*）|*.*"_s);
    EXPECT_EQ(open.default_extension, u".txt"_s);
    const FileDialogOptions& save = m_host.dialogs[1].options;
    EXPECT_EQ(save.filter, u"汇编文件（*.asm）|*.asm|所有文件（*.*）|*.*"_s);
    EXPECT_EQ(save.default_extension, u".asm"_s);
    EXPECT_EQ(save.file_name, u"picctoasm"_s);
    EXPECT_TRUE(m_host.messages.empty());
}

TEST_F(PiccFormTest, OpenAndSaveDialogsShareOneFileName) {
    press(u"Command2"_s, m_listing);
    const QString saved = m_dir.filePath(u"out.asm"_s);
    text()->setText(u"0000  3083    nop"_s);
    press(u"Command3"_s, saved);
    click(button(u"Command1"_s));  // reads the file just saved
    EXPECT_EQ(text()->text(), kDirective + u"16C54\r\nnop\r\n"_s);
    press(u"Command2"_s, std::nullopt);
    EXPECT_EQ(m_host.dialogs.back().options.file_name, saved);
}

TEST_F(PiccFormTest, AFailedStepShowsWhyAndLosesNothing) {
    const QString vanished = m_dir.filePath(u"gone.lst"_s);
    const QString unwritable = m_dir.filePath(u"no/such/dir/picctoasm.asm"_s);
    const struct {
        const char* button;
        std::optional<QString> answer;
        QString message;
    } cases[] = {
        {"Command1", std::nullopt, u"没有选择要转换的文件\r请先按“查找”选择一个文件"_s},
        {"Command1", vanished, u"无法读取文件："_s + vanished},
        {"Command1", m_dir.path(), u"无法读取文件："_s + m_dir.path()},
        {"Command1", u"/proc/self/mem"_s, u"无法读取文件：/proc/self/mem"_s},
        {"Command3", unwritable, u"无法保存文件："_s + unwritable},
        {"Command4", std::nullopt, u"无法启动汇编程序：Mpasmwin.exe\rNo such file or directory"_s},
    };
    for (const auto& c : cases) {
        const QString name = QString::fromUtf8(c.button);
        SCOPED_TRACE(name.toStdString() + " " + c.answer.value_or(QString()).toStdString());
        reopen();
        m_host.messages.clear();
        m_host.start_failure = u"No such file or directory"_s;
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
        EXPECT_EQ(enabled(), (std::vector<bool>{name == u"Command1"_s, true, true}));
    }
    EXPECT_EQ(m_host.started_programs, std::vector<QString>{u"Mpasmwin.exe"_s});
}

}  // namespace
