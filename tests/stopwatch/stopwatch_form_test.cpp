#include "tools/stopwatch/form/stopwatch_form.h"
#include "tests/support/form_test.h"
#include "tools/stopwatch/core/clock_hands.h"

#include <QAccessible>

using namespace Qt::StringLiterals;

namespace {

class StopwatchFormTest : public FormTest<StopwatchForm> {
protected:
    QString text(const QString& name) { return control<TextBox>(m_form, name)->text(); }
    QString caption(const QString& name) { return control<QPushButton>(m_form, name)->text(); }
    QLabel* message() { return control<QLabel>(m_form, u"Label37"_s); }
    // What the digital display gives to screen readers.
    QAccessibleInterface* display() {
        return QAccessible::queryAccessibleInterface(control<QWidget>(m_form, u"Digital1"_s));
    }
    QString shown_time() { return display()->text(QAccessible::Name); }
    std::array<QString, 3> count() {
        return {text(u"Text1"_s), text(u"Text2"_s), text(u"Text3"_s)};
    }
};

using Count = std::array<QString, 3>;

TEST_F(StopwatchFormTest, ClockTicksShowTheTimeMoveTheHandsAndRaiseTheAlarm) {
    EXPECT_EQ(display()->role(), QAccessible::StaticText);
    EXPECT_EQ(shown_time(), u"00:00:00"_s);
    EXPECT_EQ(caption(u"定时按键"_s), QString());
    type(control<TextBox>(m_form, u"定时时间"_s), u"07:30:00"_s);

    m_host.now = QTime(7, 29, 58, 2);
    m_form->on_clock_tick();
    EXPECT_EQ(shown_time(), u"07:29:58"_s);
    EXPECT_EQ(caption(u"定时按键"_s), u"定时时间"_s);
    const QPointF second_end = control<LineShape>(m_form, u"Line9"_s)->to();
    const FacePoint expected = clock_hands(m_host.now).second.to;
    EXPECT_EQ(second_end, QPointF(expected.x, expected.y));

    m_host.now = QTime(7, 30, 1, 40);  // late: no tick fell into 07:30:00
    m_form->on_clock_tick();
    EXPECT_EQ(caption(u"定时按键"_s), u"定时时间到"_s);
    EXPECT_EQ(m_host.beeps, 1);
    EXPECT_EQ(message()->text(), u"时间到！"_s);
    EXPECT_EQ(message()->palette().color(QPalette::WindowText), QColor(255, 0, 0));

    click(control<QPushButton>(m_form, u"定时按键"_s));
    EXPECT_EQ(text(u"定时时间"_s), QString());
    EXPECT_EQ(message()->text(), QString());
    m_host.now = QTime(7, 30, 2, 3);
    m_form->on_clock_tick();
    EXPECT_EQ(caption(u"定时按键"_s), u"定时时间"_s);
    EXPECT_EQ(m_host.beeps, 1);
}

TEST_F(StopwatchFormTest, ButtonsAndTicksDriveTheCount) {
    EXPECT_EQ(count(), (Count{}));
    m_form->on_stopwatch_tick();
    EXPECT_EQ(count(), (Count{u"0"_s, u"0"_s, u"0"_s}));

    m_host.steady = 1'000;
    click(control<QPushButton>(m_form, u"Command1"_s));
    m_host.steady = 62'002;
    m_form->on_stopwatch_tick();
    EXPECT_EQ(count(), (Count{u"0"_s, u"1"_s, u"1"_s}));

    click(control<QPushButton>(m_form, u"Command2"_s));
    m_host.steady = 90'000;
    m_form->on_stopwatch_tick();
    EXPECT_EQ(count(), (Count{u"0"_s, u"1"_s, u"1"_s}));

    click(control<QPushButton>(m_form, u"Command1"_s));
    m_form->on_stopwatch_tick();
    EXPECT_EQ(count(), (Count{u"0"_s, u"0"_s, u"0"_s}));
}

}  // namespace
