#pragma once

#include "shell/launcher.h"
#include "shell/main_window.h"

#include <QPointer>
#include <QStringList>

// The program's arguments, its name first, as the user typed them. Windows hands a program its
// arguments in the machine's code page, which need not hold Chinese names such as 秒表; they
// are read again from the wide command line there.
QStringList program_arguments(int argc, char* argv[]);

// The windows of a started program: the main window, shown at once, and the window asked for
// on the command line (a tool window or 送客), launched as soon as the event loop runs.
class Program {
public:
    Program(FormHost& host, ToolCatalog catalog, const QString& window);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

private:
    Launcher m_launcher;
    QPointer<MainWindow> m_main_window;
};
