#include "tests/support/qt_printers.h"
#include "tools/glyphs/core/glyph_packing.h"
#include "tools/glyphs/core/glyph_text.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Hand-drawn cells: '#' is a lit pixel.
const QStringList kPatterns[] = {
    {u"######.."_s, u"#......."_s, u"#......."_s, u"#####..."_s, u"#......."_s, u"#......."_s,
     u"#......#"_s, u"##......"_s},
    {u"#..........#"_s, u".##.......#."_s, u"...#.....#.."_s, u"....######.."_s, u"............"_s,
     u"#..........."_s, u"##.........."_s, u"#.#.......##"_s, u"#..#......#."_s, u"###########."_s},
};

BitMatrix drawn(const QStringList& rows) {
    BitMatrix bits(rows.isEmpty() ? 0 : int(rows[0].size()), int(rows.size()));
    for (int y = 0; y < rows.size(); ++y) {
        for (int x = 0; x < rows[y].size(); ++x) {
            bits.set(x, y, rows[y][x] == u'#');
        }
    }
    return bits;
}

QString hex(const std::vector<std::uint8_t>& bytes) {
    QStringList parts;
    for (std::uint8_t byte : bytes) {
        parts << u"%1"_s.arg(uint(byte), 2, 16, QChar(u'0')).toUpper();
    }
    return parts.join(u' ');
}

TEST(GlyphPacking, EveryScanModeBitOrderAndPolarity) {
    const struct {
        int pattern;
        ScanMode scan;
        BitOrder order;
        Polarity polarity;
        const char* bytes;
    } cases[] = {
        {0, ScanMode::kRows, BitOrder::kMsbFirst, Polarity::kLitIsOne, "FC 80 80 F8 80 80 81 C0"},
        {0, ScanMode::kRows, BitOrder::kMsbFirst, Polarity::kLitIsZero, "03 7F 7F 07 7F 7F 7E 3F"},
        {0, ScanMode::kRows, BitOrder::kLsbFirst, Polarity::kLitIsOne, "3F 01 01 1F 01 01 81 03"},
        {0, ScanMode::kRows, BitOrder::kLsbFirst, Polarity::kLitIsZero, "C0 FE FE E0 FE FE 7E FC"},
        {0, ScanMode::kColumns, BitOrder::kMsbFirst, Polarity::kLitIsOne,
         "FF 91 90 90 90 80 00 02"},
        {0, ScanMode::kColumns, BitOrder::kMsbFirst, Polarity::kLitIsZero,
         "00 6E 6F 6F 6F 7F FF FD"},
        {0, ScanMode::kColumns, BitOrder::kLsbFirst, Polarity::kLitIsOne,
         "FF 89 09 09 09 01 00 40"},
        {0, ScanMode::kColumns, BitOrder::kLsbFirst, Polarity::kLitIsZero,
         "00 76 F6 F6 F6 FE FF BF"},
        {0, ScanMode::kPages, BitOrder::kMsbFirst, Polarity::kLitIsOne, "FF 91 90 90 90 80 00 02"},
        {0, ScanMode::kPages, BitOrder::kMsbFirst, Polarity::kLitIsZero, "00 6E 6F 6F 6F 7F FF FD"},
        {0, ScanMode::kPages, BitOrder::kLsbFirst, Polarity::kLitIsOne, "FF 89 09 09 09 01 00 40"},
        {0, ScanMode::kPages, BitOrder::kLsbFirst, Polarity::kLitIsZero, "00 76 F6 F6 F6 FE FF BF"},
        {0, ScanMode::kBlocks, BitOrder::kMsbFirst, Polarity::kLitIsOne, "FC 80 80 F8 80 80 81 C0"},
        {0, ScanMode::kBlocks, BitOrder::kMsbFirst, Polarity::kLitIsZero,
         "03 7F 7F 07 7F 7F 7E 3F"},
        {0, ScanMode::kBlocks, BitOrder::kLsbFirst, Polarity::kLitIsOne, "3F 01 01 1F 01 01 81 03"},
        {0, ScanMode::kBlocks, BitOrder::kLsbFirst, Polarity::kLitIsZero,
         "C0 FE FE E0 FE FE 7E FC"},
        {1, ScanMode::kRows, BitOrder::kMsbFirst, Polarity::kLitIsOne,
         "80 10 60 20 10 40 0F C0 00 00 80 00 C0 00 A0 30 90 20 FF E0"},
        {1, ScanMode::kRows, BitOrder::kMsbFirst, Polarity::kLitIsZero,
         "7F EF 9F DF EF BF F0 3F FF FF 7F FF 3F FF 5F CF 6F DF 00 1F"},
        {1, ScanMode::kRows, BitOrder::kLsbFirst, Polarity::kLitIsOne,
         "01 08 06 04 08 02 F0 03 00 00 01 00 03 00 05 0C 09 04 FF 07"},
        {1, ScanMode::kRows, BitOrder::kLsbFirst, Polarity::kLitIsZero,
         "FE F7 F9 FB F7 FD 0F FC FF FF FE FF FC FF FA F3 F6 FB 00 F8"},
        {1, ScanMode::kColumns, BitOrder::kMsbFirst, Polarity::kLitIsOne,
         "87 C0 42 40 41 40 20 C0 10 40 10 40 10 40 10 40 10 40 30 40 41 C0 81 00"},
        {1, ScanMode::kColumns, BitOrder::kMsbFirst, Polarity::kLitIsZero,
         "78 3F BD BF BE BF DF 3F EF BF EF BF EF BF EF BF EF BF CF BF BE 3F 7E FF"},
        {1, ScanMode::kColumns, BitOrder::kLsbFirst, Polarity::kLitIsOne,
         "E1 03 42 02 82 02 04 03 08 02 08 02 08 02 08 02 08 02 0C 02 82 03 81 00"},
        {1, ScanMode::kColumns, BitOrder::kLsbFirst, Polarity::kLitIsZero,
         "1E FC BD FD 7D FD FB FC F7 FD F7 FD F7 FD F7 FD F7 FD F3 FD 7D FC 7E FF"},
        {1, ScanMode::kPages, BitOrder::kMsbFirst, Polarity::kLitIsOne,
         "87 42 41 20 10 10 10 10 10 30 41 81 C0 40 40 C0 40 40 40 40 40 40 C0 00"},
        {1, ScanMode::kPages, BitOrder::kMsbFirst, Polarity::kLitIsZero,
         "78 BD BE DF EF EF EF EF EF CF BE 7E 3F BF BF 3F BF BF BF BF BF BF 3F FF"},
        {1, ScanMode::kPages, BitOrder::kLsbFirst, Polarity::kLitIsOne,
         "E1 42 82 04 08 08 08 08 08 0C 82 81 03 02 02 03 02 02 02 02 02 02 03 00"},
        {1, ScanMode::kPages, BitOrder::kLsbFirst, Polarity::kLitIsZero,
         "1E BD 7D FB F7 F7 F7 F7 F7 F3 7D 7E FC FD FD FC FD FD FD FD FD FD FC FF"},
        {1, ScanMode::kBlocks, BitOrder::kMsbFirst, Polarity::kLitIsOne,
         "80 60 10 0F 00 80 C0 A0 90 FF 10 20 40 C0 00 00 00 30 20 E0"},
        {1, ScanMode::kBlocks, BitOrder::kMsbFirst, Polarity::kLitIsZero,
         "7F 9F EF F0 FF 7F 3F 5F 6F 00 EF DF BF 3F FF FF FF CF DF 1F"},
        {1, ScanMode::kBlocks, BitOrder::kLsbFirst, Polarity::kLitIsOne,
         "01 06 08 F0 00 01 03 05 09 FF 08 04 02 03 00 00 00 0C 04 07"},
        {1, ScanMode::kBlocks, BitOrder::kLsbFirst, Polarity::kLitIsZero,
         "FE F9 F7 0F FF FE FC FA F6 00 F7 FB FD FC FF FF FF F3 FB F8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        const BitMatrix bits = drawn(kPatterns[c.pattern]);
        const auto bytes = pack_glyph(bits, {c.scan, c.order, c.polarity});
        EXPECT_EQ(hex(bytes), QString::fromLatin1(c.bytes));
        EXPECT_EQ(bytes.size(), packed_size(bits.width(), bits.height(), c.scan));
    }
}

TEST(GlyphText, CharactersAreCodePointsAndLabelsNameTheirGbkCode) {
    const struct {
        const char16_t* text;
        std::vector<char32_t> characters;
        QStringList labels;
    } cases[] = {
        {u"中国", {U'中', U'国'}, {u"中 D6D0"_s, u"国 B9FA"_s}},
        {u"A\r\né→", {U'A', U'é', U'→'}, {u"A 41"_s, u"é A8A6"_s, u"→ A1FA"_s}},
        {u"😀\t", {U'😀', U'\t'}, {u"😀 U+1F600"_s, u"U+0009"_s}},
        {u"\xD800x", {0xFFFD, U'x'}, {u"\xFFFD U+FFFD"_s, u"x 78"_s}},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(glyph_characters(text), c.characters);
        QStringList labels;
        for (char32_t character : c.characters) {
            labels << glyph_label(character);
        }
        EXPECT_EQ(labels, c.labels);
    }
}

// Two 8×17 glyphs: bytes F0, A0, 9F, fourteen 00, 05 and seventeen FF in rows.
TEST(GlyphText, EveryDialectWritesRowsOfSixteenWithAHeaderAndAComment) {
    const QString zeros = u"0x00,"_s.repeated(13);
    const QString ones = u"0xFF,"_s.repeated(16);
    const struct {
        TextOptions options;
        QStringList lines;
    } cases[] = {
        {{TextDialect::kC, false},
         {u"/* 字体：Unifont，8×17，逐行，高位在前，阴码 */"_s,
          u"const unsigned char glyphs[34] = {"_s, u"0xF0,0xA0,0x9F,"_s + zeros,
          u"0x05, /* 中 D6D0 */"_s, ones, u"0xFF, /* 图 * /x */"_s, u"};"_s}},
        {{TextDialect::kC, true},
         {u"/* 字体：Unifont，8×17，逐行，高位在前，阴码 */"_s,
          u"const unsigned char glyph_0[17] = {"_s, u"0xF0,0xA0,0x9F,"_s + zeros,
          u"0x05, /* 中 D6D0 */"_s, u"};"_s, u"const unsigned char glyph_1[17] = {"_s, ones,
          u"0xFF, /* 图 * /x */"_s, u"};"_s}},
        {{TextDialect::kA51, true},
         {u"; 字体：Unifont，8×17，逐行，高位在前，阴码"_s,
          u"DB 0F0H,0A0H,9FH"_s + u",00H"_s.repeated(13), u"DB 05H ; 中 D6D0"_s,
          u"DB 0FFH"_s + u",0FFH"_s.repeated(15), u"DB 0FFH ; 图 */x"_s}},
        {{TextDialect::kHex, false},
         {u"; 字体：Unifont，8×17，逐行，高位在前，阴码"_s, u"F0 A0 9F"_s + u" 00"_s.repeated(13),
          u"05 ; 中 D6D0"_s, u"FF"_s + u" FF"_s.repeated(15), u"FF ; 图 */x"_s}},
    };
    BitMatrix first(8, 17);
    for (int x = 0; x < 4; ++x) {
        first.set(x, 0, true);
    }
    for (int x : {0, 2}) {
        first.set(x, 1, true);
    }
    for (int x : {0, 3, 4, 5, 6, 7}) {
        first.set(x, 2, true);
    }
    first.set(5, 16, true);
    first.set(7, 16, true);
    BitMatrix second(8, 17);
    for (int y = 0; y < 17; ++y) {
        for (int x = 0; x < 8; ++x) {
            second.set(x, y, true);
        }
    }
    const std::vector<Glyph> glyphs = {{u"中 D6D0"_s, first}, {u"图\n*/x"_s, second}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.options.dialect));
        const QString text = glyph_table(glyphs, {u"字体：Unifont"_s, 8, 17}, {}, c.options);
        EXPECT_EQ(text.split(u"\r\n"_s), c.lines);
    }
    // PIC: one value a line, the comment after a glyph's last.
    const QStringList pic =
        glyph_table(glyphs, {u"字体：Unifont"_s, 8, 17}, {}, {TextDialect::kPic, false})
            .split(u"\r\n"_s);
    ASSERT_EQ(pic.size(), 35);
    EXPECT_EQ(pic.mid(1, 4),
              QStringList({u"retlw 0xF0"_s, u"retlw 0xA0"_s, u"retlw 0x9F"_s, u"retlw 0x00"_s}));
    EXPECT_EQ(pic[17], u"retlw 0x05 ; 中 D6D0"_s);
    EXPECT_EQ(pic[34], u"retlw 0xFF ; 图 */x"_s);
}

}  // namespace
