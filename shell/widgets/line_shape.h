#pragma once

#include <QPoint>
#include <QWidget>

// A drawn line from (x1, y1) to (x2, y2), in twips of its parent. It takes no mouse input.
class LineShape : public QWidget {
    Q_OBJECT
public:
    LineShape(QWidget* parent, int x1, int y1, int x2, int y2);

    QPoint from() const { return m_from; }
    QPoint to() const { return m_to; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint m_from;  // in twips
    QPoint m_to;
};
