#pragma once

#include "shell/widgets/controls.h"
#include "shell/widgets/form.h"

#include <vector>

class Launcher;

// The start window (Form1): the toolbox title, the readme of the working directory and a column
// of buttons, one for each entry of the launcher's catalogue, and "退出".
class MainWindow : public Form {
    Q_OBJECT
public:
    MainWindow(FormHost& host, Launcher& launcher);

    void on_tool_clicked(const QString& window);
    void on_exit_clicked();

protected:
    void on_load() override;

private:
    Launcher& m_launcher;

    TextBox* m_readme;
    QPushButton* m_exit_button;
};
