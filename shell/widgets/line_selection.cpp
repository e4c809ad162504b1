#include "line_selection.h"

#include "line_source.h"

#include <algorithm>

void LineSelection::move_to(LinePoint to, bool extend) {
    m_cursor = to;
    if (!extend) {
        m_anchor = to;
    }
}

void LineSelection::select(LinePoint anchor, LinePoint cursor) {
    m_anchor = anchor;
    m_cursor = cursor;
}

void LineSelection::drop_before(qint64 first) {
    for (LinePoint* point : {&m_anchor, &m_cursor}) {
        if (point->line < first) {
            *point = {first, 0};
        }
    }
}

LineSelection::Columns LineSelection::columns(qint64 line) const {
    const LinePoint from = start();
    const LinePoint to = end();
    if (empty() || line < from.line || line > to.line) {
        return {};
    }
    return {line == from.line ? from.column : 0, line == to.line ? to.column : kPastEnd};
}

QString LineSelection::text(const LineSource& source, qint64 dropped) const {
    QString text;
    if (empty()) {
        return text;
    }
    const qint64 count = source.line_count();
    const qint64 first = std::max<qint64>(start().line - dropped, 0);
    const qint64 last = std::min<qint64>(end().line - dropped, count - 1);
    for (qint64 index = first; index <= last; ++index) {
        const Columns selected = columns(index + dropped);
        const QString line = source.line(index);
        const qint64 from = std::min<qint64>(selected.from, line.size());
        const qint64 to = selected.to == kPastEnd
                              ? line.size()
                              : std::clamp<qint64>(selected.to, from, line.size());
        text += QStringView(line).sliced(from, to - from);
        if (selected.to == kPastEnd && index + 1 < count) {
            text += u'\n';
        }
    }
    return text;
}
