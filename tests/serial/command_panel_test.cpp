#include "tools/serial/form/command_panel.h"
#include "tests/support/form_driver.h"
#include "tests/support/qt_printers.h"
#include "tests/support/recording_form_host.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

class CommandPanelTest : public ::testing::Test {
protected:
    void SetUp() override { reopen(); }

    // A new panel on the same host, as when the terminal opens again.
    void reopen() {
        m_panel = std::make_unique<CommandPanel>(m_host, [this](const QByteArray& bytes) {
            m_sent.push_back(bytes);
            return m_port_open;
        });
        m_panel->resize(1200, 400);
        m_panel->show();
    }
    template <typename Control = QWidget>
    Control* find(const QString& name) {
        return control<Control>(m_panel.get(), name);
    }
    bool enabled(const QString& name) { return find(name)->isEnabled(); }
    QTableWidget* table() { return find<QTableWidget>(u"command_table"_s); }
    // The first `columns` cells of each row, joined by "|".
    QStringList rows(int columns = 1) {
        QStringList rows;
        for (int row = 0; row < table()->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < columns; ++column) {
                cells << table()->item(row, column)->text();
            }
            rows << cells.join(u'|');
        }
        return rows;
    }
    void click_row(int row) {
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, {},
                          table()->visualItemRect(table()->item(row, 1)).center());
    }
    // Opens the list of a combo box and clicks `item`, within the part of its row the list shows
    // (a narrow box's rows reach past its list).
    void choose(const QString& name, const QString& item) {
        auto* box = find<QComboBox>(name);
        box->showPopup();
        QAbstractItemView* list = box->view();
        const QRect row = list->visualRect(list->model()->index(box->findText(item), 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          row.intersected(list->viewport()->rect()).center());
    }
    // Fills the editor as a user does and presses 添加.
    void add(const QString& name, const QString& text, bool hex, const QString& line_end,
             const QString& checksum, int delay_ms, bool looped) {
        retype(find(u"command_name"_s), name);
        retype(find(u"command_text"_s), text);
        if (find<QCheckBox>(u"十六进制"_s)->isChecked() != hex) {
            click(find(u"十六进制"_s));
        }
        choose(u"command_line_end"_s, line_end);
        choose(u"command_checksum"_s, checksum);
        retype(find(u"延时"_s), QString::number(delay_ms));
        if (find<QCheckBox>(u"循环"_s)->isChecked() != looped) {
            click(find(u"循环"_s));
        }
        click(find(u"添加"_s));
    }
    QTimer* loop_timer() { return m_panel->findChild<QTimer*>(u"loop_timer"_s); }
    // The loop's timer goes off with the host's steady clock at `ms`.
    void wake_at(qint64 ms) {
        m_host.steady = ms;
        ASSERT_TRUE(loop_timer()->isActive());
        loop_timer()->stop();
        QMetaObject::invokeMethod(loop_timer(), "timeout");
    }
    QString loop_status() { return find<QLabel>(u"loop_status"_s)->text(); }

    RecordingFormHost m_host;
    std::unique_ptr<CommandPanel> m_panel;
    std::vector<QByteArray> m_sent;
    bool m_port_open = true;
    QTemporaryDir m_dir;
};

TEST_F(CommandPanelTest, SavesSendsLoopsExportsAndImportsCommands) {
    // Tab walks the editor in the order it reads, on to the buttons that use it.
    m_panel->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_panel.get()));
    find(u"command_name"_s)->setFocus();
    QStringList order{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        // A spin box hands its focus to the editor inside it.
        order.append(qobject_cast<QSpinBox*>(focus->parentWidget())
                         ? focus->parentWidget()->objectName()
                         : focus->objectName());
    }
    EXPECT_EQ(order, QStringList({u"command_name"_s, u"command_text"_s, u"command_hex"_s,
                                  u"command_line_end"_s, u"command_checksum"_s, u"command_delay"_s,
                                  u"command_loop"_s, u"add_command"_s}));
    for (const QString& name : {u"编辑"_s, u"删除"_s, u"上移"_s, u"下移"_s, u"导出"_s}) {
        EXPECT_FALSE(enabled(name)) << name.toStdString();
    }
    click(find(u"循环发送"_s));  // nothing to loop
    EXPECT_FALSE(find<QCheckBox>(u"循环发送"_s)->isChecked());
    add(u"read"_s, u"01 03 00 00 00 0A"_s, true, u"无"_s, u"CRC-16/MODBUS"_s, 100, true);
    EXPECT_EQ(rows(6), QStringList(u"read|01 03 00 00 00 0A|是|无|CRC-16/MODBUS|100 ms"_s));
    // The new row is chosen: it can be edited and removed, but not moved either way.
    EXPECT_TRUE(enabled(u"编辑"_s) && enabled(u"删除"_s));
    EXPECT_FALSE(enabled(u"上移"_s) || enabled(u"下移"_s));
    click(find(u"send_command_0"_s));
    EXPECT_EQ(m_sent, std::vector<QByteArray>{QByteArray::fromHex("01030000000AC5CD")});

    add(u"version"_s, u"AT+GMR"_s, false, u"CR LF"_s, u"无"_s, 300, true);
    add(u"bad"_s, u"12 G4"_s, true, u"无"_s, u"无"_s, 10, false);
    add(u"reset"_s, u"RST"_s, false, u"CR"_s, u"累加和"_s, 10, false);
    EXPECT_EQ(rows(), QStringList({u"read"_s, u"version"_s, u"reset"_s}));
    EXPECT_EQ(m_host.messages,
              (std::vector<QString>{
                  u"没有勾选“循环”的命令，请先在列表中勾选要循环发送的命令"_s,
                  u"命令“bad”：十六进制发送：第 4 个字符“G”不是十六进制数字，未发送"_s}));

    // The chosen row fills the editor; 编辑 writes it back.
    click_row(0);
    EXPECT_TRUE(find<QCheckBox>(u"十六进制"_s)->isChecked());
    click_row(1);
    EXPECT_EQ(find<QLineEdit>(u"command_text"_s)->text(), u"AT+GMR"_s);
    EXPECT_EQ(find<QComboBox>(u"command_checksum"_s)->currentText(), u"无"_s);
    retype(find(u"command_name"_s), u"ver"_s);
    click(find(u"编辑"_s));
    click(find(u"send_command_1"_s));
    EXPECT_EQ(m_sent.back(), QByteArray("AT+GMR\r\n"));
    click_row(2);
    EXPECT_TRUE(enabled(u"上移"_s));
    EXPECT_FALSE(enabled(u"下移"_s));
    click(find(u"上移"_s));
    EXPECT_EQ(rows(), QStringList({u"read"_s, u"reset"_s, u"ver"_s}));
    EXPECT_TRUE(enabled(u"上移"_s) && enabled(u"下移"_s));  // the moved row stays chosen

    // 循环发送 on the host's steady clock; a row ticked in the table while looping joins in.
    m_sent.clear();
    m_host.steady = 1000;
    click(find(u"循环发送"_s));
    EXPECT_EQ(loop_timer()->interval(), 100);
    wake_at(1090);  // early: nothing is due yet, the rest is waited for
    EXPECT_TRUE(m_sent.empty());
    EXPECT_EQ(loop_timer()->interval(), 10);
    table()->setCurrentCell(1, 6);
    QTest::keyClick(table(), Qt::Key_Space);
    wake_at(1100);
    wake_at(1110);
    EXPECT_EQ(m_sent, (std::vector<QByteArray>{QByteArray::fromHex("01030000000AC5CD"),
                                               QByteArray("RST\xF9\r", 5)}));
    EXPECT_EQ(loop_status(), u"循环发送中：已发送 2 条"_s);
    click(find(u"循环发送"_s));
    EXPECT_FALSE(loop_timer()->isActive());
    EXPECT_EQ(loop_status(), u"循环发送已停止"_s);
    // A send that does not go stops the loop.
    m_port_open = false;
    click(find(u"循环发送"_s));
    wake_at(m_host.steady + 100);
    EXPECT_FALSE(find<QCheckBox>(u"循环发送"_s)->isChecked());
    EXPECT_EQ(loop_status(), u"循环发送已停止：“read”未能发出"_s);

    // 导出, then 导入 brings the list back; a file that is not a list leaves it as it was.
    const QList<SavedCommand> exported = m_panel->list().commands;
    const QString path = m_dir.filePath(u"命令.json"_s);
    m_host.answer_dialog(path);
    click(find(u"导出"_s));
    EXPECT_EQ(m_host.dialogs.back().options.default_extension, u".json"_s);
    click_row(0);
    click(find(u"删除"_s));
    EXPECT_EQ(rows(), QStringList({u"reset"_s, u"ver"_s}));
    m_host.answer_dialog(path);
    click(find(u"导入"_s));
    EXPECT_EQ(m_panel->list().commands, exported);
    QFile bad(m_dir.filePath(u"bad.json"_s));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly) && bad.write("name=AT\n") == 8);
    bad.close();
    m_host.answer_dialog(bad.fileName());
    click(find(u"导入"_s));
    EXPECT_EQ(m_host.messages.back(),
              u"%1 不是命令列表，未导入：\r不是 JSON 文件"_s.arg(bad.fileName()));
    EXPECT_EQ(rows(), QStringList({u"read"_s, u"reset"_s, u"ver"_s}));

    // Kept for the next run, with whether the panel shows.
    QCheckBox* toggle = m_panel->new_toggle();
    QWidget terminal;  // the window that hosts the box
    (new QHBoxLayout(&terminal))->addWidget(toggle);
    terminal.show();
    EXPECT_FALSE(toggle->isChecked() || m_panel->isVisible());
    click(toggle);
    EXPECT_TRUE(m_panel->isVisible());
    reopen();
    EXPECT_EQ(m_panel->list().commands, exported);
    EXPECT_EQ(rows(), QStringList({u"read"_s, u"reset"_s, u"ver"_s}));
    EXPECT_TRUE(std::unique_ptr<QCheckBox>(m_panel->new_toggle())->isChecked());
}

}  // namespace
