#include "ir_decoder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <span>

namespace {

// Adds `more` to the run `run` of the same kind, short of overflowing.
void extend(qint32& run, qint32 more) {
    constexpr qint64 kLongest = 1 << 30;
    run = static_cast<qint32>(std::clamp<qint64>(qint64{run} + more, -kLongest, kLongest));
}

bool near(double measured, double nominal) {
    return std::abs(measured - nominal) <= kTolerance * nominal;
}

// `count` bits, least significant first, each a pair of timings from t[first] on: a mark of one
// `unit`, then one unit for a 0 or `one_units` units for a 1. A pulse is positive and a space
// negative; the mark is a pulse when `mark_is_pulse` (NEC varies the space), else a space (Sony
// varies the pulse). Nothing when a timing fits neither.
std::optional<quint32> paired_bits(std::span<const qint32> t, std::size_t first, std::size_t count,
                                   double unit, double one_units, bool mark_is_pulse) {
    const qint32 mark_sign = mark_is_pulse ? 1 : -1;
    quint32 bits = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const qint32 mark = mark_sign * t[first + 2 * i];
        const qint32 varying = -mark_sign * t[first + 2 * i + 1];
        if (!near(mark, unit)) {
            return std::nullopt;
        }
        if (near(varying, one_units * unit)) {
            bits |= 1u << i;
        } else if (!near(varying, unit)) {
            return std::nullopt;
        }
    }
    return bits;
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
    const std::optional<quint32> read = paired_bits(t, 2, 32, kNecUnit, 3, true);
    if (!read) {
        return false;
    }
    const quint32 bits = *read;
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
// long. A run of one level may span several halves, and a long run moved by a fifth can fit
// two spans (three units shortened, two stretched): both are tried, and the one the rest of
// the frame fits wins. The two halves of a bit differ, which prunes the search. A space before
// the first pulse or after the last is not in the timings: `hidden_first_space` puts the one
// back, a missing last half is taken as that space.
class ManchesterSplit {
public:
    ManchesterSplit(std::span<const qint32> runs, const std::vector<int>& widths, double unit)
        : m_runs(runs), m_widths(widths), m_unit(unit), m_levels(widths.size()) {}

    std::optional<std::vector<bool>> levels(bool hidden_first_space) {
        std::size_t half = 0;
        if (hidden_first_space) {
            m_levels[0] = false;
            half = 1;
        }
        if (!split(0, half)) {
            return std::nullopt;
        }
        return m_levels;
    }

private:
    static constexpr int kMostSteps = 4096;

    bool split(std::size_t run, std::size_t half) {
        if (++m_steps > kMostSteps) {
            return false;
        }
        if (run == m_runs.size()) {
            if (half == m_widths.size()) {
                return true;
            }
            // The last half, a space, is the silence after the frame.
            if (half + 1 == m_widths.size() && half % 2 == 1 && m_levels[half - 1]) {
                m_levels[half] = false;
                return true;
            }
            return false;
        }
        const bool level = m_runs[run] > 0;
        const double length = std::abs(m_runs[run]);
        double covered = 0;
        for (std::size_t end = half; end < m_widths.size(); ++end) {
            // A run never holds both halves of one bit.
            if (end % 2 == 1 && end > half) {
                return false;
            }
            covered += m_widths[end] * m_unit;
            m_levels[end] = level;
            if (covered > length * (1 + kTolerance) / (1 - kTolerance)) {
                return false;
            }
            if (near(length, covered) && split(run + 1, end + 1)) {
                return true;
            }
        }
        return false;
    }

    std::span<const qint32> m_runs;
    const std::vector<int>& m_widths;
    double m_unit;
    std::vector<bool> m_levels;
    int m_steps = 0;
};

std::optional<std::vector<bool>> manchester_levels(std::span<const qint32> runs,
                                                   const std::vector<int>& widths, double unit,
                                                   bool hidden_first_space) {
    return ManchesterSplit(runs, widths, unit).levels(hidden_first_space);
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
    const auto levels = manchester_levels(t, std::vector<int>(28, 1), kRc5Half, true);
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
    const std::optional<quint32> read = paired_bits(t, 1, count, kSonyUnit, 2, false);
    if (!read) {
        return false;
    }
    const quint32 bits = *read;
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
            if (!glitch && timing > 0) {
                merged.push_back(timing);  // a frame starts with its first pulse
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
