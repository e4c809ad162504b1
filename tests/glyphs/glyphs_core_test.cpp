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
    const QByteArray data(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    return QString::fromLatin1(data.toHex().toUpper());
}

TEST(GlyphPacking, EveryScanModeBitOrderAndPolarity) {
    using enum ScanMode;
    using enum BitOrder;
    using enum Polarity;
    const struct {
        int pattern;
        ScanMode scan;
        BitOrder order;
        Polarity polarity;
        const char* bytes;
    } cases[] = {
        {0, kRows, kMsbFirst, kLitIsOne, "FC8080F8808081C0"},
        {0, kRows, kMsbFirst, kLitIsZero, "037F7F077F7F7E3F"},
        {0, kRows, kLsbFirst, kLitIsOne, "3F01011F01018103"},
        {0, kRows, kLsbFirst, kLitIsZero, "C0FEFEE0FEFE7EFC"},
        {0, kColumns, kMsbFirst, kLitIsOne, "FF91909090800002"},
        {0, kColumns, kMsbFirst, kLitIsZero, "006E6F6F6F7FFFFD"},
        {0, kColumns, kLsbFirst, kLitIsOne, "FF89090909010040"},
        {0, kColumns, kLsbFirst, kLitIsZero, "0076F6F6F6FEFFBF"},
        {0, kPages, kMsbFirst, kLitIsOne, "FF91909090800002"},
        {0, kPages, kMsbFirst, kLitIsZero, "006E6F6F6F7FFFFD"},
        {0, kPages, kLsbFirst, kLitIsOne, "FF89090909010040"},
        {0, kPages, kLsbFirst, kLitIsZero, "0076F6F6F6FEFFBF"},
        {0, kBlocks, kMsbFirst, kLitIsOne, "FC8080F8808081C0"},
        {0, kBlocks, kMsbFirst, kLitIsZero, "037F7F077F7F7E3F"},
        {0, kBlocks, kLsbFirst, kLitIsOne, "3F01011F01018103"},
        {0, kBlocks, kLsbFirst, kLitIsZero, "C0FEFEE0FEFE7EFC"},
        {1, kRows, kMsbFirst, kLitIsOne, "8010602010400FC000008000C000A0309020FFE0"},
        {1, kRows, kMsbFirst, kLitIsZero, "7FEF9FDFEFBFF03FFFFF7FFF3FFF5FCF6FDF001F"},
        {1, kRows, kLsbFirst, kLitIsOne, "010806040802F003000001000300050C0904FF07"},
        {1, kRows, kLsbFirst, kLitIsZero, "FEF7F9FBF7FD0FFCFFFFFEFFFCFFFAF3F6FB00F8"},
        {1, kColumns, kMsbFirst, kLitIsOne, "87C04240414020C010401040104010401040304041C08100"},
        {1, kColumns, kMsbFirst, kLitIsZero, "783FBDBFBEBFDF3FEFBFEFBFEFBFEFBFEFBFCFBFBE3F7EFF"},
        {1, kColumns, kLsbFirst, kLitIsOne, "E103420282020403080208020802080208020C0282038100"},
        {1, kColumns, kLsbFirst, kLitIsZero, "1EFCBDFD7DFDFBFCF7FDF7FDF7FDF7FDF7FDF3FD7DFC7EFF"},
        {1, kPages, kMsbFirst, kLitIsOne, "874241201010101010304181C04040C0404040404040C000"},
        {1, kPages, kMsbFirst, kLitIsZero, "78BDBEDFEFEFEFEFEFCFBE7E3FBFBF3FBFBFBFBFBFBF3FFF"},
        {1, kPages, kLsbFirst, kLitIsOne, "E142820408080808080C8281030202030202020202020300"},
        {1, kPages, kLsbFirst, kLitIsZero, "1EBD7DFBF7F7F7F7F7F37D7EFCFDFDFCFDFDFDFDFDFDFCFF"},
        {1, kBlocks, kMsbFirst, kLitIsOne, "8060100F0080C0A090FF102040C00000003020E0"},
        {1, kBlocks, kMsbFirst, kLitIsZero, "7F9FEFF0FF7F3F5F6F00EFDFBF3FFFFFFFCFDF1F"},
        {1, kBlocks, kLsbFirst, kLitIsOne, "010608F00001030509FF080402030000000C0407"},
        {1, kBlocks, kLsbFirst, kLitIsZero, "FEF9F70FFFFEFCFAF600F7FBFDFCFFFFFFF3FBF8"},
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
