#include "app/tool_catalog.h"
#include "shell/launcher.h"
#include "shell/main_window.h"
#include "shell/qt_host/qt_form_host.h"
#include "shell/widgets/look.h"

#include <QApplication>
#include <QPointer>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    prepare_application(app);

    QtFormHost host;
    Launcher launcher(host, tool_catalog());
    QPointer<MainWindow> main_window = new MainWindow(host, launcher);
    main_window->load();
    main_window->show();
    // The program ends when the last window that is on screen, or minimized, closes; tool
    // windows that were loaded but never shown do not keep it running.
    const int status = app.exec();
    delete main_window.data();
    return status;
}
