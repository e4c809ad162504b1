#include "tools/stopwatch/form/stopwatch_form.h"
#include "tests/support/form_test.h"
#include "tools/stopwatch/core/clock_hands.h"
#include "tools/stopwatch/core/time_text.h"

#include <QAccessible>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class StopwatchFormTest : public FormTest<StopwatchForm> {
protected:
    // What the digital display gives to screen readers.
    QString shown_time() {
        QWidget* display = find_control(m_form, u"Digital1"_s);
        return QAccessible::queryAccessibleInterface(display)->text(QAccessible::Name);
    }
    QStringList count() { return {text(u"时"_s), text(u"分"_s), text(u"秒"_s)}; }
    // Lets the window's own timers run until `shown` holds, for at most `ms` milliseconds.
    bool until(const std::function<bool()>& shown, int ms = 1500) {
        return QTest::qWaitFor(shown, ms);
    }
};

// On the machine's clocks the clock and the stopwatch keep ticking, second after second.
TEST_F(StopwatchFormTest, TheClockAndTheStopwatchKeepTicking) {
    m_host.real_clocks = true;
    reopen();
    const int start = second_of_day(QTime::currentTime());
    press(u"启动/复位"_s);
    EXPECT_TRUE(until(
        [&] {
            const int now = parse_time_text(shown_time()).value_or(start);
            return count() == QStringList({u"0"_s, u"0"_s, u"2"_s}) &&
                   (now - start + kSecondsPerDay) % kSecondsPerDay >= 2;
        },
        3000))
        << shown_time().toStdString() << " " << count().join(u':').toStdString();
}

// On clocks the test sets: the hands, an alarm that a late tick does not miss and that rings
// until its button is pressed, and a stopwatch that holds and resets.
TEST_F(StopwatchFormTest, ShowsTheTimeRaisesTheAlarmAndCounts) {
    m_host.now = QTime(7, 29, 58, 998);  // each tick then comes a few milliseconds after the last
    reopen();
    EXPECT_EQ(shown_time(), u"07:29:58"_s);
    const ClockHands hands = clock_hands(m_host.now);
    const std::pair<const char16_t*, Hand> lines[] = {
        {u"Line7", hands.hour}, {u"Line8", hands.minute}, {u"Line9", hands.second}};
    for (const auto& [name, hand] : lines) {
        EXPECT_EQ(control<LineShape>(m_form, QString::fromUtf16(name))->to(),
                  QPointF(hand.to.x, hand.to.y));
    }

    type(box(u"定时时间"_s), u"07:30:00"_s);
    EXPECT_TRUE(until([&] { return button(u"定时按键"_s)->text() == u"定时时间"_s; }));
    m_host.now = QTime(7, 30, 1, 998);  // late: no tick fell into 07:30:00
    EXPECT_TRUE(until([&] { return m_host.beeps >= 2; }));
    EXPECT_EQ(button(u"定时按键"_s)->text(), u"定时时间到"_s);
    EXPECT_EQ(control<QLabel>(m_form, u"Label37"_s)->text(), u"时间到！"_s);
    press(u"定时按键"_s);
    EXPECT_EQ(text(u"定时时间"_s), QString());
    EXPECT_EQ(control<QLabel>(m_form, u"Label37"_s)->text(), QString());
    EXPECT_TRUE(until([&] { return button(u"定时按键"_s)->text() == u"定时时间"_s; }));

    m_host.steady = 1'000;
    press(u"启动/复位"_s);
    m_host.steady = 62'999;
    EXPECT_TRUE(until([&] { return count() == QStringList({u"0"_s, u"1"_s, u"1"_s}); }));
    m_host.steady = 63'999;
    EXPECT_TRUE(until([&] { return count() == QStringList({u"0"_s, u"1"_s, u"2"_s}); }));
    press(u"停止"_s);
    m_host.steady = 90'999;
    QTest::qWait(50);
    EXPECT_EQ(count(), QStringList({u"0"_s, u"1"_s, u"2"_s}));
    press(u"启动/复位"_s);
    EXPECT_TRUE(until([&] { return count() == QStringList({u"0"_s, u"0"_s, u"0"_s}); }));
}

}  // namespace
