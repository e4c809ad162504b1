#pragma once

#include "line_point.h"

#include <QString>

class LineSource;

// What is selected in a line view, from the anchor, where the selection began, to the cursor,
// where it ends now (the caret). Both count lines from the first the source made since its lines
// were last made anew, those dropped from its top included, so a selection stays on its
// characters while a capped log lets its oldest lines go.
class LineSelection {
public:
    // The end of a line's columns: the selection goes on past the line end.
    static constexpr qint64 kPastEnd = -1;

    LinePoint anchor() const { return m_anchor; }
    LinePoint cursor() const { return m_cursor; }
    LinePoint start() const { return m_anchor < m_cursor ? m_anchor : m_cursor; }
    LinePoint end() const { return m_anchor < m_cursor ? m_cursor : m_anchor; }
    bool empty() const { return m_anchor == m_cursor; }

    // The cursor moves to `to`; the anchor stays where the selection began when extending, and
    // comes along otherwise.
    void move_to(LinePoint to, bool extend);
    void select(LinePoint anchor, LinePoint cursor);
    // Lines before `first` went: a place on them moves to the start of `first`, so a selection
    // that lost its beginning keeps the rest, and one that went whole is empty.
    void drop_before(qint64 first);

    // The columns selected in line `line`: [from, to), `to` kPastEnd when the line end is
    // selected too; from == to when none is.
    struct Columns {
        qint64 from = 0;
        qint64 to = 0;
        bool operator==(const Columns&) const = default;
    };
    Columns columns(qint64 line) const;

    // The selected text as `source` shows it, its lines joined by line feeds; line `line` of
    // the selection is the source's line `line - dropped`. Only the selected lines are made.
    QString text(const LineSource& source, qint64 dropped) const;

private:
    LinePoint m_anchor;
    LinePoint m_cursor;
};
