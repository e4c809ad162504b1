#pragma once

#include "line_point.h"

#include <QString>

#include <limits>
#include <optional>

class LineSource;

enum class SearchDirection { kForward, kBackward };

struct LineMatch {
    LinePoint start;       // in the source's lines as they are now
    bool wrapped = false;  // found only after going round past the end (or the beginning)
    bool operator==(const LineMatch&) const = default;
};

// Finds `needle` in the lines of `source` as they are shown, ignoring case, one line at a time:
// forward, the first match that starts at `from` or after it; backward, the last that starts
// before it; either goes round the ends once. A match lies within one line. It looks at no more
// than `most_lines` lines, counting from the one at `from`.
std::optional<LineMatch> find_in_lines(const LineSource& source, const QString& needle,
                                       LinePoint from, SearchDirection direction,
                                       qint64 most_lines = std::numeric_limits<qint64>::max());
