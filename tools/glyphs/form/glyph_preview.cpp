#include "glyph_preview.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kGap = 6;  // between cells and around them
const QRgb kLit = qRgb(0, 0, 0);
const QRgb kUnlit = qRgb(255, 255, 255);

}  // namespace

GlyphPreview::GlyphPreview(QWidget* parent) : QWidget(parent) {
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setAccessibleName(QStringLiteral("预览"));
}

void GlyphPreview::set_glyphs(std::vector<Glyph> glyphs) {
    m_glyphs = std::move(glyphs);
    m_images.assign(m_glyphs.size(), QImage());
    for (std::size_t i = 0; i < m_glyphs.size(); ++i) {
        draw_image(i);
    }
    updateGeometry();
    update();
}

void GlyphPreview::draw_image(std::size_t index) {
    const BitMatrix& bits = m_glyphs[index].bits;
    QImage image(std::max(bits.width(), 1), std::max(bits.height(), 1), QImage::Format_RGB32);
    for (int y = 0; y < bits.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < bits.width(); ++x) {
            line[x] = bits.lit(x, y) ? kLit : kUnlit;
        }
    }
    m_images[index] = image;
}

// Larger cells get smaller pixels, so that a 128-pixel cell still fits a screen.
int GlyphPreview::zoom() const {
    const QSize cell = cell_size();
    return std::clamp(160 / std::max({cell.width(), cell.height(), 1}), 2, 10);
}

QSize GlyphPreview::cell_size() const {
    if (m_glyphs.empty()) {
        return {0, 0};
    }
    return {m_glyphs.front().bits.width(), m_glyphs.front().bits.height()};
}

int GlyphPreview::columns(int width) const {
    const int span = cell_size().width() * zoom() + kGap;
    return std::max(1, (width - kGap) / std::max(span, 1));
}

QRect GlyphPreview::cell_rect(std::size_t index) const {
    const int z = zoom();
    const QSize cell = cell_size();
    const int per_row = columns(width());
    const int column = static_cast<int>(index % per_row);
    const int row = static_cast<int>(index / per_row);
    return {kGap + column * (cell.width() * z + kGap), kGap + row * (cell.height() * z + kGap),
            cell.width() * z, cell.height() * z};
}

QPoint GlyphPreview::pixel_centre(std::size_t index, int x, int y) const {
    const int z = zoom();
    return cell_rect(index).topLeft() + QPoint(x * z + z / 2, y * z + z / 2);
}

int GlyphPreview::heightForWidth(int width) const {
    if (m_glyphs.empty()) {
        return kGap;
    }
    const int per_row = columns(width);
    const int rows = static_cast<int>((m_glyphs.size() + per_row - 1) / per_row);
    return kGap + rows * (cell_size().height() * zoom() + kGap);
}

QSize GlyphPreview::sizeHint() const {
    const int w = kGap + std::min<int>(static_cast<int>(m_glyphs.size()), 8) *
                             (cell_size().width() * zoom() + kGap);
    return {std::max(w, 200), heightForWidth(std::max(w, 200))};
}

void GlyphPreview::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Window));
    const QImage& grid = grid_overlay();
    painter.setPen(Qt::darkGray);
    for (std::size_t i = 0; i < m_glyphs.size(); ++i) {
        const QRect cell = cell_rect(i);
        if (!cell.intersects(event->rect())) {
            continue;
        }
        // Two images per cell: far cheaper than a rectangle per pixel or a line per grid line.
        painter.drawImage(cell, m_images[i]);
        painter.drawImage(cell.topLeft(), grid);
        painter.drawRect(cell.adjusted(-1, -1, 0, 0));
    }
}

// The grid between the pixels of one cell, drawn once per cell size.
const QImage& GlyphPreview::grid_overlay() const {
    const int z = zoom();
    const QSize cell = cell_size() * z;
    if (m_grid.size() == cell) {
        return m_grid;
    }
    m_grid = QImage(cell, QImage::Format_ARGB32_Premultiplied);
    m_grid.fill(Qt::transparent);
    if (z >= 4) {
        QPainter painter(&m_grid);
        painter.setPen(QColor(192, 192, 192));
        for (int x = z; x < cell.width(); x += z) {
            painter.drawLine(x, 0, x, cell.height());
        }
        for (int y = z; y < cell.height(); y += z) {
            painter.drawLine(0, y, cell.width(), y);
        }
    }
    return m_grid;
}

void GlyphPreview::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint at = event->position().toPoint();
    const int z = zoom();
    for (std::size_t i = 0; i < m_glyphs.size(); ++i) {
        const QRect cell = cell_rect(i);
        if (cell.contains(at)) {
            const QPoint inside = at - cell.topLeft();
            m_glyphs[i].bits.toggle(inside.x() / z, inside.y() / z);
            draw_image(i);
            update(cell);
            emit pixel_toggled();
            return;
        }
    }
}
