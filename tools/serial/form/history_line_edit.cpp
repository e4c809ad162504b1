#include "history_line_edit.h"

#include <QKeyEvent>

namespace {
constexpr qsizetype kMostLines = 100;
}

void HistoryLineEdit::remember(const QString& line) {
    if (!line.isEmpty() && (m_history.isEmpty() || m_history.constLast() != line)) {
        m_history.append(line);
        if (m_history.size() > kMostLines) {
            m_history.removeFirst();
        }
    }
    m_place = m_history.size();
}

void HistoryLineEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up && m_place > 0) {
        setText(m_history[--m_place]);
    } else if (event->key() == Qt::Key_Down && m_place < m_history.size()) {
        ++m_place;
        setText(m_place < m_history.size() ? m_history[m_place] : QString());
    } else {
        QLineEdit::keyPressEvent(event);
    }
}
