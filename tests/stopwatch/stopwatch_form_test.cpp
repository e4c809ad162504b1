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
    QString count() { return text(u"时"_s) + u':' + text(u"分"_s) + u':' + text(u"秒"_s); }
};

// On the machine's clocks the clock and the stopwatch keep ticking, second after second.
TEST_F(StopwatchFormTest, TheClockAndTheStopwatchKeepTicking) {
    m_host.real_clocks = true;
    reopen();
    const int start = second_of_day(QTime::currentTime());
    press(u"启动/复位"_s);
    const auto ticked = [&] {
        const int now = parse_time_text(shown_time()).value_or(start);
        return count() == u"0:0:2"_s && (now - start + kSecondsPerDay) % kSecondsPerDay >= 2;
    };
    EXPECT_TRUE(QTest::qWaitFor(ticked, 3000))
        << shown_time().toStdString() << count().toStdString();
}

// On clocks the test sets: the hands, an alarm that a late tick does not miss and that rings
// until its button is pressed, and a stopwatch that holds and resets.
TEST_F(StopwatchFormTest, ShowsTheTimeRaisesTheAlarmAndCounts) {
    m_host.now = QTime(7, 29, 58, 998);  // each tick then comes a few milliseconds after the last
    reopen();
    EXPECT_EQ(shown_time(), u"07:29:58"_s);
    const ClockHands hands = clock_hands(m_host.now);
    for (const auto& [name, hand] :
         {std::pair(u"Line7"_s, hands.hour), std::pair(u"Line8"_s, hands.minute),
          std::pair(u"Line9"_s, hands.second)}) {
        EXPECT_EQ(control<LineShape>(m_form, name)->to(), QPointF(hand.to.x, hand.to.y));
    }

    type(box(u"定时时间"_s), u"07:30:00"_s);
    m_host.now = QTime(7, 30, 1, 998);  // late: no tick fell into 07:30:00
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_host.beeps >= 2; }));
    EXPECT_EQ(button(u"定时按键"_s)->text(), u"定时时间到"_s);
    QLabel* message = control<QLabel>(m_form, u"Label37"_s);
    EXPECT_EQ(message->text(), u"时间到！"_s);
    press(u"定时按键"_s);
    EXPECT_EQ(text(u"定时时间"_s) + message->text(), QString());
    EXPECT_TRUE(QTest::qWaitFor([&] { return button(u"定时按键"_s)->text() == u"定时时间"_s; }));

    m_host.steady = 1'000;
    press(u"启动/复位"_s);
    m_host.steady = 62'999;
    EXPECT_TRUE(QTest::qWaitFor([&] { return count() == u"0:1:1"_s; }));
    press(u"停止"_s);
    m_host.steady = 90'999;
    QTest::qWait(50);
    EXPECT_EQ(count(), u"0:1:1"_s);
    press(u"启动/复位"_s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return count() == u"0:0:0"_s; }));
}

}  // namespace
