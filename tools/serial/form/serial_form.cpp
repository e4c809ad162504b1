#include "serial_form.h"

#include "checksum_choice.h"
#include "command_panel.h"
#include "form_rows.h"
#include "history_line_edit.h"
#include "plot_panel.h"
#include "port_combo_box.h"
#include "shell/host/form_host.h"
#include "shell/widgets/layout_kit.h"
#include "shell/widgets/line_view.h"
#include "shell/widgets/look.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

const QColor kBackground = rgb(255, 255, 192);
const QColor kOpenFace = rgb(0, 255, 0);
const QColor kCloseFace = rgb(255, 0, 0);
const QColor kButtonFace = rgb(128, 255, 128);
const QString kAllFiles = u"所有文件（*.*）|*.*"_s;
constexpr int kRefreshMs = 50;

const int kBauds[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200, 230400, 460800, 921600};

}  // namespace

SerialForm::SerialForm(FormHost& host)
    : Form(host, u"串口工具"_s, u"串口工具"_s, 12000, 8400, kBackground), m_session(host) {
    build_controls();
    m_session.load_settings();
    show_settings();
    connect_controls();
    show_status();
}

// Also when the program deletes the window without closing it.
SerialForm::~SerialForm() {
    m_session.save_settings(m_port->device());
}

void SerialForm::build_controls() {
    m_port = new PortComboBox;
    m_port->setObjectName(u"port"_s);
    m_port->setMinimumContentsLength(16);
    m_baud = new_choice_box(u"baud"_s, u"波特率"_s, {});
    m_baud->setEditable(true);
    for (int baud : kBauds) {
        m_baud->addItem(QString::number(baud));
    }
    m_baud->setValidator(new QIntValidator(1, std::numeric_limits<int>::max(), m_baud));
    m_data_bits = new_choice_box(u"data_bits"_s, u"数据位"_s,
                                 choice_items({u"5"_s, u"6"_s, u"7"_s, u"8"_s}, {5, 6, 7, 8}));
    m_parity = new_choice_box(
        u"parity"_s, u"校验"_s,
        choice_items({u"无"_s, u"奇"_s, u"偶"_s, u"标记"_s, u"空格"_s}, {'N', 'O', 'E', 'M', 'S'}));
    m_stop_bits = new_choice_box(u"stop_bits"_s, u"停止位"_s,
                                 choice_items({u"1"_s, u"1.5"_s, u"2"_s}, {1, 3, 2}));
    m_flow = new_choice_box(u"flow"_s, u"流控"_s,
                            choice_items({u"无"_s, u"硬件"_s, u"软件"_s}, {0, 1, 2}));
    m_open_button = new_button(u"open_button"_s, u"打开串口"_s, kOpenFace);
    auto* port_row = row_of({new_buddy_label(u"端口"_s, m_port)});
    port_row->addWidget(m_port, 1);
    for (QComboBox* box : {m_baud, m_data_bits, m_parity, m_stop_bits, m_flow}) {
        add_labelled(port_row, box->accessibleDescription(), box);
    }
    port_row->addWidget(m_open_button);

    m_view = new LineView(m_lines, this);
    m_view->setObjectName(u"receive_view"_s);
    m_view->setAccessibleName(u"接收区"_s);
    m_view->setFont(fixed_pitch_song_font(10));
    m_view->setMinimumHeight(160);
    set_background(m_view->viewport(), rgb(255, 255, 255));
    m_plot = new PlotPanel(host());
    m_plot->setObjectName(u"plot"_s);
    m_tabs = new QTabWidget;
    m_tabs->setObjectName(u"receive_tabs"_s);
    m_tabs->addTab(m_view, u"接收区"_s);
    m_tabs->addTab(m_plot, u"波形"_s);

    m_hex_view = new_check_box(u"hex_view"_s, u"十六进制显示"_s);
    m_timestamps = new_check_box(u"timestamps"_s, u"显示时间"_s);
    m_encoding = new_choice_box(u"encoding"_s, u"编码"_s,
                                choice_items({u"GBK"_s, u"UTF-8"_s}, {u"GBK"_s, u"UTF-8"_s}));
    m_wrap = new_check_box(u"wrap"_s, u"自动换行"_s);
    m_check_received = new_check_box(u"check_received"_s, u"核对接收校验和"_s);
    m_pause = new_check_box(u"pause"_s, u"暂停"_s);
    m_clear_button = new_button(u"clear_button"_s, u"清除接收"_s, kButtonFace);
    m_save_button = new_button(u"save_button"_s, u"保存接收"_s, kButtonFace);
    m_record = new_check_box(u"record"_s, u"记录到文件"_s);
    m_auto_reconnect = new_check_box(u"auto_reconnect"_s, u"自动重连"_s);
    m_dtr = new_check_box(u"dtr"_s, u"DTR"_s);
    m_rts = new_check_box(u"rts"_s, u"RTS"_s);
    m_break_button = new_button(u"break_button"_s, u"发送中断"_s, kButtonFace);

    m_send_line = new HistoryLineEdit;
    m_send_line->setObjectName(u"send_line"_s);
    m_send_line->setAccessibleName(u"发送区"_s);
    m_send_button = new_button(u"send_button"_s, u"发送"_s, kButtonFace);
    auto* send_row = row_of({new_buddy_label(u"发送区"_s, m_send_line)});
    send_row->addWidget(m_send_line, 1);
    send_row->addWidget(m_send_button);

    m_hex_send = new_check_box(u"hex_send"_s, u"十六进制发送"_s);
    m_checksum = new_checksum_box(u"checksum"_s);
    m_commands =
        new CommandPanel(host(), [this](const QByteArray& bytes) { return m_session.send(bytes); });
    m_commands_toggle = m_commands->new_toggle();
    m_line_end =
        new_choice_box(u"line_end"_s, u"行尾"_s,
                       choice_items({u"无"_s, u"CR"_s, u"LF"_s, u"CR LF"_s}, {0, 1, 2, 3}));
    m_timed_send = new_check_box(u"timed_send"_s, u"定时发送"_s);
    m_interval = new_spin_box(u"interval"_s, u"定时间隔"_s, 10, 60000, 1000);
    m_interval->setSuffix(u" ms"_s);
    m_send_file_button = new_button(u"send_file_button"_s, u"发送文件"_s, kButtonFace);
    m_send_progress = new QProgressBar;
    m_send_progress->setObjectName(u"send_progress"_s);
    m_send_progress->setAccessibleName(u"发送进度"_s);
    m_send_progress->setRange(0, 1000);
    m_send_progress->hide();
    m_cancel_send = new_button(u"cancel_send"_s, u"取消发送"_s, kCloseFace);
    m_cancel_send->hide();

    m_status = new_value_label(u"status"_s, u"状态"_s);
    m_received_label = new_value_label(u"received_count"_s, u"接收字节数"_s);
    m_sent_label = new_value_label(u"sent_count"_s, u"发送字节数"_s);
    auto* status_row = row_of({m_received_label, m_sent_label});
    status_row->insertWidget(0, m_status, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(port_row);
    layout->addWidget(m_tabs, 1);
    auto* send_options = row_of({m_hex_send});
    add_checksum_choice(send_options, m_checksum);
    send_options->addLayout(
        row_of({new_buddy_label(u"行尾"_s, m_line_end), m_line_end, m_timed_send, m_interval,
                m_commands_toggle, nullptr, m_send_file_button, m_send_progress, m_cancel_send}),
        1);
    for (QHBoxLayout* row :
         {row_of({m_hex_view, m_timestamps, new_buddy_label(u"编码"_s, m_encoding), m_encoding,
                  m_wrap, m_check_received, m_pause, m_clear_button, nullptr, m_save_button,
                  m_record}),
          row_of({m_dtr, m_rts, m_break_button, nullptr, m_auto_reconnect}), send_row,
          send_options}) {
        layout->addLayout(row);
    }
    layout->addWidget(m_commands);
    layout->addLayout(status_row);
}

void SerialForm::connect_controls() {
    connect(m_port, &PortComboBox::opening, this, &SerialForm::refresh_ports);
    for (QComboBox* box : {m_baud, m_data_bits, m_parity, m_stop_bits, m_flow}) {
        connect(box, &QComboBox::currentTextChanged, this, &SerialForm::on_line_changed);
    }
    connect(m_open_button, &QPushButton::clicked, this, &SerialForm::on_open_clicked);
    for (QCheckBox* box : {m_hex_view, m_timestamps}) {
        connect(box, &QCheckBox::toggled, this, &SerialForm::on_view_changed);
    }
    connect(m_encoding, &QComboBox::currentIndexChanged, this, &SerialForm::on_view_changed);
    connect(m_wrap, &QCheckBox::toggled, m_view, &LineView::set_wrap);
    connect(m_view, &LineView::wrap_changed, this, [this](bool wrap) {
        m_wrap->setChecked(wrap);
        m_session.set_wrap(wrap);
    });
    connect(m_checksum, &QComboBox::currentIndexChanged, this, &SerialForm::on_checksum_changed);
    connect(m_check_received, &QCheckBox::toggled, this, &SerialForm::on_checksum_changed);
    connect(m_pause, &QCheckBox::toggled, this, [this](bool on) {
        m_session.set_paused(on);
        m_view->refresh();
    });
    connect(m_clear_button, &QPushButton::clicked, this, [this] {
        m_session.clear_received();
        m_view->refresh();
    });
    connect(m_save_button, &QPushButton::clicked, this, [this] {
        if (const auto path = host().save_file({u"保存接收"_s, kAllFiles, {}, {}})) {
            m_session.save_received(*path);
        }
    });
    connect(m_record, &QCheckBox::toggled, this, &SerialForm::on_record_toggled);
    connect(m_auto_reconnect, &QCheckBox::toggled, &m_session, &SerialSession::set_auto_reconnect);
    connect(m_dtr, &QCheckBox::toggled, &m_session, &SerialSession::set_dtr);
    connect(m_rts, &QCheckBox::toggled, &m_session, &SerialSession::set_rts);
    connect(m_break_button, &QPushButton::clicked, &m_session, &SerialSession::send_break);
    auto send = [this] {
        if (m_session.send_line(m_send_line->text())) {
            m_send_line->remember(m_send_line->text());
        }
    };
    connect(m_send_line, &QLineEdit::returnPressed, this, send);
    connect(m_send_button, &QPushButton::clicked, this, send);
    auto send_options = [this] {
        m_session.set_send_options(m_hex_send->isChecked(),
                                   static_cast<LineEnd>(m_line_end->currentData().toInt()));
    };
    connect(m_hex_send, &QCheckBox::toggled, this, send_options);
    connect(m_line_end, &QComboBox::currentIndexChanged, this, send_options);
    connect(m_timed_send, &QCheckBox::toggled, this, [this](bool on) {
        on ? m_session.start_timed_send(m_send_line->text()) : m_session.stop_timed_send();
    });
    // The line typed while it runs is the one sent next.
    connect(m_send_line, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (m_session.is_timed_sending()) {
            m_session.start_timed_send(text);
        }
    });
    connect(&m_session, &SerialSession::timed_send_changed, m_timed_send, &QCheckBox::setChecked);
    connect(m_interval, &QSpinBox::valueChanged, &m_session, &SerialSession::set_interval);
    connect(m_send_file_button, &QPushButton::clicked, this, [this] {
        if (!m_session.is_open()) {
            m_session.send(QByteArray());  // says the port is closed
        } else if (const auto path = host().open_file({u"发送文件"_s, kAllFiles, {}, {}})) {
            m_session.send_file(*path);
        }
    });
    connect(m_cancel_send, &QPushButton::clicked, &m_session, &SerialSession::cancel_file_send);
    connect(&m_session, &SerialSession::file_send_changed, this, &SerialForm::on_file_send_changed);
    connect(&m_session, &SerialSession::recording_changed, m_record, [this](bool on) {
        const QSignalBlocker quiet(m_record);
        m_record->setChecked(on);
    });
    connect(&m_session, &SerialSession::state_changed, this, &SerialForm::show_status);
    connect(&m_session, &SerialSession::counts_changed, this, &SerialForm::show_status);
    // The view and the counts follow a fast stream a few times a second, not at every read.
    m_refresh_timer.setSingleShot(true);
    m_refresh_timer.setInterval(kRefreshMs);
    connect(&m_session, &SerialSession::bytes_received, m_plot, &PlotPanel::add_bytes);
    connect(m_plot, &PlotPanel::choices_changed, this,
            [this] { m_session.set_plot(m_plot->choices()); });
    connect(&m_session, &SerialSession::bytes_received, this, [this] {
        if (!m_refresh_timer.isActive()) {
            m_refresh_timer.start();
        }
    });
    connect(&m_refresh_timer, &QTimer::timeout, this, [this] {
        m_view->refresh();
        show_status();
    });
}

void SerialForm::show_settings() {
    const TerminalSettings& settings = m_session.settings();
    refresh_ports();
    if (settings.port.isEmpty() && m_port->count() > 0) {
        m_port->setCurrentIndex(0);  // nothing remembered: the first port listed
    } else {
        m_port->set_device(settings.port);
    }
    m_port->lineEdit()->setCursorPosition(0);  // a long description shows its start
    m_baud->setEditText(QString::number(settings.line.baud));
    select_value(m_data_bits, settings.line.data_bits);
    select_value(m_parity, settings.line.parity);
    select_value(m_stop_bits, settings.line.stop_bits);
    select_value(m_flow, static_cast<int>(settings.line.flow));
    m_hex_view->setChecked(settings.hex_view);
    m_timestamps->setChecked(settings.timestamps);
    select_value(m_encoding, settings.encoding);
    m_wrap->setChecked(settings.wrap);
    m_view->set_wrap(settings.wrap);
    m_check_received->setChecked(settings.check_received);
    show_checksum(m_checksum, settings.send_check);
    m_commands->set_encoding(settings.encoding);
    m_hex_send->setChecked(settings.hex_send);
    select_value(m_line_end, static_cast<int>(settings.line_end));
    m_interval->setValue(settings.interval_ms);
    m_auto_reconnect->setChecked(settings.auto_reconnect);
    m_dtr->setChecked(settings.dtr);
    m_rts->setChecked(settings.rts);
    m_plot->set_choices(settings.plot);
}

void SerialForm::refresh_ports() {
    const QString typed = m_port->currentText();
    m_port->clear();
    for (const SerialPortInfo& port : host().serial_ports()) {
        const QString text =
            port.description.isEmpty() ? port.name : u"%1 — %2"_s.arg(port.name, port.description);
        m_port->addItem(text, port.device);
    }
    m_port->setEditText(typed);
}

void SerialForm::on_line_changed() {
    SerialLine line = m_session.settings().line;
    const int baud = m_baud->currentText().toInt();
    if (baud > 0) {
        line.baud = baud;
    }
    line.data_bits = m_data_bits->currentData().toInt();
    line.parity = static_cast<char>(m_parity->currentData().toInt());
    line.stop_bits = m_stop_bits->currentData().toInt();
    line.flow = static_cast<SerialFlow>(m_flow->currentData().toInt());
    m_session.set_line(line);
}

void SerialForm::on_view_changed() {
    m_session.set_view(
        {m_hex_view->isChecked(), m_timestamps->isChecked(), m_encoding->currentData().toString()});
    m_commands->set_encoding(m_encoding->currentData().toString());
    m_view->refresh();
}

void SerialForm::on_checksum_changed() {
    m_session.set_checksum(shown_checksum(m_checksum));
    m_session.set_check_received(m_check_received->isChecked());
    m_view->refresh();
}

void SerialForm::on_open_clicked() {
    if (m_session.is_open()) {
        m_session.close();
    } else {
        m_session.open(m_port->device());
    }
}

void SerialForm::on_record_toggled(bool on) {
    if (!on) {
        m_session.stop_recording();
        return;
    }
    const auto path = host().save_file({u"记录到文件"_s, kAllFiles, {}, {}});
    if (!path || !m_session.start_recording(*path)) {
        const QSignalBlocker quiet(m_record);
        m_record->setChecked(false);
    }
}

void SerialForm::on_file_send_changed() {
    const bool sending = m_session.is_sending_file();
    m_send_progress->setVisible(sending);
    m_cancel_send->setVisible(sending);
    m_send_file_button->setEnabled(!sending);
    if (sending && m_session.file_size() > 0) {
        m_send_progress->setValue(
            static_cast<int>(m_session.file_sent() * 1000 / m_session.file_size()));
    }
}

void SerialForm::show_status() {
    const bool open = m_session.is_open();
    m_open_button->setText(open ? u"关闭串口"_s : u"打开串口"_s);
    m_open_button->setAccessibleName(m_open_button->text());
    set_face(m_open_button, open ? kCloseFace : kOpenFace);
    m_status->setText(m_session.status_text());
    m_received_label->setText(u"收 %1 字节"_s.arg(m_session.received_count()));
    m_sent_label->setText(u"发 %1 字节"_s.arg(m_session.sent_count()));
}
