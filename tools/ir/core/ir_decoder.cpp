#include "ir_decoder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <span>

namespace {

constexpr double kNecUnit = 562.5;
constexpr double kRc5Unit = 889;
constexpr double kRc6Unit = 444;
constexpr double kSonyUnit = 600;

// Adds `more` to the run `run` of the same kind, short of overflowing.
void extend(qint32& run, qint32 more) {
    constexpr qint64 kLongest = 1 << 30;
    run = static_cast<qint32>(std::clamp<qint64>(qint64{run} + more, -kLongest, kLongest));
}

bool near(double measured, double nominal) {
    return std::abs(measured - nominal) <= kTolerance * nominal;
}

bool decode_nec(std::span<const qint32> t, IrFrame& frame) {
    // The usual leader is 16 units; some extended-address remotes send 8.
    if (t.size() < 3 || t[0] <= 0 || !(near(t[0], 16 * kNecUnit) || near(t[0], 8 * kNecUnit))) {
        return false;
    }
    if (t.size() == 3) {
        if (!near(-t[1], 4 * kNecUnit) || !near(t[2], kNecUnit)) {
            return false;
        }
        frame.protocol = IrProtocol::kNec;
        frame.repeat = true;
        return true;
    }
    if (t.size() != 2 + 2 * 32 + 1 || !near(-t[1], 8 * kNecUnit) || !near(t.back(), kNecUnit)) {
        return false;
    }
    quint32 bits = 0;
    for (int i = 0; i < 32; ++i) {
        const qint32 pulse = t[2 + 2 * i];
        const qint32 space = -t[3 + 2 * i];
        if (!near(pulse, kNecUnit)) {
            return false;
        }
        if (near(space, 3 * kNecUnit)) {
            bits |= 1u << i;  // least significant bit first
        } else if (!near(space, kNecUnit)) {
            return false;
        }
    }
    const quint32 address = bits & 0xff;
    const quint32 not_address = (bits >> 8) & 0xff;
    const quint32 command = (bits >> 16) & 0xff;
    const quint32 not_command = bits >> 24;
    if ((command ^ not_command) != 0xff) {
        // All 32 bits carry the code; the kernel puts its bytes in the order 2, 1, 4, 3.
        frame.protocol = IrProtocol::kNec32;
        frame.scancode = not_address << 24 | address << 16 | not_command << 8 | command;
        frame.address = frame.scancode >> 16;
        frame.command = frame.scancode & 0xffff;
    } else if ((address ^ not_address) != 0xff) {
        frame.protocol = IrProtocol::kNecx;
        frame.address = address << 8 | not_address;
        frame.command = command;
        frame.scancode = frame.address << 8 | command;
    } else {
        frame.protocol = IrProtocol::kNec;
        frame.address = address;
        frame.command = command;
        frame.scancode = address << 8 | command;
    }
    return true;
}

// The levels (true: pulse) of the halves of Manchester-coded bits, each half `widths[i]` units
// long. A run of one level may span several halves; it ends at the half whose end is nearest
// its length, so a long run shortened or stretched by a fifth still splits right. A space
// before the first pulse or after the last is not in the timings: `hidden_first_space` puts
// the one back, a missing last half is taken as that space.
std::optional<std::vector<bool>> manchester_levels(std::span<const qint32> runs,
                                                   const std::vector<int>& widths, double unit,
                                                   bool hidden_first_space) {
    std::vector<bool> levels;
    levels.reserve(widths.size());
    std::size_t half = 0;
    auto take_run = [&](bool level, double length) {
        if (half >= widths.size()) {
            return false;
        }
        double covered = 0;
        for (;;) {
            covered += widths[half] * unit;
            levels.push_back(level);
            ++half;
            if (half == widths.size()) {
                break;
            }
            const double further = covered + widths[half] * unit;
            if (std::abs(length - covered) <= std::abs(length - further)) {
                break;
            }
        }
        return near(length, covered);
    };
    if (hidden_first_space && !take_run(false, widths[0] * unit)) {
        return std::nullopt;
    }
    for (const qint32 run : runs) {
        if (!take_run(run > 0, std::abs(run))) {
            return std::nullopt;
        }
    }
    if (half + 1 == widths.size() && !levels.empty() && levels.back()) {
        levels.push_back(false);
        ++half;
    }
    if (half != widths.size()) {
        return std::nullopt;
    }
    return levels;
}

// The bits of Manchester halves taken in pairs: `one_first` is the level that starts a 1.
std::optional<std::vector<int>> manchester_bits(const std::vector<bool>& levels, bool one_first) {
    std::vector<int> bits;
    for (std::size_t i = 0; i + 1 < levels.size(); i += 2) {
        if (levels[i] == levels[i + 1]) {
            return std::nullopt;
        }
        bits.push_back(levels[i] == one_first ? 1 : 0);
    }
    return bits;
}

quint32 bits_value(const std::vector<int>& bits, std::size_t from, std::size_t count) {
    quint32 value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        value = value << 1 | static_cast<quint32>(bits[i]);  // most significant bit first
    }
    return value;
}

bool decode_rc5(std::span<const qint32> t, IrFrame& frame) {
    // 14 bits, a 1 a space then a pulse: the first start bit's space is before the frame.
    const auto levels = manchester_levels(t, std::vector<int>(28, 1), kRc5Unit, true);
    if (!levels) {
        return false;
    }
    const auto bits = manchester_bits(*levels, false);
    if (!bits || (*bits)[0] != 1) {
        return false;
    }
    // The second start bit, inverted, is the command's seventh bit.
    frame.protocol = IrProtocol::kRc5;
    frame.toggle = (*bits)[2];
    frame.address = bits_value(*bits, 3, 5);
    frame.command = static_cast<quint32>(1 - (*bits)[1]) << 6 | bits_value(*bits, 8, 6);
    frame.scancode = frame.address << 8 | frame.command;
    return true;
}

bool decode_rc6_mode0(std::span<const qint32> t, IrFrame& frame) {
    if (t.size() < 3 || t[0] <= 0 || !near(t[0], 6 * kRc6Unit) || !near(-t[1], 2 * kRc6Unit)) {
        return false;
    }
    // Start bit, three mode bits, the double-width toggle bit, 16 bits; a 1 a pulse then a space.
    std::vector<int> widths(2 * 21, 1);
    widths[8] = widths[9] = 2;
    const auto levels = manchester_levels(t.subspan(2), widths, kRc6Unit, false);
    if (!levels) {
        return false;
    }
    const auto bits = manchester_bits(*levels, true);
    if (!bits || (*bits)[0] != 1 || bits_value(*bits, 1, 3) != 0) {
        return false;
    }
    frame.protocol = IrProtocol::kRc6Mode0;
    frame.toggle = (*bits)[4];
    frame.address = bits_value(*bits, 5, 8);
    frame.command = bits_value(*bits, 13, 8);
    frame.scancode = frame.address << 8 | frame.command;
    return true;
}

bool decode_sony(std::span<const qint32> t, IrFrame& frame) {
    if (t.empty() || t[0] <= 0 || !near(t[0], 4 * kSonyUnit) || t.size() % 2 == 0) {
        return false;
    }
    const std::size_t count = (t.size() - 1) / 2;
    if (count != 12 && count != 15 && count != 20) {
        return false;
    }
    quint32 bits = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const qint32 space = -t[1 + 2 * i];
        const qint32 pulse = t[2 + 2 * i];
        if (!near(space, kSonyUnit)) {
            return false;
        }
        if (near(pulse, 2 * kSonyUnit)) {
            bits |= 1u << i;  // least significant bit first
        } else if (!near(pulse, kSonyUnit)) {
            return false;
        }
    }
    frame.command = bits & 0x7f;
    if (count == 20) {
        frame.protocol = IrProtocol::kSony20;
        const quint32 device = (bits >> 7) & 0x1f;
        const quint32 extended = bits >> 12;
        frame.scancode = device << 16 | extended << 8 | frame.command;
        frame.address = device << 8 | extended;
    } else {
        frame.protocol = count == 12 ? IrProtocol::kSony12 : IrProtocol::kSony15;
        frame.address = bits >> 7;
        frame.scancode = frame.address << 16 | frame.command;
    }
    return true;
}

}  // namespace

std::vector<qint32> merge_glitches(const std::vector<qint32>& timings) {
    std::vector<qint32> merged;
    merged.reserve(timings.size());
    for (const qint32 timing : timings) {
        if (timing == 0) {
            continue;
        }
        const bool glitch = std::abs(timing) < kGlitchUs;
        if (merged.empty()) {
            if (!glitch) {
                merged.push_back(timing);
            }
        } else if ((timing > 0) == (merged.back() > 0)) {
            extend(merged.back(), timing);
        } else if (glitch) {
            // The glitch's time belongs to the pulse or space it interrupted.
            extend(merged.back(), merged.back() > 0 ? std::abs(timing) : -std::abs(timing));
        } else {
            merged.push_back(timing);
        }
    }
    if (!merged.empty() && merged.back() < 0) {
        merged.pop_back();  // the silence after the frame
    }
    return merged;
}

IrFrame decode_frame(const std::vector<qint32>& timings) {
    IrFrame frame;
    frame.timings = timings;
    const std::vector<qint32> merged = merge_glitches(timings);
    for (const qint32 timing : merged) {
        frame.pulses += timing > 0 ? 1 : 0;
    }
    const std::span<const qint32> t(merged);
    if (!decode_nec(t, frame) && !decode_rc5(t, frame) && !decode_rc6_mode0(t, frame) &&
        !decode_sony(t, frame)) {
        frame.protocol = IrProtocol::kUnknown;
    }
    return frame;
}
