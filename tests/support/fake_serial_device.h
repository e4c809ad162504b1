#pragma once

#include "shell/host/serial_device.h"

#include <QByteArray>

// A serial port fed by the test: bytes handed to feed() wait until the program reads them.
class FakeSerialDevice : public SerialDevice {
    Q_OBJECT
public:
    bool open(const SerialLine& line) override;
    void close() override { m_open = false; }
    bool is_open() const override { return m_open; }
    qint64 bytes_waiting() const override { return m_buffer.size() - m_read; }
    QByteArray read(qint64 max_bytes) override;
    void discard_input() override;
    void discard_output() override {}

    // Bytes arriving on the line; ignored while the port is closed.
    void feed(const QByteArray& bytes);
    // The device goes away: it closes and reports the failure.
    void fail();

    bool opens = true;  // whether open() succeeds
    SerialLine line;    // as last opened
    int open_count = 0;
    int discards = 0;

private:
    bool m_open = false;
    QByteArray m_buffer;
    qsizetype m_read = 0;  // bytes of m_buffer already read
};
