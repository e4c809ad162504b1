#include "stopwatch.h"

#include "next_tick.h"

#include <algorithm>

namespace {

constexpr qint64 kSecondMs = 1000;
constexpr qint64 kDayMs = 24 * 60 * 60 * kSecondMs;

}  // namespace

void Stopwatch::start_or_reset(qint64 now_ms) {
    if (m_run_state == kReset) {
        m_run_state = kRunning;
        m_started_ms = now_ms;
    } else {
        m_run_state = kReset;
    }
    m_held_ms = 0;
}

void Stopwatch::stop(qint64 now_ms) {
    if (m_run_state == kRunning) {
        m_held_ms = elapsed_ms(now_ms);
    }
    m_run_state = kStopped;
}

qint64 Stopwatch::elapsed_ms(qint64 now_ms) const {
    return std::max<qint64>(0, now_ms - m_started_ms);
}

StopwatchCount Stopwatch::count(qint64 now_ms) const {
    const qint64 shown = m_run_state == kRunning ? elapsed_ms(now_ms) : m_held_ms;
    const int seconds = static_cast<int>(shown % kDayMs / kSecondMs);
    return {seconds / 3600, seconds / 60 % 60, seconds % 60};
}

qint64 Stopwatch::ms_to_next_tick(qint64 now_ms) const {
    if (m_run_state != kRunning) {
        return kSecondMs;
    }
    return ms_to_next_second(elapsed_ms(now_ms));
}
