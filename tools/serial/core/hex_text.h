#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// What 十六进制发送 makes of a typed line: pairs of hex digits, spaces anywhere.
struct HexParse {
    QByteArray bytes;       // the bytes, when the line is good
    qsizetype bad_at = -1;  // index of the first character that is not a digit or space
    bool odd = false;       // the digits do not pair up
    bool ok() const { return bad_at < 0 && !odd; }
};

HexParse parse_hex(QStringView text);

// What the user is told about a line that did not parse; empty for a good one.
QString hex_error_text(QStringView text, const HexParse& parse);

// Bytes as the receive view shows them: "55 AA 27 10 FF".
QString to_hex(const char* bytes, qsizetype count);
