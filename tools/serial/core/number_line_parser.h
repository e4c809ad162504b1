#pragma once

#include "base/named_value.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

// Reads the numbers a board prints, from the bytes as they come in pieces cut anywhere.
//
// Text (the default): each line ends at LF, CR or CR LF and is read as GBK or UTF-8. Its fields
// are separated by commas, semicolons, spaces or tabs. A field "name=number" or "name:number"
// (blanks around the = or : allowed) is the channel `name`; a bare number is the channel "1",
// "2", ... by its place among the line's bare numbers. Numbers take a sign, a decimal point and an
// exponent ("-1.5e-3"); a field that is no number is passed over, and a line with no number gives
// no record. A line longer than kLongestLine bytes is dropped whole.
//
// Binary frames (二进制浮点帧): little-endian 32-bit floats followed by the tail 00 00 80 7F; the
// floats are the channels "1", "2", ... of a record. Bytes before the first tail are dropped; a
// frame of more than kMostFloats floats loses step, and the next tail found byte by byte restores
// it. A float that is not finite gives no value (its place still counts).
class NumberLineParser {
public:
    static constexpr qsizetype kLongestLine = 4096;
    static constexpr int kMostFloats = 64;
    static constexpr char kTail[4] = {0x00, 0x00, char(0x80), 0x7F};

    bool binary_frames() const { return m_binary; }
    // Switches between text and frames; a part received so far is dropped.
    void set_binary_frames(bool on);
    // Drops the part of a line or frame received so far.
    void reset();

    // Takes the next bytes; the records they complete, in order.
    std::vector<NamedValues> push(QByteArrayView bytes);

private:
    void push_text(QByteArrayView bytes, std::vector<NamedValues>& records);
    void push_frames(QByteArrayView bytes, std::vector<NamedValues>& records);

    bool m_binary = false;
    QByteArray m_pending;     // the unfinished line, or frame bytes not yet a whole float
    bool m_overlong = false;  // the line now arriving is too long and is dropped
    bool m_in_step = false;   // a tail has been seen and words line up with floats
    NamedValues m_frame;
    int m_floats = 0;  // floats of the frame so far, the non-finite ones included
};

// The numbers of one line of text (without its line end), read as NumberLineParser reads text.
NamedValues numbers_of_line(QStringView line);
