#pragma once

#include "bit_matrix.h"
#include "glyph_packing.h"

#include <QString>
#include <QStringList>

#include <vector>

// The byte tables of glyphs as source text that firmware includes.

enum class TextDialect {
    kC,    // 0x3F, in rows of 16
    kA51,  // DB 3FH,... in rows of 16
    kPic,  // retlw 0x3F, one a line
    kHex,  // bare 3F in rows of 16
};

// The names the window shows, in the order of the enumeration: "C", "A51", "PIC", "十六进制".
QStringList text_dialect_names();

struct TextOptions {
    TextDialect dialect = TextDialect::kC;
    bool array_per_glyph = false;  // C only: one array per glyph rather than one for all
    // C only: the array's name; per glyph, the arrays are NAME_0, NAME_1, ...
    QString array_name = QStringLiteral("glyphs");
};

// A name C takes for an array: a letter or '_', then letters, digits and '_', and no keyword.
bool is_c_identifier(const QString& name);

struct Glyph {
    QString label;  // what the glyph's comment names: glyph_label() of its character, or a file
    BitMatrix bits;
};

// What the table's header says the glyphs were made from: "字体：Unifont" or "图片：logo.png".
struct GlyphSource {
    QString description;
    int width = 0;
    int height = 0;
};

// The code points of `text`, one per glyph: a character beyond the Basic Multilingual Plane is
// one, a lone surrogate reads as U+FFFD, and line breaks (CR, LF) are left out.
std::vector<char32_t> glyph_characters(const QString& text);

// The character and its GBK code: "中 D6D0", "A 41"; one that GBK lacks gets its Unicode
// number instead ("😀 U+1F600"), and one that cannot be shown only that ("U+0009").
QString glyph_label(char32_t character);

// The whole table: a header comment naming source, cell, scan mode, bit order and polarity, then
// every glyph's bytes followed by a comment with its label. C arrays are static const, so two
// tables in one program do not meet at link time. Lines are joined by CR LF; the text
// does not end in one.
QString glyph_table(const std::vector<Glyph>& glyphs, const GlyphSource& source,
                    const PackOptions& pack, const TextOptions& text);
