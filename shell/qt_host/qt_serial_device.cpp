#include "qt_serial_device.h"

#include <QDebug>

namespace {

QSerialPort::Parity parity_of(char letter) {
    switch (letter) {
        case 'E':
        case 'e':
            return QSerialPort::EvenParity;
        case 'O':
        case 'o':
            return QSerialPort::OddParity;
        case 'M':
        case 'm':
            return QSerialPort::MarkParity;
        case 'S':
        case 's':
            return QSerialPort::SpaceParity;
        default:
            return QSerialPort::NoParity;
    }
}

}  // namespace

QtSerialDevice::QtSerialDevice(const QString& device_name) {
    m_port.setPortName(device_name);
    connect(&m_port, &QSerialPort::readyRead, this, &SerialDevice::bytes_arrived);
    connect(&m_port, &QSerialPort::errorOccurred, this, &QtSerialDevice::on_error);
}

QtSerialDevice::~QtSerialDevice() {
    m_port.close();
}

bool QtSerialDevice::open(const SerialLine& line) {
    m_port.setBaudRate(line.baud);
    m_port.setParity(parity_of(line.parity));
    m_port.setDataBits(static_cast<QSerialPort::DataBits>(line.data_bits));
    m_port.setStopBits(line.stop_bits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadOnly)) {
        report_error();
        return false;
    }
    return true;
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
    return m_port.bytesAvailable();
}

QByteArray QtSerialDevice::read(qint64 max_bytes) {
    return m_port.read(max_bytes);
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
        error == QSerialPort::PermissionError || error == QSerialPort::UnknownError) {
        report_error();
        m_port.close();
        emit failed();
    }
}
