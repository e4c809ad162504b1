#include "command_panel.h"

#include "checksum_choice.h"
#include "shell/host/form_host.h"
#include "shell/widgets/layout_kit.h"
#include "shell/widgets/look.h"
#include "tools/serial/core/saved_command_file.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QColor kButtonFace = rgb(128, 255, 128);

enum Column { kName, kText, kHex, kLineEnd, kChecksum, kDelay, kLoop, kSend, kColumns };

const QString kFileFilter = QStringLiteral("命令列表（*.json）|*.json|所有文件（*.*）|*.*");

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

}  // namespace

CommandPanel::CommandPanel(FormHost& host, Send send, QWidget* parent)
    : QWidget(parent), m_host(host), m_send(std::move(send)) {
    setObjectName(QStringLiteral("command_panel"));
    build_controls();
    if (auto settings = m_host.settings()) {
        m_list.load(*settings);
    }
    fill_table();
    on_row_chosen();

    connect(m_table, &QTableWidget::itemSelectionChanged, this, &CommandPanel::on_row_chosen);
    connect(m_table, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!m_filling && item->column() == kLoop) {
            on_loop_ticked(item->row(), item->checkState() == Qt::Checked);
        }
    });
    connect(m_add, &QPushButton::clicked, this, &CommandPanel::on_add);
    connect(m_edit, &QPushButton::clicked, this, &CommandPanel::on_edit);
    connect(m_remove, &QPushButton::clicked, this, &CommandPanel::on_remove);
    connect(m_up, &QPushButton::clicked, this, [this] { on_move(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { on_move(+1); });
    connect(m_loop_box, &QCheckBox::toggled, this, &CommandPanel::on_loop_toggled);
    connect(m_loop_timer, &QTimer::timeout, this, &CommandPanel::on_loop_timer);
    connect(m_import, &QPushButton::clicked, this, &CommandPanel::on_import);
    connect(m_export, &QPushButton::clicked, this, &CommandPanel::on_export);
}

CommandPanel::~CommandPanel() {
    m_loop.stop();
}

QCheckBox* CommandPanel::new_toggle() {
    QCheckBox* box = new_check_box(QStringLiteral("show_commands"), QStringLiteral("多条发送"));
    box->setChecked(m_list.panel_shown);
    setVisible(m_list.panel_shown);
    connect(box, &QCheckBox::toggled, this, [this](bool on) {
        if (!on && m_loop.running()) {
            m_loop_box->setChecked(false);  // nothing goes on sending out of sight
        }
        setVisible(on);
        m_list.panel_shown = on;
        save_list();
    });
    return box;
}

void CommandPanel::build_controls() {
    m_table = new QTableWidget(0, kColumns);
    m_table->setObjectName(QStringLiteral("command_table"));
    m_table->setAccessibleName(QStringLiteral("命令列表"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("名称"), QStringLiteral("内容"),
                                        QStringLiteral("十六进制"), QStringLiteral("行尾"),
                                        QStringLiteral("校验和"), QStringLiteral("延时"),
                                        QStringLiteral("循环"), QStringLiteral("发送")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(kText, QHeaderView::Stretch);
    m_table->setMinimumHeight(120);

    m_name = new QLineEdit;
    m_name->setObjectName(QStringLiteral("command_name"));
    m_text = new QLineEdit;
    m_text->setObjectName(QStringLiteral("command_text"));
    m_hex = new_check_box(QStringLiteral("command_hex"), QStringLiteral("十六进制"));
    QList<std::pair<QString, QVariant>> ends;
    for (const LineEnd end : {LineEnd::kNone, LineEnd::kCr, LineEnd::kLf, LineEnd::kCrLf}) {
        ends.append({line_end_name(end), static_cast<int>(end)});
    }
    m_line_end = new_choice_box(QStringLiteral("command_line_end"), QStringLiteral("行尾"), ends);
    m_checksum = new_checksum_box(QStringLiteral("command_checksum"));
    m_delay = new_spin_box(QStringLiteral("command_delay"), QStringLiteral("延时"),
                           SavedCommand::kMinDelayMs, SavedCommand::kMaxDelayMs, 1000);
    m_delay->setSuffix(QStringLiteral(" ms"));
    m_looped = new_check_box(QStringLiteral("command_loop"), QStringLiteral("循环"));
    auto* editor_row = new QHBoxLayout;
    add_labelled(editor_row, QStringLiteral("名称"), m_name, 1);
    add_labelled(editor_row, QStringLiteral("内容"), m_text, 3);
    editor_row->addWidget(m_hex);
    add_labelled(editor_row, QStringLiteral("行尾"), m_line_end);
    add_checksum_choice(editor_row, m_checksum);
    add_labelled(editor_row, QStringLiteral("延时"), m_delay);
    editor_row->addWidget(m_looped);

    m_add = new_button(QStringLiteral("add_command"), QStringLiteral("添加"), kButtonFace);
    m_edit = new_button(QStringLiteral("edit_command"), QStringLiteral("编辑"), kButtonFace);
    m_edit->setToolTip(QStringLiteral("把上面的内容写入选中的命令"));
    m_remove = new_button(QStringLiteral("remove_command"), QStringLiteral("删除"), kButtonFace);
    m_up = new_button(QStringLiteral("move_command_up"), QStringLiteral("上移"), kButtonFace);
    m_down = new_button(QStringLiteral("move_command_down"), QStringLiteral("下移"), kButtonFace);
    m_loop_box = new_check_box(QStringLiteral("loop_send"), QStringLiteral("循环发送"));
    m_loop_status = new_value_label(QStringLiteral("loop_status"), QStringLiteral("循环发送状态"));
    m_import = new_button(QStringLiteral("import_commands"), QStringLiteral("导入"), kButtonFace);
    m_export = new_button(QStringLiteral("export_commands"), QStringLiteral("导出"), kButtonFace);
    auto* button_row = new QHBoxLayout;
    for (QPushButton* button : {m_add, m_edit, m_remove, m_up, m_down}) {
        button_row->addWidget(button);
    }
    button_row->addSpacing(16);
    button_row->addWidget(m_loop_box);
    button_row->addWidget(m_loop_status, 1);
    button_row->addWidget(m_import);
    button_row->addWidget(m_export);

    m_loop_timer = new QTimer(this);
    m_loop_timer->setObjectName(QStringLiteral("loop_timer"));
    m_loop_timer->setSingleShot(true);
    m_loop_timer->setTimerType(Qt::PreciseTimer);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table, 1);
    layout->addLayout(editor_row);
    layout->addLayout(button_row);
}

void CommandPanel::fill_table() {
    const int selected = selected_row();
    const int count = static_cast<int>(m_list.commands.size());
    m_filling = true;
    m_table->setRowCount(count);
    for (int row = 0; row < count; ++row) {
        const SavedCommand& command = m_list.commands[row];
        m_table->setItem(row, kName, cell(command.name));
        m_table->setItem(row, kText, cell(command.text));
        m_table->setItem(row, kHex,
                         cell(command.hex ? QStringLiteral("是") : QStringLiteral("否")));
        m_table->setItem(row, kLineEnd, cell(line_end_name(command.line_end)));
        m_table->setItem(row, kChecksum, cell(checksum_name(command.checksum)));
        m_table->setItem(row, kDelay, cell(QStringLiteral("%1 ms").arg(command.delay_ms)));
        QTableWidgetItem* loop = cell({});
        loop->setFlags(loop->flags() | Qt::ItemIsUserCheckable);
        loop->setCheckState(command.looped ? Qt::Checked : Qt::Unchecked);
        m_table->setItem(row, kLoop, loop);
        // A row's button sends whatever command is in its row, so it outlives edits and moves.
        auto* send = qobject_cast<QPushButton*>(m_table->cellWidget(row, kSend));
        if (!send) {
            send = new_button(QStringLiteral("send_command_%1").arg(row), QStringLiteral("发送"),
                              kButtonFace);
            connect(send, &QPushButton::clicked, this, [this, row] { send_command(row); });
            m_table->setCellWidget(row, kSend, send);
        }
        send->setAccessibleName(QStringLiteral("发送 %1").arg(command.name));
    }
    m_filling = false;
    select_row(std::min(selected, count - 1));
}

void CommandPanel::select_row(int row) {
    if (row < 0) {
        m_table->clearSelection();
        m_table->setCurrentItem(nullptr);
    } else {
        m_table->selectRow(row);
    }
    on_row_chosen();
}

int CommandPanel::selected_row() const {
    const QList<QTableWidgetItem*> items = m_table->selectedItems();
    return items.isEmpty() ? -1 : items.first()->row();
}

// The chosen row fills the editor, so that 编辑 starts from what the row holds.
void CommandPanel::on_row_chosen() {
    const int row = selected_row();
    if (row >= 0 && !m_filling) {
        const SavedCommand& command = m_list.commands[row];
        m_name->setText(command.name);
        m_text->setText(command.text);
        m_hex->setChecked(command.hex);
        select_value(m_line_end, static_cast<int>(command.line_end));
        show_checksum(m_checksum, command.checksum);
        m_delay->setValue(command.delay_ms);
        m_looped->setChecked(command.looped);
    }
    show_enable_states();
}

void CommandPanel::show_enable_states() {
    const int row = selected_row();
    const int count = static_cast<int>(m_list.commands.size());
    m_add->setEnabled(count < SavedCommandList::kMaxCommands);
    m_edit->setEnabled(row >= 0);
    m_remove->setEnabled(row >= 0);
    m_up->setEnabled(row > 0);
    m_down->setEnabled(row >= 0 && row < count - 1);
    m_export->setEnabled(count > 0);
}

SavedCommand CommandPanel::edited_command() const {
    SavedCommand command;
    command.text = m_text->text();
    command.name = m_name->text().trimmed().isEmpty() ? command.text : m_name->text();
    command.hex = m_hex->isChecked();
    command.line_end = line_end_from_name(m_line_end->currentText()).value_or(LineEnd::kNone);
    command.checksum = shown_checksum(m_checksum);
    command.delay_ms = m_delay->value();
    command.looped = m_looped->isChecked();
    return command;
}

void CommandPanel::save_list() {
    if (auto settings = m_host.settings()) {
        m_list.save(*settings);
    }
}

void CommandPanel::on_add() {
    const SavedCommand command = edited_command();
    // A hex command that could never be sent is refused now rather than at its first send.
    const CommandBytes bytes = command_bytes(command, m_encoding);
    if (!bytes.ok()) {
        m_host.message(bytes.error);
        return;
    }
    if (m_list.add(command)) {
        fill_table();
        select_row(static_cast<int>(m_list.commands.size()) - 1);
        save_list();
    }
}

void CommandPanel::on_edit() {
    const int row = selected_row();
    const SavedCommand command = edited_command();
    const CommandBytes bytes = command_bytes(command, m_encoding);
    if (!bytes.ok()) {
        m_host.message(bytes.error);
        return;
    }
    if (m_list.replace(row, command)) {
        fill_table();
        save_list();
    }
}

void CommandPanel::on_remove() {
    if (m_list.remove(selected_row())) {
        fill_table();
        save_list();
    }
}

void CommandPanel::on_move(int step) {
    const int row = selected_row();
    if (m_list.move(row, step)) {
        fill_table();
        select_row(row + step);
        save_list();
    }
}

void CommandPanel::on_loop_ticked(int row, bool looped) {
    if (row < 0 || row >= m_list.commands.size()) {
        return;
    }
    m_list.commands[row].looped = looped;
    if (row == selected_row()) {
        m_looped->setChecked(looped);
    }
    save_list();
}

bool CommandPanel::send_command(int row) {
    if (row < 0 || row >= m_list.commands.size()) {
        return false;
    }
    const CommandBytes bytes = command_bytes(m_list.commands[row], m_encoding);
    if (!bytes.ok()) {
        m_host.message(bytes.error);
        return false;
    }
    // The session says itself why bytes did not go; the panel only learns that they did not.
    return m_send(bytes.bytes);
}

void CommandPanel::on_loop_toggled(bool on) {
    if (!on) {
        if (m_loop.running()) {
            stop_loop(QStringLiteral("循环发送已停止"));
        }
        return;
    }
    if (!m_loop.start(m_list.commands, m_host.steady_ms())) {
        m_loop_box->setChecked(false);
        m_host.message(QStringLiteral("没有勾选“循环”的命令，请先在列表中勾选要循环发送的命令"));
        return;
    }
    m_loop_sent = 0;
    m_loop_status->setText(QStringLiteral("循环发送中"));
    arm_loop_timer();
}

void CommandPanel::on_loop_timer() {
    const std::optional<int> row = m_loop.take_due(m_list.commands, m_host.steady_ms());
    if (row) {
        if (!send_command(*row)) {
            stop_loop(
                QStringLiteral("循环发送已停止：“%1”未能发出").arg(m_list.commands[*row].name));
            return;
        }
        ++m_loop_sent;
        m_loop_status->setText(QStringLiteral("循环发送中：已发送 %1 条").arg(m_loop_sent));
    }
    if (!m_loop.running()) {
        stop_loop(QStringLiteral("循环发送已停止：没有勾选“循环”的命令"));
        return;
    }
    arm_loop_timer();
}

// Woken when the next row is due on the host's steady clock; a wake-up that comes early finds
// nothing due and sleeps again for the rest.
void CommandPanel::arm_loop_timer() {
    const qint64 wait = std::max<qint64>(0, m_loop.due_ms() - m_host.steady_ms());
    m_loop_timer->start(static_cast<int>(std::min<qint64>(wait, SavedCommand::kMaxDelayMs)));
}

void CommandPanel::stop_loop(const QString& why) {
    m_loop.stop();
    m_loop_timer->stop();
    m_loop_status->setText(why);
    m_loop_box->setChecked(false);  // toggled again, finds the loop stopped
}

void CommandPanel::on_import() {
    const std::optional<QString> path = m_host.open_file(
        {QStringLiteral("导入命令列表"), kFileFilter, QStringLiteral(".json"), {}});
    if (!path) {
        return;
    }
    if (const auto problem = import_commands(*path, m_list.commands)) {
        m_host.message(*problem);
        return;
    }
    fill_table();
    save_list();
}

void CommandPanel::on_export() {
    const std::optional<QString> path =
        m_host.save_file({QStringLiteral("导出命令列表"), kFileFilter, QStringLiteral(".json"),
                          QStringLiteral("命令列表.json")});
    if (!path) {
        return;
    }
    if (const auto problem = export_commands(*path, m_list.commands)) {
        m_host.message(*problem);
    }
}
