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

    QLabel* m_brand;
    QLabel* m_title;
    LineShape* m_title_rule;
    std::vector<QPushButton*> m_tool_buttons;
    QFrame* m_readme_frame;
    TextBox* m_readme;
    LineShape* m_bottom_rule;
    QPushButton* m_exit_button;
    QLabel* m_credits;
};
