#pragma once

#include "tools/glyphs/core/glyph_text.h"

#include <QImage>
#include <QWidget>

#include <vector>

// The glyphs' cells enlarged on a grid, wrapped to the width it is given. A click on a pixel
// toggles it.
class GlyphPreview : public QWidget {
    Q_OBJECT
public:
    explicit GlyphPreview(QWidget* parent = nullptr);

    void set_glyphs(std::vector<Glyph> glyphs);
    const std::vector<Glyph>& glyphs() const { return m_glyphs; }

    // The middle of pixel (x, y) of glyph `index`, where a click toggles it.
    QPoint pixel_centre(std::size_t index, int x, int y) const;

    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

signals:
    void pixel_toggled();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int zoom() const;
    QSize cell_size() const;
    int columns(int width) const;
    QRect cell_rect(std::size_t index) const;
    void draw_image(std::size_t index);
    const QImage& grid_overlay() const;

    std::vector<Glyph> m_glyphs;
    std::vector<QImage> m_images;  // each glyph one screen pixel per cell pixel
    mutable QImage m_grid;
};
