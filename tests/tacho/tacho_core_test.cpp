#include "tests/support/qt_printers.h"
#include "tools/tacho/core/bar_graph.h"
#include "tools/tacho/core/byte_log.h"
#include "tools/tacho/core/frame_decoder.h"
#include "tools/tacho/core/speed.h"

#include <QByteArray>
#include <QStringList>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(Speed, TurnsCountsIntoMillisecondsAndRevolutionsPerMinute) {
    struct Case {
        std::uint8_t high, low;
        double ms;
        std::int32_t rpm;
    };
    const Case cases[] = {
        {0x00, 0x00, 1, 60000},     {0x00, 0xD0, 1, 60000},     {0x00, 0xD1, 1.0032, 59809},
        {0x06, 0x40, 7.68, 7812},   {0x1F, 0x40, 38.4, 1562},   {0x27, 0x10, 48, 1250},
        {0x30, 0x39, 59.256, 1013}, {0xFF, 0xFF, 314.568, 191},
    };
    for (const Case& c : cases) {
        const Frame frame{{0x55, 0xAA, c.high, c.low, 0xFF}};
        ASSERT_TRUE(frame.valid());
        const Speed speed = speed_of(frame.count());
        EXPECT_DOUBLE_EQ(speed.ms, c.ms) << int(c.high) << " " << int(c.low);
        EXPECT_EQ(speed.rpm, c.rpm) << int(c.high) << " " << int(c.low);
    }
}

struct LimitCase {
    const char* upper;
    const char* lower;
    std::vector<LimitFailure> failures;
    double scale_lower;
    std::int32_t step;
};

TEST(Limits, AreCheckedUpperLowerThenOrder) {
    const auto reset_upper = LimitFailure{u"100"_s, std::nullopt};
    const auto reset_lower = LimitFailure{std::nullopt, u"0"_s};
    const auto reset_both = LimitFailure{u"100"_s, u"0"_s};
    const LimitCase cases[] = {
        {"100", "000", {}, 0, 5},
        {"2000", "1000", {}, 1000, 45},
        {"100", "20", {}, 20, 4},
        {" 100 ", "20", {}, 20, 4},
        {"500", "500", {}, 500, 0},
        {"abc", "000", {reset_upper}, 0, 5},
        {"", "000", {reset_upper}, 0, 5},
        {"100", "x", {reset_lower}, 0, 5},
        {"abc", "xyz", {reset_upper, reset_lower}, 0, 5},
        {"50", "100", {reset_both}, 0, 5},
        {"abc", "200", {reset_upper, reset_both}, 0, 5},
        {"5", "abc", {reset_lower}, 0, 0},
        {"1e11", "0", {reset_both}, 0, 5},  // step beyond 32 bits
        {"4.7e10", "0", {}, 0, 2136363636},
        {"1e400", "0", {reset_upper}, 0, 5},
        {"-50", "-100", {}, -100, 2},
    };
    for (const LimitCase& c : cases) {
        const LimitReview review =
            review_limits(QString::fromLatin1(c.upper), QString::fromLatin1(c.lower));
        ASSERT_EQ(review.failures.size(), c.failures.size()) << c.upper << " " << c.lower;
        for (std::size_t i = 0; i < c.failures.size(); ++i) {
            EXPECT_EQ(review.failures[i].upper, c.failures[i].upper) << c.upper << " " << c.lower;
            EXPECT_EQ(review.failures[i].lower, c.failures[i].lower) << c.upper << " " << c.lower;
        }
        EXPECT_EQ(review.scale.lower, c.scale_lower) << c.upper << " " << c.lower;
        EXPECT_EQ(review.scale.step, c.step) << c.upper << " " << c.lower;
    }
}

TEST(BarGraph, LightsSegmentsStrictlyAboveTheirThresholds) {
    struct Case {
        std::int32_t rpm;
        BarScale scale;
        int lit;
    };
    const Case cases[] = {
        {1250, {1000, 45}, 5}, {1225, {1000, 45}, 4}, {1226, {1000, 45}, 5}, {110, {0, 5}, 21},
        {111, {0, 5}, 22},     {5, {0, 5}, 0},        {6, {0, 5}, 1},        {60000, {0, 5}, 22},
        {501, {500, 0}, 22},   {500, {500, 0}, 0},    {191, {1000, 45}, 0},  {-5, {-100, 2}, 22},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(lit_segments(c.rpm, c.scale), c.lit) << c.rpm;
    }
}

// Any part of a long log's text, as a screen reader asks for it, without the whole text made.
TEST(ByteLog, ServesAnyPartOfItsText) {
    ByteLog log;
    QString whole;
    for (int i = 0; i < 20000; ++i) {
        const auto byte = static_cast<std::uint8_t>(i * 7);
        log.append(&byte, 1);
        whole += QString::number(byte) + u"\r\n"_s;
    }
    const qint64 size = whole.size();
    ASSERT_EQ(log.text_size(), size);
    const std::pair<qint64, qint64> ranges[] = {
        {0, 0},         {0, 5},         {3, 17},          {1, 2},
        {16379, 16410}, {30000, 50000}, {size - 7, size}, {size - 3, size + 10},
        {-5, 4},        {20, 10},       {0, size},
    };
    for (const auto& [from, to] : ranges) {
        const qint64 start = std::clamp<qint64>(from, 0, size);
        EXPECT_EQ(log.text(from, to), whole.mid(start, std::max<qint64>(0, to - start)))
            << from << " " << to;
    }
}

// Byte streams as they may arrive: pieces separated by spaces, "|" where acquisition stops
// (the partial frame is dropped); and the frames the decoder hands out.
TEST(FrameDecoder, CutsTheByteStreamIntoFrames) {
    const std::pair<const char*, QStringList> cases[] = {
        {"55AA2710FF", {"55aa2710ff"}},
        {"55 AA27 10 FF", {"55aa2710ff"}},    // split over arrivals
        {"1234 55AA2710FF", {"55aa2710ff"}},  // garbage before a start
        {"55AA2710FF AA FF 00 55AA3039FF", {"55aa2710ff", "55aa3039ff"}},
        {"5555AA2710FF55AA3039FF", {"5555aa2710", "55aa3039ff"}},  // a false start
        {"55AA5555FF", {"55aa5555ff"}},                            // 0x55 inside a frame
        {"55AA27 | 10FF55AA2710FF", {"55aa2710ff"}},               // stopped mid-frame
        {"55AA2710FF55AA", {"55aa2710ff"}},                        // a frame still coming
        {"", {}},
    };
    for (const auto& [stream, frames] : cases) {
        FrameDecoder decoder;
        QStringList found;
        for (const QByteArray& piece : QByteArray(stream).split(' ')) {
            if (piece == "|") {
                decoder.reset();
                continue;
            }
            for (const char byte : QByteArray::fromHex(piece)) {
                if (const auto frame = decoder.push(static_cast<std::uint8_t>(byte))) {
                    found << QString::fromLatin1(
                        QByteArray(reinterpret_cast<const char*>(frame->bytes.data()), Frame::kSize)
                            .toHex());
                }
            }
        }
        EXPECT_EQ(found, frames) << stream;
    }
}

}  // namespace
