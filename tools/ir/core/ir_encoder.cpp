#include "ir_encoder.h"

#include <QStringList>

#include <cmath>

namespace {

qint32 units(double count, double unit) {
    return static_cast<qint32>(std::lround(count * unit));
}

void append_bits_lsb_first(std::vector<int>& bits, quint32 value, int count) {
    for (int i = 0; i < count; ++i) {
        bits.push_back(static_cast<int>(value >> i & 1));
    }
}

void append_bits_msb_first(std::vector<int>& bits, quint32 value, int count) {
    for (int i = count - 1; i >= 0; --i) {
        bits.push_back(static_cast<int>(value >> i & 1));
    }
}

// Joins halves of one level into runs; the spaces before the first pulse and after the last
// are silence, not part of the frame.
void append_half(std::vector<qint32>& timings, bool pulse, qint32 length) {
    if (timings.empty() && !pulse) {
        return;
    }
    if (!timings.empty() && (timings.back() > 0) == pulse) {
        timings.back() += pulse ? length : -length;
    } else {
        timings.push_back(pulse ? length : -length);
    }
}

void drop_last_space(std::vector<qint32>& timings) {
    if (!timings.empty() && timings.back() < 0) {
        timings.pop_back();
    }
}

std::vector<qint32> encode_nec(quint32 bytes) {
    std::vector<qint32> timings{units(16, kNecUnit), -units(8, kNecUnit)};
    for (int i = 0; i < 32; ++i) {
        timings.push_back(units(1, kNecUnit));
        timings.push_back(-units((bytes >> i & 1) ? 3 : 1, kNecUnit));
    }
    timings.push_back(units(1, kNecUnit));
    return timings;
}

}  // namespace

std::optional<QString> scancode_error(IrProtocol protocol, quint32 scancode) {
    if (protocol == IrProtocol::kUnknown) {
        return QStringLiteral("no protocol");
    }
    const quint32 mask = scancode_mask(protocol);
    if ((scancode & ~mask) != 0) {
        return QStringLiteral("0x%1 is not a %2 scancode: the bits outside 0x%3 must be 0")
            .arg(scancode, 0, 16)
            .arg(protocol_key(protocol))
            .arg(mask, 0, 16);
    }
    if (protocol == IrProtocol::kNecx && ((scancode >> 16) ^ (scancode >> 8 & 0xff)) == 0xff) {
        return QStringLiteral(
                   "0x%1 is not a necx scancode: its address bytes are a plain NEC address and "
                   "its inverse (use --protocol nec --scancode 0x%2)")
            .arg(scancode, 0, 16)
            .arg((scancode >> 16) << 8 | (scancode & 0xff), 4, 16, QChar(u'0'));
    }
    if (protocol == IrProtocol::kNec32 && ((scancode >> 8 & 0xff) ^ (scancode & 0xff)) == 0xff) {
        return QStringLiteral(
                   "0x%1 is not a nec32 scancode: its low bytes are a command and its inverse, "
                   "which reads as nec or necx")
            .arg(scancode, 0, 16);
    }
    return std::nullopt;
}

std::vector<qint32> encode_frame(IrProtocol protocol, quint32 scancode, int toggle) {
    std::vector<qint32> timings;
    switch (protocol) {
        case IrProtocol::kNec: {
            const quint32 address = scancode >> 8 & 0xff;
            const quint32 command = scancode & 0xff;
            return encode_nec(address | (~address & 0xff) << 8 | command << 16 |
                              (~command & 0xff) << 24);
        }
        case IrProtocol::kNecx: {
            const quint32 command = scancode & 0xff;
            return encode_nec((scancode >> 16 & 0xff) | (scancode >> 8 & 0xff) << 8 |
                              command << 16 | (~command & 0xff) << 24);
        }
        case IrProtocol::kNec32:
            // The kernel's order of the four bytes sent: bits 16-23, 24-31, 0-7, 8-15.
            return encode_nec((scancode >> 16 & 0xff) | (scancode >> 24) << 8 |
                              (scancode & 0xff) << 16 | (scancode >> 8 & 0xff) << 24);
        case IrProtocol::kRc5: {
            std::vector<int> bits{1, (scancode & 0x40) ? 0 : 1, toggle & 1};
            append_bits_msb_first(bits, scancode >> 8 & 0x1f, 5);
            append_bits_msb_first(bits, scancode & 0x3f, 6);
            for (const int bit : bits) {
                append_half(timings, bit == 0, kRc5Half);  // a 1 is a space then a pulse
                append_half(timings, bit == 1, kRc5Half);
            }
            drop_last_space(timings);
            return timings;
        }
        case IrProtocol::kRc6Mode0: {
            timings = {6 * kRc6Unit, -2 * kRc6Unit};
            std::vector<int> bits{1, 0, 0, 0, toggle & 1};
            append_bits_msb_first(bits, scancode & 0xffff, 16);
            for (std::size_t i = 0; i < bits.size(); ++i) {
                const qint32 half = i == 4 ? 2 * kRc6Unit : kRc6Unit;  // the toggle is wide
                append_half(timings, bits[i] == 1, half);  // a 1 is a pulse then a space
                append_half(timings, bits[i] == 0, half);
            }
            drop_last_space(timings);
            return timings;
        }
        case IrProtocol::kSony12:
        case IrProtocol::kSony15:
        case IrProtocol::kSony20: {
            std::vector<int> bits;
            append_bits_lsb_first(bits, scancode & 0x7f, 7);
            if (protocol == IrProtocol::kSony15) {
                append_bits_lsb_first(bits, scancode >> 16 & 0xff, 8);
            } else {
                append_bits_lsb_first(bits, scancode >> 16 & 0x1f, 5);
            }
            if (protocol == IrProtocol::kSony20) {
                append_bits_lsb_first(bits, scancode >> 8 & 0xff, 8);
            }
            timings.push_back(4 * kSonyUnit);
            for (const int bit : bits) {
                timings.push_back(-kSonyUnit);
                timings.push_back(bit ? 2 * kSonyUnit : kSonyUnit);
            }
            return timings;
        }
        case IrProtocol::kUnknown:
            break;
    }
    return timings;
}

QString timings_text(const std::vector<qint32>& timings) {
    QStringList words;
    for (const qint32 timing : timings) {
        words.append(timing > 0 ? QStringLiteral("+%1").arg(timing)
                                : QStringLiteral("-%1").arg(-qint64{timing}));
    }
    return words.join(u' ');
}
