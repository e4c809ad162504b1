// Drives the serial terminal window (offscreen) in hex view with timestamps and prints: the
// processor time of an open, silent port; 1 MB/s for 10 s through a pseudo-terminal pair into
// the window while it records, with the bytes lost and the longest the event loop was kept
// waiting; the view's cost per MB at the first and the hundredth MB; the memory after 100 MB.

#include "bench/process_figures.h"
#include "shell/qt_host/qt_serial_device.h"
#include "tests/support/fake_serial_device.h"
#include "tests/support/offscreen_application.h"
#include "tests/support/pseudo_terminal.h"
#include "tests/support/scripted_form_host.h"
#include "tools/serial/form/serial_form.h"

#include <QAbstractScrollArea>
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

#include <pty.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>

namespace {

constexpr qint64 kMB = 1000 * 1000;

template <typename Control>
Control* named(QWidget* form, const QString& name) {
    for (Control* control : form->findChildren<Control*>()) {
        if (control->accessibleName() == name || control->objectName() == name) {
            return control;
        }
    }
    std::fprintf(stderr, "no control %s\n", qPrintable(name));
    std::exit(1);
}

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

SerialForm* hex_window(ScriptedFormHost& host) {
    auto* form = new SerialForm(host);
    form->load();
    form->resize(900, 600);
    form->show();
    named<QCheckBox>(form, QStringLiteral("十六进制显示"))->setChecked(true);
    named<QCheckBox>(form, QStringLiteral("显示时间"))->setChecked(true);
    return form;
}

void run_pty(ScriptedFormHost& host, const QString& directory) {
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
    SerialForm* form = hex_window(host);
    named<QComboBox>(form, QStringLiteral("port"))->setEditText(pair->device);
    named<QPushButton>(form, QStringLiteral("打开串口"))->click();
    const QString record = directory + QStringLiteral("/record.bin");
    host.answer_dialog(record);
    named<QCheckBox>(form, QStringLiteral("记录到文件"))->setChecked(true);

    const double cpu_before = cpu_seconds();
    QEventLoop idle;
    QTimer::singleShot(5000, &idle, &QEventLoop::quit);
    idle.exec();
    std::printf("open silent port: %.3f %% of a core\n", (cpu_seconds() - cpu_before) / 5 * 100);

    // 1 MB/s: 10 kB every 10 ms, kept to the clock.
    QByteArray sent(10 * kMB, Qt::Uninitialized);
    QRandomGenerator(18).fillRange(reinterpret_cast<quint32*>(sent.data()), sent.size() / 4);
    std::atomic<bool> writing{true};
    std::thread board([&] {
        const auto start = std::chrono::steady_clock::now();
        constexpr qint64 kStep = 10000;
        for (qint64 at = 0; at < sent.size(); at += kStep) {
            std::this_thread::sleep_until(start + std::chrono::milliseconds(at / 1000));
            for (qint64 done = 0; done < kStep;) {
                const ssize_t n = ::write(master, sent.constData() + at + done, kStep - done);
                if (n <= 0) {
                    std::perror("write");
                    writing = false;
                    return;
                }
                done += n;
            }
        }
        writing = false;
    });
    QLabel* received = named<QLabel>(form, QStringLiteral("received_count"));
    const QString all = QStringLiteral("收 %1 字节").arg(sent.size());
    QElapsedTimer clock;
    clock.start();
    const qint64 worst = run_loop(20000, [&] { return !writing && received->text() == all; });
    const qint64 took = clock.elapsed();
    board.join();
    named<QPushButton>(form, QStringLiteral("关闭串口"))->click();
    QFile file(record);
    const QByteArray recorded = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    qint64 differ = std::abs(recorded.size() - sent.size());
    for (qsizetype i = 0; i < std::min(recorded.size(), sent.size()); ++i) {
        differ += recorded[i] != sent[i];
    }
    std::printf("1 MB/s for 10 s: %lld ms, %s, %lld bytes lost or wrong, longest wait %lld ms\n",
                took, qPrintable(received->text()), differ, worst);
    delete form;
    ::close(master);
}

void run_growth(ScriptedFormHost& host) {
    FakeSerialDevice* device = nullptr;
    host.make_serial_device = [&](const QString&) {
        auto fake = std::make_unique<FakeSerialDevice>();
        device = fake.get();
        return fake;
    };
    SerialForm* form = hex_window(host);
    named<QComboBox>(form, QStringLiteral("port"))->setEditText(QStringLiteral("fake"));
    named<QPushButton>(form, QStringLiteral("打开串口"))->click();
    auto* view = named<QAbstractScrollArea>(form, QStringLiteral("接收区"));
    QByteArray read(4096, Qt::Uninitialized);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(read.data()), read.size() / 4);
    double first = 0;
    for (int mb = 1; mb <= 100; ++mb) {
        QElapsedTimer clock;
        clock.start();
        for (qint64 fed = 0; fed < kMB; fed += read.size()) {
            host.now = host.now.addMSecs(1);
            device->feed(read);
            if (fed % (64 * 1024) < read.size()) {
                view->viewport()->repaint();  // a frame every 64 kB, as a screen would take
            }
        }
        const double ms = clock.nsecsElapsed() / 1e6;
        if (mb == 1) {
            first = ms;
            std::printf("view cost at 1 MB: %.1f ms per MB\n", ms);
        } else if (mb == 2) {
            // The first MB also pays for the first paint's fonts and caches.
            std::printf("view cost at 2 MB: %.1f ms per MB\n", ms);
        } else if (mb == 100) {
            std::printf("view cost at 100 MB: %.1f ms per MB (%.2f x the first)\n", ms, ms / first);
        }
    }
    std::printf("memory after 100 MB: %.1f MB resident\n", resident_bytes() / 1e6);
    delete form;
}

}  // namespace

int main(int argc, char* argv[]) {
    OffscreenApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QTemporaryDir directory;
    ScriptedFormHost host;
    run_pty(host, directory.path());
    run_growth(host);
    return 0;
}
