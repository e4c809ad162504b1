#pragma once

#include "shell/host/serial_device.h"

#include <QSerialPort>

// A serial port of this machine, by device name (COM1, /dev/ttyS0, a pseudo-terminal).
class QtSerialDevice : public SerialDevice {
    Q_OBJECT
public:
    explicit QtSerialDevice(const QString& device_name);
    ~QtSerialDevice() override;

    bool open(const SerialLine& line) override;
    void close() override;
    bool is_open() const override;
    qint64 bytes_waiting() const override;
    QByteArray read(qint64 max_bytes) override;
    void discard_input() override;
    void discard_output() override;

    bool open_read_write(const SerialLine& line) override;
    bool set_line(const SerialLine& line) override;
    void write(const QByteArray& bytes) override;
    qint64 bytes_to_write() const override;
    SerialFailure failure() const override { return m_failure; }
    QString failure_text() const override { return m_failure_text; }
    bool set_dtr(bool on) override;
    bool set_rts(bool on) override;
    bool set_break(bool on) override;

private:
    bool open_port(const SerialLine& line, QIODevice::OpenMode mode);
    void note_failure();
    void on_error(QSerialPort::SerialPortError error);
    void report_error() const;

    QSerialPort m_port;
    QByteArray m_last_bytes;  // read from a port as it failed, before it closed
    SerialFailure m_failure = SerialFailure::kNone;
    QString m_failure_text;
};
