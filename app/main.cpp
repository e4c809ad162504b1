#include "app/command_line.h"
#include "app/glyphs_command.h"
#include "app/start.h"
#include "app/table_command.h"
#include "app/tool_catalog.h"
#include "shell/qt_host/qt_form_host.h"
#include "shell/widgets/look.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[]) {
    const QStringList arguments = program_arguments(argc, argv);
    // Tables for build scripts: `table` needs no window system at all, `glyphs` draws its
    // characters on the offscreen platform.
    const QString subcommand = arguments.value(1);
    if (subcommand == u"table") {
        return table_command_main(arguments.mid(2));
    }
    if (subcommand == u"glyphs") {
        return glyphs_main(argc, argv);
    }
    QApplication::setApplicationName(QStringLiteral("brevik"));
    QApplication::setApplicationVersion(QStringLiteral(BREVIK_VERSION));

    // Read before the window system starts, so --help, --version and a wrong name need no
    // display.
    const ToolCatalog catalog = tool_catalog();
    QTextStream out(stdout);
    QTextStream err(stderr);
    const CommandLine command_line = parse_command_line(arguments, catalog, out, err);
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
