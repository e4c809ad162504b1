#include "serial_form.h"

#include "history_line_edit.h"
#include "port_combo_box.h"
#include "shell/host/form_host.h"
#include "shell/widgets/line_view.h"
#include "shell/widgets/look.h"
#include "tools/serial/core/hex_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStringEncoder>
#include <QVBoxLayout>

#include <limits>

namespace {

const QColor kBackground = rgb(255, 255, 192);
const QColor kOpenFace = rgb(0, 255, 0);
const QColor kCloseFace = rgb(255, 0, 0);
const QColor kButtonFace = rgb(128, 255, 128);
const QString kAllFiles = QStringLiteral("所有文件（*.*）|*.*");
constexpr qint64 kSendBlock = 16 * 1024;
constexpr int kReconnectMs = 1000;
constexpr int kStatusMs = 50;

const int kBauds[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200, 230400, 460800, 921600};

QPushButton* button(const QString& caption, const QColor& face) {
    auto* b = new QPushButton(caption);
    b->setAccessibleName(caption);
    set_face(b, face);
    return b;
}

QCheckBox* check_box(const QString& caption) {
    auto* box = new QCheckBox(caption);
    box->setAccessibleName(caption);
    return box;
}

// A box of fixed choices, each with the value it stands for.
QComboBox* choices(const QString& name, const QList<std::pair<QString, QVariant>>& items) {
    auto* box = new QComboBox;
    box->setAccessibleName(name);
    for (const auto& [text, value] : items) {
        box->addItem(text, value);
    }
    return box;
}

QLabel* label_for(const QString& caption, QWidget* control) {
    auto* label = new QLabel(caption);
    label->setBuddy(control);
    return label;
}

void select_value(QComboBox* box, const QVariant& value) {
    const int index = box->findData(value);
    if (index >= 0) {
        box->setCurrentIndex(index);
    }
}

// Whether the device file is there to open; elsewhere than Unix, trying is the only test.
bool device_present(const QString& device) {
#ifdef Q_OS_UNIX
    return QFileInfo::exists(device.contains(u'/') ? device : QStringLiteral("/dev/") + device);
#else
    Q_UNUSED(device);
    return true;
#endif
}

}  // namespace

SerialForm::SerialForm(FormHost& host)
    : Form(host, QStringLiteral("串口工具"), QStringLiteral("串口工具"), 12000, 8400, kBackground) {
    build_controls();
    if (auto settings = host.settings()) {
        m_settings.load(*settings);
    }
    show_settings();
    m_log.set_options({m_settings.hex_view, m_settings.timestamps, m_settings.encoding});

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
        m_log.set_paused(on);
        m_view->refresh();
        show_status();
    });
    connect(findChild<QPushButton*>(QStringLiteral("clear_button")), &QPushButton::clicked, this,
            [this] {
                m_log.clear();
                m_received.clear();
                m_view->refresh();
                show_status();
            });
    connect(m_send_line, &QLineEdit::returnPressed, this, &SerialForm::on_send);
    connect(findChild<QPushButton*>(QStringLiteral("send_button")), &QPushButton::clicked, this,
            &SerialForm::on_send);
    connect(m_hex_send, &QCheckBox::toggled, this, [this](bool on) { m_settings.hex_send = on; });
    connect(m_line_end, &QComboBox::currentIndexChanged, this, [this] {
        m_settings.line_end = static_cast<LineEnd>(m_line_end->currentData().toInt());
    });
    connect(m_timed_send, &QCheckBox::toggled, this, &SerialForm::on_timed_send_toggled);
    connect(m_interval, &QSpinBox::valueChanged, this, [this](int ms) {
        m_settings.interval_ms = ms;
        m_send_timer.setInterval(ms);
    });
    // While the port is away the timer idles, and sends again once it is back.
    connect(&m_send_timer, &QTimer::timeout, this, [this] {
        if (m_device && !send_line(false)) {
            m_timed_send->setChecked(false);
        }
    });
    connect(findChild<QPushButton*>(QStringLiteral("send_file_button")), &QPushButton::clicked,
            this, &SerialForm::on_send_file);
    connect(m_cancel_send, &QPushButton::clicked, this, [this] {
        if (m_device) {
            m_device->discard_output();
        }
        end_file_send();
    });
    connect(findChild<QPushButton*>(QStringLiteral("save_button")), &QPushButton::clicked, this,
            &SerialForm::on_save_received);
    connect(m_record_box, &QCheckBox::toggled, this, &SerialForm::on_record_toggled);
    connect(m_auto_reconnect, &QCheckBox::toggled, this, [this](bool on) {
        m_settings.auto_reconnect = on;
        if (on && m_state == State::kVanished) {
            m_reconnect_timer.start();
        } else if (!on) {
            m_reconnect_timer.stop();
        }
        show_status();
    });
    m_status_timer.setSingleShot(true);
    m_status_timer.setInterval(kStatusMs);
    connect(&m_status_timer, &QTimer::timeout, this, [this] {
        m_view->refresh();
        show_status();
    });
    m_reconnect_timer.setInterval(kReconnectMs);
    connect(&m_reconnect_timer, &QTimer::timeout, this, &SerialForm::on_reconnect_tick);
    show_status();
}

// Also when the program deletes the window without closing it.
SerialForm::~SerialForm() {
    save_settings();
}

void SerialForm::build_controls() {
    m_port = new PortComboBox;
    m_port->setObjectName(QStringLiteral("port"));
    m_port->setAccessibleName(QStringLiteral("端口"));
    m_port->setMinimumContentsLength(16);
    m_baud = new QComboBox;
    m_baud->setEditable(true);
    m_baud->setAccessibleName(QStringLiteral("波特率"));
    for (int baud : kBauds) {
        m_baud->addItem(QString::number(baud));
    }
    m_baud->setValidator(new QIntValidator(1, std::numeric_limits<int>::max(), m_baud));
    m_data_bits = choices(QStringLiteral("数据位"), {{QStringLiteral("5"), 5},
                                                     {QStringLiteral("6"), 6},
                                                     {QStringLiteral("7"), 7},
                                                     {QStringLiteral("8"), 8}});
    m_parity = choices(QStringLiteral("校验"), {{QStringLiteral("无"), 'N'},
                                                {QStringLiteral("奇"), 'O'},
                                                {QStringLiteral("偶"), 'E'},
                                                {QStringLiteral("标记"), 'M'},
                                                {QStringLiteral("空格"), 'S'}});
    m_stop_bits =
        choices(QStringLiteral("停止位"),
                {{QStringLiteral("1"), 1}, {QStringLiteral("1.5"), 3}, {QStringLiteral("2"), 2}});
    m_flow = choices(QStringLiteral("流控"),
                     {{QStringLiteral("无"), static_cast<int>(SerialFlow::kNone)},
                      {QStringLiteral("硬件"), static_cast<int>(SerialFlow::kHardware)},
                      {QStringLiteral("软件"), static_cast<int>(SerialFlow::kSoftware)}});
    m_open_button = button(QStringLiteral("打开串口"), kOpenFace);
    m_open_button->setObjectName(QStringLiteral("open_button"));

    auto* port_row = new QHBoxLayout;
    port_row->addWidget(label_for(QStringLiteral("端口"), m_port));
    port_row->addWidget(m_port, 1);
    for (QComboBox* box : {m_baud, m_data_bits, m_parity, m_stop_bits, m_flow}) {
        port_row->addWidget(label_for(box->accessibleName(), box));
        port_row->addWidget(box);
    }
    port_row->addWidget(m_open_button);

    m_view = new LineView(m_lines, this);
    m_view->setObjectName(QStringLiteral("receive_view"));
    m_view->setAccessibleName(QStringLiteral("接收区"));
    m_view->setFont(new_song_font(10));
    m_view->setMinimumHeight(160);
    set_background(m_view->viewport(), rgb(255, 255, 255));

    m_hex_view = check_box(QStringLiteral("十六进制显示"));
    m_timestamps = check_box(QStringLiteral("显示时间"));
    m_encoding =
        choices(QStringLiteral("编码"), {{QStringLiteral("GBK"), QStringLiteral("GBK")},
                                         {QStringLiteral("UTF-8"), QStringLiteral("UTF-8")}});
    m_pause = check_box(QStringLiteral("暂停"));
    QPushButton* clear = button(QStringLiteral("清除接收"), kButtonFace);
    clear->setObjectName(QStringLiteral("clear_button"));
    QPushButton* save = button(QStringLiteral("保存接收"), kButtonFace);
    save->setObjectName(QStringLiteral("save_button"));
    m_record_box = check_box(QStringLiteral("记录到文件"));
    m_auto_reconnect = check_box(QStringLiteral("自动重连"));
    auto* view_row = new QHBoxLayout;
    view_row->addWidget(m_hex_view);
    view_row->addWidget(m_timestamps);
    view_row->addWidget(label_for(QStringLiteral("编码"), m_encoding));
    view_row->addWidget(m_encoding);
    view_row->addWidget(m_pause);
    view_row->addWidget(clear);
    view_row->addStretch(1);
    view_row->addWidget(save);
    view_row->addWidget(m_record_box);
    view_row->addWidget(m_auto_reconnect);

    m_send_line = new HistoryLineEdit;
    m_send_line->setObjectName(QStringLiteral("send_line"));
    m_send_line->setAccessibleName(QStringLiteral("发送区"));
    QPushButton* send = button(QStringLiteral("发送"), kButtonFace);
    send->setObjectName(QStringLiteral("send_button"));
    auto* send_row = new QHBoxLayout;
    send_row->addWidget(label_for(QStringLiteral("发送区"), m_send_line));
    send_row->addWidget(m_send_line, 1);
    send_row->addWidget(send);

    m_hex_send = check_box(QStringLiteral("十六进制发送"));
    m_line_end = choices(QStringLiteral("行尾"), {{QStringLiteral("无"), 0},
                                                  {QStringLiteral("CR"), 1},
                                                  {QStringLiteral("LF"), 2},
                                                  {QStringLiteral("CR LF"), 3}});
    m_timed_send = check_box(QStringLiteral("定时发送"));
    m_interval = new QSpinBox;
    m_interval->setAccessibleName(QStringLiteral("定时间隔"));
    m_interval->setRange(10, 60000);
    m_interval->setSuffix(QStringLiteral(" ms"));
    QPushButton* send_file = button(QStringLiteral("发送文件"), kButtonFace);
    send_file->setObjectName(QStringLiteral("send_file_button"));
    m_send_progress = new QProgressBar;
    m_send_progress->setAccessibleName(QStringLiteral("发送进度"));
    m_send_progress->setRange(0, 1000);
    m_send_progress->hide();
    m_cancel_send = button(QStringLiteral("取消发送"), kCloseFace);
    m_cancel_send->hide();
    auto* option_row = new QHBoxLayout;
    option_row->addWidget(m_hex_send);
    option_row->addWidget(label_for(QStringLiteral("行尾"), m_line_end));
    option_row->addWidget(m_line_end);
    option_row->addWidget(m_timed_send);
    option_row->addWidget(m_interval);
    option_row->addStretch(1);
    option_row->addWidget(send_file);
    option_row->addWidget(m_send_progress);
    option_row->addWidget(m_cancel_send);

    m_status = new QLabel;
    m_status->setAccessibleName(QStringLiteral("状态"));
    m_received_label = new QLabel;
    m_received_label->setAccessibleName(QStringLiteral("接收字节数"));
    m_sent_label = new QLabel;
    m_sent_label->setAccessibleName(QStringLiteral("发送字节数"));
    auto* status_row = new QHBoxLayout;
    status_row->addWidget(m_status, 1);
    status_row->addWidget(m_received_label);
    status_row->addSpacing(16);
    status_row->addWidget(m_sent_label);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(port_row);
    layout->addWidget(m_view, 1);
    layout->addLayout(view_row);
    layout->addLayout(send_row);
    layout->addLayout(option_row);
    layout->addLayout(status_row);
}

void SerialForm::show_settings() {
    refresh_ports();
    if (m_settings.port.isEmpty() && m_port->count() > 0) {
        m_port->setCurrentIndex(0);  // nothing remembered: the first port listed
    } else {
        m_port->set_device(m_settings.port);
    }
    m_port->lineEdit()->setCursorPosition(0);  // a long description shows its start
    m_baud->setEditText(QString::number(m_settings.line.baud));
    select_value(m_data_bits, m_settings.line.data_bits);
    select_value(m_parity, m_settings.line.parity);
    select_value(m_stop_bits, m_settings.line.stop_bits);
    select_value(m_flow, static_cast<int>(m_settings.line.flow));
    m_hex_view->setChecked(m_settings.hex_view);
    m_timestamps->setChecked(m_settings.timestamps);
    select_value(m_encoding, m_settings.encoding);
    m_hex_send->setChecked(m_settings.hex_send);
    select_value(m_line_end, static_cast<int>(m_settings.line_end));
    m_interval->setValue(m_settings.interval_ms);
    m_send_timer.setInterval(m_settings.interval_ms);
    m_auto_reconnect->setChecked(m_settings.auto_reconnect);
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
    const int baud = m_baud->currentText().toInt();
    if (baud > 0) {
        m_settings.line.baud = baud;
    }
    m_settings.line.data_bits = m_data_bits->currentData().toInt();
    m_settings.line.parity = static_cast<char>(m_parity->currentData().toInt());
    m_settings.line.stop_bits = m_stop_bits->currentData().toInt();
    m_settings.line.flow = static_cast<SerialFlow>(m_flow->currentData().toInt());
    if (m_device) {
        m_state_words = m_device->set_line(m_settings.line)
                            ? QString()
                            : QStringLiteral("（设备不接受这些设置）");
    }
    show_status();
}

void SerialForm::on_view_changed() {
    m_settings.hex_view = m_hex_view->isChecked();
    m_settings.timestamps = m_timestamps->isChecked();
    m_settings.encoding = m_encoding->currentData().toString();
    m_log.set_options({m_settings.hex_view, m_settings.timestamps, m_settings.encoding});
    m_view->refresh();
}

void SerialForm::on_open_clicked() {
    if (m_device) {
        close_port(State::kClosed);
    } else {
        m_reconnect_timer.stop();
        open_port(false);
    }
}

bool SerialForm::open_port(bool reconnecting) {
    const QString path = reconnecting ? m_device_path : m_port->device();
    if (path.isEmpty()) {
        host().message(QStringLiteral("请先选择或输入端口"));
        return false;
    }
    if (reconnecting && !device_present(path)) {
        return false;
    }
    std::unique_ptr<SerialDevice> device = host().serial_device(path);
    if (!device || !device->open_read_write(m_settings.line)) {
        if (!reconnecting) {
            const QString reason =
                device ? open_failure_text(path, device->failure(), device->failure_text())
                       : open_failure_text(path, SerialFailure::kNoDevice, {});
            set_state(State::kFailed, reason);
            host().message(reason);
        }
        return false;
    }
    m_device = std::move(device);
    m_device_path = path;
    m_settings.port = path;
    connect(m_device.get(), &SerialDevice::bytes_arrived, this, &SerialForm::on_bytes_arrived);
    connect(m_device.get(), &SerialDevice::failed, this, &SerialForm::on_device_failed);
    connect(m_device.get(), &SerialDevice::bytes_sent, this, &SerialForm::on_bytes_sent);
    m_open_button->setText(QStringLiteral("关闭串口"));
    m_open_button->setAccessibleName(QStringLiteral("关闭串口"));
    set_face(m_open_button, kCloseFace);
    set_state(State::kOpen);
    save_settings();
    return true;
}

void SerialForm::close_port(State state) {
    end_file_send();
    stop_recording();
    if (m_device) {
        m_device->disconnect(this);
        m_device->close();
        // It may be the device whose signal is being handled.
        m_device.release()->deleteLater();
    }
    m_open_button->setText(QStringLiteral("打开串口"));
    m_open_button->setAccessibleName(QStringLiteral("打开串口"));
    set_face(m_open_button, kOpenFace);
    if (state == State::kVanished && m_settings.auto_reconnect) {
        m_reconnect_timer.start();
    } else {
        m_reconnect_timer.stop();
    }
    set_state(state);
}

void SerialForm::on_bytes_arrived() {
    if (!m_device || !m_device->is_open()) {
        return;
    }
    const QByteArray bytes = m_device->read(m_device->bytes_waiting());
    if (bytes.isEmpty()) {
        return;
    }
    m_received_count += bytes.size();
    m_received.append(bytes);
    if (m_record.isOpen() && m_record.write(bytes) != bytes.size()) {
        const QString reason = m_record.errorString();
        const QString name = QDir::toNativeSeparators(m_record.fileName());
        stop_recording();
        host().message(QStringLiteral("记录文件写入失败，记录已停止：%1\r%2").arg(name, reason));
    }
    m_log.append(bytes, host().time_of_day());
    // The view and the counts follow a fast stream a few times a second, not at every read.
    if (!m_status_timer.isActive()) {
        m_status_timer.start();
    }
}

void SerialForm::on_device_failed() {
    // Bytes that came before the end are still shown and recorded.
    on_bytes_arrived();
    close_port(State::kVanished);
}

void SerialForm::on_reconnect_tick() {
    if (m_device || m_state != State::kVanished || !m_settings.auto_reconnect) {
        m_reconnect_timer.stop();
        return;
    }
    if (open_port(true)) {
        m_reconnect_timer.stop();
    }
}

void SerialForm::on_bytes_sent(qint64 count) {
    m_sent_count += count;
    if (m_send_file) {
        m_send_done += count;
        const qint64 size = m_send_file->size();
        if (m_send_done >= size) {
            end_file_send();
        } else {
            m_send_progress->setValue(static_cast<int>(m_send_done * 1000 / size));
            send_next_block();
        }
    }
    show_status();
}

void SerialForm::on_send() {
    send_line(true);
}

bool SerialForm::send_line(bool remember) {
    if (!m_device) {
        host().message(QStringLiteral("串口未打开，请先打开串口"));
        return false;
    }
    const QString text = m_send_line->text();
    QByteArray bytes;
    if (m_settings.hex_send) {
        const HexParse parse = parse_hex(text);
        if (!parse.ok()) {
            host().message(hex_error_text(text, parse));
            return false;
        }
        bytes = parse.bytes;
    } else {
        bytes = encoded(text) + line_end_bytes(m_settings.line_end);
    }
    if (remember) {
        m_send_line->remember(text);
    }
    if (!bytes.isEmpty()) {
        m_device->write(bytes);
    }
    return true;
}

void SerialForm::on_timed_send_toggled(bool on) {
    if (on) {
        m_send_timer.start();
    } else {
        m_send_timer.stop();
    }
}

void SerialForm::on_send_file() {
    if (!m_device) {
        host().message(QStringLiteral("串口未打开，请先打开串口"));
        return;
    }
    if (m_send_file) {
        return;
    }
    const auto path = host().open_file({QStringLiteral("发送文件"), kAllFiles, {}, {}});
    if (!path) {
        return;
    }
    auto file = std::make_unique<QFile>(*path);
    if (!file->open(QIODevice::ReadOnly)) {
        host().message(QStringLiteral("无法打开文件：%1\r%2")
                           .arg(QDir::toNativeSeparators(*path), file->errorString()));
        return;
    }
    if (file->size() == 0) {
        return;
    }
    m_send_file = std::move(file);
    m_send_done = 0;
    m_send_progress->setValue(0);
    m_send_progress->show();
    m_cancel_send->show();
    findChild<QPushButton*>(QStringLiteral("send_file_button"))->setEnabled(false);
    send_next_block();
}

// One block at a time, the next when the port has taken the last: the queue stays small, and
// the window never waits on a slow port.
void SerialForm::send_next_block() {
    if (!m_send_file || !m_device || m_device->bytes_to_write() > 0 || m_send_file->atEnd()) {
        return;
    }
    const QByteArray block = m_send_file->read(kSendBlock);
    if (block.isEmpty()) {
        host().message(QStringLiteral("读取文件失败：%1").arg(m_send_file->errorString()));
        end_file_send();
        return;
    }
    m_device->write(block);
}

void SerialForm::end_file_send() {
    m_send_file.reset();
    m_send_progress->hide();
    m_cancel_send->hide();
    findChild<QPushButton*>(QStringLiteral("send_file_button"))->setEnabled(true);
}

void SerialForm::on_save_received() {
    const auto path = host().save_file({QStringLiteral("保存接收"), kAllFiles, {}, {}});
    if (!path) {
        return;
    }
    if (const auto error = m_received.save_to(*path)) {
        host().message(
            QStringLiteral("无法保存文件：%1\r%2").arg(QDir::toNativeSeparators(*path), *error));
    }
}

void SerialForm::on_record_toggled(bool on) {
    if (!on) {
        m_record.close();
        return;
    }
    const auto path = host().save_file({QStringLiteral("记录到文件"), kAllFiles, {}, {}});
    if (!path) {
        m_record_box->setChecked(false);
        return;
    }
    m_record.setFileName(*path);
    // Unbuffered: each read is in the file as soon as it arrives.
    if (!m_record.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        m_record_box->setChecked(false);
        host().message(QStringLiteral("无法写入文件：%1\r%2")
                           .arg(QDir::toNativeSeparators(*path), m_record.errorString()));
    }
}

void SerialForm::stop_recording() {
    m_record.close();
    m_record_box->setChecked(false);
}

void SerialForm::set_state(State state, const QString& words) {
    m_state = state;
    m_state_words = words;
    show_status();
}

void SerialForm::show_status() {
    QString text;
    switch (m_state) {
        case State::kClosed:
            text = m_device_path.isEmpty() ? QStringLiteral("未打开")
                                           : QStringLiteral("%1 已关闭").arg(m_device_path);
            break;
        case State::kOpen:
            text = QStringLiteral("%1 %2%3").arg(m_device_path, line_summary(m_settings.line),
                                                 m_state_words);
            break;
        case State::kVanished:
            text = QStringLiteral("%1 已断开").arg(m_device_path);
            if (m_settings.auto_reconnect) {
                text += QStringLiteral("，设备回来时自动重连");
            }
            break;
        case State::kFailed:
            text = m_state_words;
            break;
    }
    if (m_log.paused()) {
        text += QStringLiteral("　已暂停，%1 字节未显示").arg(m_log.held_bytes());
    }
    m_status->setText(text);
    m_received_label->setText(QStringLiteral("收 %1 字节").arg(m_received_count));
    m_sent_label->setText(QStringLiteral("发 %1 字节").arg(m_sent_count));
}

QByteArray SerialForm::encoded(const QString& text) const {
    QStringEncoder encoder(decoder_name(m_settings.encoding));
    return encoder(text);
}

void SerialForm::save_settings() {
    m_settings.port = m_device_path.isEmpty() ? m_port->device() : m_device_path;
    if (auto settings = host().settings()) {
        m_settings.save(*settings);
    }
}
