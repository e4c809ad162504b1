// Drives the serial terminal window (offscreen) and prints its figures, each scenario in a
// process of its own so that its memory is its own:
// - the processor time of an open, silent port;
// - 1 MB/s for 10 s through a pseudo-terminal in small writes, as a board and a USB adapter give
//   them, in hex view with timestamps while recording: bytes lost, the longest a click waited,
//   the memory;
// - 100 MB in reads of 300 bytes from the fake device (1 MB/s in real time would take 100 s a
//   run): the view's cost per MB at the first, second and hundredth MB, the memory, and how long
//   a screen reader's query of the full log takes; the same for a board printing "0\n".

#include "bench/bench_harness.h"
#include "bench/process_figures.h"
#include "shell/qt_host/qt_serial_device.h"
#include "shell/widgets/line_source.h"
#include "shell/widgets/line_view.h"
#include "tests/support/fake_serial_device.h"
#include "tests/support/offscreen_application.h"
#include "tests/support/pseudo_terminal.h"
#include "tests/support/scripted_form_host.h"
#include "tools/serial/form/serial_form.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>

namespace {

constexpr qint64 kMB = 1000 * 1000;

// Runs the event loop for `ms`, or until `done`, and gives the longest a 5 ms timer was kept
// waiting beyond its time: how long a click would have waited.
qint64 run_loop(qint64 ms, const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 worst = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        worst = std::max(worst, now - last - 5);
        last = now;
    });
    probe.start(5);
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, [&] {
        if (clock.elapsed() >= ms || done()) {
            loop.quit();
        }
    });
    check.start(20);
    loop.exec();
    return worst;
}

SerialForm* window(ScriptedFormHost& host, bool hex) {
    auto* form = new SerialForm(host);
    form->load();
    form->resize(900, 600);
    form->show();
    bench::named<QCheckBox>(form, QStringLiteral("十六进制显示"))->setChecked(hex);
    bench::named<QCheckBox>(form, QStringLiteral("显示时间"))->setChecked(true);
    return form;
}

void run_pty(const QString& directory) {
    ScriptedFormHost host;
    const std::optional<PseudoTerminal> pair = open_pseudo_terminal();
    if (!pair) {
        std::perror("openpty");
        std::exit(1);
    }
    const int master = pair->master;
    host.make_serial_device = [](const QString& path) {
        return std::make_unique<QtSerialDevice>(path);
    };
    host.real_clocks = true;
    SerialForm* form = window(host, true);
    bench::named<QComboBox>(form, QStringLiteral("port"))->setEditText(pair->device);
    bench::named<QPushButton>(form, QStringLiteral("打开串口"))->click();
    const QString record = directory + QStringLiteral("/record.bin");
    host.answer_dialog(record);
    bench::named<QCheckBox>(form, QStringLiteral("记录到文件"))->setChecked(true);

    const double cpu_before = cpu_seconds();
    QEventLoop idle;
    QTimer::singleShot(10000, &idle, &QEventLoop::quit);
    idle.exec();
    std::printf("open silent port: %.3f %% of a core\n", (cpu_seconds() - cpu_before) / 10 * 100);

    // 1 MB/s in writes of 256 bytes, kept to the clock, as a board streams.
    QByteArray sent(10 * kMB, Qt::Uninitialized);
    QRandomGenerator(18).fillRange(reinterpret_cast<quint32*>(sent.data()), sent.size() / 4);
    std::atomic<bool> writing{true};
    std::thread board([&] {
        const auto start = std::chrono::steady_clock::now();
        constexpr qint64 kStep = 256;
        for (qint64 at = 0; at < sent.size();) {
            const auto due = std::chrono::steady_clock::now() - start;
            const qint64 owed =
                std::chrono::duration_cast<std::chrono::microseconds>(due).count();  // 1 B/µs
            if (at >= owed) {
                std::this_thread::sleep_for(std::chrono::microseconds(100));
                continue;
            }
            const qint64 count = std::min(kStep, sent.size() - at);
            const ssize_t n = ::write(master, sent.constData() + at, count);
            if (n <= 0) {
                std::perror("write");
                break;
            }
            at += n;
        }
        writing = false;
    });
    QLabel* received = bench::named<QLabel>(form, QStringLiteral("received_count"));
    const QString all = QStringLiteral("收 %1 字节").arg(sent.size());
    QElapsedTimer clock;
    clock.start();
    const qint64 worst = run_loop(30000, [&] { return !writing && received->text() == all; });
    const qint64 took = clock.elapsed();
    board.join();
    const long memory = resident_bytes();
    bench::named<QPushButton>(form, QStringLiteral("关闭串口"))->click();
    QFile file(record);
    const QByteArray recorded = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    qint64 differ = std::abs(recorded.size() - sent.size());
    for (qsizetype i = 0; i < std::min(recorded.size(), sent.size()); ++i) {
        differ += recorded[i] != sent[i];
    }
    std::printf(
        "1 MB/s for 10 s in writes of 256 bytes, hex with times, recording: %lld ms, %s, "
        "%lld bytes lost or wrong, longest wait %lld ms, %.1f MB resident\n",
        took, qPrintable(received->text()), differ, worst, memory / 1e6);
    delete form;
    ::close(master);
}

// 100 MB in reads of `read` bytes, as fast as the window takes them.
void run_growth(const char* name, const QByteArray& read, bool hex) {
    ScriptedFormHost host;
    FakeSerialDevice* device = nullptr;
    host.make_serial_device = [&](const QString&) {
        auto fake = std::make_unique<FakeSerialDevice>();
        device = fake.get();
        return fake;
    };
    SerialForm* form = window(host, hex);
    bench::named<QComboBox>(form, QStringLiteral("port"))->setEditText(QStringLiteral("fake"));
    bench::named<QPushButton>(form, QStringLiteral("打开串口"))->click();
    auto* view = bench::named<LineView>(form, QStringLiteral("接收区"));
    double first = 0;
    qint64 fed = 0;
    for (int mb = 1; mb <= 100; ++mb) {
        QElapsedTimer clock;
        clock.start();
        for (; fed < mb * kMB; fed += read.size()) {
            // 1 MB/s: a read of 300 bytes every 0.3 ms, on the clock the window reads.
            host.now = QTime(10, 0).addMSecs(static_cast<int>(fed / 1000));
            device->feed(read);
            if (fed % (64 * 1024) < read.size()) {
                view->viewport()->repaint();  // a frame every 64 kB, as a screen would take
            }
        }
        const double ms = clock.nsecsElapsed() / 1e6;
        if (mb == 1) {
            first = ms;
        }
        if (mb == 1 || mb == 2 || mb == 100) {
            std::printf("%s: view cost at MB %d: %.1f ms per MB (%.2f x the first)\n", name, mb, ms,
                        ms / first);
        }
    }
    std::printf("%s: memory after 100 MB: %.1f MB resident\n", name, resident_bytes() / 1e6);
    view->refresh();
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(view)->textInterface();
    QElapsedTimer clock;
    clock.start();
    const int size = text->characterCount();
    const QString middle = text->text(size / 2, size / 2 + 2000);
    const QString end = text->text(size - 2000, size);
    std::printf(
        "%s: a screen reader's query of the full log (%d characters, two pieces of 2000): "
        "%.2f ms\n",
        name, size, clock.nsecsElapsed() / 1e6);
    if (middle.isEmpty() || end.isEmpty()) {
        std::printf("%s: the query gave nothing\n", name);
    }
    delete form;
}

// Runs `scenario` in a child process with an application of its own.
void in_child(int argc, char* argv[], const std::function<void()>& scenario) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        OffscreenApplication app(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
        scenario();
        std::fflush(stdout);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
}

}  // namespace

int main(int argc, char* argv[]) {
    QTemporaryDir directory;
    in_child(argc, argv, [&] { run_pty(directory.path()); });
    QByteArray random(300, Qt::Uninitialized);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(random.data()), random.size() / 4);
    in_child(argc, argv, [&] { run_growth("hex with times, reads of 300 bytes", random, true); });
    QByteArray zeros;
    for (int i = 0; i < 150; ++i) {
        zeros += "0\n";
    }
    in_child(argc, argv, [&] {
        run_growth("text \"0\\n\" lines with times, reads of 300 bytes", zeros, false);
    });
    return 0;
}
