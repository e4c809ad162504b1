#include "fake_serial_device.h"

#include <QTimer>

#include <algorithm>

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

void FakeSerialDevice::feed(const QByteArray& bytes, bool announce) {
    if (m_open) {
        m_buffer += bytes;
        if (announce) {
            emit bytes_arrived();
        }
    }
}

void FakeSerialDevice::take_sent(qint64 count) {
    count = std::min(count, m_queued);
    if (count > 0) {
        m_queued -= count;
        emit bytes_sent(count);
    }
}

void FakeSerialDevice::write(const QByteArray& bytes) {
    if (!m_open) {
        return;
    }
    written += bytes;
    m_queued += bytes.size();
    if (!sends_by_hand) {
        QTimer::singleShot(0, this, [this, count = bytes.size()] { take_sent(count); });
    }
}
