#include "serial_session.h"

#include "hex_text.h"
#include "shell/host/form_host.h"

#include <QDir>
#include <QFileInfo>
#include <QStringEncoder>

#include <algorithm>

namespace {

// Whether the device file is there to open; elsewhere than Unix, trying is the only test.
bool device_present(const QString& device) {
#ifdef Q_OS_UNIX
    return QFileInfo::exists(serial_device_path(device));
#else
    Q_UNUSED(device);
    return true;
#endif
}

// A file goes in blocks of about a quarter second of the line, so a line typed meanwhile waits
// no longer than that, and the port's queue stays small.
qint64 file_block(const SerialLine& line) {
    return std::clamp<qint64>(line.baud / 40, 64, 16 * 1024);
}

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

}  // namespace

SerialSession::SerialSession(FormHost& host, QObject* parent) : QObject(parent), m_host(host) {
    m_reconnect_timer.setInterval(kReconnectMs);
    connect(&m_reconnect_timer, &QTimer::timeout, this, &SerialSession::reconnect_tick);
    connect(&m_send_timer, &QTimer::timeout, this, &SerialSession::timed_send_tick);
    m_break_timer.setSingleShot(true);
    m_break_timer.setInterval(kBreakMs);
    connect(&m_break_timer, &QTimer::timeout, this, &SerialSession::end_break);
}

SerialSession::~SerialSession() {
    if (m_device) {
        m_device->disconnect(this);
    }
}

void SerialSession::load_settings() {
    if (auto settings = m_host.settings()) {
        m_settings.load(*settings);
    }
    apply_view();
    m_send_timer.setInterval(m_settings.interval_ms);
}

void SerialSession::save_settings(const QString& chosen_port) {
    if (m_device_path.isEmpty() && !chosen_port.isEmpty()) {
        m_settings.port = chosen_port;
    }
    if (auto settings = m_host.settings()) {
        m_settings.save(*settings);
    }
}

bool SerialSession::open(const QString& device) {
    if (m_device) {
        return true;
    }
    m_reconnect_timer.stop();
    return open_device(device, false);
}

bool SerialSession::open_device(const QString& path, bool reconnecting) {
    if (path.isEmpty()) {
        m_host.message(QStringLiteral("请先选择或输入端口"));
        return false;
    }
    if (reconnecting && !device_present(path)) {
        return false;
    }
    std::unique_ptr<SerialDevice> device = m_host.serial_device(path);
    if (!device || !device->open_read_write(m_settings.line)) {
        if (!reconnecting) {
            const QString reason =
                device ? open_failure_text(path, device->failure(), device->failure_text())
                       : open_failure_text(path, SerialFailure::kNoDevice, {});
            m_device_path = path;
            set_state(State::kFailed, reason);
            m_host.message(reason);
        }
        return false;
    }
    m_device = std::move(device);
    m_device_path = path;
    m_settings.port = path;
    connect(m_device.get(), &SerialDevice::bytes_arrived, this, &SerialSession::on_bytes_arrived);
    connect(m_device.get(), &SerialDevice::failed, this, &SerialSession::on_device_failed);
    connect(m_device.get(), &SerialDevice::bytes_sent, this, &SerialSession::on_bytes_sent);
    set_state(State::kOpen);
    apply_board_lines();
    save_settings();
    return true;
}

// A port opens with DTR and RTS up; the ones the user lowered go down again.
void SerialSession::apply_board_lines() {
    if (!m_settings.dtr) {
        set_dtr(false);
    }
    if (!m_settings.rts) {
        set_rts(false);
    }
}

void SerialSession::close() {
    m_reconnect_timer.stop();
    if (m_device) {
        drop_device();
    }
    set_state(State::kClosed);
}

void SerialSession::drop_device() {
    if (m_send_file) {
        m_host.message(QStringLiteral("发送文件未完成：已发送 %1 / %2 字节")
                           .arg(m_file_sent)
                           .arg(m_file_size));
        end_file_send();
    }
    stop_recording();
    m_queue.clear();
    m_file_in_flight = 0;
    m_break_timer.stop();
    m_device->disconnect(this);
    m_device->close();
    // It may be the device whose signal is being handled.
    m_device.release()->deleteLater();
}

void SerialSession::on_bytes_arrived() {
    if (!m_device) {
        return;
    }
    // Also after a failure: the device keeps what came before it.
    const QByteArray bytes = m_device->read(m_device->bytes_waiting());
    if (bytes.isEmpty()) {
        return;
    }
    m_received_count += bytes.size();
    m_received.append(bytes);
    if (m_record.isOpen()) {
        const qint64 written = m_record.write(bytes);
        if (written != bytes.size()) {
            const QString reason = m_record.errorString();
            const QString name = native(m_record.fileName());
            stop_recording();
            m_host.message(QStringLiteral("记录文件写入失败，记录已停止：%1\r%2\r"
                                          "最后 %3 字节未写入；“保存接收”仍可保存全部接收的数据。")
                               .arg(name, reason)
                               .arg(bytes.size() - std::max<qint64>(written, 0)));
        }
    }
    m_log.append(bytes, m_host.time_of_day());
    emit bytes_received(bytes);
}

void SerialSession::on_device_failed() {
    on_bytes_arrived();
    drop_device();
    if (m_settings.auto_reconnect) {
        set_state(State::kReconnecting);
        m_reconnect_timer.start();
    } else {
        set_state(State::kVanished);
    }
}

void SerialSession::reconnect_tick() {
    if (m_device || m_state != State::kReconnecting) {
        m_reconnect_timer.stop();
        return;
    }
    if (open_device(m_device_path, true)) {
        m_reconnect_timer.stop();
    }
}

void SerialSession::set_auto_reconnect(bool on) {
    m_settings.auto_reconnect = on;
    if (on && m_state == State::kVanished) {
        set_state(State::kReconnecting);
        m_reconnect_timer.start();
    } else if (!on && m_state == State::kReconnecting) {
        m_reconnect_timer.stop();
        set_state(State::kVanished);
    }
}

void SerialSession::set_line(const SerialLine& line) {
    m_settings.line = line;
    if (m_device) {
        m_state_words =
            m_device->set_line(line) ? QString() : QStringLiteral("（设备不接受这些设置）");
    }
    emit state_changed();
}

void SerialSession::set_dtr(bool on) {
    m_settings.dtr = on;
    if (m_device && !m_device->set_dtr(on)) {
        m_state_words = QStringLiteral("（设备不接受 DTR）");
    }
    emit state_changed();
}

void SerialSession::set_rts(bool on) {
    m_settings.rts = on;
    if (m_device && !m_device->set_rts(on)) {
        m_state_words = QStringLiteral("（设备不接受 RTS）");
    }
    emit state_changed();
}

bool SerialSession::send_break() {
    if (!require_open()) {
        return false;
    }
    if (m_break_timer.isActive()) {
        return true;
    }
    if (!m_device->set_break(true)) {
        m_host.message(QStringLiteral("%1 不能发送中断").arg(m_device_path));
        return false;
    }
    m_break_timer.start();
    return true;
}

void SerialSession::end_break() {
    m_break_timer.stop();
    if (m_device) {
        m_device->set_break(false);
    }
}

void SerialSession::set_send_options(bool hex, LineEnd line_end) {
    m_settings.hex_send = hex;
    m_settings.line_end = line_end;
}

void SerialSession::set_interval(int ms) {
    m_settings.interval_ms = ms;
    m_send_timer.setInterval(ms);
}

void SerialSession::set_view(const ReceiveOptions& options) {
    m_settings.hex_view = options.hex;
    m_settings.timestamps = options.timestamps;
    m_settings.encoding = options.encoding;
    apply_view();
}

void SerialSession::set_checksum(Checksum check) {
    m_settings.send_check = check;
    apply_view();
}

void SerialSession::set_check_received(bool on) {
    m_settings.check_received = on;
    apply_view();
}

void SerialSession::apply_view() {
    m_log.set_options({m_settings.hex_view, m_settings.timestamps, m_settings.encoding,
                       m_settings.check_received ? m_settings.send_check : Checksum::kNone});
}

void SerialSession::set_paused(bool paused) {
    m_log.set_paused(paused);
    emit state_changed();
}

void SerialSession::clear_received() {
    m_log.clear();
    m_received.clear();
}

bool SerialSession::save_received(const QString& path) {
    if (const auto error = m_received.save_to(path)) {
        m_host.message(QStringLiteral("无法保存文件：%1\r%2").arg(native(path), *error));
        return false;
    }
    return true;
}

bool SerialSession::start_recording(const QString& path) {
    stop_recording();
    m_record.setFileName(path);
    // Unbuffered: each read is in the file as soon as it arrives, and a failed write is known.
    if (!m_record.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        m_host.message(
            QStringLiteral("无法写入文件：%1\r%2").arg(native(path), m_record.errorString()));
        return false;
    }
    emit recording_changed(true);
    return true;
}

void SerialSession::stop_recording() {
    if (m_record.isOpen()) {
        m_record.close();
        emit recording_changed(false);
    }
}

bool SerialSession::require_open() {
    if (!m_device) {
        m_host.message(QStringLiteral("串口未打开，请先打开串口"));
        return false;
    }
    return true;
}

bool SerialSession::send(const QByteArray& bytes) {
    if (!require_open()) {
        return false;
    }
    if (!bytes.isEmpty()) {
        write(bytes, false);
    }
    return true;
}

bool SerialSession::send_line(const QString& text) {
    if (!require_open()) {
        return false;
    }
    if (m_settings.hex_send) {
        const HexParse parse = parse_hex(text);
        if (!parse.ok()) {
            m_host.message(hex_error_text(text, parse));
            return false;
        }
        return send(with_checksum(m_settings.send_check, parse.bytes));
    }
    return send(encoded(text) + line_end_bytes(m_settings.line_end));
}

void SerialSession::start_timed_send(const QString& text) {
    m_timed_text = text;
    m_send_timer.start(m_settings.interval_ms);
    emit timed_send_changed(true);
}

void SerialSession::stop_timed_send() {
    if (m_send_timer.isActive()) {
        m_send_timer.stop();
        emit timed_send_changed(false);
    }
}

// While the port is away the timer idles, and sends again once it is back.
void SerialSession::timed_send_tick() {
    if (m_device && !send_line(m_timed_text)) {
        stop_timed_send();
    }
}

void SerialSession::write(const QByteArray& bytes, bool from_file) {
    m_queue.push_back({bytes.size(), from_file});
    if (from_file) {
        m_file_in_flight += bytes.size();
    }
    m_device->write(bytes);
}

// The port reports bytes in the order they were queued: those of the file move its progress,
// lines sent meanwhile do not.
void SerialSession::on_bytes_sent(qint64 count) {
    m_sent_count += count;
    while (count > 0 && !m_queue.empty()) {
        Queued& first = m_queue.front();
        const qint64 taken = std::min(count, first.bytes);
        if (first.from_file) {
            m_file_sent += taken;
            m_file_in_flight -= taken;
        }
        first.bytes -= taken;
        count -= taken;
        if (first.bytes == 0) {
            m_queue.pop_front();
        }
    }
    if (m_send_file) {
        if (m_file_sent >= m_file_size) {
            end_file_send();
        } else if (m_file_in_flight == 0) {
            send_next_block();
        }
        emit file_send_changed();
    }
    emit counts_changed();
}

bool SerialSession::send_file(const QString& path) {
    if (!require_open() || m_send_file) {
        return false;
    }
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly)) {
        m_host.message(
            QStringLiteral("无法打开文件：%1\r%2").arg(native(path), file->errorString()));
        return false;
    }
    if (file->size() == 0) {
        return true;
    }
    m_send_file = std::move(file);
    m_file_size = m_send_file->size();
    m_file_sent = 0;
    m_file_in_flight = 0;
    send_next_block();
    emit file_send_changed();
    return true;
}

void SerialSession::send_next_block() {
    if (!m_send_file || !m_device || m_send_file->atEnd()) {
        return;
    }
    const QByteArray block = m_send_file->read(file_block(m_settings.line));
    if (block.isEmpty()) {
        m_host.message(QStringLiteral("读取文件失败：%1").arg(m_send_file->errorString()));
        end_file_send();
        return;
    }
    write(block, true);
}

void SerialSession::cancel_file_send() {
    if (!m_send_file) {
        return;
    }
    if (m_device) {
        m_device->discard_output();
    }
    m_queue.clear();
    m_file_in_flight = 0;
    end_file_send();
}

void SerialSession::end_file_send() {
    m_send_file.reset();
    emit file_send_changed();
}

void SerialSession::set_state(State state, const QString& words) {
    m_state = state;
    m_state_words = words;
    emit state_changed();
}

QString SerialSession::status_text() const {
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
            break;
        case State::kReconnecting:
            text = QStringLiteral("%1 已断开，设备回来时自动重连").arg(m_device_path);
            break;
        case State::kFailed:
            text = m_state_words;
            break;
    }
    if (m_log.paused()) {
        text += QStringLiteral("　已暂停，%1 字节未显示").arg(m_log.held_bytes());
    }
    return text;
}

QByteArray SerialSession::encoded(const QString& text) const {
    QStringEncoder encoder(decoder_name(m_settings.encoding));
    return encoder(text);
}
