#include "line_view.h"

#include "line_source.h"
#include "line_view_accessible.h"

#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <limits>

LineView::LineView(const LineSource& source, QWidget* parent)
    : QAbstractScrollArea(parent), m_source(source) {
    LineViewAccessible::install();
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setAutoFillBackground(true);
}

void LineView::refresh() {
    QScrollBar* bar = verticalScrollBar();
    const bool at_end = bar->value() == bar->maximum();
    update_scroll_range();
    if (at_end) {
        bar->setValue(bar->maximum());
    }
    viewport()->update();
}

int LineView::visible_lines() const {
    return std::max(1, viewport()->height() / fontMetrics().height());
}

void LineView::update_scroll_range() {
    // A scroll bar counts in int; more lines than that show their first 2^31.
    const qint64 lines = std::min<qint64>(m_source.line_count(), std::numeric_limits<int>::max());
    verticalScrollBar()->setRange(0, std::max(0, static_cast<int>(lines) - visible_lines()));
    verticalScrollBar()->setPageStep(visible_lines());
}

void LineView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    update_scroll_range();
}

void LineView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    const int height = fontMetrics().height();
    const int ascent = fontMetrics().ascent();
    const qint64 first = verticalScrollBar()->value();
    const qint64 end = std::min<qint64>(m_source.line_count(), first + visible_lines() + 1);
    int y = 0;
    for (qint64 i = first; i < end; ++i, y += height) {
        painter.drawText(2, y + ascent, m_source.line(i));
    }
}
