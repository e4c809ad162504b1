// Runs the stopwatch window on the real clocks (offscreen) with the stopwatch going and prints
// the processor time it takes while it waits, and how long after each new second of the system
// clock the digital display paints it: median and maximum.

#include "bench/bench_harness.h"
#include "shell/widgets/text_box.h"
#include "tests/support/offscreen_application.h"
#include "tests/support/scripted_form_host.h"
#include "tools/stopwatch/core/time_text.h"
#include "tools/stopwatch/form/digital_display.h"
#include "tools/stopwatch/form/stopwatch_form.h"

#include <QPushButton>

#include <cstdio>
#include <vector>

namespace {

// Notes, as the display paints a new text, how long ago the second it shows began.
class LagProbe : public QObject {
public:
    explicit LagProbe(DigitalDisplay* display) : m_display(display) {
        display->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && m_display->text() != m_painted) {
            m_painted = m_display->text();
            const int now_ms = QTime::currentTime().msecsSinceStartOfDay();
            const int second_ms = parse_time_text(m_painted).value_or(0) * 1000;
            const int day_ms = kSecondsPerDay * 1000;
            lags.push_back((now_ms - second_ms + day_ms) % day_ms);
        }
        return false;
    }

    std::vector<int> lags;  // in milliseconds

private:
    DigitalDisplay* m_display;
    QString m_painted;
};

}  // namespace

int main(int argc, char* argv[]) {
    OffscreenApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 30;

    ScriptedFormHost host;
    host.real_clocks = true;
    StopwatchForm form(host);
    form.load();
    form.show();
    LagProbe probe(form.findChild<DigitalDisplay*>(QStringLiteral("Digital1")));
    QCoreApplication::processEvents();  // the first paint, of the time at load
    probe.lags.clear();
    form.findChild<QPushButton*>(QStringLiteral("Command1"))->click();

    const bench::Load load = bench::idle_load(seconds * 1000 + 100);

    const auto box = [&](const char* name) {
        return form.findChild<TextBox*>(QString::fromLatin1(name))->text();
    };
    std::printf("Stopwatch window, real clocks, offscreen, stopwatch running, %d s\n", seconds);
    std::printf("processor: %.4f s in %.2f s: %.3f %% of one core\n", load.cpu_s, load.wall_s,
                load.percent_of_core());
    bench::Samples lags;
    for (const int lag : probe.lags) {
        lags.add(lag);
    }
    if (lags.empty()) {
        std::printf("display: no new second painted\n");
        return 1;
    }
    std::printf(
        "display lag after a new second: median %.0f ms, maximum %.0f ms, over %zu "
        "seconds\n",
        lags.median(), lags.max(), lags.size());
    std::printf("stopwatch shows %s:%s:%s after %.3f s\n", qPrintable(box("Text1")),
                qPrintable(box("Text2")), qPrintable(box("Text3")), load.wall_s);
    return 0;
}
