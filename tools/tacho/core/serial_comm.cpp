#include "serial_comm.h"

#include "shell/host/form_host.h"

#include <QElapsedTimer>
#include <QStringList>

std::optional<SerialLine> parse_serial_settings(const QString& settings) {
    const QStringList parts = settings.split(u',');
    if (parts.size() != 4) {
        return std::nullopt;
    }
    bool ok = false;
    SerialLine line;
    line.baud = parts[0].trimmed().toInt(&ok);
    if (!ok || line.baud <= 0) {
        return std::nullopt;
    }
    const QString parity = parts[1].trimmed().toUpper();
    if (parity.size() != 1 || !QStringLiteral("NEOMS").contains(parity)) {
        return std::nullopt;
    }
    line.parity = parity[0].toLatin1();
    line.data_bits = parts[2].trimmed().toInt(&ok);
    if (!ok || line.data_bits < 5 || line.data_bits > 8) {
        return std::nullopt;
    }
    const QString stop = parts[3].trimmed();
    if (stop != u"1" && stop != u"2") {
        return std::nullopt;
    }
    line.stop_bits = stop.toInt();
    return line;
}

SerialComm::SerialComm(FormHost& host, QObject* parent) : QObject(parent), m_host(host) {}

SerialComm::~SerialComm() {
    setPortOpen(false);
}

bool SerialComm::setSettings(const QString& settings) {
    const auto line = parse_serial_settings(settings);
    if (!line) {
        return false;
    }
    m_line = *line;
    return true;
}

QString SerialComm::Settings() const {
    return QStringLiteral("%1,%2,%3,%4")
        .arg(m_line.baud)
        .arg(QChar::fromLatin1(m_line.parity))
        .arg(m_line.data_bits)
        .arg(m_line.stop_bits);
}

int SerialComm::InBufferCount() const {
    return PortOpen() ? static_cast<int>(m_device->bytes_waiting()) : 0;
}

void SerialComm::setInBufferCount(int count) {
    if (count == 0 && PortOpen()) {
        m_device->discard_input();
    }
}

void SerialComm::setOutBufferCount(int count) {
    if (count == 0 && PortOpen()) {
        m_device->discard_output();
    }
}

void SerialComm::setRThreshold(int bytes) {
    m_r_threshold = bytes;
    schedule_receive_event();
}

bool SerialComm::PortOpen() const {
    return m_device && m_device->is_open();
}

bool SerialComm::setPortOpen(bool open) {
    if (!open) {
        if (m_device) {
            m_device->close();
        }
        return false;
    }
    if (PortOpen()) {
        return true;
    }
    m_device = m_host.serial_port(m_port);
    if (!m_device) {
        return false;
    }
    connect(m_device.get(), &SerialDevice::bytes_arrived, this,
            &SerialComm::schedule_receive_event);
    // Told after the device has finished its own work, never from inside it.
    connect(m_device.get(), &SerialDevice::failed, this, &SerialComm::on_device_failed,
            Qt::QueuedConnection);
    if (!m_device->open(m_line)) {
        return false;
    }
    schedule_receive_event();
    return true;
}

QByteArray SerialComm::Input() {
    if (!PortOpen()) {
        return {};
    }
    return m_device->read(m_input_len > 0 ? m_input_len : m_device->bytes_waiting());
}

// The first receive event of a burst comes from the event loop; while bytes keep waiting the
// next ones follow at once, each after the last handler has returned, until a short time slice
// is used up. The window then repaints and takes input once per slice rather than once per
// frame, and a handler never runs inside another.
void SerialComm::schedule_receive_event() {
    if (m_event_queued || m_r_threshold <= 0 || InBufferCount() < m_r_threshold) {
        return;
    }
    m_event_queued = true;
    QMetaObject::invokeMethod(this, &SerialComm::raise_receive_events, Qt::QueuedConnection);
}

void SerialComm::raise_receive_events() {
    m_event_queued = false;
    QElapsedTimer slice;
    slice.start();
    while (m_r_threshold > 0 && InBufferCount() >= m_r_threshold) {
        if (slice.elapsed() >= kSliceMs) {
            schedule_receive_event();
            return;
        }
        m_comm_event = kEventReceive;
        emit OnComm();
    }
}

void SerialComm::on_device_failed() {
    emit failed();
}
