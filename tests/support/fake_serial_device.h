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
    bool open_read_write(const SerialLine& settings) override;
    bool set_line(const SerialLine& settings) override;
    // Takes the bytes at once, and reports them sent from the event loop.
    void write(const QByteArray& bytes) override;
    SerialFailure failure() const override { return m_open ? SerialFailure::kNone : why_not; }

    // Bytes arriving on the line; ignored while the port is closed.
    void feed(const QByteArray& bytes);
    // The device goes away: it closes and reports the failure.
    void fail();

    bool opens = true;                              // whether open() succeeds
    SerialFailure why_not = SerialFailure::kOther;  // why it does not
    QByteArray written;                             // every byte written, in order
    SerialLine line;                                // as last opened
    int open_count = 0;
    int discards = 0;

private:
    bool m_open = false;
    QByteArray m_buffer;
    qsizetype m_read = 0;  // bytes of m_buffer already read
};
