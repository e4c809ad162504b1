#include "tests/support/qt_printers.h"
#include "tools/stopwatch/core/alarm.h"
#include "tools/stopwatch/core/clock_hands.h"
#include "tools/stopwatch/core/stopwatch.h"
#include "tools/stopwatch/core/time_text.h"

#include <QPointF>

#include <vector>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

void PrintTo(const StopwatchCount& count, std::ostream* out) {
    *out << count.hours << ":" << count.minutes << ":" << count.seconds;
}

namespace {

enum class Action { kStartReset, kStop, kTick };
struct Step {
    Action action;
    qint64 at_ms;
    StopwatchCount shows{};  // for a tick
};
struct StopwatchCase {
    const char* name;
    std::vector<Step> steps;
};

TEST(Stopwatch, CountsWholeSecondsOfTheSteadyClock) {
    using enum Action;
    const StopwatchCase cases[] = {
        {"61 s", {{kStartReset, 300}, {kTick, 61'302, {0, 1, 1}}}},
        {"late ticks lose nothing",
         {{kStartReset, 0},
          {kTick, 1'900, {0, 0, 1}},
          {kTick, 3'999, {0, 0, 3}},
          {kTick, 3'600'000, {1, 0, 0}}}},
        {"23:59:59 wraps",
         {{kStartReset, 0}, {kTick, 86'399'002, {23, 59, 59}}, {kTick, 86'400'002, {0, 0, 0}}}},
        {"reset shows zeros",
         {{kStartReset, 0}, {kTick, 5'002, {0, 0, 5}}, {kStartReset, 5'500}, {kTick, 6'002, {}}}},
        {"stop holds", {{kStartReset, 0}, {kStop, 3'700}, {kTick, 9'000, {0, 0, 3}}}},
    };
    for (const StopwatchCase& c : cases) {
        SCOPED_TRACE(c.name);
        Stopwatch stopwatch;
        for (const Step& step : c.steps) {
            if (step.action == kStartReset) {
                stopwatch.start_or_reset(step.at_ms);
            } else if (step.action == kStop) {
                stopwatch.stop(step.at_ms);
            } else {
                EXPECT_EQ(stopwatch.count(step.at_ms), step.shows) << "at " << step.at_ms;
            }
        }
    }
}

QTime at(const char* text) {
    return QTime::fromString(QString::fromLatin1(text), u"HH:mm:ss"_s);
}

std::optional<int> second(const char* text) {
    return parse_time_text(QString::fromLatin1(text));
}

// Only an exact "HH:MM:SS" names a time of day.
TEST(TimeText, ReadsExactlyTwoDigitsEach) {
    const std::pair<const char*, std::optional<int>> rows[] = {
        {"07:30:00", 27000}, {"23:59:59", 86399}, {"00:00:00", 0},  {"7:30:00", {}},
        {"07:30", {}},       {"24:00:00", {}},    {"12:60:00", {}}, {"12:00:60", {}},
        {" 07:30:00", {}},   {"07-30-00", {}},    {"07:3a:00", {}},
    };
    for (const auto& [text, seconds] : rows) {
        EXPECT_EQ(second(text), seconds) << text;
    }
}

TEST(AlarmDue, WhenReachedSinceThePreviousTick) {
    const struct {
        const char* alarm;
        const char* previous;
        const char* now;
        bool due;
    } rows[] = {
        {"07:30:00", "07:29:59", "07:30:00", true},
        {"07:30:00", "07:29:58", "07:30:03", true},   // a late tick
        {"07:30:00", "07:30:00", "07:30:00", true},   // a second tick in the same second
        {"07:30:00", "07:29:50", "07:29:59", false},  // not yet
        {"07:30:00", "07:30:00", "07:30:01", false},  // passed before it was typed
        {"", "07:29:58", "07:30:03", false},          // no alarm time
        {"00:00:01", "23:59:58", "00:00:02", true},   // past midnight
        {"12:00:00", "03:00:00", "02:00:01", false},  // the clock set back an hour
        {"02:00:01", "03:00:00", "02:00:01", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.alarm) + " " + row.previous + " " + row.now);
        EXPECT_EQ(alarm_due(second(row.alarm), *second(row.previous), *second(row.now)), row.due);
    }
}

TEST(Alarm, SignalsEverySecondBlinkingRedThenBlueUntilCleared) {
    using enum Alarm::Colour;
    const struct {
        bool clear_first;
        const char* alarm;
        const char* now;
        const char* caption;
        std::optional<Alarm::Colour> colour;
    } steps[] = {
        {false, "07:30:00", "07:29:59", "定时时间", std::nullopt},
        {false, "07:30:00", "07:30:00", "定时时间到", kRed},
        {false, "", "07:30:01", "定时时间到", kBlue},  // editing does not stop it
        {false, "", "07:30:02", "定时时间到", kRed},
        {true, "", "07:30:03", "定时时间", std::nullopt},
        {false, "07:30:05", "07:30:05", "定时时间到", kBlue},  // cleared on red
        {false, "", "07:30:06", "定时时间到", kRed},
    };
    Alarm alarm;
    alarm.start(at("07:29:58"));
    for (const auto& step : steps) {
        SCOPED_TRACE(step.now);
        if (step.clear_first) {
            alarm.clear();
        }
        const Alarm::Signal signal = alarm.tick(second(step.alarm), at(step.now));
        EXPECT_EQ(signal.button_caption, QString::fromUtf8(step.caption));
        EXPECT_EQ(signal.beep, signal.button_caption == u"定时时间到"_s);
        EXPECT_EQ(signal.message_colour, step.colour);
    }
}

TEST(ClockHands, EndWhereTheTimeSaysFromTheCentre) {
    struct Case {
        QTime time;
        FacePoint hour, minute, second;
    };
    const Case cases[] = {
        {{3, 0, 0}, {1240, 940}, {940.001f, 540}, {940.001f, 400}},
        {{10, 30, 15}, {727.867f, 727.869f}, {940.001f, 1340}, {1480, 940}},
        {{15, 45, 30}, {1217.165f, 1054.803f}, {540, 940.001f}, {940.001f, 1480}},
        {{12, 0, 0}, {940, 640}, {940, 540}, {940, 400}},  // straight up
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(time_text(c.time).toStdString());
        const ClockHands hands = clock_hands(c.time);
        const std::pair<Hand, FacePoint> ends[] = {
            {hands.hour, c.hour}, {hands.minute, c.minute}, {hands.second, c.second}};
        for (const auto& [hand, end] : ends) {
            EXPECT_EQ(QPointF(hand.from.x, hand.from.y), QPointF(940, 940));
            EXPECT_NEAR(hand.to.x, end.x, 0.002f);
            EXPECT_NEAR(hand.to.y, end.y, 0.002f);
        }
    }
}

}  // namespace
