#include "shell/qt_host/qt_serial_device.h"
#include "shell/widgets/line_view.h"
#include "tests/support/form_test.h"
#include "tests/support/pseudo_terminal.h"
#include "tests/support/small_tmpfs.h"
#include "tools/serial/form/plot_panel.h"
#include "tools/serial/form/serial_form.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// The terminal talks to a board at the far end of a pseudo-terminal pair.
class SerialLineTest : public FormTest<SerialForm> {
protected:
    void SetUp() override {
        m_host.make_serial_device = [](const QString& path) {
            return std::make_unique<QtSerialDevice>(path);
        };
        plug_in();
        FormTest::SetUp();
    }
    void TearDown() override {
        FormTest::TearDown();
        unplug();
    }

    // A new board behind the same path, as an adapter plugged in again.
    void plug_in() {
        m_board = open_pseudo_terminal().value_or(PseudoTerminal{});
        ASSERT_GE(m_board.master, 0);
        fcntl(m_board.master, F_SETFL, O_NONBLOCK);
        ASSERT_EQ(
            ::symlink(m_board.device.toLocal8Bit().constData(), m_path.toLocal8Bit().constData()),
            0);
    }
    // The adapter is pulled: its device goes, and so does its name (another
    // pseudo-terminal may take the number).
    void unplug() {
        ::close(std::exchange(m_board.master, -1));
        QFile::remove(m_path);
    }
    void board_writes(const QByteArray& bytes) {
        EXPECT_EQ(::write(m_board.master, bytes.constData(), bytes.size()), bytes.size());
    }
    // Everything the terminal has sent so far.
    const QByteArray& heard() {
        char buffer[65536];
        for (ssize_t n; (n = ::read(m_board.master, buffer, sizeof buffer)) > 0;) {
            m_heard.append(buffer, n);
        }
        return m_heard;
    }
    template <typename Control = QWidget>
    Control* find(const QString& name) {
        return control<Control>(m_form, name);
    }
    void open() {
        retype(find(u"port"_s), m_path);
        click(find(u"打开串口"_s));
    }
    // What a screen reader reads of the 接收区, through its text interface.
    bool shows(const QString& text) {
        QAccessibleTextInterface* view =
            QAccessible::queryAccessibleInterface(find(u"接收区"_s))->textInterface();
        return QTest::qWaitFor([&] { return view->text(0, view->characterCount()) == text; });
    }
    bool board_hears(const QByteArray& bytes) {
        return QTest::qWaitFor([&] { return heard() == bytes; });
    }
    QString label(const QString& name) { return find<QLabel>(name)->text(); }
    QString file(const QString& name) { return m_dir.filePath(name); }
    QByteArray contents(const QString& name) { return file_bytes(file(name)); }

    QTemporaryDir m_dir;
    QString m_path = m_dir.filePath(u"ttyUSB0"_s);
    PseudoTerminal m_board;
    QByteArray m_heard;
};

// A user's session: a busy port, text and hex both ways with checks, a saved
// command, 暂停, 记录到文件, 清除接收 then 保存接收, and the choices the next
// time the window opens.
TEST_F(SerialLineTest, BothWaysPausedRecordedClearedSavedAndRemembered) {
    {
        QtSerialDevice holder(m_path);  // another program holds the port
        ASSERT_TRUE(holder.open_read_write({}));
        open();
        EXPECT_TRUE(label(u"status"_s).contains(u"端口正被另一个程序占用"_s));
        EXPECT_EQ(m_host.messages, std::vector<QString>{label(u"status"_s)});
    }
    m_host.now = QTime(10, 8, 38, 250);
    retype(find(u"baud"_s), u"57600"_s);
    open();
    EXPECT_EQ(label(u"status"_s), m_path + u" 57600 8N1"_s);
    EXPECT_TRUE(find<QCheckBox>(u"DTR"_s)->isChecked() && find<QCheckBox>(u"RTS"_s)->isChecked());
    m_host.answer_dialog(file(u"record.bin"_s));
    click(find(u"记录到文件"_s));
    board_writes("\xCE\xC2\xB6\xC8=24.5\r\n");  // GBK, and a reading for the 波形 tab
    EXPECT_TRUE(shows(u"温度=24.5"_s));
    EXPECT_EQ(m_form->plot()->store().record_count(), 1);

    auto* line = find<QLineEdit>(u"发送区"_s);
    find<QComboBox>(u"line_end"_s)->setCurrentText(u"CR LF"_s);
    retype(line, u"AT+GMR"_s);
    QTest::keyClick(line, Qt::Key_Return);
    click(find(u"十六进制发送"_s));
    for (const QString& typed : {u"55 aa 0D"_s, u"5G"_s}) {
        retype(line, typed);
        click(find(u"发送"_s));
    }
    EXPECT_EQ(m_host.messages.size(), 2u);  // the bad hex line is refused
    EXPECT_TRUE(board_hears(QByteArray("AT+GMR\r\n\x55\xAA\x0D")));
    QTest::keyClick(line, Qt::Key_Up);
    QTest::keyClick(line, Qt::Key_Up);
    EXPECT_EQ(line->text(), u"AT+GMR"_s);

    click(find(u"十六进制显示"_s));
    click(find(u"显示时间"_s));
    m_host.now = QTime(10, 8, 39, 7);
    board_writes(QByteArray::fromHex("55AA2710FF"));
    EXPECT_TRUE(
        shows(u"[10:08:38.250] CE C2 B6 C8 3D 32 34 2E 35 0D 0A\n"
              u"[10:08:39.007] 55 AA 27 10 FF"_s));
    EXPECT_EQ(label(u"received_count"_s), u"收 16 字节"_s);
    EXPECT_EQ(label(u"sent_count"_s), u"发 11 字节"_s);

    click(find(u"pause"_s));
    board_writes("\x01\x02");
    EXPECT_TRUE(QTest::qWaitFor([&] { return label(u"received_count"_s) == u"收 18 字节"_s; }));
    EXPECT_TRUE(label(u"status"_s).endsWith(u"已暂停，2 字节未显示"_s));
    click(find(u"pause"_s));
    QTest::keyClick(m_form->view(), Qt::Key_A, Qt::ControlModifier);
    ASSERT_TRUE(m_form->view()->has_selection());
    click(find(u"清除接收"_s));
    EXPECT_FALSE(m_form->view()->has_selection());  // the view shows the cleared log at once

    // 核对接收校验和 judges each hex line with the 校验和 that a hex send
    // carries.
    choose_item(m_form, u"checksum"_s, u"CRC-16/MODBUS"_s);
    click(find(u"核对接收校验和"_s));
    board_writes(QByteArray::fromHex("01030000000AC5CD"));
    EXPECT_TRUE(shows(u"[10:08:39.007] 01 03 00 00 00 0A C5 CD  校验正确"_s));
    retype(line, u"01 03 00 00 00 0A"_s);
    QTest::keyClick(line, Qt::Key_Return);
    // 多条发送: a saved command goes out through the port.
    click(find(u"多条发送"_s));
    retype(find(u"command_text"_s), u"ATZ"_s);
    click(find(u"添加"_s));
    click(find(u"send_command_0"_s));
    EXPECT_TRUE(board_hears(QByteArray("AT+GMR\r\n\x55\xAA\x0D") +
                            QByteArray::fromHex("01030000000AC5CD") + "ATZ"));

    click(find(u"关闭串口"_s));
    EXPECT_FALSE(find<QCheckBox>(u"记录到文件"_s)->isChecked());
    m_host.answer_dialog(file(u"saved.bin"_s));
    click(find(u"保存接收"_s));
    EXPECT_EQ(contents(u"saved.bin"_s).toHex(), "01030000000ac5cd");
    EXPECT_EQ(contents(u"record.bin"_s).toHex(),
              "cec2b6c83d32342e350d0a55aa2710ff010201030000000ac5cd");
    EXPECT_EQ(label(u"received_count"_s), u"收 26 字节"_s);

    click(find(u"DTR"_s));
    click(find(u"RTS"_s));
    click(find(u"自动换行"_s));
    find<QTabWidget>(u"receive_tabs"_s)->setCurrentWidget(m_form->plot());
    choose_item(m_form, u"axis_choice"_s, u"序号"_s);
    click(find(u"二进制浮点帧"_s));
    reopen();
    EXPECT_FALSE(find<QCheckBox>(u"DTR"_s)->isChecked() || find<QCheckBox>(u"RTS"_s)->isChecked());
    EXPECT_EQ(find<QComboBox>(u"port"_s)->currentText(), m_path);
    EXPECT_EQ(find<QComboBox>(u"baud"_s)->currentText(), u"57600"_s);
    EXPECT_TRUE(find<QCheckBox>(u"十六进制发送"_s)->isChecked());
    EXPECT_TRUE(find<QCheckBox>(u"自动换行"_s)->isChecked() && m_form->view()->wrap());
    EXPECT_TRUE(find<QCheckBox>(u"核对接收校验和"_s)->isChecked());
    EXPECT_EQ(find<QComboBox>(u"checksum"_s)->currentText(), u"CRC-16/MODBUS"_s);
    EXPECT_EQ(find<QComboBox>(u"axis_choice"_s)->currentText(), u"序号"_s);
    EXPECT_TRUE(find<QCheckBox>(u"二进制浮点帧"_s)->isChecked());
}

TEST_F(SerialLineTest, AVanishedDeviceIsReopenedWhenItComesBack) {
    click(find(u"自动重连"_s));
    open();
    board_writes("before\n");
    EXPECT_TRUE(shows(u"before"_s));
    unplug();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !m_form->is_port_open(); }));
    EXPECT_TRUE(label(u"status"_s).startsWith(m_path + u" 已断开"_s));
    EXPECT_EQ(find<QPushButton>(u"open_button"_s)->text(), u"打开串口"_s);
    QTest::qWait(1200);  // polling finds nothing meanwhile
    EXPECT_FALSE(m_form->is_port_open());

    plug_in();
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_form->is_port_open(); }));
    board_writes("after\n");
    EXPECT_TRUE(shows(u"before\nafter"_s));
    EXPECT_TRUE(m_host.messages.empty());
}

// 发送文件 shows its progress until the whole file has gone; 定时发送 repeats
// the line on its timer until it is unticked.
TEST_F(SerialLineTest, AFileAndATimedLineGoOut) {
    const QByteArray bytes = QByteArray("firmware").repeated(4096);
    QFile out(file(u"firmware.bin"_s));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
    out.close();
    open();
    m_host.answer_dialog(out.fileName());
    click(find(u"发送文件"_s));
    EXPECT_TRUE(find(u"发送进度"_s)->isVisible());
    EXPECT_FALSE(find(u"发送文件"_s)->isEnabled());
    EXPECT_TRUE(board_hears(bytes));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !find(u"发送进度"_s)->isVisible(); }));
    retype(find(u"定时间隔"_s), u"100"_s);
    retype(find(u"发送区"_s), u"x"_s);
    click(find(u"定时发送"_s));
    EXPECT_TRUE(board_hears(bytes + "xxx"));
    click(find(u"定时发送"_s));
    QTest::qWait(300);
    EXPECT_EQ(heard(), bytes + "xxx");
    EXPECT_EQ(label(u"sent_count"_s), u"发 %1 字节"_s.arg(bytes.size() + 3));
}

// The 接收区's lines tell the view what went from the top: a selection keeps to
// its line while the oldest lines go.
TEST(ReceiveLogLines, KeepASelectionOnItsLineWhileTheOldestLinesGo) {
    ReceiveLog log(ReceiveLog::kKeptBytes, 4);
    ReceiveLogLines lines(log);
    LineView view(lines, nullptr);
    view.show();
    log.append("a\nb\nc\n", QTime(10, 0));
    view.refresh();
    view.select({2, 0}, {2, 1});
    log.append("d\ne\nf\n", QTime(10, 0, 1));
    view.refresh();
    EXPECT_EQ(view.selected_text(), u"c"_s);
}

}  // namespace
