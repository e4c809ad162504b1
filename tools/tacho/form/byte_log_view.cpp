#include "byte_log_view.h"

#include "byte_log_accessible.h"

#include <QAccessible>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <limits>

ByteLogView::ByteLogView(QWidget* parent) : QAbstractScrollArea(parent) {
    ByteLogAccessible::install();
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setAutoFillBackground(true);
}

void ByteLogView::append(const std::uint8_t* bytes, std::size_t count) {
    QScrollBar* bar = verticalScrollBar();
    const bool at_end = bar->value() == bar->maximum();
    const qint64 end_of_text = m_log.text_size();
    m_log.append(bytes, count);
    // Told as Qt's own text boxes tell a change, and only when someone listens.
    if (QAccessible::isActive()) {
        QAccessibleTextInsertEvent inserted(this, static_cast<int>(end_of_text),
                                            m_log.text(end_of_text, m_log.text_size()));
        QAccessible::updateAccessibility(&inserted);
    }
    update_scroll_range();
    if (at_end) {
        bar->setValue(bar->maximum());
    }
    viewport()->update();
}

int ByteLogView::visible_lines() const {
    return std::max(1, viewport()->height() / fontMetrics().height());
}

void ByteLogView::update_scroll_range() {
    // A scroll bar counts in int; a log longer than that shows its first 2^31 lines.
    const std::size_t lines = std::min<std::size_t>(m_log.size(), std::numeric_limits<int>::max());
    const int last_top = std::max(0, static_cast<int>(lines) - visible_lines());
    verticalScrollBar()->setRange(0, last_top);
    verticalScrollBar()->setPageStep(visible_lines());
}

void ByteLogView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    update_scroll_range();
}

void ByteLogView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    const int height = fontMetrics().height();
    const int ascent = fontMetrics().ascent();
    const std::size_t first = static_cast<std::size_t>(verticalScrollBar()->value());
    const std::size_t end = std::min(m_log.size(), first + visible_lines() + 1);
    int y = 0;
    for (std::size_t i = first; i < end; ++i, y += height) {
        painter.drawText(2, y + ascent, m_log.line(i));
    }
}
