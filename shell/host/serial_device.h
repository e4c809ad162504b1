#pragma once

#include <QByteArray>
#include <QObject>

// Line settings of a serial port: baud rate, parity letter (N, E, O, M, S), data and stop bits.
struct SerialLine {
    qint32 baud = 9600;
    char parity = 'N';
    int data_bits = 8;
    int stop_bits = 1;
};

// A serial port as the host offers it: opened and closed by the program, read byte by byte.
// bytes_arrived() is raised on the user-interface thread when new bytes wait; failed() when the
// device goes away or stops working, after which the port is closed.
class SerialDevice : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual bool open(const SerialLine& line) = 0;
    virtual void close() = 0;
    virtual bool is_open() const = 0;
    virtual qint64 bytes_waiting() const = 0;
    virtual QByteArray read(qint64 max_bytes) = 0;
    virtual void discard_input() = 0;
    virtual void discard_output() = 0;

signals:
    void bytes_arrived();
    void failed();
};
