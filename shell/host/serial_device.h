#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// Flow control of a serial line: none, RTS/CTS wires or XON/XOFF characters.
enum class SerialFlow { kNone, kHardware, kSoftware };

// Line settings of a serial port: baud rate, parity letter (N, E, O, M, S), data and stop bits
// (1, 2, or 3 for one and a half, as the serial drivers number them), flow control.
struct SerialLine {
    qint32 baud = 9600;
    char parity = 'N';
    int data_bits = 8;
    int stop_bits = 1;
    SerialFlow flow = SerialFlow::kNone;
    bool operator==(const SerialLine&) const = default;
};

// The device file behind a port name: a bare name (ttyUSB0) lives in /dev.
inline QString serial_device_path(const QString& port_name) {
    return port_name.contains(u'/') ? port_name : QStringLiteral("/dev/") + port_name;
}

// Why a port did not open or stopped working, in the kinds a user can act on.
enum class SerialFailure { kNone, kNoDevice, kNoPermission, kBusy, kOther };

// A port the machine offers: its device (/dev/ttyUSB0, COM5), short name and description.
struct SerialPortInfo {
    QString device;
    QString name;
    QString description;
};

// A serial port as the host offers it: opened and closed by the program, read byte by byte.
// bytes_arrived() is raised on the user-interface thread when new bytes wait; failed() when the
// device goes away or stops working, after which the port is closed; bytes that came before the
// failure can still be read.
class SerialDevice : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Opens for reading only.
    virtual bool open(const SerialLine& line) = 0;
    virtual void close() = 0;
    virtual bool is_open() const = 0;
    virtual qint64 bytes_waiting() const = 0;
    virtual QByteArray read(qint64 max_bytes) = 0;
    virtual void discard_input() = 0;
    virtual void discard_output() = 0;

    // Opens for reading and writing; failure() says why it did not.
    virtual bool open_read_write(const SerialLine& line) = 0;
    // New settings for the open port; false when the device refuses them.
    virtual bool set_line(const SerialLine& line) = 0;
    // Queues bytes and returns at once; bytes_sent() reports them as they leave.
    virtual void write(const QByteArray& bytes) = 0;
    // Bytes queued and not yet handed to the device.
    virtual qint64 bytes_to_write() const = 0;
    // Why the last open failed, or why the port failed, and the system's own words for it.
    virtual SerialFailure failure() const = 0;
    virtual QString failure_text() const = 0;

    // The board's control lines (many boards reset or enter their boot loader through them),
    // and the break condition on the data line; false when the device cannot do it.
    virtual bool set_dtr(bool on) = 0;
    virtual bool set_rts(bool on) = 0;
    virtual bool set_break(bool on) = 0;

signals:
    void bytes_arrived();
    void failed();
    void bytes_sent(qint64 count);
};
