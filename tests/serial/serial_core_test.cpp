#include "tests/support/qt_printers.h"
#include "tools/serial/core/hex_text.h"
#include "tools/serial/core/receive_log.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct HexRow {
    QString text;
    const char* bytes;  // hex, when the text is good
    QString error;
};

const HexRow kHexRows[] = {
    {u"55 AA 27 10 FF"_s, "55aa2710ff", {}},
    {u"55aA2710fF"_s, "55aa2710ff", {}},
    {u"  5 5\tAA "_s, "55aa", {}},
    {u""_s, "", {}},
    {u"55 A"_s, nullptr, u"十六进制发送：数字个数为奇数，最后一个字节缺一位，未发送"_s},
    {u"12 G4"_s, nullptr, u"十六进制发送：第 4 个字符“G”不是十六进制数字，未发送"_s},
    {u"0x12"_s, nullptr, u"十六进制发送：第 2 个字符“x”不是十六进制数字，未发送"_s},
    {u"12，34"_s, nullptr, u"十六进制发送：第 3 个字符“，”不是十六进制数字，未发送"_s},
};

TEST(HexText, ParsesPairsOfDigitsAndNamesTheFirstBadCharacter) {
    for (const HexRow& row : kHexRows) {
        SCOPED_TRACE(row.text.toStdString());
        const HexParse parse = parse_hex(row.text);
        EXPECT_EQ(parse.ok(), row.bytes != nullptr);
        EXPECT_EQ(parse.bytes, QByteArray::fromHex(row.bytes ? row.bytes : ""));
        EXPECT_EQ(hex_error_text(row.text, parse), row.error);
    }
}

// Steps, space-separated: "hex@ms" bytes arriving at that millisecond of 10:00:00, "pause",
// "resume", "clear", or "view" to switch to the other of text and hex.
void run_steps(ReceiveLog& log, const char* steps) {
    for (const QByteArray& step : QByteArray(steps).split(' ')) {
        if (step == "pause" || step == "resume") {
            log.set_paused(step == "pause");
        } else if (step == "clear") {
            log.clear();
        } else if (step == "view") {
            ReceiveOptions other = log.options();
            other.hex = !other.hex;
            log.set_options(other);
        } else {
            const QList<QByteArray> parts = step.split('@');
            log.append(QByteArray::fromHex(parts[0]), QTime(10, 0).addMSecs(parts[1].toInt()));
        }
    }
}

struct LogRow {
    const char* name;
    ReceiveOptions options;
    const char* steps;
    QString shown;
    qint64 held = 0;
    qint64 kept = ReceiveLog::kKeptBytes;
    qsizetype kept_lines = ReceiveLog::kKeptLines;
};

const ReceiveOptions kGbk{false, false, u"GBK"_s};
const ReceiveOptions kUtf8{false, false, u"UTF-8"_s};
const ReceiveOptions kTimedText{false, true, u"GBK"_s};
const ReceiveOptions kHex{true, false, u"GBK"_s};
const ReceiveOptions kTimedHex{true, true, u"GBK"_s};
const ReceiveOptions kCheckedHex{true, false, u"GBK"_s, Checksum::kCrc16Modbus};
const ReceiveOptions kCheckedTimedHex{true, true, u"GBK"_s, Checksum::kSum};
const ReceiveOptions kSummedText{false, false, u"GBK"_s, Checksum::kSum};
const QString kSixteen = u"00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F"_s;

const LogRow kLogRows[] = {
    {"gbk character split across reads", kGbk, "C4@0 E3BAC3@1", u"你好"_s},
    {"utf-8 character split across reads", kUtf8, "E4BD@0 A0E5A5BD@1", u"你好"_s},
    {"line ends", kGbk, "610D620A630D0A64@0", u"a\nb\nc\nd"_s},
    {"cr lf split across reads", kGbk, "610D@0 0A62@1 0A0A63@2", u"a\nb\n\nc"_s},
    {"line time is its first byte's", kTimedText, "6162@5 630A64@250",
     u"[10:00:00.005] abc\n[10:00:00.250] d"_s},
    {"hex frames", kTimedHex, "55AA2710FF@0 55AA3039FF@100",
     u"[10:00:00.000] 55 AA 27 10 FF\n[10:00:00.100] 55 AA 30 39 FF"_s},
    {"hex reads close together share a line", kHex, "55AA@0 2710FF@5", u"55 AA 27 10 FF"_s},
    {"sixteen bytes a hex line", kHex, "000102030405060708090A0B0C0D0E0F10@0",
     kSixteen + u"\n10"_s},
    {"pause holds bytes back", kGbk, "6162@0 pause 630A64@1", u"ab"_s, 3},
    {"resume shows them", kGbk, "6162@0 pause 630A64@1 resume", u"abc\nd"_s},
    {"clear", kHex, "55@0 clear AA@100", u"AA"_s},
    {"old bytes go with a mark", kHex, "000102030405060708090A0B0C0D0E0F@0 1011@100",
     u"…… 较早的 16 字节已不在屏幕上 ……\n10 11"_s, 0, 10},
    {"bytes held in a pause go too", kHex, "pause 00010203@0 04050607@100 resume",
     u"…… 较早的 4 字节已不在屏幕上 ……\n04 05 06 07"_s, 0, 6},
    {"a mark after a clear counts from the clear", kHex, "0001@0 clear 02030405@100 06070809@200",
     u"…… 较早的 4 字节已不在屏幕上 ……\n06 07 08 09"_s, 0, 6},
    // A board sending 2 bytes every 5 ms never pauses 20 ms: full lines.
    {"a steady hex stream fills its lines", kHex,
     "0001@0 0203@5 0405@10 0607@15 0809@20 0A0B@25 0C0D@30 0E0F@35 1011@40 1213@45 1415@65",
     kSixteen + u"\n10 11 12 13\n14 15"_s},
    {"reads of one millisecond share a line's time", kTimedHex, "01@7 02@7 03@30",
     u"[10:00:00.007] 01 02\n[10:00:00.030] 03"_s},
    {"the view switches while paused, held bytes still held", kGbk, "610A@0 pause 620A@1 view",
     u"61 0A"_s, 2},
    {"the encoding switches while paused", kUtf8, "C4E3@0 pause 0A@1 view resume", u"C4 E3 0A"_s},
    {"lines are capped as well as bytes", kGbk, "610A620A630A@0 640A650A@1",
     u"…… 较早的 4 字节已不在屏幕上 ……\nc\nd\ne"_s, 0, ReceiveLog::kKeptBytes, 3},
    {"hex lines with their checksum verdicts", kCheckedHex,
     "01030000000AC5CD@0 01030000000AC5CE@100 01@200",
     u"01 03 00 00 00 0A C5 CD  校验正确\n01 03 00 00 00 0A C5 CE  校验错误\n01  校验错误"_s},
    {"a text view shows no verdict", kSummedText, "6161@0", u"aa"_s},
};

TEST(ReceiveLog, ShowsBytesAsLinesOfTextOrHex) {
    for (const LogRow& row : kLogRows) {
        SCOPED_TRACE(row.name);
        ReceiveLog log(row.kept, row.kept_lines);
        log.set_options(row.options);
        run_steps(log, row.steps);
        EXPECT_EQ(log.text(), row.shown);
        EXPECT_EQ(log.held_bytes(), row.held);
    }
}

// A screen reader asks for the text in pieces: each piece is that part of the lines joined by
// line feeds, made without the whole. Whatever goes from the top, a line now is the line
// dropped_lines() further on before, so a selection stays on its line.
TEST(ReceiveLog, ServesAnyRangeOfItsTextAndCountsTheLinesThatGo) {
    const struct {
        const char* name;
        ReceiveOptions options;
        qint64 kept;
        qsizetype kept_lines;
    } rows[] = {
        {"text", kGbk, ReceiveLog::kKeptBytes, ReceiveLog::kKeptLines},
        {"text capped by lines", kGbk, 200, 12},
        {"text with times and a mark", kTimedText, 300, ReceiveLog::kKeptLines},
        {"hex", kHex, ReceiveLog::kKeptBytes, ReceiveLog::kKeptLines},
        {"hex capped by lines", kHex, 200, 12},
        {"hex with times and a mark", kTimedHex, 300, 40},
        {"hex with times, verdicts and a mark", kCheckedTimedHex, 300, 40},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ReceiveLog log(row.kept, row.kept_lines);
        log.set_options(row.options);
        QRandomGenerator random(5);
        QStringList lines;
        for (int i = 0; i < 300; ++i) {
            QByteArray bytes;
            for (int n = random.bounded(1, 9); n > 0; --n) {
                bytes += "ab\n\r\xC4\xE3"[random.bounded(6)];
            }
            const qint64 dropped = log.dropped_lines();
            log.append(bytes, QTime(10, 0).addMSecs(i * 25));
            const qint64 went = log.dropped_lines() - dropped;
            // The last line may have grown, and the mark counts its bytes anew.
            for (qsizetype at = log.dropped_bytes() > 0 ? 1 : 0; at + went + 1 < lines.size();
                 ++at) {
                ASSERT_EQ(log.line(at), lines[at + went]) << i << " " << at;
            }
            lines.clear();
            for (qsizetype at = 0; at < log.line_count(); ++at) {
                lines << log.line(at);
            }
        }
        const QString whole = lines.join(u'\n');
        ASSERT_EQ(log.text_size(), whole.size());
        qint64 offset = 0;
        for (qsizetype i = 0; i < log.line_count(); ++i) {
            ASSERT_EQ(log.text_offset(i), offset) << i;
            ASSERT_EQ(log.line_at(offset + lines[i].size()), i) << i;  // its line end
            offset += lines[i].size() + 1;
        }
        EXPECT_EQ(log.text_offset(log.line_count()), whole.size());
        for (int i = 0; i < 300; ++i) {
            const qint64 from = random.bounded(whole.size() + 1);
            const qint64 to = from + random.bounded(80);
            ASSERT_EQ(log.text(from, to), whole.mid(from, to - from)) << from << " " << to;
        }
    }
}

}  // namespace
