#include "stopwatch_form.h"

#include "shell/host/form_host.h"
#include "shell/widgets/look.h"
#include "tools/stopwatch/core/clock_hands.h"
#include "tools/stopwatch/core/next_tick.h"
#include "tools/stopwatch/core/time_text.h"
#include "tools/stopwatch/form/clock_face.h"
#include "tools/stopwatch/form/digital_display.h"

namespace {

const QColor kBackground = rgb(192, 255, 255);
const QColor kBlue = rgb(0, 0, 255);

QTimer* add_tick(QObject* parent, const QString& name) {
    auto* timer = new QTimer(parent);
    timer->setObjectName(name);
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    return timer;
}

void set_hand(LineShape* line, const Hand& hand) {
    line->set_ends({hand.from.x, hand.from.y}, {hand.to.x, hand.to.y});
}

}  // namespace

StopwatchForm::StopwatchForm(FormHost& host)
    : Form(host, QStringLiteral("秒表"), QStringLiteral("秒表"), 3780, 5850, kBackground) {
    fix_size();

    QGroupBox* title = add_title_frame(this, "Frame1", "秒表", {1560, 0, 735, 375});
    set_background(title, kBackground);
    add_line(this, "Line6", 0, 480, 4320, 480);

    m_time_display = new DigitalDisplay(this);
    m_time_display->setObjectName(QStringLiteral("Digital1"));
    place(m_time_display, {960, 600, 975, 360});

    m_alarm_button = add_button(this, "定时按键", QString(), {600, 1080, 1215, 375});
    m_alarm_time = add_text_box(this, "定时时间", QString(), {2040, 1080, 1335, 375}, "定时时间");
    m_alarm_time->setFont(song_font(14.25));
    set_text_colour(m_alarm_time, kBlue);
    set_background(m_alarm_time, rgb(128, 255, 255));
    m_alarm_message = add_label(this, "Label37", QString(), {1200, 1560, 1215, 375});
    m_alarm_message->setFont(song_font(15));
    set_text_colour(m_alarm_message, kBlue);
    set_background(m_alarm_message, kBackground);

    m_start_reset_button = add_button(this, "Command1", "启动/复位", {240, 2160, 1215, 375});
    add_label(this, "Label14", "计时", {1680, 2280, 375, 255});
    m_stop_button = add_button(this, "Command2", "停止", {2280, 2160, 1215, 375});

    m_hours = add_text_box(this, "Text1", QString(), {600, 2760, 495, 375}, "时");
    QLabel* hours_unit = add_label(this, "Label2", "时", {1200, 2880, 255, 255});
    set_background(hours_unit, kBackground);
    m_minutes = add_text_box(this, "Text2", QString(), {1560, 2760, 495, 375}, "分");
    QLabel* minutes_unit = add_label(this, "Label3", "分", {2160, 2880, 255, 255});
    set_background(minutes_unit, kBackground);
    m_seconds = add_text_box(this, "Text3", QString(), {2520, 2760, 495, 375}, "秒");
    add_label(this, "Label1", "秒", {3120, 2880, 255, 255});

    // The hands are whole-pixel lines, which cross in the middle of the centre's pixel.
    const qreal centre = to_pixels(static_cast<int>(kFaceCentre.x)) + 0.5;
    m_clock_face = new ClockFace(this, QPointF(centre, centre));
    m_clock_face->setObjectName(QStringLiteral("Picture1"));
    place(m_clock_face, {840, 3360, 1979, 1935});
    QWidget* hands = m_clock_face->hands_layer();
    m_hour_hand = add_line(hands, "Line7", 940, 940, 940, 940);
    m_hour_hand->set_pen(4);
    m_minute_hand = add_line(hands, "Line8", 940, 940, 940, 940);
    m_minute_hand->set_pen(3);
    m_second_hand = add_line(hands, "Line9", 940, 940, 940, 940);
    m_second_hand->set_pen(2, rgb(255, 0, 0));

    m_stopwatch_timer = add_tick(this, "Timer1");
    m_clock_timer = add_tick(this, "Timer2");

    connect(m_alarm_button, &QPushButton::clicked, this, &StopwatchForm::on_alarm_button_clicked);
    connect(m_start_reset_button, &QPushButton::clicked, this,
            &StopwatchForm::on_start_reset_clicked);
    connect(m_stop_button, &QPushButton::clicked, this, &StopwatchForm::on_stop_clicked);
    connect(m_stopwatch_timer, &QTimer::timeout, this, &StopwatchForm::on_stopwatch_tick);
    connect(m_clock_timer, &QTimer::timeout, this, &StopwatchForm::on_clock_tick);
    connect(this, &Form::unloaded, this, [this] {
        m_stopwatch_timer->stop();
        m_clock_timer->stop();
    });
}

void StopwatchForm::on_load() {
    const QTime now = host().time_of_day();
    m_alarm.start(now);
    m_time_display->set_text(time_text(now));
    // The button has its caption, and so its name, before the first tick.
    m_alarm_button->setText(kAlarmCaption);
    draw_hands(now);
    arm_stopwatch_tick();
    arm_clock_tick();
}

void StopwatchForm::draw_hands(const QTime& now) {
    const ClockHands hands = clock_hands(now);
    set_hand(m_hour_hand, hands.hour);
    set_hand(m_minute_hand, hands.minute);
    set_hand(m_second_hand, hands.second);
}

void StopwatchForm::on_start_reset_clicked() {
    m_stopwatch.start_or_reset(host().steady_ms());
    if (m_stopwatch.run_state() == Stopwatch::kRunning) {
        arm_stopwatch_tick();  // the count's seconds start now
    }
}

void StopwatchForm::on_stop_clicked() {
    m_stopwatch.stop(host().steady_ms());
}

void StopwatchForm::on_stopwatch_tick() {
    const StopwatchCount count = m_stopwatch.count(host().steady_ms());
    m_hours->setText(QString::number(count.hours));
    m_minutes->setText(QString::number(count.minutes));
    m_seconds->setText(QString::number(count.seconds));
    arm_stopwatch_tick();
}

void StopwatchForm::arm_stopwatch_tick() {
    m_stopwatch_timer->start(static_cast<int>(m_stopwatch.ms_to_next_tick(host().steady_ms())));
}

void StopwatchForm::on_clock_tick() {
    const QTime now = host().time_of_day();
    m_time_display->set_text(time_text(now));
    draw_hands(now);
    const Alarm::Signal signal = m_alarm.tick(parse_time_text(m_alarm_time->text()), now);
    m_alarm_button->setText(signal.button_caption);
    if (signal.beep) {
        host().beep();
    }
    if (signal.message_colour) {
        m_alarm_message->setText(kTimeUpMessage);
        set_text_colour(m_alarm_message,
                        *signal.message_colour == Alarm::Colour::kRed ? rgb(255, 0, 0) : kBlue);
    }
    arm_clock_tick();
}

void StopwatchForm::arm_clock_tick() {
    m_clock_timer->start(static_cast<int>(ms_to_next_second(host().time_of_day().msec())));
}

void StopwatchForm::on_alarm_button_clicked() {
    m_alarm.clear();
    m_alarm_time->setText(QString());
    m_alarm_message->setText(QString());
}
