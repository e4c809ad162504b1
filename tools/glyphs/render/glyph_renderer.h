#pragma once

#include "tools/glyphs/core/bit_matrix.h"
#include "tools/glyphs/core/glyph_text.h"

#include <QFont>
#include <QImage>
#include <QString>

#include <vector>

// Characters drawn into cells, every pixel on or off. Needs a QGuiApplication for the fonts.

struct FontChoice {
    QString family;
    bool bold = false;
};

struct CellChoice {
    int width = 16;
    int height = 16;
    int shift_x = 0;  // pixels to the right
    int shift_y = 0;  // pixels down
};

// Draws with the font at a pixel size of the cell's height, without anti-aliasing, the baseline
// at the font's ascent from the top of the cell, and a pixel darker than mid-grey lit.
class GlyphRenderer {
public:
    GlyphRenderer(const FontChoice& font, const CellChoice& cell);

    BitMatrix draw(char32_t character);

    // The font as drawn, with the family the system put in place of the asked one.
    const QFont& font() const { return m_font; }

private:
    QFont m_font;
    CellChoice m_cell;
    int m_baseline = 0;
    QImage m_canvas;
};

// Every character of `text` (glyph_characters) drawn, labelled with glyph_label.
std::vector<Glyph> draw_text(const QString& text, const FontChoice& font, const CellChoice& cell);

// What a table's header says of the font: "字体：Unifont" or "字体：Unifont 粗体".
QString font_description(const FontChoice& font);

bool font_installed(const QString& family);
