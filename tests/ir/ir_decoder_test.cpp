#include "tools/ir/core/ir_decoder.h"
#include "tests/support/qt_printers.h"
#include "tools/ir/core/ir_encoder.h"
#include "tools/ir/core/ir_frame_splitter.h"
#include "tools/ir/core/timing_file.h"

#include <gtest/gtest.h>

#include <random>

using namespace Qt::StringLiterals;

namespace {

// The frames of a text of timings, read and cut as a recording is.
std::vector<IrFrame> frames_of(const QString& text) {
    const TimingFile file = parse_timing_text(text);
    EXPECT_FALSE(file.error.has_value());
    IrFrameSplitter splitter;
    splitter.add(file.samples);
    splitter.finish();
    return splitter.take_frames();
}

// Timings of Manchester bits written out by hand: `one_first` is the level (true: pulse) that
// opens a 1; spaces at either end are silence.
std::vector<qint32> manchester(const char* bits, qint32 half, bool one_first) {
    std::vector<qint32> timings;
    auto add = [&](bool pulse) {
        if (timings.empty() && !pulse) {
            return;
        }
        if (!timings.empty() && (timings.back() > 0) == pulse) {
            timings.back() += pulse ? half : -half;
        } else {
            timings.push_back(pulse ? half : -half);
        }
    };
    for (const char* bit = bits; *bit; ++bit) {
        if (*bit == ' ') {
            continue;
        }
        const bool one = *bit == '1';
        add(one == one_first);
        add(one != one_first);
    }
    if (timings.back() < 0) {
        timings.pop_back();
    }
    return timings;
}

// Timings of pulse-distance bits: each bit a pulse then a short or long space.
std::vector<qint32> pulse_distance(std::vector<qint32> timings, const char* bits, qint32 pulse,
                                   qint32 zero, qint32 one, qint32 trailer) {
    for (const char* bit = bits; *bit; ++bit) {
        if (*bit != ' ') {
            timings.push_back(pulse);
            timings.push_back(*bit == '1' ? -one : -zero);
        }
    }
    timings.push_back(trailer);
    return timings;
}

// Known frames, from the protocols' published timings rather than from the encoder.
TEST(IrDecoder, KnownRealFramesGiveTheirPublishedCodes) {
    // Sony: a 2.4 ms leader; each bit, least significant first, a 0.6 ms space then a 1.2 ms
    // (1) or 0.6 ms (0) pulse. Command 21 = 0010101, address 1 = 00001.
    std::vector<qint32> sony{2400};
    for (const char bit : std::string("1010100"
                                      "10000")) {
        sony.push_back(-600);
        sony.push_back(bit == '1' ? 1200 : 600);
    }
    const struct {
        const char* name;
        std::vector<qint32> timings;
        IrProtocol protocol;
        quint32 address;
        quint32 command;
        quint32 scancode;
        int toggle;
    } rows[] = {
        // NEC: 9 ms, 4.5 ms, then address 0x00, its inverse, command 0x45, its inverse, each
        // least significant bit first, a 560 µs pulse and a 560 or 1690 µs space a bit.
        {"nec 0x00 0x45",
         pulse_distance({9000, -4500}, "00000000 11111111 10100010 01011101", 560, 560, 1690, 560),
         IrProtocol::kNec, 0x00, 0x45, 0x0045, -1},
        // RC5: 889 µs halves; start bits 1 1, toggle 0, address 00101, command 110101.
        {"rc5 5 53", manchester("11 0 00101 110101", 889, false), IrProtocol::kRc5, 5, 53, 0x0535,
         0},
        {"sony12 1 21", sony, IrProtocol::kSony12, 1, 21, 0x010015, -1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const IrFrame frame = decode_frame(row.timings);
        EXPECT_EQ(frame.protocol, row.protocol);
        EXPECT_EQ(frame.address, row.address);
        EXPECT_EQ(frame.command, row.command);
        EXPECT_EQ(frame.scancode, row.scancode);
        EXPECT_EQ(frame.toggle, row.toggle);
        EXPECT_FALSE(frame.repeat);
    }
}

// The scancode of each NEC form as the kernel documents it, from the four bytes sent.
TEST(IrDecoder, NecFormsItsScancodesAsTheKernel) {
    const struct {
        const char* bytes;  // the bytes in the order sent, each least significant bit first
        IrProtocol protocol;
        quint32 address;
        quint32 command;
        quint32 scancode;
    } rows[] = {
        {"00000000 11111111 10100010 01011101", IrProtocol::kNec, 0x00, 0x45, 0x0045},
        // Address bytes 0x12 0x34 (not inverses): extended, address 0x1234.
        {"01001000 00101100 10100010 01011101", IrProtocol::kNecx, 0x1234, 0x45, 0x123445},
        // Command bytes 0x45 0x67 (not inverses): all 32 bits, in the order 2, 1, 4, 3.
        {"01001000 00101100 10100010 11100110", IrProtocol::kNec32, 0x3412, 0x6745, 0x34126745},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.bytes);
        const IrFrame frame =
            decode_frame(pulse_distance({9000, -4500}, row.bytes, 560, 560, 1690, 560));
        EXPECT_EQ(frame.protocol, row.protocol);
        EXPECT_EQ(frame.address, row.address);
        EXPECT_EQ(frame.command, row.command);
        EXPECT_EQ(frame.scancode, row.scancode);
    }
    const IrFrame repeat = decode_frame({9000, -2250, 560});
    EXPECT_EQ(repeat.protocol, IrProtocol::kNec);
    EXPECT_TRUE(repeat.repeat);
}

// Glitches shorter than 100 µs belong to the pulse or space around them.
TEST(IrDecoder, MergesGlitches) {
    const struct {
        std::vector<qint32> timings;
        std::vector<qint32> merged;
    } rows[] = {
        {{560, -40, 500, -560}, {1100}},
        {{9000, -2000, 60, -2440, 560}, {9000, -4500, 560}},
        {{50, -3000, 560, -560, 560}, {560, -560, 560}},
        {{560, -560, 560, 80}, {560, -560, 640}},
        {{560, 0, -560, 560}, {560, -560, 560}},
        {{560, 560, -100, 560}, {1120, -100, 560}},
        {{30, -20, 40}, {}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(merge_glitches(row.timings), row.merged);
    }
}

struct RoundTripRow {
    IrProtocol protocol;
    quint32 scancode;
    int toggle;
};

const RoundTripRow kRoundTripRows[] = {
    {IrProtocol::kNec, 0x0045, -1},       {IrProtocol::kNec, 0xff00, -1},
    {IrProtocol::kNecx, 0x123445, -1},    {IrProtocol::kNecx, 0xfe0001, -1},
    {IrProtocol::kNec32, 0x34126745, -1}, {IrProtocol::kNec32, 0xffff0000, -1},
    {IrProtocol::kRc5, 0x0535, 0},        {IrProtocol::kRc5, 0x1f7f, 1},
    {IrProtocol::kRc5, 0x0000, 1},        {IrProtocol::kRc6Mode0, 0x800c, 0},
    {IrProtocol::kRc6Mode0, 0x00ff, 1},   {IrProtocol::kRc6Mode0, 0xffff, 1},
    {IrProtocol::kSony12, 0x010015, -1},  {IrProtocol::kSony12, 0x1f007f, -1},
    {IrProtocol::kSony15, 0xa4007f, -1},  {IrProtocol::kSony20, 0x1a5a3c, -1},
    {IrProtocol::kSony20, 0x1fff7f, -1},
};

// Every timing moved by up to a fifth either way, and glitches cut into pulses and spaces:
// each protocol still decodes to the code that was sent.
TEST(IrDecoder, DecodesEncodedFramesMovedByAFifthWithGlitches) {
    std::mt19937 random(26);
    std::uniform_real_distribution<double> stretch(0.8, 1.2);
    for (const RoundTripRow& row : kRoundTripRows) {
        SCOPED_TRACE(protocol_key(row.protocol).toStdString() + " " + std::to_string(row.scancode));
        const std::vector<qint32> clean =
            encode_frame(row.protocol, row.scancode, std::max(row.toggle, 0));
        for (int trial = 0; trial < 50; ++trial) {
            std::vector<qint32> moved;
            for (const qint32 timing : clean) {
                const auto length = static_cast<qint32>(std::abs(timing) * stretch(random));
                // Every fifth trial all one way, the hardest case for long Manchester runs.
                const double all = trial % 5 == 0 ? (trial % 10 == 0 ? 0.8 : 1.2) : 0;
                const qint32 scaled = all ? static_cast<qint32>(std::abs(timing) * all) : length;
                const qint32 signed_length = timing > 0 ? scaled : -scaled;
                if (trial % 2 == 1 && std::abs(signed_length) > 400 && random() % 3 == 0) {
                    // A glitch of the other kind in the middle.
                    const qint32 glitch = 20 + static_cast<qint32>(random() % 70);
                    const qint32 first = (std::abs(signed_length) - glitch) / 2;
                    const qint32 second = std::abs(signed_length) - glitch - first;
                    const qint32 sign = timing > 0 ? 1 : -1;
                    moved.insert(moved.end(), {sign * first, -sign * glitch, sign * second});
                } else {
                    moved.push_back(signed_length);
                }
            }
            const IrFrame frame = decode_frame(moved);
            ASSERT_EQ(frame.protocol, row.protocol) << "trial " << trial;
            EXPECT_EQ(frame.scancode, row.scancode) << "trial " << trial;
            EXPECT_EQ(frame.toggle, row.toggle) << "trial " << trial;
            EXPECT_EQ(frame.timings, moved);
        }
    }
}

// Timings a third off are not the protocol's: the frame is 未知, its pulses counted and its
// timings kept.
TEST(IrDecoder, AFrameNoProtocolFitsIsUnknownWithItsTimings) {
    std::vector<qint32> off = encode_frame(IrProtocol::kNec, 0x0045);
    off[0] = off[0] * 2 / 3;
    const struct {
        const char* name;
        std::vector<qint32> timings;
        int pulses;
    } rows[] = {
        {"nec leader a third short", off, 34},
        {"three pulses", {1000, -1000, 3000, -500, 200}, 3},
        {"sony of 13 bits",
         [] {
             std::vector<qint32> t = encode_frame(IrProtocol::kSony12, 0x010015);
             t.insert(t.end(), {-600, 600});
             return t;
         }(),
         14},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const IrFrame frame = decode_frame(row.timings);
        EXPECT_EQ(frame.protocol, IrProtocol::kUnknown);
        EXPECT_EQ(frame.pulses, row.pulses);
        EXPECT_EQ(frame.timings, row.timings);
        EXPECT_EQ(protocol_caption(frame.protocol), u"未知"_s);
    }
}

// encode, written as ir-ctl sends it, read back as a recording and decoded: the same code,
// for random codes of every protocol.
TEST(IrDecoder, EncodedTextDecodesToTheSameScancodeForEveryProtocol) {
    std::mt19937 random(2026);
    for (const IrProtocol protocol : known_protocols()) {
        SCOPED_TRACE(protocol_key(protocol).toStdString());
        int tried = 0;
        while (tried < 300) {
            const quint32 scancode = static_cast<quint32>(random()) & scancode_mask(protocol);
            if (scancode_error(protocol, scancode)) {
                continue;
            }
            ++tried;
            const int toggle = static_cast<int>(random() % 2);
            const QString text = timings_text(encode_frame(protocol, scancode, toggle));
            const std::vector<IrFrame> frames = frames_of(text);
            ASSERT_EQ(frames.size(), 1u) << text.toStdString();
            EXPECT_EQ(frames[0].protocol, protocol);
            EXPECT_EQ(frames[0].scancode, scancode) << text.toStdString();
        }
    }
}

TEST(IrEncoder, RefusesCodesTheProtocolCannotSend) {
    const struct {
        IrProtocol protocol;
        quint32 scancode;
        bool good;
    } rows[] = {
        {IrProtocol::kNec, 0xffff, true},        {IrProtocol::kNec, 0x10000, false},
        {IrProtocol::kNecx, 0x123445, true},     {IrProtocol::kNecx, 0x00ff45, false},
        {IrProtocol::kNecx, 0x1000000, false},   {IrProtocol::kNec32, 0x12345678, true},
        {IrProtocol::kNec32, 0x1234ba45, false}, {IrProtocol::kRc5, 0x1f7f, true},
        {IrProtocol::kRc5, 0x0080, false},       {IrProtocol::kRc6Mode0, 0x10000, false},
        {IrProtocol::kSony12, 0x1f007f, true},   {IrProtocol::kSony12, 0x200000, false},
        {IrProtocol::kSony12, 0x000100, false},  {IrProtocol::kSony15, 0xff007f, true},
        {IrProtocol::kSony20, 0x1fff7f, true},   {IrProtocol::kSony20, 0x1fff80, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(protocol_key(row.protocol).toStdString() + " " + std::to_string(row.scancode));
        EXPECT_EQ(!scancode_error(row.protocol, row.scancode), row.good);
    }
    EXPECT_EQ(timings_text(encode_frame(IrProtocol::kNec, 0x0045)).left(24),
              u"+9000 -4500 +563 -563 +5"_s);
}

}  // namespace
