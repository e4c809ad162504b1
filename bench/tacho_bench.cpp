// Feeds frames through the tachometer window (offscreen, fake serial port) and prints the
// frame rate, the cost of a frame as the byte log grows, the memory a logged byte takes, and
// the processor time used while half a frame waits on a real (pseudo-terminal) serial line.

#include "bench/process_figures.h"
#include "shell/qt_host/qt_serial_device.h"
#include "shell/widgets/plot_box.h"
#include "shell/widgets/plot_view.h"
#include "tests/support/fake_serial_device.h"
#include "tests/support/offscreen_application.h"
#include "tests/support/paint_counter.h"
#include "tests/support/pseudo_terminal.h"
#include "tests/support/scripted_form_host.h"
#include "tools/tacho/form/byte_log_view.h"
#include "tools/tacho/form/tacho_form.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>

namespace {

// Frames whose speed wanders between 1041 and 1250 r/min, so the bar moves.
QByteArray frames(int count, int& next) {
    QByteArray bytes;
    bytes.reserve(count * 5);
    for (int i = 0; i < count; ++i, ++next) {
        const int t = 10000 + (next % 2000);
        bytes.append(char(0x55))
            .append(char(0xAA))
            .append(char(t >> 8))
            .append(char(t & 0xFF))
            .append(char(0xFF));
    }
    return bytes;
}

// A tachometer window receiving from a fake port, its limits 1000 to 2000 r/min.
struct ReceivingTacho {
    ScriptedFormHost host;
    FakeSerialDevice* device = nullptr;
    std::unique_ptr<TachoForm> form;

    ReceivingTacho() {
        host.make_serial_device = [this](const QString&) {
            auto port = std::make_unique<FakeSerialDevice>();
            device = port.get();
            return port;
        };
        form = std::make_unique<TachoForm>(host);
        form->load();
        form->show();
        form->findChild<TextBox*>(QStringLiteral("Text2"))->setText(QStringLiteral("2000"));
        form->findChild<TextBox*>(QStringLiteral("Text3"))->setText(QStringLiteral("1000"));
        form->findChild<QPushButton*>(QStringLiteral("Command66"))->click();
    }
};

void run_frames() {
    ReceivingTacho tacho;
    ScriptedFormHost& host = tacho.host;
    FakeSerialDevice*& device = tacho.device;
    TachoForm& form = *tacho.form;
    const auto* log = form.findChild<ByteLogView*>(QStringLiteral("Text1"));

    int next = 0;
    const auto feed = [&](int count) {
        device->feed(frames(count, next));  // the window takes them as they arrive
        QCoreApplication::processEvents();  // and paints once
    };
    // Seconds per frame with the log at its present length: the median of five batches.
    const auto cost = [&](int batch) {
        std::vector<double> costs;
        for (int i = 0; i < 5; ++i) {
            QElapsedTimer timer;
            timer.start();
            feed(batch);
            costs.push_back(timer.nsecsElapsed() / 1e9 / batch);
        }
        std::sort(costs.begin(), costs.end());
        return costs[2];
    };

    std::printf("Tachometer window, fake serial port, offscreen\n");
    std::printf("%-26s %14s %14s\n", "logged frames", "us per frame", "frames per s");
    feed(1000);
    const long resident_at_start = resident_bytes();
    const std::size_t logged_at_start = log->log().size();
    double first_cost = 0;
    for (const int target : {1000, 100000, 1000000}) {
        while (static_cast<int>(log->log().size() / 5) < target) {
            feed(std::min(20000, target - static_cast<int>(log->log().size() / 5)));
        }
        const double seconds = cost(5000);
        if (target == 1000) {
            first_cost = seconds;
        }
        std::printf("%-26d %14.2f %14.0f\n", target, seconds * 1e6, 1 / seconds);
        if (target == 1000000) {
            std::printf("cost at 1M / cost at 1k: %.2f\n", seconds / first_cost);
        }
    }
    const double added = resident_bytes() - resident_at_start;
    const double bytes_logged = double(log->log().size() - logged_at_start);
    std::printf("memory per logged byte: %.2f bytes (resident set), %.2f bytes (log store)\n",
                added / bytes_logged, double(log->log().capacity_bytes()) / log->log().size());
    std::printf("messages shown: %zu (1 expected: the start)\n\n", host.messages.size());
}

// A run of 100,000 frames through a fresh window, with or without the 曲线 window open: the
// median processor time per frame over its batches, and, with the plot, how often it painted.
struct FrameRun {
    double cpu_per_frame_s = 0;
    double wall_s = 0;
    double cpu_s = 0;
    int pictures = 0;
    double picture_cpu_ms = 0;  // a full repaint of the plot at the end
};

FrameRun frame_cost(bool with_plot) {
    ReceivingTacho tacho;
    ScriptedFormHost& host = tacho.host;
    FakeSerialDevice*& device = tacho.device;
    TachoForm& form = *tacho.form;
    PaintCounter counter;
    if (with_plot) {
        form.findChild<QPushButton*>(QStringLiteral("curve_button"))->click();
        form.plot_window()->plot_box()->plot()->installEventFilter(&counter);
    }
    int next = 0;
    std::vector<double> costs;
    QElapsedTimer wall;
    wall.start();
    const double cpu_at_start = cpu_seconds();
    for (int batch = 0; batch < 20; ++batch) {
        const double cpu_before = cpu_seconds();
        for (int i = 0; i < 10; ++i) {
            host.steady += 5;
            device->feed(frames(500, next));
            QCoreApplication::processEvents();  // the plot repaints on its own timer
        }
        costs.push_back((cpu_seconds() - cpu_before) / 5000);
    }
    FrameRun run;
    run.wall_s = wall.nsecsElapsed() / 1e9;
    run.cpu_s = cpu_seconds() - cpu_at_start;
    run.pictures = counter.pictures;
    std::sort(costs.begin(), costs.end());
    run.cpu_per_frame_s = costs[costs.size() / 2];
    if (with_plot) {
        PlotView* plot = form.plot_window()->plot_box()->plot();
        std::vector<double> pictures;
        for (int i = 0; i < 5; ++i) {
            const double cpu_before = cpu_seconds();
            plot->repaint();
            pictures.push_back((cpu_seconds() - cpu_before) * 1e3);
        }
        std::sort(pictures.begin(), pictures.end());
        run.picture_cpu_ms = pictures[2];
    }
    return run;
}

void run_plot_cost() {
    std::vector<FrameRun> without;
    std::vector<FrameRun> with;
    for (int round = 0; round < 3; ++round) {
        without.push_back(frame_cost(false));
        with.push_back(frame_cost(true));
    }
    const auto by_cost = [](const FrameRun& a, const FrameRun& b) {
        return a.cpu_per_frame_s < b.cpu_per_frame_s;
    };
    std::sort(without.begin(), without.end(), by_cost);
    std::sort(with.begin(), with.end(), by_cost);
    std::printf(
        "Processor time per frame, 100,000 frames a window: without the 曲线 window "
        "%.2f us, with it %.2f us: %+.1f %% (target < 10 %%)\n",
        without[1].cpu_per_frame_s * 1e6, with[1].cpu_per_frame_s * 1e6,
        100 * (with[1].cpu_per_frame_s / without[1].cpu_per_frame_s - 1));
    // How much of a core the bench got tells how busy the machine was: the plot refreshes by
    // the wall, the frames come by the processor.
    for (const FrameRun& run : with) {
        std::printf(
            "  with the plot: %.1f s wall, %.1f s processor (%.0f %% of a core), %d pictures "
            "(%.1f a second), a picture %.2f ms processor: %.1f %% of the processor time\n",
            run.wall_s, run.cpu_s, 100 * run.cpu_s / run.wall_s, run.pictures,
            run.pictures / run.wall_s, run.picture_cpu_ms,
            100 * run.pictures * run.picture_cpu_ms / 1e3 / run.cpu_s);
    }
    std::printf("\n");
}

void run_half_frame_wait() {
    const std::optional<PseudoTerminal> pair = open_pseudo_terminal();
    if (!pair) {
        std::printf("no pseudo-terminal: half-frame wait not measured\n");
        return;
    }
    const int master = pair->master;
    ScriptedFormHost host;
    const QString device = pair->device;
    host.make_serial_device = [&](const QString&) {
        return std::make_unique<QtSerialDevice>(device);
    };
    TachoForm form(host);
    form.load();
    form.show();
    form.findChild<QPushButton*>(QStringLiteral("Command66"))->click();
    const auto* speed = form.findChild<TextBox*>(QStringLiteral("文本框7"));

    const auto send = [master](const char* hex) {
        const QByteArray bytes = QByteArray::fromHex(hex);
        if (::write(master, bytes.constData(), bytes.size()) != bytes.size()) {
            std::perror("write");
        }
    };
    QTimer::singleShot(5000, [&] { send("2710FF"); });
    QElapsedTimer wall;
    wall.start();
    const double cpu_before = cpu_seconds();
    send("55AA");
    while (speed->text() != QStringLiteral("1250\r\n") && wall.elapsed() < 15000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    const double cpu = cpu_seconds() - cpu_before;
    const double seconds = wall.nsecsElapsed() / 1e9;
    std::printf("Half a frame waiting on a pseudo-terminal serial line\n");
    std::printf("wall %.2f s, processor %.4f s: %.3f %% of one core; frame %s\n", seconds, cpu,
                100 * cpu / seconds,
                speed->text() == QStringLiteral("1250\r\n") ? "completed" : "LOST");
    ::close(master);
}

}  // namespace

int main(int argc, char* argv[]) {
    OffscreenApplication app(argc, argv);
    // One part may be named to run it alone: frames, plot or wait.
    const QString only = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (only.isEmpty() || only == QStringLiteral("frames")) {
        run_frames();
    }
    if (only.isEmpty() || only == QStringLiteral("plot")) {
        run_plot_cost();
    }
    if (only.isEmpty() || only == QStringLiteral("wait")) {
        run_half_frame_wait();
    }
    return 0;
}
