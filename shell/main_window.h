#pragma once

#include "shell/widgets/controls.h"
#include "shell/widgets/form.h"

class Launcher;

// Form1, the start window: the toolbox title, the readme and a column of tool buttons.
class MainWindow : public Form {
    Q_OBJECT
public:
    MainWindow(FormHost& host, Launcher& launcher);

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command9_Click();
    void Command11_Click();
    void Command10_Click();

protected:
    void Form_Load() override;

private:
    void launch(const QString& tool);

    Launcher& m_launcher;

    QLabel* Label3;
    QLabel* Label1;
    LineShape* Line2;
    QPushButton* Command5;
    QPushButton* Command4;
    QPushButton* Command9;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command6;
    QPushButton* Command7;
    QPushButton* Command8;
    QPushButton* Command11;
    QFrame* Picture1;
    TextBox* Text1;
    LineShape* Line1;
    QPushButton* Command10;
    QLabel* Label2;
};
