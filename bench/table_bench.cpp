// Times `brevik table sensor` from a 1000-line R–T file, from process start to exit, with no
// display at all: DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM are taken out of the child's
// environment. Each run is a fresh process; the figures are the fastest, the median and the
// slowest of the runs. The target is under 150 ms. For comparison: the same table made in this
// process, and `brevik --version`, which only loads the program and ends.

#include "bench/bench_harness.h"
#include "shell/cli/command_kit.h"
#include "tools/sensor/cli/sensor_command.h"
#include "tools/sensor/core/thermistor.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString rt_path = dir.filePath(QStringLiteral("ntc.csv"));
    QFile rt(rt_path);
    if (!rt.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(rt_path));
        return 1;
    }
    // A header and 999 points from -50 °C up by 0.2 °C, as a fine datasheet table.
    rt.write("\xEF\xBB\xBF\xE2\x84\x83,\xCE\xA9\r\n");
    for (int i = 0; i < 999; ++i) {
        const double celsius = -50 + 0.2 * i;
        rt.write(QByteArray::number(celsius, 'f', 1) + ',' +
                 QByteArray::number(beta_ohms(3950, 10000, celsius), 'f', 1) + "\r\n");
    }
    rt.close();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(QString::fromLatin1(name));
    }
    const QStringList arguments = {
        QStringLiteral("table"),     QStringLiteral("sensor"),
        QStringLiteral("--rt"),      rt_path,
        QStringLiteral("--dialect"), QStringLiteral("c"),
        QStringLiteral("--pull"),    QStringLiteral("up"),
        QStringLiteral("--divider"), QStringLiteral("10000"),
        QStringLiteral("--bits"),    QStringLiteral("12"),
        QStringLiteral("--step"),    QStringLiteral("0.1"),
        QStringLiteral("-o"),        dir.filePath(QStringLiteral("table.txt"))};

    // Runs the program kRuns times with `program_arguments`, each a fresh process.
    constexpr int kRuns = 20;
    const auto time_program = [&](const QStringList& program_arguments) {
        return bench::time_runs(kRuns, 0, [&] {
            QProcess brevik;
            brevik.setProcessEnvironment(environment);
            brevik.start(QStringLiteral(BREVIK_PROGRAM), program_arguments);
            if (!brevik.waitForFinished(10000) || brevik.exitStatus() != QProcess::NormalExit ||
                brevik.exitCode() != 0) {
                std::fprintf(stderr, "brevik failed: %s\n",
                             brevik.readAllStandardError().constData());
                std::exit(1);
            }
        });
    };
    const auto print = [](const char* what, const bench::Samples& ms) {
        std::printf("  %-34s min %6.1f ms  median %6.1f ms  max %6.1f ms\n", what, ms.min(),
                    ms.median(), ms.max());
    };

    // The same work in this process: what the table itself costs, apart from loading the program.
    const bench::Samples in_process = bench::time_runs(kRuns, 0, [&] {
        if (run_command({sensor_table_command()}, arguments).exit_status != 0) {
            std::exit(1);
        }
    });
    const bench::Samples table = time_program(arguments);
    const bench::Samples version = time_program({QStringLiteral("--version")});

    QFile written(dir.filePath(QStringLiteral("table.txt")));
    written.open(QIODevice::ReadOnly);
    std::printf(
        "brevik table sensor from a 1000-line R-T file, %lld lines written, no display, "
        "%d runs each:\n",
        static_cast<long long>(written.readAll().count('\n')), kRuns);
    print("start to exit (target < 150 ms)", table);
    print("the same, in process", in_process);
    print("brevik --version, start to exit", version);
    return 0;
}
