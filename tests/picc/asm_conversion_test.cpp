#include "tools/picc/core/asm_conversion.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kDirective = u"                    List p ="_s;

TEST(ConvertListing, CutsFourteenColumnsAndLeadingSpacesUnderTheDirective) {
    const struct {
        const char16_t* listing;
        const char16_t* chip;
        const char16_t* source;  // after the directive
    } cases[] = {
        {u"", u"16C54", u""},
        {u"0012  1283   \t", u"16F877", u"\r\n"},  // 14 characters, a tab among them
        {u"short\r\n\r\n", u"16F877", u"\r\n\r\n"},
        {u"0012  1283       BCF 3,5", u"16F877", u"BCF 3,5\r\n"},
        {u"0012  1283    \t  MOVLW 0x83 ", u"16F877", u"\t  MOVLW 0x83 \r\n"},
        {u"a             b\rc             d\ne             f\r\ng", u"16C54",
         u"b\r\nd\r\nf\r\n\r\n"},
        {u"a\n\rb", u"16C54", u"\r\n\r\n\r\n"},  // LF then CR: two line ends
        {u"0001  3083 中文;注释", u"16C54", u"注释\r\n"},
        {u"一二三四五六七八九十一二三四 x", u"16C54", u"x\r\n"},
        // Characters beyond the basic plane count once and are never split.
        {u"😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀 x", u"16C54", u"😀 x\r\n"},
        {u"ab\xD800"
         u"cdefghijklmnop",
         u"16C54", u"nop\r\n"},                 // a stray half counts once
        {u"x", u"PIC16F84A  自定义", u"\r\n"},  // a typed chip stands as typed
        {u"x", u"", u"\r\n"},
    };
    for (const auto& c : cases) {
        const QString listing = QString::fromUtf16(c.listing);
        const QString chip = QString::fromUtf16(c.chip);
        EXPECT_EQ(convert_listing(listing, chip),
                  kDirective + chip + u"\r\n"_s + QString::fromUtf16(c.source))
            << listing.toStdString();
    }
}

}  // namespace
