#pragma once

#include <QtGlobal>

// Milliseconds until just after the next whole second of a clock that reads `ms`. A tick
// armed with it never lands just before the second it waits for, so it shows that second.
qint64 ms_to_next_second(qint64 ms);
