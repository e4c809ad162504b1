#pragma once

#include "shell/cli/command.h"
#include "shell/tool_entry.h"

#include <QString>
#include <QStringList>

#include <optional>

class QTextStream;

// What the command line asks of a start.
struct CommandLine {
    QString window;       // the window to launch once the main window shows; empty: none
    QString serial_port;  // the device behind serial port 1; empty: the machine's first port
    // Set when the program ends at once: after --help or --version (0), or on an error.
    std::optional<int> exit_status;
};

// The name of the goodbye window, which --tool also reaches.
inline constexpr char16_t kGoodbyeWindow[] = u"送客";

// Reads `arguments` (the program's name first). --tool takes a window's caption or its
// button's caption; help (which lists `commands`) and version go to `out`, errors to `err`.
CommandLine parse_command_line(const QStringList& arguments, const ToolCatalog& catalog,
                               const CommandCatalog& commands, QTextStream& out, QTextStream& err);
