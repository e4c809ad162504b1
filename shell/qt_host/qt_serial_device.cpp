#include "qt_serial_device.h"

#include <QDebug>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

// The parity by its letter, in either case.
QSerialPort::Parity parity_of(char letter) {
    switch (QChar::toUpper(static_cast<char32_t>(static_cast<unsigned char>(letter)))) {
        case U'E':
            return QSerialPort::EvenParity;
        case U'O':
            return QSerialPort::OddParity;
        case U'M':
            return QSerialPort::MarkParity;
        case U'S':
            return QSerialPort::SpaceParity;
        default:
            return QSerialPort::NoParity;
    }
}

QSerialPort::StopBits stop_bits_of(int stop_bits) {
    switch (stop_bits) {
        case 2:
            return QSerialPort::TwoStop;
        case 3:
            return QSerialPort::OneAndHalfStop;
        default:
            return QSerialPort::OneStop;
    }
}

QSerialPort::FlowControl flow_of(SerialFlow flow) {
    switch (flow) {
        case SerialFlow::kHardware:
            return QSerialPort::HardwareControl;
        case SerialFlow::kSoftware:
            return QSerialPort::SoftwareControl;
        default:
            return QSerialPort::NoFlowControl;
    }
}

// The system says "permission" both for a device the user may not open and for one another
// program holds locked; a device the user may read and write is the second.
bool may_read_and_write(const QString& port_name) {
#ifdef Q_OS_UNIX
    return ::access(serial_device_path(port_name).toLocal8Bit().constData(), R_OK | W_OK) == 0;
#else
    Q_UNUSED(port_name);
    return false;
#endif
}

}  // namespace

QtSerialDevice::QtSerialDevice(const QString& device_name) {
    m_port.setPortName(device_name);
    connect(&m_port, &QSerialPort::readyRead, this, &SerialDevice::bytes_arrived);
    connect(&m_port, &QSerialPort::errorOccurred, this, &QtSerialDevice::on_error);
    connect(&m_port, &QSerialPort::bytesWritten, this, &SerialDevice::bytes_sent);
}

QtSerialDevice::~QtSerialDevice() {
    m_port.close();
}

bool QtSerialDevice::open(const SerialLine& line) {
    return open_port(line, QIODevice::ReadOnly);
}

bool QtSerialDevice::open_read_write(const SerialLine& line) {
    return open_port(line, QIODevice::ReadWrite);
}

bool QtSerialDevice::open_port(const SerialLine& line, QIODevice::OpenMode mode) {
    m_last_bytes.clear();
    set_line(line);
    if (!m_port.open(mode)) {
        note_failure();
        report_error();
        return false;
    }
    m_failure = SerialFailure::kNone;
    m_failure_text.clear();
    return true;
}

bool QtSerialDevice::set_line(const SerialLine& line) {
    bool applied = m_port.setBaudRate(line.baud);
    applied = m_port.setParity(parity_of(line.parity)) && applied;
    applied = m_port.setDataBits(static_cast<QSerialPort::DataBits>(line.data_bits)) && applied;
    applied = m_port.setStopBits(stop_bits_of(line.stop_bits)) && applied;
    applied = m_port.setFlowControl(flow_of(line.flow)) && applied;
    return applied;
}

void QtSerialDevice::write(const QByteArray& bytes) {
    if (m_port.isOpen()) {
        m_port.write(bytes);
    }
}

qint64 QtSerialDevice::bytes_to_write() const {
    return m_port.bytesToWrite();
}

void QtSerialDevice::note_failure() {
    m_failure_text = m_port.errorString();
    switch (m_port.error()) {
        case QSerialPort::DeviceNotFoundError:
            m_failure = SerialFailure::kNoDevice;
            break;
        case QSerialPort::PermissionError:
            m_failure = may_read_and_write(m_port.portName()) ? SerialFailure::kBusy
                                                              : SerialFailure::kNoPermission;
            break;
        case QSerialPort::OpenError:
            m_failure = SerialFailure::kBusy;
            break;
        default:
            m_failure = SerialFailure::kOther;
            break;
    }
}

// The window only says that the port does not work; which device, and why, goes to standard
// error for whoever sets the machine up.
void QtSerialDevice::report_error() const {
    qWarning().noquote()
        << QStringLiteral("serial port %1: %2").arg(m_port.portName(), m_port.errorString());
}

void QtSerialDevice::close() {
    m_port.close();
}

bool QtSerialDevice::is_open() const {
    return m_port.isOpen();
}

qint64 QtSerialDevice::bytes_waiting() const {
    return m_port.isOpen() ? m_port.bytesAvailable() : m_last_bytes.size();
}

QByteArray QtSerialDevice::read(qint64 max_bytes) {
    if (!m_port.isOpen()) {
        QByteArray bytes = m_last_bytes.left(max_bytes);
        m_last_bytes.remove(0, bytes.size());
        return bytes;
    }
    return m_port.read(max_bytes);
}

bool QtSerialDevice::set_dtr(bool on) {
    return m_port.isOpen() && m_port.setDataTerminalReady(on);
}

bool QtSerialDevice::set_rts(bool on) {
    return m_port.isOpen() && m_port.setRequestToSend(on);
}

bool QtSerialDevice::set_break(bool on) {
    return m_port.isOpen() && m_port.setBreakEnabled(on);
}

void QtSerialDevice::discard_input() {
    if (m_port.isOpen()) {
        m_port.clear(QSerialPort::Input);
    }
}

void QtSerialDevice::discard_output() {
    if (m_port.isOpen()) {
        m_port.clear(QSerialPort::Output);
    }
}

// A device that fails while open (unplugged, hung up) is closed, so nothing waits on it.
void QtSerialDevice::on_error(QSerialPort::SerialPortError error) {
    if (error == QSerialPort::NoError || !m_port.isOpen()) {
        return;
    }
    if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError ||
        error == QSerialPort::WriteError || error == QSerialPort::PermissionError ||
        error == QSerialPort::UnknownError) {
        note_failure();
        report_error();
        // What the port had taken in before the failure is still the board's; read it first.
        m_last_bytes = m_port.readAll();
        m_port.close();
        emit failed();
    }
}
