// Presses "输出" on the sensor window (offscreen) for a full 3470_10K table with the save dialog
// answered, and prints the time a run takes, with and without the repaint that follows; then
// prints the processor time the shown window uses over ten idle seconds.

#include "bench/bench_harness.h"
#include "shell/widgets/text_box.h"
#include "tests/support/offscreen_application.h"
#include "tests/support/scripted_form_host.h"
#include "tools/sensor/form/sensor_form.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>

namespace {

void run_tables(SensorForm& form, ScriptedFormHost& host) {
    QTemporaryDir dir;
    const QString save_path = dir.filePath(QStringLiteral("3470_10K.txt"));
    host.standing_answer = save_path;
    form.findChild<QComboBox*>(QStringLiteral("Combo2"))
        ->setCurrentText(QStringLiteral("3470_10K"));
    form.findChild<QComboBox*>(QStringLiteral("Combo4"))->setCurrentText(QStringLiteral("上拉"));
    form.findChild<TextBox*>(QStringLiteral("Text6"))->setText(QStringLiteral("10000"));
    auto* output = form.findChild<QPushButton*>(QStringLiteral("Command65"));
    const auto* box = form.findChild<TextBox*>(QStringLiteral("文本框1"));

    constexpr int kRuns = 200;
    bench::Samples handler_ms;
    bench::Samples painted_ms;
    for (int run = 0; run < kRuns + 10; ++run) {
        const bench::ClickAnswer answer = bench::answer_click(output);
        if (run >= 10) {  // the first runs warm up caches and fonts
            handler_ms.add(answer.handler_ms);
            painted_ms.add(answer.painted_ms);
        }
    }
    QFile file(save_path);
    const qint64 file_bytes = file.open(QIODevice::ReadOnly) ? file.size() : -1;

    std::printf("Sensor window, full 3470_10K table (101 lines and the note), offscreen\n");
    std::printf("%-34s %10s %10s\n", "", "median ms", "max ms");
    std::printf("%-34s %10.3f %10.3f\n", "press, run and save", handler_ms.median(),
                handler_ms.max());
    std::printf("%-34s %10.3f %10.3f\n", "press, run, save and repaint", painted_ms.median(),
                painted_ms.max());
    std::printf(
        "box %lld characters, file %lld bytes, saves %d of %d, messages %d (0 expected)\n\n",
        static_cast<long long>(box->text().size()), static_cast<long long>(file_bytes),
        int(host.dialogs.size()), kRuns + 10, int(host.messages.size()));
}

void run_idle(SensorForm& form) {
    QCoreApplication::processEvents();
    const bench::Load load = bench::idle_load(10000);
    std::printf("Sensor window shown and idle\n");
    std::printf("wall %.2f s, processor %.4f s: %.3f %% of one core (window %s)\n", load.wall_s,
                load.cpu_s, load.percent_of_core(), form.isVisible() ? "shown" : "HIDDEN");
}

}  // namespace

int main(int argc, char* argv[]) {
    OffscreenApplication app(argc, argv);
    ScriptedFormHost host;
    SensorForm form(host);
    form.load();
    form.show();
    run_tables(form, host);
    run_idle(form);
    return 0;
}
