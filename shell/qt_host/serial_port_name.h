#pragma once

#include <QString>

// The device behind serial port `number` (1 is the first): COM1 on Windows, /dev/ttyS0 on
// Linux.
QString serial_port_name(int number);
