#include "start.h"

#include "app/command_line.h"
#include "shell/goodbye_window.h"

#include <QTimer>

#ifdef Q_OS_WIN
#include <windows.h>

#include <shellapi.h>
#endif

QStringList program_arguments(int argc, char* argv[]) {
    QStringList arguments;
#ifdef Q_OS_WIN
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    int count = 0;
    if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i) {
            arguments << QString::fromWCharArray(wide[i]);
        }
        LocalFree(wide);
    }
#else
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
#endif
    return arguments;
}

Program::Program(FormHost& host, ToolCatalog catalog, const QString& window)
    : m_launcher(host, std::move(catalog)), m_main_window(new MainWindow(host, m_launcher)) {
    m_main_window->load();
    m_main_window->show();
    if (window.isEmpty()) {
        return;
    }
    QTimer::singleShot(0, m_main_window, [this, &host, window] {
        if (window == QString::fromUtf16(kGoodbyeWindow)) {
            Form* goodbye = new GoodbyeWindow(host);
            goodbye->load();
            goodbye->show();
        } else {
            m_main_window->on_tool_clicked(window);
        }
    });
}

// The main window goes before the tool windows it launched.
Program::~Program() {
    delete m_main_window.data();
}
