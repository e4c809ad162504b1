#include "main_window.h"

#include "launcher.h"
#include "shell/host/readme_text.h"
#include "shell/widgets/look.h"

#include <QDir>

namespace {

const QColor kBackground = rgb(255, 192, 192);
const QColor kToolFace = rgb(128, 255, 128);

}  // namespace

MainWindow::MainWindow(FormHost& host, Launcher& launcher)
    : Form(host, QStringLiteral("Form1"), QStringLiteral("Brevik"), 10440, 7935, kBackground),
      m_launcher(launcher) {
    Label3 = add_label(this, "Label3", "Velmora", {120, 120, 1695, 375});
    Label3->setFont(new_song_font(15, kBold | kItalic));
    set_background(Label3, kBackground);

    Label1 = add_label(this, "Label1", "Ostrand", {3720, 0, 3495, 495});
    Label1->setFont(song_font(21.75));
    set_text_colour(Label1, rgb(255, 0, 0));
    set_background(Label1, kBackground);

    Line2 = add_line(this, "Line2", 0, 600, 10800, 600);

    const auto tool_button = [this](const char* name, const QString& caption, int top,
                                    bool painted) {
        QPushButton* button = add_button(this, name, caption, {600, top, 1215, 375});
        if (painted) {
            set_face(button, kToolFace);
        } else {
            button->setEnabled(false);
        }
        return button;
    };
    Command5 = tool_button("Command5", "秒表", 840, true);
    Command4 = tool_button("Command4", "色环电阻", 1320, true);
    Command9 = tool_button("Command9", "单位换算", 1800, false);
    Command1 = tool_button("Command1", "七段码查询", 2280, true);
    Command2 = tool_button("Command2", "传感器阻值", 2760, true);
    Command3 = tool_button("Command3", "转速表", 3240, true);
    Command6 = tool_button("Command6", "串口工具", 3720, false);
    Command7 = tool_button("Command7", "红外读码器", 4200, false);
    Command8 = tool_button("Command8", "字模", 4680, false);
    Command11 = tool_button("Command11", "PICC TO ASM", 5160, false);

    Picture1 = add_picture(this, "Picture1", {2160, 720, 8055, 6375});
    Text1 =
        add_text_box(Picture1, "Text1", QString(), {0, 0, 7935, 6255}, QStringLiteral("说明文件"),
                     TextBox::Lines::kMulti, TextBox::ScrollBars::kVertical);
    Text1->setFont(song_font(10.5, kBold));
    set_background(Text1, rgb(255, 255, 192));

    Line1 = add_line(this, "Line1", 10560, 7320, 0, 7320);

    Command10 = add_button(this, "Command10", "退出", {480, 7560, 1335, 375});
    set_face(Command10, rgb(0, 192, 192));

    Label2 = add_label(this, "Label2", "Brevik 单片机工具箱", {6840, 7560, 3330, 180});
    Label2->setFont(song_font(9));
    set_background(Label2, kBackground);

    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setFont(song_font(9));
    }
    QWidget* const focus_order[] = {Command1, Command2,  Command3,  Command4,
                                    Command5, Command6,  Command7,  Command8,
                                    Command9, Command10, Command11, Text1->editor()};
    for (std::size_t i = 0; i + 1 < std::size(focus_order); ++i) {
        setTabOrder(focus_order[i], focus_order[i + 1]);
    }

    connect(Command1, &QPushButton::clicked, this, &MainWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &MainWindow::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &MainWindow::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &MainWindow::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &MainWindow::Command5_Click);
    connect(Command9, &QPushButton::clicked, this, &MainWindow::Command9_Click);
    connect(Command11, &QPushButton::clicked, this, &MainWindow::Command11_Click);
    connect(Command10, &QPushButton::clicked, this, &MainWindow::Command10_Click);
}

void MainWindow::Form_Load() {
    Text1->setText(readme_text(QDir::currentPath()));
}

void MainWindow::launch(const QString& tool) {
    m_launcher.launch(tool, *this);
}

void MainWindow::Command1_Click() {
    launch(QStringLiteral("七段码"));
}
void MainWindow::Command2_Click() {
    launch(QStringLiteral("真值表"));
}
void MainWindow::Command3_Click() {
    launch(QStringLiteral("转速表"));
}
void MainWindow::Command4_Click() {
    launch(QStringLiteral("色环电阻"));
}
void MainWindow::Command5_Click() {
    launch(QStringLiteral("秒表"));
}
void MainWindow::Command9_Click() {
    launch(QStringLiteral("单位换算"));
}
void MainWindow::Command11_Click() {
    launch(QStringLiteral("PICCASM"));
}

void MainWindow::Command10_Click() {
    m_launcher.unload_all();
    unload();
}
