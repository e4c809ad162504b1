#include "fake_serial_device.h"

#include <QTimer>

bool FakeSerialDevice::open(const SerialLine& settings) {
    line = settings;
    ++open_count;
    m_open = opens;
    return m_open;
}

QByteArray FakeSerialDevice::read(qint64 max_bytes) {
    const QByteArray bytes = m_buffer.mid(m_read, max_bytes);
    m_read += bytes.size();
    // Drop what has been read now and then, so a long feed stays small.
    if (m_read > 65536 && m_read * 2 > m_buffer.size()) {
        m_buffer.remove(0, m_read);
        m_read = 0;
    }
    return bytes;
}

void FakeSerialDevice::discard_input() {
    ++discards;
    m_buffer.clear();
    m_read = 0;
}

void FakeSerialDevice::feed(const QByteArray& bytes) {
    if (!m_open) {
        return;
    }
    m_buffer += bytes;
    emit bytes_arrived();
}

void FakeSerialDevice::fail() {
    m_open = false;
    emit failed();
}

bool FakeSerialDevice::open_read_write(const SerialLine& settings) {
    return open(settings);
}

bool FakeSerialDevice::set_line(const SerialLine& settings) {
    line = settings;
    return true;
}

void FakeSerialDevice::write(const QByteArray& bytes) {
    if (!m_open) {
        return;
    }
    written += bytes;
    const qint64 count = bytes.size();
    QTimer::singleShot(0, this, [this, count] { emit bytes_sent(count); });
}
