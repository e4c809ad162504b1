#pragma once

#include "saved_command.h"

#include <QList>

#include <optional>

// 循环发送: the ticked commands in list order, each sent its own delay after the one before it
// (the first its delay after the start), round and round until stopped. It keeps no clock of its
// own: the panel asks it with the time of a steady clock what is due, and when to ask again.
// The list may change between asks; the next row is then the next ticked one from where the
// loop had got to.
class SavedCommandLoop {
public:
    // Starts with the first ticked row; false, and nothing running, when no row is ticked.
    bool start(const QList<SavedCommand>& commands, qint64 now_ms);
    void stop() { m_running = false; }
    bool running() const { return m_running; }

    // When the next row is due, on the clock start() was given; meaningful while running.
    qint64 due_ms() const { return m_due_ms; }

    // The row to send at `now_ms`, when one is due; the loop then moves on, the next row due its
    // delay after now. Nothing when none is due yet; the loop stops when no row is ticked any
    // more.
    std::optional<int> take_due(const QList<SavedCommand>& commands, qint64 now_ms);

private:
    // The first ticked row at or after `from`, going round the list once.
    static std::optional<int> ticked_from(const QList<SavedCommand>& commands, int from);

    bool m_running = false;
    int m_next = 0;  // where the search for the next ticked row starts
    qint64 m_due_ms = 0;
};
