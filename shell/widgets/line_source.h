#pragma once

#include <QString>
#include <QtGlobal>

// The lines a LineView shows, and the same lines as one text for accessibility. A source may
// make its lines and its text only when asked, so a long log costs nothing until it is read.
class LineSource {
public:
    virtual ~LineSource() = default;

    virtual qint64 line_count() const = 0;
    // Line `index`, without its line end.
    virtual QString line(qint64 index) const = 0;

    // Characters in the text.
    virtual qint64 text_size() const = 0;
    // Characters `from` up to `to` (not included) of the text.
    virtual QString text(qint64 from, qint64 to) const = 0;
    // The whole text; a source that holds it whole says so without copying it twice.
    virtual QString all_text() const { return text(0, text_size()); }

    // Lines that went from the top since the lines were last made anew: line `index` now was
    // line `index + dropped_lines()` then. A view keeps its selection and its place on their
    // lines by it while a capped log lets its oldest lines go.
    virtual qint64 dropped_lines() const { return 0; }
    // Changes whenever the lines are made anew (cleared, or shown another way), which lets a
    // view drop a selection that no longer means anything.
    virtual qint64 generation() const { return 0; }

    // Where line `index` (line_count() for the end) begins in the text. By default the text is
    // the lines joined by line feeds and the lines before are measured one by one: a source that
    // keeps its lines otherwise, or knows a quicker way, says so.
    virtual qint64 line_offset(qint64 index) const;
    // The line that holds character `offset` of the text, its line end included.
    virtual qint64 line_at_offset(qint64 offset) const;
};
