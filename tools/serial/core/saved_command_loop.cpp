#include "saved_command_loop.h"

bool SavedCommandLoop::start(const QList<SavedCommand>& commands, qint64 now_ms) {
    const std::optional<int> first = ticked_from(commands, 0);
    m_running = first.has_value();
    if (m_running) {
        m_next = *first;
        m_due_ms = now_ms + commands[*first].delay_ms;
    }
    return m_running;
}

std::optional<int> SavedCommandLoop::take_due(const QList<SavedCommand>& commands, qint64 now_ms) {
    if (!m_running || now_ms < m_due_ms) {
        return std::nullopt;
    }
    const std::optional<int> row = ticked_from(commands, m_next);
    if (!row) {
        m_running = false;
        return std::nullopt;
    }
    // Counted from the send itself rather than from when it was due, so that a late wake-up
    // never sends two commands back to back.
    const std::optional<int> next = ticked_from(commands, *row + 1);
    m_next = next.value_or(*row);
    m_due_ms = now_ms + commands[m_next].delay_ms;
    return row;
}

std::optional<int> SavedCommandLoop::ticked_from(const QList<SavedCommand>& commands, int from) {
    const int count = static_cast<int>(commands.size());
    for (int i = 0; i < count; ++i) {
        const int row = ((from % count) + i) % count;
        if (commands[row].looped) {
            return row;
        }
    }
    return std::nullopt;
}
