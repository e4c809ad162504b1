#include "line_search.h"

#include "line_source.h"

#include <algorithm>
#include <limits>

namespace {

// The first match in `line` starting within [from, to).
qint64 first_in(const QString& line, const QString& needle, qint64 from, qint64 to) {
    const qint64 at = line.indexOf(needle, from, Qt::CaseInsensitive);
    return at >= 0 && at < to ? at : -1;
}

// The last match in `line` starting within [from, to).
qint64 last_in(const QString& line, const QString& needle, qint64 from, qint64 to) {
    to = std::min<qint64>(to, line.size());
    if (to <= from) {
        return -1;
    }
    const qint64 at = line.lastIndexOf(needle, to - 1, Qt::CaseInsensitive);
    return at >= from ? at : -1;
}

}  // namespace

std::optional<LineMatch> find_in_lines(const LineSource& source, const QString& needle,
                                       LinePoint from, SearchDirection direction,
                                       qint64 most_lines) {
    const qint64 count = source.line_count();
    if (needle.isEmpty() || count == 0) {
        return std::nullopt;
    }
    from.line = std::clamp<qint64>(from.line, 0, count - 1);
    from.column = std::max<qint64>(from.column, 0);
    constexpr qint64 kWhole = std::numeric_limits<qint64>::max();
    // Every line once, the one at `from` in two parts: after it first, then, round the
    // end, before it (backward the other way round).
    for (qint64 step = 0; step <= count && step < most_lines; ++step) {
        const bool wrapped = direction == SearchDirection::kForward ? from.line + step >= count
                                                                    : from.line - step < 0;
        const qint64 index = direction == SearchDirection::kForward
                                 ? (from.line + step) % count
                                 : ((from.line - step) % count + count) % count;
        const QString line = source.line(index);
        qint64 low = 0;
        qint64 high = kWhole;
        if (step == 0) {
            (direction == SearchDirection::kForward ? low : high) = from.column;
        } else if (step == count) {
            (direction == SearchDirection::kForward ? high : low) = from.column;
        }
        const qint64 at = direction == SearchDirection::kForward ? first_in(line, needle, low, high)
                                                                 : last_in(line, needle, low, high);
        if (at >= 0) {
            return LineMatch{{index, at}, wrapped};
        }
    }
    return std::nullopt;
}
