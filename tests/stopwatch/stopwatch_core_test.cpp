#include "tests/support/qt_printers.h"
#include "tools/stopwatch/core/alarm.h"
#include "tools/stopwatch/core/clock_hands.h"
#include "tools/stopwatch/core/stopwatch.h"
#include "tools/stopwatch/core/time_text.h"

#include <tuple>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

void PrintTo(const StopwatchCount& count, std::ostream* out) {
    *out << count.hours << ":" << count.minutes << ":" << count.seconds;
}

namespace {

// 启动/复位 at `start`, then maybe 停止 or 启动/复位 again at `pressed`, then the count a tick
// at `tick` shows.
TEST(Stopwatch, CountsWholeSecondsOfTheSteadyClock) {
    using Press = void (Stopwatch::*)(qint64);
    const std::tuple<qint64, Press, qint64, qint64, StopwatchCount> rows[] = {
        {300, nullptr, 0, 61'299, {0, 1, 0}},
        {0, nullptr, 0, 3'661'999, {1, 1, 1}},  // late ticks lose nothing
        {0, nullptr, 0, 86'399'002, {23, 59, 59}},
        {0, nullptr, 0, 86'400'002, {}},                    // wraps after a day
        {0, &Stopwatch::start_or_reset, 5'500, 6'002, {}},  // reset shows zeros
        {0, &Stopwatch::stop, 3'700, 9'000, {0, 0, 3}},
    };
    for (const auto& [start, press, pressed, tick, shows] : rows) {
        Stopwatch stopwatch;
        stopwatch.start_or_reset(start);
        if (press) {
            (stopwatch.*press)(pressed);
        }
        EXPECT_EQ(stopwatch.count(tick), shows) << start << " " << pressed << " " << tick;
    }
}

// Only an exact "HH:MM:SS" names a time of day.
TEST(TimeText, ReadsExactlyTwoDigitsEach) {
    const std::pair<const char*, std::optional<int>> rows[] = {
        {"07:30:00", 27000}, {"23:59:59", 86399}, {"00:00:00", 0},  {"7:30:00", {}},
        {"07:30", {}},       {"24:00:00", {}},    {"12:60:00", {}}, {"12:00:60", {}},
        {" 07:30:00", {}},   {"07-30-00", {}},    {"07:3a:00", {}},
    };
    for (const auto& [text, seconds] : rows) {
        EXPECT_EQ(parse_time_text(text), seconds) << text;
    }
}

// A tick at `now` with `alarm` typed, after a tick at `previous` on a new alarm ("": on the alarm
// of the row before, "c": after its button cleared it): the beep and the message in red or
// blue, or no signal. Once due the alarm signals every second until cleared.
TEST(Alarm, DueWhenReachedSinceThePreviousTickThenBlinksUntilCleared) {
    using enum Alarm::Colour;
    const std::tuple<const char*, const char*, const char*, std::optional<Alarm::Colour>> rows[] = {
        {"07:30:00", "07:29:58", "07:30:03", kRed},  // a late tick
        {"07:30:00", "07:30:00", "07:30:00", kRed},  // a second tick in the same second
        {"07:30:00", "07:29:50", "07:29:59", {}},    // not yet
        {"07:30:00", "07:30:00", "07:30:01", {}},    // passed before it was typed
        {"", "07:29:58", "07:30:03", {}},            // no alarm time
        {"00:00:01", "23:59:58", "00:00:02", kRed},  // past midnight
        {"12:00:00", "03:00:00", "02:00:01", {}},    // the clock set back an hour
        {"02:00:01", "03:00:00", "02:00:01", kRed},
        {"07:30:00", "07:29:59", "07:30:00", kRed},
        {"", "", "07:30:01", kBlue},  // editing does not stop it
        {"", "", "07:30:02", kRed},
        {"", "c", "07:30:03", {}},
        {"07:30:05", "", "07:30:05", kBlue},  // cleared on red
        {"", "", "07:30:06", kRed},
    };
    Alarm alarm;
    for (const auto& [alarm_time, previous, now, colour] : rows) {
        SCOPED_TRACE(std::string(alarm_time) + " " + previous + " " + now);
        if (*previous == 'c') {
            alarm.clear();
        } else if (*previous) {
            alarm = Alarm();
            alarm.start(QTime(0, 0).addSecs(*parse_time_text(previous)));
        }
        const Alarm::Signal signal =
            alarm.tick(parse_time_text(alarm_time), QTime(0, 0).addSecs(*parse_time_text(now)));
        EXPECT_EQ(std::tuple(signal.button_caption, signal.beep, signal.message_colour),
                  std::tuple(colour ? u"定时时间到"_s : u"定时时间"_s, colour.has_value(), colour));
    }
}

TEST(ClockHands, EndWhereTheTimeSays) {
    const std::tuple<QTime, FacePoint, FacePoint, FacePoint> rows[] = {
        {{3, 0, 0}, {1240, 940}, {940.001f, 540}, {940.001f, 400}},
        {{10, 30, 15}, {727.867f, 727.869f}, {940.001f, 1340}, {1480, 940}},
        {{15, 45, 30}, {1217.165f, 1054.803f}, {540, 940.001f}, {940.001f, 1480}},
        {{12, 0, 0}, {940, 640}, {940, 540}, {940, 400}},  // straight up
    };
    for (const auto& [time, hour_end, minute_end, second_end] : rows) {
        SCOPED_TRACE(time_text(time).toStdString());
        const ClockHands hands = clock_hands(time);
        for (const auto& [hand, end] :
             {std::pair(hands.hour, hour_end), std::pair(hands.minute, minute_end),
              std::pair(hands.second, second_end)}) {
            EXPECT_NEAR(hand.to.x, end.x, 0.002f);
            EXPECT_NEAR(hand.to.y, end.y, 0.002f);
        }
    }
}

}  // namespace
