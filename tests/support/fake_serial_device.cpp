#include "fake_serial_device.h"

#include <QTimer>

#include <algorithm>

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

void FakeSerialDevice::feed(const QByteArray& bytes, bool announce) {
    if (!m_open) {
        return;
    }
    m_buffer += bytes;
    if (announce) {
        emit bytes_arrived();
    }
}

void FakeSerialDevice::discard_output() {
    discarded += written.right(m_queued);
    m_queued = 0;
}

void FakeSerialDevice::take_sent(qint64 count) {
    count = std::min(count, m_queued);
    if (count > 0) {
        m_queued -= count;
        emit bytes_sent(count);
    }
}

bool FakeSerialDevice::set_dtr(bool on) {
    control_lines << QStringLiteral("DTR %1").arg(on ? 1 : 0);
    return m_open && controls_work;
}

bool FakeSerialDevice::set_rts(bool on) {
    control_lines << QStringLiteral("RTS %1").arg(on ? 1 : 0);
    return m_open && controls_work;
}

bool FakeSerialDevice::set_break(bool on) {
    control_lines << QStringLiteral("break %1").arg(on ? 1 : 0);
    return m_open && controls_work;
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
    m_queued += bytes.size();
    if (!sends_by_hand) {
        const qint64 count = bytes.size();
        QTimer::singleShot(0, this, [this, count] { take_sent(count); });
    }
}
