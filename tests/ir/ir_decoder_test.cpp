#include "tools/ir/core/ir_decoder.h"
#include "tests/support/qt_printers.h"
#include "tools/ir/core/ir_encoder.h"

#include <gtest/gtest.h>

#include <random>

using namespace Qt::StringLiterals;

namespace {

// NEC timings from the bytes as sent, each least significant bit first: a 9 ms and 4.5 ms
// leader, then a 560 µs pulse and a 560 µs (0) or 1690 µs (1) space a bit.
std::vector<qint32> nec(const char* bits) {
    std::vector<qint32> timings{9000, -4500};
    for (const char* bit = bits; *bit; ++bit) {
        if (*bit != ' ') {
            timings.insert(timings.end(), {560, *bit == '1' ? -1690 : -560});
        }
    }
    timings.push_back(560);
    return timings;
}

// Known frames from the protocols' published timings rather than from the encoder, with the
// scancodes the kernel forms for them. RC5: 889 µs halves of bits 1 1 (start), 0 (toggle), 00101
// (address), 110101; a 1 is a space then a pulse, and the first space is before the frame. Sony:
// a 2.4 ms leader, then per bit (command 21, address 1, least significant first) a 600 µs space
// and a 1200 µs (1) or 600 µs (0) pulse. Timings a third off fit no protocol: the frame is 未知,
// its pulses counted.
TEST(IrDecoder, KnownFramesGiveTheirPublishedCodes) {
    const std::vector<qint32> rc5{889, -889, 1778, -889, 889,  -889,  889,  -1778, 1778, -1778,
                                  889, -889, 889,  -889, 1778, -1778, 1778, -1778, 889};
    const std::vector<qint32> sony{2400, -600, 1200, -600, 600,  -600, 1200, -600, 600,
                                   -600, 1200, -600, 600,  -600, 600,  -600, 1200, -600,
                                   600,  -600, 600,  -600, 600,  -600, 600};
    std::vector<qint32> sony13 = sony;
    sony13.insert(sony13.end(), {-600, 600});
    std::vector<qint32> short_leader = nec("00000000 11111111 10100010 01011101");
    short_leader[0] = short_leader[0] * 2 / 3;
    using enum IrProtocol;
    // Timings, protocol, address, command, scancode, toggle, pulses, repeat.
    const std::tuple<std::vector<qint32>, IrProtocol, quint32, quint32, quint32, int, int, bool>
        rows[] = {
            {nec("00000000 11111111 10100010 01011101"), kNec, 0x00, 0x45, 0x0045, -1, 34, false},
            // Address bytes 0x12 0x34 (not inverses): extended, address 0x1234.
            {nec("01001000 00101100 10100010 01011101"), kNecx, 0x1234, 0x45, 0x123445, -1, 34,
             false},
            // Command bytes 0x45 0x67 (not inverses): all 32 bits, in the order 2, 1, 4, 3.
            {nec("01001000 00101100 10100010 11100110"), kNec32, 0x3412, 0x6745, 0x34126745, -1, 34,
             false},
            {{9000, -2250, 560}, kNec, 0, 0, 0, -1, 2, true},
            {rc5, kRc5, 5, 53, 0x0535, 0, 10, false},
            {sony, kSony12, 1, 21, 0x010015, -1, 13, false},
            {short_leader, kUnknown, 0, 0, 0, -1, 34, false},
            {{1000, -1000, 3000, -500, 200}, kUnknown, 0, 0, 0, -1, 3, false},
            {sony13, kUnknown, 0, 0, 0, -1, 14, false},
        };
    for (const auto& [timings, protocol, address, command, scancode, toggle, pulses, repeat] :
         rows) {
        SCOPED_TRACE(scancode);
        const IrFrame frame = decode_frame(timings);
        EXPECT_EQ(frame.protocol, protocol);
        EXPECT_EQ(frame.address, address);
        EXPECT_EQ(frame.command, command);
        EXPECT_EQ(frame.scancode, scancode);
        EXPECT_EQ(frame.toggle, toggle);
        EXPECT_EQ(frame.pulses, pulses);
        EXPECT_EQ(frame.repeat, repeat);
        EXPECT_EQ(frame.timings, timings);
    }
}

// Glitches shorter than 100 µs belong to the pulse or space around them.
TEST(IrDecoder, MergesGlitches) {
    const std::pair<std::vector<qint32>, std::vector<qint32>> rows[] = {
        {{560, -40, 500, -560}, {1100}},
        {{9000, -2000, 60, -2440, 560}, {9000, -4500, 560}},
        {{50, -3000, 560, -560, 560}, {560, -560, 560}},
        {{560, -560, 560, 80}, {560, -560, 640}},
        {{560, 0, -560, 560}, {560, -560, 560}},
        {{560, 560, -100, 560}, {1120, -100, 560}},
        {{30, -20, 40}, {}},
    };
    for (const auto& [timings, merged] : rows) {
        EXPECT_EQ(merge_glitches(timings), merged);
    }
}

// Every timing moved by up to a fifth either way, and glitches cut into pulses and spaces:
// each protocol still decodes to the code that was sent.
TEST(IrDecoder, DecodesEncodedFramesMovedByAFifthWithGlitches) {
    using enum IrProtocol;
    const std::tuple<IrProtocol, quint32, int> rows[] = {
        {kNec, 0x0045, -1},      {kNec, 0xff00, -1},       {kNecx, 0x123445, -1},
        {kNecx, 0xfe0001, -1},   {kNec32, 0x34126745, -1}, {kNec32, 0xffff0000, -1},
        {kRc5, 0x0535, 0},       {kRc5, 0x1f7f, 1},        {kRc5, 0x0000, 1},
        {kRc6Mode0, 0x800c, 0},  {kRc6Mode0, 0x00ff, 1},   {kRc6Mode0, 0xffff, 1},
        {kSony12, 0x010015, -1}, {kSony12, 0x1f007f, -1},  {kSony15, 0xa4007f, -1},
        {kSony20, 0x1a5a3c, -1}, {kSony20, 0x1fff7f, -1},
    };
    std::mt19937 random(26);
    std::uniform_real_distribution<double> stretch(0.8, 1.2);
    for (const auto& [protocol, scancode, toggle] : rows) {
        const std::vector<qint32> clean = encode_frame(protocol, scancode, std::max(toggle, 0));
        for (int trial = 0; trial < 50; ++trial) {
            SCOPED_TRACE(protocol_key(protocol).toStdString() + " " + std::to_string(scancode) +
                         " trial " + std::to_string(trial));
            std::vector<qint32> moved;
            for (const qint32 timing : clean) {
                // Every fifth trial all one way, the hardest case for long Manchester runs.
                const double factor =
                    trial % 5 == 0 ? (trial % 10 == 0 ? 0.8 : 1.2) : stretch(random);
                const auto length = static_cast<qint32>(std::abs(timing) * factor);
                const qint32 sign = timing > 0 ? 1 : -1;
                if (trial % 2 == 1 && length > 400 && random() % 3 == 0) {
                    // A glitch of the other kind in the middle.
                    const qint32 glitch = 20 + static_cast<qint32>(random() % 70);
                    const qint32 first = (length - glitch) / 2;
                    moved.insert(moved.end(),
                                 {sign * first, -sign * glitch, sign * (length - glitch - first)});
                } else {
                    moved.push_back(sign * length);
                }
            }
            const IrFrame frame = decode_frame(moved);
            ASSERT_EQ(frame.protocol, protocol);
            EXPECT_EQ(frame.scancode, scancode);
            EXPECT_EQ(frame.toggle, toggle);
        }
    }
}

TEST(IrEncoder, RefusesCodesTheProtocolCannotSend) {
    using enum IrProtocol;
    const std::tuple<IrProtocol, quint32, bool> rows[] = {
        {kNec, 0xffff, true},        {kNec, 0x10000, false},    {kNecx, 0x123445, true},
        {kNecx, 0x00ff45, false},    {kNecx, 0x1000000, false}, {kNec32, 0x12345678, true},
        {kNec32, 0x1234ba45, false}, {kRc5, 0x1f7f, true},      {kRc5, 0x0080, false},
        {kRc6Mode0, 0x10000, false}, {kSony12, 0x1f007f, true}, {kSony12, 0x200000, false},
        {kSony12, 0x000100, false},  {kSony15, 0xff007f, true}, {kSony20, 0x1fff7f, true},
        {kSony20, 0x1fff80, false},
    };
    for (const auto& [protocol, scancode, good] : rows) {
        EXPECT_EQ(!scancode_error(protocol, scancode), good)
            << protocol_key(protocol).toStdString() << " " << scancode;
    }
    EXPECT_EQ(timings_text(encode_frame(kNec, 0x0045)).left(24), u"+9000 -4500 +563 -563 +5"_s);
}

}  // namespace
