#include "next_tick.h"

namespace {
constexpr qint64 kMarginMs = 2;
}

qint64 ms_to_next_second(qint64 ms) {
    return 1000 - ms % 1000 + kMarginMs;
}
