#pragma once

#include "shell/cli/command.h"
#include "shell/cli/command_options.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Runs the program's subcommands, all by the same rules:
// - exit status 0 done, 1 a file could not be read or written, 2 a bad command line (nothing
//   written, the message names what is wrong and what is valid);
// - the text goes to standard output, or with -o FILE to FILE (write_file_bytes: replaced only
//   when whole, a device or a named pipe written in place), as GBK text with CR LF line ends,
//   the bytes a window's 保存 writes;
// - -h or --help prints the usage line "brevik NAME ...", the options and examples.

// What a run printed, for tests and for command_main.
struct CommandRun {
    int exit_status = kCommandDone;
    QByteArray output;  // for standard output
    QString errors;     // for standard error, each line ending in '\n'
};

// The subcommand that `arguments` (the words after the program's name) name, longest name
// first; nothing if none.
const Command* find_command(const CommandCatalog& commands, const QStringList& arguments);

// Runs the subcommand that `arguments` name. A word that names none, or only the start of
// several ("table"), is refused with the subcommands there are.
CommandRun run_command(const CommandCatalog& commands, const QStringList& arguments);

// run_command writing to standard output and standard error. Standard output is flushed and
// checked before the status is returned: a write that fails there (a full disk, a closed pipe)
// gives exit status 1 and a message.
int command_main(const CommandCatalog& commands, const QStringList& arguments);

// The help of one subcommand, as --help prints it.
QString command_help(const Command& command);

// The subcommands for the program's own --help: one a line, with their summaries.
QString subcommand_list(const CommandCatalog& commands);
