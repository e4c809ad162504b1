#pragma once

#include <QtGlobal>

// What the stopwatch boxes show: hours 0 to 23, minutes and seconds 0 to 59.
struct StopwatchCount {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;

    bool operator==(const StopwatchCount&) const = default;
};

// The stopwatch of "启动/复位" and "停止". It counts whole seconds of a steady clock (times in
// milliseconds handed in), so an hour on it is an hour of real time however late its ticks
// come; the count wraps to zero after 24 hours.
class Stopwatch {
public:
    enum RunState { kReset = 0, kRunning = 1, kStopped = 2 };

    // "启动/复位": starts from zero when reset, else resets.
    void start_or_reset(qint64 now_ms);
    // "停止": holds the count, whatever the state; a stopped count cannot resume.
    void stop(qint64 now_ms);

    RunState run_state() const { return m_run_state; }
    // The count a tick at `now_ms` shows: zero when reset, the held count when stopped.
    StopwatchCount count(qint64 now_ms) const;
    // How long after `now_ms` the next tick falls: just after the running count next turns to
    // a new second, else a second on.
    qint64 ms_to_next_tick(qint64 now_ms) const;

private:
    qint64 elapsed_ms(qint64 now_ms) const;

    RunState m_run_state = kReset;
    qint64 m_started_ms = 0;  // steady time of the start
    qint64 m_held_ms = 0;     // the count while stopped
};
