#include "tests/support/qt_printers.h"
#include "tools/glyphs/core/glyph_packing.h"
#include "tools/glyphs/core/glyph_text.h"

#include <random>

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
    BitMatrix bits(int(rows[0].size()), int(rows.size()));
    for (int i = 0; i < bits.width() * bits.height(); ++i) {
        bits.set(i % bits.width(), i / bits.width(),
                 rows[i / bits.width()][i % bits.width()] == u'#');
    }
    return bits;
}

// Rows worked out by hand from the drawings: 逐行 reads "######.." as 11111100, 列行 with the
// top pixel in bit 0 reads column 0 of the first drawing, lit all the way down, as FF; the
// 12-pixel rows of the second are padded with unlit pixels to two bytes.
TEST(GlyphPacking, HandWorkedRows) {
    using enum ScanMode;
    using enum BitOrder;
    using enum Polarity;
    const std::tuple<int, PackOptions, const char*> cases[] = {
        {0, {kRows, kMsbFirst, kLitIsOne}, "FC8080F8808081C0"},
        {0, {kPages, kLsbFirst, kLitIsOne}, "FF89090909010040"},
        {1, {kRows, kMsbFirst, kLitIsOne}, "8010602010400FC000008000C000A0309020FFE0"},
        {1, {kPages, kLsbFirst, kLitIsOne}, "E142820408080808080C8281030202030202020202020300"},
    };
    for (const auto& [pattern, options, bytes] : cases) {
        const auto packed = pack_glyph(drawn(kPatterns[pattern]), options);
        EXPECT_EQ(
            QByteArray(reinterpret_cast<const char*>(packed.data()), qsizetype(packed.size())),
            QByteArray::fromHex(bytes));
    }
}

// 列行 is 逐列 read in bands of eight rows: byte (page p, column x) of the one is byte (column x,
// band p) of the other; 行列 is 逐行 read in bands of eight columns the same way. 阳码 is the
// bitwise inverse of 阴码, padding included (unlit, so 1 under 阳码); low bit first is high bit
// first with each byte reversed. Over cells of many sizes, each filled the same way on every run.
TEST(GlyphPacking, LayoutsAreOneAnotherRearranged) {
    using enum ScanMode;
    using enum BitOrder;
    using enum Polarity;
    std::mt19937 random(24);
    std::vector<BitMatrix> cells{drawn(kPatterns[0]), drawn(kPatterns[1])};
    for (const auto& [width, height] : std::vector<std::pair<int, int>>{
             {1, 1}, {8, 8}, {7, 9}, {16, 16}, {12, 17}, {24, 24}, {5, 40}, {33, 3}}) {
        BitMatrix& cell = cells.emplace_back(width, height);
        for (int i = 0; i < width * height; ++i) {
            cell.set(i % width, i / width, random() % 2 == 0);
        }
    }
    for (const BitMatrix& cell : cells) {
        const int width = cell.width();
        const int height = cell.height();
        SCOPED_TRACE(testing::Message() << width << "x" << height);
        for (const BitOrder order : {kMsbFirst, kLsbFirst}) {
            const auto pages = pack_glyph(cell, {kPages, order});
            const auto columns = pack_glyph(cell, {kColumns, order});
            const auto blocks = pack_glyph(cell, {kBlocks, order});
            const auto rows = pack_glyph(cell, {kRows, order});
            const int down = (height + 7) / 8;
            const int across = (width + 7) / 8;
            for (int i = 0; i < down * width; ++i) {
                ASSERT_EQ(pages[i], columns[i % width * down + i / width]) << i;
            }
            for (int i = 0; i < across * height; ++i) {
                ASSERT_EQ(blocks[i], rows[i % height * across + i / height]) << i;
            }
        }
        for (const ScanMode scan : {kRows, kColumns, kPages, kBlocks}) {
            const auto msb = pack_glyph(cell, {scan, kMsbFirst, kLitIsOne});
            const auto lsb = pack_glyph(cell, {scan, kLsbFirst, kLitIsOne});
            const auto inverse = pack_glyph(cell, {scan, kMsbFirst, kLitIsZero});
            ASSERT_EQ(msb.size(), packed_size(width, height, scan));
            ASSERT_EQ(lsb.size() + inverse.size(), 2 * msb.size());
            for (std::size_t i = 0; i < 8 * msb.size(); ++i) {
                const int pixel = (msb[i / 8] >> (7 - i % 8)) & 1;  // pixel i % 8 of byte i / 8
                EXPECT_EQ((lsb[i / 8] >> (i % 8)) & 1, pixel) << int(scan) << " " << i;
                EXPECT_NE((inverse[i / 8] >> (7 - i % 8)) & 1, pixel) << int(scan) << " " << i;
            }
        }
    }
}

// The preset whose options the window shows: the plain default and the ST7920's row mode share
// their options, and the one preferred wins.
TEST(DisplayPresets, OptionsAndMatching) {
    using enum ScanMode;
    using enum BitOrder;
    const std::tuple<PackOptions, int, std::optional<int>> rows[] = {
        {{kRows, kMsbFirst, Polarity::kLitIsOne}, 0, 0},
        {{kRows, kMsbFirst, Polarity::kLitIsOne}, 2, 2},
        {{kRows, kMsbFirst, Polarity::kLitIsOne}, 1, 0},
        {{kPages, kLsbFirst, Polarity::kLitIsOne}, 0, 1},
        {{kPages, kMsbFirst, Polarity::kLitIsOne}, 1, std::nullopt},
        {{kRows, kMsbFirst, Polarity::kLitIsZero}, 0, std::nullopt},
        {{kRows, kMsbFirst, Polarity::kLitIsOne}, 7, 0},
    };
    for (const auto& [pack, preferred, match] : rows) {
        EXPECT_EQ(preset_matching(pack, preferred), match) << int(pack.scan) << preferred;
    }
}

TEST(GlyphText, CharactersAreCodePointsAndLabelsNameTheirGbkCode) {
    const std::tuple<const char16_t*, std::vector<char32_t>, QStringList> cases[] = {
        {u"中国", {U'中', U'国'}, {u"中 D6D0"_s, u"国 B9FA"_s}},
        {u"A\r\né→", {U'A', U'é', U'→'}, {u"A 41"_s, u"é A8A6"_s, u"→ A1FA"_s}},
        {u"😀\t", {U'😀', U'\t'}, {u"😀 U+1F600"_s, u"U+0009"_s}},
        {u"\xD800x", {0xFFFD, U'x'}, {u"\xFFFD U+FFFD"_s, u"x 78"_s}},
    };
    for (const auto& [text, characters, labels] : cases) {
        SCOPED_TRACE(QString::fromUtf16(text).toStdString());
        EXPECT_EQ(glyph_characters(QString::fromUtf16(text)), characters);
        for (std::size_t i = 0; i < characters.size(); ++i) {
            EXPECT_EQ(glyph_label(characters[i]), labels.value(qsizetype(i)));
        }
    }
}

// A cell 8 pixels wide from its rows, the left pixel in the high bit.
BitMatrix from_rows(const std::vector<std::uint8_t>& rows) {
    BitMatrix bits(8, int(rows.size()));
    for (int i = 0; i < 8 * bits.height(); ++i) {
        bits.set(i % 8, i / 8, rows[i / 8] & (0x80 >> i % 8));
    }
    return bits;
}

// Two 8×17 glyphs, bytes F0, A0, 9F, thirteen 00, 05 and seventeen FF in rows; lines worked out
// by hand: sixteen values a line (PIC one), the glyph's label in a comment after its last.
TEST(GlyphText, EveryDialectWritesRowsOfSixteenWithAHeaderAndAComment) {
    using enum TextDialect;
    const std::vector<Glyph> glyphs = {
        {u"中 D6D0"_s, from_rows({0xF0, 0xA0, 0x9F, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5})},
        {u"图\n*/x"_s, from_rows(std::vector<std::uint8_t>(17, 0xFF))}};
    const TextOptions each{kC, true, u"font_16"_s};
    const std::tuple<TextOptions, int, int, QString> rows[] = {
        {{kC, false}, 7, 0, u"/* 字体：Unifont，8×17，逐行，高位在前，阴码 */"_s},
        {{kC, false}, 7, 1, u"static const unsigned char glyphs[34] = {"_s},
        {{kC, false}, 7, 3, u"0x05, /* 中 D6D0 */"_s},
        {{kC, false}, 7, 4, u"0xFF,"_s.repeated(16)},
        {{kC, false}, 7, 5, u"0xFF, /* 图 * /x */"_s},
        {{kC, false}, 7, 6, u"};"_s},
        {each, 9, 1, u"static const unsigned char font_16_0[17] = {"_s},
        {each, 9, 4, u"};"_s},
        {each, 9, 5, u"static const unsigned char font_16_1[17] = {"_s},
        {{kA51, true}, 5, 0, u"; 字体：Unifont，8×17，逐行，高位在前，阴码"_s},
        {{kA51, true}, 5, 1, u"DB 0F0H,0A0H,9FH"_s + u",00H"_s.repeated(13)},
        {{kA51, true}, 5, 4, u"DB 0FFH ; 图 */x"_s},
        {{kHex, false}, 5, 1, u"F0 A0 9F"_s + u" 00"_s.repeated(13)},
        {{kHex, false}, 5, 2, u"05 ; 中 D6D0"_s},
        {{kPic, false}, 35, 3, u"retlw 0x9F"_s},
        {{kPic, false}, 35, 17, u"retlw 0x05 ; 中 D6D0"_s},
        {{kPic, false}, 35, 34, u"retlw 0xFF ; 图 */x"_s},
    };
    for (const auto& [options, count, line, text] : rows) {
        SCOPED_TRACE(text.toStdString());
        const QStringList lines =
            glyph_table(glyphs, {u"字体：Unifont"_s, 8, 17}, {}, options).split(u"\r\n"_s);
        EXPECT_EQ(lines.size(), count);
        EXPECT_EQ(lines.value(line), text);
    }
}

TEST(GlyphText, ArrayNamesAreCIdentifiers) {
    const std::pair<const char16_t*, bool> rows[] = {
        {u"glyphs", true}, {u"_font16", true},  {u"Font_8x16", true}, {u"", false},
        {u"8x16", false},  {u"font-16", false}, {u"字模", false},     {u"static", false},
        {u"a b", false},   {u"int", false},
    };
    for (const auto& [name, valid] : rows) {
        EXPECT_EQ(is_c_identifier(QString::fromUtf16(name)), valid)
            << QString::fromUtf16(name).toStdString();
    }
}

}  // namespace
