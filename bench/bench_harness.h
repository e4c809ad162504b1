#pragma once

// What every benchmark needs, written once: timings and their summary, the process's own
// figures (memory, processor time), an idle stretch of the event loop, the answer time of a
// click, and a pseudo-terminal that stands in for a board.

#include "bench/process_figures.h"
#include "tests/support/pseudo_terminal.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <vector>

namespace bench {

// Nanoseconds of the steady clock, comparable between processes of one machine.
inline qint64 steady_ns() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// A stopwatch in milliseconds, of the wall and of this process's processor time.
class Stopwatch {
public:
    Stopwatch() { restart(); }
    void restart() {
        m_wall.start();
        m_cpu_start = cpu_seconds();
    }
    double ms() const { return m_wall.nsecsElapsed() / 1e6; }
    double cpu_ms() const { return (cpu_seconds() - m_cpu_start) * 1e3; }

private:
    QElapsedTimer m_wall;
    double m_cpu_start = 0;
};

// Timings of repeated runs, summarised.
class Samples {
public:
    void add(double value) { m_values.push_back(value); }
    bool empty() const { return m_values.empty(); }
    std::size_t size() const { return m_values.size(); }
    double min() const { return sorted().front(); }
    double median() const { return sorted()[m_values.size() / 2]; }
    double max() const { return sorted().back(); }

private:
    std::vector<double> sorted() const {
        std::vector<double> values = m_values;
        std::sort(values.begin(), values.end());
        return values;
    }
    std::vector<double> m_values;
};

// Runs `step` `runs` times after `warm_up` runs that are not counted (caches, fonts) and gives
// the milliseconds each counted run took.
inline Samples time_runs(int runs, int warm_up, const std::function<void()>& step) {
    Samples samples;
    for (int run = 0; run < warm_up + runs; ++run) {
        Stopwatch timer;
        step();
        if (run >= warm_up) {
            samples.add(timer.ms());
        }
    }
    return samples;
}

// A field of /proc/self/status in bytes ("VmRSS", "VmHWM"); -1 when it cannot be read.
inline long status_bytes(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return -1;
    }
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(prefix)) {
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLong() * 1024;
        }
    }
    return -1;
}

inline long peak_resident_bytes() {
    return status_bytes("VmHWM");
}

// Starts a new peak of the resident set at the present size; false when the system will not.
inline bool reset_peak() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

// Runs the event loop for `ms` milliseconds, as a user leaves a window alone. A loop of its
// own: quitting the application would close, and so delete, the windows.
inline void run_events_for(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// The processor a stretch of the event loop takes.
struct Load {
    double wall_s;
    double cpu_s;
    double percent_of_core() const { return wall_s > 0 ? 100 * cpu_s / wall_s : 0; }
};

inline Load idle_load(int ms) {
    Stopwatch timer;
    run_events_for(ms);
    return {timer.ms() / 1e3, timer.cpu_ms() / 1e3};
}

// How long a click on `button` takes to be answered: its handler, then the events it posted,
// repaints included.
struct ClickAnswer {
    double handler_ms;
    double painted_ms;
};

inline ClickAnswer answer_click(QAbstractButton* button) {
    Stopwatch timer;
    button->click();
    const double handled = timer.ms();
    QCoreApplication::processEvents();
    return {handled, timer.ms()};
}

// A pseudo-terminal pair whose master end closes with it: the board's side of a serial line.
class Terminal {
public:
    // A new pair, or nothing (and why, on standard error) when the system has none to give.
    static std::optional<Terminal> open() {
        std::optional<PseudoTerminal> pair = open_pseudo_terminal();
        if (!pair) {
            std::perror("no pseudo-terminal");
            return std::nullopt;
        }
        return Terminal(*pair);
    }
    Terminal(Terminal&& other) noexcept : m_pair(other.m_pair) { other.m_pair.master = -1; }
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;
    Terminal& operator=(Terminal&&) = delete;
    ~Terminal() {
        if (m_pair.master >= 0) {
            ::close(m_pair.master);
        }
    }

    // The device the program opens as its serial port.
    const QString& device() const { return m_pair.device; }
    int master() const { return m_pair.master; }

    // Writes all of `bytes` from the board's side; false when the line refused them.
    bool send(const QByteArray& bytes) const {
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t written = ::write(m_pair.master, bytes.constData() + done,
                                            static_cast<size_t>(bytes.size() - done));
            if (written < 0) {
                return false;
            }
            done += written;
        }
        return true;
    }

private:
    explicit Terminal(const PseudoTerminal& pair) : m_pair(pair) {}
    PseudoTerminal m_pair;
};

// The median of `times` full repaints of a widget, in wall and processor time: the processor
// time is the steadier figure on a busy machine.
struct RepaintCost {
    double wall_ms;
    double cpu_ms;
};
inline RepaintCost repaint_cost(QWidget* widget, int times) {
    Samples wall;
    Samples cpu;
    for (int i = 0; i < times; ++i) {
        Stopwatch timer;
        widget->repaint();
        wall.add(timer.ms());
        cpu.add(timer.cpu_ms());
    }
    return {wall.median(), cpu.median()};
}

// The control of a window by its accessible or object name; a benchmark that cannot find one
// measures nothing, so it stops there.
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

}  // namespace bench
