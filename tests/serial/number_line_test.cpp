#include "base/sample_store.h"
#include "tests/support/qt_printers.h"
#include "tools/serial/core/number_line_parser.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Records as "name=value name=value", joined by "|".
QString shown(const std::vector<NamedValues>& records) {
    QStringList lines;
    for (const NamedValues& record : records) {
        QStringList fields;
        for (const NamedValue& named : record) {
            fields << named.name + u'=' + exact_number(named.value);
        }
        lines << fields.join(u' ');
    }
    return lines.join(u'|');
}

// Every row is fed whole, then byte by byte: the pieces the bytes come in change nothing.
TEST(NumberLineParser, ReadsNumbersFromLinesAndFrames) {
    const struct {
        bool binary;
        QByteArray bytes;  // text as it is, frames in hex
        const char* records;
    } rows[] = {
        {false, "1.5,2,-3\n", "1=1.5 2=2 3=-3"},
        {false, "1 2;3\t4 ,, 5\n", "1=1 2=2 3=3 4=4 5=5"},
        {false, "adc=512 temp=24.5\n", "adc=512 temp=24.5"},
        {false, "adc:512,temp:24.5\n", "adc=512 temp=24.5"},
        {false, "adc = 512 ; temp : -1\n", "adc=512 temp=-1"},
        {false, "+7 -.5 1e3 2.5E-2 -1.E+2 6.\n", "1=7 2=-0.5 3=1000 4=0.025 5=-100 6=6"},
        {false, "x 1e 1e+ 1.2.3 0x10 -- . 5\n", "1=5"},  // what is no number is passed over
        {false, "1e999 2\n", "1=2"},                     // nor is a number beyond a double
        {false, "a=1\r\nb=2\rc=3\n\n\r\n", "a=1|b=2|c=3"},
        {false, "\xCE\xC2\xB6\xC8=24.5\r\n", "温度=24.5"},  // GBK
        {false, "\xE6\xB8\xA9\xE5\xBA\xA6:3\n", "温度=3"},  // UTF-8
        {false, "hello\nOK\n\n=5 :6 t=x\n", ""},            // no number: no record
        {false, "v=1 2 w=3 4\n", "v=1 1=2 w=3 2=4"},        // bare numbers by their place
        {false, "12:30:45 t=1\n", "t=1"},
        {false, "a=1\nb=2", "a=1"},                       // the line still coming is not read yet
        {false, QByteArray(5000, '1') + "\n2\n", "1=2"},  // an overlong line is dropped whole
        {true, QByteArray::fromHex("0000807F 0000803F 00002040 0000807F"), "1=1 2=2.5"},
        // Bytes before the first tail are a frame's end only.
        {true, QByteArray::fromHex("12340000803F 0000807F 000040C0 0000807F 0000807F"), "1=-3"},
        // NaN and infinity give no value, and keep their place.
        {true, QByteArray::fromHex("0000807F 0000C07F 0000803F 000080FF 0000807F"), "2=1"},
        // A run of more than 64 floats loses step, the next tail restores it.
        {true,
         QByteArray::fromHex(QByteArray("0000807F") + QByteArray("0000803F").repeated(65) +
                             "0000807F 00002040 0000807F"),
         "1=2.5"},
        {true, QByteArray::fromHex("0000807F 0000803F"), ""},  // unfinished
        {true, QByteArray("1,2\n"), ""},                       // text is no frame
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.bytes.left(40).toStdString());
        for (const qsizetype piece : {row.bytes.size(), qsizetype(1)}) {
            NumberLineParser parser;
            parser.set_binary_frames(row.binary);
            std::vector<NamedValues> records;
            for (qsizetype at = 0; at < row.bytes.size(); at += piece) {
                for (NamedValues& record : parser.push(row.bytes.mid(at, piece))) {
                    records.push_back(std::move(record));
                }
            }
            EXPECT_EQ(shown(records), QString::fromUtf8(row.records));
        }
    }
}

// Switching between text and frames drops what was half received.
TEST(NumberLineParser, SwitchingDropsTheUnfinishedPart) {
    NumberLineParser parser;
    parser.push("1,2");
    parser.set_binary_frames(true);
    parser.push(QByteArray::fromHex("0000807F0000803F"));
    parser.set_binary_frames(false);
    EXPECT_EQ(shown(parser.push("3\n")), u"1=3"_s);
}

}  // namespace
