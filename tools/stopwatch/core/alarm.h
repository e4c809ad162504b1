#pragma once

#include <QString>
#include <QTime>

#include <optional>

// Whether the alarm at `alarm_second` falls due at a clock tick at `now_second` (all seconds of
// the day) when the tick before came at `previous_second`: it equals the tick's time or lies in
// between, past midnight too, so a late tick cannot step over it. A clock set back (by up to half
// a day) covers no time. No alarm time, none due.
bool alarm_due(std::optional<int> alarm_second, int previous_second, int now_second);

// The alarm at a typed time. Once due it signals on every clock tick, the message blinking red
// and blue, until cleared.
class Alarm {
public:
    enum class Colour { kRed, kBlue };
    // What a clock tick shows.
    struct Signal {
        QString button_caption;
        bool beep = false;
        // "时间到！" in this colour; nothing leaves the message as it is.
        std::optional<Colour> message_colour;
    };

    // The time the clock was first read, where the first tick's interval begins.
    void start(const QTime& now);
    // `alarm_second` is the time typed for the alarm, when the window reads one there.
    Signal tick(std::optional<int> alarm_second, const QTime& now);
    // The alarm button: the signalling stops; the blink phase runs on from where it was.
    void clear() { m_alarm_on = false; }

private:
    bool m_alarm_on = false;
    int m_blink_phase = 0;  // 1 after red; reaching 2 shows blue and goes back to 0
    int m_previous_second = 0;
};

// The alarm button's caption while no alarm is due, and once one is.
inline const QString kAlarmCaption = QStringLiteral("定时时间");
inline const QString kAlarmDueCaption = QStringLiteral("定时时间到");
inline const QString kTimeUpMessage = QStringLiteral("时间到！");
