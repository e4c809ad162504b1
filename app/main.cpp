#include "app/command_line.h"
#include "app/glyphs_command.h"
#include "app/table_command.h"
#include "app/tool_catalog.h"
#include "shell/goodbye_window.h"
#include "shell/launcher.h"
#include "shell/main_window.h"
#include "shell/qt_host/qt_form_host.h"
#include "shell/widgets/look.h"

#include <QApplication>
#include <QPointer>
#include <QTextStream>
#include <QTimer>

#include <cstdio>
#include <string_view>

int main(int argc, char* argv[]) {
    // Tables for build scripts: no application object, no window system.
    if (argc > 1 && std::string_view(argv[1]) == "table") {
        return table_command_main(argc, argv);
    }
    // Glyph tables draw their characters on the offscreen platform.
    if (is_glyphs_command(argc, argv)) {
        return glyphs_main(argc, argv);
    }
    QApplication::setApplicationName(QStringLiteral("brevik"));
    QApplication::setApplicationVersion(QStringLiteral(BREVIK_VERSION));

    // Read before the window system starts, so --help, --version and a wrong name need no
    // display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
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
    Launcher launcher(host, catalog);
    QPointer<MainWindow> main_window = new MainWindow(host, launcher);
    main_window->load();
    main_window->show();
    if (!command_line.window.isEmpty()) {
        QTimer::singleShot(0, main_window, [&] {
            if (command_line.window == QString::fromUtf16(kGoodbyeWindow)) {
                Form* goodbye = new GoodbyeWindow(host);
                goodbye->load();
                goodbye->show();
            } else {
                main_window->on_tool_clicked(command_line.window);
            }
        });
    }
    // The program ends when the last window that is on screen, or minimized, closes; tool
    // windows that were loaded but never shown do not keep it running.
    const int status = app.exec();
    delete main_window.data();
    return status;
}
