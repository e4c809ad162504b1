#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// A program to run and wait for without blocking the windows.
struct ProgramRun {
    QString program;  // a bare name is looked up on the search path
    QStringList arguments;
    QString directory;  // its working directory
};

// How a program run ended.
struct ProgramOutcome {
    enum class End { kExited, kNotFound, kFailed };
    End end = End::kExited;
    int exit_code = 0;  // when it exited
    QString output;     // what it wrote to standard output and error, in order; or why it failed
};

using ProgramFinished = std::function<void(const ProgramOutcome&)>;

// Starts `run` and returns at once; `finished` runs later on this thread, from the event loop,
// when the program has ended, could not be found or could not be started.
void run_program_in_background(const ProgramRun& run, ProgramFinished finished);
