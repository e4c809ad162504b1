// The 波形 panel under a board that prints 8 named readings 1,000 times a second for 10 minutes
// (600,000 lines, 4.8 million samples). The lines go straight into the panel's add_bytes in
// pieces of 20 lines cut at varying places, faster than real time, the host's clock advancing
// 1 ms a line; the panel is shown (offscreen) and repaints on its own timer as it would on
// screen. Printed: lines and samples kept against those sent, the longest answer to a click
// (an event posted before a piece of input and answered after it), the time of a full repaint
// at the end, and resident memory.

#include "bench/bench_harness.h"
#include "bench/process_figures.h"
#include "shell/widgets/plot_box.h"
#include "shell/widgets/plot_view.h"
#include "tests/support/offscreen_application.h"
#include "tests/support/scripted_form_host.h"
#include "tools/serial/form/plot_panel.h"

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kChannels = 8;
constexpr int kLinesPerSecond = 1000;
constexpr int kLinesPerPiece = 20;

QByteArray line(int n) {
    QByteArray text;
    for (int c = 0; c < kChannels; ++c) {
        if (c > 0) {
            text += ' ';
        }
        const double value = 1000 * std::sin(n / (200.0 + 37 * c)) + c * 100 + (n % 7);
        text += "ch" + QByteArray::number(c) + '=' + QByteArray::number(value, 'f', 2);
    }
    return text + "\r\n";
}

}  // namespace

int main(int argc, char* argv[]) {
    OffscreenApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    // The minutes to play: 10 by default, fewer for a quick look.
    const int kSeconds = 60 * (argc > 1 ? std::max(1, std::atoi(argv[1])) : 10);
    ScriptedFormHost host;
    PlotPanel panel(host);
    panel.resize(1280, 720);
    panel.show();
    PlotView* plot = panel.plot_box()->plot();
    QCoreApplication::processEvents();

    std::printf("波形 panel: %d channels, %d lines/s for %d s, fed faster than real time\n",
                kChannels, kLinesPerSecond, kSeconds);
    std::printf("%8s %10s %12s %14s %18s %10s\n", "minute", "lines", "samples", "max click ms",
                "repaint ms wall/cpu", "RSS MB");
    const long resident_at_start = resident_bytes();
    QElapsedTimer wall;
    wall.start();
    qint64 sent_lines = 0;
    double worst_click_ms = 0;
    double minute_worst_ms = 0;
    QByteArray carried;  // the cut-off end of the last piece
    for (int second = 0; second < kSeconds; ++second) {
        for (int piece = 0; piece < kLinesPerSecond / kLinesPerPiece; ++piece) {
            QByteArray bytes = std::exchange(carried, {});
            for (int i = 0; i < kLinesPerPiece; ++i) {
                bytes += line(int(sent_lines++));
            }
            // Pieces end anywhere, as reads from a port do.
            const qsizetype cut = bytes.size() - (sent_lines * 7919) % 40;
            carried = bytes.mid(cut);
            bytes.truncate(cut);

            QElapsedTimer click;
            click.start();
            double answered_ms = -1;
            QTimer::singleShot(0, &panel, [&] { answered_ms = click.nsecsElapsed() / 1e6; });
            host.steady = sent_lines;  // 1 ms a line
            panel.add_bytes(bytes);
            QCoreApplication::processEvents();
            minute_worst_ms = std::max(minute_worst_ms, answered_ms);
        }
        if ((second + 1) % 60 == 0) {
            qint64 samples = 0;
            for (const auto& channel : panel.store().channels()) {
                samples += channel->size();
            }
            const bench::RepaintCost repaint = bench::repaint_cost(plot, 5);
            std::printf("%8d %10lld %12lld %14.2f %9.2f /%7.2f %10.1f\n", (second + 1) / 60,
                        static_cast<long long>(panel.store().record_count()),
                        static_cast<long long>(samples), minute_worst_ms, repaint.wall_ms,
                        repaint.cpu_ms, resident_bytes() / 1048576.0);
            worst_click_ms = std::max(worst_click_ms, minute_worst_ms);
            minute_worst_ms = 0;
        }
    }
    panel.add_bytes(carried);
    qint64 kept = 0;
    qint64 dropped = 0;
    for (const auto& channel : panel.store().channels()) {
        kept += channel->size();
        dropped += channel->dropped();
    }
    std::printf("lines sent %lld, records kept %lld (%s); samples %lld kept, %lld dropped\n",
                static_cast<long long>(sent_lines),
                static_cast<long long>(panel.store().record_count()),
                panel.store().record_count() == sent_lines ? "none lost" : "LINES LOST",
                static_cast<long long>(kept), static_cast<long long>(dropped));
    std::printf("longest click answer %.2f ms (target < 100)\n", worst_click_ms);
    const bench::RepaintCost repaint = bench::repaint_cost(plot, 21);
    std::printf(
        "full repaint at the end %.2f ms wall, %.2f ms processor (target < 16), "
        "1280 x 720 window\n",
        repaint.wall_ms, repaint.cpu_ms);
    std::printf("resident memory %.1f MB (target < 300), %.1f MB of it added by the samples\n",
                resident_bytes() / 1048576.0, (resident_bytes() - resident_at_start) / 1048576.0);
    std::printf("fed in %.1f s of wall time (%.1fx real time)\n", wall.nsecsElapsed() / 1e9,
                kSeconds / (wall.nsecsElapsed() / 1e9));
    return 0;
}
