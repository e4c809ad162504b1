// Qt Charts against the toolbox's own plot, on the same data: 8 channels of 1,000,000 samples
// each (plot_bench's sines, 1,000 samples a second), drawn at 1280 x 720 (offscreen). Each way
// of drawing runs in a process of its own, so its memory is its own:
// - PlotView over a SampleStore, the samples added record by record as a board's lines come;
// - a QChartView of 8 QLineSeries, each series replaced whole by a list of its points;
// - the same with the points appended one by one to series already in the chart, as live data
//   would come (stopped after a time limit, with the rate it reached);
// - the same as the first with the series drawn through OpenGL, where the platform has it (not
//   offscreen: run it on a display, or under Xvfb with QT_QPA_PLATFORM=xcb).
// Printed for each: the time to load the data, the first picture after it, a full repaint
// (median, wall and processor) and the memory the data added.
//
// Built only when Qt Charts is installed (Debian: qt6-charts-dev); nothing else needs it.
//
//   plot_library_bench [samples per channel]     1,000,000 by default

#include "bench/bench_harness.h"
#include "shell/widgets/plot_view.h"
#include "tests/support/offscreen_application.h"

#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QValueAxis>

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>

namespace {

constexpr int kChannels = 8;
constexpr int kSamplesPerSecond = 1000;
const QSize kSize(1280, 720);
// Appending one point at a time stops after this long.
constexpr double kAppendLimitMs = 20000;

qint64 g_samples = 1000000;

double value(int channel, qint64 n) {
    return 1000 * std::sin(double(n) / (200.0 + 37 * channel)) + channel * 100 + double(n % 7);
}

double seconds_of(qint64 n) {
    return double(n) / kSamplesPerSecond;
}

struct Figures {
    double load_ms = 0;
    double load_cpu_ms = 0;
    double first_picture_ms = 0;
    double repaint_wall_ms = 0;
    double repaint_cpu_ms = 0;
    long resident_before = 0;
    long peak_before = 0;
    qint64 samples = 0;  // per channel, as loaded
};

// The first picture after loading, then the median of `times` full repaints of `view`, the
// widget that paints (a chart view's viewport).
void time_pictures(QWidget* view, Figures& figures, int times = 7) {
    bench::Stopwatch first;
    view->repaint();
    figures.first_picture_ms = first.ms();
    const bench::RepaintCost repaint = bench::repaint_cost(view, times);
    figures.repaint_wall_ms = repaint.wall_ms;
    figures.repaint_cpu_ms = repaint.cpu_ms;
}

void print(const char* name, const Figures& figures) {
    const long resident = resident_bytes();
    const long peak = bench::peak_resident_bytes();
    std::printf(
        "%s\n"
        "  %lld samples a channel; load %.0f ms (%.0f ms processor), first picture %.1f ms, "
        "repaint %.2f ms wall / %.2f ms processor\n"
        "  memory the data added: %.1f MB resident, %.1f MB at the peak\n",
        name, static_cast<long long>(figures.samples), figures.load_ms, figures.load_cpu_ms,
        figures.first_picture_ms, figures.repaint_wall_ms, figures.repaint_cpu_ms,
        (resident - figures.resident_before) / 1048576.0,
        (peak - std::max(figures.peak_before, figures.resident_before)) / 1048576.0);
}

Figures start_figures() {
    Figures figures;
    figures.resident_before = resident_bytes();
    figures.peak_before = bench::reset_peak() ? figures.resident_before : -1;
    if (figures.peak_before < 0) {
        figures.peak_before = bench::peak_resident_bytes();
    }
    return figures;
}

void run_plot_view() {
    PlotView view;
    view.resize(kSize);
    view.show();
    QCoreApplication::processEvents();
    Figures figures = start_figures();
    SampleStore store;
    NamedValues values;
    for (int c = 0; c < kChannels; ++c) {
        values.push_back({QStringLiteral("ch%1").arg(c), 0});
    }
    bench::Stopwatch load;
    for (qint64 n = 0; n < g_samples; ++n) {
        for (int c = 0; c < kChannels; ++c) {
            values[std::size_t(c)].value = value(c, n);
        }
        store.add(seconds_of(n), values);
    }
    view.set_store(&store);
    view.data_changed();
    figures.load_ms = load.ms();
    figures.load_cpu_ms = load.cpu_ms();
    figures.samples = store.channels().front()->size();
    time_pictures(&view, figures);
    print("PlotView (ours), samples added record by record", figures);
}

// A chart of 8 empty line series with fixed axes over the whole data, in a view of 1280 x 720.
struct ChartWindow {
    QChartView view;
    QChart* chart = new QChart;
    std::vector<QLineSeries*> series;

    explicit ChartWindow(bool open_gl) {
        chart->legend()->setVisible(true);
        chart->setAnimationOptions(QChart::NoAnimation);
        auto* x_axis = new QValueAxis;
        auto* y_axis = new QValueAxis;
        x_axis->setRange(0, seconds_of(g_samples));
        y_axis->setRange(-1100, 1900);
        chart->addAxis(x_axis, Qt::AlignBottom);
        chart->addAxis(y_axis, Qt::AlignLeft);
        for (int c = 0; c < kChannels; ++c) {
            auto* line = new QLineSeries;
            line->setName(QStringLiteral("ch%1").arg(c));
            line->setUseOpenGL(open_gl);
            chart->addSeries(line);
            line->attachAxis(x_axis);
            line->attachAxis(y_axis);
            series.push_back(line);
        }
        view.setChart(chart);
        view.resize(kSize);
        view.show();
        QCoreApplication::processEvents();
    }
};

void run_chart_replaced(bool open_gl) {
    ChartWindow window(open_gl);
    Figures figures = start_figures();
    bench::Stopwatch load;
    for (int c = 0; c < kChannels; ++c) {
        QList<QPointF> points;
        points.reserve(g_samples);
        for (qint64 n = 0; n < g_samples; ++n) {
            points.append(QPointF(seconds_of(n), value(c, n)));
        }
        window.series[std::size_t(c)]->replace(points);
    }
    QCoreApplication::processEvents();  // the chart takes the new points in
    figures.load_ms = load.ms();
    figures.load_cpu_ms = load.cpu_ms();
    figures.samples = window.series.front()->count();
    time_pictures(window.view.viewport(), figures, open_gl ? 7 : 3);
    print(open_gl ? "Qt Charts, QChartView of 8 QLineSeries through OpenGL, each replaced whole"
                  : "Qt Charts, QChartView of 8 QLineSeries (OpenGL off), each replaced whole",
          figures);
}

void run_chart_appended() {
    ChartWindow window(false);
    Figures figures = start_figures();
    bench::Stopwatch load;
    qint64 n = 0;
    double rate = 0;  // samples a second over the last 1,000 records
    double mark_ms = 0;
    for (; n < g_samples && load.ms() < kAppendLimitMs; ++n) {
        for (int c = 0; c < kChannels; ++c) {
            window.series[std::size_t(c)]->append(seconds_of(n), value(c, n));
        }
        // The live view takes what came every 100 records, as a window's event loop would.
        if (n % 100 == 99) {
            QCoreApplication::processEvents();
        }
        if (n % 1000 == 999) {
            const double now_ms = load.ms();
            rate = 1000.0 * kChannels / ((now_ms - mark_ms) / 1e3);
            mark_ms = now_ms;
        }
    }
    QCoreApplication::processEvents();
    figures.load_ms = load.ms();
    figures.load_cpu_ms = load.cpu_ms();
    figures.samples = window.series.front()->count();
    time_pictures(window.view.viewport(), figures, 3);
    print("Qt Charts, QChartView of 8 QLineSeries (OpenGL off), points appended one by one",
          figures);
    std::printf("  appending: %.0f samples a second at the end (%s)\n", rate,
                n < g_samples ? "stopped at the time limit" : "all loaded");
}

// Runs `scenario` in a child process with an application of its own; says so when it dies.
void in_child(int argc, char* argv[], const char* name, void (*scenario)()) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        OffscreenApplication app(argc, argv);
        scenario();
        std::fflush(stdout);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::printf("%s: the run did not finish (status %d)\n", name, status);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    if (argc > 1) {
        g_samples = std::max(1000LL, std::atoll(argv[1]));
    }
    std::printf("%d channels x %lld samples, drawn at %d x %d, platform %s\n", kChannels,
                static_cast<long long>(g_samples), kSize.width(), kSize.height(),
                qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
                    ? "offscreen"
                    : qgetenv("QT_QPA_PLATFORM").constData());
    in_child(argc, argv, "PlotView", run_plot_view);
    in_child(argc, argv, "Qt Charts replaced", [] { run_chart_replaced(false); });
    in_child(argc, argv, "Qt Charts appended", run_chart_appended);
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && platform != "offscreen") {
        in_child(argc, argv, "Qt Charts OpenGL", [] { run_chart_replaced(true); });
    } else {
        std::printf("Qt Charts through OpenGL: not measured, the offscreen platform has none\n");
    }
    return 0;
}
