#include "line_shape.h"

#include "twips.h"

#include <QPainter>

namespace {

QPoint pixels(QPointF twips) {
    return {to_pixels(qRound(twips.x())), to_pixels(qRound(twips.y()))};
}

}  // namespace

LineShape::LineShape(QWidget* parent, int x1, int y1, int x2, int y2)
    : QWidget(parent), m_from(x1, y1), m_to(x2, y2) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    place_box();
}

void LineShape::set_ends(QPointF from, QPointF to) {
    if (from == m_from && to == m_to) {
        return;
    }
    m_from = from;
    m_to = to;
    place_box();
    update();
}

void LineShape::set_pen(int width, const QColor& colour) {
    m_pen_width = qMax(1, width);
    m_colour = colour;
    place_box();
    update();
}

// The widget covers the line and the half of the pen that lies beyond its ends.
void LineShape::place_box() {
    const int overhang = m_pen_width == 1 ? 0 : (m_pen_width + 1) / 2;
    setGeometry(QRect(pixels(m_from), pixels(m_to))
                    .normalized()
                    .adjusted(-overhang, -overhang, 1 + overhang, 1 + overhang));
}

void LineShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QPen pen(m_colour.isValid() ? m_colour : palette().color(QPalette::WindowText));
    pen.setWidth(m_pen_width);
    if (m_pen_width > 1) {
        pen.setCapStyle(Qt::RoundCap);
    }
    painter.setPen(pen);
    const QPoint origin = geometry().topLeft();
    painter.drawLine(pixels(m_from) - origin, pixels(m_to) - origin);
}
