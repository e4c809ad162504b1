#include "hex_text.h"

#include "base/number_text.h"

HexParse parse_hex(QStringView text) {
    HexParse parse;
    int high = -1;  // the first digit of a pair, while its second is awaited
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u' ' || c == u'\t') {
            continue;
        }
        const int value = hex_digit_value(c.unicode());
        if (value < 0) {
            parse.bad_at = i;
            parse.bytes.clear();
            return parse;
        }
        if (high < 0) {
            high = value;
        } else {
            parse.bytes.append(static_cast<char>(high * 16 + value));
            high = -1;
        }
    }
    if (high >= 0) {
        parse.odd = true;
        parse.bytes.clear();
    }
    return parse;
}

QString hex_error_text(QStringView text, const HexParse& parse) {
    if (parse.bad_at >= 0) {
        // A character outside the Basic Multilingual Plane is shown whole.
        const qsizetype length = text[parse.bad_at].isHighSurrogate() ? 2 : 1;
        return QStringLiteral("十六进制发送：第 %1 个字符“%2”不是十六进制数字，未发送")
            .arg(parse.bad_at + 1)
            .arg(text.mid(parse.bad_at, length).toString());
    }
    if (parse.odd) {
        return QStringLiteral("十六进制发送：数字个数为奇数，最后一个字节缺一位，未发送");
    }
    return {};
}

QString to_hex(const char* bytes, qsizetype count) {
    static const char16_t kDigits[] = u"0123456789ABCDEF";
    QString text(count > 0 ? count * 3 - 1 : 0, Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < count; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (i > 0) {
            *out++ = u' ';
        }
        *out++ = QChar(kDigits[byte >> 4]);
        *out++ = QChar(kDigits[byte & 15]);
    }
    return text;
}
