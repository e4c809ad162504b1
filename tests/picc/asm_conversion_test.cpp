#include "tools/picc/core/asm_conversion.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Every row: a listing and the source under the directive for a chip typed by hand, which
// stands as typed.
TEST(ConvertListing, CutsFourteenColumnsAndLeadingSpacesUnderTheDirective) {
    const std::pair<const char16_t*, const char16_t*> rows[] = {
        {u"", u""},
        {u"0012  1283   \t", u"\r\n"},  // 14 characters, a tab among them
        {u"short\r\n\r\n", u"\r\n\r\n"},
        {u"0012  1283       BCF 3,5", u"BCF 3,5\r\n"},
        {u"0012  1283    \t  MOVLW 0x83 ", u"\t  MOVLW 0x83 \r\n"},
        {u"a             b\rc             d\ne             f\r\ng", u"b\r\nd\r\nf\r\n\r\n"},
        {u"a\n\rb", u"\r\n\r\n\r\n"},  // LF then CR: two line ends
        {u"0001  3083 中文;注释", u"注释\r\n"},
        // Characters beyond the basic plane count once and are never split.
        {u"😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀 x", u"😀 x\r\n"},
        {u"ab\xD800ghijklmnopqrst", u"rst\r\n"},  // a stray half counts once
    };
    for (const auto& [listing, source] : rows) {
        EXPECT_EQ(
            convert_listing(listing, u"PIC16F84A  自定义"),
            u"                    List p =PIC16F84A  自定义\r\n"_s + QString::fromUtf16(source))
            << QString::fromUtf16(listing).toStdString();
    }
}

}  // namespace
