// The hex line of 十六进制发送, checked by round trips rather than by a second parser:
// - any bytes shown as the view's hex text, with blanks put anywhere, read back to the same bytes;
// - any text: a good line gives bytes whose hex text reads back to them; a bad line gives no
//   bytes and a message, the text before the character it names is no bad line, and that
//   character alone is a bad one.
// The first input byte says where blanks go in the first check; the input is also read as UTF-8.

#include "fuzz/fuzz_check.h"
#include "tools/serial/core/hex_text.h"

#include <QString>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    const auto count = static_cast<qsizetype>(size);

    const QByteArray raw(bytes, count);
    QString shown = to_hex(raw.constData(), raw.size());
    const int gap = size > 0 ? data[0] % 5 + 1 : 1;  // a tab after every gap-th character
    for (qsizetype at = shown.size() / gap * gap; at > 0; at -= gap) {
        shown.insert(at, u'\t');
    }
    const HexParse back = parse_hex(shown);
    FUZZ_REQUIRE(back.ok());
    FUZZ_REQUIRE(back.bytes == raw);

    const QString text = QString::fromUtf8(bytes, count);
    const HexParse parse = parse_hex(text);
    FUZZ_REQUIRE(hex_error_text(text, parse).isEmpty() == parse.ok());
    if (parse.ok()) {
        FUZZ_REQUIRE(parse_hex(to_hex(parse.bytes.constData(), parse.bytes.size())).bytes ==
                     parse.bytes);
        return 0;
    }
    FUZZ_REQUIRE(parse.bytes.isEmpty());
    if (parse.bad_at >= 0) {
        FUZZ_REQUIRE(parse.bad_at < text.size());
        FUZZ_REQUIRE(parse_hex(QStringView(text).first(parse.bad_at)).bad_at < 0);
        FUZZ_REQUIRE(parse_hex(QStringView(text).sliced(parse.bad_at, 1)).bad_at == 0);
    } else {
        FUZZ_REQUIRE(parse.odd);
    }
    return 0;
}
