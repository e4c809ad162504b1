#pragma once

#include <QtGlobal>

#include <compare>

// A place in a line view's lines: before character `column` of line `line`.
struct LinePoint {
    qint64 line = 0;
    qint64 column = 0;
    auto operator<=>(const LinePoint&) const = default;
};
