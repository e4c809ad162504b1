#include "line_source.h"

#include <algorithm>

qint64 LineSource::line_offset(qint64 index) const {
    index = std::clamp<qint64>(index, 0, line_count());
    qint64 offset = 0;
    for (qint64 i = 0; i < index; ++i) {
        offset += line(i).size() + 1;
    }
    return index == line_count() && index > 0 ? offset - 1 : offset;
}

qint64 LineSource::line_at_offset(qint64 offset) const {
    const qint64 count = line_count();
    qint64 end = 0;  // after the line end of line i
    for (qint64 i = 0; i < count; ++i) {
        end += line(i).size() + 1;
        if (offset < end) {
            return i;
        }
    }
    return std::max<qint64>(0, count - 1);
}
