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

private:
    void on_error(QSerialPort::SerialPortError error);
    void report_error() const;

    QSerialPort m_port;
};
