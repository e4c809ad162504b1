#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// `brevik table segment ...` and `brevik table sensor ...`: the tables the seven-segment and
// sensor windows save, made from a build script, with no window system at all.

struct TableCommandResult {
    int exit_status = 0;  // 0 done; 2 a bad or missing option; 1 the file could not be written
    QByteArray output;    // for standard output: the table's bytes, or the help text
    QString errors;       // for standard error
};

// Runs the command; `arguments` are those after the word "table". With -o FILE the table goes
// to FILE, which is replaced only once the whole table is written; a refused option writes
// nothing.
TableCommandResult run_table_command(const QStringList& arguments);

// run_table_command writing to standard output and standard error; returns the exit status.
int table_command_main(const QStringList& arguments);
