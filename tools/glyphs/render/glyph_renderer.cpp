#include "glyph_renderer.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

GlyphRenderer::GlyphRenderer(const FontChoice& font, const CellChoice& cell)
    : m_font(font.family), m_cell(cell) {
    m_cell.width = std::max(m_cell.width, 0);
    m_cell.height = std::max(m_cell.height, 0);
    m_font.setPixelSize(std::max(m_cell.height, 1));
    m_font.setBold(font.bold);
    // Firmware has no grey: a pixel is on or off as the font's own rasteriser sets it.
    m_font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    m_baseline = QFontMetrics(m_font).ascent();
    m_canvas = QImage(std::max(m_cell.width, 1), std::max(m_cell.height, 1), QImage::Format_RGB32);
}

BitMatrix GlyphRenderer::draw(char32_t character) {
    BitMatrix bits(m_cell.width, m_cell.height);
    if (bits.is_empty()) {
        return bits;
    }
    m_canvas.fill(Qt::white);
    {
        QPainter painter(&m_canvas);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(m_font);
        painter.setPen(Qt::black);
        painter.drawText(QPoint(m_cell.shift_x, m_baseline + m_cell.shift_y),
                         QString::fromUcs4(&character, 1));
    }
    for (int y = 0; y < m_cell.height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(m_canvas.constScanLine(y));
        for (int x = 0; x < m_cell.width; ++x) {
            bits.set(x, y, qGray(line[x]) < 128);
        }
    }
    return bits;
}

std::vector<Glyph> draw_text(const QString& text, const FontChoice& font, const CellChoice& cell) {
    GlyphRenderer renderer(font, cell);
    std::vector<Glyph> glyphs;
    for (char32_t character : glyph_characters(text)) {
        glyphs.push_back({glyph_label(character), renderer.draw(character)});
    }
    return glyphs;
}

QString font_description(const FontChoice& font) {
    QString text = QStringLiteral("字体：") + font.family;
    return font.bold ? text + QStringLiteral(" 粗体") : text;
}

bool font_installed(const QString& family) {
    return QFontDatabase::families().contains(family);
}
