#include "line_shape.h"

#include "twips.h"

#include <QPainter>

LineShape::LineShape(QWidget* parent, int x1, int y1, int x2, int y2)
    : QWidget(parent), m_from(x1, y1), m_to(x2, y2) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const QRect box =
        QRect(QPoint(to_pixels(x1), to_pixels(y1)), QPoint(to_pixels(x2), to_pixels(y2)))
            .normalized()
            .adjusted(0, 0, 1, 1);
    setGeometry(box);
}

void LineShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const QPoint origin = geometry().topLeft();
    painter.drawLine(QPoint(to_pixels(m_from.x()), to_pixels(m_from.y())) - origin,
                     QPoint(to_pixels(m_to.x()), to_pixels(m_to.y())) - origin);
}
