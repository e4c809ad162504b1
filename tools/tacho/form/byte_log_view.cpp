#include "byte_log_view.h"

#include <QAccessible>

ByteLogView::ByteLogView(QWidget* parent) : LineView(m_lines, parent) {}

void ByteLogView::append(const std::uint8_t* bytes, std::size_t count) {
    const qint64 end_of_text = m_log.text_size();
    m_log.append(bytes, count);
    // Told as Qt's own text boxes tell a change, and only when someone listens.
    if (QAccessible::isActive()) {
        QAccessibleTextInsertEvent inserted(this, static_cast<int>(end_of_text),
                                            m_log.text(end_of_text, m_log.text_size()));
        QAccessible::updateAccessibility(&inserted);
    }
    refresh();
}
