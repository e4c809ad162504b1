#include "shell/qt_host/qt_serial_device.h"
#include "shell/widgets/line_view.h"
#include "tests/support/form_test.h"
#include "tests/support/pseudo_terminal.h"
#include "tools/serial/core/hex_text.h"
#include "tools/serial/form/plot_panel.h"
#include "tools/serial/form/serial_form.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// The board at the far end of a pseudo-terminal pair; the terminal opens the other end.
class Board {
public:
    Board() {
        const std::optional<PseudoTerminal> pair = open_pseudo_terminal();
        EXPECT_TRUE(pair);
        if (pair) {
            m_master = pair->master;
            device = pair->device;
            fcntl(m_master, F_SETFL, O_NONBLOCK);
        }
    }
    ~Board() { ::close(m_master); }

    void write(const QByteArray& bytes) {
        EXPECT_EQ(::write(m_master, bytes.constData(), bytes.size()), bytes.size());
    }
    // Everything the terminal has sent so far.
    const QByteArray& heard() {
        char buffer[65536];
        for (ssize_t n; (n = ::read(m_master, buffer, sizeof buffer)) > 0;) {
            m_heard.append(buffer, n);
        }
        return m_heard;
    }

    QString device;

private:
    int m_master = -1;
    QByteArray m_heard;
};

class SerialLineTest : public FormTest<SerialForm> {
protected:
    void SetUp() override {
        m_host.make_serial_device = [](const QString& path) {
            return std::make_unique<QtSerialDevice>(path);
        };
        plug_in();
        FormTest::SetUp();
    }

    // A new board behind the same path, as an adapter plugged in again.
    void plug_in() {
        m_board = std::make_unique<Board>();
        QFile::remove(m_path);
        ASSERT_EQ(
            ::symlink(m_board->device.toLocal8Bit().constData(), m_path.toLocal8Bit().constData()),
            0);
    }
    template <typename Control = QWidget>
    Control* find(const QString& name) {
        return control<Control>(m_form, name);
    }
    void open(const QString& path) {
        retype(find<QComboBox>(u"port"_s), path);
        click(find<QPushButton>(u"打开串口"_s));
    }
    // What a screen reader reads of the 接收区, through its text interface.
    QString shown() {
        QAccessibleTextInterface* text =
            QAccessible::queryAccessibleInterface(find(u"接收区"_s))->textInterface();
        return text->text(0, text->characterCount());
    }
    bool shows(const QString& text) {
        return QTest::qWaitFor([&] { return shown() == text; }, 3000);
    }
    bool board_hears(const QByteArray& bytes) {
        return QTest::qWaitFor([&] { return m_board->heard() == bytes; }, 3000);
    }
    QString label(const QString& name) { return find<QLabel>(name)->text(); }
    QString file(const QString& name) { return m_dir.filePath(name); }
    QByteArray contents(const QString& name) {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("missing");
    }

    QTemporaryDir m_dir;
    QString m_path = m_dir.filePath(u"ttyUSB0"_s);
    std::unique_ptr<Board> m_board;
};

// A user's session: text and hex both ways, 暂停, 记录到文件, 清除接收 then 保存接收, and the
// settings the next time the window opens.
TEST_F(SerialLineTest, BothWaysPausedRecordedClearedSavedAndRemembered) {
    m_host.now = QTime(10, 8, 38, 250);
    retype(find<QComboBox>(u"baud"_s), u"57600"_s);
    open(m_path);
    ASSERT_TRUE(m_form->is_port_open());
    EXPECT_EQ(label(u"status"_s), m_path + u" 57600 8N1"_s);
    EXPECT_TRUE(find<QCheckBox>(u"DTR"_s)->isChecked() && find<QCheckBox>(u"RTS"_s)->isChecked());
    m_host.answer_dialog(file(u"record.bin"_s));
    click(find<QCheckBox>(u"记录到文件"_s));
    m_board->write(QByteArray::fromHex("68692C20C4E3BAC30D0A"));
    EXPECT_TRUE(shows(u"hi, 你好"_s));

    auto* line = find<QLineEdit>(u"发送区"_s);
    find<QComboBox>(u"line_end"_s)->setCurrentText(u"CR LF"_s);
    retype(line, u"AT+GMR"_s);
    QTest::keyClick(line, Qt::Key_Return);
    EXPECT_TRUE(board_hears("AT+GMR\r\n"));
    click(find<QCheckBox>(u"十六进制发送"_s));
    for (const QString& typed : {u"55 aa 0D"_s, u"5G"_s}) {
        retype(line, typed);
        click(find<QPushButton>(u"发送"_s));
    }
    EXPECT_EQ(m_host.messages, std::vector<QString>{hex_error_text(u"5G"_s, parse_hex(u"5G"_s))});
    EXPECT_TRUE(board_hears(QByteArray("AT+GMR\r\n\x55\xAA\x0D")));
    QTest::keyClick(line, Qt::Key_Up);
    QTest::keyClick(line, Qt::Key_Up);
    EXPECT_EQ(line->text(), u"AT+GMR"_s);

    click(find<QCheckBox>(u"十六进制显示"_s));
    click(find<QCheckBox>(u"显示时间"_s));
    m_host.now = QTime(10, 8, 39, 7);
    m_board->write(QByteArray::fromHex("55AA2710FF"));
    EXPECT_TRUE(
        shows(u"[10:08:38.250] 68 69 2C 20 C4 E3 BA C3 0D 0A\n[10:08:39.007] 55 AA 27 10 FF"_s));
    EXPECT_EQ(label(u"received_count"_s), u"收 15 字节"_s);
    EXPECT_EQ(label(u"sent_count"_s), u"发 11 字节"_s);

    click(find<QCheckBox>(u"pause"_s));
    m_board->write("\x01\x02");
    EXPECT_TRUE(QTest::qWaitFor([&] { return label(u"received_count"_s) == u"收 17 字节"_s; }));
    EXPECT_TRUE(label(u"status"_s).endsWith(u"已暂停，2 字节未显示"_s));
    click(find<QCheckBox>(u"pause"_s));
    QTest::keyClick(m_form->view(), Qt::Key_A, Qt::ControlModifier);
    ASSERT_TRUE(m_form->view()->has_selection());
    click(find<QPushButton>(u"清除接收"_s));
    EXPECT_FALSE(m_form->view()->has_selection());  // the view shows the cleared log at once
    m_board->write("\x03");
    EXPECT_TRUE(shows(u"[10:08:39.007] 03"_s));
    click(find<QPushButton>(u"关闭串口"_s));
    EXPECT_FALSE(find<QCheckBox>(u"记录到文件"_s)->isChecked());
    m_host.answer_dialog(file(u"saved.bin"_s));
    click(find<QPushButton>(u"保存接收"_s));
    EXPECT_EQ(contents(u"saved.bin"_s), "\x03");
    EXPECT_EQ(contents(u"record.bin"_s).toHex(), "68692c20c4e3bac30d0a55aa2710ff010203");
    EXPECT_EQ(label(u"received_count"_s), u"收 18 字节"_s);

    click(find<QCheckBox>(u"DTR"_s));
    click(find<QCheckBox>(u"RTS"_s));
    reopen();
    EXPECT_FALSE(find<QCheckBox>(u"DTR"_s)->isChecked());
    EXPECT_FALSE(find<QCheckBox>(u"RTS"_s)->isChecked());
    EXPECT_EQ(find<QComboBox>(u"port"_s)->currentText(), m_path);
    EXPECT_EQ(find<QComboBox>(u"baud"_s)->currentText(), u"57600"_s);
    EXPECT_TRUE(find<QCheckBox>(u"十六进制发送"_s)->isChecked());
}

TEST_F(SerialLineTest, AVanishedDeviceIsReopenedWhenItComesBack) {
    click(find<QCheckBox>(u"自动重连"_s));
    open(m_path);
    m_board->write("before\n");
    EXPECT_TRUE(shows(u"before"_s));
    // The adapter is pulled: its device goes, and so does its name (another pseudo-terminal may
    // take the number).
    m_board.reset();
    QFile::remove(m_path);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !m_form->is_port_open(); }, 3000));
    EXPECT_TRUE(label(u"status"_s).startsWith(m_path + u" 已断开"_s));
    EXPECT_EQ(find<QPushButton>(u"打开串口"_s)->text(), u"打开串口"_s);
    QTest::qWait(1200);  // polling finds nothing meanwhile
    EXPECT_FALSE(m_form->is_port_open());

    plug_in();
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_form->is_port_open(); }, 3000));
    m_board->write("after\n");
    EXPECT_TRUE(shows(u"before\nafter"_s));
    EXPECT_TRUE(m_host.messages.empty());
}

// A port another program holds is named busy, in a message and on the status line.
TEST_F(SerialLineTest, ABusyPortIsExplained) {
    QtSerialDevice holder(m_path);
    ASSERT_TRUE(holder.open_read_write({}));
    open(m_path);
    EXPECT_FALSE(m_form->is_port_open());
    ASSERT_EQ(m_host.messages.size(), 1u);
    EXPECT_TRUE(m_host.messages[0].contains(u"端口正被另一个程序占用"_s));
    EXPECT_EQ(label(u"status"_s), m_host.messages[0]);
}

// 发送文件 shows its progress until the whole file has gone; 定时发送 repeats the line on its
// timer until it is unticked.
TEST_F(SerialLineTest, AFileAndATimedLineGoOut) {
    const QByteArray bytes = QByteArray("firmware").repeated(4096);
    QFile out(file(u"firmware.bin"_s));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
    out.close();
    open(m_path);
    m_host.answer_dialog(out.fileName());
    click(find<QPushButton>(u"发送文件"_s));
    EXPECT_TRUE(find(u"发送进度"_s)->isVisible());
    EXPECT_FALSE(find(u"发送文件"_s)->isEnabled());
    EXPECT_TRUE(board_hears(bytes));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !find(u"发送进度"_s)->isVisible(); }));
    retype(find<QSpinBox>(u"定时间隔"_s), u"100"_s);
    retype(find<QLineEdit>(u"发送区"_s), u"x"_s);
    click(find<QCheckBox>(u"定时发送"_s));
    EXPECT_TRUE(board_hears(bytes + "xxx"));
    click(find<QCheckBox>(u"定时发送"_s));
    QTest::qWait(300);
    EXPECT_EQ(m_board->heard(), bytes + "xxx");
    EXPECT_EQ(label(u"sent_count"_s), u"发 %1 字节"_s.arg(bytes.size() + 3));
}

// The 接收区's lines tell the view what went from the top and when they were made anew: a
// selection keeps to its line while the oldest lines go, and goes when the log is cleared.
TEST(ReceiveLogLines, KeepASelectionOnItsLineUntilTheLinesAreMadeAnew) {
    ReceiveLog log(ReceiveLog::kKeptBytes, 4);
    ReceiveLogLines lines(log);
    LineView view(lines, nullptr);
    view.show();
    log.append("a\nb\nc\n", QTime(10, 0));
    view.refresh();
    view.select({2, 0}, {2, 1});
    ASSERT_EQ(view.selected_text(), u"c"_s);
    log.append("d\ne\nf\n", QTime(10, 0, 1));
    view.refresh();
    EXPECT_EQ(view.selected_text(), u"c"_s);
    log.clear();
    log.append("x\ny\nz\n", QTime(10, 0, 2));
    view.refresh();
    EXPECT_FALSE(view.has_selection());
}

// The board prints readings that the 波形 tab plots, a saved Modbus command goes out with its
// CRC, 自动换行 wraps the view, and 核对接收校验和 judges a received frame.
TEST_F(SerialLineTest, PlotsReadingsSendsASavedCommandWrapsAndChecksReceivedFrames) {
    open(m_path);
    auto* tabs = find<QTabWidget>(u"receive_tabs"_s);
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(1).center());
    ASSERT_EQ(tabs->currentWidget(), m_form->plot());
    m_board->write("adc=512 temp=24.5\r\nadc=513 temp=24.75\r\n");
    const SampleStore& store = m_form->plot()->store();
    EXPECT_TRUE(QTest::qWaitFor([&] { return store.record_count() == 2; }));
    const SampleChannel* temp = store.channel(u"temp"_s);
    ASSERT_TRUE(temp && temp->size() == 2);
    EXPECT_EQ(temp->at(1).value, 24.75);

    // 多条发送: a Modbus request saved with its CRC goes out with the check appended.
    click(find(u"多条发送"_s));
    ASSERT_TRUE(find(u"command_panel"_s)->isVisible());
    retype(find(u"command_name"_s), u"read"_s);
    retype(find(u"command_text"_s), u"01 03 00 00 00 0A"_s);
    click(find(u"十六进制"_s));
    choose_item(m_form, u"command_checksum"_s, u"CRC-16/MODBUS"_s);
    click(find(u"添加"_s));
    click(find(u"send_command_0"_s));
    EXPECT_TRUE(board_hears(QByteArray::fromHex("01030000000AC5CD")));

    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(0).center());
    click(find(u"自动换行"_s));
    EXPECT_TRUE(m_form->view()->wrap());

    // 核对接收校验和 with the send line's 校验和, on a hex view.
    click(find(u"十六进制显示"_s));
    click(find(u"清除接收"_s));
    choose_item(m_form, u"checksum"_s, u"CRC-16/MODBUS"_s);
    click(find(u"核对接收校验和"_s));
    m_board->write(QByteArray::fromHex("01030000000AC5CD"));
    EXPECT_TRUE(shows(u"01 03 00 00 00 0A C5 CD  校验正确"_s)) << shown().toStdString();
    // A hex send carries the same check.
    click(find(u"十六进制发送"_s));
    retype(find(u"发送区"_s), u"01 03 00 00 00 0A"_s);
    QTest::keyClick(find(u"发送区"_s), Qt::Key_Return);
    EXPECT_TRUE(board_hears(QByteArray::fromHex("01030000000AC5CD01030000000AC5CD")));

    reopen();
    EXPECT_TRUE(find<QCheckBox>(u"自动换行"_s)->isChecked());
    EXPECT_TRUE(m_form->view()->wrap());
    EXPECT_TRUE(find<QCheckBox>(u"核对接收校验和"_s)->isChecked());
    EXPECT_EQ(find<QComboBox>(u"checksum"_s)->currentText(), u"CRC-16/MODBUS"_s);
    EXPECT_TRUE(m_host.messages.empty());
}

}  // namespace
