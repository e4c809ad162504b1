#include "command_line.h"

#include "shell/cli/command_kit.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

namespace {

constexpr int kUsageError = 2;

// Every name --tool takes, and the window each one launches.
QList<std::pair<QString, QString>> tool_names(const ToolCatalog& catalog) {
    QList<std::pair<QString, QString>> names;
    for (const ToolEntry& tool : catalog) {
        if (tool.window.isEmpty()) {
            continue;
        }
        names.append({tool.window, tool.window});
        if (!tool.caption.isEmpty() && tool.caption != tool.window) {
            names.append({tool.caption, tool.window});
        }
    }
    const QString goodbye = QString::fromUtf16(kGoodbyeWindow);
    names.append({goodbye, goodbye});
    return names;
}

}  // namespace

CommandLine parse_command_line(const QStringList& arguments, const ToolCatalog& catalog,
                               const CommandCatalog& commands, QTextStream& out, QTextStream& err) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Brevik 单片机工具箱: a toolbox for building microcontroller boards."));
    // The program takes none of the window system's own options, so there is no --help-all.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays help on commandline options."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption tool(
        QStringLiteral("tool"),
        QStringLiteral("Launch the window NAME once the main window shows: a window's caption or "
                       "its button's caption, such as 转速表 or 七段码查询."),
        QStringLiteral("NAME"));
    const QCommandLineOption serial_port(
        QStringLiteral("serial-port"),
        QStringLiteral("Use DEVICE as serial port 1, such as /dev/ttyUSB0 (default: COM1 on "
                       "Windows, /dev/ttyS0 on Linux)."),
        QStringLiteral("DEVICE"));
    parser.addOption(tool);
    parser.addOption(serial_port);

    CommandLine command_line;
    if (!parser.parse(arguments)) {
        err << parser.errorText() << '\n';
        command_line.exit_status = kUsageError;
        return command_line;
    }
    if (parser.isSet(help)) {
        out << parser.helpText().replace(QStringLiteral("<executable_name>"),
                                         QStringLiteral("brevik"))
            << QStringLiteral("\nSubcommands (brevik <subcommand> --help for each):\n")
            << subcommand_list(commands);
        command_line.exit_status = 0;
        return command_line;
    }
    if (parser.isSet(version)) {
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion()
            << '\n';
        command_line.exit_status = 0;
        return command_line;
    }
    if (!parser.positionalArguments().isEmpty()) {
        err << QStringLiteral("Unexpected argument: %1\n").arg(parser.positionalArguments()[0]);
        command_line.exit_status = kUsageError;
        return command_line;
    }
    command_line.serial_port = parser.value(serial_port);
    if (parser.isSet(tool)) {
        const QString name = parser.value(tool);
        QStringList valid;
        for (const auto& [tool_name, window] : tool_names(catalog)) {
            if (tool_name == name) {
                command_line.window = window;
                return command_line;
            }
            valid << tool_name;
        }
        err << QStringLiteral("Unknown tool: %1\nValid names: %2\n").arg(name, valid.join(u", "));
        command_line.exit_status = kUsageError;
    }
    return command_line;
}
