// Times Brevik's start, from process start to the main window shown (offscreen), with the
// repository's readme, a 1 MiB readme and five lines of 1 MB, and prints the resident memory
// then; also the time the window then takes to scroll its readme to the end. Each run is a
// fresh child process of this program, so no cache carries over from one run to the next.

#include "app/tool_catalog.h"
#include "base/readme_text.h"
#include "bench/bench_harness.h"
#include "shell/launcher.h"
#include "shell/main_window.h"
#include "shell/widgets/look.h"
#include "shell/widgets/text_box.h"
#include "tests/support/scripted_form_host.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

using bench::steady_ns;

long status_kb(const char* field) {
    return bench::status_bytes(field) / 1024;
}

// Notes when the readme box has painted.
class PaintWatch : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        painted = painted || event->type() == QEvent::Paint;
        return false;
    }
};

// Processes events until the box has painted once more; false after 300 s.
bool wait_for_paint(PaintWatch& watch) {
    watch.painted = false;
    const bench::Stopwatch timer;
    while (!watch.painted && timer.ms() < 300000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return watch.painted;
}

// The program's start, as app/main.cpp does it, in the working directory the parent chose.
// Prints the moment the window is shown, the resident and peak memory, and the scroll time.
int run_child(int argc, char* argv[]) {
    QApplication app(argc, argv);
    prepare_application(app);
    ScriptedFormHost host;
    Launcher launcher(host, tool_catalog());
    auto* window = new MainWindow(host, launcher);
    auto* box = window->findChild<TextBox*>(QStringLiteral("Text1"));
    auto* editor = static_cast<QPlainTextEdit*>(box->editor());
    PaintWatch watch;
    editor->viewport()->installEventFilter(&watch);
    window->load();
    window->show();
    const bool shown = wait_for_paint(watch);
    const qint64 shown_at = steady_ns();
    const long resident = status_kb("VmRSS");

    const bench::Stopwatch scroll;
    editor->verticalScrollBar()->setValue(editor->verticalScrollBar()->maximum());
    const bool scrolled = wait_for_paint(watch);
    const double scroll_ms = scroll.ms();

    std::printf("%lld %ld %ld %.3f %lld %d\n", static_cast<long long>(shown_at), resident,
                status_kb("VmHWM"), scroll_ms, static_cast<long long>(box->text().size()),
                shown && scrolled ? 1 : 0);
    delete window;
    return 0;
}

struct Run {
    double start_ms;
    double resident_mb;
    double peak_mb;
    double scroll_ms;
    long long characters;
};

std::optional<Run> run_once(const QString& program, const QString& directory) {
    QProcess child;
    child.setWorkingDirectory(directory);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const qint64 started = steady_ns();
    child.start(program, {QStringLiteral("--child")});
    if (!child.waitForFinished(600000) || child.exitCode() != 0) {
        child.kill();
        child.waitForFinished();
        return std::nullopt;
    }
    long long shown_at = 0;
    long resident = 0;
    long peak = 0;
    double scroll_ms = 0;
    long long characters = 0;
    int ok = 0;
    if (std::sscanf(child.readAllStandardOutput().constData(), "%lld %ld %ld %lf %lld %d",
                    &shown_at, &resident, &peak, &scroll_ms, &characters, &ok) != 6 ||
        !ok) {
        return std::nullopt;
    }
    return Run{(shown_at - started) / 1e6, resident / 1024.0, peak / 1024.0, scroll_ms, characters};
}

// The repository's readme, repeated to `size` bytes; the last repetition is cut to a whole line.
QByteArray repeated_readme(const QByteArray& readme, qsizetype size) {
    QByteArray bytes;
    while (bytes.size() + readme.size() <= size) {
        bytes += readme;
    }
    const QByteArray rest = readme.left(size - bytes.size());
    return bytes + rest.left(rest.lastIndexOf('\n') + 1);
}

struct Case {
    const char* name;
    QByteArray readme;
    double target_ms;  // 0: no target
};

int run_parent(const QString& program, int runs) {
    QFile source(QStringLiteral(BREVIK_SOURCE_DIR "/") + QString::fromUtf16(kReadmeName));
    if (!source.open(QIODevice::ReadOnly)) {
        std::printf("cannot read the repository's readme\n");
        return 1;
    }
    const QByteArray readme = source.readAll();
    // A line of 1 MB: "说明文件" in GBK, over and over.
    const QByteArray long_line = QByteArray::fromHex("cbb5c3f7cec4bcfe").repeated(125000) + "\r\n";
    const Case cases[] = {
        {"repository readme", readme, 250},
        {"1 MiB readme", repeated_readme(readme, 1 << 20), 500},
        {"five lines of 1 MB", long_line.repeated(5), 500},
        {"1 MB neither UTF-8 nor GB18030", QByteArray(1000000, '\xFF'), 0},
        {"50 MB readme", repeated_readme(readme, 50 << 20), 0},
    };
    std::printf("Main window start, offscreen, %d fresh processes per case (median / worst)\n",
                runs);
    std::printf("%-31s %10s %8s %17s %7s %12s %8s %10s\n", "readme", "bytes", "shown", "start ms",
                "target", "resident MB", "peak MB", "scroll ms");
    int missed = 0;
    for (const Case& c : cases) {
        QTemporaryDir directory;
        QFile file(directory.filePath(QString::fromUtf16(kReadmeName)));
        if (!file.open(QIODevice::WriteOnly) || file.write(c.readme) != c.readme.size()) {
            std::printf("cannot write the readme of %s\n", c.name);
            return 1;
        }
        file.close();
        bench::Samples start;
        bench::Samples scroll;
        double resident = 0;
        double peak = 0;
        long long characters = 0;
        for (int i = 0; i < runs; ++i) {
            const auto run = run_once(program, directory.path());
            if (!run) {
                std::printf("%-31s the child failed or took over 600 s\n", c.name);
                return 1;
            }
            start.add(run->start_ms);
            scroll.add(run->scroll_ms);
            resident = std::max(resident, run->resident_mb);
            peak = std::max(peak, run->peak_mb);
            characters = run->characters;
        }
        const double worst = start.max();
        const bool met = (c.target_ms == 0 || worst < c.target_ms) && peak < 100;
        missed += met ? 0 : 1;
        std::printf("%-31s %10lld %8lld %8.0f / %6.0f %7s %12.1f %8.1f %10.1f%s\n", c.name,
                    static_cast<long long>(c.readme.size()), characters, start.median(), worst,
                    c.target_ms > 0 ? QByteArray::number(c.target_ms).constData() : "-", resident,
                    peak, scroll.median(), met ? "" : "  MISSED");
    }
    std::printf("targets: start under the figure shown, peak resident under 100 MB; %s\n",
                missed == 0 ? "all met" : "MISSED");
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc == 2 && qstrcmp(argv[1], "--child") == 0) {
        return run_child(argc, argv);
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0);  // each case as it finishes
    QCoreApplication app(argc, argv);
    // An optional argument: the runs per case, 5 unless told.
    const int runs = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 5;
    return run_parent(QCoreApplication::applicationFilePath(), runs);
}
