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
};
