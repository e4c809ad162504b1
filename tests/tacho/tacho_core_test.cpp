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
    const struct {
        std::uint16_t count;
        double ms;
        std::int32_t rpm;
    } rows[] = {
        {0x0000, 1, 60000},     {0x00D1, 1.0032, 59809}, {0x0640, 7.68, 7812},
        {0x3039, 59.256, 1013}, {0xFFFF, 314.568, 191},
    };
    for (const auto& row : rows) {
        EXPECT_DOUBLE_EQ(speed_of(row.count).ms, row.ms) << row.count;
        EXPECT_EQ(speed_of(row.count).rpm, row.rpm) << row.count;
    }
}

// The upper limit is checked, then the lower one, then their order, each on the texts the
// check before left; then segment k lights when the speed is above lower + k * step.
TEST(BarGraph, LimitsAreCheckedThenTheSegmentsLight) {
    const LimitFailure upper{u"100"_s, std::nullopt}, lower{std::nullopt, u"0"_s};
    const LimitFailure both{u"100"_s, u"0"_s};
    const struct {
        const char* upper;
        const char* lower;
        std::vector<LimitFailure> failures;
        std::int32_t rpm;
        int lit;
    } rows[] = {
        {"2000", "1000", {}, 1225, 4},  // step 45
        {"2000", "1000", {}, 1226, 5},
        {" 100 ", "000", {}, 111, 22},
        {"500", "500", {}, 501, 22},
        {"abc", "000", {upper}, 6, 1},
        {"100", "x", {lower}, 5, 0},
        {"abc", "xyz", {upper, lower}, 60000, 22},
        {"abc", "200", {upper, both}, 110, 21},
        {"1e11", "0", {both}, 6, 1},  // a step beyond 32 bits
        {"4.7e10", "0", {}, 60000, 0},
        {"-50", "-100", {}, -5, 22},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.upper) + " " + row.lower);
        const LimitReview review =
            review_limits(QString::fromLatin1(row.upper), QString::fromLatin1(row.lower));
        ASSERT_EQ(review.failures.size(), row.failures.size());
        for (std::size_t i = 0; i < row.failures.size(); ++i) {
            EXPECT_EQ(review.failures[i].upper, row.failures[i].upper);
            EXPECT_EQ(review.failures[i].lower, row.failures[i].lower);
        }
        EXPECT_EQ(lit_segments(row.rpm, review.scale), row.lit);
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
        {16379, 16410}, {30000, 50000}, {size - 3, size + 10}, {-5, 4}, {20, 10},
    };
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
