#include "receive_view.h"

#include "receive_view_accessible.h"

#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <limits>

ReceiveView::ReceiveView(const ReceiveLog& log, QWidget* parent)
    : QAbstractScrollArea(parent), m_log(log) {
    ReceiveViewAccessible::install();
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setAutoFillBackground(true);
}

void ReceiveView::refresh() {
    QScrollBar* bar = verticalScrollBar();
    const bool at_end = bar->value() == bar->maximum();
    update_scroll_range();
    if (at_end) {
        bar->setValue(bar->maximum());
    }
    viewport()->update();
}

int ReceiveView::visible_lines() const {
    return std::max(1, viewport()->height() / fontMetrics().height());
}

void ReceiveView::update_scroll_range() {
    const qsizetype lines =
        std::min<qsizetype>(m_log.line_count(), std::numeric_limits<int>::max());
    verticalScrollBar()->setRange(0, std::max(0, static_cast<int>(lines) - visible_lines()));
    verticalScrollBar()->setPageStep(visible_lines());
}

void ReceiveView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    update_scroll_range();
}

void ReceiveView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    const int height = fontMetrics().height();
    const int ascent = fontMetrics().ascent();
    const qsizetype first = verticalScrollBar()->value();
    const qsizetype end = std::min<qsizetype>(m_log.line_count(), first + visible_lines() + 1);
    int y = 0;
    for (qsizetype i = first; i < end; ++i, y += height) {
        painter.drawText(2, y + ascent, m_log.line(i));
    }
}
