#pragma once

#include "ir_sample.h"

#include <QByteArray>

#include <vector>

// The 32-bit values a LIRC device delivers in raw mode (LIRC_MODE_MODE2), in the machine's byte
// order: the top byte says what the value is (LIRC_MODE2_SPACE, _PULSE, _FREQUENCY, _TIMEOUT,
// _OVERFLOW), the low 24 bits its length in microseconds.
inline constexpr quint32 kLircModeMask = 0xff000000;
inline constexpr quint32 kLircValueMask = 0x00ffffff;
inline constexpr quint32 kLircSpace = 0x00000000;
inline constexpr quint32 kLircPulse = 0x01000000;
inline constexpr quint32 kLircFrequency = 0x02000000;
inline constexpr quint32 kLircTimeout = 0x03000000;
inline constexpr quint32 kLircOverflow = 0x04000000;

// Turns the bytes read from a LIRC device, or from anything that passes its values on, into
// samples. A read may end inside a value: its bytes wait for the next read.
class LircSampleReader {
public:
    // The samples whole in `bytes` and the bytes kept from before. The carrier frequency is
    // not a timing and is skipped; an overflow of the receiver's buffer is reported as a
    // timeout, since what it cut off cannot be decoded.
    std::vector<IrSample> read(const QByteArray& bytes);
    // Bytes of a value not yet whole.
    int pending() const { return static_cast<int>(m_partial.size()); }
    void clear() { m_partial.clear(); }

private:
    QByteArray m_partial;
};
