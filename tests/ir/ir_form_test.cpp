#include "tools/ir/form/ir_form.h"
#include "base/text_file.h"
#include "tests/support/form_test.h"
#include "tests/support/small_tmpfs.h"
#include "tools/ir/core/ir_encoder.h"
#include "tools/ir/core/lirc_sample_reader.h"
#include "tools/ir/form/pulse_view.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

class IrFormTest : public FormTest<IrForm> {
protected:
    QComboBox* device() { return control<QComboBox>(m_form, u"device"_s); }
    QTableWidget* table() { return control<QTableWidget>(m_form, u"按键表"_s); }
    // A row as the user reads it, from 时间 to 重复/翻转.
    QString row_text(int row) {
        QStringList cells;
        for (int column = IrForm::kTime; column <= IrForm::kRepeat; ++column) {
            cells << table()->item(row, column)->text();
        }
        return cells.join(u'|');
    }
    QString status() { return m_form->findChild<QLabel*>(u"status"_s)->text(); }
    // Clicks the cell, double-clicks it, types and presses Enter, as a user names a key.
    void name_key(int row, const QString& name) {
        const QPoint cell =
            table()->visualRect(table()->model()->index(row, IrForm::kKeyName)).center();
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(table()->viewport(), Qt::LeftButton, {}, cell);
        QLineEdit* editor = nullptr;
        for (QLineEdit* open : table()->viewport()->findChildren<QLineEdit*>()) {
            editor = open->isVisible() ? open : editor;  // closed editors linger hidden
        }
        ASSERT_NE(editor, nullptr);
        QTest::keyClicks(editor, name);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();  // the table takes the text once the key is handled
    }
    // Opens `text` as the recording remote.txt; its path.
    QString open_recording(const QString& text) {
        const QString path = m_dir.filePath(u"remote.txt"_s);
        EXPECT_FALSE(write_text_file(path, text));
        m_host.answer_dialog(path);
        press(u"打开录制文件"_s);
        return path;
    }
    QString read_back(const QString& path) {
        QString text;
        EXPECT_FALSE(read_text_file(path, text).has_value());
        return text;
    }

    QTemporaryDir m_dir;
};

// A user opens a recording with a bad line, which is named, then a good one, sees its keys with a
// held key folded, names two keys and exports them as a keymap; 清除 empties what an export
// writes; the format and folder are remembered.
TEST_F(IrFormTest, ARecordingIsShownNamedAndExported) {
    const QString bad = open_recording(u"pulse 9000\nspace 4500\npluse 560\n"_s);
    EXPECT_EQ(m_host.messages.back(),
              u"无法读取录制文件 %1：\r第 3 行不是脉冲或间隔的时长：pluse 560"_s.arg(bad));
    open_recording(
        u"%1\n-40000\n%2\n-96000\n%2\n-300000\n%3\n-90000\n%3\ntimeout 125000\n"
        "+1000 -1000 +3000 -500 +200\n"_s.arg(
            timings_text(encode_frame(IrProtocol::kNec, 0x0045)), u"+9000 -2250 +563"_s,
            timings_text(encode_frame(IrProtocol::kRc5, 0x0535, 1))));
    ASSERT_EQ(table()->rowCount(), 3);
    EXPECT_EQ(row_text(0), u"0.000|NEC|0x00|0x45|0x0045|重复 2 次"_s);
    EXPECT_EQ(row_text(1), u"0.528|RC5|0x05|0x35|0x0535|翻转 1，重复 1 次"_s);
    EXPECT_EQ(row_text(2), u"0.791|未知（3 个脉冲）||||"_s);
    EXPECT_EQ(status(), u"remote.txt：6 帧，3 个按键"_s);
    EXPECT_EQ(m_form->findChild<PulseView*>()->accessibleDescription(),
              u"+1000 -1000 +3000 -500 +200"_s);

    name_key(0, u"KEY_POWER"_s);
    name_key(1, u"KEY_VOLUMEUP"_s);
    const QString keymap = m_dir.filePath(u"remote.toml"_s);
    choose(u"export_format"_s, u"ir-keytable 键表（TOML）"_s);
    m_host.answer_dialog(keymap);
    press(u"导出"_s);
    EXPECT_TRUE(read_back(keymap).contains(u"\n0x45 = \"KEY_POWER\"\r\n"_s));
    EXPECT_TRUE(read_back(keymap).endsWith(u"\n0x535 = \"KEY_VOLUMEUP\"\r\n"_s));
    EXPECT_EQ(status(), u"已导出到 %1"_s.arg(keymap));
    EXPECT_EQ(m_host.dialogs.back().options.default_extension, u".toml"_s);

    press(u"清除"_s);
    EXPECT_EQ(table()->rowCount(), 0);
    press(u"导出"_s);
    ASSERT_EQ(m_host.messages.size(), 2u);
    EXPECT_EQ(m_host.messages[1], u"还没有起名的按键：请先在“键名”一栏填写按键的名称，再导出。"_s);

    reopen();
    EXPECT_EQ(control<QComboBox>(m_form, u"export_format"_s)->currentText(),
              u"ir-keytable 键表（TOML）"_s);
    m_host.answer_dialog(std::nullopt);
    press(u"打开录制文件"_s);
    EXPECT_EQ(m_host.dialogs.back().options.file_name, m_dir.path());
}

// On a full disk the export fails whole: the old file stays as it was, and a message says so.
TEST_F(IrFormTest, AnExportToAFullDiskLeavesTheOldFile) {
    SmallTmpfs disk;
    if (!disk.mounted()) {
        GTEST_SKIP() << "no small tmpfs for a full disk: " << disk.why_not().toStdString();
    }
    const QString header = disk.path(u"keys.h"_s);
    ASSERT_FALSE(write_text_file(header, u"/* the old keys */"_s));
    disk.fill();
    open_recording(timings_text(encode_frame(IrProtocol::kNec, 0x0045)));
    name_key(0, QString(2000, u'K'));
    m_host.answer_dialog(header);
    press(u"导出"_s);
    ASSERT_EQ(m_host.messages.size(), 1u);
    EXPECT_TRUE(m_host.messages[0].startsWith(u"无法保存文件：%1\r"_s.arg(header)));
    EXPECT_EQ(status(), u"导出失败，文件未写入"_s);
    EXPECT_EQ(read_back(header), u"/* the old keys */\r\n"_s);
}

// A receiver that is not there, or none, gets a message. A named pipe of raw samples is read as
// a receiver is, without polling: keys appear as they arrive, and the writer closing ends the
// reading.
TEST_F(IrFormTest, ReadsAPipeOfRawSamplesUntilItsWriterCloses) {
    const QString pipe = m_dir.filePath(u"lirc"_s);
    for (const QString& path : {pipe, QString()}) {
        retype(device(), path);
        press(u"开始"_s);
    }
    ASSERT_EQ(m_host.messages.size(), 2u);
    EXPECT_TRUE(m_host.messages[0].startsWith(u"无法打开 %1：没有这个设备。"_s.arg(pipe)));
    EXPECT_EQ(status(), m_host.messages[0]);
    EXPECT_EQ(m_host.messages[1], u"请先选择或输入设备，如 /dev/lirc0"_s);

    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    retype(device(), pipe);
    press(u"开始"_s);
    EXPECT_TRUE(m_form->is_reading());
    EXPECT_FALSE(device()->isEnabled());
    EXPECT_EQ(button(u"停止"_s)->accessibleName(), u"停止"_s);
    const int writer = ::open(QFile::encodeName(pipe).constData(), O_WRONLY);
    ASSERT_GE(writer, 0);
    std::vector<quint32> values;
    for (const qint32 timing : encode_frame(IrProtocol::kRc6Mode0, 0x800c, 1)) {
        values.push_back(timing > 0 ? kLircPulse | timing : kLircSpace | -timing);
    }
    values.push_back(kLircTimeout | 125000);
    const auto size = static_cast<ssize_t>(values.size() * 4);
    ASSERT_EQ(::write(writer, values.data(), values.size() * 4), size);
    ASSERT_TRUE(QTest::qWaitFor([&] { return table()->rowCount() == 1; }, 2000));
    EXPECT_EQ(row_text(0), u"0.000|RC6-0|0x80|0x0C|0x800C|翻转 1"_s);
    ::close(writer);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_form->is_reading(); }, 2000));
    EXPECT_EQ(status(), u"%1 已读完（写入的一端已关闭）"_s.arg(pipe));
    EXPECT_EQ(button(u"开始"_s)->text(), u"开始"_s);
    EXPECT_TRUE(device()->isEnabled());
    reopen();
    EXPECT_EQ(device()->currentText(), pipe);
}

}  // namespace
