// The hex line of 十六进制发送 on any text. A line is good exactly when it holds only hex
// digits, spaces and tabs, an even number of digits; then it gives one byte a pair and the view's
// hex text of those bytes reads back to them. A bad line gives no bytes and a message; the
// character it names is the first that is neither digit nor blank, or the digits are odd.
// The input is the text in UTF-8.

#include "fuzz/fuzz_check.h"
#include "tools/serial/core/hex_text.h"

#include <QString>

#include <cstdint>

namespace {

bool is_digit(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool is_blank(QChar c) {
    return c == u' ' || c == u'\t';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const HexParse parse = parse_hex(text);

    qsizetype digits = 0;
    qsizetype first_bad = -1;
    for (qsizetype i = 0; i < text.size() && first_bad < 0; ++i) {
        if (is_digit(text[i])) {
            ++digits;
        } else if (!is_blank(text[i])) {
            first_bad = i;
        }
    }
    FUZZ_REQUIRE(parse.bad_at == first_bad);
    FUZZ_REQUIRE(parse.odd == (first_bad < 0 && digits % 2 == 1));
    FUZZ_REQUIRE(hex_error_text(text, parse).isEmpty() == parse.ok());
    if (!parse.ok()) {
        FUZZ_REQUIRE(parse.bytes.isEmpty());
        return 0;
    }
    FUZZ_REQUIRE(parse.bytes.size() == digits / 2);
    const QString shown = to_hex(parse.bytes.constData(), parse.bytes.size());
    FUZZ_REQUIRE(shown.size() == (parse.bytes.isEmpty() ? 0 : parse.bytes.size() * 3 - 1));
    FUZZ_REQUIRE(parse_hex(shown).bytes == parse.bytes);
    return 0;
}
