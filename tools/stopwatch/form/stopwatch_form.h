#pragma once

#include "shell/widgets/controls.h"
#include "shell/widgets/form.h"
#include "tools/stopwatch/core/alarm.h"
#include "tools/stopwatch/core/stopwatch.h"

#include <QTimer>

class ClockFace;
class DigitalDisplay;

// 秒表: the time of day as digits and on a clock face, a stopwatch of hours, minutes and
// seconds, and an alarm at a typed time that beeps and blinks every second until cleared.
// Its ticks follow the clocks: the clock tick comes just after each new second of the time of
// day, the stopwatch tick just after each new second of the count.
class StopwatchForm : public Form {
    Q_OBJECT
public:
    explicit StopwatchForm(FormHost& host);

    void on_start_reset_clicked();
    void on_stop_clicked();
    void on_alarm_button_clicked();
    void on_stopwatch_tick();
    void on_clock_tick();

protected:
    void on_load() override;

private:
    void draw_hands(const QTime& now);
    void arm_stopwatch_tick();
    void arm_clock_tick();

    Stopwatch m_stopwatch;
    Alarm m_alarm;
    DigitalDisplay* m_time_display;
    QPushButton* m_alarm_button;
    TextBox* m_alarm_time;
    QLabel* m_alarm_message;
    QPushButton* m_start_reset_button;
    QPushButton* m_stop_button;
    TextBox* m_hours;
    TextBox* m_minutes;
    TextBox* m_seconds;
    ClockFace* m_clock_face;
    LineShape* m_hour_hand;
    LineShape* m_minute_hand;
    LineShape* m_second_hand;
    QTimer* m_stopwatch_timer;
    QTimer* m_clock_timer;
};
