#include "serial_form.h"

#include "history_line_edit.h"
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
#include <QVBoxLayout>

#include <limits>

namespace {

const QColor kBackground = rgb(255, 255, 192);
const QColor kOpenFace = rgb(0, 255, 0);
const QColor kCloseFace = rgb(255, 0, 0);
const QColor kButtonFace = rgb(128, 255, 128);
const QString kAllFiles = QStringLiteral("所有文件（*.*）|*.*");
constexpr int kRefreshMs = 50;

const int kBauds[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200, 230400, 460800, 921600};

QHBoxLayout* row_of(std::initializer_list<QWidget*> widgets) {
    auto* row = new QHBoxLayout;
    for (QWidget* widget : widgets) {
        row->addWidget(widget);
    }
    return row;
}

}  // namespace

SerialForm::SerialForm(FormHost& host)
    : Form(host, QStringLiteral("串口工具"), QStringLiteral("串口工具"), 12000, 8400, kBackground),
      m_session(host) {
    build_controls();
    m_session.load_settings();
    show_settings();
    connect_controls();
    show_status();
}

// Also when the program deletes the window without closing it.
SerialForm::~SerialForm() {
    save_settings();
}

void SerialForm::build_controls() {
    m_port = new PortComboBox;
    m_port->setObjectName(QStringLiteral("port"));
    m_port->setMinimumContentsLength(16);
    m_baud = new_choice_box(QStringLiteral("baud"), QStringLiteral("波特率"), {});
    m_baud->setEditable(true);
    for (int baud : kBauds) {
        m_baud->addItem(QString::number(baud));
    }
    m_baud->setValidator(new QIntValidator(1, std::numeric_limits<int>::max(), m_baud));
    m_data_bits = new_choice_box(QStringLiteral("data_bits"), QStringLiteral("数据位"),
                                 {{QStringLiteral("5"), 5},
                                  {QStringLiteral("6"), 6},
                                  {QStringLiteral("7"), 7},
                                  {QStringLiteral("8"), 8}});
    m_parity = new_choice_box(QStringLiteral("parity"), QStringLiteral("校验"),
                              {{QStringLiteral("无"), 'N'},
                               {QStringLiteral("奇"), 'O'},
                               {QStringLiteral("偶"), 'E'},
                               {QStringLiteral("标记"), 'M'},
                               {QStringLiteral("空格"), 'S'}});
    m_stop_bits = new_choice_box(
        QStringLiteral("stop_bits"), QStringLiteral("停止位"),
        {{QStringLiteral("1"), 1}, {QStringLiteral("1.5"), 3}, {QStringLiteral("2"), 2}});
    m_flow = new_choice_box(QStringLiteral("flow"), QStringLiteral("流控"),
                            {{QStringLiteral("无"), static_cast<int>(SerialFlow::kNone)},
                             {QStringLiteral("硬件"), static_cast<int>(SerialFlow::kHardware)},
                             {QStringLiteral("软件"), static_cast<int>(SerialFlow::kSoftware)}});
    m_open_button =
        new_button(QStringLiteral("open_button"), QStringLiteral("打开串口"), kOpenFace);
    auto* port_row = new QHBoxLayout;
    add_labelled(port_row, QStringLiteral("端口"), m_port, 1);
    for (QComboBox* box : {m_baud, m_data_bits, m_parity, m_stop_bits, m_flow}) {
        add_labelled(port_row, box->accessibleDescription(), box);
    }
    port_row->addWidget(m_open_button);

    m_view = new LineView(m_lines, this);
    m_view->setObjectName(QStringLiteral("receive_view"));
    m_view->setAccessibleName(QStringLiteral("接收区"));
    m_view->setFont(new_song_font(10));
    m_view->setMinimumHeight(160);
    set_background(m_view->viewport(), rgb(255, 255, 255));

    m_hex_view = new_check_box(QStringLiteral("hex_view"), QStringLiteral("十六进制显示"));
    m_timestamps = new_check_box(QStringLiteral("timestamps"), QStringLiteral("显示时间"));
    m_encoding = new_choice_box(QStringLiteral("encoding"), QStringLiteral("编码"),
                                {{QStringLiteral("GBK"), QStringLiteral("GBK")},
                                 {QStringLiteral("UTF-8"), QStringLiteral("UTF-8")}});
    m_pause = new_check_box(QStringLiteral("pause"), QStringLiteral("暂停"));
    m_clear_button =
        new_button(QStringLiteral("clear_button"), QStringLiteral("清除接收"), kButtonFace);
    m_save_button =
        new_button(QStringLiteral("save_button"), QStringLiteral("保存接收"), kButtonFace);
    m_record = new_check_box(QStringLiteral("record"), QStringLiteral("记录到文件"));
    auto* view_row = row_of({m_hex_view, m_timestamps});
    add_labelled(view_row, QStringLiteral("编码"), m_encoding);
    for (QWidget* widget : std::initializer_list<QWidget*>{m_pause, m_clear_button}) {
        view_row->addWidget(widget);
    }
    view_row->addStretch(1);
    view_row->addWidget(m_save_button);
    view_row->addWidget(m_record);

    m_auto_reconnect = new_check_box(QStringLiteral("auto_reconnect"), QStringLiteral("自动重连"));
    m_dtr = new_check_box(QStringLiteral("dtr"), QStringLiteral("DTR"));
    m_rts = new_check_box(QStringLiteral("rts"), QStringLiteral("RTS"));
    m_break_button =
        new_button(QStringLiteral("break_button"), QStringLiteral("发送中断"), kButtonFace);
    auto* board_row = row_of({m_dtr, m_rts, m_break_button});
    board_row->addStretch(1);
    board_row->addWidget(m_auto_reconnect);

    m_send_line = new HistoryLineEdit;
    m_send_line->setObjectName(QStringLiteral("send_line"));
    m_send_line->setAccessibleName(QStringLiteral("发送区"));
    m_send_button = new_button(QStringLiteral("send_button"), QStringLiteral("发送"), kButtonFace);
    auto* send_row = new QHBoxLayout;
    add_labelled(send_row, QStringLiteral("发送区"), m_send_line, 1);
    send_row->addWidget(m_send_button);

    m_hex_send = new_check_box(QStringLiteral("hex_send"), QStringLiteral("十六进制发送"));
    m_line_end = new_choice_box(QStringLiteral("line_end"), QStringLiteral("行尾"),
                                {{QStringLiteral("无"), 0},
                                 {QStringLiteral("CR"), 1},
                                 {QStringLiteral("LF"), 2},
                                 {QStringLiteral("CR LF"), 3}});
    m_timed_send = new_check_box(QStringLiteral("timed_send"), QStringLiteral("定时发送"));
    m_interval =
        new_spin_box(QStringLiteral("interval"), QStringLiteral("定时间隔"), 10, 60000, 1000);
    m_interval->setSuffix(QStringLiteral(" ms"));
    m_send_file_button =
        new_button(QStringLiteral("send_file_button"), QStringLiteral("发送文件"), kButtonFace);
    m_send_progress = new QProgressBar;
    m_send_progress->setObjectName(QStringLiteral("send_progress"));
    m_send_progress->setAccessibleName(QStringLiteral("发送进度"));
    m_send_progress->setRange(0, 1000);
    m_send_progress->hide();
    m_cancel_send =
        new_button(QStringLiteral("cancel_send"), QStringLiteral("取消发送"), kCloseFace);
    m_cancel_send->hide();
    auto* option_row = row_of({m_hex_send});
    add_labelled(option_row, QStringLiteral("行尾"), m_line_end);
    for (QWidget* widget : std::initializer_list<QWidget*>{m_timed_send, m_interval}) {
        option_row->addWidget(widget);
    }
    option_row->addStretch(1);
    for (QWidget* widget :
         std::initializer_list<QWidget*>{m_send_file_button, m_send_progress, m_cancel_send}) {
        option_row->addWidget(widget);
    }

    m_status = new_value_label(QStringLiteral("status"), QStringLiteral("状态"));
    m_received_label =
        new_value_label(QStringLiteral("received_count"), QStringLiteral("接收字节数"));
    m_sent_label = new_value_label(QStringLiteral("sent_count"), QStringLiteral("发送字节数"));
    auto* status_row = new QHBoxLayout;
    status_row->addWidget(m_status, 1);
    status_row->addWidget(m_received_label);
    status_row->addSpacing(16);
    status_row->addWidget(m_sent_label);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(port_row);
    layout->addWidget(m_view, 1);
    for (QHBoxLayout* row : {view_row, board_row, send_row, option_row, status_row}) {
        layout->addLayout(row);
    }
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
    connect(m_pause, &QCheckBox::toggled, this, [this](bool on) {
        m_session.set_paused(on);
        m_view->refresh();
    });
    connect(m_clear_button, &QPushButton::clicked, this, [this] {
        m_session.clear_received();
        m_view->refresh();
    });
    connect(m_save_button, &QPushButton::clicked, this, [this] {
        if (const auto path = host().save_file({QStringLiteral("保存接收"), kAllFiles, {}, {}})) {
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
        if (on) {
            m_session.start_timed_send(m_send_line->text());
        } else {
            m_session.stop_timed_send();
        }
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
        } else if (const auto path =
                       host().open_file({QStringLiteral("发送文件"), kAllFiles, {}, {}})) {
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
    m_hex_send->setChecked(settings.hex_send);
    select_value(m_line_end, static_cast<int>(settings.line_end));
    m_interval->setValue(settings.interval_ms);
    m_auto_reconnect->setChecked(settings.auto_reconnect);
    m_dtr->setChecked(settings.dtr);
    m_rts->setChecked(settings.rts);
}

void SerialForm::refresh_ports() {
    const QString typed = m_port->currentText();
    m_port->clear();
    for (const SerialPortInfo& port : host().serial_ports()) {
        const QString text = port.description.isEmpty()
                                 ? port.name
                                 : QStringLiteral("%1 — %2").arg(port.name, port.description);
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
    const auto path = host().save_file({QStringLiteral("记录到文件"), kAllFiles, {}, {}});
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
    m_open_button->setText(open ? QStringLiteral("关闭串口") : QStringLiteral("打开串口"));
    m_open_button->setAccessibleName(m_open_button->text());
    set_face(m_open_button, open ? kCloseFace : kOpenFace);
    m_status->setText(m_session.status_text());
    m_received_label->setText(QStringLiteral("收 %1 字节").arg(m_session.received_count()));
    m_sent_label->setText(QStringLiteral("发 %1 字节").arg(m_session.sent_count()));
}

void SerialForm::save_settings() {
    if (!m_session.is_open() && m_session.device_path().isEmpty()) {
        // Nothing opened: the port typed or chosen is the one to remember.
        TerminalSettings settings = m_session.settings();
        settings.port = m_port->device();
        if (auto stored = host().settings()) {
            settings.save(*stored);
        }
        return;
    }
    m_session.save_settings();
}
