#include "tests/support/qt_printers.h"
#include "tools/glyphs/core/glyph_packing.h"
#include "tools/glyphs/core/glyph_text.h"

#include <QStringList>

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

// Rows worked out by hand from the drawings: 逐行 reads "######.." as 11111100, 列行 with the
// top pixel in bit 0 reads column 0 of the first drawing, lit all the way down, as FF; the
// 12-pixel rows of the second are padded with unlit pixels to two bytes.
TEST(GlyphPacking, HandWorkedRows) {
    using enum ScanMode;
    using enum BitOrder;
    using enum Polarity;
    const struct {
        int pattern;
        PackOptions options;
        const char* bytes;
    } cases[] = {
        {0, {kRows, kMsbFirst, kLitIsOne}, "FC8080F8808081C0"},
        {0, {kPages, kLsbFirst, kLitIsOne}, "FF89090909010040"},
        {1, {kRows, kMsbFirst, kLitIsOne}, "8010602010400FC000008000C000A0309020FFE0"},
        {1, {kPages, kLsbFirst, kLitIsOne}, "E142820408080808080C8281030202030202020202020300"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(hex(pack_glyph(drawn(kPatterns[c.pattern]), c.options)),
                  QString::fromLatin1(c.bytes));
    }
}

// Cells of many sizes, each filled the same way on every run.
std::vector<BitMatrix> sample_cells() {
    std::mt19937 random(24);
    std::vector<BitMatrix> cells{drawn(kPatterns[0]), drawn(kPatterns[1])};
    for (const auto& [width, height] : std::vector<std::pair<int, int>>{
             {1, 1}, {8, 8}, {7, 9}, {16, 16}, {12, 17}, {24, 24}, {5, 40}, {33, 3}}) {
        BitMatrix cell(width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                cell.set(x, y, random() % 2 == 0);
            }
        }
        cells.push_back(cell);
    }
    return cells;
}

const ScanMode kScans[] = {ScanMode::kRows, ScanMode::kColumns, ScanMode::kPages,
                           ScanMode::kBlocks};

std::uint8_t reversed(std::uint8_t byte) {
    std::uint8_t out = 0;
    for (int bit = 0; bit < 8; ++bit) {
        out |= ((byte >> bit) & 1) << (7 - bit);
    }
    return out;
}

// 列行 is 逐列 read in bands of eight rows: byte (page p, column x) of the one is byte (column x,
// band p) of the other; 行列 is 逐行 read in bands of eight columns the same way. 阳码 is the
// bitwise inverse of 阴码, padding included (unlit, so 1 under 阳码); low bit first is high bit
// first with each byte reversed.
TEST(GlyphPacking, LayoutsAreOneAnotherRearranged) {
    for (const BitMatrix& cell : sample_cells()) {
        const int width = cell.width();
        const int height = cell.height();
        SCOPED_TRACE(testing::Message() << width << "x" << height);
        for (const BitOrder order : {BitOrder::kMsbFirst, BitOrder::kLsbFirst}) {
            const auto pages = pack_glyph(cell, {ScanMode::kPages, order});
            const auto columns = pack_glyph(cell, {ScanMode::kColumns, order});
            const auto blocks = pack_glyph(cell, {ScanMode::kBlocks, order});
            const auto rows = pack_glyph(cell, {ScanMode::kRows, order});
            const int down = (height + 7) / 8;
            const int across = (width + 7) / 8;
            for (int i = 0; i < down * width; ++i) {
                ASSERT_EQ(pages[i], columns[i % width * down + i / width]) << i;
            }
            for (int i = 0; i < across * height; ++i) {
                ASSERT_EQ(blocks[i], rows[i % height * across + i / height]) << i;
            }
        }
        for (const ScanMode scan : kScans) {
            const auto msb = pack_glyph(cell, {scan, BitOrder::kMsbFirst, Polarity::kLitIsOne});
            const auto lsb = pack_glyph(cell, {scan, BitOrder::kLsbFirst, Polarity::kLitIsOne});
            const auto inverse =
                pack_glyph(cell, {scan, BitOrder::kMsbFirst, Polarity::kLitIsZero});
            ASSERT_EQ(msb.size(), packed_size(width, height, scan));
            ASSERT_EQ(lsb.size(), msb.size());
            ASSERT_EQ(inverse.size(), msb.size());
            for (std::size_t i = 0; i < msb.size(); ++i) {
                EXPECT_EQ(inverse[i], std::uint8_t(~msb[i])) << int(scan) << " " << i;
                EXPECT_EQ(lsb[i], reversed(msb[i])) << int(scan) << " " << i;
            }
        }
    }
}

// The preset whose options the window shows: the plain default and the ST7920's row mode share
// their options, and the one preferred wins.
TEST(DisplayPresets, OptionsAndMatching) {
    using enum ScanMode;
    using enum BitOrder;
    const struct {
        PackOptions pack;
        int preferred;
        std::optional<int> match;
    } rows[] = {
        {{kRows, kMsbFirst, Polarity::kLitIsOne}, 0, 0},
        {{kRows, kMsbFirst, Polarity::kLitIsOne}, 2, 2},
        {{kRows, kMsbFirst, Polarity::kLitIsOne}, 1, 0},
        {{kPages, kLsbFirst, Polarity::kLitIsOne}, 0, 1},
        {{kPages, kMsbFirst, Polarity::kLitIsOne}, 1, std::nullopt},
        {{kRows, kMsbFirst, Polarity::kLitIsZero}, 0, std::nullopt},
        {{kRows, kMsbFirst, Polarity::kLitIsOne}, 7, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << int(row.pack.scan) << int(row.pack.order)
                                        << int(row.pack.polarity) << " " << row.preferred);
        EXPECT_EQ(preset_matching(row.pack, row.preferred), row.match);
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

// A cell 8 pixels wide from its rows, the left pixel in the high bit.
BitMatrix from_rows(const std::vector<std::uint8_t>& rows) {
    BitMatrix bits(8, int(rows.size()));
    for (int y = 0; y < bits.height(); ++y) {
        for (int x = 0; x < 8; ++x) {
            bits.set(x, y, rows[y] & (0x80 >> x));
        }
    }
    return bits;
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
          u"static const unsigned char glyphs[34] = {"_s, u"0xF0,0xA0,0x9F,"_s + zeros,
          u"0x05, /* 中 D6D0 */"_s, ones, u"0xFF, /* 图 * /x */"_s, u"};"_s}},
        {{TextDialect::kC, true, u"font_16"_s},
         {u"/* 字体：Unifont，8×17，逐行，高位在前，阴码 */"_s,
          u"static const unsigned char font_16_0[17] = {"_s, u"0xF0,0xA0,0x9F,"_s + zeros,
          u"0x05, /* 中 D6D0 */"_s, u"};"_s, u"static const unsigned char font_16_1[17] = {"_s,
          ones, u"0xFF, /* 图 * /x */"_s, u"};"_s}},
        {{TextDialect::kA51, true},
         {u"; 字体：Unifont，8×17，逐行，高位在前，阴码"_s,
          u"DB 0F0H,0A0H,9FH"_s + u",00H"_s.repeated(13), u"DB 05H ; 中 D6D0"_s,
          u"DB 0FFH"_s + u",0FFH"_s.repeated(15), u"DB 0FFH ; 图 */x"_s}},
        {{TextDialect::kHex, false},
         {u"; 字体：Unifont，8×17，逐行，高位在前，阴码"_s, u"F0 A0 9F"_s + u" 00"_s.repeated(13),
          u"05 ; 中 D6D0"_s, u"FF"_s + u" FF"_s.repeated(15), u"FF ; 图 */x"_s}},
    };
    std::vector<std::uint8_t> first(17, 0x00);
    first[0] = 0xF0;
    first[1] = 0xA0;
    first[2] = 0x9F;
    first[16] = 0x05;
    const std::vector<Glyph> glyphs = {
        {u"中 D6D0"_s, from_rows(first)},
        {u"图\n*/x"_s, from_rows(std::vector<std::uint8_t>(17, 0xFF))}};
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
