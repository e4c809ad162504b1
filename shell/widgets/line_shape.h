#pragma once

#include <QColor>
#include <QPointF>
#include <QWidget>

// A drawn line from (x1, y1) to (x2, y2), in twips of its parent, one pixel wide in the window
// text colour unless given a pen. Its ends may lie between twips and may move. It takes no mouse
// input.
class LineShape : public QWidget {
    Q_OBJECT
public:
    LineShape(QWidget* parent, int x1, int y1, int x2, int y2);

    QPointF from() const { return m_from; }
    QPointF to() const { return m_to; }
    // An invalid colour is the window text colour.
    QColor colour() const { return m_colour; }

    void set_ends(QPointF from, QPointF to);
    void set_pen(int width, const QColor& colour = QColor());

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void place_box();

    QPointF m_from;  // in twips
    QPointF m_to;
    int m_pen_width = 1;  // in pixels
    QColor m_colour;
};
