#pragma once

#include <QString>

// The device behind serial port `number` (1 is the first): `port1_device` for port 1 when the
// user named one (a USB adapter such as /dev/ttyUSB0), otherwise COM1 on Windows and /dev/ttyS0
// on Linux, and so on.
QString serial_port_name(int number, const QString& port1_device = {});
