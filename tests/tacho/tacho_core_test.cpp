#include "tests/support/qt_printers.h"
#include "tools/tacho/core/bar_graph.h"
#include "tools/tacho/core/byte_log.h"
#include "tools/tacho/core/frame_decoder.h"
#include "tools/tacho/core/speed.h"

#include <QByteArrayList>

#include <vector>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(Speed, TurnsCountsIntoMillisecondsAndRevolutionsPerMinute) {
    const std::tuple<std::uint16_t, double, std::int32_t> rows[] = {
        {0x0000, 1, 60000},     {0x00D1, 1.0032, 59809}, {0x0640, 7.68, 7812},
        {0x3039, 59.256, 1013}, {0xFFFF, 314.568, 191},
    };
    for (const auto& [count, ms, rpm] : rows) {
        EXPECT_DOUBLE_EQ(speed_of(count).ms, ms) << count;
        EXPECT_EQ(speed_of(count).rpm, rpm) << count;
    }
}

// The upper limit is checked, then the lower one, then their order, each on the texts the
// check before left; then segment k lights when the speed is above lower + k * step. A failure
// shows as [upper,lower], the texts the boxes are reset to, "-" for a box left alone.
TEST(BarGraph, LimitsAreCheckedThenTheSegmentsLight) {
    const std::tuple<const char*, const char*, QString, std::int32_t, int> rows[] = {
        {"2000", "1000", u""_s, 1225, 4},  // step 45
        {"2000", "1000", u""_s, 1226, 5},
        {" 100 ", "000", u""_s, 111, 22},
        {"500", "500", u""_s, 501, 22},
        {"abc", "000", u"[100,-]"_s, 6, 1},
        {"100", "x", u"[-,0]"_s, 5, 0},
        {"abc", "xyz", u"[100,-][-,0]"_s, 60000, 22},
        {"abc", "200", u"[100,-][100,0]"_s, 110, 21},
        {"1e11", "0", u"[100,0]"_s, 6, 1},  // a step beyond 32 bits
        {"4.7e10", "0", u""_s, 60000, 0},
        {"-50", "-100", u""_s, -5, 22},
    };
    for (const auto& [upper, lower, failures, rpm, lit] : rows) {
        SCOPED_TRACE(std::string(upper) + " " + lower);
        const LimitReview review =
            review_limits(QString::fromLatin1(upper), QString::fromLatin1(lower));
        QString found;
        for (const LimitFailure& failure : review.failures) {
            found +=
                u"[%1,%2]"_s.arg(failure.upper.value_or(u"-"_s), failure.lower.value_or(u"-"_s));
        }
        EXPECT_EQ(found, failures);
        EXPECT_EQ(lit_segments(rpm, review.scale), lit);
    }
}

// Byte streams, "|" where acquisition stops (the partial frame is dropped); the frames the
// decoder hands out go to the log.
TEST(FrameDecoder, CutsTheByteStreamIntoFrames) {
    const std::pair<const char*, const char*> rows[] = {
        {"55AA2710FF", "85 170 39 16 255"},
        {"1234 55AA2710FF AA 55AA3039FF", "85 170 39 16 255 85 170 48 57 255"},
        {"5555AA2710FF", "85 85 170 39 16"},  // a false start
        {"55AA27 | 10FF55AA2710FF55AA", "85 170 39 16 255"},
    };
    for (const auto& [stream, logged] : rows) {
        SCOPED_TRACE(stream);
        FrameDecoder decoder;
        ByteLog log;
        for (const QByteArray& run : QByteArray(stream).split('|')) {
            decoder.reset();
            for (const char byte : QByteArray::fromHex(run)) {
                if (const auto frame = decoder.push(static_cast<std::uint8_t>(byte))) {
                    log.append(frame->bytes.data(), frame->bytes.size());
                }
            }
        }
        EXPECT_EQ(log.text(), QString::fromLatin1(logged).replace(u' ', u"\r\n"_s) + u"\r\n"_s);
    }
}

// Any part of a long log's text without the whole text made; where a line begins in the text,
// and which line holds a character, on both sides of the landmarks (a character of a line end is
// its line's).
TEST(ByteLog, ServesAnyPartOfItsTextAndFindsItsLines) {
    ByteLog log;
    QString whole;
    std::vector<qint64> starts{0};
    for (int i = 0; i < 20000; ++i) {
        const auto byte = static_cast<std::uint8_t>(i * 7);
        log.append(&byte, 1);
        whole += QString::number(byte) + u"\r\n"_s;
        starts.push_back(whole.size());
    }
    const qint64 size = whole.size();
    ASSERT_EQ(log.text_size(), size);
    const std::pair<qint64, qint64> ranges[] = {
        {16379, 16410}, {30000, 50000}, {size - 3, size + 10}, {-5, 4}, {20, 10}};
    for (const auto& [from, to] : ranges) {
        const qint64 start = std::clamp<qint64>(from, 0, size);
        EXPECT_EQ(log.text(from, to), whole.mid(start, std::max<qint64>(0, to - start)))
            << from << " " << to;
    }
    for (const std::size_t line : {0, 1, 4095, 4096, 4097, 8191, 8192, 19999}) {
        SCOPED_TRACE(line);
        EXPECT_EQ(log.line_start(line), starts[line]);
        EXPECT_EQ(log.line_at(starts[line]), line);
        EXPECT_EQ(log.line_at(starts[line + 1] - 1), line);
    }
    EXPECT_EQ(log.line_start(20000), size);
    EXPECT_EQ(log.line_at(size), 19999u);
}

}  // namespace
