#include "program_run.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

void run_program_in_background(const ProgramRun& run, ProgramFinished finished) {
    const QString path =
        run.program.contains(u'/') ? run.program : QStandardPaths::findExecutable(run.program);
    if (path.isEmpty()) {
        QTimer::singleShot(0, QCoreApplication::instance(), [finished] {
            finished({ProgramOutcome::End::kNotFound, 0, {}});
        });
        return;
    }
    // Owned by the application, so a run still going when the program ends is stopped then.
    auto* process = new QProcess(QCoreApplication::instance());
    process->setProgram(path);
    process->setArguments(run.arguments);
    process->setWorkingDirectory(run.directory);
    process->setProcessChannelMode(QProcess::MergedChannels);
    QObject::connect(
        process, &QProcess::finished, process,
        [process, finished](int exit_code, QProcess::ExitStatus status) {
            process->deleteLater();
            const QString output = QString::fromLocal8Bit(process->readAll());
            if (status == QProcess::CrashExit) {
                finished({ProgramOutcome::End::kFailed, exit_code, process->errorString()});
            } else {
                finished({ProgramOutcome::End::kExited, exit_code, output});
            }
        });
    // A program that never started sends no `finished`.
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, finished](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart) {
                             process->deleteLater();
                             finished({ProgramOutcome::End::kFailed, 0, process->errorString()});
                         }
                     });
    process->start();
}
