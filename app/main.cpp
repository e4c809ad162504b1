#include "app/command_line.h"
#include "app/start.h"
#include "app/tool_catalog.h"
#include "shell/cli/command_kit.h"
#include "shell/qt_host/qt_form_host.h"
#include "shell/widgets/look.h"

#include <QApplication>
#include <QGuiApplication>
#include <QTextStream>

#include <optional>

namespace {

QtMessageHandler g_next_handler = nullptr;

// Build machines often run without XDG_RUNTIME_DIR; Qt then falls back to a folder of its own
// and says so on standard error, which a build script would take for a complaint.
void without_runtime_dir_note(QtMsgType type, const QMessageLogContext& context,
                              const QString& message) {
    if (message.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR not set"))) {
        return;
    }
    if (g_next_handler) {
        g_next_handler(type, context, message);
    }
}

// `brevik <subcommand> ...`: a table for a build script, written without a window. The ones
// that draw characters get the offscreen platform, which needs no display.
int subcommand_main(int argc, char* argv[], const QStringList& arguments) {
    const CommandCatalog commands = command_catalog();
    const Command* command = find_command(commands, arguments);
    std::optional<QGuiApplication> fonts;
    if (command && command->draws) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        g_next_handler = qInstallMessageHandler(without_runtime_dir_note);
        fonts.emplace(argc, argv);
    }
    return command_main(commands, arguments);
}

}  // namespace

int main(int argc, char* argv[]) {
    const QStringList arguments = program_arguments(argc, argv);
    // A first word that is no option names a subcommand.
    if (arguments.size() > 1 && !arguments[1].startsWith(u'-')) {
        return subcommand_main(argc, argv, arguments.mid(1));
    }
    QApplication::setApplicationName(QStringLiteral("brevik"));
    QApplication::setApplicationVersion(QStringLiteral(BREVIK_VERSION));

    // Read before the window system starts, so --help, --version and a wrong name need no
    // display.
    const ToolCatalog catalog = tool_catalog();
    QTextStream out(stdout);
    QTextStream err(stderr);
    const CommandLine command_line =
        parse_command_line(arguments, catalog, command_catalog(), out, err);
    if (command_line.exit_status) {
        return *command_line.exit_status;
    }

    QApplication app(argc, argv);
    prepare_application(app);
    QtFormHost host(command_line.serial_port);
    // The program ends when the last window that is on screen, or minimized, closes; tool
    // windows that were loaded but never shown do not keep it running.
    const Program program(host, catalog, command_line.window);
    return app.exec();
}
