#include "serial_port_name.h"

QString serial_port_name(int number, const QString& port1_device) {
    if (number == 1 && !port1_device.isEmpty()) {
        return port1_device;
    }
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(number);
#else
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
#endif
}
