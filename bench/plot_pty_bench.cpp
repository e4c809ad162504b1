// The 波形 view of the serial terminal window as a user runs it: the window (offscreen) opens the
// slave of a pseudo-terminal as its port and shows 波形, while a board on the master end prints 8
// named readings 1,000 lines a second, in small writes kept to the clock. A click on a legend
// button is posted every half second, as a user's would be, and timed until the plot has
// repainted after it. Printed each minute: lines received against lines sent, the longest click
// answer, the time of a full repaint of the plot (wall and processor), resident memory; at the end
// the samples kept and dropped per channel.
//
//   plot_pty_bench [minutes]     10 by default; a fraction such as 0.5 is a shorter run

#include "bench/bench_harness.h"
#include "shell/qt_host/qt_serial_device.h"
#include "shell/widgets/plot_box.h"
#include "shell/widgets/plot_view.h"
#include "tests/support/offscreen_application.h"
#include "tests/support/scripted_form_host.h"
#include "tools/serial/core/serial_session.h"
#include "tools/serial/form/plot_panel.h"
#include "tools/serial/form/serial_form.h"

#include <QComboBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <thread>

namespace {

constexpr int kChannels = 8;
constexpr int kLinesPerSecond = 1000;
constexpr int kWriteEveryMs = 4;  // a few lines a write, as a USB adapter hands them over

QByteArray line(qint64 n) {
    QByteArray text;
    for (int c = 0; c < kChannels; ++c) {
        if (c > 0) {
            text += ' ';
        }
        const double value = 1000 * std::sin(double(n) / (200.0 + 37 * c)) + c * 100 + (n % 7);
        text += "ch" + QByteArray::number(c) + '=' + QByteArray::number(value, 'f', 2);
    }
    return text + "\r\n";
}

// The board: prints numbered lines on the master end at a steady rate until told to stop or
// until `seconds` have passed.
class Board {
public:
    Board(const bench::Terminal& terminal, double seconds)
        : m_thread([this, &terminal, seconds] { run(terminal, seconds); }) {}
    ~Board() {
        m_stop = true;
        m_thread.join();
    }
    qint64 sent() const { return m_sent; }
    bool done() const { return m_done; }
    bool failed() const { return m_failed; }

private:
    void run(const bench::Terminal& terminal, double seconds) {
        const qint64 start = bench::steady_ns();
        const qint64 total = qint64(seconds * kLinesPerSecond);
        while (!m_stop && m_sent < total) {
            const qint64 owed =
                std::min(total, (bench::steady_ns() - start) * kLinesPerSecond / 1000000000);
            QByteArray bytes;
            for (qint64 n = m_sent; n < owed; ++n) {
                bytes += line(n);
            }
            if (!bytes.isEmpty()) {
                if (!terminal.send(bytes)) {
                    m_failed = true;
                    break;
                }
                m_sent = owed;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(kWriteEveryMs));
        }
        m_done = true;
    }

    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_done{false};
    std::atomic<bool> m_failed{false};
    std::atomic<qint64> m_sent{0};
    std::thread m_thread;
};

// Tells when each delivery of the plot's paint events has ended.
class PaintClock : public QObject {
public:
    std::function<void(qint64 ns)> painted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint) {
            return false;
        }
        watched->event(event);
        if (painted) {
            painted(bench::steady_ns());
        }
        return true;  // delivered above
    }
};

// A click posted as the window system would post it, and answered once the plot has painted
// after the button's handler ran.
class ClickProbe : public QObject {
public:
    ClickProbe(QPushButton* button, PaintClock& paints) : m_button(button) {
        connect(button, &QPushButton::clicked, this, [this] { m_handled_ns = bench::steady_ns(); });
        paints.painted = [this](qint64 ns) {
            if (m_handled_ns > 0 && m_painted_ns == 0) {
                m_painted_ns = ns;
            }
        };
    }
    // Posts a click unless the last is still unanswered.
    void post() {
        collect();
        if (m_posted_ns > 0) {
            return;
        }
        m_posted_ns = bench::steady_ns();
        m_handled_ns = 0;
        m_painted_ns = 0;
        const QPointF centre = QRectF(m_button->rect()).center();
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QCoreApplication::postEvent(
                m_button,
                new QMouseEvent(type, centre, m_button->mapToGlobal(centre), Qt::LeftButton,
                                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                Qt::NoModifier));
        }
    }
    // The longest answer since the last call, in ms; a click still waiting counts as far as now.
    double take_longest_ms() {
        collect();
        if (m_posted_ns > 0) {
            m_longest_ms = std::max(m_longest_ms, (bench::steady_ns() - m_posted_ns) / 1e6);
        }
        return std::exchange(m_longest_ms, 0.0);
    }
    int answered() const { return int(m_answers.size()); }
    const bench::Samples& answers() const { return m_answers; }

private:
    void collect() {
        if (m_posted_ns == 0 || m_painted_ns == 0) {
            return;
        }
        const double answer_ms = (m_painted_ns - m_posted_ns) / 1e6;
        m_longest_ms = std::max(m_longest_ms, answer_ms);
        m_answers.add(answer_ms);
        m_posted_ns = 0;
    }

    QPushButton* m_button;
    qint64 m_posted_ns = 0;
    qint64 m_handled_ns = 0;
    qint64 m_painted_ns = 0;
    double m_longest_ms = 0;
    bench::Samples m_answers;
};

}  // namespace

int main(int argc, char* argv[]) {
    OffscreenApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const double minutes = argc > 1 ? std::max(0.1, std::atof(argv[1])) : 10;
    const double seconds = minutes * 60;

    std::optional<bench::Terminal> terminal = bench::Terminal::open();
    if (!terminal) {
        return 1;
    }
    ScriptedFormHost host;
    host.real_clocks = true;
    host.make_serial_device = [](const QString& path) {
        return std::make_unique<QtSerialDevice>(path);
    };
    const long resident_at_start = resident_bytes();
    auto* form = new SerialForm(host);
    form->load();
    form->resize(1280, 900);
    form->show();
    auto* tabs = bench::named<QTabWidget>(form, QStringLiteral("receive_tabs"));
    tabs->setCurrentWidget(form->plot());
    bench::named<QComboBox>(form, QStringLiteral("port"))->setEditText(terminal->device());
    bench::named<QComboBox>(form, QStringLiteral("baud"))->setEditText(QStringLiteral("921600"));
    bench::named<QPushButton>(form, QStringLiteral("打开串口"))->click();
    if (!form->is_port_open()) {
        std::fprintf(stderr, "the window did not open %s\n", qPrintable(terminal->device()));
        return 1;
    }
    PlotView* plot = form->plot()->plot_box()->plot();
    const SampleStore& store = form->plot()->store();
    PaintClock paints;
    plot->installEventFilter(&paints);
    bench::run_events_for(200);

    std::printf(
        "串口工具, 波形 shown, 1280 x 900 window (offscreen), pseudo-terminal %s: %d named "
        "channels at %d lines/s for %.0f s, written every %d ms\n",
        qPrintable(terminal->device()), kChannels, kLinesPerSecond, seconds, kWriteEveryMs);
    std::printf("%7s %10s %10s %8s %16s %22s %8s\n", "minute", "sent", "received", "behind",
                "max click ms", "repaint ms wall / cpu", "RSS MB");

    std::optional<ClickProbe> clicks;
    double worst_click_ms = 0;
    {
        Board board(*terminal, seconds);
        // The legend fills as the channels come; the last one is clicked to hide and show it.
        QTimer click_timer;
        click_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&click_timer, &QTimer::timeout, [&] {
            if (!clicks) {
                const QList<QPushButton*> legend =
                    plot->findChildren<QPushButton*>(QStringLiteral("legend_button"));
                if (legend.size() < kChannels) {
                    return;
                }
                clicks.emplace(legend.back(), paints);
            }
            clicks->post();
        });
        click_timer.start(500);

        const qint64 start = bench::steady_ns();
        int minute = 0;
        while (!board.done()) {
            bench::run_events_for(100);
            const double elapsed_s = (bench::steady_ns() - start) / 1e9;
            if (elapsed_s >= 60 * (minute + 1) || board.done()) {
                ++minute;
                const double click_ms = clicks ? clicks->take_longest_ms() : 0;
                worst_click_ms = std::max(worst_click_ms, click_ms);
                const qint64 received = store.record_count();
                const qint64 sent = board.sent();
                const bench::RepaintCost repaint = bench::repaint_cost(plot, 5);
                std::printf("%7.1f %10lld %10lld %8lld %16.1f %11.2f / %8.2f %8.1f\n",
                            elapsed_s / 60, static_cast<long long>(sent),
                            static_cast<long long>(received),
                            static_cast<long long>(sent - received), click_ms, repaint.wall_ms,
                            repaint.cpu_ms, resident_bytes() / 1048576.0);
            }
        }
        click_timer.stop();
        // What is still on the line arrives.
        const qint64 sent = board.sent();
        const qint64 wait_start = bench::steady_ns();
        while (store.record_count() < sent && bench::steady_ns() - wait_start < 10'000'000'000) {
            bench::run_events_for(50);
        }
        if (clicks) {
            bench::run_events_for(300);
            worst_click_ms = std::max(worst_click_ms, clicks->take_longest_ms());
        }
        if (board.failed()) {
            std::printf("the board's write FAILED\n");
        }
        std::printf("lines sent %lld, received %lld: %s\n", static_cast<long long>(sent),
                    static_cast<long long>(store.record_count()),
                    store.record_count() == sent ? "none lost" : "LINES LOST");
    }
    if (clicks && !clicks->answers().empty()) {
        std::printf("clicks answered %d: median %.1f ms, the longest %.1f ms (target < 100)\n",
                    clicks->answered(), clicks->answers().median(), worst_click_ms);
    } else {
        std::printf("NO click was answered\n");
    }
    const bench::RepaintCost repaint = bench::repaint_cost(plot, 21);
    std::printf("full repaint at the end: %.2f ms wall, %.2f ms processor (target < 16)\n",
                repaint.wall_ms, repaint.cpu_ms);
    std::printf("resident memory %.1f MB (target < 300), %.1f MB more than before the window\n",
                resident_bytes() / 1048576.0, (resident_bytes() - resident_at_start) / 1048576.0);
    qint64 samples = 0;
    for (const auto& channel : store.channels()) {
        samples += channel->size();
    }
    std::printf(
        "of it: the samples %.1f MB at %zu bytes each; the 接收区 log %lld lines of text "
        "(%.1f MB of characters)\n",
        samples * double(sizeof(Sample)) / 1048576.0, sizeof(Sample),
        static_cast<long long>(form->session().log().line_count()),
        form->session().log().text_size() * 2 / 1048576.0);
    std::printf("%-8s %10s %10s\n", "channel", "kept", "dropped");
    for (const auto& channel : store.channels()) {
        std::printf("%-8s %10lld %10lld\n", qPrintable(channel->name()),
                    static_cast<long long>(channel->size()),
                    static_cast<long long>(channel->dropped()));
    }
    bench::named<QPushButton>(form, QStringLiteral("关闭串口"))->click();
    delete form;
    return 0;
}
