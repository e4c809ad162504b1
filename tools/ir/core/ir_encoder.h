#pragma once

#include "ir_protocol.h"

#include <QString>

#include <optional>
#include <vector>

// Why `scancode` is not a code the protocol sends, in words for the command line; nothing when
// it is one. A code whose frame would be read back as another protocol (an extended NEC
// address that is the plain one's inverse pair) is refused too.
std::optional<QString> scancode_error(IrProtocol protocol, quint32 scancode);

// The nominal timings of one frame of `scancode` (signed microseconds, from the first pulse to
// the last) as the remote sends it; `toggle` is RC5's and RC6's toggle bit. The scancode must
// pass scancode_error.
std::vector<qint32> encode_frame(IrProtocol protocol, quint32 scancode, int toggle = 0);

// The timings as "+9000 -4500 +560 ...", the form ir-ctl sends.
QString timings_text(const std::vector<qint32>& timings);
