#include "alarm.h"

#include "time_text.h"

namespace {

int seconds_after(int from, int to) {
    return ((to - from) % kSecondsPerDay + kSecondsPerDay) % kSecondsPerDay;
}

}  // namespace

bool alarm_due(std::optional<int> alarm_second, int previous_second, int now_second) {
    if (!alarm_second) {
        return false;
    }
    if (*alarm_second == now_second) {
        return true;
    }
    const int passed = seconds_after(previous_second, now_second);
    if (passed > kSecondsPerDay / 2) {
        return false;  // the clock went back
    }
    const int due_after = seconds_after(previous_second, *alarm_second);
    return due_after > 0 && due_after <= passed;
}

void Alarm::start(const QTime& now) {
    m_previous_second = second_of_day(now);
}

Alarm::Signal Alarm::tick(std::optional<int> alarm_second, const QTime& now) {
    const int now_second = second_of_day(now);
    if (alarm_due(alarm_second, m_previous_second, now_second)) {
        m_alarm_on = true;
    }
    m_previous_second = now_second;
    if (!m_alarm_on) {
        return {kAlarmCaption, false, std::nullopt};
    }
    Signal signal{kAlarmDueCaption, true, std::nullopt};
    ++m_blink_phase;
    if (m_blink_phase == 1) {
        signal.message_colour = Colour::kRed;
    } else if (m_blink_phase == 2) {
        signal.message_colour = Colour::kBlue;
        m_blink_phase = 0;
    }
    return signal;
}
